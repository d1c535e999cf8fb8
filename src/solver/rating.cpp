#include "solver/rating.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "geometry/mask.h"
#include "solver/cover.h"
#include "solver/placements.h"
#include "solver/solver.h"

namespace pakkon {

DifficultyRating fncDifficulty_rate(const std::array<uint64_t, kPieces>& blocks, uint64_t region,
                                    const RatingOptions& options) {
  DifficultyRating r;
  int cells = 0;
  for (uint64_t m : blocks) {
    r.blocks += m ? 1 : 0;
    cells += std::popcount(m);
  }
  std::vector<int> counts;
  std::vector<std::vector<uint64_t>> places;
  for (BlockType& t : fncBlock_types(blocks, region)) {
    counts.push_back(static_cast<int>(t.blocks.size()));
    places.push_back(std::move(t.places));
  }
  r.shapes = static_cast<int>(counts.size());
  if (r.blocks > 0 && cells == std::popcount(region)) {
    CoverLimits limits;
    limits.cancel = options.cancel;
    limits.nodes = std::max<uint64_t>(options.nodeLimit, 1);  // 0 would mean no cut
    ExactCover tree(counts, places, limits, CoverBranch::Plain);
    r.complete = tree.run(region, [&r](int) {
      ++r.arrangements;
      return true;
    }) != ExactCover::End::Limits;
    r.nodes = tree.nodes();
    r.deadEnds = tree.deadEnds();
  }
  if (r.arrangements > 0 && r.complete) {
    SolveOptions so;
    so.distinct = true;
    r.distinct = PackingSolver(blocks, region).solve(so).distinct;
  }
  if (r.arrangements == 0 && r.complete) return r;
  // Trying, per solution the tree holds: a person finds one of them, not all.
  const double perSolution = static_cast<double>(r.nodes) / static_cast<double>(std::max<uint64_t>(r.arrangements, 1));
  r.score = std::log10(std::max(perSolution, 1.0));
  r.stars = fncDifficulty_stars(r.score);
  return r;
}

DifficultyRating fncDifficulty_rate(const PuzzleState& st, const RatingOptions& options) {
  return fncDifficulty_rate(fncBlocks_made(st), fncPuzzle_box(st), options);
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
