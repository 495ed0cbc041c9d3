// Reads the table of layers and checks every quoted include of the sources
// against it: a file may include its own layer and the layers below it, never
// another module's internal header, and below the window layer no Qt header.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace plandra {

// A folder and everything below it belongs to one layer.
struct LayerFolder {
  std::string Folder;  // relative to the source root, no trailing '/'
  int Layer = 0;       // 0 for the lowest
};

struct LayerTable {
  std::vector<std::string> LayerNames;
  std::vector<LayerFolder> Folders;
  std::vector<std::string> ScannedFolders;
  // The first layer whose files may use Qt.
  int QtLayer = -1;
  // Known exceptions, "file included" (both relative to the source root),
  // each one a debt the table names until it is paid.
  std::vector<std::pair<std::string, std::string>> Allowed;
};

struct IncludeViolation {
  std::string File;  // relative to the source root
  int Line = 0;
  std::string What;
};

// Lines "layer NAME FOLDER..." bottom up, "scan FOLDER...", "qt NAME",
// "allow FILE INCLUDED"; '#' starts a comment. A layer is named by whole
// folders: a pattern, or a folder inside one already named, is an error.
// Errors name the line.
LayerTable ParseLayerTable(const std::string& text, std::string& error);

// The layer of the folder a file lies in; -1 when none.
int LayerOf(const LayerTable& table, const std::string& relativePath);

// Also names every folder of the table that does not exist.
std::vector<IncludeViolation> CheckIncludes(const LayerTable& table,
                                            const std::filesystem::path& root);

// Every loop of the sources under the folders whose variable is a 16-bit (or
// narrower) integer: counts reach 32767, where such a counter wraps and the
// loop never ends. Counters and indexes are int.
std::vector<IncludeViolation> CheckLoopCounters(const std::filesystem::path& root,
                                                const std::vector<std::string>& folders);

}  // namespace plandra
