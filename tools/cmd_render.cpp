// render: draws the box view or one block's view into an SVG picture.

#include <charconv>
#include <cstdio>

#include "commands.h"
#include "draw/svg_surface.h"
#include "draw/views.h"

namespace pakkon::tool {
namespace {

constexpr const char* kUsage = "render FILE [--block N] [--dx DX --dy DY] -o OUT.svg";

bool integer(const std::string& s, int lo, int hi, int& out) {
  int v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi) return false;
  out = v;
  return true;
}

}  // namespace

int cmdRender(const Args& args) {
  std::string file, out;
  int block = 0, dx = kViewStart, dy = kViewStart;
  bool direction = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--block" && hasValue) {
      if (!integer(args[++i], 1, kPieces, block)) return usage(kUsage);
    } else if (a == "--dx" && hasValue) {
      if (!integer(args[++i], kViewMin, kViewMax, dx)) return usage(kUsage);
      direction = true;
    } else if (a == "--dy" && hasValue) {
      if (!integer(args[++i], kViewMin, kViewMax, dy)) return usage(kUsage);
      direction = true;
    } else if (a == "-o" && hasValue) {
      out = args[++i];
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else {
      return usage(kUsage);
    }
  }
  // The block view's direction is fixed.
  if (file.empty() || out.empty() || (block > 0 && direction)) return usage(kUsage);

  PuzzleState st;
  if (!readPuzzle(file, st)) return 1;
  subColor_set(st);
  st.sngScale = fncScale_default();

  SvgSurface svg;
  if (block > 0)
    subPiece_draw(st, svg, block - 1);
  else
    subBox_draw(st, svg, dx, dy);
  if (!svg.save(out)) {
    std::fprintf(stderr, "pakkon-tool: %s: cannot write the picture\n", out.c_str());
    return 1;
  }
  return 0;
}

}  // namespace pakkon::tool
