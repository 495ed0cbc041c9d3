// From ProgramMain: the program the module's exports work on, the end of
// every call that may have drawn (the drawing handed to the page), and the
// reply the page reads (returns its length); and the texts the page hands
// over as pointer and length.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plandra {

struct Program;

Program& PageProgram();
void PageCallDone();
int PageReply(std::string text);

inline std::string_view PageText(const char* text, int length) {
  return {text, static_cast<size_t>(length > 0 ? length : 0)};
}

}  // namespace plandra
