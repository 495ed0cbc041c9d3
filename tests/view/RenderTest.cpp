#include <vector>

#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/language/TranslatedText.h"
#include "core/numbers/NumberInput.h"
#include "labels/Labels05.h"
#include "view/ViewFixture.h"

namespace plandra::test {
namespace {

constexpr double kPs = 0.05;

size_t IndexOfFirst(const std::vector<SurfaceCall>& calls, CallKind kind, size_t from = 0) {
  for (size_t i = from; i < calls.size(); ++i) {
    if (calls[i].Kind == kind) return i;
  }
  return calls.size();
}

TEST_F(ViewTest, ColorStrengthScalesThePaletteAndIsKeptWithinRange) {
  p.Config.ColorStrength = 128;
  EXPECT_EQ(ColorOf(p, 1), (RgbColor{128, 0, 0}));
  EXPECT_EQ(ColorOf(p, 3), (RgbColor{128, 128, 0}));
  EXPECT_EQ(ColorOf(p, 6), (RgbColor{0, 128, 128}));
  EXPECT_EQ(ColorOf(p, 7), kBlack);
  EXPECT_EQ(ColorOf(p, 12), (RgbColor{255, 0, 0}));
  EXPECT_EQ(ColorOf(p, 8), (RgbColor{128, 128, 128}));
  surface.SetBackColor({9, 9, 9});
  EXPECT_EQ(ColorOf(p, 0), (RgbColor{9, 9, 9}));
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_EQ(ColorOf(p, 16), kBlack);
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text, "16");
  EXPECT_EQ(ColorOf(p, 16), kBlack);  // told once only
  EXPECT_EQ(ColorOf(p, -3), kBlack);
  EXPECT_EQ(platform.Messages.size(), 2u);
  p.Config.ColorStrength = 0;
  EXPECT_EQ(ColorOf(p, 2), (RgbColor{0, 255, 0}));

  platform.InputAnswers = {"0", "300", " 128.9", std::nullopt};
  mnuOColorStrength(p);
  EXPECT_EQ(platform.Prompts.back(), "1から255までの数を入力してください");
  EXPECT_EQ(p.Config.ColorStrength, 255);
  mnuOColorStrength(p);
  EXPECT_EQ(p.Config.ColorStrength, 255);
  mnuOColorStrength(p);
  EXPECT_EQ(p.Config.ColorStrength, 128);
  mnuOColorStrength(p);  // cancelled
  EXPECT_EQ(p.Config.ColorStrength, 128);
}

TEST_F(ViewTest, YellowThinLinesAndCirclesAreDrawnBlackDotted) {
  int16_t line = AddLine(-1, 0, 1, 0, 1);
  p.Fig.LnTable[line].Color = kColorYellow;
  ReserveElement(p.Fig, kClassCircle);
  p.Fig.CirTable[1] = CirRec{0, 0, 2, kTrue, kColorYellow, 0, "1"};
  Redraw(p);
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].Color, kBlack);
  EXPECT_EQ(Lines()[0].Style, LineStyle::kDotted);
  ASSERT_EQ(Circles().size(), 1u);
  EXPECT_EQ(Circles()[0].Style, LineStyle::kDotted);
  EXPECT_EQ(surface.GetLineStyle(), LineStyle::kSolid);

  surface.Calls.clear();
  p.Config.DrawWidth = 2;
  Redraw(p);
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_EQ(Lines()[0].Color, (RgbColor{255, 255, 0}));
  EXPECT_EQ(Lines()[0].Style, LineStyle::kSolid);
  EXPECT_EQ(Lines()[0].PenWidth, 2);
}

TEST_F(ViewTest, CirclesBeyondRadiusThousandAreNotDrawn) {
  CirRec cir{1000, 0, 1000, kTrue, kColorBlack, 0, "1"};
  DrawCircle(Ctx(), cir);
  ASSERT_EQ(Circles().size(), 1u);
  EXPECT_DOUBLE_EQ(Circles()[0].X2, 1000);
  cir.R = 1000.0001;
  DrawCircle(Ctx(), cir);
  EXPECT_EQ(Circles().size(), 1u);
  // Circles that cannot show in the window do not reach the surface.
  DrawCircle(Ctx(), CirRec{100, 100, 5, kTrue, kColorBlack, 0, "2"});
  DrawCircle(Ctx(), CirRec{0, 0, 900, kTrue, kColorBlack, 0, "3"});
  DrawCircle(Ctx(), CirRec{0, 0, 3, kFalse, kColorBlack, 0, "4"});
  EXPECT_EQ(Circles().size(), 1u);
}

