#include "model/builtin.h"

#include <initializer_list>

namespace pakkon {
namespace {

struct Cell {
  int x, y, z;
};
using Block = std::initializer_list<Cell>;

void setBlocks(PuzzleState& st, std::initializer_list<Block> blocks) {
  subPieces_clear(st);
  int b = 0;
  for (const Block& block : blocks) {
    for (const Cell& c : block) st.G_iPiece[b][c.x][c.y][c.z] = 1;
    ++b;
  }
}

}  // namespace

void subDemoPuzzle_set(PuzzleState& st) {
  setBlocks(st, {
                    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {0, 0, 2}, {0, 1, 2}, {1, 0, 2}},
                    {{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 1, 2}, {1, 0, 2}},
                    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {1, 0, 2}, {1, 1, 2}, {2, 0, 2}},
                    {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 0, 2}, {1, 0, 2}, {1, 1, 2}},
                    {{1, 1, 0}, {2, 1, 0}, {1, 1, 1}, {0, 0, 2}, {1, 0, 2}, {1, 1, 2}},
                    {{1, 0, 0}, {2, 0, 0}, {1, 0, 1}, {0, 0, 2}, {1, 0, 2}, {1, 1, 2}},
                    {{1, 0, 0}, {2, 0, 0}, {1, 0, 1}, {0, 0, 2}, {0, 1, 2}, {1, 0, 2}},
                    {{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 2}, {0, 1, 2}, {1, 0, 2}},
                });
  subCellSize_set(st, 4, 4, 3);
}

void subSamplePuzzle_set(PuzzleState& st) {
  setBlocks(st, {
                    {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 1, 2}, {1, 1, 0}},
                    {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, {0, 2, 0}, {1, 0, 0}},
                    {{0, 0, 0}, {1, 0, 0}, {1, 0, 1}, {1, 0, 2}, {1, 1, 0}},
                    {{0, 0, 1}, {1, 0, 0}, {1, 0, 1}, {1, 1, 1}},
                    {{0, 0, 2}, {1, 1, 0}},
                    {{0, 0, 0}, {0, 1, 1}},
                    {{0, 1, 0}, {1, 0, 0}, {1, 1, 0}, {1, 2, 0}},
                });
  subCellSize_set(st, 3, 3, 3);
}

}  // namespace pakkon
