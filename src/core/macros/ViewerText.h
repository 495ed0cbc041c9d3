// The text of the Data Viewer window as data: the blocks that the matrix
// displays write into it and the write-mode rule. The window itself mirrors
// this state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/MapEval.h"

namespace plandra {

struct LangState;

constexpr int16_t kViewerOverwrite = 0;
constexpr int16_t kViewerAppend = 1;
constexpr int16_t kViewerPrepend = 2;

struct ViewerText {
  std::string Text;
  std::string Heading;  // what the viewer shows: a matrix display or the data view
  int16_t ViewerWriteMode = kViewerOverwrite;
  bool Shown = false;
};

// Writes a block by the write mode: replaces the text, or adds it after or
// before what is there.
void ViewerWrite(ViewerText& viewer, std::string_view block);
void ViewerClear(ViewerText& viewer);  // mnuClear
// The three mode items; a mode outside 0..2 is refused (false).
bool SetViewerWriteMode(ViewerText& viewer, int16_t mode);

// Lines of the viewer end in CR LF.
std::string MatrixBlock(std::string_view name, const MapMatrix& matrix);
// Shows the viewer with the block under the heading of the matrix displays.
void InspectMatrix(ViewerText& viewer, LangState& lang, std::string_view name,
                   const MapMatrix& matrix);
// The map steps' matrices shown in the viewer; viewer and lang must outlive
// the display.
MatrixDisplay ViewerMatrixDisplay(ViewerText& viewer, LangState& lang, int16_t matrixShowSwitch);
void inspectD(ViewerText& viewer, LangState& lang, double a, std::string_view x);

// The matrix items of the viewer's menu are shown only under the heading of
// the matrix displays.
bool MatrixItemsVisible(const ViewerText& viewer, LangState& lang);

// The viewer's menu bar, for every front end: the items in order, each with
// its name, its caption (translated when shown), and for the mode items the
// write mode it checks; Items of a top item are its submenu.
struct ViewerMenuItem {
  const char* Name;
  const char* Caption;
  int16_t Mode = -1;  // a mode item's write mode, checked while it is the viewer's
  bool Submenu = false;
  // The main window's command the item runs (the matrix switch), which the
  // front end runs in place of ViewerChoose; such an item is a matrix item.
  const char* MainCommand = nullptr;
};
inline constexpr ViewerMenuItem kViewerMenu[] = {
    {"mnuClear", "クリア"},
    {"mnuMode", "モード", -1, true},
    {"mnuModeOverwrite", "上書", kViewerOverwrite},
    {"mnuModeAppend", "追加", kViewerAppend},
    {"mnuModeFowardAppend", "先送り", kViewerPrepend},
    {"mnuDispMatrixSWOff", "行列表示Off", -1, false, "mnuPTmatrixSW"},
    {"mnuExit", "終了"},
};
inline constexpr const char* kViewerTitle = "Data Viewer";
// Whether the item is in the viewer's menu now: a matrix item only under the
// heading of the matrix displays.
bool ViewerItemVisible(const ViewerText& viewer, LangState& lang, const ViewerMenuItem& item);
// Clears, sets the write mode or hides the viewer as the item says; the
// matrix switch is the main window's command, run by the front end.
void ViewerChoose(ViewerText& viewer, const ViewerMenuItem& item);

// Number text as the viewer prints it: up to 15 significant digits, no
// padding, "0" for minus zero.
std::string MatrixEntryText(double value);

}  // namespace plandra
