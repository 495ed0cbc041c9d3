// The figure file routines as the program uses them: with the number labels
// refreshed, the beeps, and the messages the user is shown.
#pragma once

#include <filesystem>

#include "core/Platform.h"
#include "core/language/Multi_lang.h"
#include "files/PDio05.h"

namespace plandra {

struct Program;

// Tells the user what a figure file routine reported: one beep for each
// failed attempt, the first of an older-layout retry included, and the
// read-only message, whose translation then also ends result.Message.
void ShowFigFileResult(FigFileResult& result, Platform& platform, LangState& lang);

// FigFileCore, then its result shown as above; a mode FigFileCore does not
// know does nothing, silently.
FigFileResult FigFileCoreShown(Figure& fig, const std::filesystem::path& file, char mode,
                               Platform& platform, LangState& lang);

// FigFileCoreShown on the program's CurFileName with the number labels
// refreshed: before writing ('W'), after reading or merging ('R', 'A'). A save
// that had to replace characters the code page cannot hold tells the user once.
FigFileResult FigFileIO(Program& program, char mode);

// After a read or merge that cut texts longer than their fields: one message
// listing them, so that nobody saves the cut forms back unawares.
void TellCutTexts(Program& program, const FigFileResult& result);

}  // namespace plandra
