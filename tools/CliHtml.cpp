#include "CliHtml.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string_view>

#include "CliRender.h"
#include "app/LessonExport.h"
#include "app/WebCommands.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/locus/PdLocus.h"
#include "files/ProgramFolder.h"
#include "files/WebPages.h"

namespace plandra {
namespace {

class CommandPlatform : public SilentPlatform {
 public:
  explicit CommandPlatform(std::string_view command) : command_(command) {}
  MsgResult MessageBox(std::string_view text, std::string_view title, MsgButtons buttons) override {
    std::cerr << "plandra-cli " << command_ << ": " << text << '\n';
    return SilentPlatform::MessageBox(text, title, buttons);
  }

 private:
  std::string_view command_;
};

struct PageArgs {
  std::filesystem::path Figure;
  std::optional<std::filesystem::path> Output;
  std::optional<std::string> Url;
  std::string Language = "japanese";
  bool WithProgram = false;  // html FOLDER --program
};

bool ParsePageArgs(const std::vector<std::string>& args, bool takesUrl, PageArgs& parsed,
                   std::string& error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const bool hasValue = i + 1 < args.size();
    if (arg == "-o" && hasValue) {
      parsed.Output = args[++i];
    } else if (arg == "--lang" && hasValue) {
      parsed.Language = args[++i];
    } else if (arg == "--program" && !takesUrl) {
      parsed.WithProgram = true;
    } else if (arg == "--url" && takesUrl && hasValue) {
      parsed.Url = args[++i];
    } else if (!arg.starts_with("-") && parsed.Figure.empty()) {
      parsed.Figure = arg;
    } else {
      error = "unexpected argument \"" + arg + "\"";
      return false;
    }
  }
  if (parsed.Figure.empty()) error = "no figure named";
  if (parsed.Language != "japanese" && parsed.Language != "english") {
    error = "--lang takes japanese or english";
  }
  return error.empty();
}

int Fail(std::string_view command, const std::string& problem, int status) {
  std::cerr << "plandra-cli " << command << ": " << problem << '\n';
  return status;
}

// The figure read and recomputed as the window opens it; the messages of a
// file that cannot be read go to standard error.
bool LoadPageFigure(const PageArgs& args, Program& program, std::string& error) {
  RenderOptions options;
  options.Figure = args.Figure;
  options.Language = args.Language == "english" ? "English" : "Japanese";
  if (!LoadForRender(options, program, error)) return false;
  RecomputeForRedraw(program.Fig, *program.Host);
  return true;
}

// plandra-cli html FOLDER [-o OUTFOLDER]: the lesson; each figure loaded as
// plandra-cli html FIGURE loads it, so its page is the same.
int LessonCommand(const PageArgs& parsed, Program& program) {
  constexpr std::string_view kCommand = "html";
  const LessonFigureLoader load = [&parsed](Program& p, const std::filesystem::path& figure,
                                            std::string& error) {
    PageArgs one = parsed;
    one.Figure = figure;
    return LoadPageFigure(one, p, error);
  };
  // The language of the index page's texts.
  program.Lang.Language = parsed.Language == "english" ? "English" : "Japanese";
  LessonChoices choices;
  choices.WithProgram = parsed.WithProgram;
  const LessonExport result =
      ExportLesson(program, parsed.Figure, parsed.Output.value_or(parsed.Figure), load, choices);
  for (const std::string& note : result.Notes) std::cerr << "plandra-cli html: " << note << '\n';
  for (const std::string& failed : result.FailedFigures) {
    std::cerr << "plandra-cli html: " << failed << '\n';
  }
  if (!result.Fatal.empty()) return Fail(kCommand, result.Fatal, kRenderWriteFailed);
  std::cout << result.Index.string() << '\n';
  return result.FailedFigures.empty() ? kRenderOk : kRenderUnreadable;
}

}  // namespace

int HtmlCommand(const std::vector<std::string>& args) {
  constexpr std::string_view kCommand = "html";
  PageArgs parsed;
  std::string error;
  if (!ParsePageArgs(args, false, parsed, error)) {
    return Fail(
        kCommand,
        error +
            "\nusage: plandra-cli html FIGURE|FOLDER [-o PAGE|OUTFOLDER] [--lang japanese|english]"
            " [--program]",
        kRenderUsage);
  }
  CommandPlatform host(kCommand);
  Program program;
  program.Host = &host;
  program.Folders = LocateProgramFolder(CurrentExecutablePath(), ProcessEnvironment());
  WireLocusLayer(program);
  std::error_code folderError;
  if (std::filesystem::is_directory(parsed.Figure, folderError)) {
    return LessonCommand(parsed, program);
  }
  if (parsed.WithProgram) {
    return Fail(kCommand, "--program goes with a folder of figures (a lesson)", kRenderUsage);
  }
  if (!LoadPageFigure(parsed, program, error)) return Fail(kCommand, error, kRenderUnreadable);
  PageExport exported =
      ExportFigurePage(program, parsed.Output.value_or(FigurePagePath(parsed.Figure)));
  if (!exported.Ok) return Fail(kCommand, exported.Message, kRenderWriteFailed);
  std::cout << exported.Page.string() << '\n';
  return kRenderOk;
}

int OnlineCommand(const std::vector<std::string>& args) {
  constexpr std::string_view kCommand = "online";
  PageArgs parsed;
  std::string error;
  if (!ParsePageArgs(args, true, parsed, error) || !parsed.Output) {
    if (error.empty()) error = "no page named (-o PAGE)";
    return Fail(
        kCommand,
        error + "\nusage: plandra-cli online FIGURE -o PAGE [--url URL] [--lang japanese|english]",
        kRenderUsage);
  }
  CommandPlatform host(kCommand);
  Program program;
  program.Host = &host;
  if (!LoadPageFigure(parsed, program, error)) return Fail(kCommand, error, kRenderUnreadable);
  program.Config.WWWurl = parsed.Url.value_or(std::string(kBuiltInWWWurl));
  if (!WriteOnlineSavePage(program, *parsed.Output, error)) {
    return Fail(kCommand, error, kRenderWriteFailed);
  }
  std::cout << parsed.Output->string() << '\n';
  return kRenderOk;
}

}  // namespace plandra