TEST_F(ViewTest, ColorZeroIsNeverDrawn) {
  int16_t a = AddFreePoint(p.Fig, 1, 1);
  p.Fig.PtTable[a].Color = kColorNone;
  p.Fig.PtTable[a].Style = 4;
  int16_t line = AddLine(-1, 0, 1, 0, 0);
  p.Fig.LnTable[line].Color = kColorNone;
  AddHighlight(p.Draw, HighlightEntry{{kClassPoint, a}, 1, kMarkCross, true});
  AddHighlight(p.Draw, HighlightEntry{{kClassLine, line}, 1, -1, false});
  Redraw(p);
  ASSERT_EQ(surface.Calls.size(), 1u);
  EXPECT_EQ(surface.Calls[0].Kind, CallKind::kClear);
}

TEST_F(ViewTest, ArrowheadsAreTenPixelsLongAndWide) {
  int16_t line = AddLine(-5, 0, 5, 0, 6);
  DrawLine(Ctx(), p.Fig.LnTable[line]);
  std::vector<SurfaceCall> lines = Lines();
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_DOUBLE_EQ(lines[0].X1, -5);
  EXPECT_DOUBLE_EQ(lines[0].X2, 5);
  for (int i = 1; i <= 4; ++i) {
    const SurfaceCall& stroke = lines[i];
    double inward = i <= 2 ? 1 : -1;  // the first pair at P1, pointing into the segment
    EXPECT_DOUBLE_EQ(stroke.X1, i <= 2 ? -5 : 5);
    EXPECT_NEAR((stroke.X2 - stroke.X1) * inward, 10 * kPs, 1e-12);
    EXPECT_NEAR(std::fabs(stroke.Y2 - stroke.Y1), 5 * kPs, 1e-12);
  }
  EXPECT_NEAR(lines[1].Y2 - lines[2].Y2, 10 * kPs * (lines[1].Y2 > 0 ? 1 : -1), 1e-12);

  auto strokes = [&](int16_t kind) {
    surface.Calls.clear();
    LnRec ln = p.Fig.LnTable[line];
    ln.LineKind = kind;
    DrawLine(Ctx(), ln);
    return Lines().size() - 1;
  };
  EXPECT_EQ(strokes(0), 0u);
  EXPECT_EQ(strokes(1), 0u);
  EXPECT_EQ(strokes(2), 0u);
  EXPECT_EQ(strokes(3), 0u);
  EXPECT_EQ(strokes(4), 2u);
  EXPECT_EQ(strokes(5), 2u);
  EXPECT_DOUBLE_EQ(Lines()[1].X1, 5);
  EXPECT_EQ(strokes(7), 2u);
  EXPECT_DOUBLE_EQ(Lines()[1].X1, -5);
}

