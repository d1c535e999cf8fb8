#include "solver/solver.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <optional>

#include "solver/cover.h"

namespace pakkon {
namespace {

constexpr double kYear = 365.0 * 24 * 3600;

}  // namespace

uint64_t fncPuzzle_box(const PuzzleState& st) {
  const int sx = st.G_iCellX, sy = st.G_iCellY, sz = st.G_iCellZ;
  if (sx < 1 || sx > kCells || sy < 1 || sy > kCells || sz < 1 || sz > kCells) return 0;
  return fncBox_mask(sx, sy, sz);
}

PackingSolver::PackingSolver(const std::array<uint64_t, kPieces>& blocks, uint64_t region) { setUp(blocks, region); }

PackingSolver::PackingSolver(const PuzzleState& st) { setUp(fncBlocks_made(st, &fromMade_), fncPuzzle_box(st)); }

void PackingSolver::setUp(const std::array<uint64_t, kPieces>& shapes, uint64_t region) {
  for (int b = 0; b < kPieces; ++b) {
    const uint64_t shape = shapes[static_cast<size_t>(b)];
    if (!shape) continue;
    blocks_.push_back(b);
    cells_ += std::popcount(shape);
    const std::array<uint64_t, kOrientations> all = fncMask_orientations(shape);
    for (int g = 0; g < kOrientations; ++g) orient_[b][g] = {all[static_cast<size_t>(g)], g / 4, g % 4};
  }
  types_ = fncBlock_types(shapes, region);
  for (uint64_t m = region; m; m &= m - 1) boxCells_.push_back(static_cast<uint8_t>(std::countr_zero(m)));
  // The turns of the frame around the region that keep it.
  if (region) {
    const MaskCell high = fncMask_high(region);
    const uint64_t frame = fncBox_mask(high.x + 1, high.y + 1, high.z + 1);
    rotations_ = fncBox_turns(frame, frame == region ? 0 : region);
  }
  chooseAnchor();
}

uint64_t PackingSolver::rotate(uint64_t cells, size_t g) const { return fncCells_map(rotations_[g], cells); }

// Each representative keeps the rotations giving its distinct images and
// those that leave it in place, for counting and for the distinct test.
void PackingSolver::chooseAnchor() {
  Anchor a = fncAnchor_choose(types_, rotations_);
  anchor_ = a.type;
  for (uint64_t p : a.places) {
    AnchorPlacement r;
    r.cells = p;
    std::vector<uint64_t> seen;
    for (size_t g = 0; g < rotations_.size(); ++g) {
      const uint64_t q = rotate(p, g);
      if (q == p && g) r.stabilizer.push_back(static_cast<uint8_t>(g));
      if (std::find(seen.begin(), seen.end(), q) == seen.end()) {
        seen.push_back(q);
        r.images.push_back(static_cast<uint8_t>(g));
      }
    }
    anchorPlacements_.push_back(std::move(r));
  }
  std::sort(anchorPlacements_.begin(), anchorPlacements_.end(),
            [](const AnchorPlacement& x, const AnchorPlacement& y) { return x.cells < y.cells; });
}

std::vector<std::vector<int>> PackingSolver::identicalBlocks() const {
  std::vector<std::vector<int>> out;
  for (const BlockType& t : types_)
    if (t.blocks.size() > 1) out.push_back(t.blocks);
  return out;
}

size_t PackingSolver::placementCount() const {
  size_t n = 0;
  for (const BlockType& t : types_) n += t.places.size();
  return n;
}

uint64_t PackingSolver::orientedShape(int b, int face, int turns) const { return orient_[b][face * 4 + turns].shape; }

BlockPlacement PackingSolver::describe(int block, uint64_t cells) const {
  BlockPlacement p;
  p.block = block;
  p.cells = cells;
  uint64_t shape;
  subMask_origin(cells, p.dx, p.dy, p.dz, shape);
  for (const Orientation& o : orient_[block])
    if (o.shape == shape) {
      p.face = o.face, p.turns = o.turns;
      break;
    }
  return p;
}

// One search of the shared exact cover (solver/cover.h); what is found is
// counted for its images under the box's rotations.
class SolverRun {
 public:
  SolverRun(const PackingSolver& s, const SolveOptions& o, const SolutionVisitor& v)
      : s_(s),
        opt_(o),
        visit_(v),
        types_(static_cast<int>(s.types_.size())),
        anchor_(o.symmetry ? s.anchor_ : -1),
        cover_(coverOf(s, anchor_, o)) {
    for (int t = 0; t < types_; ++t)
      for (size_t i = 2; i <= type(t).blocks.size(); ++i) factor_ *= i;
  }

