// From ProgramMain: the program the module's exports work on, the end of
// every call that may have drawn (the drawing handed to the page), and the
// reply the page reads (returns its length).
#pragma once

#include <string>

namespace plandra {

struct Program;

Program& PageProgram();
void PageCallDone();
int PageReply(std::string text);

}  // namespace plandra
