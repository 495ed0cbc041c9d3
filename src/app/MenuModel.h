// The menu bar as data: the window shows exactly this tree, so which items
// are enabled, checked or shown is decided and tested without a display.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plandra {

struct MenuItem {
  std::string Name;      // "mnuFile", "mnuNew", ...
  std::string Caption;   // as shown (already translated); "-" is a separator
  std::string Shortcut;  // key sequence text such as "Ctrl+N"; empty for none
  bool Enabled = true;
  bool Checked = false;
  bool Visible = true;
  std::vector<MenuItem> Children;
};

// The item of that name anywhere in the tree, or nullptr.
const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, std::string_view name);
MenuItem* FindMenuItem(std::vector<MenuItem>& items, std::string_view name);

// The names of the tree in order, nesting shown by brackets: two trees with
// the same layout have the same text.
std::string MenuLayoutKey(const std::vector<MenuItem>& items);

}  // namespace plandra
