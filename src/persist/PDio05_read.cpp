// Reading and merging figure files. Every attempt works on a scratch store
// that replaces the destination only when the whole file has been read, and
// every count and reference is checked before it is used. The first fault
// ends the attempt: the reader keeps it and every later read gives nothing.
#include "persist/PDio05_read.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "figure/EventMark.h"
#include "persist/String05.h"

namespace plandra {
namespace {

constexpr int kSlots = 5;
// Fields a record needs at the least, counting numbers only; each takes a
// character and a separator, which bounds what a short file can announce.
constexpr int kStepNumericFields = 4 * kSlots;
constexpr int kPointNumericFields = 10;
constexpr int kLineNumericFields = 10;
constexpr int kCircleNumericFields = 6;
constexpr int kMessageTextChars = 40;

struct ReadError {
  std::string Message;
  int Line = 0;
  size_t Offset = 0;  // how far into the file the attempt got
};

struct Field {
  std::string_view Text;
  bool Quoted = false;
  int Line = 0;
};

enum class FieldResult { kField, kEnd, kUnterminated };

// Reads field by field; comma and line end both separate fields, so the
// reader does not depend on how the writer grouped them into lines.
class FieldCursor {
 public:
  explicit FieldCursor(std::string_view data) : data_(data) {}

  FieldResult Next(Field& field) {
    SkipBlanksAndLineEnds();
    if (pos_ >= data_.size()) return FieldResult::kEnd;
    field.Line = line_;
    field.Quoted = data_[pos_] == '"';
    if (field.Quoted) {
      size_t start = pos_ + 1;
      size_t end = Find(start, [](char c) { return c == '"' || c == '\r' || c == '\n'; });
      if (end == data_.size() || data_[end] != '"') {
        pos_ = end;
        field.Text = data_.substr(start, pos_ - start);
        return FieldResult::kUnterminated;
      }
      field.Text = data_.substr(start, end - start);
      pos_ = Find(end + 1, IsSeparator);
    } else {
      size_t end = Find(pos_, IsSeparator);
      field.Text = data_.substr(pos_, end - pos_);
      while (!field.Text.empty() && IsBlank(field.Text.back())) field.Text.remove_suffix(1);
      pos_ = end;
    }
    ConsumeSeparator();
    return FieldResult::kField;
  }

  // The rest of the data line by line, for the trailer.
  bool NextLine(std::string_view& line) {
    if (pos_ >= data_.size()) return false;
    size_t end = Find(pos_, [](char c) { return c == '\r' || c == '\n'; });
    line = data_.substr(pos_, end - pos_);
    pos_ = end;
    ConsumeSeparator();
    return true;
  }

  size_t Remaining() const { return data_.size() - pos_; }
  size_t Offset() const { return pos_; }
  int Line() const { return line_; }

 private:
  static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
  static bool IsSeparator(char c) { return c == ',' || c == '\r' || c == '\n'; }

  // Position of the first byte from 'from' on that 'stop' accepts, or the end.
  template <class Stop>
  size_t Find(size_t from, Stop stop) const {
    while (from < data_.size() && !stop(data_[from])) ++from;
    return from;
  }

  void SkipBlanksAndLineEnds() {
    while (pos_ < data_.size()) {
      char c = data_[pos_];
      if (IsBlank(c)) {
        ++pos_;
      } else if (c == '\r' || c == '\n') {
        ConsumeSeparator();
      } else {
        break;
      }
    }
  }

  void ConsumeSeparator() {
    if (pos_ >= data_.size()) return;
    char c = data_[pos_++];
    if (c == ',') return;
    if (c == '\r' && pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
    ++line_;
  }

  std::string_view data_;
  size_t pos_ = 0;
  int line_ = 1;
};

const char* ClassName(int cls, bool plural) {
  static constexpr const char* kSingular[] = {"number", "point", "line", "circle"};
  static constexpr const char* kPlural[] = {"numbers", "points", "lines", "circles"};
  return plural ? kPlural[cls] : kSingular[cls];
}

bool IsElementClass(int cls) { return cls >= kClassNumber && cls <= kClassCircle; }

// Message text of a field as found: cut, and without control codes. No
// character takes more than four bytes, so the cut keeps every one shown.
std::string Shown(std::string_view raw) {
  std::string text = FixedText(raw.substr(0, 4 * kMessageTextChars), kMessageTextChars);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
  }
  return text;
}

class FigReader {
 public:
  // capacity: that of the store a read replaces; unused by a merge.
  FigReader(Figure& fig, std::string_view text, char mode, bool olderLayout, int capacity)
      : fig_(fig),
        capacity_(capacity),
        cursor_(text),
        merging_(mode == 'A'),
        olderLayout_(olderLayout),
        baseSteps_(fig.StepCount),
        baseCounts_(fig.ElemCount) {}

