// plandra-cli: the figure engine without a window.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "CliHtml.h"
#include "CliJson.h"
#include "CliRender.h"
#include "app/FigDataView.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/io/FigFileIO.h"
#include "core/language/Multi_lang.h"
#include "engine/GeoObj05.h"
#include "files/PDio05.h"

namespace {

using namespace plandra;

constexpr int kExitUsage = 1;
constexpr int kExitBadFile = 2;
constexpr int16_t kCliCapacity = 200;

constexpr std::string_view kHelp =
    "Usage: plandra-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  dump FIGURE   read a figure file (.pd4/.pd5), recompute it as the window does\n"
    "                before drawing, and print steps and elements as JSON on stdout\n"
    "  report FIGURE [--lang japanese|english]\n"
    "                print the construction report (steps and elements) as text\n"
    "  render FIGURE -o OUT.png|.svg|.pdf|.bmp [--size WxH] [--pixel-size P]\n"
    "                [--grid none|orthogonal|polar] [--lang japanese|english] [--aliased]\n"
    "                draw the figure as the window does, without a window\n"
    "  html FIGURE [-o PAGE] [--lang japanese|english]\n"
    "                the figure's web page (FIGURE with .htm by default), with its\n"
    "                text, a static picture and the viewer's script beside it\n"
    "  html FOLDER [-o OUTFOLDER] [--lang japanese|english] [--program]\n"
    "                a lesson: a page for every figure (.pd4, .pd5) of the folder,\n"
    "                one viewer, the figures, the pictures and memos their events\n"
    "                name, and index.html with a thumbnail of each (exit status 2\n"
    "                when a figure could not be read; the others are published);\n"
    "                --program puts the browser program beside them, and each page\n"
    "                links to it with its figure\n"
    "  online FIGURE -o PAGE [--url URL] [--lang japanese|english]\n"
    "                the form that posts the figure to a web server\n"
    "  batch [FOLDER]\n"
    "                every *.pd4 of the folder (default: the current one) as a\n"
    "                bitmap in its subfolder bmp/, named up to the first \".\"\n"
    "  --help        show this text\n"
    "\n"
    "Exit status: 0 success, 1 bad usage, 2 a file that cannot be read,\n"
    "3 an output that cannot be written (html: also the viewer, template or program missing).\n";

// Messages go to standard error instead of a window; the beep is silent.
class ConsolePlatform : public SilentPlatform {
 public:
  MsgResult MessageBox(std::string_view text, std::string_view, MsgButtons) override {
    std::cerr << text << '\n';
    return MsgResult::kOk;
  }
};

int Usage(std::string_view problem) {
  std::cerr << "plandra-cli: " << problem << "\n\n" << kHelp;
  return kExitUsage;
}

// Reads a figure into the program as opening it in the window does (labels
// refreshed); prints why not and returns false on failure.
bool LoadFigure(Program& program, const std::string& file) {
  ResetFigure(program.Fig, kCliCapacity);
  program.CurFileName = file;
  FigFileResult result = FigFileIO(program, 'R');
  if (result.Status == FigFileStatus::kOk) return true;
  if (result.Status == FigFileStatus::kNotFound) {
    std::cerr << "plandra-cli: " << file << ": no such file\n";
  } else {
    std::cerr << "plandra-cli: " << result.Message << '\n';
  }
  return false;
}

int Dump(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage("dump takes one figure file");
  ConsolePlatform platform;
  Program program;
  program.Host = &platform;
  if (!LoadFigure(program, args[0])) return kExitBadFile;
  RecomputeForRedraw(program.Fig, platform);
  WriteFigureJson(std::cout, program.Fig, args[0]);
  std::cout << '\n';
  return 0;
}

int Report(const std::vector<std::string>& args) {
  std::string file;
  std::string language = "japanese";
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--lang" && i + 1 < args.size()) {
      language = args[++i];
    } else if (file.empty() && !args[i].starts_with("--")) {
      file = args[i];
    } else {
      return Usage("report takes one figure file and --lang japanese|english");
    }
  }
  if (file.empty()) return Usage("report takes one figure file");
  if (language != "japanese" && language != "english") {
    return Usage("--lang takes japanese or english");
  }
  ConsolePlatform platform;
  Program program;
  program.Host = &platform;
  program.Lang.Language = language;
  if (!LoadFigure(program, file)) return kExitBadFile;
  RecomputeForRedraw(program.Fig, platform);
  std::cout << FigDataViewReport(program.Fig, program.Lang, program.CurFileName,
                                 program.Config.KetaDecimal);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return Usage("no command given");
  std::string command = args.front();
  args.erase(args.begin());
  if (command == "--help" || command == "-h" || command == "help") {
    std::cout << kHelp;
    return 0;
  }
  if (command == "dump") return Dump(args);
  if (command == "report") return Report(args);
  if (command == "render") return RenderCommand(args);
  if (command == "batch") return BatchCommand(args);
  if (command == "html") return HtmlCommand(args);
  if (command == "online") return OnlineCommand(args);
  return Usage("unknown command \"" + command + "\"");
}
