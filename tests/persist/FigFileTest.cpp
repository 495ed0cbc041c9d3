#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "FigFileTestSupport.h"

namespace plandra {
namespace {

using test::Bytes;
using test::FigFileRun;
using test::Golden;
using test::GoldenPath;
using test::Loaded;
using test::Parse;
using test::ReplaceAll;
using test::TempDir;

TEST(FigFile, GoldenTriangleLoadsEveryField) {
  Figure fig = Loaded("triangle.pd4");
  ASSERT_EQ(fig.StepCount, 7);
  EXPECT_EQ(StepKindText(fig, 1), "PNEW");
  EXPECT_EQ(fig.StepKindId[4], Kind::L1);
  EXPECT_EQ(fig.StepKindId[7], Kind::C3);
  EXPECT_EQ(fig.StepIn[5][1], (ObjRef{1, 2}));
  EXPECT_EQ(fig.StepIn[5][2], (ObjRef{1, 3}));
  EXPECT_EQ(fig.StepIn[7][3], (ObjRef{1, 3}));
  EXPECT_EQ(fig.StepIn[7][4], (ObjRef{0, 0}));
  EXPECT_EQ(fig.StepOut[6][1], (ObjRef{2, 3}));
  EXPECT_EQ(fig.StepOut[7][1], (ObjRef{3, 1}));
  EXPECT_EQ(fig.ElemCount[0], 0);
  EXPECT_EQ(fig.ElemCount[1], 3);
  EXPECT_EQ(fig.ElemCount[2], 3);
  EXPECT_EQ(fig.ElemCount[3], 1);
  EXPECT_POINT_NEAR(0, 3, fig.PtTable[3], 0);
  EXPECT_EQ(fig.PtTable[3].Style, 4);
  EXPECT_EQ(fig.PtTable[3].Mark, 2);
  EXPECT_EQ(fig.PtTable[3].BoundMode, kTrue);
  EXPECT_EQ(fig.PtTable[2].Name, "B");
  const LnRec& bc = fig.LnTable[2];
  EXPECT_EQ(bc.X1, 4);
  EXPECT_EQ(bc.Y2, 3);
  EXPECT_EQ(bc.DX, -0.8);
  EXPECT_EQ(bc.DY, 0.6);
  EXPECT_EQ(bc.LineKind, 1);
  EXPECT_EQ(bc.Color, 5);
  EXPECT_EQ(bc.Name, "BC");
  EXPECT_EQ(fig.CirTable[1].CX, 2);
  EXPECT_EQ(fig.CirTable[1].CY, 1.5);
  EXPECT_EQ(fig.CirTable[1].R, 2.5);
  EXPECT_EQ(fig.CirTable[1].Color, 1);
  EXPECT_EQ(fig.ComplexOpsUsed, kFalse);
  EXPECT_EQ(fig.StepRev[7], 0);
}

TEST(FigFile, GoldenFilesWriteBackByteIdentical) {
  for (const char* name : {"triangle.pd4", "numbers.pd4", "trailer.pd4", "japanese.pd4"}) {
    SCOPED_TRACE(name);
    Figure fig = Loaded(name);
    TempDir dir;
    FigFileRun run;
    FigFileResult result = run.Run(fig, dir / "out.pd4", 'W');
    EXPECT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
    EXPECT_FALSE(result.LostCharacters);
    EXPECT_EQ(test::ReadFileBytes(dir / "out.pd4"), Golden(name));
    EXPECT_EQ(run.Platform.Beeps, 0);
    EXPECT_TRUE(run.Platform.Messages.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1)
        << "no temporary file is left behind";
  }
}

TEST(FigFile, NumbersKeepNameVisibilityExpressionAndFlag) {
  Figure fig = Loaded("numbers.pd4");
  ASSERT_EQ(fig.ElemCount[0], 5);
  EXPECT_EQ(fig.StepOut[3][1], (ObjRef{100, 1}));
  EXPECT_EQ(fig.StepOut[4][1], (ObjRef{0, 3}));
  const NumRec& distance = fig.NumTable[1];
  EXPECT_EQ(distance.Value, 5);
  EXPECT_EQ(distance.Name, "AB");
  EXPECT_EQ(distance.NumShow, 0);
  EXPECT_EQ(distance.NumFlag, 0);
  EXPECT_EQ(fig.NumTable[2].NumFlag, kTrue);
  const NumRec& calc = fig.NumTable[3];
  EXPECT_EQ(calc.Name, "AB*k");
  EXPECT_EQ(calc.NumShow, 7);
  EXPECT_EQ(calc.Expr, "N1*N2");
  EXPECT_EQ(fig.NumTable[4].Value, 1.2e-5);
  EXPECT_EQ(fig.NumTable[5].Value, -0.25);
  EXPECT_EQ(fig.NumTable[5].Exists, 0);
  EXPECT_EQ(fig.NumTable[5].Name, "");
  EXPECT_EQ(fig.NumTable[5].NumShow, 7);
}

TEST(FigFile, JapaneseNamesComeThroughTheCodePage) {
  Figure fig = Loaded("japanese.pd4");
  EXPECT_EQ(fig.PtTable[1].Name, "点Ａ");
  EXPECT_EQ(fig.PtTable[2].Name, "①");  // its second byte is "@"
  EXPECT_EQ(fig.PtTable[3].Name, "～");
  EXPECT_EQ(fig.LnTable[1].Name, "ソ辺");   // its second byte is "\"
  EXPECT_EQ(fig.NumTable[1].Name, "点数");  // its second byte is "_"
  EXPECT_EQ(fig.NumTable[1].NumShow, 0);
  EXPECT_EQ(fig.NumTable[1].Expr, "");
}

TEST(FigFile, WriterLayoutRules) {
  Figure fig;
  ResetFigure(fig, 200);
  EXPECT_EQ(Bytes(fig), "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");

  int16_t a = test::AddFreePoint(fig, 1, 2);
  int16_t b = test::AddFreePoint(fig, 3, 4);
  test::AddStep(fig, "L1", {{101, a}, {1, b}});
  fig.StepOut[3][2] = {101, 2};
  int16_t n = test::AddNumber(fig, 0.5);
  fig.NumTable[n].Name = "a";
  fig.NumTable[n].NumShow = 7;
  fig.PtTable[a].Name = "say \"hi\"\r\nthere";
  fig.PtTable[b].Name = "B   ";
  std::string text = Bytes(fig);
  EXPECT_NE(text.find("\r\n1,1\r\n1,2\r\n0,0\r\n"), std::string::npos) << "input 101 is written 1";
  EXPECT_NE(text.find("\r\n2,1\r\n101,2\r\n"), std::string::npos) << "outputs as they stand";
  EXPECT_NE(text.find("\r\n0.5,-1,\"a_@\"\r\n-1\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"B\"\r\n"), std::string::npos) << "trailing blanks removed";
  bool lost = false;
  EXPECT_NE(text.find(Utf8ToCp932("\"say ＂hi＂  there\"", lost)), std::string::npos);
  EXPECT_FALSE(lost);
  EXPECT_EQ(ReplaceAll(text, "\r\n", "").find('\n'), std::string::npos) << "only CR LF";
  EXPECT_TRUE(text.ends_with("\r\n"));

  Figure back;
  ResetFigure(back, 200);
  ASSERT_EQ(Parse(back, text).Status, FigFileStatus::kOk);
  EXPECT_EQ(back.StepIn[3][1], (ObjRef{1, a}));
  EXPECT_EQ(back.NumTable[n].Name, "a");
  EXPECT_EQ(back.NumTable[n].NumShow, 7);
  EXPECT_EQ(back.PtTable[a].Name, "say ＂hi＂  there");
  EXPECT_EQ(Bytes(back), text);
}

// A name holding "_" or "@" (a label made from point names, say) is written
// with their full-width forms, so the hiding mark and the expression are not
// taken from it; a file that holds them as they are reads as the format says.
TEST(FigFile, NamesHoldingUnderscoreOrAtKeepThemFullWidth) {
  Figure fig;
  ResetFigure(fig, 200);
  fig.NumTable[test::AddNumber(fig, 1)].Name = "x_y";
  fig.NumTable[test::AddNumber(fig, 2)].Name = "p@q";
  int16_t withExpr = test::AddNumber(fig, 3);
  fig.NumTable[withExpr].Name = "s";
  fig.NumTable[withExpr].Expr = "N1@N2";
  Figure back;
  ResetFigure(back, 200);
  ASSERT_EQ(Parse(back, Bytes(fig)).Status, FigFileStatus::kOk);
  EXPECT_EQ(back.NumTable[1].Name, "x＿y");
  EXPECT_EQ(back.NumTable[1].NumShow, 0);
  EXPECT_EQ(back.NumTable[1].Expr, "");
  EXPECT_EQ(back.NumTable[2].Name, "p＠q");
  EXPECT_EQ(back.NumTable[2].NumShow, 0);
  EXPECT_EQ(back.NumTable[2].Expr, "");
  EXPECT_EQ(back.NumTable[3].Expr, "N1@N2");

  std::string literal = Bytes(fig);
  bool lost = false;
  const std::string written = Utf8ToCp932("\"x＿y@\"", lost);
  ASSERT_NE(literal.find(written), std::string::npos);
  literal.replace(literal.find(written), written.size(), "\"x_y@\"");
  ResetFigure(back, 200);
  ASSERT_EQ(Parse(back, literal).Status, FigFileStatus::kOk);
  EXPECT_EQ(back.NumTable[1].Name, "x");
  EXPECT_EQ(back.NumTable[1].NumShow, 7);
}

TEST(FigFile, CharactersTheCodePageLacksAreReported) {
  Figure fig;
  ResetFigure(fig, 200);
  fig.PtTable[test::AddFreePoint(fig, 0, 0)].Name = "P😀";
  TempDir dir;
  FigFileRun run;
  FigFileResult result = run.Run(fig, dir / "e.pd4", 'W');
  EXPECT_EQ(result.Status, FigFileStatus::kOk);
  EXPECT_TRUE(result.LostCharacters);
  EXPECT_NE(test::ReadFileBytes(dir / "e.pd4").find("\"P?\""), std::string::npos);
}

TEST(FigFile, ReaderIgnoresLineGroupingAndLineEndStyle) {
  std::string golden = Golden("triangle.pd4");
  std::string lfOnly = ReplaceAll(golden, "\r\n", "\n");
  // Every field on one line after another, with leading blanks.
  std::string oneLine = ReplaceAll(golden, "\r\n", ",   ");
  std::string regrouped = ReplaceAll(golden, "\r\n0,0\r\n", "\r\n0\r\n0\r\n");
  for (const std::string& variant : {lfOnly, oneLine, regrouped}) {
    Figure fig;
    ResetFigure(fig, 200);
    FigFileResult result = Parse(fig, variant);
    ASSERT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
    EXPECT_EQ(Bytes(fig), golden);
  }
}

TEST(FigFile, OlderLayoutLoadsThroughTheRetry) {
  TempDir dir;
  Figure fig;
  ResetFigure(fig, 200);
  FigFileRun run;
  FigFileResult result = run.Run(fig, GoldenPath("older.pd4"), 'R');
  ASSERT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
  EXPECT_TRUE(result.TriedOlderLayout);
  EXPECT_EQ(run.Platform.Beeps, 1) << "the failed first attempt beeps";
  EXPECT_EQ(fig.NumTable[1].Value, 1e-5);
  EXPECT_EQ(fig.NumTable[1].NumFlag, 0);
  EXPECT_EQ(fig.NumTable[2].Value, 5);
  EXPECT_EQ(fig.NumTable[2].NumShow, 7);
  EXPECT_POINT_NEAR(0.5, -0.25, fig.PtTable[1], 0);
  EXPECT_EQ(fig.PtTable[3].HostClass, 2);
  EXPECT_EQ(fig.PtTable[3].HostIndex, 1);
  EXPECT_EQ(fig.PtTable[3].Param, 0.75);
  EXPECT_EQ(fig.StepRev[4], kTrue);
  // The writer always writes the current layout.
  ASSERT_EQ(run.Run(fig, dir / "new.pd4", 'W').Status, FigFileStatus::kOk);
  EXPECT_EQ(test::ReadFileBytes(dir / "new.pd4"), Golden("older_rewritten.pd4"));

  // The next read starts with the current layout again.
  FigFileRun next;
  FigFileResult again = next.Run(fig, dir / "new.pd4", 'R');
  EXPECT_EQ(again.Status, FigFileStatus::kOk);
  EXPECT_FALSE(again.TriedOlderLayout);
  EXPECT_EQ(next.Platform.Beeps, 0);
}

TEST(FigFile, OlderLayoutRetryStartsFromAFreshStore) {
  // The first attempt takes the integer value of number 2 for the NumFlag of
  // number 1 before it fails; the retry must not keep that.
  std::string older = ReplaceAll(Golden("older.pd4"), "5.,-1,\"u_@\"", "-1,0,\"u_@\"");
  Figure fig;
  ResetFigure(fig, 200);
  FigFileResult result = Parse(fig, older);
  ASSERT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
  EXPECT_TRUE(result.TriedOlderLayout);
  EXPECT_EQ(fig.NumTable[1].NumFlag, 0);
  EXPECT_EQ(fig.NumTable[2].Value, -1);

  // Merging retries from the figure as it was, not from raised counts.
  Figure open = Loaded("triangle.pd4");
  ASSERT_EQ(Parse(open, older, 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(open.StepCount, 7 + 4);
  EXPECT_EQ(open.ElemCount[0], 2);
  EXPECT_EQ(open.ElemCount[1], 3 + 3);
  EXPECT_EQ(open.NumTable[1].NumFlag, 0);
}

TEST(FigFile, TrailerFormsAndIgnoredLines) {
  std::string triangle = Golden("triangle.pd4");
  std::string trailer =
      "rev = 7\r\n  Rev   =  3  \r\n\"REV=\",2\r\nREV=,5.6\r\nmemo=1\r\nREV\r\nREV=abc\r\n"
      "REV=99\r\nREV=-1\r\nREV=0\r\n";
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_EQ(Parse(fig, triangle + trailer).Status, FigFileStatus::kOk);
  for (int s = 0; s <= 7; ++s) {
    bool set = s == 7 || s == 3 || s == 2 || s == 6;
    EXPECT_EQ(fig.StepRev[s], set ? kTrue : 0) << "step " << s;
  }
  EXPECT_NE(Bytes(fig).find("\"REV=\",2\r\n\"REV=\",3\r\n\"REV=\",6\r\n\"REV=\",7\r\n"),
            std::string::npos);

  // A file that ends right after the circles has no trailer.
  Figure plain = Loaded("triangle.pd4");
  for (int s = 0; s <= 7; ++s) EXPECT_EQ(plain.StepRev[s], 0);
  EXPECT_EQ(Loaded("trailer.pd4").StepRev[5], kTrue);
}

TEST(FigFile, MergeOffsetsStepsReferencesAndTrailer) {
  Figure fig;
  ResetFigure(fig, 200);
  for (int i = 0; i < 4; ++i) test::AddFreePoint(fig, i, i);
  for (int i = 0; i < 6; ++i) test::AddStep(fig, "L1", {{1, 1}, {1, 2}});
  fig.StepRev[2] = kTrue;
  ASSERT_EQ(fig.StepCount, 10);
  Figure before = fig;

  FigFileRun run;
  ASSERT_EQ(run.Run(fig, GoldenPath("triangle.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.StepCount, 17);
  EXPECT_EQ(StepKindText(fig, 11), "PNEW");
  EXPECT_EQ(fig.StepIn[14][1], (ObjRef{1, 5}));
  EXPECT_EQ(fig.StepIn[14][2], (ObjRef{1, 6}));
  EXPECT_EQ(fig.StepIn[14][3], (ObjRef{0, 0}));
  EXPECT_EQ(fig.StepOut[14][1], (ObjRef{2, 7}));
  EXPECT_EQ(fig.StepOut[17][1], (ObjRef{3, 1}));
  EXPECT_EQ(fig.ElemCount[1], 7);
  EXPECT_EQ(fig.ElemCount[2], 9);
  EXPECT_EQ(fig.ElemCount[3], 1);
  EXPECT_POINT_NEAR(0, 3, fig.PtTable[7], 0);
  EXPECT_EQ(fig.LnTable[8].Name, "BC");
  for (int s = 1; s <= 10; ++s) {
    EXPECT_EQ(fig.StepIn[s], before.StepIn[s]);
    EXPECT_EQ(fig.StepRev[s], before.StepRev[s]);
  }
  EXPECT_POINT_NEAR(3, 3, fig.PtTable[4], 0);

  // The trailer's steps are the file's own: they land on the merged steps.
  ASSERT_EQ(run.Run(fig, GoldenPath("trailer.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.StepCount, 22);
  EXPECT_EQ(fig.StepRev[22], kTrue);
  EXPECT_EQ(fig.StepRev[5], 0);
  EXPECT_EQ(fig.StepIn[22][1], (ObjRef{3, 2}));
  EXPECT_EQ(fig.StepOut[22][2], (ObjRef{1, 11}));

  // Number outputs (class 100) and hosts move past the figure's elements too.
  ASSERT_EQ(run.Run(fig, GoldenPath("numbers.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.StepOut[25][1], (ObjRef{100, 1}));
  EXPECT_EQ(fig.StepIn[25][2], (ObjRef{1, 13}));
  ASSERT_EQ(run.Run(fig, GoldenPath("older.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.StepOut[29][1], (ObjRef{2, 10}));
  EXPECT_EQ(fig.PtTable[fig.ElemCount[1]].HostClass, 2);
  EXPECT_EQ(fig.PtTable[fig.ElemCount[1]].HostIndex, 10);
  EXPECT_EQ(fig.ElemCount[0], 7);
}

TEST(FigFile, MergeSetsComplexOpsFromTheWholeFigure) {
  Figure fig;
  ResetFigure(fig, 200);
  test::AddFreePoint(fig, 1, 0);
  test::AddStep(fig, "PO-1", {{1, 1}});
  FigFileRun run;
  ASSERT_EQ(run.Run(fig, GoldenPath("triangle.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.ComplexOpsUsed, kTrue);
  ASSERT_EQ(run.Run(fig, GoldenPath("triangle.pd4"), 'R').Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.ComplexOpsUsed, kFalse);
}

TEST(FigFile, TablesGrowToWhatTheFileHolds) {
  // More steps than the store's capacity: the store is reset larger.
  Figure small;
  ResetFigure(small, 5);
  FigFileRun run;
  ASSERT_EQ(run.Run(small, GoldenPath("triangle.pd4"), 'R').Status, FigFileStatus::kOk);
  EXPECT_EQ(small.StoreCapacity, 17);
  EXPECT_EQ(Bytes(small), Golden("triangle.pd4"));

  // Typed numbers have no step: 30 numbers in a figure of one step.
  Figure many;
  ResetFigure(many, 200);
  test::AddFreePoint(many, 0, 0);
  for (int i = 1; i <= 30; ++i) test::AddNumber(many, i);
  std::string text = Bytes(many);
  Figure tiny;
  ResetFigure(tiny, 5);
  ASSERT_EQ(Parse(tiny, text).Status, FigFileStatus::kOk);
  EXPECT_EQ(tiny.ElemCount[0], 30);
  EXPECT_GE(UpperBound(tiny.NumTable), 30);
  EXPECT_GE(UpperBound(tiny.NumTablePrev), 30);
  EXPECT_EQ(tiny.NumTable[30].Value, 30);
  EXPECT_EQ(Bytes(tiny), text);

  // A merge past the capacity grows the store and keeps the figure.
  Figure open;
  ResetFigure(open, 5);
  for (int i = 0; i < 4; ++i) test::AddFreePoint(open, i, -i);
  ASSERT_EQ(run.Run(open, GoldenPath("triangle.pd4"), 'A').Status, FigFileStatus::kOk);
  EXPECT_EQ(open.StepCount, 11);
  EXPECT_GE(open.StoreCapacity, 11);
  EXPECT_POINT_NEAR(3, -3, open.PtTable[4], 0);
  EXPECT_EQ(open.StepOut[4][1], (ObjRef{1, 4}));
  EXPECT_EQ(open.StepOut[11][1], (ObjRef{3, 1}));
}

TEST(FigFile, LongNamesAreCutToTheirWidth) {
  std::string golden = Golden("triangle.pd4");
  std::string longName(1 << 20, 'n');
  std::string text = ReplaceAll(golden, "\"AB\"", "\"" + longName + "\"");
  text = ReplaceAll(text, "\"A\"", "\"" + longName + "\"");
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_EQ(Parse(fig, text).Status, FigFileStatus::kOk);
  EXPECT_EQ(fig.LnTable[1].Name, std::string(10, 'n'));
  EXPECT_EQ(fig.PtTable[1].Name, std::string(40, 'n'));
}

TEST(FigFile, SaveReplacesTheFileAndKeepsItsMode) {
  TempDir dir;
  auto target = dir / "fig.pd4";
  test::WriteFileBytes(target, "old contents");
  ::chmod(target.c_str(), 0640);
  Figure fig = Loaded("triangle.pd4");
  FigFileRun run;
  ASSERT_EQ(run.Run(fig, target, 'W').Status, FigFileStatus::kOk);
  EXPECT_EQ(test::ReadFileBytes(target), Golden("triangle.pd4"));
  struct stat info {};
  ASSERT_EQ(::stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);

  // Through a link the file it names is replaced, and the link stays.
  auto link = dir / "link.pd4";
  std::filesystem::create_symlink(target, link);
  Figure other = Loaded("numbers.pd4");
  ASSERT_EQ(run.Run(other, link, 'W').Status, FigFileStatus::kOk);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(test::ReadFileBytes(target), Golden("numbers.pd4"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(FigFile, ReadOnlyTargetIsRefusedWithTheMessage) {
  TempDir dir;
  auto target = dir / "locked.pd4";
  test::WriteFileBytes(target, "keep me");
  ::chmod(target.c_str(), 0444);
  auto folder = dir / "folder.pd4";
  std::filesystem::create_directory(folder);
  Figure fig = Loaded("triangle.pd4");
  for (const auto& path : {target, folder}) {
    FigFileRun run;
    FigFileResult result = run.Run(fig, path, 'W');
    EXPECT_EQ(result.Status, FigFileStatus::kReadOnly);
    EXPECT_EQ(run.Platform.Beeps, 1);
    ASSERT_EQ(run.Platform.Messages.size(), 1u);
    EXPECT_EQ(run.Platform.Messages[0].Text,
              "上書しようとしたファイルは読み取り専用なので,上書できません。ファイル名を変えて,"
              "保存し直してください。");
    EXPECT_EQ(run.Platform.Messages[0].Buttons, MsgButtons::kOk);
    EXPECT_EQ(result.Message, path.string() + ": " + run.Platform.Messages[0].Text);
    // The file routine alone only reports it.
    FigFileResult value = FigFileCore(fig, path, 'W');
    EXPECT_EQ(value.Status, FigFileStatus::kReadOnly);
    EXPECT_EQ(value.MessageKey, kReadOnlyText);
    EXPECT_EQ(value.File, path);
    EXPECT_EQ(value.Line, 0);
  }
  EXPECT_EQ(test::ReadFileBytes(target), "keep me");
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2);
}

TEST(FigFile, MissingFilesAndFolders) {
  TempDir dir;
  Figure fig = Loaded("triangle.pd4");
  std::string before = Bytes(fig);
  for (char mode : {'R', 'A'}) {
    FigFileRun run;
    FigFileResult result = run.Run(fig, dir / "absent.pd4", mode);
    EXPECT_EQ(result.Status, FigFileStatus::kNotFound);
    EXPECT_EQ(run.Platform.Beeps, 1);
    EXPECT_TRUE(run.Platform.Messages.empty()) << "the caller decides what to show";
    FigFileResult noFolder = run.Run(fig, dir / "nowhere" / "f.pd4", mode);
    EXPECT_EQ(noFolder.Status, FigFileStatus::kFailed);
    EXPECT_NE(noFolder.Message.find("nowhere"), std::string::npos);
    EXPECT_EQ(noFolder.File, dir / "nowhere" / "f.pd4");
  }
  FigFileRun run;
  FigFileResult write = run.Run(fig, dir / "nowhere" / "f.pd4", 'W');
  EXPECT_EQ(write.Status, FigFileStatus::kFailed);
  EXPECT_TRUE(run.Platform.Messages.empty());
  EXPECT_EQ(run.Run(fig, dir / "f.pd4", 'X').Status, FigFileStatus::kFailed);
  EXPECT_EQ(run.Platform.Beeps, 1) << "an unknown mode does nothing, not even beep";
  EXPECT_FALSE(std::filesystem::exists(dir / "f.pd4"));
  EXPECT_EQ(Bytes(fig), before);
}

TEST(FigFile, ExtensionFollowsEventMarks) {
  Figure fig = Loaded("triangle.pd4");
  EXPECT_EQ(FigFileExt(fig), ".pd4");
  fig.PtTable[4].Name = "!beyond the count";
  EXPECT_EQ(FigFileExt(fig), ".pd4");
  fig.PtTable[2].Name = "B!msg";
  EXPECT_EQ(FigFileExt(fig), ".pd5");
}

}  // namespace
}  // namespace plandra