  // The texts of the file longer than their fields, as the file has them.
  std::vector<std::string>& CutTexts() { return cutTexts_; }

  // The fault that ended reading, if any.
  const std::optional<ReadError>& Read() {
    for (void (FigReader::*part)() :
         {&FigReader::ReadSteps, &FigReader::ReadCounts, &FigReader::PlaceStepReferences,
          &FigReader::ReadNumbers, &FigReader::ReadPoints, &FigReader::ReadLines,
          &FigReader::ReadCircles, &FigReader::ReadTrailer}) {
      (this->*part)();
      if (failure_) break;
    }
    return failure_;
  }

  // True once the counts announce number records: only from there on do the
  // two layouts differ.
  bool ReachedNumbers() const { return reachedNumbers_; }

 private:
  // Keeps the first fault; the reads after it give empty values.
  void Fail(int line, const std::string& what) {
    if (failure_) return;
    std::string where = "line " + std::to_string(line) + ": ";
    if (item_ > 0) where += std::string(section_) + " " + std::to_string(item_) + ": ";
    failure_ = ReadError{where + what, line, cursor_.Offset()};
  }

  // False once reading has failed (or fails here). The field is filled in
  // place: a field handed back by value was most of a big file's read.
  bool NextField(const char* expected, Field& field) {
    if (failure_) return false;
    switch (cursor_.Next(field)) {
      case FieldResult::kField: return true;
      case FieldResult::kEnd:
        Fail(cursor_.Line(), std::string("the file ends where ") + expected + " was expected");
        return false;
      case FieldResult::kUnterminated: break;
    }
    Fail(field.Line, "the text \"" + Shown(field.Text) + "\" has no closing quote");
    return false;
  }

  bool NextNumericField(const char* expected, Field& field) {
    if (!NextField(expected, field)) return false;
    if (!field.Quoted) return true;
    Fail(field.Line,
         std::string("expected ") + expected + ", found the text \"" + Shown(field.Text) + "\"");
    return false;
  }

  int16_t ReadInt() {
    Field field;
    if (!NextNumericField("an integer", field)) return 0;
    int16_t value = 0;
    switch (ParseInt16(field.Text, value)) {
      case IntParse::kOk: return value;
      case IntParse::kOutOfRange:
        Fail(field.Line, "the number \"" + Shown(field.Text) + "\" lies outside -32768..32767");
        return 0;
      case IntParse::kNotInteger: break;
    }
    Fail(field.Line, "expected an integer, found \"" + Shown(field.Text) + "\"");
    return 0;
  }

  double ReadReal() {
    Field field;
    if (!NextNumericField("a number", field)) return 0;
    std::optional<double> value = ParseReal(field.Text);
    if (!value) {
      Fail(field.Line, "expected a number, found \"" + Shown(field.Text) + "\"");
      return 0;
    }
    return *value;
  }

  std::string ReadText() {
    Field field;
    if (!NextField("a text", field)) return {};
    if (!field.Quoted) {
      Fail(field.Line, "expected a text in double quotes, found \"" + Shown(field.Text) + "\"");
      return {};
    }
    return std::string(field.Text);
  }

  // Refuses counts that the rest of the file is too short to hold, before
  // any table is sized for them.
  void RequireNumericFields(long long fields, int line, const std::string& what) {
    if (fields > 0 && static_cast<long long>(cursor_.Remaining()) < 2 * fields - 1) {
      Fail(line, "the file announces " + what + " but ends before their data");
    }
  }

  int ReadCount(const char* what) {
    int line = cursor_.Line();
    int16_t count = ReadInt();
    if (count < 0) {
      Fail(line,
           std::string("the ") + what + " " + std::to_string(count) + " lies outside 0..32767");
      return 0;
    }
    return count;
  }

