#include "core/MainModel.h"

#include <array>
#include <utility>

#include "core/Program.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/events/PDevent.h"
#include "core/io/SettingsFileIO.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "core/pick/PDSelObj.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::string_view kUnknownModeText = "________";
constexpr std::string_view kScribbleModeText = "Marker";

constexpr std::pair<int16_t, std::string_view> kModeTexts[] = {
    {1, "スタート"},
    {2, "標準"},
    {3, "ｵﾌﾟｼｮﾝ"},
    {4, "補助"},
    {5, "ヘルプ"},
    {6, "変形"},
    {7, "ズーム"},
    {8, "例__読込"},
    {9, "保存中"},
    {10, "編集"},
    {11, "軌跡"},
    {12, "関数選択"},
    {13, "選択"},
    {14, "数値選択"},
    {15, "選択(作図中)"},
    {16, "計算中"},
    {17, "作図構成"},
    {18, "作図開始"},
    {19, "測定"},
    {20, "ﾌｧｲﾙ消去"},
    {21, "数式入力"},
    {22, "数値変化"},
    {23, "ｻﾌﾞﾒﾆｭｰ"},
    {24, "マクロ"},
    {25, "図形追加"},
    {26, "回転"},
    {27, "ﾌｧｲﾙ改名"},
    {28, "点の追加"},
    {29, "点の追加"},
    {30, "点の位置設定"},
    {40, "選択(編集)"},
    {41, "編集"},  // the number attribute dialog's, beside 42..44
    {42, "編集"},
    {43, "編集"},
    {44, "編集"},
    {51, "点の動きの束縛"},
    {52, "選択(束縛する点)"},
    {53, "選択(どこに束縛)"},
    {60, "複数選択"},
    {61, "複数点変形"},
    {62, "数値選択"},
    {63, "複数選択"},
    {70, kScribbleModeText},
    {71, "軌跡(変数)の選択"},
    {72, "ドラッグ"},
    {73, "作図再生"},
    {80, "イベント"},
};

// Panels and the command a click on them runs; panel 1 is Esc and panel 5
// the scribble, both handled here.
constexpr std::array<std::pair<int, std::string_view>, 9> kPanelActions{{
    {2, "mnuLoad"},
    {3, "mnuLocusSW"},
    {4, "mnuLocusReset"},
    {6, "mnufBMP"},
    {7, "FontAndWidth"},
    {8, "ShiftSwitch"},
    {9, "mnuCredo"},
    {10, "mnuCundo"},
    {11, "EventLevel"},
}};

// What each panel does, and the menu item whose key does the same.
struct PanelHelp {
  std::string_view Text;
  std::string_view KeyItem;
};
constexpr std::array<PanelHelp, kStatusPanelCount + 1> kPanelHelp{{
    {},
    {"クリックで標準モードに戻ります", {}},
    {"図を開く", "mnuLoad"},
    {"軌跡の表示の切り換え(On/Off)", "mnuLocusSW"},
    {"軌跡の消去", "mnuLocusReset"},
    {"落書き機能(落書き中は色の選択)", {}},
    {"画面保存(bmp,クリップボード)", "mnufBMP"},
    {"フォントサイズと線の幅の設定", {}},
    {"Shiftキーを押したままの変形の切り換え", {}},
    {"直前のコマンドの繰り返し", "mnuCredo"},
    {"最後抹消(Undo)", "mnuCundo"},
    {"イベントの認識(×Ev.→1Ev.→Ev)", {}},
    {"マウスの下の対象", {}},
}};

void ShowPanelTooltips(Program& p) {
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    const PanelHelp& help = kPanelHelp[static_cast<size_t>(panel)];
    std::string key = panel == kModePanel ? "Esc" : "";
    if (const MenuItem* item =
            help.KeyItem.empty() ? nullptr : FindMenuItem(p.Menu, help.KeyItem)) {
      key = item->Shortcut;
    }
    std::string tip = Translate(p.Lang, help.Text);
    p.Status.Panel(panel).Tooltip = key.empty() ? tip : tip + " (" + key + ")";
  }
}

}  // namespace

std::string_view PanelAction(int panel) {
  for (const auto& [index, action] : kPanelActions) {
    if (index == panel) return action;
  }
  return {};
}

