#pragma once
// A picture surface that only remembers what it was asked to do.

#include <iosfwd>
#include <string>
#include <vector>

#include "draw/surface.h"

namespace pakkon {

struct SurfaceCall {
  enum class Kind { Clear, Line, Rectangle, FillRectangle, PenWidth, Text, Persistent };
  Kind kind = Kind::Clear;
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Text: x1, y1 is the top-left corner
  int32_t colour = 0;
  int pen = 1;       // the pen width in force (PenWidth: the new width)
  std::string text;  // Text only
  bool on = false;   // Persistent only
  bool operator==(const SurfaceCall&) const = default;
};

// One line of text per call, for test failure messages.
std::ostream& operator<<(std::ostream& out, const SurfaceCall& call);

class RecordingSurface : public PictureSurface {
 public:
  void clear() override;
  void line(float x1, float y1, float x2, float y2, int32_t colour) override;
  void rectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void setPenWidth(int pixels) override;
  int penWidth() const override { return pen_; }
  void text(float x, float y, const std::string& caption) override;
  void setPersistent(bool on) override;

  bool persistent() const { return persistent_; }
  const std::vector<SurfaceCall>& calls() const { return calls_; }
  // The calls of one kind, in order.
  std::vector<SurfaceCall> calls(SurfaceCall::Kind kind) const;
  // Forgets the calls; pen and persistence stay.
  void forget() { calls_.clear(); }

 private:
  void add(SurfaceCall::Kind kind, float x1, float y1, float x2, float y2, int32_t colour);

  std::vector<SurfaceCall> calls_;
  int pen_ = 1;
  bool persistent_ = true;
};

}  // namespace pakkon
