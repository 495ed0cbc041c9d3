#include "support/RecordingSurface.h"

namespace plandra::test {
namespace {

SurfaceCall MakeCall(CallKind kind, double x1, double y1, double x2, double y2, RgbColor color) {
  SurfaceCall call;
  call.Kind = kind;
  call.X1 = x1;
  call.Y1 = y1;
  call.X2 = x2;
  call.Y2 = y2;
  call.Color = color;
  return call;
}

}  // namespace

void RecordingSurface::Record(SurfaceCall call) {
  call.PenWidth = pen_;
  call.Style = style_;
  Calls.push_back(std::move(call));
}

void RecordingSurface::SetWorldWindow(double left, double top, double width, double height) {
  window_ = {left, top, width, height, width_, height_};
  Record(MakeCall(CallKind::kWorldWindow, left, top, width, height, {}));
}

void RecordingSurface::Clear() { Record(MakeCall(CallKind::kClear, 0, 0, 0, 0, back_)); }

void RecordingSurface::SetFont(std::string_view family, double points) {
  family_ = std::string(family);
  points_ = points;
}

void RecordingSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
  Record(MakeCall(CallKind::kLine, x1, y1, x2, y2, color));
}

void RecordingSurface::Circle(double cx, double cy, double r, RgbColor color) {
  Record(MakeCall(CallKind::kCircle, cx, cy, r, 0, color));
}

void RecordingSurface::Box(double x1, double y1, double x2, double y2, RgbColor color,
                           bool filled) {
  SurfaceCall call = MakeCall(CallKind::kBox, x1, y1, x2, y2, color);
  call.Filled = filled;
  Record(call);
}

void RecordingSurface::Pixel(double x, double y, RgbColor color) {
  Record(MakeCall(CallKind::kPixel, x, y, 0, 0, color));
}

void RecordingSurface::Text(double x, double y, std::string_view text, RgbColor color) {
  SurfaceCall call = MakeCall(CallKind::kText, x, y, 0, 0, color);
  call.Text = std::string(text);
  Record(call);
}

std::vector<SurfaceCall> RecordingSurface::Of(CallKind kind) const {
  std::vector<SurfaceCall> found;
  for (const SurfaceCall& call : Calls) {
    if (call.Kind == kind) found.push_back(call);
  }
  return found;
}

}  // namespace plandra::test
