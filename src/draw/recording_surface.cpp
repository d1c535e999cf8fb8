#include "draw/recording_surface.h"

#include <ostream>

namespace pakkon {

std::ostream& operator<<(std::ostream& out, const SurfaceCall& c) {
  static const char* const kNames[] = {"clear", "line", "rectangle", "fillRectangle", "penWidth", "text", "persistent"};
  out << kNames[static_cast<int>(c.kind)] << " (" << c.x1 << ", " << c.y1 << ")-(" << c.x2 << ", " << c.y2
      << ") colour " << std::hex << c.colour << std::dec << " pen " << c.pen;
  if (!c.text.empty()) out << " \"" << c.text << "\"";
  if (c.kind == SurfaceCall::Kind::Persistent) out << (c.on ? " on" : " off");
  return out;
}

void RecordingSurface::add(SurfaceCall::Kind kind, float x1, float y1, float x2, float y2, int32_t colour) {
  SurfaceCall c;
  c.kind = kind;
  c.x1 = x1;
  c.y1 = y1;
  c.x2 = x2;
  c.y2 = y2;
  c.colour = colour;
  c.pen = pen_;
  calls_.push_back(std::move(c));
}

void RecordingSurface::clear() { add(SurfaceCall::Kind::Clear, 0, 0, 0, 0, 0); }

void RecordingSurface::line(float x1, float y1, float x2, float y2, int32_t colour) {
  add(SurfaceCall::Kind::Line, x1, y1, x2, y2, colour);
}

void RecordingSurface::rectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  add(SurfaceCall::Kind::Rectangle, x1, y1, x2, y2, colour);
}

void RecordingSurface::fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) {
  add(SurfaceCall::Kind::FillRectangle, x1, y1, x2, y2, colour);
}

void RecordingSurface::setPenWidth(int pixels) {
  pen_ = pixels;
  add(SurfaceCall::Kind::PenWidth, 0, 0, 0, 0, 0);
}

void RecordingSurface::text(float x, float y, const std::string& caption) {
  add(SurfaceCall::Kind::Text, x, y, 0, 0, 0);
  calls_.back().text = caption;
}

void RecordingSurface::setPersistent(bool on) {
  persistent_ = on;
  add(SurfaceCall::Kind::Persistent, 0, 0, 0, 0, 0);
  calls_.back().on = on;
}

std::vector<SurfaceCall> RecordingSurface::calls(SurfaceCall::Kind kind) const {
  std::vector<SurfaceCall> out;
  for (const SurfaceCall& c : calls_)
    if (c.kind == kind) out.push_back(c);
  return out;
}

}  // namespace pakkon
