// Reading a figure from the text of a figure file, already decoded to UTF-8.
// This is the part of the figure files that the model holds: it needs no
// file system and no code-page converter, so the web viewer reads with it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"

namespace plandra {

struct FigTextReadResult {
  bool Ok = true;
  // Why it failed, not translated: the source, the line and what was
  // expected there.
  std::string Message;
  // The line of the malformed field that ended reading; 0 when none.
  int Line = 0;
  // The first attempt failed and the older layout (numbers without NumFlag)
  // was tried.
  bool TriedOlderLayout = false;
  // Names, event texts and expressions longer than their fields, as the
  // file holds them: the figure keeps them cut to fit.
  std::vector<std::string> CutTexts;
};

// Mode 'R' reads text into a fresh store that replaces fig on success, 'A'
// merges it into fig. On failure fig stays as it was. fileName only names
// the source in the message.
FigTextReadResult ReadFigureText(Figure& fig, std::string_view text, char mode,
                                 std::string_view fileName);

}  // namespace plandra
