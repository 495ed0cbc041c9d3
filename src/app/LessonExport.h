// Publishing a lesson: every figure of a folder as its own page in one
// output folder, with one viewer, the figure files, the pictures and memos
// their event points name, and an index page with a thumbnail of each.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace plandra {

struct Program;

constexpr std::string_view kIndexPageName = "index.html";
constexpr std::string_view kThumbnailFolder = "thumbnails";

// Reads a figure into the program and recomputes it for its picture; false
// with the reason (the file and why) in error.
using LessonFigureLoader =
    std::function<bool(Program& p, const std::filesystem::path& figure, std::string& error)>;

struct LessonExport {
  std::filesystem::path Index;  // the index page, once written
  std::string Fatal;            // translated: why nothing was published
  // Translated lines: the figures that got no page, and the files that were
  // kept, refused or missing.
  std::vector<std::string> FailedFigures;
  std::vector<std::string> Notes;
  bool Ok() const { return Fatal.empty() && FailedFigures.empty(); }
};

// What a teacher chooses for a lesson.
struct LessonChoices {
  // The browser program beside the pages (its page and script, found where
  // the viewer is), and on each page a link that opens the figure in it.
  bool WithProgram = false;
};

// Publishes the figures of folder (not of its subfolders) into out, which is
// made when missing. Only files inside out are written; the open figure is
// put aside and given back.
LessonExport ExportLesson(Program& p, const std::filesystem::path& folder,
                          const std::filesystem::path& out, const LessonFigureLoader& load,
                          const LessonChoices& choices = {});

// The version on the first lines of a viewer script ("// Plandra Win viewer
// version 5.0.0"); empty when the script carries none.
std::vector<int> ViewerVersion(std::string_view script);

// Asks for the output folder (and, where the browser program is there to
// copy, whether it goes along), publishes the open figure's folder (the data
// folder while untitled) there, says where the index is and offers to open it.
void mnuf_htmlLesson(Program& p);

}  // namespace plandra
