#include "app/LessonExport.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>
#include <system_error>

#include "app/EventTargets.h"
#include "app/MainCommands.h"
#include "app/WebCommands.h"
#include "core/ImageOutput.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/io/FigFileIO.h"
#include "core/language/Multi_lang.h"
#include "figure/EventMark.h"
#include "figure/EventPress.h"
#include "files/FileRead.h"
#include "files/FileWriter.h"
#include "files/Gzip.h"
#include "files/ProgramFolder.h"
#include "files/WebPages.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

// A script the lesson carries: where it says it is ours and its version,
// and whether a compressed copy goes beside it (the program's module is
// compressed inside it already).
struct ShippedScript {
  std::string_view Name;
  std::string_view Header;
  std::string_view VersionLine;
  bool CompressedCopy;
};
constexpr ShippedScript kViewerScript{kViewerFileName, "// Plandra Win viewer:",
                                      "// Plandra Win viewer version ", true};
constexpr ShippedScript kProgramScript{kProgramScriptName, "// Plandra Win in the browser:",
                                       "// Plandra Win program version ", false};
// The header and the version stand on the script's first lines.
constexpr size_t kViewerHeadLines = 8;
// A figure, a picture or a memo of a lesson; the viewer is a few hundred kilobytes.
constexpr size_t kMaxLessonFileBytes = size_t{64} << 20;
// As many links as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

constexpr std::string_view kNoFiguresText = "このフォルダには図のファイル(pd4, pd5)がありません。";
constexpr std::string_view kFolderNotMadeText = "フォルダを作れませんでした。";
constexpr std::string_view kViewerKeptText =
    "plandra-viewer.js はこのプログラムの新しい版ではないので、置き換えずに残しました。";
constexpr std::string_view kProgramKeptText =
    "plandra-program.js はこのプログラムの新しい版ではないので、置き換えずに残しました。";
constexpr std::string_view kNoProgramText =
    "ブラウザで作図するプログラムが見つからないので、授業のページに添えられません。";
constexpr std::string_view kWithProgramQuestion =
    "ブラウザで作図するプログラムもページに添えて、各ページから図をプログラムで開けるようにしますか?";
constexpr std::string_view kOutsideOutputText = "書き出し先のフォルダの外なので書きませんでした。";
constexpr std::string_view kTargetOutsideText =
    "図のフォルダの外を指すイベントの対象は写しませんでした。";
constexpr std::string_view kTargetMissingText = "イベントの対象のファイルがありません。";
constexpr std::string_view kFileNotWrittenText = "ファイルを書けませんでした。";
constexpr std::string_view kIndexHeadingText = "図の一覧";
constexpr std::string_view kLessonFolderTitle = "htmlページを書き出すフォルダを選んでください";
constexpr std::string_view kLessonWrittenText = "授業のページを書きました。一覧のページ:";
constexpr std::string_view kLessonProblemsText = "次の図はページになりませんでした。";
constexpr std::string_view kOpenIndexQuestion = "一覧のページをブラウザで開きますか?";

// One published figure, as the index lists it.
struct IndexEntry {
  std::string Name;  // the figure file's name
  fs::path Page;
  fs::path Thumbnail;
};

// What one run of the export carries from figure to figure.
struct LessonRun {
  Program& P;
  fs::path Folder;  // the figures' folder, absolute
  fs::path Out;     // the output folder, absolute
  LessonExport& Result;
  LessonChoices Choices;
  std::set<fs::path> PageNames;
  std::map<fs::path, fs::path> Pages;  // each figure's page, planned before any is written
  std::set<fs::path> CopiedTargets;
  std::vector<IndexEntry> Entries;
};

std::string Said(LessonRun& run, std::string_view text, const fs::path& file) {
  return Translate(run.P.Lang, text) + " " + file.string();
}

