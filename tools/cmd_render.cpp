// render: draws the box view or one block's view into an SVG picture.

#include "commands.h"
#include "draw/svg_surface.h"
#include "tool_io.h"

namespace pakkon::tool {

int cmdRender(const RenderArgs& a) {
  if (!distinctOutput(a.file, a.out, "-o")) return 1;
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  subColor_set(st);

  SvgSurface svg;
  if (a.block > 0)
    subPiece_draw(st, svg, a.block - 1);
  else
    subBox_draw(st, svg, a.dx, a.dy, {}, a.preview > 0 ? fncLanding_preview(st, a.preview - 1) : LandingPreview{});
  if (const IoError e = svg.save(a.out)) {
    complain(a.out + ": cannot write the picture (" + writeProblem(e) + ")");
    return 1;
  }
  return 0;
}

}  // namespace pakkon::tool
