#include "figure/EventMark.h"

#include <algorithm>
#include <array>
#include <utility>

namespace plandra {
namespace {

// The two-character markers in the order they are tested: of those a name
// holds, the last one here decides.
constexpr std::array<std::pair<std::string_view, EventCode>, 6> kMarkers{{
    {"!!", kEventMessage},
    {"!@", kEventMemo},
    {"!#", kEventDocument},
    {"!>", kEventTextTarget},
    {"!_", kEventFigure},
    {"!%", kEventPicture},
}};

struct Marked {
  int16_t Code = kEventNone;
  size_t TargetStart = std::string_view::npos;
};

Marked FindMarker(std::string_view name) {
  Marked found;
  const size_t bang = name.find('!');
  if (bang == std::string_view::npos) return found;
  found = {kEventMessageBox, bang + 1};
  for (const auto& [marker, code] : kMarkers) {
    const size_t at = name.find(marker);
    if (at != std::string_view::npos) found = {code, at + marker.size()};
  }
  return found;
}

}  // namespace

int16_t EventKindOf(std::string_view name) {
  const std::string_view trimmed = Trim(name);
  const Marked found = FindMarker(trimmed);
  if (found.Code == kEventNone) return kEventNone;
  return trimmed.front() == '!' ? static_cast<int16_t>(found.Code + kEventHidden) : found.Code;
}

std::string EventTargetOf(std::string_view name) {
  const std::string_view trimmed = Trim(name);
  const Marked found = FindMarker(trimmed);
  if (found.Code == kEventNone) return {};
  return std::string(TrimRight(trimmed.substr(found.TargetStart)));
}

std::string_view EventMarker(int16_t code) {
  const int16_t base = code % kEventHidden;
  if (base == kEventMessageBox) return "!";
  for (const auto& [marker, markerCode] : kMarkers) {
    if (markerCode == base) return marker;
  }
  return {};
}

void DerivePointEvent(PtRec& pt) {
  pt.EventKind = EventKindOf(pt.Name);
  pt.EventText = EventTargetOf(pt.Name);
}

std::string_view PointNameShown(std::string_view name) {
  name = name.substr(0, std::min(name.find('!'), name.size()));
  return Trim(name);
}

void SetPointName(PtRec& pt, std::string_view name) {
  pt.Name = FixedText(name, kPtNameWidth);
  DerivePointEvent(pt);
}

}  // namespace plandra