  void ReadSteps() {
    section_ = "step";
    int line = cursor_.Line();
    int steps = ReadCount("step count");
    fileSteps_ = steps;
    int total = baseSteps_ + steps;
    if (total > kMaxCount) {
      Fail(line, "merging " + std::to_string(steps) + " steps into a figure of " +
                     std::to_string(baseSteps_) + " steps passes the limit of 32767");
    }
    RequireNumericFields(static_cast<long long>(steps) * kStepNumericFields + 11, line,
                         std::to_string(steps) + " steps");
    if (failure_) return;
    SizeStepTables(total);
    fig_.StepCount = total;
    for (int i = 1; i <= steps && !failure_; ++i) {
      item_ = i;
      int step = baseSteps_ + i;
      SetStepKind(fig_, step, ReadText());
      fig_.StepRev[step] = 0;
    }
    slotLines_.assign(static_cast<size_t>(steps) * 2 * kSlots, 0);
    ReadStepSlots(fig_.StepIn, 0);
    ReadStepSlots(fig_.StepOut, static_cast<size_t>(steps) * kSlots);
    item_ = 0;
  }

  // A read sizes its fresh store once, now that the step count is known.
  void SizeStepTables(int total) {
    if (!merging_) {
      ResetFigure(fig_, total > capacity_ ? std::min(total + 10, kMaxCount) : capacity_);
      return;
    }
    bool rowsShort = UpperBound(fig_.StepIn) < total || UpperBound(fig_.StepKind) < total;
    if (total > fig_.StoreCapacity || rowsShort) GrowFigure(fig_, std::min(total + 10, kMaxCount));
  }

  void ReadStepSlots(Table<StepRefs>& refs, size_t lineBase) {
    for (int i = 1; i <= fileSteps_ && !failure_; ++i) {
      item_ = i;
      for (int j = 1; j <= kSlots; ++j) {
        slotLines_[lineBase + static_cast<size_t>(i - 1) * kSlots + (j - 1)] = cursor_.Line();
        int16_t cls = ReadInt();
        int16_t index = ReadInt();
        refs[baseSteps_ + i][j] = {cls, index};
      }
    }
  }

  void ReadCounts() {
    section_ = "element count";
    long long numericFields = 0;
    int firstLine = cursor_.Line();
    static constexpr int kRecordFields[] = {0, kPointNumericFields, kLineNumericFields,
                                            kCircleNumericFields};
    for (int c = 0; c < static_cast<int>(fileCounts_.size()); ++c) {
      int line = cursor_.Line();
      int count = ReadCount("element count");
      if (baseCounts_[c] + count > kMaxCount) {
        Fail(line, std::string("merging ") + std::to_string(count) + " " +
                       (IsElementClass(c) ? ClassName(c, true) : "elements") +
                       " passes the limit of 32767");
        return;
      }
      fileCounts_[c] = count;
      if (c == kClassNumber) numericFields += static_cast<long long>(count) * NumberFields();
      if (c >= kClassPoint && c <= kClassCircle) numericFields += 1LL * count * kRecordFields[c];
    }
    reachedNumbers_ = fileCounts_[kClassNumber] > 0;
    RequireNumericFields(numericFields, firstLine, "more elements");
    if (failure_) return;
    for (int c = 0; c < static_cast<int>(fileCounts_.size()); ++c) {
      fig_.ElemCount[c] = baseCounts_[c] + fileCounts_[c];
      if (IsElementClass(c)) {
        EnsureElementCapacity(fig_, c, fig_.ElemCount[c]);
      }
    }
  }

  int NumberFields() const { return olderLayout_ ? 2 : 3; }

