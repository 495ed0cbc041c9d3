#include "core/menus/MenuBar.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <utility>

#include "core/ViewCommands.h"
#include "core/WindowState.h"
#include "core/language/Multi_lang.h"
#include "figure/Codes.h"
#include "files/PDio05_settings.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {
constexpr int32_t kStandardReplayMs = 500;
constexpr int16_t kStandardDeformStep = 10;
constexpr int16_t kMaximizedState = 2;
constexpr int16_t kStandardOuterWidth = 6525;  // twips, the window as designed
constexpr int16_t kStandardOuterHeight = 6615;
constexpr int16_t kSmallestStartSize = 301;

constexpr std::array<std::string_view, 10> kTopMenus{
    "mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure", "mnuOption",
    "mnuEdit", "mnuHelp",   "mnuZoom",         "mnuLocus",   "mnuMenuToFull"};

// The access letters of the top menus, the same in every language, so that
// Alt and the letter (or F10 and the arrows) reach every menu.
constexpr std::pair<std::string_view, char> kAccessLetters[] = {
    {"mnuFile", 'F'}, {"mnuDeform", 'D'},    {"mnuConstruction", 'C'}, {"mnuMeasure", 'M'},
    {"mnuZoom", 'Z'}, {"mnuLocus", 'L'},     {"mnuOption", 'O'},       {"mnuEdit", 'E'},
    {"mnuHelp", 'H'}, {"mnuMenuToFull", 'T'}};

char AccessLetter(std::string_view menu) {
  for (const auto& [name, letter] : kAccessLetters) {
    if (name == menu) return letter;
  }
  return 0;
}

// "&File" where the caption holds the letter, "ﾌｧｲﾙ(&F)" where it does not;
// a dictionary's caption that names its own letter keeps it.
std::string WithAccessLetter(std::string caption, char letter) {
  if (caption.find('&') != std::string::npos) return caption;
  size_t at = caption.find(letter);
  if (at == std::string::npos) at = caption.find(static_cast<char>(letter - 'A' + 'a'));
  if (at == std::string::npos) return caption + "(&" + letter + ")";
  caption.insert(at, 1, '&');
  return caption;
}

template <class Item>
Item* FindIn(std::vector<Item>& items, std::string_view name) {
  for (Item& item : items) {
    if (item.Name == name) return &item;
    if (Item* found = FindIn(item.Children, name)) return found;
  }
  return nullptr;
}

const MenuItem* FindIn(const std::vector<MenuItem>& items, std::string_view name) {
  for (const MenuItem& item : items) {
    if (item.Name == name) return &item;
    if (const MenuItem* found = FindIn(item.Children, name)) return found;
  }
  return nullptr;
}

void Collect(const std::vector<MenuItem>& items, std::vector<const MenuItem*>& out) {
  for (const MenuItem& item : items) {
    out.push_back(&item);
    Collect(item.Children, out);
  }
}

// The top menus a mode leaves enabled.
bool TopMenuEnabled(std::string_view menu, int16_t mode) {
  if (menu == "mnuMenuToFull") menu = "mnuOption";  // an option of its own on the bar
  if (mode == kModeStandard) return true;
  if (mode == 70) return false;
  if (mode == 6 || mode == 16 || mode == 22 || mode == 61) {
    return menu == "mnuOption" || menu == "mnuHelp" || menu == "mnuZoom" || menu == "mnuLocus";
  }
  return menu == "mnuHelp" || menu == "mnuZoom";
}

void Check(MenuBar& bar, std::string_view name, bool checked) {
  if (MenuItem* item = FindMenuItem(bar, name)) item->Checked = checked;
}

bool Near(double a, double b) { return std::fabs(a - b) < 1e-9; }

void CheckDeformSteps(MenuBar& bar, const Settings& config) {
  int16_t step = config.Delta == 0 ? kStandardDeformStep : config.Delta;
  Check(bar, "mnuOdeformStandard", step == kStandardDeformStep);
  Check(bar, "mnuOdeformNarrow", step == 1);
  Check(bar, "mnuOdeformManual", step != kStandardDeformStep && step != 1);
  double var = config.DeltaVar;
  bool preset = Near(var, 0.5) || Near(var, 0.1) || Near(var, 1.0);
  Check(bar, "mnuOdeformVarStandard", Near(var, 0.5));
  Check(bar, "mnuOdeformVarNarrow", Near(var, 0.1));
  Check(bar, "mnuOdeformVarWide", Near(var, 1.0));
  Check(bar, "mnuOdeformVarManual", !preset);
}

// A stored size of the designed window shows as standard; a stored size that
// gives the VGA drawing area as VGA; any other stored size as manual.
void CheckStartWindow(MenuBar& bar, const Settings& config, const ClientSize& client) {
  bool maximized = config.StartState == kMaximizedState;
  bool stored = config.StartWidth >= kSmallestStartSize && config.StartHeight >= kSmallestStartSize;
  bool designed =
      config.StartWidth == kStandardOuterWidth && config.StartHeight == kStandardOuterHeight;
  bool vga = client.Width == kVgaClientWidth && client.Height == kVgaClientHeight;
  bool own = !maximized && stored && !designed;
  Check(bar, "mnuOWindowMax", maximized);
  Check(bar, "mnuOWindowStandard", !maximized && (!stored || designed));
  Check(bar, "mnuOWindowVGA", own && vga);
  Check(bar, "mnuOWindowSave", own && !vga);
}

