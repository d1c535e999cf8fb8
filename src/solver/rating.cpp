#include "solver/rating.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "geometry/mask.h"
#include "solver/placements.h"
#include "solver/solver.h"

namespace pakkon {
namespace {

struct Shape {
  int count = 0;  // blocks of this shape left
  // Placements inside the box by their lowest cell: filling the first empty
  // cell, every cell below it is taken, so a block put there starts there.
  std::array<std::vector<uint64_t>, 64> byFirst;
};

class PlainSearch {
 public:
  PlainSearch(std::vector<Shape>& shapes, const RatingOptions& o) : shapes_(shapes), opt_(o) {}

  void run(uint64_t free) { step(free); }
  DifficultyRating result;

 private:
  void step(uint64_t free) {
    if (free == 0) {
      ++result.arrangements;
      return;
    }
    const int first = std::countr_zero(free);
    bool any = false;
    for (Shape& s : shapes_) {
      if (s.count == 0) continue;
      for (uint64_t p : s.byFirst[static_cast<size_t>(first)]) {
        if ((p & free) != p) continue;
        any = true;
        if (++result.nodes >= opt_.nodeLimit ||
            ((result.nodes & 4095) == 0 && opt_.cancel && opt_.cancel->load(std::memory_order_relaxed))) {
          result.complete = false;
          return;
        }
        --s.count;
        step(free ^ p);
        ++s.count;
        if (!result.complete) return;
      }
    }
    if (!any) ++result.deadEnds;
  }

  std::vector<Shape>& shapes_;
  const RatingOptions& opt_;
};

}  // namespace

DifficultyRating fncDifficulty_rate(const PuzzleState& st, const RatingOptions& options) {
  const int sx = st.G_iCellX, sy = st.G_iCellY, sz = st.G_iCellZ;
  const bool sized = sx >= 1 && sx <= kCells && sy >= 1 && sy <= kCells && sz >= 1 && sz <= kCells;
  const uint64_t box = sized ? fncBox_mask(sx, sy, sz) : 0;

  const std::array<uint64_t, kPieces> masks = fncBlocks_made(st);
  int blocks = 0, cells = 0;
  for (uint64_t m : masks) {
    blocks += m ? 1 : 0;
    cells += std::popcount(m);
  }
  std::vector<Shape> shapes;
  for (const BlockType& t : fncBlock_types(masks, box)) {
    Shape& s = shapes.emplace_back();
    s.count = static_cast<int>(t.blocks.size());
    for (uint64_t p : t.places) s.byFirst[static_cast<size_t>(std::countr_zero(p))].push_back(p);
  }

  PlainSearch search(shapes, options);
  if (blocks > 0 && cells == std::popcount(box)) search.run(box);
  DifficultyRating r = search.result;
  r.blocks = blocks;
  r.shapes = static_cast<int>(shapes.size());
  if (r.arrangements > 0 && r.complete) {
    SolveOptions so;
    so.distinct = true;
    r.distinct = PackingSolver(st).solve(so).distinct;
  }
  if (r.arrangements == 0 && r.complete) return r;
  // Trying, per solution the tree holds: a person finds one of them, not all.
  const double perSolution = static_cast<double>(r.nodes) / static_cast<double>(std::max<uint64_t>(r.arrangements, 1));
  r.score = std::log10(std::max(perSolution, 1.0));
  r.stars = fncDifficulty_stars(r.score);
  return r;
}

namespace {
// Lowest score of ★2 .. ★5: about 30, 160, 3,200 and 10,000 blocks put in
// per solution. Set so that the shipped collection, easy to hard, never
// goes down a star.
constexpr double kBands[] = {1.5, 2.2, 3.5, 4.0};
}  // namespace

int fncDifficulty_stars(double score) {
  int stars = 1;
  for (double b : kBands) stars += score >= b ? 1 : 0;
  return stars;
}

double fncDifficulty_bandTop(int stars) { return std::pow(10.0, kBands[std::clamp(stars, 1, 4) - 1]); }

std::string fncStars_text(int stars) {
  std::string out;
  for (int i = 1; i <= 5; ++i) out += i <= stars ? "★" : "☆";
  return out;
}

}  // namespace pakkon
