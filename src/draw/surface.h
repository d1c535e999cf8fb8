#pragma once
// What the drawing needs of a picture surface. Coordinates are twips of the
// surface (15 twips to a logical pixel), X right, Y down, single precision;
// colours are &H00BBGGRR Longs (red in the lowest byte).

#include <cstdint>
#include <string>

namespace pakkon {

class PictureSurface {
 public:
  virtual ~PictureSurface() = default;

  // Clears to the surface's background colour.
  virtual void clear() = 0;
  // A straight line drawn with the current pen width.
  virtual void line(float x1, float y1, float x2, float y2, int32_t colour) = 0;
  // The outline of an axis-parallel rectangle between two corners.
  virtual void rectangle(float x1, float y1, float x2, float y2, int32_t colour) = 0;
  // The same rectangle filled solid.
  virtual void fillRectangle(float x1, float y1, float x2, float y2, int32_t colour) = 0;
  // Pen width in pixels (1 to 4 are used).
  virtual void setPenWidth(int pixels) = 0;
  virtual int penWidth() const = 0;
  // A caption with its top-left corner at (x, y), in the surface's own font
  // and foreground colour.
  virtual void text(float x, float y, const std::string& caption) = 0;
  // On: the surface keeps an image of what is drawn for repainting; off:
  // drawing goes straight to the screen.
  virtual void setPersistent(bool on) = 0;
};

}  // namespace pakkon
