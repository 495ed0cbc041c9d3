#include "layers/IncludeLayers.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <sstream>

namespace plandra {
namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line.substr(0, line.find('#')));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

int LayerIndex(const LayerTable& table, const std::string& name) {
  for (size_t i = 0; i < table.LayerNames.size(); ++i) {
    if (table.LayerNames[i] == name) return static_cast<int>(i);
  }
  return -1;
}

bool Within(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/';
}

// Why a word cannot name a folder of the table, or "".
std::string FolderFault(const LayerTable& table, const std::string& folder) {
  if (folder.find_first_of("*?[") != std::string::npos) return "a pattern, not a folder";
  if (folder.ends_with("/")) return "ends with '/'";
  for (const auto& named : table.Folders) {
    if (folder == named.Folder || Within(folder, named.Folder) || Within(named.Folder, folder))
      return "overlaps " + named.Folder;
  }
  return "";
}

std::string SourceText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool IsSource(const std::filesystem::path& file) {
  auto ext = file.extension();
  return ext == ".cpp" || ext == ".h";
}

// The quoted target of an include line, or "" (angle includes give "<...>").
std::string IncludeTarget(const std::string& line) {
  size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || line.compare(at, 8, "#include") != 0) return "";
  size_t open = line.find_first_of("\"<", at + 8);
  if (open == std::string::npos) return "";
  char close = line[open] == '"' ? '"' : '>';
  size_t end = line.find(close, open + 1);
  if (end == std::string::npos) return "";
  std::string target = line.substr(open + 1, end - open - 1);
  return close == '>' ? "<" + target + ">" : target;
}

// Quoted includes are looked up beside the file, then in each scanned folder.
std::string Resolve(const LayerTable& table, const std::filesystem::path& root,
                    const std::string& from, const std::string& target) {
  std::vector<std::filesystem::path> candidates{std::filesystem::path(from).parent_path() / target};
  for (const auto& folder : table.ScannedFolders)
    candidates.push_back(folder / std::filesystem::path(target));
  for (const auto& c : candidates) {
    if (std::filesystem::exists(root / c)) return c.lexically_normal().generic_string();
  }
  return "";
}

std::string ModuleStem(const std::string& relativePath) {
  std::string stem = std::filesystem::path(relativePath).stem().string();
  return stem.substr(0, stem.find('_'));
}

bool IsInternalHeader(const std::string& relativePath) {
  return std::filesystem::path(relativePath).stem().string().ends_with("_internal");
}

void CheckLine(const LayerTable& table, const std::filesystem::path& root, const std::string& file,
               int fileLayer, int lineNo, const std::string& target,
               std::vector<IncludeViolation>& out) {
  auto report = [&](std::string what) { out.push_back({file, lineNo, std::move(what)}); };
  if (target.starts_with("<")) {
    if (target.starts_with("<Q") && fileLayer < table.QtLayer) report("Qt header " + target);
    return;
  }
  std::string included = Resolve(table, root, file, target);
  if (included.empty()) return report("cannot find \"" + target + "\"");
  auto allowed = std::find(table.Allowed.begin(), table.Allowed.end(), std::pair{file, included});
  if (allowed != table.Allowed.end()) return;
  int includedLayer = LayerOf(table, included);
  if (includedLayer > fileLayer) {
    report(table.LayerNames[fileLayer] + " includes " + included + " of layer " +
           table.LayerNames[includedLayer]);
  }
  bool sameModule =
      std::filesystem::path(included).parent_path() == std::filesystem::path(file).parent_path() &&
      ModuleStem(included) == ModuleStem(file);
  if (IsInternalHeader(included) && !sameModule) report("internal header " + included);
}

void CheckFile(const LayerTable& table, const std::filesystem::path& root, const std::string& file,
               std::vector<IncludeViolation>& out) {
  int layer = LayerOf(table, file);
  if (layer < 0) {
    out.push_back({file, 0, "no layer in the table"});
    return;
  }
  std::istringstream text(SourceText(root / file));
  int lineNo = 0;
  for (std::string line; std::getline(text, line);) {
    ++lineNo;
    std::string target = IncludeTarget(line);
    if (!target.empty()) CheckLine(table, root, file, layer, lineNo, target, out);
  }
}

}  // namespace

LayerTable ParseLayerTable(const std::string& text, std::string& error) {
  LayerTable table;
  std::istringstream in(text);
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    auto words = Words(line);
    if (words.empty()) continue;
    if (words[0] == "layer" && words.size() >= 3) {
      // A layer may take several lines; a new name starts the next layer up.
      int layer = LayerIndex(table, words[1]);
      if (layer < 0) {
        table.LayerNames.push_back(words[1]);
        layer = static_cast<int>(table.LayerNames.size()) - 1;
      }
      for (size_t i = 2; i < words.size(); ++i) {
        if (std::string fault = FolderFault(table, words[i]); !fault.empty()) {
          error = "line " + std::to_string(lineNo) + ": " + words[i] + ": " + fault;
          return {};
        }
        table.Folders.push_back({words[i], layer});
      }
    } else if (words[0] == "scan" && words.size() >= 2) {
      table.ScannedFolders.insert(table.ScannedFolders.end(), words.begin() + 1, words.end());
    } else if (words[0] == "allow" && words.size() == 3) {
      table.Allowed.emplace_back(words[1], words[2]);
    } else if (words[0] == "qt" && words.size() == 2 && LayerIndex(table, words[1]) >= 0) {
      table.QtLayer = LayerIndex(table, words[1]);
    } else {
      error = "line " + std::to_string(lineNo) + ": " + line;
      return {};
    }
  }
  if (table.QtLayer < 0) error = "no qt line after the layers";
  return table;
}

int LayerOf(const LayerTable& table, const std::string& relativePath) {
  for (const auto& f : table.Folders) {
    if (Within(relativePath, f.Folder)) return f.Layer;
  }
  return -1;
}

std::vector<IncludeViolation> CheckLoopCounters(const std::filesystem::path& root,
                                                const std::vector<std::string>& folders) {
  static const std::regex narrowLoop(
      R"(\bfor\s*\(\s*(const\s+)?(std::)?(u?int(8|16)_t|(unsigned\s+|signed\s+)?short)\b)");
  std::vector<std::string> files;
  for (const auto& folder : folders) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
      if (entry.is_regular_file() && IsSource(entry.path())) {
        files.push_back(entry.path().lexically_relative(root).generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<IncludeViolation> violations;
  for (const auto& file : files) {
    std::istringstream text(SourceText(root / file));
    int lineNo = 0;
    for (std::string line; std::getline(text, line);) {
      ++lineNo;
      if (std::regex_search(line, narrowLoop)) {
        violations.push_back({file, lineNo, "16-bit loop counter"});
      }
    }
  }
  return violations;
}

std::vector<IncludeViolation> CheckIncludes(const LayerTable& table,
                                            const std::filesystem::path& root) {
  std::vector<std::string> files;
  for (const auto& folder : table.ScannedFolders) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
      if (entry.is_regular_file() && IsSource(entry.path())) {
        files.push_back(entry.path().lexically_relative(root).generic_string());
      }
    }
  }
  std::sort(files.begin(), files.end());
  std::vector<IncludeViolation> violations;
  for (const auto& f : table.Folders) {
    if (!std::filesystem::is_directory(root / f.Folder))
      violations.push_back({f.Folder, 0, "no such folder"});
  }
  for (const auto& file : files) CheckFile(table, root, file, violations);
  return violations;
}

}  // namespace plandra