  SolveResult run() {
    uint64_t box = 0;
    for (uint8_t c : s_.boxCells_) box |= uint64_t{1} << c;
    if (s_.cells_ == s_.volume() && types_ > 0 && cover_.open(box) &&
        cover_.run(box, [this](int depth) { return found(depth); }) == ExactCover::End::Limits)
      stop(SolveEnd::Time);
    result_.nodes = cover_.nodes();
    return result_;
  }

 private:
  static ExactCover coverOf(const PackingSolver& s, int anchor, const SolveOptions& o) {
    std::vector<int> blocks;
    std::vector<std::vector<uint64_t>> places;
    for (size_t t = 0; t < s.types_.size(); ++t) {
      blocks.push_back(static_cast<int>(s.types_[t].blocks.size()));
      if (static_cast<int>(t) == anchor) {
        std::vector<uint64_t>& reps = places.emplace_back();
        for (const PackingSolver::AnchorPlacement& a : s.anchorPlacements_) reps.push_back(a.cells);
      } else {
        places.push_back(s.types_[t].places);
      }
    }
    CoverLimits limits;
    if (o.timeLimit > 0 && o.timeLimit < kYear)
      limits.deadline =
          std::chrono::steady_clock::now() +
          std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(o.timeLimit));
    return ExactCover(blocks, places, limits);
  }

  const BlockType& type(int t) const { return s_.types_[static_cast<size_t>(t)]; }

  bool found(int depth) {
    const PackingSolver::AnchorPlacement* a = nullptr;
    if (anchor_ >= 0) {
      const uint64_t cells = chosenCells(depth, anchor_);
      const auto& reps = s_.anchorPlacements_;
      a = &*std::lower_bound(reps.begin(), reps.end(), cells,
                             [](const PackingSolver::AnchorPlacement& r, uint64_t c) { return r.cells < c; });
    }
    const uint64_t images = a ? a->images.size() : 1;
    result_.arrangements += images;
    result_.fixed += images * factor_;
    if (opt_.distinct) {
      if (a ? canonical(depth, a->stabilizer) : canonical(depth, allRotations())) ++result_.distinct;
    }
    if (result_.first.empty()) result_.first = solution(depth, 0);
    if (visit_) {
      for (uint64_t i = 0; i < images; ++i)
        if (!visit_(solution(depth, a ? a->images[i] : 0))) return stop(SolveEnd::Visitor);
    }
    if (opt_.firstOnly) return stop(SolveEnd::First);
    if (opt_.limit && result_.fixed >= opt_.limit) return stop(SolveEnd::Limit);
    return true;
  }

  const std::vector<uint8_t>& allRotations() {
    if (all_.empty())
      for (size_t g = 1; g < s_.rotations_.size(); ++g) all_.push_back(static_cast<uint8_t>(g));
    return all_;
  }

  uint64_t chosenCells(int depth, int t) const {
    for (int d = 0; d < depth; ++d)
      if (cover_.chosenType(d) == t) return cover_.chosen(d);
    return 0;
  }

  bool stop(SolveEnd why) {
    result_.end = why;
    return false;
  }

