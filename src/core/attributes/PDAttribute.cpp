#include "core/attributes/PDAttribute.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/events/PDevent.h"
#include "core/language/TranslatedText.h"
#include "core/pick/PDSelObj.h"
#include "figure/EventMark.h"
#include "files/Cp932.h"
#include "files/PDio05_text.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// The second characters of the event markers ("!!", "!@", ...).
constexpr std::string_view kMarkerSeconds = "!@#>_%";
constexpr std::string_view kRoomText = "残り%1文字";

constexpr std::array<std::string_view, 8> kPointColors{"書かない", "赤", "緑",   "黄",
                                                       "青",       "紫", "水色", "黒"};
constexpr std::array<std::string_view, 8> kLineColors{"書かない", "赤", "緑",   "点線(太線→黄)",
                                                      "青",       "紫", "水色", "黒"};
constexpr std::array<std::string_view, 6> kMarks{"・", "×", "○", "□", "■", "Δ"};
constexpr std::array<std::string_view, 8> kLineKinds{"直線",  "線分",  "半直線", "半直線(逆)",
                                                     "線分←", "線分→", "線分←→", "半直線←"};
constexpr std::array<std::string_view, 2> kIndependent{"可能", "不可能"};
constexpr std::array<std::string_view, 8> kEventKinds{"なし",
                                                      "メッセージ",
                                                      "メッセージボード",
                                                      "メッセージ画像",
                                                      "text(拡張子不要)",
                                                      "PD/差替(拡張子不要)",
                                                      "ファイルを開く",
                                                      "外部ファイルによる指定"};
constexpr int kDefaultColor = kColorBlack;

// The stored value of a list: its position, or the default when none is
// selected.
int16_t Position(const ListControl& list, int defaultValue) {
  bool selected = list.ListIndex >= 0 && list.ListIndex < static_cast<int>(list.Items.size());
  return static_cast<int16_t>(selected ? list.ListIndex : defaultValue);
}

// "設定" is also the locus menu's "Settings": in English the button that
// applies a dialog reads "OK", as such buttons do.
std::string ApplyButtonText(LangState& lang) {
  if (ChosenLanguage(lang.Language) == LanguageChoice::kEnglish) return "OK";
  return Translate(lang, "設定");
}

DialogTexts MakeTexts(Program& p, std::string_view caption) {
  return {Translate(p.Lang, caption), ApplyButtonText(p.Lang), Translate(p.Lang, "キャンセル")};
}

// The target, the title and the name row every attribute dialog starts with.
template <typename Model>
Model StartModel(Program& p, ObjRef target, std::string_view caption) {
  Model m;
  m.Target = target;
  m.Texts = MakeTexts(p, caption);
  m.LabelName = Translate(p.Lang, "名前");
  return m;
}

// A started model with the colour rows of the point, line and circle dialogs.
template <typename Model>
Model StartDrawnModel(Program& p, ObjRef target, std::string_view caption) {
  Model m = StartModel<Model>(p, target, caption);
  m.LabelClr = Translate(p.Lang, "色");
  m.LabelLocus = Translate(p.Lang, "軌跡の色");
  return m;
}

// Whether the field's file text must not hold the ASCII character c, the
// next character being next.
bool Reserved(char c, char next, NameField field) {
  switch (field) {
    case NameField::kPoint: return c == '!';
    case NameField::kEventText:
      return c == '!' && kMarkerSeconds.find(next) != std::string_view::npos;
    case NameField::kNumber: return c == '_' || c == '@';
    case NameField::kLineOrCircle: return false;
  }
  return false;
}

