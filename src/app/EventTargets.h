// Where an event point's target lies and whether it may be handed to the
// desktop. A figure file comes from anyone: its targets are taken inside the
// figure's folder, and programs, scripts and launchers are never opened.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "figure/EventPress.h"

namespace plandra {

struct EventTarget {
  std::filesystem::path Path;  // the file, or empty for an address
  std::string Address;         // an http, https or mailto address
  bool Outside = false;        // the file lies outside the figure's folder
  bool Refused = false;        // an address of a kind that is never opened
};

// An http, https or mailto address, however its scheme is written: the
// desktop opens it with the browser or the mail program, never as a file.
bool IsDesktopAddress(std::string_view text);

// Whether file lies in folder or below it, links followed as far as they exist.
bool IsInsideFolder(const std::filesystem::path& folder, const std::filesystem::path& file);

// The folder of the figure file ("untitled" figures: the current folder).
std::filesystem::path FigureFolder(std::string_view curFileName);

// A target relative to the figure's folder ("\" and "/" both separate);
// an absolute target, or one that leaves the folder by ".." or a link, is
// marked Outside; control characters become "?". With addresses true, http,
// https and mailto addresses are taken as such, a file: address as its file,
// and other schemes are refused.
EventTarget ResolveEventTarget(const std::filesystem::path& folder, std::string_view target,
                               bool addresses);

// The figure a "!_" target names in folder: ".pd5" added when it has no
// extension, and ".pd4" in its place when that file does not exist.
EventTarget LinkedFigureTarget(const std::filesystem::path& folder, std::string_view target);

// A program, a script or a launcher: an executable file, a file that starts
// like one ("#!", ELF, MZ), or a name ending as scripts and launchers do.
bool IsRunnableFile(const std::filesystem::path& file);

}  // namespace plandra
