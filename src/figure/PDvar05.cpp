#include "figure/PDvar05.h"

#include <algorithm>
#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#include <unistd.h>
#endif

#include "figure/EventMark.h"

namespace plandra {
namespace {

constexpr int kGrowth = 10;

void ClearRecord(NumRec& rec) {
  rec.Value = 0;
  rec.Exists = 0;
  rec.Name.clear();
  rec.NumFlag = 0;
  rec.Expr.clear();
}

void ClearRecord(PtRec& rec) {
  rec.X = 0;
  rec.Y = 0;
  rec.Color = 7;
  rec.Exists = 0;
  rec.HostClass = 0;
  rec.Param = 0;
  rec.Name.clear();
  rec.EventKind = 0;
  rec.EventText.clear();
}

void ClearRecord(LnRec& rec) {
  rec.X1 = rec.Y1 = rec.X2 = rec.Y2 = 0;
  rec.Exists = 0;
  rec.LineKind = 0;
  rec.DX = rec.DY = 0;
  rec.Color = 7;
}

void ClearRecord(CirRec& rec) {
  rec.CX = rec.CY = rec.R = 0;
  rec.Exists = 0;
  rec.Color = 7;
}

// Enlarges a table to at least newSize records; the new ones get defaults
// without names.
template <class T>
void GrowTable(Table<T>& table, size_t newSize) {
  size_t old = table.size();
  if (newSize <= old) return;
  table.resize(newSize);
  for (size_t i = old; i < newSize; ++i) ClearRecord(table[i]);
}

template <class T>
void ClearAll(Table<T>& table) {
  for (T& rec : table) ClearRecord(rec);
}

// A big figure's tables are megabytes of fresh memory: their pages are
// brought in with one call rather than one fault a page, which costs far more
// (most of a big file's read, measured). A refusal leaves the faults to come.
template <class T, class Allocator>
void ReserveFaultedIn(std::vector<T, Allocator>& table, size_t rows) {
  table.reserve(rows);
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
  // Below this a table's pages are few and faulting them in one by one is cheap.
  constexpr size_t kPrefaultBytes = size_t{1} << 18;
  const size_t bytes = table.capacity() * sizeof(T);
  if (bytes < kPrefaultBytes) return;
  const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
  const auto begin = reinterpret_cast<uintptr_t>(table.data());
  const uintptr_t first = (begin + page - 1) / page * page;
  const uintptr_t last = (begin + bytes) / page * page;
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_POPULATE_WRITE);
#endif
}

template <class Rows>
Rows FreshTable(size_t rows, const typename Rows::value_type& value) {
  Rows table;
  ReserveFaultedIn(table, rows);
  table.assign(rows, value);
  return table;
}

template <class T>
Table<T> ClearedTable(size_t rows) {
  T cleared{};
  ClearRecord(cleared);
  return FreshTable<Table<T>>(rows, cleared);
}

// Row 0 is never an element and keeps no name.
template <class T, class Name>
Table<T> NamedTable(size_t rows, Name name) {
  T cleared{};
  ClearRecord(cleared);
  Table<T> table;
  ReserveFaultedIn(table, rows);
  if (rows > 0) table.push_back(cleared);
  for (size_t i = 1; i < rows; ++i) {
    table.push_back(cleared);
    table.back().Name = name(i);
  }
  return table;
}

// The names a fresh store gives: letters up to Z, then the row's number.
std::string ResetPointName(size_t row) {
  return row <= 26 ? std::string(1, static_cast<char>(64 + row)) : std::to_string(row);
}

std::string NumberName(size_t row) { return std::to_string(row); }

void GrowStepRows(Figure& fig, size_t rows) {
  if (rows <= fig.StepIn.size()) return;
  fig.StepIn.resize(rows);
  fig.StepOut.resize(rows);
  fig.StepState.resize(rows, 0);
  fig.StepRev.resize(rows, 0);
  fig.CurOut.resize(rows, 0);
}

void GrowStepKinds(Figure& fig, size_t rows) {
  if (rows <= fig.StepKind.size()) return;
  fig.StepKind.resize(rows);
  fig.StepKindId.resize(rows, Kind::kUnknown);
}

void GrowClass(Figure& fig, int cls, size_t newSize) {
  switch (cls) {
    case kClassNumber:
      GrowTable(fig.NumTable, newSize);
      GrowTable(fig.NumTablePrev, newSize);
      break;
    case kClassPoint:
      GrowTable(fig.PtTable, newSize);
      GrowTable(fig.PtTablePrev, newSize);
      break;
    case kClassLine:
      GrowTable(fig.LnTable, newSize);
      GrowTable(fig.LnTablePrev, newSize);
      break;
    case kClassCircle:
      GrowTable(fig.CirTable, newSize);
      GrowTable(fig.CirTablePrev, newSize);
      break;
    default: break;
  }
}

}  // namespace

