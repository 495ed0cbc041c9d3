// The window's load: settings, language, data folders, the figure named on
// the command line, the menu mode and whether the record can be kept.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace plandra {

struct Program;

// Reads a figure file into the program; false (the user told why) when it
// could not, the open figure unchanged.
using FigureReader = std::function<bool(Program& p, const std::filesystem::path& file)>;

// The figure file into the program's store, its number labels refreshed.
bool ReadFigureFile(Program& p, const std::filesystem::path& file);

struct StartupInputs {
  std::string CommandLine;                   // the whole command-line text
  FigureReader ReadFigure = ReadFigureFile;  // the figure file reader
  std::filesystem::path DocumentsFolder;     // the user's documents folder
};

// The view a figure read at start-up gets: figures of complex-number
// operations are small, so they open zoomed in with the grid shown. The
// command line's pictures share it.
void ZoomForOpenedFigure(Program& p);

// The path of the command line: trimmed of blanks, then a trailing and
// then a leading double quote dropped.
std::string CommandLineFigurePath(std::string_view commandLine);

// This user can create files in the folder (a file is made and removed to
// find out).
bool FolderIsWritable(const std::filesystem::path& folder);

// The start-up sequence; the window sets up its view and size around it.
void StartUp(Program& p, const StartupInputs& inputs);

}  // namespace plandra