void CheckReplaySpeed(MenuBar& bar, const Settings& config) {
  int32_t interval = config.RedrawSlow == 0 ? kStandardReplayMs : config.RedrawSlow;
  Check(bar, "mnuRedrawslowOption_01", interval == 200);
  Check(bar, "mnuRedrawslowOption_03", interval == kStandardReplayMs);
  Check(bar, "mnuRedrawslowOption_05", interval == 1000);
}

}  // namespace

void ForEachMenuItem(std::vector<MenuItem>& items, const std::function<void(MenuItem&)>& visit) {
  for (MenuItem& item : items) {
    visit(item);
    ForEachMenuItem(item.Children, visit);
  }
}

// The bar before the settings are read: the full menu, as the default setting
// asks; the start-up applies the easy menu when the settings choose it.
MenuBar MainMenuBar() {
  MenuBar bar;
  bar.Items = DesignedMenuItems();
  ShowFullMenu(bar);
  return bar;
}

bool MenuPathTo(const std::vector<MenuItem>& items, std::string_view name,
                std::vector<const MenuItem*>& path) {
  for (const MenuItem& item : items) {
    path.push_back(&item);
    if (item.Name == name || MenuPathTo(item.Children, name, path)) return true;
    path.pop_back();
  }
  return false;
}

bool MenuPathEnabled(const MenuBar& bar, std::string_view controlName) {
  std::vector<const MenuItem*> path;
  if (!MenuPathTo(bar.Items, controlName, path)) return true;
  return std::all_of(path.begin(), path.end(), [](const MenuItem* item) { return item->Enabled; });
}

MenuItem* FindMenuItem(MenuBar& bar, std::string_view name) { return FindIn(bar.Items, name); }

const MenuItem* FindMenuItem(const MenuBar& bar, std::string_view name) {
  return FindIn(bar.Items, name);
}

std::vector<const MenuItem*> AllMenuItems(const MenuBar& bar) {
  std::vector<const MenuItem*> out;
  Collect(bar.Items, out);
  return out;
}

void TranslateMenuCaptions(MenuBar& bar, LangState& lang) {
  if (!bar.Store.Captured) {
    ForEachMenuItem(bar.Items,
                    [&bar](MenuItem& item) { bar.Store.Captions[item.Name] = item.Caption; });
    bar.Store.Captured = true;
  }
  ForEachMenuItem(bar.Items, [&bar, &lang](MenuItem& item) {
    auto stored = bar.Store.Captions.find(item.Name);
    if (stored != bar.Store.Captions.end()) item.Caption = TranslateCaption(lang, stored->second);
  });
  for (MenuItem& top : bar.Items) {
    if (char letter = AccessLetter(top.Name)) top.Caption = WithAccessLetter(top.Caption, letter);
  }
}

void MenuEnabledSet(MenuBar& bar, int16_t mode) {
  for (std::string_view menu : kTopMenus) {
    if (MenuItem* item = FindMenuItem(bar, menu)) item->Enabled = TopMenuEnabled(menu, mode);
  }
}

void DisableTopMenus(MenuBar& bar) {
  for (std::string_view menu : kTopMenus) {
    if (MenuItem* item = FindMenuItem(bar, menu)) item->Enabled = false;
  }
}

void MenuCheckSet(MenuBar& bar, const Settings& config, int16_t axisKind, bool angleMarksShown,
                  const ClientSize& client) {
  Check(bar, "mnuOchrDisp", config.NotChrDisp == 0);
  Check(bar, "mnuAngleSW", angleMarksShown);
  Check(bar, "mnuOAxis", config.AxisShow != 0);
  Check(bar, "mnuOAxis01", axisKind == 0);
  Check(bar, "mnuOAxis02", axisKind == 1);
  CheckDeformSteps(bar, config);
  CheckStartWindow(bar, config, client);
  Check(bar, "mnuOMenu_easy", config.MenuEasy != 0);
  Check(bar, "mnuOmenu_full", config.MenuEasy == 0);
  CheckReplaySpeed(bar, config);
  Check(bar, "mnuOSDeformLC", config.SDeformKind == 0);
  Check(bar, "mnuOSDeformL", config.SDeformKind == 1);
  Check(bar, "mnuOSDeformCross", config.SDeformKind == 2);
}

const std::vector<std::string_view>& FullMenuItems() {
  static const std::vector<std::string_view> names = {
      "mnuFile",        "mnuHelp",   "mnuLocus",     "mnuZoom",          "mnuDeform",
      "mnuFDataFolder", "mnuFprint", "mnuMerge",     "mnuConstruction",  "mnuMeasure",
      "mnuEdit",        "mnuOption", "mnuLocusSet",  "mnuLocusNumClear", "mnuEditFigDataView",
      "mnuZoomComplex", "mnufB",     "mnuSaveOnLine"};
  return names;
}

namespace {

void SetFullMenuShown(MenuBar& bar, bool shown) {
  for (std::string_view name : FullMenuItems()) {
    if (MenuItem* item = FindMenuItem(bar, name)) item->Visible = shown;
  }
  // With the top menus hidden this item alone leads back to them.
  if (MenuItem* item = FindMenuItem(bar, "mnuMenuToFull")) item->Visible = !shown;
}

}  // namespace

void ShowFullMenu(MenuBar& bar) { SetFullMenuShown(bar, true); }

void ShowEasyMenu(MenuBar& bar) { SetFullMenuShown(bar, false); }

}  // namespace plandra
