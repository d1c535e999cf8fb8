#include "solver/finish.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>

#include "geometry/mask.h"
#include "solver/placements.h"

namespace pakkon {
namespace {

using Counts = MaskCounts;

// Exact cover of the empty cells by the free blocks, by type. Each level
// keeps the places still open, counted per cell; the branch goes on the
// empty cell with the fewest (or on a lone block with fewer), and a place
// that leaves some cell unreachable, walled in or not, is never tried.
// When turns of the box keep the filled cells, one lone block is searched
// only at one place of each orbit: its other places give turned copies.
class Cover {
 public:
  // A completion: per place, its type and cells.
  using Completion = std::vector<std::pair<int, uint64_t>>;

  // Without the loaded blocks in `removed`, and with `cleared` without the
  // unowned cells too.
  Cover(const FinishProblem& p, uint8_t removed, const FinishLimits& limits, bool cleared = false) : limits_(limits) {
    uint64_t fixed = cleared ? p.fixed & ~p.unowned() : p.fixed;
    for (int b = 0; b < kPieces; ++b)
      if (removed >> b & 1) fixed &= ~p.inBox[b];
    empty_ = p.box & ~fixed;
    std::array<uint64_t, kPieces> shapes{};
    int cells = 0;
    for (int b = 0; b < kPieces; ++b)
      if ((removed >> b & 1) != 0 || p.isFree(b)) {
        shapes[static_cast<size_t>(b)] = p.shape[static_cast<size_t>(b)];
        cells += std::popcount(p.shape[static_cast<size_t>(b)]);
      }
    placeTypes_ = fncBlock_types(shapes, empty_);
    for (BlockType& t : placeTypes_) {
      left_[types_++] = static_cast<int>(t.blocks.size());
      // Ascending, so that a place's index is found by bisection.
      std::sort(t.places.begin(), t.places.end());
    }
    possible_ = (fixed & ~p.box) == 0 && cells == std::popcount(empty_);
    if (possible_ && p.box) {
      turns_ = fncBox_turns(p.box, fixed);
      const Anchor a = fncAnchor_choose(placeTypes_, turns_);
      anchor_ = a.type;
      anchorPlaces_ = a.places;
    }
    if (turns_.empty()) {
      turns_.emplace_back();
      for (int c = 0; c < 64; ++c) turns_[0][static_cast<size_t>(c)] = static_cast<uint8_t>(c);
    }

    // The root level, the anchor's places cut to one per orbit.
    Level& root = levels_[0];
    for (int t = 0; t < types_; ++t) {
      root.start[static_cast<size_t>(t)] = static_cast<uint32_t>(root.masks.size());
      for (uint64_t m : t == anchor_ ? anchorPlaces_ : places(t)) root.masks.push_back(m);
      possible_ = possible_ && root.masks.size() > root.start[static_cast<size_t>(t)];
    }
    root.start[static_cast<size_t>(types_)] = static_cast<uint32_t>(root.masks.size());
    for (uint64_t m : root.masks) root.counts.add(m);
    possible_ = possible_ && root.counts.covers(empty_);
    for (size_t d = 1; d < levels_.size(); ++d) levels_[d].masks.resize(root.masks.size());
  }

  int types() const { return types_; }
  const std::vector<int>& blocks(int type) const { return placeTypes_[static_cast<size_t>(type)].blocks; }
  // Every place of a type that fits the empty cells, ascending.
  const std::vector<uint64_t>& places(int type) const { return placeTypes_[static_cast<size_t>(type)].places; }
  // The turns of the box that keep the filled cells, identity first.
  const std::vector<CellMap>& turns() const { return turns_; }
  const Completion& found() const { return found_; }

  // One completion, in found().
  FinishAnswer first() {
    all_ = false;
    return run();
  }
  // Every completion up to the turns of the box, each handed to visit.
  FinishAnswer all(std::function<void()> visit) {
    all_ = true;
    visit_ = std::move(visit);
    return run();
  }

 private:
  struct Level {
    std::vector<uint64_t> masks;
    std::array<uint32_t, kPieces + 1> start{};  // each type's run in masks
    Counts counts;
  };

