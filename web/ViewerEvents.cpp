// Exports for the page's event points. A press is asked about once; the
// page then reads each reached point's code, reach and texts by its number.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ViewerMain.h"
#include "figure/EventMark.h"
#include "figure/EventPress.h"
#include "persist/PageReference.h"
#include "persist/TextCode.h"

namespace plandra {
namespace {

// The window's reach (EventHitSize) as the program starts with it.
constexpr int16_t kPageHitSize = 1;

std::vector<EventHit> hits;

const EventHit* HitOf(int number) {
  if (number < 0 || static_cast<size_t>(number) >= hits.size()) return nullptr;
  return &hits[static_cast<size_t>(number)];
}

}  // namespace
}  // namespace plandra

#define PLANDRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

// Events on or off: the marks drawn only while the window's event
// recognition is on (a single pixel) follow it.
PLANDRA_EXPORT("event_display") void ViewerEventDisplay(int handle, int on) {
  const plandra::ViewerFigure shown = plandra::ViewerFigureOf(handle);
  if (shown.Draw) shown.Draw->EventDisplayOn = on != 0;
}

// The event points within reach of a press at the pixel, in the order the
// window acts on them; their count.
PLANDRA_EXPORT("event_press") int ViewerEventPress(int handle, double column, double row) {
  plandra::hits.clear();
  const plandra::ViewerFigure shown = plandra::ViewerFigureOf(handle);
  if (!shown.Fig) return 0;
  const plandra::WorldPoint at = plandra::PixelToWorld(*shown.View, column, row);
  plandra::hits =
      plandra::EventHitsAt(*shown.Fig, at.X, at.Y, shown.View->PixelSize, plandra::kPageHitSize);
  return static_cast<int>(plandra::hits.size());
}

// The event code of a reached point (1..7, +10 for a hidden point), 0 for none.
PLANDRA_EXPORT("event_code") int ViewerEventCode(int number) {
  const plandra::EventHit* hit = plandra::HitOf(number);
  return hit ? hit->Code : 0;
}

// 1 when the click acts at the point's reach, 0 when it only gives the
// pointer's feedback, as in the window.
PLANDRA_EXPORT("event_acts") int ViewerEventActs(int number) {
  const plandra::EventHit* hit = plandra::HitOf(number);
  return hit && plandra::EventActsAt(hit->Code, hit->Level) ? 1 : 0;
}

// The point's event target (its message, or the name it gives) as the text.
PLANDRA_EXPORT("event_target") size_t ViewerEventTarget(int number) {
  const plandra::EventHit* hit = plandra::HitOf(number);
  return plandra::SetReply(hit ? hit->Target : std::string());
}

// The file beside the page that a picture, memo or "!>" point names, as the
// page refers to it; empty (0) when it names none or one the page may not
// reach (outside its folder, absolute, with a scheme).
PLANDRA_EXPORT("event_file") size_t ViewerEventFile(int number) {
  const plandra::EventHit* hit = plandra::HitOf(number);
  if (!hit) return plandra::SetReply({});
  const std::string file = plandra::EventFileName(hit->Code, hit->Target);
  return plandra::SetReply(plandra::PageSafeReference(file).value_or(std::string()));
}

// Of a "!>" file's text (UTF-8): 1 when its first non-blank line is an http
// or https address, which the page may offer to open; the line is the text.
PLANDRA_EXPORT("event_address") int ViewerEventAddress(const char* text, size_t length) {
  plandra::SetReply(plandra::FirstNonBlankLine(std::string_view(text, length)));
  return plandra::IsWebAddress(plandra::Reply()) ? 1 : 0;
}

// The code a text file the page fetched is written in, by the window's
// rule: 1 for code page 932, 0 for UTF-8. A memo is judged whole, any other
// text (memo 0) line by line, as the window reads an address file.
PLANDRA_EXPORT("text_code") int ViewerTextCode(const char* bytes, size_t length, int memo) {
  const std::string_view text(bytes, length);
  const plandra::TextCode code = memo ? plandra::MemoTextCode(text) : plandra::LineTextCode(text);
  return code == plandra::TextCode::kCp932 ? 1 : 0;
}
