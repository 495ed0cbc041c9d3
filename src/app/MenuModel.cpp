#include "app/MenuModel.h"

namespace plandra {

const MenuItem* FindMenuItem(const std::vector<MenuItem>& items, std::string_view name) {
  for (const MenuItem& item : items) {
    if (item.Name == name) return &item;
    if (const MenuItem* inner = FindMenuItem(item.Children, name)) return inner;
  }
  return nullptr;
}

MenuItem* FindMenuItem(std::vector<MenuItem>& items, std::string_view name) {
  const auto& constItems = items;
  return const_cast<MenuItem*>(FindMenuItem(constItems, name));
}

std::string MenuLayoutKey(const std::vector<MenuItem>& items) {
  std::string key;
  for (const MenuItem& item : items) {
    key += item.Name;
    key += item.Caption == "-" ? "|-" : "";
    if (!item.Children.empty()) key += "[" + MenuLayoutKey(item.Children) + "]";
    key += ";";
  }
  return key;
}

}  // namespace plandra
