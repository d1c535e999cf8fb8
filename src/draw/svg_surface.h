#pragma once
// A picture surface that builds an SVG document in twips, so a view can be
// drawn without a window (pakkon-tool render).

#include <string>

#include "draw/surface.h"
#include "platform/files.h"

namespace pakkon {

class SvgSurface : public PictureSurface {
 public:
  // The surface's size in twips; the document is that size at 15 twips a pixel.
  explicit SvgSurface(float widthTwips = 3375, float heightTwips = 3135);

  void clear() override { body_.clear(); }
  void line(float x1, float y1, float x2, float y2, int32_t colour) override;
  void rectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) override;
  void setPenWidth(int pixels) override { pen_ = pixels; }
  int penWidth() const override { return pen_; }
  void text(float x, float y, const std::string& caption) override;
  // An SVG document is its own image; nothing to switch.
  void setPersistent(bool) override {}

  std::string document() const;
  // Writes document() through the safe writer: a failed write leaves any
  // old picture as it was.
  IoError save(const std::string& path) const;

 private:
  std::string stroke(int32_t colour) const;

  float width_, height_;
  int pen_ = 1;
  std::string body_;
};

}  // namespace pakkon