// The bytes of the UTF-8 character that starts at text[at] (1 for a broken one).
size_t CharLength(std::string_view text, size_t at) {
  size_t end = at + 1;
  if (static_cast<unsigned char>(text[at]) >= 0xC0) {
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return end - at;
}

// Character for character, what the field's file text can hold.
std::string CleanText(std::string_view typed, NameField field) {
  Cp932Converter cp932;
  std::string clean;
  for (size_t at = 0; at < typed.size();) {
    const size_t length = CharLength(typed, at);
    const std::string_view one = typed.substr(at, length);
    const char c = one.front();
    const char next = at + length < typed.size() ? typed[at + length] : '\0';
    bool lost = false;
    if (c == '"' || (length == 1 && Reserved(c, next, field))) {
      clean += FullWidth(c);
    } else if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') {
      clean += ' ';
    } else if (length == 1 && static_cast<unsigned char>(c) < 0x80) {
      clean += c;
    } else if (std::string held = cp932.FromUtf8(one, lost); lost || held.empty()) {
      clean += '?';
    } else {
      clean += one;
    }
    at += length;
  }
  return clean;
}

int CharsOf(std::string_view text) { return static_cast<int>(CharCountBefore(text, text.size())); }

// The stored name: the typed name (its "!" made full-width, as the half-width
// one marks events), the marker of the chosen event and its target. A point
// whose name is empty then begins with the marker and is not drawn.
std::string BuiltPointName(const PtAttributeModel& m) {
  std::string name = StorableName(m.TextName, NameField::kPoint);
  const int16_t event = Position(m.Combo_Event, kEventNone);
  if (event == kEventNone) return name;
  return name + std::string(EventMarker(event)) + StorableEventText(m.Text_Event, event);
}

void AskForDialog(Program& p, AttributeDialog dialog) { p.Attr.Pending = dialog; }

void PushDialogMode(Program& p, int16_t mode) {
  ModePush(p.Modes, mode, *p.Host);
  RefreshModeDisplay(p);
}

// After OK or Cancel: the dialog's own mode, then the edit mode the pick
// left under it (from the context menu there is none, and the pop beeps).
void CloseDialog(Program& p, bool modePushed) {
  if (modePushed) ModePop(p.Modes, *p.Host);
  Redraw(p);
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
}

void StartEditPick(Program& p, int16_t editMode, int16_t cls) {
  ModePush(p.Modes, editMode, *p.Host);
  ModePush(p.Modes, kModePickEdit, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
  BuildPickList(p, cls);
  if (p.Pick.PickCount == 0) {
    // Nothing of the class to edit: the edit mode must not stay behind.
    PopModeIf(p, kModePickEdit);
    PopModeIf(p, editMode);
    p.Host->Beep();
    RefreshModeDisplay(p);
  }
}

void SetMenuItem(Program& p, std::string_view name, bool visible, std::string_view word,
                 const std::string& label) {
  MenuItem* item = FindMenuItem(p.Menu, name);
  if (!item) return;
  item->Visible = visible;
  item->Caption = Translate(p.Lang, word) + ":" + label;
}

std::string MenuLabel(Program& p, ObjRef ref) {
  const Figure& fig = p.Fig;
  switch (ref.BaseClass()) {
    case kClassPoint:
      return Translate(p.Lang, "点") + " " + std::string(Trim(fig.PtTable[ref.Index].Name));
    case kClassLine:
      return Translate(p.Lang, "線") + " " + std::string(Trim(fig.LnTable[ref.Index].Name));
    default:
      return TranslateCaption(p.Lang, "円") + " " + std::string(Trim(fig.CirTable[ref.Index].Name));
  }
}

}  // namespace

ListControl TranslatedList(Program& p, std::span<const std::string_view> texts, int value) {
  ListControl list;
  for (std::string_view text : texts) list.Items.push_back(Translate(p.Lang, text));
  bool inList = value >= 0 && value < static_cast<int>(texts.size());
  list.ListIndex = inList ? value : -1;
  return list;
}

AttributeDialog TakePendingDialog(AttributeState& state) {
  AttributeDialog pending = state.Pending;
  state.Pending = AttributeDialog::kNone;
  return pending;
}

std::string StorableName(std::string_view typed, NameField field) {
  return std::string(Trim(CleanText(typed, field)));
}

