// The main window's menu bar as data: every item with its control name,
// caption, shortcut and state, and the action it runs. The Qt window mirrors
// this model; which item is enabled, checked or shown is decided here.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace plandra {

struct LangState;
struct Settings;

struct MenuItem {
  std::string Name;      // control name, e.g. "mnuOFileSave"
  std::string Caption;   // the caption shown, in the current language
  std::string Shortcut;  // key name as "F7", "Ctrl+S", "Shift+Ctrl+F9"; empty for none
  // What a click runs: an action id of the command table (usually the item's
  // own name, or the item it is the same as). Empty for a sub-menu.
  std::string Action;
  std::string KindCode;  // the construction kind for the action "StartConstruction"
  std::vector<MenuItem> Children;
  bool Enabled = true;
  bool Checked = false;
  bool Visible = true;

  bool operator==(const MenuItem&) const = default;
};

// The Japanese captions, taken once so that any later language can start
// from them again.
struct CaptionStore {
  std::map<std::string, std::string> Captions;  // control name -> Japanese caption
  bool Captured = false;
};

struct MenuBar {
  std::vector<MenuItem> Items;  // the top-level menus in their order
  CaptionStore Store;
};

// The top-level menus as designed: Japanese captions, everything enabled.
std::vector<MenuItem> DesignedMenuItems();

// The menu bar at start: the designed items with the easy-menu items hidden.
// The program then disables the commands it does not have
// (DisableUnwiredItems of the command table).
MenuBar MainMenuBar();

// Every item, sub-menus before their children.
void ForEachMenuItem(std::vector<MenuItem>& items, const std::function<void(MenuItem&)>& visit);

// The items from a top menu down to the item of that name; false (path as
// it was) when no item has it.
bool MenuPathTo(const std::vector<MenuItem>& items, std::string_view name,
                std::vector<const MenuItem*>& path);
// False when the menu item of that name, or a menu above it, is disabled; a
// name that is no menu item is enabled.
bool MenuPathEnabled(const MenuBar& bar, std::string_view controlName);

// The item of that control name anywhere in the bar; null when none.
MenuItem* FindMenuItem(MenuBar& bar, std::string_view name);
const MenuItem* FindMenuItem(const MenuBar& bar, std::string_view name);

// Every item in menu order, depth first (parents before their children).
std::vector<const MenuItem*> AllMenuItems(const MenuBar& bar);

// Translates every caption from the stored Japanese captions (captured on
// the first call).
void TranslateMenuCaptions(MenuBar& bar, LangState& lang);

// The nine top-level menus by the mode in force.
void MenuEnabledSet(MenuBar& bar, int16_t mode);
// Every top-level menu disabled, while a long computation holds the figure.
void DisableTopMenus(MenuBar& bar);

// The check marks of the option menus from the settings (the replay interval
// among them), the grid kind and the angle-mark switch.
// The drawing area in pixels, as the window has it now.
struct ClientSize {
  int Width = 0;
  int Height = 0;
};

void MenuCheckSet(MenuBar& bar, const Settings& config, int16_t axisKind, bool angleMarksShown,
                  const ClientSize& client = {});

// The menus that the easy menu hides.
const std::vector<std::string_view>& FullMenuItems();
void ShowFullMenu(MenuBar& bar);
// Hides what the full menu adds and shows the one item that switches back.
void ShowEasyMenu(MenuBar& bar);

}  // namespace plandra
