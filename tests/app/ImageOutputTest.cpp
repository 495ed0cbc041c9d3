#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "core/ImageOutput.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/io/FigFileIO.h"
#include "core/menus/MenuBar.h"
#include "files/PDio05.h"
#include "view/ViewFixture.h"

namespace plandra::test {
namespace {

namespace fs = std::filesystem;

class ImageOutputTest : public ViewTest {
 protected:
  ImageOutputTest() { ShowFullMenu(p.Menu); }

  void WriteFigure(const fs::path& file, int points) {
    Figure fig;
    ResetFigure(fig, 200);
    for (int i = 0; i < points; ++i) AddFreePoint(fig, i, i);
    ASSERT_EQ(FigFileCoreShown(fig, file, 'W', platform, p.Lang).Status, FigFileStatus::kOk);
  }

  std::string MiniCaption() { return FindMenuItem(p.Menu, "mnuOWindowMini")->Caption; }
  bool Shown(std::string_view menu) { return FindMenuItem(p.Menu, menu)->Visible; }
};

// The folder commands work on the open figure's folder (not wherever the
// program was started), name it in their question, and do nothing on Cancel.
TEST_F(ImageOutputTest, FolderCommandsUseTheFiguresFolderAndNameIt) {
  fs::create_directory(temp / "lesson");
  WriteFigure(temp / "lesson" / "a.pd4", 2);
  p.CurFileName = (temp / "lesson" / "a.pd4").string();
  p.Folders.Folder = temp.Path();
  platform.Answers = {MsgResult::kCancel};
  RunMenuCommand(p, "mnuHmakeAllBmp");
  EXPECT_FALSE(fs::exists(temp / "lesson" / "bmp"));
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_NE(platform.Messages[0].Text.find((temp / "lesson").string()), std::string::npos);
  RunMenuCommand(p, "mnuHmakeAllBmp");
  ASSERT_EQ(platform.SavedPictures.size(), 1u);
  EXPECT_EQ(platform.SavedPictures[0], temp / "lesson" / "bmp" / "a.bmp");
  RunMenuCommand(p, "mnuFDataFolderStandardSet");
  EXPECT_NE(ReadFileBytes(temp / "datapath.txt").find("lesson"), std::string::npos);
}

TEST_F(ImageOutputTest, BatchWritesOnePicturePerFigureAndCollectsTheBrokenOnes) {
  WriteFigure(temp / "a.b.pd4", 2);
  WriteFigure(temp / "other.PD4", 1);
  WriteFileBytes(temp / "broken.pd4", "3\r\n\"PNEW\"\r\n");
  WriteFileBytes(temp / "notes.txt", "x");
  fs::copy_file(PLANDRA_SAMPLES "/projective.pd4", temp / "projective.pd4");
  BatchResult result = mnuHmakeAllBmp(p, temp.Path());
  EXPECT_FALSE(p.Viewer.Shown);  // a map's matrices open no window

  EXPECT_TRUE(fs::is_directory(temp / "bmp"));
  std::vector<fs::path> written = result.Written;
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<fs::path>{temp / "bmp" / "a.bmp", temp / "bmp" / "other.bmp",
                                            temp / "bmp" / "projective.bmp"}));
  EXPECT_EQ(platform.SavedPictures.size(), 3u);
  ASSERT_EQ(result.Problems.size(), 1u);
  EXPECT_NE(result.Problems[0].find("broken.pd4"), std::string::npos) << result.Problems[0];
  EXPECT_TRUE(platform.Messages.empty());
  // The open figure and its name are given back.
  EXPECT_EQ(p.CurFileName, "untitled");
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 0);

  // In the thumbnail states the names get "t_"; a refused save is collected.
  EXPECT_EQ(BatchPictureName("x.y.pd4", 0), "x.bmp");
  EXPECT_EQ(BatchPictureName("x.pd4", 1), "x.bmp");
  EXPECT_EQ(BatchPictureName("x.pd4", 2), "t_x.bmp");
  EXPECT_EQ(BatchPictureName("x.pd4", 3), "t_x.bmp");
  p.Draw.ThumbnailState = 2;
  platform.PictureResult = false;
  fs::remove(temp / "broken.pd4");
  fs::remove(temp / "other.PD4");
  fs::remove(temp / "projective.pd4");
  result = mnuHmakeAllBmp(p, temp.Path());
  EXPECT_TRUE(result.Written.empty());
  ASSERT_EQ(result.Problems.size(), 1u);
  EXPECT_EQ(platform.SavedPictures.back(), temp / "bmp" / "t_a.bmp");
}

