#include "app/EventActions.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

#include "app/EventTargets.h"
#include "app/FileCommands.h"
#include "core/MainModel.h"
#include "core/Modes.h"
#include "core/Program.h"
#include "core/events/MemoWindow.h"
#include "core/events/PDevent.h"
#include "core/pick/PDSelObj.h"
#include "figure/EventMark.h"
#include "figure/EventPress.h"
#include "figure/PDtype05.h"
#include "files/PDio05_text.h"

namespace plandra {
namespace {

// Messages that name a file: "%1" stands for it.
constexpr std::string_view kFileMissingText = "ファイル %1 がありません。";
constexpr std::string_view kTextFileMissingText = "%1がありません";
constexpr std::string_view kFigureNotFoundText = "%1 がみつかりません。";
constexpr std::string_view kPictureMissingText = "画像ファイル %1がありません。";
constexpr std::string_view kPictureUnreadableText = "この画像ファイルは表示できません。";
constexpr std::string_view kNoTargetLineText = "開く先が書かれていません。";
constexpr std::string_view kOpenQuestionText = "次のものを開きますか。";
constexpr std::string_view kOpenerText = "開くもの:";
constexpr std::string_view kOutsideText = "図形のフォルダの外にあります。";
constexpr std::string_view kRefusedText = "プログラム、スクリプト、起動用ファイルは開きません。";
constexpr std::string_view kRefusedAddressText = "この種類のアドレスは開きません。";
constexpr std::string_view kNotOpenedText = "開けませんでした。";
constexpr std::string_view kNoMemoFileText = "図形をファイルに保存すると、メモを書けます。";
// The "!>" file names its target on its first non-blank line.
constexpr size_t kTargetFileMaxBytes = 64 * 1024;

void Tell(Program& p, const std::string& text) {
  p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

// A message that names a file, translated with the name put in.
void TellAbout(Program& p, std::string_view message, std::string_view file) {
  std::string text = Translate(p.Lang, message);
  if (const size_t at = text.find("%1"); at != std::string::npos) text.replace(at, 2, file);
  Tell(p, text);
}

// The question before a file or address is opened; the caller knows what
// will open it.
bool AskToOpen(Program& p, const std::string& shown, const std::string& opener, bool outside) {
  std::string question = Translate(p.Lang, kOpenQuestionText) + "\n\n" + shown + "\n\n" +
                         Translate(p.Lang, kOpenerText) + " " + opener;
  if (outside) question += "\n\n" + Translate(p.Lang, kOutsideText);
  return p.Host->ConfirmOpen(question, Translate(p.Lang, kProgramTitle));
}

// A file the program itself shows (picture, memo, figure): asked about only
// when it lies outside the figure's folder.
bool MayShow(Program& p, const EventTarget& target) {
  return !target.Outside || AskToOpen(p, target.Path.string(), std::string(kProgramTitle), true);
}

EventTarget Resolve(Program& p, std::string_view target, bool addresses) {
  return ResolveEventTarget(FigureFolder(p.CurFileName), target, addresses);
}

bool Exists(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::exists(file, error);
}

void ShowPicture(Program& p, const std::string& target) {
  const EventTarget picture = Resolve(p, target, false);
  if (!Exists(picture.Path)) {
    TellAbout(p, kPictureMissingText, target);
    return;
  }
  if (!MayShow(p, picture)) return;
  if (!p.Host->ShowPictureWindow(picture.Path)) {
    Tell(p, Translate(p.Lang, kPictureUnreadableText) + "\n" + picture.Path.string());
  }
}

// Programs, scripts and launchers are refused whatever the user would
// answer: documents, and memos, which Save would rewrite.
bool RefusedAsProgram(Program& p, const std::filesystem::path& file) {
  if (!IsRunnableFile(file)) return false;
  Tell(p, Translate(p.Lang, kRefusedText) + "\n" + file.string());
  return true;
}

// Shows a memo in the window; the memo shown before, when changed, is asked
// about first. The same memo with its edits only comes up again.
void OpenMemo(Program& p, const std::filesystem::path& file, bool readOnly) {
  MemoState& memo = p.Events.Memo;
  if (MemoChanged(memo) && memo.File == file && !readOnly) {
    ++memo.Shown;
  } else {
    if (!MemoMayGo(memo, *p.Host, p.Lang)) return;
    if (readOnly) {
      SetMemoReadOnly(memo);
    } else {
      setMemoRW(memo);
    }
    ShowMemo(memo, file, p.Lang);
  }
  p.Host->ShowMemoWindow();
}

void ShowEventMemo(Program& p, const std::string& target, bool readOnly) {
  const EventTarget memo = Resolve(p, WithExtension(target, ".txt"), false);
  if (RefusedAsProgram(p, memo.Path) || !MayShow(p, memo)) return;
  OpenMemo(p, memo.Path, readOnly);
}

void OpenDocument(Program& p, const std::string& target) {
  if (IsDesktopAddress(target)) {
    Shell_OpenFile(p, target, false);
    return;
  }
  const EventTarget document = Resolve(p, target, false);
  if (!Exists(document.Path)) {
    TellAbout(p, kFileMissingText, target);
    return;
  }
  Shell_OpenFile(p, document.Path.string(), document.Outside);
}

// The first non-blank line of a text file; empty when it has none. A
// byte-order mark is no part of it.
std::string FirstTextLine(const std::filesystem::path& file) {
  const TextFileRead read = ReadTextFileCapped(file, kTargetFileMaxBytes);
  for (std::string_view line : SplitLines(WithoutByteOrderMark(read.Bytes))) {
    std::string text(Trim(UserLineToUtf8(line).value_or(std::string())));
    if (!text.empty()) return text;
  }
  return {};
}

void OpenTextTarget(Program& p, const std::string& target) {
  const std::string named = WithExtension(target, ".txt");
  const EventTarget file = Resolve(p, named, false);
  if (!Exists(file.Path)) {
    TellAbout(p, kTextFileMissingText, named);
    return;
  }
  const std::string line = FirstTextLine(file.Path);
  if (line.empty()) {
    Tell(p, file.Path.string() + "\n" + Translate(p.Lang, kNoTargetLineText));
    return;
  }
  const EventTarget opened = Resolve(p, line, true);
  if (opened.Refused) {
    Tell(p, Translate(p.Lang, kRefusedAddressText) + "\n" + opened.Address);
    return;
  }
  if (!opened.Address.empty()) {
    Shell_OpenFile(p, opened.Address, false);
  } else if (!Exists(opened.Path)) {
    TellAbout(p, kFileMissingText, line);
  } else {
    Shell_OpenFile(p, opened.Path.string(), opened.Outside || file.Outside);
  }
}

// The pointer of an event click: near or far for the feedback levels, the
// arrow when no event point is within reach.
int16_t FeedbackCursor(int16_t level) {
  if (level == 2) return kCursorEventNear;
  if (level == 3) return kCursorEventFar;
  return kCursorArrow;
}

// Carries out the action of an event point at its level (linked figures
// are opened by the caller, after every point has been tested).
void RunPointEvent(Program& p, const EventHit& hit) {
  if (!EventActsAt(hit.Code, hit.Level)) {
    p.Pick.Cursor = FeedbackCursor(hit.Level);
    return;
  }
  const std::string& target = hit.Target;
  switch (hit.Code % kEventHidden) {
    case kEventMessageBox: Tell(p, target); break;
    case kEventMessage: p.Host->ShowMessageWindow(hit.Color, target); break;
    case kEventPicture: ShowPicture(p, target); break;
    case kEventMemo: ShowEventMemo(p, target, hit.Code >= kEventHidden); break;
    case kEventDocument: OpenDocument(p, target); break;
    case kEventTextTarget: OpenTextTarget(p, target); break;
    default: break;
  }
}

}  // namespace

void EventDoubleClick(Program& p, const InputEvent& event) {
  if (CurrentMode(p.Modes) != kModeStandard) return;
  ModePush(p.Modes, kModeEvent, *p.Host);
  InputEvent click = event;
  click.Button = kButtonEventClick;
  EventMouseDown(p, click);
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
}

void EventMouseDown(Program& p, const InputEvent& event) {
  if (event.Button == kButtonEventClick) OnEventClick(p, event.X, event.Y);
}

void OnEventClick(Program& p, double x, double y) {
  EventState& events = p.Events;
  if (p.Locus.LocusOn == kFalse || CurrentMode(p.Modes) != kModeEvent ||
      events.EventMode == kEventModeOff) {
    return;
  }
  if (events.EventMode == kEventModeOnce) {
    events.EventMode = kEventModeOff;
    RefreshEventDisplay(p);
  }
  p.Pick.Cursor = kCursorArrow;
  std::string linked;
  bool linkedSeen = false;
  // Copies: an action may open another figure or change this one.
  const std::vector<EventHit> hits =
      EventHitsAt(p.Fig, x, y, p.View.PixelSize, events.EventHitSize);
  for (const EventHit& hit : hits) {
    if (hit.Code % kEventHidden == kEventFigure) {
      linked = hit.Target;
      linkedSeen = true;
    } else {
      RunPointEvent(p, hit);
    }
  }
  if (linkedSeen) OpenEventFigure(p, linked);
}

bool Shell_OpenFile(Program& p, const std::string& pathOrUrl, bool outside) {
  if (!IsDesktopAddress(pathOrUrl) && RefusedAsProgram(p, pathOrUrl)) return false;
  const std::string opener = p.Host->DesktopOpenerOf(pathOrUrl);
  if (!AskToOpen(p, pathOrUrl, opener, outside)) return false;
  if (!p.Host->OpenWithDesktop(pathOrUrl)) {
    Tell(p, Translate(p.Lang, kNotOpenedText) + "\n" + pathOrUrl);
    return false;
  }
  return true;
}

bool OpenEventFigure(Program& p, const std::string& target) {
  const EventTarget figure = LinkedFigureTarget(FigureFolder(p.CurFileName), target);
  if (!Exists(figure.Path)) {
    TellAbout(p, kFigureNotFoundText, target);
    return false;
  }
  if (!MayShow(p, figure)) return false;
  return OpenPDFile(p, figure.Path);
}

void mnuHMemo(Program& p) {
  const std::filesystem::path figure(p.CurFileName);
  if (p.CurFileName == kUntitled || !figure.has_filename()) {
    Tell(p, Translate(p.Lang, kNoMemoFileText));
    return;
  }
  std::filesystem::path memo = figure;
  memo.replace_extension(".txt");
  OpenMemo(p, memo, false);
}

}  // namespace plandra