TEST_F(ViewTest, LinesReachPastTheWindowButAreClippedNearIt) {
  double margin = (16 + 1) * kPs;
  auto drawn = [&](int16_t kind) {
    surface.Calls.clear();
    LnRec ln;
    ln.X1 = 1;
    ln.Y1 = 2;
    ln.X2 = 4;
    ln.Y2 = 6;
    ln.DX = 0.6;
    ln.DY = 0.8;
    ln.Exists = kTrue;
    ln.LineKind = kind;
    ln.Color = kColorBlack;
    DrawLine(Ctx(), ln);
    EXPECT_EQ(Lines().size(), 1u);
    return Lines()[0];
  };
  SurfaceCall full = drawn(0);
  for (double y : {full.Y1, full.Y2}) EXPECT_NEAR(std::fabs(y), 12 + margin, 1e-9);
  // Still on the line through (1, 2) with direction (0.6, 0.8).
  EXPECT_NEAR((full.X1 - 1) * 0.8 - (full.Y1 - 2) * 0.6, 0, 1e-9);
  SurfaceCall half = drawn(2);
  EXPECT_DOUBLE_EQ(half.X1, 1);
  EXPECT_NEAR(half.Y2, 12 + margin, 1e-9);
  SurfaceCall reversed = drawn(3);
  EXPECT_NEAR(reversed.Y1, -12 - margin, 1e-9);
  EXPECT_DOUBLE_EQ(reversed.X2, 4);
  SurfaceCall segment = drawn(1);
  EXPECT_DOUBLE_EQ(segment.Y2, 6);

  // A segment wholly outside draws nothing; one far away is cut to the window.
  surface.Calls.clear();
  DrawClippedLine(Ctx(), 100, 100, 200, 100, kBlack);
  EXPECT_TRUE(Lines().empty());
  DrawClippedLine(Ctx(), -1e9, 0, 1e9, 0, kBlack);
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_NEAR(Lines()[0].X1, -16 - margin, 1e-6);  // far below a pixel
  EXPECT_NEAR(Lines()[0].X2, 16 + margin, 1e-6);
}

TEST_F(ViewTest, PointLabelsSitBesideTheirPointInsideTheWindow) {
  int16_t a = AddFreePoint(p.Fig, 1, 1);
  SnapshotTables(p.Fig);
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Text, "A");
  EXPECT_NEAR(Texts()[0].X1, 1 + 10 * kPs, 1e-12);
  EXPECT_NEAR(Texts()[0].Y1, 1 + 9 * kPs + 10 * kPs, 1e-12);
  EXPECT_EQ(Texts()[0].Color, kBlack);

  p.Draw.StatusBarVisible = false;
  surface.Calls.clear();
  DrawPointLabel(Ctx(), a, 9, 0);  // 8 and above: the background colour
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_NEAR(Texts()[0].X1, 1 + 2 * kPs, 1e-12);
  EXPECT_EQ(Texts()[0].Color, kWhite);

  // Mode 2 writes at the snapshot position; both positions must be inside.
  p.Fig.PtTablePrev[a].X = -3;
  surface.Calls.clear();
  DrawPointLabel(Ctx(), a, kColorBlack, 2);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_NEAR(Texts()[0].X1, -3 + 2 * kPs, 1e-12);
  p.Fig.PtTablePrev[a].X = 16;
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  EXPECT_EQ(Texts().size(), 1u);

  // The corner of the text must lie in the window too.
  p.Fig.PtTable[a].X = p.Fig.PtTablePrev[a].X = 15.95;
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  EXPECT_EQ(Texts().size(), 1u);
  p.Fig.PtTable[a].X = p.Fig.PtTablePrev[a].X = 15.9;
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  EXPECT_EQ(Texts().size(), 2u);

  // Event points show the name before the marker, or nothing.
  p.Fig.PtTable[a].Name = "Gate!Hello";
  p.Fig.PtTable[a].EventKind = 1;
  surface.Calls.clear();
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Text, "Gate");
  p.Fig.PtTable[a].EventKind = 11;
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  EXPECT_EQ(Texts().size(), 1u);

  // The text switch hides names in the standard mode, not the erasing ones.
  p.Fig.PtTable[a].EventKind = 0;
  p.Config.NotChrDisp = kTrue;
  surface.Calls.clear();
  DrawPointLabel(Ctx(), a, kColorBlack, 0);
  EXPECT_TRUE(Texts().empty());
  DrawPointLabel(Ctx(), a, kColorNone, 0);
  EXPECT_EQ(Texts().size(), 1u);
}

