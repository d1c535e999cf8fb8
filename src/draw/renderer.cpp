#include "draw/renderer.h"

#include <cmath>

namespace pakkon {
namespace {

constexpr int32_t kLight = kFrameGrey[0];
constexpr float kHatch = 10;

// The hatch loops count a Single upward, so long faces may gather rounding
// exactly as the original loop did; the end is evaluated once.
template <class F>
void forHatch(float start, float end, F&& draw) {
  for (float t = start; t <= end; t += kHatch) draw(t);
}

}  // namespace

float fncScale_default() { return static_cast<float>(std::sqrt(2.0) * 120.0); }

DepthStep fncDepth_step(const ViewInfo& view, float sngScale) {
  if (view.sngDX == 0) return {0, 0};
  const float a = static_cast<float>(std::atan(static_cast<double>(view.sngDY / view.sngDX)));
  // The trigonometry and the product run in double and round once, as the
  // original arithmetic did.
  const auto Ox = static_cast<float>(std::cos(static_cast<double>(a)) * sngScale);
  const auto Oy = static_cast<float>(std::sin(static_cast<double>(a)) * sngScale);
  if (view.sngDX > 0) return {Ox, Oy};
  return {-Ox, -Oy};
}

void subGrid_draw(PictureSurface& surface, const ViewInfo& view, float sngScale) {
  const auto [Ox, Oy] = fncDepth_step(view, sngScale);
  const float W = view.sngW, H = view.sngH;
  const float Xb = view.sngX0 - Ox, Yb = view.sngY0 - Oy;

  // Back wall, with whatever pen the last drawing left.
  surface.line(Xb, Yb, Xb, Yb + 4 * H, kAxisGrey);
  for (int i = 1; i <= 4; ++i) surface.line(Xb + i * W, Yb, Xb + i * W, Yb + 4 * H, i < 4 ? kLight : kAxisGrey);
  for (int j = 0; j <= 4; ++j) surface.line(Xb + 4 * W, Yb + j * H, Xb, Yb + j * H, j < 4 ? kLight : kAxisGrey);

  const float Xw = Ox < 0 ? Xb : Xb + 4 * W;
  for (int k = 1; k <= 4; ++k) {
    surface.setPenWidth(k);
    surface.line(Xw + k * Ox, Yb + k * Oy, Xw + k * Ox, Yb + k * Oy + 4 * H, kFrameGrey[k]);
  }
  surface.setPenWidth(1);
  for (int k = 1; k <= 3; ++k) surface.line(Xw, Yb + k * H, Xw + 4 * Ox, Yb + k * H + 4 * Oy, kLight);

  const bool floor = Oy > 0;
  const float Yf = floor ? Yb + 4 * H : Yb;
  for (int k = 1; k <= 4; ++k) {
    surface.setPenWidth(k);
    surface.line(Xb + k * Ox, Yf + k * Oy, Xb + k * Ox + 4 * W, Yf + k * Oy, kFrameGrey[k]);
  }
  surface.setPenWidth(1);
  static constexpr float kFan[5] = {0, -20, -10, 10, 20};
  for (int k = 0; k <= 4; ++k) {
    const bool dark = k == 4 || (floor && k == 0);
    for (float d : kFan) surface.line(Xb + k * W, Yf, Xb + k * W + 4 * Ox + d, Yf + 4 * Oy, dark ? kAxisGrey : kLight);
  }
}

void subAxis_draw(PictureSurface& surface, const ViewInfo& view, float sngScale) {
  const auto [Ox, Oy] = fncDepth_step(view, sngScale);
  const float W = view.sngW, H = view.sngH;
  const float Xb = view.sngX0 - Ox, Yb = view.sngY0 - Oy;

  if (Oy > 0)
    surface.text(Xb, Yb - 200, "↑Y");
  else
    surface.text(Xb, Yb + 4 * H + 200, "↓Y");

  const float Xs = Ox < 0 ? Xb : Xb + 4 * W, Ys = Yb;
  const float Xe = Xs + 4 * Ox, Ye = Ys + 4 * Oy;
  surface.line(Xs, Ys, Xe, Ye, kAxisGrey);
  const float Xc = Ox < 0 ? Xe - 200 : Xe + 200;
  surface.text(Xc, Ye + 150, "・");
  surface.text(Xc, Ye + 300, "Z");

  if (Oy > 0) {
    surface.line(Xb, Yb, Xb + 4 * W, Yb, kAxisGrey);
    surface.text(Xb + 4 * W + 200, Yb, "→X");
  } else {
    surface.line(Xb, Yb + 4 * H, Xb + 4 * W, Yb + 4 * H, kAxisGrey);
    surface.text(Xe - 200, Yb + 4 * H, "X←");
  }
}

void subCells_draw(PictureSurface& surface, const Grid& cells, const ColourGrid& colours, const ViewInfo& view,
                   float sngScale) {
  subGrid_draw(surface, view, sngScale);

  // Plain names, not a structured binding: the hatch lambdas capture them.
  const DepthStep step = fncDepth_step(view, sngScale);
  const float Ox = step.Ox, Oy = step.Oy;
  const float W = view.sngW, H = view.sngH;
  const bool leftToRight = view.sngDX < 0;
  for (int z = 0; z <= 3; ++z) {
    for (int xi = 0; xi <= 3; ++xi) {
      const int x = leftToRight ? xi : 3 - xi;
      for (int y = 0; y <= 3; ++y) {
        if (cells[x][y][z] == 0) continue;
        const int32_t* shade = colours[x][y][z];
        const float X = x * W + view.sngX0 + z * Ox;
        const float Y = y * H + view.sngY0 + z * Oy;

        if (z == 3 || cells[x][y][z + 1] == 0) {
          surface.fillRectangle(X, Y, X + W - 10, Y + H - 10, shade[0]);
          surface.rectangle(X, Y, X + W - 10, Y + H - 10, kEdgeWhite);
        }

        if (Oy > 0) {
          if (y == 0 || cells[x][y - 1][z] == 0) {
            forHatch(X + 20, X + W, [&](float t) { surface.line(t, Y - 10, t - Ox, Y - Oy, shade[1]); });
            surface.line(X, Y, X - Ox, Y - Oy, kEdgeWhite);
            surface.line(X + W, Y, X + W - Ox, Y - Oy, kEdgeWhite);
            surface.line(X - Ox, Y - Oy, X + W - Ox, Y - Oy, kEdgeWhite);
          }
        } else if (y == 3 || cells[x][y + 1][z] == 0) {
          forHatch(X + 20, X + W, [&](float t) { surface.line(t, Y + H - 10, t - Ox, Y + H - Oy, shade[1]); });
          surface.line(X, Y + H, X - Ox, Y + H - Oy, kEdgeWhite);
          surface.line(X + W, Y + H, X + W - Ox, Y + H - Oy, kEdgeWhite);
          surface.line(X - Ox, Y + H - Oy, X + W - Ox, Y + H - Oy, kEdgeWhite);
        }

        if (Ox < 0) {
          if (x == 3 || cells[x + 1][y][z] == 0) {
            forHatch(Y + 20, Y + H - 20, [&](float t) { surface.line(X + W, t, X + W - Ox, t - Oy, shade[2]); });
            surface.line(X + W - Ox, Y - Oy, X + W - Ox, Y - Oy + H, kEdgeWhite);
            surface.line(X + W, Y + H - 10, X + W - Ox, Y + H - Oy - 10, kEdgeWhite);
          }
        } else if (x == 0 || cells[x - 1][y][z] == 0) {
          forHatch(Y + 20, Y + H - 20, [&](float t) { surface.line(X, t, X - Ox, t - Oy, shade[2]); });
          surface.line(X - Ox, Y - Oy, X - Ox, Y - Oy + H, kEdgeWhite);
          surface.line(X, Y + H - 10, X - Ox, Y + H - Oy - 10, kEdgeWhite);
        }
      }
    }
  }

  subAxis_draw(surface, view, sngScale);
}

void subCellsOutline_draw(PictureSurface& surface, const Grid& cells, int32_t colour, int penWidth, bool crossed,
                          const ViewInfo& view, float sngScale) {
  const auto [Ox, Oy] = fncDepth_step(view, sngScale);
  const float W = view.sngW, H = view.sngH;
  const int pen = surface.penWidth();
  surface.setPenWidth(penWidth);
  for (int z = 0; z <= 3; ++z)
    for (int x = 0; x <= 3; ++x)
      for (int y = 0; y <= 3; ++y) {
        if (cells[x][y][z] == 0) continue;
        const float X = x * W + view.sngX0 + z * Ox;
        const float Y = y * H + view.sngY0 + z * Oy;
        if (z == 3 || cells[x][y][z + 1] == 0) {
          surface.rectangle(X, Y, X + W - 10, Y + H - 10, colour);
          if (crossed) {
            surface.line(X, Y, X + W - 10, Y + H - 10, colour);
            surface.line(X + W - 10, Y, X, Y + H - 10, colour);
          }
        }
        const float Yt = Oy > 0 ? Y : Y + H;
        if (Oy > 0 ? (y == 0 || cells[x][y - 1][z] == 0) : (y == 3 || cells[x][y + 1][z] == 0)) {
          surface.line(X, Yt, X - Ox, Yt - Oy, colour);
          surface.line(X + W, Yt, X + W - Ox, Yt - Oy, colour);
          surface.line(X - Ox, Yt - Oy, X + W - Ox, Yt - Oy, colour);
        }
        const float Xs = Ox < 0 ? X + W : X;
        if (Ox < 0 ? (x == 3 || cells[x + 1][y][z] == 0) : (x == 0 || cells[x - 1][y][z] == 0)) {
          surface.line(Xs - Ox, Y - Oy, Xs - Ox, Y - Oy + H, colour);
          surface.line(Xs, Y + H - 10, Xs - Ox, Y + H - Oy - 10, colour);
        }
      }
  surface.setPenWidth(pen);
}

}  // namespace pakkon
