// The figure as a picture: to the clipboard, to the printer, the cycle of
// reduced window sizes for thumbnails, and bitmaps of every figure of a folder.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/WindowState.h"
#include "core/locus/PdLocus.h"
#include "core/macros/ViewerText.h"
#include "figure/PDtype05.h"
#include "view/PDDraw05.h"

namespace plandra {

struct Program;

// What the thumbnail cycle remembers when it leaves the normal state.
struct ThumbnailMemory {
  int16_t Position = 0;  // 0 normal, 1 half, 2 thumbnail, 3 small thumbnail, 4 back
  WindowGeometry Window;
  ViewState View;
  float FontSize = 9;
  std::string FontName;
  std::array<bool, 4> MenuVisible{};  // the menus the small thumbnail hides
};

// The window's picture on the clipboard; false when the desktop refused.
bool Copy_image_ClipBoard(Program& p);
// The picture to the clipboard; a refusal is told. Then panel 6 is inset.
void mnufBMP(Program& p);
// Prints the window's picture; a failure ends silently.
void mnuFprint(Program& p);

enum class ThumbnailStep {
  kRefused,   // maximized or minimized: the message was shown
  kRestored,  // back to the remembered normal window
  kResized,   // the window applies the new size, then runs ThumbnailCapture
};
// Moves the cycle one state on, changing window for the window to apply, and
// relabels mnuOWindowMini.
ThumbnailStep Set_Menu_Thumbnail(Program& p, WindowGeometry& window);
// After the window took its new size: SetScreen, redraw, to the clipboard.
bool ThumbnailCapture(Program& p);

// The open figure, its name and its traces, put aside while a batch reads
// other figures through the program and given back after: a batch only
// makes pictures and pages. With the traces the locus switch goes aside too,
// so that no other figure's values enter the record.
class FigureSetAside {
 public:
  explicit FigureSetAside(Program& p);
  ~FigureSetAside();
  FigureSetAside(const FigureSetAside&) = delete;
  FigureSetAside& operator=(const FigureSetAside&) = delete;

 private:
  Program& p_;
  Figure fig_;
  std::string name_;
  std::optional<std::string> saved_;
  LocusState locus_;
  ViewerText viewer_;  // the figures set in meanwhile show their maps to nobody
};

// The figure files of folder, not of its subfolders, in the order of the
// listing: "*.pd4", and "*.pd5" too when withPd5.
std::vector<std::filesystem::path> FigureFilesOf(const std::filesystem::path& folder, bool withPd5,
                                                 std::vector<std::string>& problems);

struct BatchResult {
  std::vector<std::filesystem::path> Written;
  std::vector<std::string> Problems;  // one line for each file that gave no picture
};
// Every "*.pd4" of folder as a bitmap in its subfolder "bmp".
BatchResult mnuHmakeAllBmp(Program& p, const std::filesystem::path& folder);
// The bitmap's name for a figure file: cut at the first ".", "t_" before it
// in the two thumbnail states.
std::string BatchPictureName(const std::filesystem::path& figure, int16_t thumbnailState);

}  // namespace plandra