TEST_F(ViewTest, RedrawRunsThePipelineInOrder) {
  std::vector<std::string> steps;
  p.Layers.DrawTraces = [&](RenderContext&, const std::array<int, 4>&) {
    steps.push_back("traces");
  };
  p.Layers.DrawSampledLoci = [&](RenderContext& r) {
    steps.push_back("loci " + std::to_string(r.Draw.RedrawCount));
  };
  p.Status.Panel(kModePanel).Text.clear();
  int16_t a = AddFreePoint(p.Fig, -2, 0);
  int16_t b = AddFreePoint(p.Fig, 2, 0);
  int16_t line = AddStep(p.Fig, "L1", {{kClassPoint, a}, {kClassPoint, b}});
  int16_t dist = AddStep(p.Fig, "ND2P", {{kClassPoint, a}, {kClassPoint, b}});
  p.Config.AxisShow = kTrue;
  p.Draw.PicturePanelInset = true;
  Redraw(p);

  EXPECT_EQ(steps, (std::vector<std::string>{"traces", "loci 1"}));
  EXPECT_EQ(p.Pick.PickCount, 2);                         // the free points are candidates
  EXPECT_FALSE(p.Status.Panel(kModePanel).Text.empty());  // the mode display refreshed
  EXPECT_FALSE(p.Draw.PicturePanelInset);
  EXPECT_EQ(p.Fig.LnTable[line].Pt1Index, a);
  EXPECT_EQ(p.Fig.LnTable[line].Pt2Index, b);
  EXPECT_DOUBLE_EQ(p.Fig.NumTable[dist].Value, 4);
  EXPECT_DOUBLE_EQ(p.Fig.PtTablePrev[b].X, 2);  // snapshot taken

  const std::vector<SurfaceCall>& calls = surface.Calls;
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls[0].Kind, CallKind::kClear);
  for (size_t i = 1; i <= 60; ++i) EXPECT_EQ(calls[i].Color, (RgbColor{170, 170, 170})) << i;
  // Points (mark circles and names), then the line, then the number list.
  size_t firstMark = IndexOfFirst(calls, CallKind::kCircle);
  EXPECT_EQ(firstMark, 61u);
  EXPECT_EQ(calls[62].Kind, CallKind::kText);
  EXPECT_EQ(calls[62].Text, "A");
  EXPECT_EQ(calls[64].Text, "B");
  EXPECT_EQ(calls[65].Kind, CallKind::kLine);
  EXPECT_EQ(calls[65].Color, kBlack);
  ASSERT_EQ(calls.size(), 67u);
  EXPECT_EQ(calls[66].Kind, CallKind::kText);
  EXPECT_EQ(calls[66].Text, " 1:AB =    4.00");

  // Candidates refresh only in the standard and loading modes.
  p.Pick.PickCount = 0;
  ModePush(p.Modes, 17, platform);
  Redraw(p);
  EXPECT_EQ(p.Pick.PickCount, 0);
}

TEST_F(ViewTest, NumberListStartsAtTheTopLeft) {
  for (double value : {2.5, -1.0}) {
    ReserveElement(p.Fig, kClassNumber);
    NumRec& num = p.Fig.NumTable[p.Fig.ElemCount[kClassNumber]];
    num.Value = value;
    num.Exists = kTrue;
    num.Name = "a*b";
  }
  AddNumber(p.Fig, 7);  // independent: not listed
  auto drawList = [&] {
    std::vector<ScreenNumberLine> lines = ScreenNumberList(
        p.Fig, TranslatedText(p.Lang), p.Config.KetaDecimal, p.Draw.LeftPanelShown);
    RenderContext r = RenderContextOf(p, &lines);
    DrawNumberList(r);
  };
  drawList();
  ASSERT_EQ(Texts().size(), 2u);
  EXPECT_EQ(Texts()[0].Text, " 1:a×b =    2.50");
  EXPECT_NEAR(Texts()[0].X1, -16 + 3 * kPs, 1e-12);
  EXPECT_NEAR(Texts()[0].Y1, 12 - 3 * kPs, 1e-12);
  EXPECT_LT(Texts()[1].Y1, Texts()[0].Y1 - 9 * kPs);
  EXPECT_EQ(Texts()[1].Text, " 2:a×b =   -1.00");

  surface.Calls.clear();
  p.Draw.LeftPanelShown = true;
  drawList();
  EXPECT_NEAR(Texts()[0].X1, -16 + 35 * kPs, 1e-12);
}