std::string DefaultPointName(int index) {
  if (index >= 1 && index <= 52) return std::string(1, static_cast<char>(64 + index));
  return std::to_string(index);
}

int TableUpperBound(const Figure& fig, int cls) {
  switch (cls) {
    case kClassNumber: return UpperBound(fig.NumTable);
    case kClassPoint: return UpperBound(fig.PtTable);
    case kClassLine: return UpperBound(fig.LnTable);
    case kClassCircle: return UpperBound(fig.CirTable);
    default: return -1;
  }
}

void ResetFigure(Figure& fig, int capacity) {
  int n = std::clamp<int>(capacity, 0, kMaxCount);
  fig = Figure{};
  fig.StoreCapacity = n;
  size_t stepRows = static_cast<size_t>(2 * n + 1);
  size_t elemRows = static_cast<size_t>(n + 1);
  fig.StepKind = FreshTable<std::vector<std::string>>(stepRows, std::string{});
  fig.StepKindId.assign(stepRows, Kind::kUnknown);
  fig.StepIn = FreshTable<Table<StepRefs>>(stepRows, StepRefs{});
  fig.StepOut = FreshTable<Table<StepRefs>>(stepRows, StepRefs{});
  fig.StepState.assign(stepRows, 0);
  fig.StepRev.assign(stepRows, 0);
  fig.CurOut.assign(stepRows, 0);
  // Built cleared and named in one pass, as ClearFigure would leave them:
  // a big figure's tables are written once, not filled and then cleared.
  fig.NumTable = ClearedTable<NumRec>(elemRows);
  fig.NumTablePrev = ClearedTable<NumRec>(elemRows);
  fig.PtTable = NamedTable<PtRec>(elemRows, ResetPointName);
  fig.PtTablePrev = ClearedTable<PtRec>(elemRows);
  fig.LnTable = NamedTable<LnRec>(elemRows, NumberName);
  fig.LnTablePrev = ClearedTable<LnRec>(elemRows);
  fig.CirTable = NamedTable<CirRec>(elemRows, NumberName);
  fig.CirTablePrev = ClearedTable<CirRec>(elemRows);
  fig.AngleMarks.reserve(elemRows);
  fig.AngleMarkRecording = true;
}

void ClearFigure(Figure& fig) {
  fig.StepCount = 0;
  ClearAll(fig.NumTable);
  ClearAll(fig.NumTablePrev);
  ClearAll(fig.PtTable);
  ClearAll(fig.PtTablePrev);
  ClearAll(fig.LnTable);
  ClearAll(fig.LnTablePrev);
  ClearAll(fig.CirTable);
  ClearAll(fig.CirTablePrev);
  for (size_t i = 1; i < fig.PtTable.size(); ++i) fig.PtTable[i].Name = ResetPointName(i);
  for (size_t i = 1; i < fig.LnTable.size(); ++i) fig.LnTable[i].Name = NumberName(i);
  for (size_t i = 1; i < fig.CirTable.size(); ++i) fig.CirTable[i].Name = NumberName(i);
  fig.AngleMarks.clear();
}

void ClearElement(Figure& fig, ObjRef ref) {
  int i = ref.Index;
  if (i < 0 || i > TableUpperBound(fig, ref.Class)) return;
  switch (ref.Class) {
    case kClassNumber: ClearRecord(fig.NumTable[i]); break;
    case kClassPoint:
      ClearRecord(fig.PtTable[i]);
      fig.PtTable[i].Name = DefaultPointName(i);
      break;
    case kClassLine:
      ClearRecord(fig.LnTable[i]);
      fig.LnTable[i].Name = std::to_string(i);
      break;
    case kClassCircle:
      ClearRecord(fig.CirTable[i]);
      fig.CirTable[i].Name = std::to_string(i);
      break;
    default: break;
  }
}