  FinishAnswer run() {
    if (stopped()) return FinishAnswer::Stopped;
    if (!possible_) return FinishAnswer::No;
    halted_ = any_ = false;
    search(0, empty_);
    if (halted_ && !(any_ && !all_)) return FinishAnswer::Stopped;
    return any_ ? FinishAnswer::Yes : FinishAnswer::No;
  }

  bool stopped() const {
    return (limits_.cancel && limits_.cancel->load(std::memory_order_relaxed)) ||
           (limits_.deadline && std::chrono::steady_clock::now() >= *limits_.deadline);
  }

  void search(int d, uint64_t empty) {
    if (empty == 0) {
      found_.assign(chosen_.begin(), chosen_.begin() + d);
      any_ = true;
      if (all_) {
        visit_();
      } else {
        halted_ = true;
      }
      return;
    }
    if ((++nodes_ & 1023) == 0 && stopped()) {
      halted_ = true;
      return;
    }
    const Level& here = levels_[static_cast<size_t>(d)];
    Level& next = levels_[static_cast<size_t>(d) + 1];
    uint32_t fewest = 8;
    uint64_t cell = here.counts.tightest(empty, fewest);
    // A lone block with still fewer places goes first: every completion
    // puts it in exactly one of them (twins would come in every order).
    int only = -1;
    for (int t = 0; t < types_; ++t) {
      const uint32_t n = here.start[static_cast<size_t>(t) + 1] - here.start[static_cast<size_t>(t)];
      if (left_[t] == 1 && n < fewest) fewest = n, only = t;
    }
    if (only >= 0) cell = ~uint64_t{0};
    for (int t = 0; t < types_ && !halted_; ++t) {
      if (left_[t] == 0 || (only >= 0 && t != only)) continue;
      for (uint32_t i = here.start[static_cast<size_t>(t)]; i < here.start[static_cast<size_t>(t) + 1] && !halted_;
           ++i) {
        const uint64_t m = here.masks[i];
        if (!(m & cell)) continue;
        --left_[t];
        chosen_[static_cast<size_t>(d)] = {t, m};
        if (narrow(here, next, m) && next.counts.covers(empty ^ m)) search(d + 1, empty ^ m);
        ++left_[t];
      }
    }
  }

  // Copies the places that survive m into next, counting them as they go;
  // false when a type with blocks left has none.
  bool narrow(const Level& here, Level& next, uint64_t m) {
    Counts c;
    const uint64_t* src = here.masks.data();
    uint64_t* dst = next.masks.data();
    uint32_t n = 0;
    for (int u = 0; u < types_; ++u) {
      next.start[static_cast<size_t>(u)] = n;
      if (left_[u] == 0) continue;
      for (uint32_t j = here.start[static_cast<size_t>(u)], end = here.start[static_cast<size_t>(u) + 1]; j < end;
           ++j) {
        const uint64_t p = src[j];
        const uint64_t keep = uint64_t{0} - uint64_t{(p & m) == 0};
        dst[n] = p;
        n += static_cast<uint32_t>(keep & 1);
        c.add(p & keep);
      }
      if (n == next.start[static_cast<size_t>(u)]) return false;
    }
    next.start[static_cast<size_t>(types_)] = n;
    next.counts = c;
    return true;
  }