std::string StorableEventText(std::string_view typed, int16_t eventKind) {
  std::string text = StorableName(typed, NameField::kEventText);
  const std::string_view marker = EventMarker(eventKind);
  if (!text.empty() && marker.ends_with('!') &&
      kMarkerSeconds.find(text.front()) != std::string_view::npos) {
    text.replace(0, 1, FullWidth(text.front()));
  }
  return text;
}

int RoomLeft(const PtAttributeModel& m) { return kPtNameWidth - CharsOf(BuiltPointName(m)); }

int RoomLeft(const LineAttributeModel& m) {
  return kLnNameWidth - CharsOf(StorableName(m.TextName, NameField::kLineOrCircle));
}

int RoomLeft(const CircleAttributeModel& m) {
  return kCirNameWidth - CharsOf(StorableName(m.TextName, NameField::kLineOrCircle));
}

int RoomLeft(const NumAttributeModel& m) {
  return kNumNameWidth - CharsOf(StorableName(m.TextName, NameField::kNumber));
}

std::string RoomText(LangState& lang, int room) {
  std::string text = Translate(lang, kRoomText);
  if (const size_t at = text.find("%1"); at != std::string::npos) {
    text.replace(at, 2, std::to_string(room));
  }
  return text;
}

PtAttributeModel FillPtAttribute(Program& p, int index) {
  const PtRec& pt = p.Fig.PtTable[index];
  auto m = StartDrawnModel<PtAttributeModel>(p, ObjRef::Of(kClassPoint, index), "点の属性の設定");
  m.LabelKind = Translate(p.Lang, "表示形式");
  m.LabelIndependent = Translate(p.Lang, "変形時の選択");
  m.LabelEvent = Translate(p.Lang, "イベント・内容");
  m.TextName = std::string(PointNameShown(pt.Name));  // without the event part
  m.Combo_Event = TranslatedList(p, kEventKinds, pt.EventKind % kEventHidden);
  m.Text_Event = std::string(TrimLeft(pt.EventText));
  m.ComboClr = TranslatedList(p, kPointColors, pt.Color);
  m.ComboLocus = TranslatedList(p, kPointColors, pt.Style);
  m.ComboKind = TranslatedList(p, kMarks, pt.Mark);
  int independent = pt.BoundMode == kBoundMovable ? 0 : pt.BoundMode == kBoundFixedFree ? 1 : -1;
  m.ComboIndependent = TranslatedList(p, kIndependent, independent);
  m.ComboIndependent.Visible = pt.BoundMode != 0;
  // Events are made while event recognition is on (status panel 11).
  m.Combo_Event.Visible = p.Events.EventMode != kEventModeOff;
  return m;
}

LineAttributeModel FillLineAttribute(Program& p, int index) {
  const LnRec& ln = p.Fig.LnTable[index];
  auto m =
      StartDrawnModel<LineAttributeModel>(p, ObjRef::Of(kClassLine, index), "直線の属性の設定");
  m.LabelKind = Translate(p.Lang, "表示形式");
  m.TextName = std::string(Trim(ln.Name));
  if (NameFollowsInputs(p.Fig, m.Target)) m.NameNote = Translate(p.Lang, "2点の名前に従います");
  m.ComboClr = TranslatedList(p, kLineColors, ln.Color);
  m.ComboLocus = TranslatedList(p, kLineColors, ln.Style);
  m.ComboKind = TranslatedList(p, kLineKinds, ln.LineKind);
  return m;
}

CircleAttributeModel FillCircleAttribute(Program& p, int index) {
  const CirRec& cir = p.Fig.CirTable[index];
  auto m =
      StartDrawnModel<CircleAttributeModel>(p, ObjRef::Of(kClassCircle, index), "円の属性の設定");
  m.TextName = std::string(Trim(cir.Name));
  m.ComboClr = TranslatedList(p, kLineColors, cir.Color);
  m.ComboLocus = TranslatedList(p, kLineColors, cir.Style);
  return m;
}