TEST_F(ImageOutputTest, AFolderWithoutFiguresGetsOnlyTheSubfolder) {
  WriteFileBytes(temp / "readme.txt", "x");
  BatchResult result = mnuHmakeAllBmp(p, temp.Path());
  EXPECT_TRUE(result.Written.empty());
  EXPECT_TRUE(result.Problems.empty());
  EXPECT_TRUE(fs::is_directory(temp / "bmp"));
  EXPECT_TRUE(fs::is_empty(temp / "bmp"));
  EXPECT_TRUE(platform.SavedPictures.empty());

  BatchResult missing = mnuHmakeAllBmp(p, temp / "gone");
  EXPECT_EQ(missing.Problems.size(), 1u);
}

TEST_F(ImageOutputTest, ThumbnailCycleAndItsRefusal) {
  WindowGeometry window{9000, 7000, 641, 481, kWindowMaximized, true};
  std::string caption = MiniCaption();
  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kRefused);
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text, "最大化あるいは最小化されているのでできません。");
  EXPECT_EQ(window.OuterWidth, 9000);
  EXPECT_EQ(MiniCaption(), caption);
  EXPECT_EQ(p.Draw.ThumbnailState, 0);

  window.State = kWindowNormal;
  double pixelSize = p.View.PixelSize;
  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kResized);
  EXPECT_EQ(window.OuterWidth, 7000);
  EXPECT_EQ(window.OuterHeight, 4900);
  EXPECT_EQ(MiniCaption(), "1/2縮小表示");
  EXPECT_TRUE(ThumbnailCapture(p));
  EXPECT_EQ(platform.ClipboardCopies, 1);

  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kResized);
  EXPECT_EQ(window.OuterWidth, 3500);
  EXPECT_EQ(window.OuterHeight, 4300);
  EXPECT_EQ(p.Draw.ThumbnailState, 2);
  EXPECT_NE(p.View.PixelSize, pixelSize);
  ThumbnailCapture(p);
  EXPECT_EQ(surface.FontSize(), 10);

  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kResized);
  EXPECT_EQ(p.Draw.ThumbnailState, 3);
  EXPECT_FALSE(Shown("mnuDeform"));
  EXPECT_FALSE(Shown("mnuHelp"));
  ThumbnailCapture(p);
  EXPECT_EQ(surface.FontSize(), 8);
  EXPECT_EQ(surface.FontFamily(), "ＭＳ Ｐゴシック");

  // Back: everything the cycle began with returns.
  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kRestored);
  EXPECT_EQ(MiniCaption(), "標準に戻す");
  EXPECT_EQ(window.OuterWidth, 9000);
  EXPECT_EQ(window.OuterHeight, 7000);
  EXPECT_EQ(p.Draw.ThumbnailState, 0);
  EXPECT_EQ(p.View.PixelSize, pixelSize);
  EXPECT_TRUE(Shown("mnuDeform") && Shown("mnuLocus") && Shown("mnuZoom") && Shown("mnuHelp"));
  EXPECT_EQ(surface.FontSize(), p.Config.FontSize);
  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kRestored);
  EXPECT_EQ(MiniCaption(), "PD5択用");
  EXPECT_EQ(Set_Menu_Thumbnail(p, window), ThumbnailStep::kResized);
  EXPECT_EQ(p.Draw.ThumbnailState, 1);
  EXPECT_EQ(RunMenuCommand(p, "mnuOWindowMini").Status, CommandStatus::kWindowCommand);
}

TEST_F(ImageOutputTest, ClipboardPrintAndThePicturePanel) {
  MarkAvailablePanels(p);
  StatusPanelClick(p, kPicturePanel);
  EXPECT_EQ(platform.ClipboardCopies, 1);
  EXPECT_TRUE(p.Draw.PicturePanelInset);
  Redraw(p);
  EXPECT_FALSE(p.Draw.PicturePanelInset);

  platform.PictureResult = false;
  RunMenuCommand(p, "mnufBMP");
  EXPECT_EQ(platform.ClipboardCopies, 2);
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text, "画像をクリップボードに送れませんでした。");

  uint32_t redraws = p.Draw.RedrawCount;
  EXPECT_EQ(RunMenuCommand(p, "mnuFprint").Status, CommandStatus::kDone);
  EXPECT_EQ(platform.Prints, 1);
  EXPECT_EQ(p.Draw.RedrawCount, redraws + 2);
  EXPECT_EQ(platform.Messages.size(), 1u);  // the printer's failure is silent
}

}  // namespace
}  // namespace plandra::test