TEST_F(ViewTest, PointMarksHaveTheirShapes) {
  PtRec pt;
  pt.X = 1;
  pt.Y = 2;
  pt.Exists = kTrue;
  pt.Color = kColorRed;
  auto draw = [&](int16_t mark) {
    surface.Calls.clear();
    pt.Mark = mark;
    DrawPointMark(Ctx(), pt);
    return surface.Calls;
  };
  double r = 5 * kPs;
  std::vector<SurfaceCall> cross = draw(kMarkCross);
  ASSERT_EQ(cross.size(), 2u);
  EXPECT_EQ(cross[0].Kind, CallKind::kLine);
  EXPECT_NEAR(cross[0].X1, 1 - r, 1e-12);
  EXPECT_NEAR(cross[0].Y2, 2 + r, 1e-12);
  EXPECT_EQ(cross[0].Color, (RgbColor{255, 0, 0}));

  surface.SetPenWidth(3);
  std::vector<SurfaceCall> ring = draw(kMarkCircle);
  ASSERT_EQ(ring.size(), 1u);
  EXPECT_EQ(ring[0].Kind, CallKind::kCircle);
  EXPECT_NEAR(ring[0].X2, r + 2 * kPs, 1e-12);
  surface.SetPenWidth(1);

  std::vector<SurfaceCall> square = draw(kMarkSquare);
  ASSERT_EQ(square.size(), 1u);
  EXPECT_EQ(square[0].Kind, CallKind::kBox);
  EXPECT_FALSE(square[0].Filled);
  EXPECT_TRUE(draw(kMarkFilledSquare)[0].Filled);
  EXPECT_EQ(draw(kMarkTriangle).size(), 3u);
  EXPECT_EQ(draw(kMarkPixel)[0].Kind, CallKind::kPixel);

  std::vector<SurfaceCall> hover = draw(kMarkHover);
  ASSERT_EQ(hover.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(hover[i].Kind, CallKind::kCircle);
    EXPECT_NEAR(hover[i].X2, r * (i + 1) / 5, 1e-12);
  }
  EXPECT_EQ(hover[0].Color, (RgbColor{0, 255, 0}));
  EXPECT_EQ(hover[1].Color, kBlack);

  EXPECT_TRUE(draw(kMarkEventPixel).empty());
  p.Draw.EventDisplayOn = true;
  EXPECT_EQ(draw(kMarkEventPixel).size(), 1u);
  EXPECT_EQ(draw(kMarkCircleCross).size(), 3u);
  EXPECT_EQ(draw(kMarkCircleBar).size(), 2u);
  EXPECT_NEAR(draw(kMarkDragged)[0].X2, r / 2, 1e-12);

  // Candidate marks change colour from one redraw to the next.
  RgbColor before = draw(12)[0].Color;
  ++p.Draw.RedrawCount;
  EXPECT_NE(draw(12)[0].Color, before);

  // Thumbnails draw small marks; far or missing points draw nothing.
  p.Draw.ThumbnailState = 2;
  EXPECT_NEAR(draw(kMarkCircle)[0].X2, 3 * kPs, 1e-12);
  pt.X = 1000.5;
  EXPECT_TRUE(draw(kMarkCircle).empty());
  pt.X = 0;
  pt.Exists = kFalse;
  EXPECT_TRUE(draw(kMarkCircle).empty());
}

TEST_F(ViewTest, ColourOverridesWorkOnCopies) {
  int16_t a = AddFreePoint(p.Fig, 1, 1);
  p.Fig.PtTable[a].Style = kColorBlue;
  SnapshotTables(p.Fig);
  DrawElement(p, {kClassPoint, a}, 10, kSourceCurrent);
  ASSERT_EQ(Circles().size(), 1u);
  EXPECT_EQ(Circles()[0].Color, (RgbColor{0, 0, 255}));
  ASSERT_EQ(Texts().size(), 1u);
  EXPECT_EQ(Texts()[0].Color, (RgbColor{0, 0, 255}));

  surface.Calls.clear();
  DrawElement(p, {kClassPoint, a}, 21, kSourceCurrent);
  EXPECT_EQ(Circles()[0].Color, (RgbColor{255, 0, 0}));
  EXPECT_EQ(p.Fig.PtTable[a].Color, kColorBlack);  // the figure keeps its colour

  // The highlight overlay draws on top with a wider pen, until removed.
  AddHighlight(p.Draw, HighlightEntry{{kClassPoint, a}, kColorBlack, kMarkHover, false});
  AddHighlight(p.Draw, HighlightEntry{{kClassPoint, a}, kColorRed, kMarkCross, false});
  EXPECT_EQ(p.Draw.Highlights.size(), 1u);
  surface.Calls.clear();
  Redraw(p);
  ASSERT_GE(surface.Calls.size(), 2u);
  const SurfaceCall& last = surface.Calls.back();
  EXPECT_EQ(last.Kind, CallKind::kLine);
  EXPECT_EQ(last.Color, (RgbColor{255, 0, 0}));
  EXPECT_EQ(last.PenWidth, 2);
  EXPECT_EQ(surface.PenWidth(), 1);
  RemoveHighlight(p.Draw, {kClassPoint, a});
  surface.Calls.clear();
  Redraw(p);
  EXPECT_TRUE(Lines().empty());
}

