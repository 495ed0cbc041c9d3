#include "core/events/MessageWindow.h"

#include <algorithm>
#include <array>

#include "core/language/Multi_lang.h"

namespace plandra {
namespace {

constexpr std::array<const char*, 7> kBackgrounds{"#ffd9d9", "#d9f2d9", "#fff5c2", "#d9e6ff",
                                                  "#eedbff", "#d6f5f5", "#e6e6e6"};
constexpr const char* kPlainBackground = "#ffffff";

}  // namespace

MessageWindowTexts MessageTexts(LangState& lang) {
  return {Translate(lang, "メッセージ"), Translate(lang, "消す")};
}

std::string MessageBackground(int clr) {
  const bool known = clr >= 1 && clr <= static_cast<int>(kBackgrounds.size());
  return known ? kBackgrounds[static_cast<size_t>(clr - 1)] : kPlainBackground;
}

WindowSize MessagePictureWindow(int pictureWidth, int pictureHeight) {
  return {std::min(pictureWidth + 40, 1000), std::min(pictureHeight + 80, 800)};
}

}  // namespace plandra