  FinishLimits limits_;
  uint64_t empty_ = 0;
  bool possible_ = false;
  int types_ = 0;
  int anchor_ = -1;
  std::array<int, kPieces> left_{};
  std::vector<BlockType> placeTypes_;  // places ascending
  std::vector<uint64_t> anchorPlaces_;
  std::vector<CellMap> turns_;
  std::array<Level, kPieces + 1> levels_;
  std::array<std::pair<int, uint64_t>, kPieces> chosen_{};
  Completion found_;
  bool all_ = false, any_ = false, halted_ = false;
  std::function<void()> visit_;
  uint64_t nodes_ = 0;
};

// Places over all completions, per type: every completion found marks its
// places and those of its turned copies.
struct TypePlaces {
  FinishAnswer answer = FinishAnswer::Stopped;
  std::vector<int> count;  // per type
  Cover::Completion first;
};

TypePlaces typePlaces(Cover& c) {
  TypePlaces out;
  std::vector<std::vector<bool>> seen(static_cast<size_t>(c.types()));
  out.count.assign(static_cast<size_t>(c.types()), 0);
  for (int t = 0; t < c.types(); ++t) seen[static_cast<size_t>(t)].assign(c.places(t).size(), false);
  out.answer = c.all([&] {
    if (out.first.empty()) out.first = c.found();
    for (const CellMap& to : c.turns())
      for (const auto& [t, m] : c.found()) {
        const uint64_t cells = fncCells_map(to, m);
        const std::vector<uint64_t>& all = c.places(t);
        const auto i = static_cast<size_t>(std::lower_bound(all.begin(), all.end(), cells) - all.begin());
        if (i < all.size() && all[i] == cells && !seen[static_cast<size_t>(t)][i]) {
          seen[static_cast<size_t>(t)][i] = true;
          ++out.count[static_cast<size_t>(t)];
        }
      }
  });
  return out;
}

}  // namespace

FinishProblem fncFinish_problem(const PuzzleState& st) {
  FinishProblem p;
  auto side = [](int n) { return std::clamp(n, 0, kCells); };
  p.box = fncBox_mask(side(st.G_iCellX), side(st.G_iCellY), side(st.G_iCellZ));
  p.fixed = fncGrid_mask(st.G_iBox);
  p.made = fncBlocks_made(st);
  for (int b = 0; b < kPieces; ++b) {
    p.shape[b] = fncGrid_mask(st.G_iPiece[b]);
    if (st.G_iPieceUsed[b] != 0) p.loaded |= static_cast<uint8_t>(1 << b);
  }
  for (int z = 0; z < kCells; ++z)
    for (int y = 0; y < kCells; ++y)
      for (int x = 0; x < kCells; ++x) {
        const int k = st.G_iBoxPiece[x][y][z] - 1;
        if (st.G_iBox[x][y][z] != 0 && k >= 0 && k < kPieces && p.isLoaded(k)) p.inBox[k] |= fncCell_bit(x, y, z);
      }
  return p;
}

FinishAnswer fncFinish_check(const FinishProblem& p, const FinishLimits& limits) { return Cover(p, 0, limits).first(); }

FinishHint fncFinish_hint(const FinishProblem& p, const FinishLimits& limits) {
  FinishHint h;
  {
    Cover c(p, 0, limits);
    const TypePlaces t = typePlaces(c);
    h.answer = t.answer;
    if (t.answer == FinishAnswer::Stopped) return h;
    if (t.answer == FinishAnswer::Yes) {
      // Types stand in the order of their lowest block, so ties go to it.
      int best = -1;
      for (int type = 0; type < c.types(); ++type)
        if (best < 0 || t.count[static_cast<size_t>(type)] < t.count[static_cast<size_t>(best)]) best = type;
      if (best < 0) return h;  // the box is full
      h.block = c.blocks(best).front();
      h.places = t.count[static_cast<size_t>(best)];
      for (const auto& [type, cells] : t.first)
        if (type == best) {
          h.cells = cells;
          break;
        }
      return h;
    }
  }
  // The smallest sets first; taking blocks out only adds freedom, so when
  // taking all of them out does not help, no block set does. That is the
  // empty box only when no unowned cells stay behind.
  std::vector<int> loaded;
  for (int b = 0; b < kPieces; ++b)
    if (p.isLoaded(b)) loaded.push_back(b);
  const int n = static_cast<int>(loaded.size());
  for (int k = 1; k <= n; ++k) {
    // Every k of the n, in lexicographic order of positions.
    std::vector<int> pick(static_cast<size_t>(k));
    for (int i = 0; i < k; ++i) pick[static_cast<size_t>(i)] = i;
    for (;;) {
      uint8_t removed = 0;
      for (int i : pick) removed |= static_cast<uint8_t>(1 << loaded[static_cast<size_t>(i)]);
      const FinishAnswer r = Cover(p, removed, limits).first();
      if (r == FinishAnswer::Stopped) {
        h.answer = r;
        return h;
      }
      if (r == FinishAnswer::Yes) {
        for (int i : pick) h.remove.push_back(loaded[static_cast<size_t>(i)]);
        return h;
      }
      int i = k - 1;
      while (i >= 0 && pick[static_cast<size_t>(i)] == n - k + i) --i;
      if (i < 0) break;
      ++pick[static_cast<size_t>(i)];
      for (int j = i + 1; j < k; ++j) pick[static_cast<size_t>(j)] = pick[static_cast<size_t>(j) - 1] + 1;
    }
  }
  if (p.unowned()) {
    const FinishAnswer r = Cover(p, p.loaded, limits, true).first();
    if (r == FinishAnswer::Stopped) h.answer = r;
    h.clear = r == FinishAnswer::Yes;
  }
  return h;
}

std::optional<std::array<int, kPieces>> fncFinish_places(const FinishProblem& p, const FinishLimits& limits) {
  Cover c(p, 0, limits);
  const TypePlaces t = typePlaces(c);
  if (t.answer != FinishAnswer::Yes) return std::nullopt;
  std::array<int, kPieces> out{};
  for (int type = 0; type < c.types(); ++type)
    for (int b : c.blocks(type)) out[static_cast<size_t>(b)] = t.count[static_cast<size_t>(type)];
  return out;
}

BlockPlacement fncFinish_placement(const FinishProblem& p, int b, uint64_t cells) {
  BlockPlacement out;
  out.block = b;
  out.cells = cells;
  uint64_t shape = 0;
  subMask_origin(cells, out.dx, out.dy, out.dz, shape);
  for (uint64_t from : {p.made[static_cast<size_t>(b)], p.shape[static_cast<size_t>(b)]}) {
    const std::array<uint64_t, kOrientations> turns = fncMask_orientations(from);
    const auto it = std::find(turns.begin(), turns.end(), shape);
    if (it == turns.end()) continue;
    const int g = static_cast<int>(it - turns.begin());
    out.face = g / 4, out.turns = g % 4;
    break;
  }
  return out;
}

BlockMoves fncBlock_moves(uint64_t from, uint64_t to) {
  BlockMoves m;
  const uint64_t goal = fncMask_origin(to);
  // Breadth first over the three turn buttons, orientations compared at the
  // origin corner; at most 24 of them.
  struct Node {
    uint64_t cells;
    int parent, turn;
  };
  std::vector<Node> nodes{{from, -1, -1}};
  std::vector<uint64_t> seen{fncMask_origin(from)};
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (fncMask_origin(nodes[i].cells) == goal) {
      for (int k = static_cast<int>(i); nodes[static_cast<size_t>(k)].parent >= 0;
           k = nodes[static_cast<size_t>(k)].parent)
        m.turns.push_back(nodes[static_cast<size_t>(k)].turn);
      std::reverse(m.turns.begin(), m.turns.end());
      break;
    }
    const uint64_t c = nodes[i].cells;
    const uint64_t turned[3] = {fncMask_turnZ(c), fncMask_turnX(c), fncMask_turnY(c)};
    for (int t = 0; t < 3; ++t) {
      const uint64_t at = fncMask_origin(turned[t]);
      if (std::find(seen.begin(), seen.end(), at) != seen.end()) continue;
      seen.push_back(at);
      nodes.push_back({turned[t], static_cast<int>(i), t});
    }
  }
  if (to != 0) {
    const MaskCell low = fncMask_low(to);
    m.dx = low.x, m.dy = low.y, m.dz = low.z;
  }
  return m;
}

std::vector<PlayAction> fncBlock_actions(int b, uint64_t from, uint64_t to) {
  static constexpr ActionKind kTurns[] = {ActionKind::TurnZ, ActionKind::TurnX, ActionKind::TurnY};
  const BlockMoves m = fncBlock_moves(from, to);
  std::vector<PlayAction> out{{ActionKind::Select, b}};
  for (int t : m.turns) out.push_back({kTurns[t]});
  out.push_back({ActionKind::Origin});
  for (int i = 0; i < m.dx; ++i) out.push_back({ActionKind::XInc});
  for (int i = 0; i < m.dy; ++i) out.push_back({ActionKind::YInc});
  for (int i = 0; i < m.dz; ++i) out.push_back({ActionKind::ZInc});
  return out;
}

}  // namespace pakkon