std::string_view ProgramVersion() { return PLANDRA_VERSION; }

std::string ModeName(const ModeState& modes, LangState& lang, Platform& platform) {
  std::optional<int16_t> mode = ModeTop(modes);
  if (mode) {
    for (const auto& [number, text] : kModeTexts) {
      if (number != *mode) continue;
      if (text == kScribbleModeText) return std::string(text);
      return Translate(lang, text);
    }
  }
  platform.Beep();
  return std::string(kUnknownModeText);
}

std::string FileNameOnly(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path : path.substr(cut + 1));
}

std::string WindowCaptionText(std::string_view curFileName) {
  return "[" + FileNameOnly(curFileName) + "] " + std::string(kProgramTitle) + " " +
         std::string(ProgramVersion());
}

void RefreshModeDisplay(Program& p) {
  p.Window.Caption = WindowCaptionText(p.CurFileName);
  p.Status.Panel(kModePanel).Text = ModeName(p.Modes, p.Lang, *p.Host);
  p.Status.Panel(kFilePanel).Text = FileNameOnly(p.CurFileName);
  bool scribbling = CurrentMode(p.Modes) == kModeScribble;
  p.Status.Panel(kMarkerPanel).Text = scribbling ? "Color" : "Marker";
  p.Status.Panel(kPicturePanel).Bevel =
      p.Draw.PicturePanelInset ? PanelBevel::kInset : PanelBevel::kRaised;
  MenuEnabledSet(p.Menu, CurrentMode(p.Modes));
  if (MenuItem* redo = FindMenuItem(p.Menu, "mnuCredoUndone")) redo->Enabled = CanRedo(p);
  if (PlaneTableRunning(p)) DisableTopMenus(p.Menu);
  MarkUsablePanels(p);
  MenuCheckSet(p);
  RefreshEventDisplay(p);
}

void MenuCheckSet(Program& p) {
  MenuCheckSet(p.Menu, p.Config, p.View.AxisKind, p.Draw.AngleMarksShown,
               {p.View.ClientWidth, p.View.ClientHeight});
}

void SetFonts(Program& p, std::string_view fontName) {
  if (fontName.empty()) {
    switch (ChosenLanguage(p.Lang.Language)) {
      case LanguageChoice::kEnglish: p.Window.DialogFont = "Arial"; break;
      case LanguageChoice::kJapanese: p.Window.DialogFont = "ＭＳ Ｐゴシック"; break;
      case LanguageChoice::kManual: break;
    }
    return;
  }
  p.Window.DialogFont = std::string(fontName);
}

namespace {

constexpr std::string_view kDictionaryUnreadableText = "辞書ファイルを読めませんでした。";

// A dictionary that is there but could not be read (a folder or a named pipe
// in its place, say) is told once; its texts stay Japanese.
void TellDictionaryProblems(Program& p) {
  std::vector<std::string> problems;
  problems.swap(p.Lang.DicProblems);
  if (problems.empty()) return;
  std::string text = Translate(p.Lang, kDictionaryUnreadableText);
  for (const std::string& problem : problems) text += "\n" + problem;
  p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

}  // namespace

void ApplyMenuLanguage(Program& p) {
  SetFonts(p, "");
  p.Status.Panel(kModePanel).Text = ModeName(p.Modes, p.Lang, *p.Host);
  // The Shift panel stays empty until a snap kind is chosen.
  StatusPanel& shift = p.Status.Panel(kShiftPanel);
  if (!shift.Text.empty()) shift.Text = Translate(p.Lang, SnapKindText(p.Config.SDeformKind));
  // The element's name is in the old language until the next pick.
  ClearObjStatus(p);
  // During a replay panel 3 holds the step; its end shows the switch again.
  if (CurrentMode(p.Modes) != kModeReplay) ShowLocusSwitch(p);
  ShowPanelTooltips(p);
  TranslateMenuCaptions(p.Menu, p.Lang);
  TellDictionaryProblems(p);
}

void MarkUsablePanels(Program& p) {
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    std::string_view action = PanelAction(panel);
    StatusPanel& model = p.Status.Panel(panel);
    model.Usable = action.empty() || (model.Available && MenuPathEnabled(p.Menu, action));
  }
}

}  // namespace plandra
