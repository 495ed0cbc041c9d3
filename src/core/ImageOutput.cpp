#include "core/ImageOutput.h"

#include <optional>
#include <utility>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/io/FigFileIO.h"
#include "figure/PDtype05.h"
#include "files/PDio05.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kClipboardFailedText = "画像をクリップボードに送れませんでした。";
constexpr std::string_view kWindowStateText = "最大化あるいは最小化されているのでできません。";

constexpr std::array<std::string_view, 5> kCycleCaptions{"PD5択用", "1/2縮小表示", "サムネイル表示",
                                                         "eKolla用サムネイル", "標準に戻す"};
constexpr std::array<std::string_view, 4> kSmallThumbnailHides{"mnuDeform", "mnuLocus", "mnuZoom",
                                                               "mnuHelp"};

// Outer sizes in twips; the small thumbnail's is ours to choose.
constexpr int kHalfWidth = 7000, kHalfHeight = 4900;
constexpr int kThumbWidth = 3500, kThumbHeight = 4300;
constexpr int kSmallThumbWidth = 2800, kSmallThumbHeight = 3400;
constexpr float kThumbFontSize = 10;
constexpr float kSmallThumbFontSize = 8;
constexpr std::string_view kSmallThumbFont = "ＭＳ Ｐゴシック";

