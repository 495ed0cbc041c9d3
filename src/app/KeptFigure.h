// The open figure as the browser keeps it after every change, so that a
// closed tab, a crash or a flat battery loses nothing: the figure, its name,
// the text last saved (whether it counts as changed) and the undone steps a
// redo can bring back. The next visit offers it.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

struct Program;

constexpr std::string_view kKeptFigureQuestion =
    "前回の作図が残っています。続きから作図しますか。";
constexpr std::string_view kKeptFigureDamagedText = "残っていた作図を読めませんでした。";
constexpr std::string_view kKeepRefusedText =
    "ブラウザに作図を残せません(保存領域がいっぱいか,許可されていません)。"
    "ファイルに保存してください。";

// The kept form of the program's figure. Written only by KeptFigureText;
// read only by RestoreKeptFigure.
std::string KeptFigureText(const Program& p);

// Asks whether to carry on with the kept figure, unless it is empty, and
// when the user agrees puts it in place of the open one with its name, saved
// state and redo steps. A damaged kept figure is told and leaves the open
// figure as it is. True when the kept figure was restored.
bool OfferKeptFigure(Program& p, std::string_view kept);

// The browser could not keep the figure: the user is told once and offered
// the save, which in the browser is a download.
void KeepRefused(Program& p);

}  // namespace plandra
