#include "core/locus/PlaneTable.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string_view>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/drag/PDdeform05.h"
#include "core/language/Multi_lang.h"
#include "core/locus/PlaneSamples.h"
#include "core/locus/SpreadsheetText.h"
#include "curves/SampledLocus.h"
#include "engine/GeoObj05.h"
#include "engine/MoveStep.h"
#include "figure/EventMark.h"
#include "figure/PDvar05.h"
#include "files/PDio05_text.h"
#include "files/WebPages.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kEol = "\r\n";
// Samples taken together, spread over the cores: each batch starts its
// threads and copies the figure, so a batch grows (doubling up to the most)
// while it takes less than the time below.
constexpr long kFirstPlaneBatch = 64;
constexpr long kMostPlaneBatch = 1024;
constexpr auto kQuickPlaneBatch = std::chrono::milliseconds(10);
constexpr std::string_view kNotReadyText = "軌跡のスイッチがoffか, 変数の選択がしてありません。";
constexpr std::string_view kTakesTimeText = "数秒程度時間がかかります。";
constexpr std::string_view kProgressText = "計算中";
constexpr std::string_view kNotWrittenText = "表のファイルを書き込めません。";
constexpr std::string_view kWrittenHereText = "表のファイルはここに書きました。";
constexpr std::string_view kFormatText = "ﾃﾞｰﾀ形式";
constexpr std::string_view kSweepText = "点%1を平面内を動かしたときの次の変数の変化 : %2";

bool NumberChosen(const Program& p) {
  return RefInRange(p.Fig, ObjRef::Of(kClassNumber, p.Locus.LocusNum));
}

bool Untitled(const Program& p) { return p.CurFileName.empty() || p.CurFileName == kUntitled; }

// Beside the figure; an untitled figure has no folder, so the program's.
fs::path TableFile(const Program& p) {
  if (Untitled(p)) return p.Folders.Folder / (std::string(kUntitled) + "_3D.csv");
  fs::path figure(p.CurFileName);
  return figure.parent_path() / (figure.stem().string() + "_3D.csv");
}

// One pass, so a name that holds "%2" is never replaced in turn.
std::string SweepText(Program& p, const PlaneTableRun& run) {
  const Figure& fig = p.Fig;
  return ReplaceMarks(Translate(p.Lang, kSweepText),
                      {{"%1", std::string(PointNameShown(fig.PtTable[run.Point].Name))},
                       {"%2", std::string(Trim(fig.NumTable[p.Locus.LocusNum].Name))}});
}

// The headings in the interface language; the names as they stand.
std::string HeaderText(Program& p, const PlaneTableRun& run) {
  std::string text(kSpreadsheetBom);
  text += Translate(p.Lang, kFormatText) + ",1";
  text += kEol;
  text += "PD file : " + p.CurFileName;
  text += kEol;
  text += SweepText(p, run);
  text += kEol;
  text += ",";
  for (int i = -run.Grid.Nx; i <= run.Grid.Nx; ++i) {
    text += PlainNumberText(run.Grid.Coordinate(i)) + ",";
  }
  text += kEol;
  return text;
}

// A sample's value, row by row from the bottom; each row starts with its y.
void AppendSampleText(PlaneTableRun& run, double value) {
  auto [i, j] = GridColumnRow(run.Grid, run.Done);
  if (i == -run.Grid.Nx) run.Text += PlainNumberText(run.Grid.Coordinate(j)) + ",";
  run.Text += PlainNumberText(value) + ",";
  if (i == run.Grid.Nx) run.Text += kEol;
  ++run.Done;
}

// The next few samples on each core.
void TakeSamples(Program& p) {
  PlaneTableRun& run = p.PlaneTable;
  run.Batch = std::clamp(run.Batch, kFirstPlaneBatch, kMostPlaneBatch);
  const long end = std::min(run.Grid.Samples(), run.Done + run.Batch);
  const auto start = std::chrono::steady_clock::now();
  for (double value :
       PlaneSampleValues(p.Fig, run.Grid, run.Point, p.Locus.LocusNum, run.Done, end))
    AppendSampleText(run, value);
  if (std::chrono::steady_clock::now() - start < kQuickPlaneBatch) run.Batch *= 2;
}