void ShowMessage(Program& p, std::string_view text) {
  p.Host->MessageBox(Translate(p.Lang, text), Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

void SetMenusShown(Program& p, const std::array<bool, 4>& shown) {
  for (size_t i = 0; i < kSmallThumbnailHides.size(); ++i) {
    if (MenuItem* item = FindMenuItem(p.Menu, kSmallThumbnailHides[i])) item->Visible = shown[i];
  }
}

void Remember(Program& p, const WindowGeometry& window) {
  ThumbnailMemory& memory = p.Thumbnail;
  memory.Window = window;
  memory.View = p.View;
  memory.FontSize = p.Config.FontSize;
  memory.FontName = p.Config.FontName;
  for (size_t i = 0; i < kSmallThumbnailHides.size(); ++i) {
    const MenuItem* item = FindMenuItem(p.Menu, kSmallThumbnailHides[i]);
    memory.MenuVisible[i] = item == nullptr || item->Visible;
  }
}

void RestoreNormal(Program& p, WindowGeometry& window) {
  const ThumbnailMemory& memory = p.Thumbnail;
  window.OuterWidth = memory.Window.OuterWidth;
  window.OuterHeight = memory.Window.OuterHeight;
  window.StatusBarVisible = memory.Window.StatusBarVisible;
  p.View = memory.View;
  p.Config.FontSize = memory.FontSize;
  p.Config.FontName = memory.FontName;
  SetMenusShown(p, memory.MenuVisible);
  p.Draw.ThumbnailState = 0;
  SetScreen(p);
  Redraw(p);
}

void Resize(WindowGeometry& window, int width, int height) {
  window.OuterWidth = width;
  window.OuterHeight = height;
}

bool EndsWith(const fs::path& file, std::string_view extension) {
  std::string name = file.filename().string();
  if (name.size() < extension.size()) return false;
  return LowerAscii(std::string_view(name).substr(name.size() - extension.size())) == extension;
}

}  // namespace

FigureSetAside::FigureSetAside(Program& p)
    : p_(p), fig_(p.Fig), name_(p.CurFileName), saved_(p.SavedFigureText), viewer_(p.Viewer) {
  std::swap(locus_, p.Locus);
}

FigureSetAside::~FigureSetAside() {
  p_.Fig = std::move(fig_);
  p_.CurFileName = std::move(name_);
  p_.SavedFigureText = std::move(saved_);
  std::swap(locus_, p_.Locus);
  Redraw(p_);
  p_.Viewer = std::move(viewer_);
}

std::vector<fs::path> FigureFilesOf(const fs::path& folder, bool withPd5,
                                    std::vector<std::string>& problems) {
  std::vector<fs::path> files;
  std::error_code error;
  fs::directory_iterator it(folder, error);
  if (error) {
    problems.push_back(folder.string() + ": " + error.message());
    return files;
  }
  for (; it != fs::directory_iterator(); it.increment(error)) {
    if (error) break;
    const bool figure = EndsWith(it->path(), ".pd4") || (withPd5 && EndsWith(it->path(), ".pd5"));
    if (figure && it->is_regular_file(error)) files.push_back(it->path());
  }
  return files;
}

bool Copy_image_ClipBoard(Program& p) {
  SetScreen(p);
  CompleteSampledLoci(p);
  return p.Host->CopyPictureToClipboard();
}

void mnufBMP(Program& p) {
  if (!Copy_image_ClipBoard(p)) ShowMessage(p, kClipboardFailedText);
}

void mnuFprint(Program& p) {
  Redraw(p);
  CompleteSampledLoci(p);
  p.Host->PrintPicture();  // the printer's failure ends the command, unreported
  Redraw(p);
}

ThumbnailStep Set_Menu_Thumbnail(Program& p, WindowGeometry& window) {
  if (window.State == kWindowMaximized || window.State == kWindowMinimized) {
    ShowMessage(p, kWindowStateText);
    return ThumbnailStep::kRefused;
  }
  ThumbnailMemory& memory = p.Thumbnail;
  memory.Position = static_cast<int16_t>((memory.Position + 1) % kCycleCaptions.size());
  if (MenuItem* item = FindMenuItem(p.Menu, "mnuOWindowMini")) {
    item->Caption = Translate(p.Lang, kCycleCaptions[static_cast<size_t>(memory.Position)]);
  }
  switch (memory.Position) {
    case 1:
      Remember(p, window);
      p.Draw.ThumbnailState = 1;
      Resize(window, kHalfWidth, kHalfHeight);
      return ThumbnailStep::kResized;
    case 2:
      p.Draw.ThumbnailState = 2;
      Resize(window, kThumbWidth, kThumbHeight);
      p.Config.FontSize = kThumbFontSize;
      mnuZoomOut(p);
      return ThumbnailStep::kResized;
    case 3:
      p.Draw.ThumbnailState = 3;
      SetMenusShown(p, {false, false, false, false});
      Resize(window, kSmallThumbWidth, kSmallThumbHeight);
      p.Config.FontSize = kSmallThumbFontSize;
      p.Config.FontName = std::string(kSmallThumbFont);
      mnuZoomOut(p);
      return ThumbnailStep::kResized;
    default:
      // Both "back" and "normal" bring back the window the cycle began with.
      if (p.Draw.ThumbnailState != 0) RestoreNormal(p, window);
      return ThumbnailStep::kRestored;
  }
}

bool ThumbnailCapture(Program& p) {
  SetScreen(p);
  Redraw(p);
  CompleteSampledLoci(p);
  return p.Host->CopyPictureToClipboard();
}

std::string BatchPictureName(const fs::path& figure, int16_t thumbnailState) {
  std::string name = figure.filename().string();
  name = name.substr(0, name.find('.')) + ".bmp";
  return thumbnailState >= 2 ? "t_" + name : name;
}

BatchResult mnuHmakeAllBmp(Program& p, const fs::path& folder) {
  BatchResult result;
  fs::path pictures = folder / "bmp";
  std::error_code error;
  if (!fs::is_directory(pictures, error) && !fs::create_directory(pictures, error)) {
    result.Problems.push_back(pictures.string() + ": " + error.message());
    return result;
  }
  const FigureSetAside open(p);
  for (const fs::path& file : FigureFilesOf(folder, false, result.Problems)) {
    p.CurFileName = file.string();
    FigFileResult read = FigFileIO(p, 'R');
    if (read.Status != FigFileStatus::kOk) {
      result.Problems.push_back(read.Message.empty() ? file.string() : read.Message);
      continue;
    }
    Redraw(p);
    CompleteSampledLoci(p);
    fs::path picture = pictures / BatchPictureName(file, p.Draw.ThumbnailState);
    if (p.Host->SavePicture(picture)) {
      result.Written.push_back(picture);
    } else {
      result.Problems.push_back(picture.string() + ": the picture could not be saved");
    }
  }
  return result;
}

}  // namespace plandra