TEST_F(ViewTest, DisplaySettingsCommands) {
  platform.InputAnswers = {"3", "150", "12.7", std::nullopt};
  mnuFont(p);
  EXPECT_EQ(platform.Prompts.back(), "フォントの大きさを入力してください");
  EXPECT_EQ(p.Config.FontSize, 6);
  mnuFont(p);
  EXPECT_EQ(p.Config.FontSize, 100);
  mnuFont(p);
  EXPECT_EQ(p.Config.FontSize, 12);
  EXPECT_DOUBLE_EQ(surface.FontSize(), 12);
  mnuFont(p);
  EXPECT_EQ(p.Config.FontSize, 12);

  // The pen width is typed into the number input dialog.
  std::vector<int> widths;
  for (const char* typed : {"4", "0", "11"}) {
    mnuWidth(p);
    EXPECT_EQ(p.NumInput.Label1.Caption, "線の太さの設定\n(1から10)");
    NumInputTextChanged(p, typed);
    NumInputOK(p);
    widths.push_back(surface.PenWidth());
  }
  EXPECT_EQ(widths, (std::vector<int>{4, 1, 10}));
  EXPECT_EQ(p.Config.DrawWidth, 10);

  platform.FontAnswers.push_back(FontChoice{"IPAGothic", 14});
  mnuOFont(p);
  EXPECT_EQ(surface.FontFamily(), "IPAGothic");
  EXPECT_EQ(p.Config.FontName, "IPAGothic");

  mnuOBackCStandard(p);
  EXPECT_EQ(surface.BackColor(), kButtonFaceColor);
  EXPECT_EQ(surface.Calls.back().Kind, CallKind::kClear);
  platform.ColorAnswers.push_back(RgbColor{1, 2, 3});
  mnuOBackCmanual(p);
  EXPECT_EQ(p.Config.BackColor, Rgb(1, 2, 3));
  mnuOBackCWhite(p);
  EXPECT_EQ(surface.BackColor(), kWhite);

  EXPECT_DOUBLE_EQ(LeadingNumber("  42abc"), 42);
  EXPECT_DOUBLE_EQ(LeadingNumber("abc"), 0);
  EXPECT_DOUBLE_EQ(LeadingNumber("nan"), 0);
}

TEST_F(ViewTest, AngleMarksAreSmallArcsAtTheVertex) {
  p.Fig.AngleMarks.push_back(AngleMark{1, 1, 1, 5, 1, 1, 5, 90});
  DrawAngleMarks(Ctx());
  std::vector<SurfaceCall> arc = Lines();
  ASSERT_GE(arc.size(), 4u);
  double radius = 12 * kPs;
  for (const SurfaceCall& piece : arc) {
    EXPECT_NEAR(std::hypot(piece.X2 - 1, piece.Y2 - 1), radius, 1e-12);
    EXPECT_GE(piece.X2, 1 - 1e-12);
    EXPECT_GE(piece.Y2, 1 - 1e-12);
  }
  EXPECT_NEAR(arc.front().X1, 1 + radius, 1e-12);
  EXPECT_NEAR(arc.back().Y2, 1 + radius, 1e-12);

  mnuAngleSW(p);
  surface.Calls.clear();
  DrawAngleMarks(Ctx());
  EXPECT_TRUE(Lines().empty());
}

}  // namespace
}  // namespace plandra::test
