#include "figure/EventPress.h"

#include <algorithm>
#include <array>

#include "figure/EventMark.h"

namespace plandra {
namespace {

// Reach radii in pixels for the levels 1, 2 and 3.
constexpr std::array<double, 3> kLevelPixels{3, 5, 10};
// A text file's lines may end in CR LF and be indented with tabs.
constexpr std::string_view kBlanks = " \t\r\f\v";

}  // namespace

int16_t EventHitLevel(double mouseX, double mouseY, const PtRec& pt, double pixelSize,
                      int16_t hitSize) {
  const double dx = mouseX - pt.X;
  const double dy = mouseY - pt.Y;
  const double squared = dx * dx + dy * dy;
  for (size_t level = 0; level < kLevelPixels.size(); ++level) {
    const double radius = kLevelPixels[level] * pixelSize;
    if (squared < radius * radius * hitSize) return static_cast<int16_t>(level + 1);
  }
  return 0;
}

bool EventActsAt(int16_t code, int16_t level) {
  const int16_t base = code % kEventHidden;
  if (base >= kEventMessageBox && base <= kEventPicture) return level == 1;
  return base != kEventNone && level >= 1;
}

std::vector<EventHit> EventHitsAt(const Figure& fig, double x, double y, double pixelSize,
                                  int16_t hitSize) {
  std::vector<EventHit> hits;
  const int count = std::min(fig.ElemCount[kClassPoint], UpperBound(fig.PtTable));
  for (int k = 1; k <= count; ++k) {
    const PtRec& pt = fig.PtTable[k];
    if (pt.EventKind == kEventNone || pt.Exists == kFalse) continue;
    const int16_t level = EventHitLevel(x, y, pt, pixelSize, hitSize);
    if (level != 0) hits.push_back({k, pt.EventKind, level, pt.Color, pt.EventText});
  }
  return hits;
}

std::string WithExtension(std::string_view target, std::string_view extension) {
  std::string_view name = target.substr(target.find_last_of("/\\") + 1);
  const size_t dot = name.rfind('.');
  if (name != ".." && dot != std::string_view::npos && dot > 0) return std::string(target);
  return std::string(target) + std::string(extension);
}

std::string EventFileName(int16_t code, std::string_view target) {
  switch (code % kEventHidden) {
    case kEventPicture: return std::string(target);
    case kEventMemo:
    case kEventTextTarget: return WithExtension(target, ".txt");
    default: return {};
  }
}

std::string FirstNonBlankLine(std::string_view text) {
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    const size_t first = line.find_first_not_of(kBlanks);
    if (first != std::string_view::npos) {
      return std::string(line.substr(first, line.find_last_not_of(kBlanks) - first + 1));
    }
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return {};
}

}  // namespace plandra
