// Why a file could not be read or written, in the user's language: the
// sentence that goes before the system's own words in a message.
#pragma once

#include <string>

#include "core/language/Multi_lang.h"
#include "persist/FileFault.h"

namespace plandra {

// The class of a file's refusal in the user's words, ending in a line
// break; empty when the system's own text says all there is.
std::string FaultText(LangState& lang, FileFault fault);

}  // namespace plandra