  // The arrangement turned by rotation g; blocks of one type take its
  // placements in order of their lowest cell.
  Solution solution(int depth, size_t g) const {
    Solution out;
    for (int t = 0; t < types_; ++t) {
      std::vector<uint64_t> ms;
      for (int d = 0; d < depth; ++d)
        if (cover_.chosenType(d) == t) ms.push_back(g ? s_.rotate(cover_.chosen(d), g) : cover_.chosen(d));
      std::sort(ms.begin(), ms.end(), [](uint64_t a, uint64_t b) { return std::countr_zero(a) < std::countr_zero(b); });
      const std::vector<int>& blocks = type(t).blocks;
      for (size_t i = 0; i < ms.size(); ++i) out.push_back(s_.describe(blocks[i], ms[i]));
    }
    std::sort(out.begin(), out.end(),
              [](const BlockPlacement& a, const BlockPlacement& b) { return a.block < b.block; });
    return out;
  }

  // True when no rotation in `among` turns this arrangement into a lesser
  // one. Cells are read in a fixed order as (type, rank), rank numbering
  // the blocks of a type by first appearance, so a reading names the
  // arrangement and not its labels, and one arrangement per orbit is least.
  bool canonical(int depth, const std::vector<uint8_t>& among) const {
    if (among.empty()) return true;
    std::array<uint8_t, 64> owner;
    for (int d = 0; d < depth; ++d)
      for (uint64_t m = cover_.chosen(d); m; m &= m - 1)
        owner[static_cast<size_t>(std::countr_zero(m))] = static_cast<uint8_t>(d);
    std::array<uint8_t, 64> base;
    read(s_.rotations_[0], owner, base.data(), nullptr);
    for (uint8_t g : among)
      if (read(s_.rotations_[g], owner, nullptr, base.data()) < 0) return false;
    return true;
  }

  // Reads the arrangement with each cell c taken from cell to[c]: into out,
  // or compared with base (-1 less, 0 equal, 1 greater).
  int read(const std::array<uint8_t, 64>& to, const std::array<uint8_t, 64>& owner, uint8_t* out,
           const uint8_t* base) const {
    int8_t rank[kPieces];
    uint8_t nextRank[kPieces] = {};
    std::memset(rank, -1, sizeof rank);
    const std::vector<uint8_t>& cells = s_.boxCells_;
    for (size_t j = 0; j < cells.size(); ++j) {
      const uint8_t o = owner[to[cells[j]]];
      const int t = cover_.chosenType(o);
      if (rank[o] < 0) rank[o] = static_cast<int8_t>(nextRank[t]++);
      const auto code = static_cast<uint8_t>(t * kPieces + rank[o]);
      if (out) {
        out[j] = code;
      } else if (code != base[j]) {
        return code < base[j] ? -1 : 1;
      }
    }
    return 0;
  }

  const PackingSolver& s_;
  const SolveOptions& opt_;
  const SolutionVisitor& visit_;
  const int types_;
  const int anchor_;
  ExactCover cover_;
  uint64_t factor_ = 1;
  std::vector<uint8_t> all_;
  SolveResult result_;
};

SolveResult PackingSolver::solve(const SolveOptions& options, const SolutionVisitor& visit) const {
  return SolverRun(*this, options, visit).run();
}

LayerGrid fncSolution_layers(const Solution& s, int sizeX, int sizeY, int sizeZ) {
  LayerGrid g(static_cast<size_t>(sizeZ),
              std::vector<std::vector<int>>(static_cast<size_t>(sizeY), std::vector<int>(static_cast<size_t>(sizeX))));
  for (const BlockPlacement& p : s)
    for (int z = 0; z < sizeZ; ++z)
      for (int y = 0; y < sizeY; ++y)
        for (int x = 0; x < sizeX; ++x)
          if (p.cells & fncCell_bit(x, y, z))
            g[static_cast<size_t>(z)][static_cast<size_t>(y)][static_cast<size_t>(x)] = p.block + 1;
  return g;
}

}  // namespace pakkon
