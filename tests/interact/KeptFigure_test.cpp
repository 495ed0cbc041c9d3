// The browser keeps the open figure after every change and offers it again:
// what comes back is the figure with its name, saved state and redo steps,
// and a damaged keep never touches the open figure.
#include <gtest/gtest.h>

#include "app/FileCommands.h"
#include "app/KeptFigure.h"
#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "core/Program.h"
#include "core/construct/PDconst01.h"
#include "engine/GeoObj05.h"
#include "files/PDio05.h"
#include "support/AppFixture.h"
#include "support/FigureBuilder.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

std::string Text(const Figure& fig) {
  bool lost = false;
  return FigFileText(fig, lost);
}

// The figure as a file of it reads back: values the file rounded recomputed.
std::string Reread(const std::string& text) {
  Figure fig;
  ResetFigure(fig, 20);
  EXPECT_EQ(FigFileParse(fig, text, 'R', "").Status, FigFileStatus::kOk);
  RecomputeForRedraw(fig);
  return Text(fig);
}

// A triangle and its circumcircle, saved, then two measurements, both
// undone. The corners lie where the file must round them, so the centre
// recomputed from the corners read back may differ in its last digit.
std::string BuildAndUndoTwice(AppFixture& f) {
  ResetFigure(f.P.Fig, 20);
  EXPECT_EQ(RunMenuCommand(f.P, "mnuPnewFreeP").Status, CommandStatus::kDone);
  for (WorldPoint pt : {WorldPoint{-10.0 / 3, -0.2}, {29.0 / 7, 0.1}, {0.7, 22.0 / 7}}) MouseDown(f.P, {.X = pt.X, .Y = pt.Y, .Button = kButtonLeft});
  KeyDown(f.P, kKeyEscape, false);
  StartConstruction(f.P, "C3");
  for (int16_t point = 1; point <= 3; ++point) AcceptInput(f.P, {kClassPoint, point});
  f.P.CurFileName = "/work/三角形.pd4";
  MarkFigureSaved(f.P);
  StartConstruction(f.P, "ND2P");
  AcceptInput(f.P, {kClassPoint, 1});
  AcceptInput(f.P, {kClassPoint, 2});
  StartConstruction(f.P, "ND2P");
  AcceptInput(f.P, {kClassPoint, 2});
  AcceptInput(f.P, {kClassPoint, 3});
  const std::string whole = Text(f.P.Fig);
  UndoLastConstruction(f.P);
  UndoLastConstruction(f.P);
  return whole;
}

TEST(KeptFigure, ComesBackWithItsNameSavedStateAndRedoSteps) {
  AppFixture before;
  const std::string whole = BuildAndUndoTwice(before);
  const std::string kept = KeptFigureText(before.P);

  AppFixture after;
  ResetFigure(after.P.Fig, 20);
  ASSERT_TRUE(OfferKeptFigure(after.P, kept));
  ASSERT_EQ(after.Host.Messages.size(), 1u);  // the question, and nothing else
  EXPECT_EQ(Text(after.P.Fig), Reread(Text(before.P.Fig)));
  EXPECT_EQ(after.P.CurFileName, "/work/三角形.pd4");
  EXPECT_FALSE(FigureChanged(after.P));  // as saved, before the measurements
  EXPECT_TRUE(CanRedo(after.P));
  RedoUndoneStep(after.P);
  EXPECT_TRUE(FigureChanged(after.P));
  RedoUndoneStep(after.P);
  EXPECT_EQ(Text(after.P.Fig), Reread(whole));
  EXPECT_TRUE(FigureChanged(after.P));
  EXPECT_EQ(KeptFigureText(after.P).find("before"), std::string::npos);
}

TEST(KeptFigure, DamagedOrDeclinedLeavesTheOpenFigure) {
  AppFixture source;
  BuildAndUndoTwice(source);
  const std::string kept = KeptFigureText(source.P);

  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddNumber(f.P.Fig, 7);
  const std::string open = Text(f.P.Fig);
  // Every cut, and a figure record whose bytes the reader refuses.
  std::vector<std::string> damaged;
  for (size_t cut = 0; cut < kept.size(); cut += 7) damaged.push_back(kept.substr(0, cut));
  std::string badFigure = kept;
  badFigure.replace(badFigure.find("figure ") + 7, 1, "9");
  damaged.push_back(badFigure);
  for (const std::string& text : damaged) {
    f.Host.Messages.clear();
    EXPECT_FALSE(OfferKeptFigure(f.P, text));
    ASSERT_EQ(f.Host.Messages.size(), 1u) << text.size();
    EXPECT_EQ(f.Host.Messages[0].Text, "残っていた作図を読めませんでした。");
    EXPECT_EQ(Text(f.P.Fig), open);
  }

  f.Host.Messages.clear();
  f.Host.Answers.push_back(MsgResult::kNo);
  EXPECT_FALSE(OfferKeptFigure(f.P, kept));
  EXPECT_EQ(Text(f.P.Fig), open);

  AppFixture empty;  // an empty figure is not worth a question
  ResetFigure(empty.P.Fig, 20);
  f.Host.Messages.clear();
  EXPECT_FALSE(OfferKeptFigure(f.P, KeptFigureText(empty.P)));
  EXPECT_TRUE(f.Host.Messages.empty());
}

}  // namespace
}  // namespace plandra::test
