#include "support/packing.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "geometry/mask.h"
#include "maker/puzzle_text.h"
#include "solver/finish.h"
#include "support/temp_dir.h"

namespace pakkon::test {
namespace {

// Every distinct placement of block b inside the box: orientations in the
// game's order, then positions with X fastest.
std::vector<uint64_t> placements(const PuzzleState& st, int b) {
  std::vector<uint64_t> out;
  const int room[3] = {std::min<int>(st.G_iCellX, kCells), std::min<int>(st.G_iCellY, kCells),
                       std::min<int>(st.G_iCellZ, kCells)};
  for (uint64_t shape : fncMask_orientations(fncGrid_mask(st.G_iPieceOrg[b]))) {
    const MaskCell top = shape ? fncMask_high(shape) : MaskCell{};
    for (int dz = 0; top.z + dz < room[2]; ++dz)
      for (int dy = 0; top.y + dy < room[1]; ++dy)
        for (int dx = 0; top.x + dx < room[0]; ++dx) {
          const uint64_t m = shape << (dx + 4 * dy + 16 * dz);
          if (std::find(out.begin(), out.end(), m) == out.end()) out.push_back(m);
        }
  }
  return out;
}

bool search(size_t i, const std::vector<std::vector<uint64_t>>& options, uint64_t box, std::vector<uint64_t>& chosen) {
  if (i == options.size()) return true;
  for (uint64_t m : options[i]) {
    if (m & box) continue;
    chosen.push_back(m);
    if (search(i + 1, options, box | m, chosen)) return true;
    chosen.pop_back();
  }
  return false;
}

}  // namespace

std::vector<Placement> findPacking(const PuzzleState& st) {
  std::vector<int> blocks;
  std::vector<std::vector<uint64_t>> options;
  for (int b = 0; b < kPieces; ++b) {
    if (fncGrid_mask(st.G_iPiece[b]) == 0) continue;
    blocks.push_back(b);
    options.push_back(placements(st, b));
  }
  std::vector<uint64_t> chosen;
  std::vector<Placement> out;
  if (!search(0, options, 0, chosen)) return out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    Placement p;
    p.block = blocks[i];
    subMask_grid(chosen[i], p.cells);
    out.push_back(p);
  }
  return out;
}

Moves movesTo(const PuzzleState& st, int b, const Grid& target) {
  const BlockMoves m = fncBlock_moves(fncGrid_mask(st.G_iPiece[b]), fncGrid_mask(target));
  return {m.turns, m.dx, m.dy, m.dz};
}

PuzzleState shippedPuzzle(const std::string& name) {
  PuzzleState st;
  const PuzzleTextResult r =
      fncPuzzleText_parse(readFile(std::string(PAKKON_SOURCE_DIR) + "/data/puzzles/" + name + ".txt"));
  EXPECT_TRUE(r.ok()) << name;
  subPuzzleText_make(r.source, st, fncSeededRandom(7));
  subColor_set(st);
  return st;
}

}  // namespace pakkon::test
