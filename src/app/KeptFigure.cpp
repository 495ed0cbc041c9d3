#include "app/KeptFigure.h"

#include <charconv>
#include <optional>
#include <vector>

#include "app/FileCommands.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/language/TranslatedText.h"
#include "core/locus/PdLocus.h"
#include "core/pick/PDSelObj.h"
#include "engine/GeoObj05.h"
#include "files/PDio05.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

// Records of "key length\n", the bytes and "\n": figure texts are code-page
// bytes with line ends of their own, so they are counted, never scanned.
constexpr std::string_view kKeptHeader = "plandra-kept 1\n";

void AppendRecord(std::string& out, std::string_view key, std::string_view bytes) {
  out.append(key).append(" ").append(std::to_string(bytes.size())).append("\n");
  out.append(bytes).append("\n");
}

struct KeptRecord {
  std::string_view Key;
  std::string_view Bytes;
};

// The records of kept in order; none when any record is malformed.
std::optional<std::vector<KeptRecord>> SplitRecords(std::string_view kept) {
  if (!kept.starts_with(kKeptHeader)) return std::nullopt;
  kept.remove_prefix(kKeptHeader.size());
  std::vector<KeptRecord> records;
  while (!kept.empty()) {
    const size_t space = kept.find(' ');
    const size_t end = kept.find('\n');
    if (space == std::string_view::npos || end == std::string_view::npos || space > end) {
      return std::nullopt;
    }
    size_t length = 0;
    const char* first = kept.data() + space + 1;
    const auto [last, error] = std::from_chars(first, kept.data() + end, length);
    if (error != std::errc() || last != kept.data() + end) return std::nullopt;
    const std::string_view rest = kept.substr(end + 1);
    if (length >= rest.size() || rest[length] != '\n') return std::nullopt;
    records.push_back({kept.substr(0, space), rest.substr(0, length)});
    kept = rest.substr(length + 1);
  }
  return records;
}

struct KeptParts {
  std::string Name;
  std::optional<std::string> Saved;
  Figure Current;
  std::vector<UndoneStep> Undone;
  // The figures' texts as kept: the current one, then each undone Before.
  std::vector<std::string_view> FigureTexts;
};

bool ReadKeptFigure(std::string_view bytes, Figure& fig) {
  return FigFileParse(fig, bytes, 'R', "").Status == FigFileStatus::kOk;
}

// An undone step is three records in a row: before, after, steps.
bool ReadUndone(const std::vector<KeptRecord>& records, size_t& at, const Figure& blank,
                KeptParts& parts) {
  if (at + 2 >= records.size() || records[at + 1].Key != "after" ||
      records[at + 2].Key != "steps") {
    return false;
  }
  UndoneStep step{blank, std::string(records[at + 1].Bytes), 0};
  const std::string_view steps = records[at + 2].Bytes;
  const auto [last, error] =
      std::from_chars(steps.data(), steps.data() + steps.size(), step.AfterStepCount);
  if (error != std::errc() || last != steps.data() + steps.size()) return false;
  if (!ReadKeptFigure(records[at].Bytes, step.Before)) return false;
  parts.Undone.push_back(std::move(step));
  parts.FigureTexts.push_back(records[at].Bytes);
  at += 3;
  return true;
}

std::optional<KeptParts> ReadKept(std::string_view kept, const Figure& blank) {
  std::optional<std::vector<KeptRecord>> records = SplitRecords(kept);
  if (!records) return std::nullopt;
  KeptParts parts{{}, {}, blank, {}, {{}}};
  if (records->empty() || records->back().Key != "end") return std::nullopt;  // cut short
  records->pop_back();
  bool haveFigure = false;
  for (size_t at = 0; at < records->size();) {
    const KeptRecord& record = (*records)[at];
    if (record.Key == "before") {
      if (!ReadUndone(*records, at, blank, parts)) return std::nullopt;
      continue;
    }
    if (record.Key == "name") {
      parts.Name = record.Bytes;
    } else if (record.Key == "saved") {
      parts.Saved = std::string(record.Bytes);
    } else if (record.Key == "figure") {
      haveFigure = ReadKeptFigure(record.Bytes, parts.Current);
      if (!haveFigure) return std::nullopt;
      parts.FigureTexts[0] = record.Bytes;
    } else {
      return std::nullopt;
    }
    ++at;
  }
  if (!haveFigure || parts.Name.empty()) return std::nullopt;
  return parts;
}

// The file rounds computed values, and recomputed from what was read they
// may differ in the last digit. A kept text that named one of the kept
// figures is renewed to name it as recomputed, so that redo and the saved
// state still know the figure.
void RenewTexts(Program& p, std::vector<std::string_view> keptTexts) {
  std::vector<std::string> nowTexts{SettledFigureText(p)};
  bool lost = false;
  for (UndoneStep& step : p.Build.Undone) {
    RecomputeForRedraw(step.Before);
    nowTexts.push_back(FigFileText(step.Before, lost));
  }
  auto renew = [&](std::string& text) {
    for (size_t i = 0; i < keptTexts.size(); ++i) {
      if (text == keptTexts[i]) {
        text = nowTexts[i];
        return;
      }
    }
  };
  for (UndoneStep& step : p.Build.Undone) renew(step.AfterText);
  if (p.SavedFigureText) renew(*p.SavedFigureText);
}

void PutKeptInPlace(Program& p, KeptParts parts) {
  p.Fig = std::move(parts.Current);
  AutoLabels(p.Fig, TranslatedText(p.Lang));
  p.CurFileName = std::move(parts.Name);
  p.SavedFigureText = std::move(parts.Saved);
  p.Build.Undone = std::move(parts.Undone);
  ResetLocus(p);
  ClearObjStatus(p);
  Redraw(p);
  RenewTexts(p, std::move(parts.FigureTexts));
  ShowFileName(p);
}

}  // namespace

std::string KeptFigureText(const Program& p) {
  bool lost = false;
  std::string kept(kKeptHeader);
  AppendRecord(kept, "name", p.CurFileName);
  if (p.SavedFigureText) AppendRecord(kept, "saved", *p.SavedFigureText);
  AppendRecord(kept, "figure", SettledFigureText(p));
  for (const UndoneStep& step : p.Build.Undone) {
    AppendRecord(kept, "before", FigFileText(step.Before, lost));
    AppendRecord(kept, "after", step.AfterText);
    AppendRecord(kept, "steps", std::to_string(step.AfterStepCount));
  }
  AppendRecord(kept, "end", "");
  return kept;
}

bool OfferKeptFigure(Program& p, std::string_view kept) {
  std::optional<KeptParts> parts = ReadKept(kept, p.Fig);
  if (!parts) {
    p.Host->MessageBox(Translate(p.Lang, kKeptFigureDamagedText),
                       Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
    return false;
  }
  const Figure& fig = parts->Current;
  if (fig.StepCount == 0 && fig.ElemCount[kClassNumber] == 0) return false;
  const MsgResult answer = p.Host->MessageBox(Translate(p.Lang, kKeptFigureQuestion),
                                              Translate(p.Lang, kProgramTitle),
                                              MsgButtons::kYesNo);
  if (answer != MsgResult::kYes) return false;
  PutKeptInPlace(p, std::move(*parts));
  return true;
}

void KeepRefused(Program& p) {
  p.Host->MessageBox(Translate(p.Lang, kKeepRefusedText), Translate(p.Lang, kProgramTitle),
                     MsgButtons::kOk);
  mnuSave_Click(p);
}

}  // namespace plandra
