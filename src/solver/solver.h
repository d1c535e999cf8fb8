#pragma once
// Exact solver: every way a puzzle's blocks fill its box, each block used
// once, in any orientation and position inside the box.
//
// Counting. A fixed-box solution assigns every block (by its number) a set
// of box cells; two solutions differ when some block sits elsewhere. Blocks
// of the same shape up to rotation are identical: swapping them gives a new
// fixed-box solution but the same arrangement, so the fixed count is the
// arrangement count times k! for every group of k identical blocks (eight
// single cubes in 2 x 2 x 2: one arrangement, 8! = 40,320 fixed). Distinct
// solutions are arrangements up to the rotations that map the box onto
// itself (24 for a cube, 8 for a square prism, 4 otherwise); mirror images
// stay apart.
//
// Cells are bits of a 64-bit mask (geometry/mask.h).

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/mask.h"
#include "model/state.h"
#include "solver/placements.h"

namespace pakkon {

// One block where it goes: subPiece_setFace(block, face), `turns` times
// subPiece_turnZ, the push to the origin corner, then dx, dy, dz one-cell
// moves along +X, +Y, +Z.
struct BlockPlacement {
  int block = 0;  // index 0..7
  int face = 0;
  int turns = 0;
  int dx = 0, dy = 0, dz = 0;
  uint64_t cells = 0;
};

// One placement per block with cells, in block order.
using Solution = std::vector<BlockPlacement>;

struct SolveOptions {
  bool firstOnly = false;
  // Stop once at least this many fixed-box solutions are counted (0: no
  // cap). A find is counted with its rotated copies and the orders of its
  // twins at once, so the count may pass the cap by less than 24 times the
  // product of the k!.
  uint64_t limit = 0;
  double timeLimit = 0;  // seconds; 0 (or more than a year): none
  bool distinct = true;  // also count distinct solutions
  // Search one placement of an anchor block per orbit of the box rotations
  // and count each arrangement found for its whole orbit. Off: every
  // arrangement is searched for, which gives the same counts, slower.
  bool symmetry = true;
};

enum class SolveEnd { Complete, First, Limit, Time, Visitor };

struct SolveResult {
  uint64_t fixed = 0;
  uint64_t arrangements = 0;  // fixed-box ones, identical blocks interchangeable
  uint64_t distinct = 0;      // when asked for
  SolveEnd end = SolveEnd::Complete;
  Solution first;  // empty when there is none
  uint64_t nodes = 0;
};

// Called once per arrangement in the fixed box (identical blocks
// interchangeable); false stops the search.
using SolutionVisitor = std::function<bool(const Solution&)>;

// The puzzle's box standing at the origin corner; empty when a side is not
// 1..4.
uint64_t fncPuzzle_box(const PuzzleState& st);

class PackingSolver {
 public:
  // Block b is blocks[b] (empty: none), packed into the cells of `region`;
  // faces refer to the blocks as given.
  PackingSolver(const std::array<uint64_t, kPieces>& blocks, uint64_t region);
  // Shapes come from G_iPieceOrg, or from G_iPiece when every made shape is
  // empty; faces then refer to the blocks as they stand.
  explicit PackingSolver(const PuzzleState& st);

  SolveResult solve(const SolveOptions& options = {}, const SolutionVisitor& visit = {}) const;

  int blockCount() const { return static_cast<int>(blocks_.size()); }
  int cellCount() const { return cells_; }
  int volume() const { return static_cast<int>(boxCells_.size()); }
  int boxRotations() const { return static_cast<int>(rotations_.size()); }
  bool fromMadeShapes() const { return fromMade_; }
  // Groups of two or more identical blocks, by index.
  std::vector<std::vector<int>> identicalBlocks() const;
  // Distinct placements in the box, duplicates of symmetric blocks removed.
  size_t placementCount() const;

  // The shape as block b stands after face and turns, at the origin corner.
  uint64_t orientedShape(int b, int face, int turns) const;

 private:
  struct Orientation {
    uint64_t shape = 0;
    int face = 0, turns = 0;
  };
  // A placement of the anchor block that stands for its orbit.
  struct AnchorPlacement {
    uint64_t cells = 0;
    std::vector<uint8_t> images;      // one rotation per distinct image, identity first
    std::vector<uint8_t> stabilizer;  // the other rotations that keep it in place
  };
  friend class SolverRun;

  void setUp(const std::array<uint64_t, kPieces>& shapes, uint64_t region);
  BlockPlacement describe(int block, uint64_t cells) const;
  uint64_t rotate(uint64_t cells, size_t g) const;
  void chooseAnchor();

  int cells_ = 0;
  bool fromMade_ = true;
  std::vector<int> blocks_;
  Orientation orient_[kPieces][24] = {};
  std::vector<BlockType> types_;
  std::vector<uint8_t> boxCells_;                  // the region's bit indices, ascending
  std::vector<CellMap> rotations_;                 // per turn keeping the region, identity first
  int anchor_ = -1;                                // type searched by orbit representatives
  std::vector<AnchorPlacement> anchorPlacements_;  // by cells, ascending
};

// Layers of block numbers (1..8, 0 for an empty cell): [z][y][x].
using LayerGrid = std::vector<std::vector<std::vector<int>>>;
LayerGrid fncSolution_layers(const Solution& s, int sizeX, int sizeY, int sizeZ);

}  // namespace pakkon