NumAttributeModel FillNumAttribute(Program& p, int index) {
  const NumRec& num = p.Fig.NumTable[index];
  auto m = StartModel<NumAttributeModel>(p, ObjRef::Of(kClassNumber, index), "変数の属性の設定");
  m.LabelAttr = Translate(p.Lang, "属性");
  m.TextName = std::string(TrimRight(num.Name));
  if (NameFollowsInputs(p.Fig, m.Target)) {
    m.NameNote = Translate(p.Lang, "元にした対象の名前に従います");
  }
  m.TextVal = PlainNumberText(num.Value);
  m.OptionVisibleText = Translate(p.Lang, "表示");
  m.OptionNotVisibleText = Translate(p.Lang, "非表示");
  m.OptionNotVisible = num.NumShow != kNumShown;
  m.OptionVisible = !m.OptionNotVisible;
  bool independent = num.NumFlag == kTrue;
  m.TextAttr = Translate(p.Lang, independent ? "独立変数" : "従属変数");
  m.TextValEnabled = independent;
  m.OptionsEnabled = !independent;
  return m;
}

void EditAttributes(Program& p, ObjRef ref) {
  if (!RefInRange(p.Fig, ref)) {
    p.Host->Beep();
    return;
  }
  p.Build.MenuTarget = ref;
  switch (ref.BaseClass()) {
    case kClassNumber:
      p.Attr.Number = FillNumAttribute(p, ref.Index);
      AskForDialog(p, AttributeDialog::kNumber);
      break;
    case kClassPoint:
      PushDialogMode(p, kModeEditPoint);
      p.Attr.Point = FillPtAttribute(p, ref.Index);
      AskForDialog(p, AttributeDialog::kPoint);
      break;
    case kClassLine:
      PushDialogMode(p, kModeEditLine);
      p.Attr.Line = FillLineAttribute(p, ref.Index);
      AskForDialog(p, AttributeDialog::kLine);
      break;
    default:
      PushDialogMode(p, kModeEditCircle);
      p.Attr.Circle = FillCircleAttribute(p, ref.Index);
      AskForDialog(p, AttributeDialog::kCircle);
      break;
  }
}

void PtAttributeOK(Program& p) {
  const PtAttributeModel& m = p.Attr.Point;
  if (RefInRange(p.Fig, m.Target)) {
    PtRec& pt = p.Fig.PtTable[m.Target.Index];
    SetElementName(p.Fig, m.Target, BuiltPointName(m));
    pt.Color = Position(m.ComboClr, kDefaultColor);
    pt.Style = Position(m.ComboLocus, 0);
    pt.Mark = Position(m.ComboKind, 0);
    if (pt.BoundMode != 0) {
      pt.BoundMode = Position(m.ComboIndependent, 0) == 1 ? kBoundFixedFree : kBoundMovable;
    }
    AutoLabels(p.Fig, TranslatedText(p.Lang));
  }
  CloseDialog(p, true);
}

void PtAttributeCancel(Program& p) { CloseDialog(p, true); }

void LineAttributeOK(Program& p) {
  const LineAttributeModel& m = p.Attr.Line;
  if (RefInRange(p.Fig, m.Target)) {
    LnRec& ln = p.Fig.LnTable[m.Target.Index];
    if (m.NameNote.empty()) {
      SetElementName(p.Fig, m.Target, StorableName(m.TextName, NameField::kLineOrCircle));
    }
    ln.Color = Position(m.ComboClr, kDefaultColor);
    ln.Style = Position(m.ComboLocus, 0);
    ln.LineKind = Position(m.ComboKind, 0);
    AutoLabels(p.Fig, TranslatedText(p.Lang));
  }
  CloseDialog(p, true);
}

void LineAttributeCancel(Program& p) { CloseDialog(p, true); }

void CircleAttributeOK(Program& p) {
  const CircleAttributeModel& m = p.Attr.Circle;
  if (RefInRange(p.Fig, m.Target)) {
    CirRec& cir = p.Fig.CirTable[m.Target.Index];
    SetElementName(p.Fig, m.Target, StorableName(m.TextName, NameField::kLineOrCircle));
    cir.Color = Position(m.ComboClr, kDefaultColor);
    cir.Style = Position(m.ComboLocus, 0);
    AutoLabels(p.Fig, TranslatedText(p.Lang));
  }
  CloseDialog(p, true);
}