  // Checks a reference against the file's own counts and moves it past the
  // elements the figure held before a merge. Index 0 names no element and
  // is kept as it is.
  std::optional<std::string> PlaceReference(ObjRef& ref, bool stepSlot) {
    if (stepSlot && ref.Class == 0 && ref.Index == 0) return std::nullopt;
    int cls = ref.Class;
    if (stepSlot && cls >= 100) cls -= 100;
    if (!IsElementClass(cls)) {
      return std::string("has class ") + std::to_string(ref.Class) + ", expected " +
             (stepSlot ? "0..3 or 100..103" : "0..3");
    }
    if (ref.Index < 0 || ref.Index > fileCounts_[cls]) {
      return "refers to " + std::string(ClassName(cls, false)) + " " + std::to_string(ref.Index) +
             ", but the file holds " + std::to_string(fileCounts_[cls]) + " " +
             ClassName(cls, true);
    }
    if (ref.Index > 0) ref.Index = static_cast<int16_t>(ref.Index + baseCounts_[cls]);
    return std::nullopt;
  }

  void PlaceStepReferences() {
    section_ = "step";
    for (int i = 1; i <= fileSteps_ && !failure_; ++i) {
      item_ = i;
      for (int j = 1; j <= kSlots; ++j) {
        PlaceStepSlot(fig_.StepIn[baseSteps_ + i][j], "input", 0, i, j);
        PlaceStepSlot(fig_.StepOut[baseSteps_ + i][j], "output", fileSteps_, i, j);
      }
    }
    item_ = 0;
  }

  void PlaceStepSlot(ObjRef& ref, const char* slotName, int lineBlock, int step, int slot) {
    if (std::optional<std::string> fault = PlaceReference(ref, true)) {
      size_t at = static_cast<size_t>(lineBlock + step - 1) * kSlots + (slot - 1);
      Fail(slotLines_[at], std::string(slotName) + " " + std::to_string(slot) + " " + *fault);
    }
  }

  void ReadNumbers() {
    section_ = "number";
    for (int k = 1; k <= fileCounts_[kClassNumber] && !failure_; ++k) {
      item_ = k;
      // Every field is written here, so the record is built in its row.
      NumRec& num = fig_.NumTable[baseCounts_[kClassNumber] + k];
      num.Value = ReadReal();
      num.Exists = ReadInt();
      SplitNumberText(ReadText(), num);
      num.NumFlag = olderLayout_ ? int16_t{0} : ReadInt();
    }
  }

  // The text field is Name, "_" when hidden, "@" and Expr.
  void SplitNumberText(std::string_view text, NumRec& num) {
    FieldSplit atExpr = SplitAtFirst(text, "@");
    std::string_view nameAndShow = atExpr.Before;
    num.Name = Fitted(SplitAtFirst(nameAndShow, "_").Before, kNumNameWidth);
    num.NumShow = nameAndShow.find('_') != std::string_view::npos ? 7 : 0;
    num.Expr = Fitted(atExpr.After, kExprWidth);
  }

  // A text cut to its field's width; what the file held is kept to be told.
  std::string Fitted(std::string_view text, int width) {
    std::string kept = FixedText(text, width);
    if (kept != TrimRight(text)) cutTexts_.emplace_back(TrimRight(text));
    return kept;
  }

  void ReadPoints() {
    section_ = "point";
    for (int k = 1; k <= fileCounts_[kClassPoint] && !failure_; ++k) {
      item_ = k;
      PtRec& pt = fig_.PtTable[baseCounts_[kClassPoint] + k];
      pt.X = ReadReal();
      pt.Y = ReadReal();
      pt.Color = ReadInt();
      pt.Style = ReadInt();
      pt.Exists = ReadInt();
      pt.Mark = ReadInt();
      pt.BoundMode = ReadInt();
      int hostLine = cursor_.Line();
      pt.HostClass = ReadInt();
      pt.HostIndex = ReadInt();
      PlaceHost(pt, hostLine);
      pt.Param = ReadReal();
      SetPointName(pt, Fitted(ReadText(), kPtNameWidth));
    }
  }

  // HostClass 0 means no host; its HostIndex means nothing and is kept.
  void PlaceHost(PtRec& pt, int line) {
    if (pt.HostClass == 0) return;
    ObjRef host{pt.HostClass, pt.HostIndex};
    if (std::optional<std::string> fault = PlaceReference(host, false)) {
      Fail(line, "the host " + *fault);
    }
    pt.HostIndex = host.Index;
  }

