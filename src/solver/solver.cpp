#include "solver/solver.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstring>
#include <optional>

namespace pakkon {
namespace {

constexpr double kYear = 365.0 * 24 * 3600;

}  // namespace

PackingSolver::PackingSolver(const PuzzleState& st) {
  sizeX_ = st.G_iCellX, sizeY_ = st.G_iCellY, sizeZ_ = st.G_iCellZ;
  if (sizeX_ < 1 || sizeX_ > kCells || sizeY_ < 1 || sizeY_ > kCells || sizeZ_ < 1 || sizeZ_ > kCells)
    sizeX_ = sizeY_ = sizeZ_ = 0;

  const std::array<uint64_t, kPieces> shapes = fncBlocks_made(st, &fromMade_);
  for (int b = 0; b < kPieces; ++b) {
    const uint64_t shape = shapes[static_cast<size_t>(b)];
    if (!shape) continue;
    blocks_.push_back(b);
    cells_ += std::popcount(shape);
    const std::array<uint64_t, kOrientations> all = fncMask_orientations(shape);
    for (int g = 0; g < kOrientations; ++g) orient_[b][g] = {all[static_cast<size_t>(g)], g / 4, g % 4};
  }

  const uint64_t box = fncBox_mask(sizeX_, sizeY_, sizeZ_);
  types_ = fncBlock_types(shapes, box);
  for (int z = 0; z < sizeZ_; ++z)
    for (int y = 0; y < sizeY_; ++y)
      for (int x = 0; x < sizeX_; ++x) boxCells_.push_back(static_cast<uint8_t>(x + 4 * y + 16 * z));
  rotations_ = fncBox_turns(box);
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

// One search, covering the free cell with the fewest candidate placements
// next (or placing a lone block that has fewer). Each level keeps the
// placements still possible for every type with blocks left, and per cell
// how many of them cover it (bit-sliced counters saturating at 8), so a
// cell with none ends the branch at once.
class SolverRun {
 public:
  SolverRun(const PackingSolver& s, const SolveOptions& o, const SolutionVisitor& v)
      : s_(s), opt_(o), visit_(v), types_(static_cast<int>(s.types_.size())), anchor_(o.symmetry ? s.anchor_ : -1) {
    size_t total = 0;
    for (int t = 0; t < types_; ++t) {
      const size_t k = type(t).blocks.size();
      left_[t] = static_cast<int>(k);
      for (size_t i = 2; i <= k; ++i) factor_ *= i;
      total += type(t).places.size();
    }
    for (Level& l : levels_) l.masks.resize(total);
    Level& root = levels_[0];
    uint32_t n = 0;
    for (int t = 0; t < types_; ++t) {
      root.start[t] = n;
      auto put = [&](uint64_t m) {
        root.masks[n++] = m;
        root.counts.add(m);
      };
      if (t == anchor_) {
        for (const PackingSolver::AnchorPlacement& a : s.anchorPlacements_) put(a.cells);
      } else {
        for (uint64_t m : type(t).places) put(m);
      }
    }
    root.start[types_] = n;
    if (opt_.timeLimit > 0 && opt_.timeLimit < kYear)
      deadline_ = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                                         std::chrono::duration<double>(opt_.timeLimit));
  }

  SolveResult run() {
    uint64_t box = 0;
    for (uint8_t c : s_.boxCells_) box |= uint64_t{1} << c;
    const Level& root = levels_[0];
    bool open = s_.cells_ == s_.volume() && types_ > 0;
    for (int t = 0; t < types_ && open; ++t) open = root.start[t] < root.start[t + 1];
    if (open && covered(root, box)) search(0, box);
    result_.nodes = nodes_;
    return result_;
  }

 private:
  using Counts = MaskCounts;

  struct Level {
    std::vector<uint64_t> masks;
    std::array<uint32_t, kPieces + 1> start{};  // each type's run in masks
    Counts counts;
  };

  const BlockType& type(int t) const { return s_.types_[static_cast<size_t>(t)]; }

  static bool covered(const Level& l, uint64_t free) { return l.counts.covers(free); }

  // The free cell with the fewest candidates, lowest index first, and
  // their number (8 standing for 8 or more).
  static uint64_t pickCell(const Level& l, uint64_t free, uint32_t& count) { return l.counts.tightest(free, count); }

  void search(int depth, uint64_t free) {
    if (free == 0) {
      found(depth);
      return;
    }
    if ((++nodes_ & 1023) == 0 && deadline_ && std::chrono::steady_clock::now() >= *deadline_) {
      stop(SolveEnd::Time);
      return;
    }
    const Level& here = levels_[depth];
    Level& next = levels_[depth + 1];
    uint32_t fewest;
    uint64_t cell = pickCell(here, free, fewest);
    // A single block with still fewer places goes first instead: every
    // solution puts it in exactly one of them. (Twins would be found in
    // every order.)
    int only = -1;
    for (int t = 0; t < types_; ++t)
      if (left_[t] == 1 && here.start[t + 1] - here.start[t] < fewest) {
        fewest = here.start[t + 1] - here.start[t];
        only = t;
      }
    if (only >= 0) cell = ~uint64_t{0};
    for (int t = 0; t < types_; ++t) {
      if (left_[t] == 0 || (only >= 0 && t != only)) continue;
      for (uint32_t i = here.start[t]; i < here.start[t + 1]; ++i) {
        const uint64_t m = here.masks[i];
        if (!(m & cell)) continue;
        --left_[t];
        chosen_[depth] = m;
        chosenType_[depth] = t;
        if (narrow(here, next, m) && covered(next, free ^ m)) search(depth + 1, free ^ m);
        ++left_[t];
        if (stopped_) return;
      }
    }
  }

  // Copies the placements that survive m into next, counting them as they
  // go; false when a type with blocks left has none.
  bool narrow(const Level& here, Level& next, uint64_t m) {
    Counts c;  // local, so the copies cannot alias it
    const uint64_t* src = here.masks.data();
    uint64_t* dst = next.masks.data();
    uint32_t n = 0;
    for (int u = 0; u < types_; ++u) {
      next.start[u] = n;
      if (left_[u] == 0) continue;
      for (uint32_t j = here.start[u], end = here.start[u + 1]; j < end; ++j) {
        const uint64_t p = src[j];
        const uint64_t keep = uint64_t{0} - uint64_t{(p & m) == 0};
        dst[n] = p;
        n += static_cast<uint32_t>(keep & 1);
        c.add(p & keep);
      }
      if (n == next.start[u]) return false;
    }
    next.start[types_] = n;
    next.counts = c;
    return true;
  }

  void found(int depth) {
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
    if (opt_.limit && result_.fixed >= opt_.limit) stop(SolveEnd::Limit);
  }

  const std::vector<uint8_t>& allRotations() {
    if (all_.empty())
      for (size_t g = 1; g < s_.rotations_.size(); ++g) all_.push_back(static_cast<uint8_t>(g));
    return all_;
  }

  uint64_t chosenCells(int depth, int t) const {
    for (int d = 0; d < depth; ++d)
      if (chosenType_[d] == t) return chosen_[d];
    return 0;
  }

  void stop(SolveEnd why) {
    stopped_ = true;
    result_.end = why;
  }

  // The arrangement turned by rotation g; blocks of one type take its
  // placements in order of their lowest cell.
  Solution solution(int depth, size_t g) const {
    Solution out;
    for (int t = 0; t < types_; ++t) {
      std::vector<uint64_t> ms;
      for (int d = 0; d < depth; ++d)
        if (chosenType_[d] == t) ms.push_back(g ? s_.rotate(chosen_[d], g) : chosen_[d]);
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
      for (uint64_t m = chosen_[d]; m; m &= m - 1)
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
      const int t = chosenType_[o];
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
  int left_[kPieces] = {};
  uint64_t factor_ = 1;
  std::array<Level, kPieces + 1> levels_;
  uint64_t chosen_[kPieces] = {};
  int chosenType_[kPieces] = {};
  std::vector<uint8_t> all_;
  uint64_t nodes_ = 0;
  bool stopped_ = false;
  std::optional<std::chrono::steady_clock::time_point> deadline_;
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