void CircleAttributeCancel(Program& p) { CloseDialog(p, true); }

void NumAttributeOK(Program& p) {
  const NumAttributeModel& m = p.Attr.Number;
  if (RefInRange(p.Fig, m.Target)) {
    NumRec& num = p.Fig.NumTable[m.Target.Index];
    if (num.NumFlag != kTrue) num.NumShow = m.OptionNotVisible ? kNumHidden : kNumShown;
    if (m.NameNote.empty()) {
      SetElementName(p.Fig, m.Target, StorableName(m.TextName, NameField::kNumber));
    }
    num.Value = LeadingNumber(m.TextVal);
    AutoLabels(p.Fig, TranslatedText(p.Lang));
  }
  CloseDialog(p, false);
}

void NumAttributeCancel(Program& p) { CloseDialog(p, false); }

void AcceptEditPick(Program& p, ObjRef ref) {
  if (CurrentMode(p.Modes) != kModePickEdit) return;
  if (ref.Index == 0) {
    EscapeEditPick(p);
    return;
  }
  ModePop(p.Modes, *p.Host);
  int16_t editMode = CurrentMode(p.Modes);
  // Modes 41..44 edit numbers, points, lines and circles in class order.
  bool editing = editMode >= kModeEditNumber && editMode <= kModeEditCircle;
  if (editing && ref.BaseClass() == editMode - kModeEditNumber) {
    EditAttributes(p, ref);
  } else if (editing) {
    ModePop(p.Modes, *p.Host);
    p.Host->Beep();
  }
  RefreshModeDisplay(p);
}

void EscapeEditPick(Program& p) {
  if (CurrentMode(p.Modes) != kModePickEdit) return;
  ModePop(p.Modes, *p.Host);
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
}

void mnuEbasicPt(Program& p) { StartEditPick(p, kModeEditPoint, kClassPoint); }
void mnuEbasicLine(Program& p) { StartEditPick(p, kModeEditLine, kClassLine); }
void mnuEbasicCircle(Program& p) { StartEditPick(p, kModeEditCircle, kClassCircle); }

void mnuEbasicNum(Program& p) {
  ModePush(p.Modes, kModeEditNumber, *p.Host);
  ModePush(p.Modes, kModePickEdit, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
  // Clicks in the drawing area must find no candidate of an earlier pick.
  p.Pick.PickCount = 0;
  p.Pick.PickCur = {};
  if (p.Build.OpenNumberDialog) {
    p.Build.OpenNumberDialog(p);
    return;
  }
  // No number chooser to answer: leave at once rather than wait in mode 40.
  PopModeIf(p, kModePickEdit);
  PopModeIf(p, kModeEditNumber);
  p.Host->Beep();
  RefreshModeDisplay(p);
}

void mnuEdit2_point_Edit(Program& p) { EditAttributes(p, p.Build.MenuTarget); }

void ShowObjectMenu(Program& p, ObjRef found) {
  if (!RefInRange(p.Fig, found) || found.BaseClass() == kClassNumber) return;
  p.Build.MenuTarget = found;
  std::string label = MenuLabel(p, found);
  bool movable =
      found.BaseClass() == kClassPoint && p.Fig.PtTable[found.Index].BoundMode == kBoundMovable;
  bool hosted = movable && p.Fig.PtTable[found.Index].HostClass != 0;
  SetMenuItem(p, "mnuEdit2_point_Edit", true, "編集", label);
  SetMenuItem(p, "mnuEdit2_point_Bounded", movable, "束縛条件の編集", label);
  SetMenuItem(p, "mnuEdit2_point_Set_Free", hosted, "フリーにする", label);
  SetMenuItem(p, "mnuEdit2_point_Deform", movable, "キーボード変形", label);
  p.Window.PopupMenu = std::string(kObjectMenu);
}

}  // namespace plandra