  void ReadLines() {
    section_ = "line";
    for (int k = 1; k <= fileCounts_[kClassLine] && !failure_; ++k) {
      item_ = k;
      LnRec& ln = fig_.LnTable[baseCounts_[kClassLine] + k];
      ln.X1 = ReadReal();
      ln.Y1 = ReadReal();
      ln.X2 = ReadReal();
      ln.Y2 = ReadReal();
      ln.Exists = ReadInt();
      ln.LineKind = ReadInt();
      ln.DX = ReadReal();
      ln.DY = ReadReal();
      ln.Color = ReadInt();
      ln.Style = ReadInt();
      ln.Name = Fitted(ReadText(), kLnNameWidth);
      ln.Draggable = ln.Pt1Index = ln.Pt2Index = 0;  // not in the file
    }
  }

  void ReadCircles() {
    section_ = "circle";
    for (int k = 1; k <= fileCounts_[kClassCircle] && !failure_; ++k) {
      item_ = k;
      CirRec& cir = fig_.CirTable[baseCounts_[kClassCircle] + k];
      cir.CX = ReadReal();
      cir.CY = ReadReal();
      cir.R = ReadReal();
      cir.Exists = ReadInt();
      cir.Color = ReadInt();
      cir.Style = ReadInt();
      cir.Name = Fitted(ReadText(), kCirNameWidth);
    }
    item_ = 0;
  }

  // Lines "REV=",7 (as written) and rev = 7 (older files) set the reversal
  // flag of a step of the file; other lines, and steps the file does not
  // have, are ignored.
  void ReadTrailer() {
    std::string_view raw;
    while (cursor_.NextLine(raw)) {
      std::string line(raw);
      std::erase(line, '"');
      FieldSplit split = SplitAtFirst(line, "=");
      if (!split.Found) continue;
      std::string key(Trim(split.Before));
      std::transform(key.begin(), key.end(), key.begin(),
                     [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
      if (key != "REV") continue;
      std::string_view number = Trim(split.After);
      if (!number.empty() && number.front() == ',') number = Trim(number.substr(1));
      std::optional<double> value = ParseReal(number);
      if (!value || std::abs(*value) > kMaxCount + 1) continue;
      auto step = static_cast<int>(std::nearbyint(*value));
      if (step >= 1 && step <= fileSteps_) fig_.StepRev[baseSteps_ + step] = kTrue;
    }
  }

  Figure& fig_;
  std::vector<std::string> cutTexts_;
  int capacity_;
  FieldCursor cursor_;
  bool merging_;
  bool olderLayout_;
  std::optional<ReadError> failure_;
  int baseSteps_;
  std::array<int, 11> baseCounts_;
  int fileSteps_ = 0;
  std::array<int, 11> fileCounts_{};
  std::vector<int> slotLines_;  // line of each step slot, for messages
  const char* section_ = "";
  int item_ = 0;
  bool reachedNumbers_ = false;
};

bool AnyComplexOps(const Figure& fig) {
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (fig.StepKind[s].starts_with("PO")) return true;
  }
  return false;
}

}  // namespace

FigTextReadResult ReadFigureText(Figure& fig, std::string_view text, char mode,
                                 std::string_view fileName) {
  FigTextReadResult result;
  if (mode != 'R' && mode != 'A') {
    result.Ok = false;
    result.Message = std::string(fileName) + ": unknown file mode '" + std::string(1, mode) + "'";
    return result;
  }
  std::optional<ReadError> failure;
  for (bool olderLayout : {false, true}) {
    // A read builds its store once it knows the step count; a merge works on a copy.
    Figure work;
    if (mode == 'A') work = fig;
    FigReader reader(work, text, mode, olderLayout, fig.StoreCapacity);
    const std::optional<ReadError>& error = reader.Read();
    if (!error) {
      work.ComplexOpsUsed = AnyComplexOps(work) ? kTrue : kFalse;
      fig = std::move(work);
      result.CutTexts = std::move(reader.CutTexts());
      return result;
    }
    // The message of the attempt that got further is the likelier cause.
    if (!failure || error->Offset > failure->Offset) failure = error;
    if (olderLayout || !reader.ReachedNumbers()) break;
    result.TriedOlderLayout = true;
  }
  result.Ok = false;
  result.Message = std::string(fileName) + ": " + failure->Message;
  result.Line = failure->Line;
  return result;
}

}  // namespace plandra
