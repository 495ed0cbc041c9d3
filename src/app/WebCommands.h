// Publishing a figure through the browser: the page with the live viewer
// beside the figure file, and the form that saves the figure on a web server.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plandra {

struct LangState;
struct Program;

constexpr std::string_view kNoViewerText = "Jarファイル等がないので, Html生成ができません";
constexpr std::string_view kPageNotWrittenText = "HTMLページを書けませんでした。";
constexpr std::string_view kPageNotOpenedText = "ページを開けませんでした。";
constexpr std::string_view kOpenInProgramText = "この図をプログラムで開く";

// The page's language as HTML names it; a user's dictionary may be any.
std::string PageLanguage(const LangState& lang);

// The words a page puts around its description of the figure (the class
// words, "decimals", and "kind.CODE" for each kind of the figure's steps),
// by name, in the program's language.
using PageWords = std::vector<std::pair<std::string, std::string>>;
PageWords DescriptionWords(Program& p);

// The static picture of the figure as the window shows it, at the window's
// size (641 x 481 without a window), without the highlights of the moment.
std::string FigurePictureSvg(Program& p);

struct PageExport {
  bool Ok = false;
  std::filesystem::path Page;
  std::string Message;  // translated: what failed, the file and why
};

// The figure a "!_" event point links to, for its page: the figure file and
// its page, each empty when there is none to link to.
struct LinkedFigurePage {
  std::filesystem::path File;
  std::filesystem::path Page;
};
using LinkedPageFinder = std::function<LinkedFigurePage(std::string_view target)>;

// The linked figure in the figure's own folder, and the page beside it when
// one was exported there before.
LinkedFigurePage LinkedPageBeside(const Program& p, std::string_view target);

// Writes the page of the figure saved as CurFileName to page, with the
// viewer's script copied beside it when none is there yet. The template and
// the viewer are looked up in the folder "web" of the program's data. The
// figures its event points link to are found by linked (LinkedPageBeside
// when none is given). With a program (the browser program's page), the page
// links to it with its figure, in the page's language.
PageExport ExportFigurePage(Program& p, const std::filesystem::path& page,
                            const LinkedPageFinder& linked = {},
                            const std::filesystem::path& program = {});

// Saves the figure with the save command, then writes its page beside it and
// opens the page. A cancelled or failed save publishes nothing.
void mnuf_html(Program& p);

// The online-saving form of the figure written to page; false with the
// translated reason in message.
bool WriteOnlineSavePage(Program& p, const std::filesystem::path& page, std::string& message);
// Writes the form to the program folder and opens it in the browser.
void mnuSaveOnLine(Program& p);

// Asks for the server address; a blank answer or a cancel keeps the old one.
void mnuOwwwManual(Program& p);
void mnuOwwwVarnhof(Program& p);

}  // namespace plandra
