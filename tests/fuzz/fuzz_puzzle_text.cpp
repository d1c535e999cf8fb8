// Any text as a puzzle source: no crash; an accepted source makes a puzzle
// that fills its box, that the file can hold, and that reads back as drawn.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "geometry/movement.h"
#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"

using namespace pakkon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const PuzzleTextResult r = fncPuzzleText_parse(text);
  for (const TextIssue& e : r.errors)
    if (e.message.empty() || e.line < 0 || e.column < 0) std::abort();
  if (!r.ok()) return 0;

  const PuzzleSource& src = r.source;
  if (src.sizeX < 2 || src.sizeX > 4 || src.sizeY < 2 || src.sizeY > 4 || src.sizeZ < 2 || src.sizeZ > 4) std::abort();
  if (src.names.empty() || src.names.size() > static_cast<size_t>(kPieces)) std::abort();

  PuzzleState st;
  st.G_sVersion = " Ver 1.1.0";
  uint32_t seed = 12345;
  subPuzzleText_make(src, st, [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) / 16777216.0;
  });
  // Every cell of the box is claimed exactly once.
  if (fncPieces_count(st) != src.sizeX * src.sizeY * src.sizeZ) std::abort();
  if (st.G_iCellTotal != fncPieces_count(st)) std::abort();

  PuzzleKey key{};
  std::string bytes;
  if (!fncPuzzle_encode(st, key, bytes)) std::abort();
  PuzzleState back;
  if (fncPuzzle_decode(bytes, back).status != PuzzleReadStatus::Ok) std::abort();
  if (std::memcmp(back.G_iPieceOrg, st.G_iPieceOrg, sizeof st.G_iPieceOrg) != 0) std::abort();
  if (back.G_sAnswerPW != src.password) std::abort();
  return 0;
}