// Where a write to file ends: the writer follows a link even to a file that
// does not exist yet, and would make it.
fs::path LinkEnd(fs::path file) {
  std::error_code error;
  for (int hop = 0; hop < kMaxLinkHops && fs::is_symlink(fs::symlink_status(file, error)); ++hop) {
    const fs::path target = fs::read_symlink(file, error);
    if (error) break;
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return file;
}

bool WritableInside(const LessonRun& run, const fs::path& file) {
  return IsInsideFolder(run.Out, LinkEnd(file));
}

// Every file goes through here: out is the only folder the export writes in,
// whatever links the names lead through.
bool WriteInside(LessonRun& run, const fs::path& file, std::string_view bytes) {
  if (!WritableInside(run, file)) {
    run.Result.Notes.push_back(Said(run, kOutsideOutputText, file));
    return false;
  }
  std::error_code error;
  fs::create_directories(file.parent_path(), error);
  std::string reason;
  if (!ReplaceFileContents(file, bytes, reason)) {
    run.Result.Notes.push_back(Said(run, kFileNotWrittenText, file) + ": " + reason);
    return false;
  }
  return true;
}

std::optional<std::string> WholeFile(const fs::path& file) {
  FileBytes read = ReadRegularFile(file, kMaxLessonFileBytes);
  if (read.Status != FileReadStatus::kOk || read.More) return std::nullopt;
  return std::move(read.Bytes);
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code error;
  return fs::equivalent(a, b, error);
}

// Copies a file of the figures' folder to the same place under out.
bool CopyInto(LessonRun& run, const fs::path& source, const fs::path& target) {
  if (SameFile(source, target)) return true;
  std::optional<std::string> bytes = WholeFile(source);
  if (!bytes) {
    run.Result.Notes.push_back(Said(run, kTargetMissingText, source));
    return false;
  }
  return WriteInside(run, target, *bytes);
}

// The first lines of a script, where its header and version stand.
std::vector<std::string_view> HeadLines(std::string_view script) {
  std::vector<std::string_view> lines;
  size_t at = 0;
  while (lines.size() < kViewerHeadLines && at < script.size()) {
    const size_t end = std::min(script.find('\n', at), script.size());
    lines.push_back(script.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

bool IsScriptOfOurs(std::string_view script, const ShippedScript& kind) {
  const std::vector<std::string_view> lines = HeadLines(script);
  return std::any_of(lines.begin(), lines.end(),
                     [&kind](std::string_view line) { return line.starts_with(kind.Header); });
}

std::vector<int> ScriptVersion(std::string_view script, std::string_view versionLine) {
  std::vector<int> version;
  for (std::string_view line : HeadLines(script)) {
    if (!line.starts_with(versionLine)) continue;
    const char* end = line.data() + line.size();
    for (const char* c = line.data() + versionLine.size(); c < end; ++c) {
      int part = 0;
      const auto [next, error] = std::from_chars(c, end, part);
      if (error != std::errc()) break;
      version.push_back(part);
      c = next;  // the "." the loop steps over
    }
    break;
  }
  return version;
}

void WriteCompressedCopy(LessonRun& run, const fs::path& target, const std::string& shipped,
                         const ShippedScript& kind) {
  if (kind.CompressedCopy) WriteInside(run, CompressedCopyPath(target), GzipCompressed(shipped));
}

// The script and beside it its compressed copy, which a web server sends to
// the browsers that take it (a fraction of the bytes). The copy is written
// only with the script, so it is never of another script.
bool WriteScript(LessonRun& run, const fs::path& target, const std::string& shipped,
                 const ShippedScript& kind) {
  if (!WriteInside(run, target, shipped)) return false;
  WriteCompressedCopy(run, target, shipped, kind);
  return true;
}

// A script of out: copied when missing, replaced when it is ours and older
// than the program's; anything else of that name stays and is told. True
// when the program's script was written.
bool PlaceScript(LessonRun& run, const std::string& shipped, const ShippedScript& kind,
                 std::string_view keptText) {
  const fs::path target = run.Out / kind.Name;
  std::error_code error;
  if (!fs::exists(fs::symlink_status(target, error))) return WriteScript(run, target, shipped, kind);
  std::optional<std::string> present = WholeFile(target);
  if (present && *present == shipped) {
    if (!fs::exists(fs::symlink_status(CompressedCopyPath(target), error))) {
      WriteCompressedCopy(run, target, shipped, kind);
    }
    return false;
  }
  const bool older = present && IsScriptOfOurs(*present, kind) &&
                     ScriptVersion(*present, kind.VersionLine) < ScriptVersion(shipped, kind.VersionLine);
  if (older) return WriteScript(run, target, shipped, kind);
  run.Result.Notes.push_back(Said(run, keptText, target));
  return false;
}

// The browser program's script and, with it, its page: a page already there
// is replaced only with the script, so one a teacher adapted stays.
void PlaceProgram(LessonRun& run, const std::string& script, const std::string& page) {
  const fs::path target = run.Out / kProgramPageName;
  std::error_code error;
  const bool pageMissing = !fs::exists(fs::symlink_status(target, error));
  if (PlaceScript(run, script, kProgramScript, kProgramKeptText) || pageMissing) {
    WriteInside(run, target, page);
  }
}

// The file names the figure's pictures, memos and address files give.
std::vector<std::string> EventFilesOf(const Figure& fig) {
  std::vector<std::string> names;
  for (int i = 1; PointIndexValid(fig, i); ++i) {
    const std::string& name = fig.PtTable[i].Name;
    std::string file = EventFileName(EventKindOf(name), EventTargetOf(name));
    if (!file.empty()) names.push_back(std::move(file));
  }
  return names;
}

void CopyEventFiles(LessonRun& run) {
  for (const std::string& name : EventFilesOf(run.P.Fig)) {
    const EventTarget target = ResolveEventTarget(run.Folder, name, false);
    if (target.Path.empty() || !run.CopiedTargets.insert(target.Path).second) continue;
    if (target.Outside) {
      run.Result.Notes.push_back(Translate(run.P.Lang, kTargetOutsideText) + " " + name);
      continue;
    }
    CopyInto(run, target.Path, run.Out / target.Path.lexically_relative(run.Folder));
  }
}

// "name.htm", or "name.pd5.htm" when a figure of the same name took the first.
fs::path PageFor(LessonRun& run, const fs::path& figure) {
  fs::path page = FigurePagePath(figure.filename());
  if (!run.PageNames.insert(page).second) page = figure.filename().string() + ".htm";
  run.PageNames.insert(page);
  return run.Out / page;
}

// A linked figure of the lesson: its copy and its page in out.
LinkedFigurePage LinkedInLesson(const LessonRun& run, std::string_view target) {
  const EventTarget figure = LinkedFigureTarget(run.Folder, target);
  const auto planned = run.Pages.find(figure.Path);
  if (figure.Outside || planned == run.Pages.end()) return {};
  return {run.Out / figure.Path.filename(), planned->second};
}

// The figure's copy, page and thumbnail; false with the reason told.
bool PublishFigure(LessonRun& run, const fs::path& source) {
  const fs::path copy = run.Out / source.filename();
  const fs::path page = run.Pages.at(source);
  // The page, and the viewer when it is missing, are written by the page's own
  // writer: both must end inside out.
  for (const fs::path& written : {page, run.Out / kViewerFileName}) {
    if (!WritableInside(run, written)) {
      run.Result.FailedFigures.push_back(Said(run, kOutsideOutputText, written));
      return false;
    }
  }
  if (!CopyInto(run, source, copy)) {
    run.Result.FailedFigures.push_back(Said(run, kFileNotWrittenText, copy));
    return false;
  }
  run.P.CurFileName = copy.string();
  const fs::path program = run.Choices.WithProgram ? run.Out / kProgramPageName : fs::path();
  const PageExport exported = ExportFigurePage(
      run.P, page, [&run](std::string_view target) { return LinkedInLesson(run, target); },
      program);
  if (!exported.Ok) {
    run.Result.FailedFigures.push_back(exported.Message);
    return false;
  }
  const fs::path thumbnail = run.Out / kThumbnailFolder / page.filename().replace_extension(".svg");
  WriteInside(run, thumbnail, FigurePictureSvg(run.P));
  run.Entries.push_back({source.filename().string(), page, thumbnail});
  return true;
}

std::string IndexPage(LessonRun& run) {
  const fs::path index = run.Out / kIndexPageName;
  const std::string heading =
      HtmlEscape(Translate(run.P.Lang, kIndexHeadingText) + ": " + run.Folder.filename().string());
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"" + PageLanguage(run.P.Lang) +
      "\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
      heading +
      "</title>\n<style>\nbody { font-family: sans-serif; margin: 1em; }\n"
      "ul.plandra-lesson { list-style: none; padding: 0; display: flex; flex-wrap: wrap; "
      "gap: 1em; }\nul.plandra-lesson li { width: 200px; text-align: center; "
      "overflow-wrap: anywhere; }\nul.plandra-lesson img { width: 200px; height: 150px; "
      "object-fit: contain; border: 1px solid #ccc; background: #fff; }\n</style>\n</head>\n"
      "<body>\n<h1>" +
      heading + "</h1>\n<ul class=\"plandra-lesson\">\n";
  for (const IndexEntry& entry : run.Entries) {
    html += "<li><a href=\"" + PageFileReference(entry.Page, index) + "\"><img src=\"" +
            PageFileReference(entry.Thumbnail, index) + "\" alt=\"\" width=200 height=150><br>" +
            HtmlEscape(entry.Name) + "</a></li>\n";
  }
  return html + "</ul>\n</body>\n</html>\n";
}

// The files the lesson carries beside its pages, as the program has them.
struct ShippedFiles {
  std::string Viewer;
  std::string ProgramScript;  // with the program only
  std::string ProgramPage;
};

// A file of the program's web folder; false with the fatal message when it
// cannot be had.
bool ReadShipped(LessonRun& run, std::string_view name, std::string_view missingText,
                 std::string& bytes) {
  const std::optional<fs::path> file = FindShippedFile(run.P.Folders, fs::path(kWebDataFolder) / name);
  std::optional<std::string> read = file ? WholeFile(*file) : std::nullopt;
  if (!read) {
    run.Result.Fatal = Translate(run.P.Lang, missingText) + "\n" +
                       (run.P.Folders.Folder / kWebDataFolder / name).string();
    return false;
  }
  bytes = std::move(*read);
  return true;
}

bool PrepareOutput(LessonRun& run, ShippedFiles& shipped) {
  if (!ReadShipped(run, kViewerFileName, kNoViewerText, shipped.Viewer)) return false;
  if (run.Choices.WithProgram &&
      (!ReadShipped(run, kProgramScriptName, kNoProgramText, shipped.ProgramScript) ||
       !ReadShipped(run, kProgramPageName, kNoProgramText, shipped.ProgramPage))) {
    return false;
  }
  std::error_code error;
  if (!fs::is_directory(run.Out, error) && !fs::create_directories(run.Out, error)) {
    run.Result.Fatal = Said(run, kFolderNotMadeText, run.Out) + ": " + error.message();
    return false;
  }
  return true;
}

fs::path AbsoluteFolder(const fs::path& folder) {
  std::error_code error;
  const fs::path absolute = fs::absolute(folder, error);
  return (error ? folder : absolute).lexically_normal();
}

void PublishAll(LessonRun& run, const LessonFigureLoader& load, std::vector<fs::path> figures) {
  std::sort(figures.begin(), figures.end());
  // A page links to the pages of figures published after it, too.
  for (const fs::path& figure : figures) run.Pages[figure] = PageFor(run, figure);
  const FigureSetAside open(run.P);
  for (const fs::path& figure : figures) {
    std::string error;
    if (!load(run.P, figure, error)) {
      run.Result.FailedFigures.push_back(error.empty() ? figure.string() : error);
      continue;
    }
    if (PublishFigure(run, figure)) CopyEventFiles(run);
  }
}

}  // namespace

std::vector<int> ViewerVersion(std::string_view script) {
  return ScriptVersion(script, kViewerScript.VersionLine);
}

LessonExport ExportLesson(Program& p, const fs::path& folder, const fs::path& out,
                          const LessonFigureLoader& load, const LessonChoices& choices) {
  LessonExport result;
  LessonRun run{p, AbsoluteFolder(folder), AbsoluteFolder(out), result, choices, {}, {}, {}, {}};
  std::vector<std::string> listing;
  std::vector<fs::path> figures = FigureFilesOf(run.Folder, true, listing);
  if (figures.empty()) {
    result.Fatal = Said(run, kNoFiguresText, run.Folder);
    for (const std::string& problem : listing) result.Fatal += "\n" + problem;
    return result;
  }
  ShippedFiles shipped;
  if (!PrepareOutput(run, shipped)) return result;
  PlaceScript(run, shipped.Viewer, kViewerScript, kViewerKeptText);
  if (choices.WithProgram) PlaceProgram(run, shipped.ProgramScript, shipped.ProgramPage);
  PublishAll(run, load, std::move(figures));
  if (WriteInside(run, run.Out / kIndexPageName, IndexPage(run))) {
    result.Index = run.Out / kIndexPageName;
  } else {
    result.Fatal = Said(run, kFileNotWrittenText, run.Out / kIndexPageName);
  }
  return result;
}

void mnuf_htmlLesson(Program& p) {
  const fs::path folder = WorkingFolder(p);
  FileDialogRequest request;
  request.Title = Translate(p.Lang, kLessonFolderTitle);
  request.InitialFolder = folder;
  request.ChooseFolder = true;
  std::optional<fs::path> out = p.Host->OpenFileDialog(request);
  if (!out || out->empty()) return;
  LessonChoices choices;
  const std::string title = Translate(p.Lang, kProgramTitle);
  // Asked only where there is a program to copy.
  if (FindShippedFile(p.Folders, fs::path(kWebDataFolder) / kProgramScriptName)) {
    choices.WithProgram = p.Host->MessageBox(Translate(p.Lang, kWithProgramQuestion), title,
                                             MsgButtons::kYesNo) == MsgResult::kYes;
  }
  const LessonFigureLoader load = [](Program& program, const fs::path& figure, std::string& error) {
    program.CurFileName = figure.string();
    const FigFileResult read = FigFileIO(program, 'R');
    error = read.Message.empty() ? figure.string() : read.Message;
    if (read.Status != FigFileStatus::kOk) return false;
    // One message for the lesson, not one for each figure's held points.
    SilentPlatform quiet;
    RecomputeForRedraw(program.Fig, quiet);
    return true;
  };
  const LessonExport result = ExportLesson(p, folder, *out, load, choices);
  if (!result.Fatal.empty()) {
    p.Host->MessageBox(result.Fatal, title, MsgButtons::kOk);
    return;
  }
  std::string text = Translate(p.Lang, kLessonWrittenText) + "\n" + result.Index.string();
  if (!result.FailedFigures.empty()) text += "\n\n" + Translate(p.Lang, kLessonProblemsText);
  for (const std::string& line : result.FailedFigures) text += "\n" + line;
  if (!result.Notes.empty()) text += "\n";
  for (const std::string& line : result.Notes) text += "\n" + line;
  text += "\n\n" + Translate(p.Lang, kOpenIndexQuestion);
  if (p.Host->MessageBox(text, title, MsgButtons::kYesNo) == MsgResult::kYes &&
      !p.Host->OpenWithDesktop(result.Index.string())) {
    p.Host->MessageBox(Translate(p.Lang, kPageNotOpenedText) + "\n" + result.Index.string(), title,
                       MsgButtons::kOk);
  }
}

}  // namespace plandra