// The point back as it stood; the caller's redraw recomputes the figure.
void RestorePoint(Program& p) {
  PlaneTableRun& run = p.PlaneTable;
  if (PointIndexValid(p.Fig, run.Point)) p.Fig.PtTable[run.Point] = run.Start;
}

void Stop(Program& p) {
  p.PlaneTable.Running = false;
  HostOf(p).SetTimer(TimerId::kPlaneTable, 0);
}

// The sweep as it stands, the moving point enlarged, and the count.
void ShowProgress(Program& p) {
  const PlaneTableRun& run = p.PlaneTable;
  p.Draw.DraggedPoint = run.Point;
  RedrawAfterMove(p);
  p.Draw.DraggedPoint = 0;
  p.Status.Panel(kModePanel).Text = Translate(p.Lang, kProgressText) + " " +
                                    std::to_string(run.Done) + " / " +
                                    std::to_string(run.Grid.Samples()) + " (Esc)";
}

void Tell(Program& p, std::string_view text, const std::string& detail) {
  HostOf(p).MessageBox(Translate(p.Lang, text) + "\n" + detail, Translate(p.Lang, kProgramTitle),
                       MsgButtons::kOk);
}

void FinishPlaneTable(Program& p) {
  Stop(p);
  PlaneTableRun& run = p.PlaneTable;
  std::string error;
  const bool written = ReplaceFileContents(run.File, run.Text, error);
  run.Text = std::string();
  RestorePoint(p);
  EndDeformation(p, kModeDeform);
  if (!written) {
    Tell(p, kNotWrittenText, run.File.string() + "\n" + error);
  } else if (Untitled(p)) {
    Tell(p, kWrittenHereText, run.File.string());
  }
}

}  // namespace

PlaneGrid PlaneGridOf(const ViewState& view) {
  PlaneGrid grid;
  grid.PixelSize = view.PixelSize;
  if (view.PixelSize <= 0) return grid;
  grid.Nx = static_cast<int>(std::trunc(view.HalfWidth / (10 * view.PixelSize)));
  grid.Ny = static_cast<int>(std::trunc(view.HalfHeight / (10 * view.PixelSize)));
  return grid;
}

void StartPlaneTable(Program& p) {
  const int point = p.Deform.DraggedPoint;
  if (PlaneTableRunning(p) || !PointIndexValid(p.Fig, point)) return;
  Platform& host = HostOf(p);
  const std::string title = Translate(p.Lang, kProgramTitle);
  if (p.Locus.LocusOn == kFalse || !NumberChosen(p)) {
    host.MessageBox(Translate(p.Lang, kNotReadyText), title, MsgButtons::kOk);
    return;
  }
  if (host.MessageBox(Translate(p.Lang, kTakesTimeText), title, MsgButtons::kOkCancel) !=
      MsgResult::kOk) {
    return;
  }
  PlaneTableRun& run = p.PlaneTable;
  run = PlaneTableRun{};
  run.Grid = PlaneGridOf(p.View);
  run.Point = point;
  run.Start = p.Fig.PtTable[point];
  run.File = TableFile(p);
  run.Text = HeaderText(p, run);
  run.Running = true;
  // The two-point constructions compare with the figure as the table finds it.
  SnapshotTables(p.Fig);
  host.SetTimer(TimerId::kPlaneTable, kPlaneTableTickMs);
  ShowProgress(p);
}

void PlaneTableTick(Program& p) {
  PlaneTableRun& run = p.PlaneTable;
  if (!run.Running) {
    Stop(p);
    return;
  }
  const auto until =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(kPlaneTableSliceMs);
  do {
    TakeSamples(p);
  } while (run.Done < run.Grid.Samples() && std::chrono::steady_clock::now() < until);
  if (run.Done < run.Grid.Samples()) {
    ShowProgress(p);
  } else {
    FinishPlaneTable(p);
  }
}

void CancelPlaneTable(Program& p) {
  if (!PlaneTableRunning(p)) return;
  Stop(p);
  p.PlaneTable.Text = std::string();
  RestorePoint(p);
  Redraw(p);
  RefreshModeDisplay(p);
}

bool PlaneTableRunning(const Program& p) { return p.PlaneTable.Running; }

}  // namespace plandra
