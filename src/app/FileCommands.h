// The file menu's figure commands: load, merge, save and the window copy.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "core/Platform.h"

namespace plandra {

struct Program;
constexpr std::string_view kWindowCopyFileName = "temp_zevav.pd4";
constexpr std::string_view kFigureReadFailedText = "図形ファイルを読めませんでした。";
constexpr std::string_view kSaveBeforeOpenText =
    "図が変更されています。別の図を開く前に保存しますか。";

// The load and save dialog: all files and the figure files, the second
// preselected, starting in the load folder.
FileDialogRequest FigureDialogRequest(Program& p);

// Before the open figure makes way for another: a changed figure is offered
// for saving with the question (save, let go, cancel). True to go on: the
// figure was not changed, was saved, or the user let it go.
bool SaveChangedFigureFirst(Program& p, std::string_view question);

// Reads file into the program (the open figure and its name stay when it
// cannot, and the user is told why), redraws and shows the name in panel 2.
// A changed figure is offered for saving first; false when the user kept it.
bool OpenPDFile(Program& p, const std::filesystem::path& file);
// OpenPDFile for the figure of the command line, whose caller pushed mode 8.
bool ReadPDFigFile(Program& p, const std::filesystem::path& file);

void mnuLoad_Click(Program& p);
void mnuMerge_Click(Program& p);
// True when the figure was written.
bool mnuSave_Click(Program& p);
void Fig_Save_Click(Program& p);

// The figure's file name, without its folder, in the status bar's panel 2.
void ShowFileName(Program& p);
// The file text of the figure without a new point that waits for its click.
std::string SettledFigureText(const Program& p);
// Remembers the figure as it stands as the one on disk (opened, saved or new).
void MarkFigureSaved(Program& p);
// The figure differs from the one last opened, saved or begun. A new point
// still waiting for its click is not part of the figure yet.
bool FigureChanged(const Program& p);

// The name the save dialog proposes: a figure file's extension follows the
// event marks of the figure.
std::string ProposedSaveName(const Program& p);
// The name a chosen file is saved under: ".pd4" or ".pd5" appended unless
// it already ends in a ".pd" extension.
std::string SaveNameFor(const Program& p, std::string_view chosen);

// Writes the figure to temp_zevav.pd4 in the program's folder and starts
// another copy of the program on it; false (and a message) on failure. The
// file is this program's to remove when it ends, if no one saved over it.
bool mnuOcopyWindow_Click(Program& p);

// The file is the window copy in the program's folder: a figure read from
// it is a new figure, whose first save asks for a place of its own.
bool IsWindowCopy(const Program& p, const std::filesystem::path& file);

}  // namespace plandra
