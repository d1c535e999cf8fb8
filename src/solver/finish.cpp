#include "solver/finish.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>

#include "geometry/mask.h"
#include "solver/cover.h"
#include "solver/placements.h"

namespace pakkon {
namespace {

// Exact cover of the empty cells by the free blocks (solver/cover.h). When
// turns of the box keep the filled cells, one lone block is searched
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

    // The anchor's places cut to one per orbit.
    std::vector<int> blocks;
    std::vector<std::vector<uint64_t>> places;
    for (int t = 0; t < types_; ++t) {
      blocks.push_back(left_[static_cast<size_t>(t)]);
      places.push_back(t == anchor_ ? anchorPlaces_ : this->places(t));
    }
    cover_.emplace(blocks, places, limits);
    possible_ = possible_ && cover_->open(empty_);
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
  FinishAnswer run() {
    if (stopped()) return FinishAnswer::Stopped;
    if (!possible_) return FinishAnswer::No;
    any_ = false;
    const ExactCover::End end = cover_->run(empty_, [this](int d) {
      found_.clear();
      for (int i = 0; i < d; ++i) found_.emplace_back(cover_->chosenType(i), cover_->chosen(i));
      any_ = true;
      if (all_) visit_();
      return all_;
    });
    if (end == ExactCover::End::Limits) return FinishAnswer::Stopped;
    return any_ ? FinishAnswer::Yes : FinishAnswer::No;
  }

  bool stopped() const {
    return (limits_.cancel && limits_.cancel->load(std::memory_order_relaxed)) ||
           (limits_.deadline && std::chrono::steady_clock::now() >= *limits_.deadline);
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
  std::optional<ExactCover> cover_;
  Completion found_;
  bool all_ = false, any_ = false;
  std::function<void()> visit_;
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