bool ReserveElement(Figure& fig, int cls) {
  if (cls < kClassNumber || cls > kClassCircle) return false;
  int count = fig.ElemCount[static_cast<size_t>(cls)];
  if (count >= kMaxCount) return false;
  if (count >= TableUpperBound(fig, cls)) {
    GrowClass(fig, cls, static_cast<size_t>(TableUpperBound(fig, cls) + 1 + kGrowth));
  }
  fig.ElemCount[static_cast<size_t>(cls)] = count + 1;
  return true;
}

bool AppendStep(Figure& fig) {
  int count = fig.StepCount;
  if (count >= kMaxCount) return false;
  // A store that was never reset has no row 0 yet: grow until the new step fits.
  if (UpperBound(fig.StepKind) <= count) {
    GrowStepKinds(fig, std::max(fig.StepKind.size() + 1, static_cast<size_t>(count) + 2));
  }
  if (UpperBound(fig.StepIn) <= count) {
    GrowStepRows(fig, std::max(fig.StepIn.size() + kGrowth, static_cast<size_t>(count) + 2));
  }
  fig.StepCount = count + 1;
  return true;
}

bool RefInRange(const Figure& fig, ObjRef ref) {
  int cls = ref.Class % 100;
  if (cls < kClassNumber || cls > kClassCircle) return false;
  return ref.Index >= 1 && ref.Index <= fig.ElemCount[cls] &&
         ref.Index <= TableUpperBound(fig, cls);
}

bool PointIndexValid(const Figure& fig, int index) {
  return index >= 1 && index <= fig.ElemCount[kClassPoint] && index <= UpperBound(fig.PtTable);
}

void SetStepOutputsExists(Figure& fig, int step, int16_t value) {
  const StepRefs& out = fig.StepOut[step];
  for (int k = 1; k <= 5; ++k) {
    if (out[k].Class == 0 && out[k].Index == 0) break;
    // Number outputs are stored with class 100; the marks must reach them too.
    SetExists(fig, {out[k].BaseClass(), out[k].Index}, value);
  }
}

void SetElementName(Figure& fig, ObjRef ref, std::string_view text) {
  int i = ref.Index;
  if (i < 0 || i > TableUpperBound(fig, ref.Class)) return;
  std::string_view name = TrimLeft(text);
  switch (ref.Class) {
    case kClassNumber: fig.NumTable[i].Name = FixedText(name, kNumNameWidth); break;
    case kClassPoint: SetPointName(fig.PtTable[i], name); break;
    case kClassLine: fig.LnTable[i].Name = FixedText(name, kLnNameWidth); break;
    case kClassCircle: fig.CirTable[i].Name = FixedText(name, kCirNameWidth); break;
    default: break;
  }
}

void SnapshotTables(Figure& fig) {
  std::copy_n(fig.NumTable.begin() + 1, fig.ElemCount[0], fig.NumTablePrev.begin() + 1);
  std::copy_n(fig.PtTable.begin() + 1, fig.ElemCount[1], fig.PtTablePrev.begin() + 1);
  std::copy_n(fig.LnTable.begin() + 1, fig.ElemCount[2], fig.LnTablePrev.begin() + 1);
  std::copy_n(fig.CirTable.begin() + 1, fig.ElemCount[3], fig.CirTablePrev.begin() + 1);
}

void SetStepKind(Figure& fig, int step, std::string_view code) {
  fig.StepKind[step] = FixedText(code, kKindWidth);
  fig.StepKindId[step] = DecodeKind(fig.StepKind[step]);
}

std::string_view StepKindText(const Figure& fig, int step) { return Trim(fig.StepKind[step]); }

void GrowFigure(Figure& fig, int capacity) {
  int n = std::clamp(capacity, 0, kMaxCount);
  if (n > fig.StoreCapacity) fig.StoreCapacity = n;
  size_t stepRows = static_cast<size_t>(2 * n + 1);
  GrowStepKinds(fig, stepRows);
  GrowStepRows(fig, stepRows);
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) GrowClass(fig, cls, n + 1);
}

void EnsureElementCapacity(Figure& fig, int cls, int count) {
  if (count > TableUpperBound(fig, cls)) GrowClass(fig, cls, static_cast<size_t>(count) + 1);
}

}  // namespace plandra
