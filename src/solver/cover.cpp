#include "solver/cover.h"

#include <algorithm>
#include <bit>
#include <limits>

namespace pakkon {
namespace {

// Looking for cut-off cells pays only where narrowing, which it can save,
// costs more: from this many open places.
constexpr uint32_t kLookFrom = 128;

}  // namespace

ExactCover::ExactCover(const std::vector<int>& blocks, const std::vector<std::vector<uint64_t>>& places,
                       const CoverLimits& limits, CoverBranch branch)
    : limits_(limits),
      cap_(limits.nodes ? limits.nodes : std::numeric_limits<uint64_t>::max()),
      look_(std::min<uint64_t>(cap_, 1024)),
      branch_(branch),
      types_(static_cast<int>(blocks.size())) {
  for (int t = 0; t < types_; ++t) {
    left_[static_cast<size_t>(t)] = blocks[static_cast<size_t>(t)];
    const std::vector<uint64_t>& p = places[static_cast<size_t>(t)];
    size_[static_cast<size_t>(t)] = p.empty() ? 0 : std::popcount(p.front());
  }
  // The root, and in Fewest a level per block to place, and no more.
  size_t n = 0, depth = 0;
  for (const std::vector<uint64_t>& p : places) n += p.size();
  for (int b : blocks) depth += static_cast<size_t>(b);
  const size_t levels = branch == CoverBranch::Plain ? 1 : std::min(depth, levels_.size() - 1) + 1;
  store_.reset(new uint64_t[levels * n]);
  for (size_t d = 0; d < levels; ++d) levels_[d].masks = store_.get() + d * n;
  Level& root = levels_[0];
  uint32_t at = 0;
  for (int t = 0; t < types_; ++t) {
    root.start[static_cast<size_t>(t)] = at;
    for (uint64_t m : places[static_cast<size_t>(t)]) {
      root.masks[at++] = m;
      root.counts.add(m);
    }
  }
  root.start[static_cast<size_t>(types_)] = at;
  if (branch == CoverBranch::Plain) {
    // A place fitting the lowest free cell starts there: every cell below
    // it is taken.
    const size_t row = static_cast<size_t>(types_) + 1;
    firstStart_.assign(64 * row + 1, 0);
    for (int t = 0; t < types_; ++t)
      for (uint64_t m : places[static_cast<size_t>(t)])
        ++firstStart_[static_cast<size_t>(std::countr_zero(m)) * row + static_cast<size_t>(t) + 1];
    for (size_t i = 1; i < firstStart_.size(); ++i) firstStart_[i] += firstStart_[i - 1];
    byFirst_.resize(firstStart_.back());
    std::vector<uint32_t> next(firstStart_.begin(), firstStart_.end() - 1);
    for (int t = 0; t < types_; ++t)
      for (uint64_t m : places[static_cast<size_t>(t)])
        byFirst_[next[static_cast<size_t>(std::countr_zero(m)) * row + static_cast<size_t>(t)]++] = m;
  }
}

bool ExactCover::open(uint64_t free) const {
  const Level& root = levels_[0];
  for (int t = 0; t < types_; ++t)
    if (root.start[static_cast<size_t>(t)] == root.start[static_cast<size_t>(t) + 1]) return false;
  return root.counts.covers(free);
}

ExactCover::End ExactCover::run(uint64_t free, const Visitor& visit) {
  visit_ = &visit;
  stopped_ = false;
  end_ = End::Complete;
  if (branch_ == CoverBranch::Plain)
    plain(0, free);
  else
    search(0, free);
  return end_;
}

bool ExactCover::goOn() {
  const bool on = nodes_ < cap_ && !limited();
  look_ = on ? std::min(cap_, (nodes_ | 1023) + 1) : nodes_ + 1;
  if (!on) stopped_ = true, end_ = End::Limits;
  return on;
}

bool ExactCover::limited() const {
  return (limits_.cancel && limits_.cancel->load(std::memory_order_relaxed)) ||
         (limits_.deadline && std::chrono::steady_clock::now() >= *limits_.deadline);
}

void ExactCover::search(int depth, uint64_t free) {
  if (free == 0) {
    if (!(*visit_)(depth)) stopped_ = true, end_ = End::Visitor;
    return;
  }
  if (!count()) return;
  const Level& here = levels_[static_cast<size_t>(depth)];
  Level& next = levels_[static_cast<size_t>(depth) + 1];
  uint32_t fewest;
  uint64_t cell = here.counts.tightest(free, fewest);
  int only = -1;
  for (int t = 0; t < types_; ++t) {
    const uint32_t n = here.start[static_cast<size_t>(t) + 1] - here.start[static_cast<size_t>(t)];
    if (left_[static_cast<size_t>(t)] == 1 && n < fewest) fewest = n, only = t;
  }
  if (only >= 0) cell = ~uint64_t{0};
  const bool look = here.start[static_cast<size_t>(types_)] >= kLookFrom;
  const uint64_t* masks = here.masks;
  for (int t = 0; t < types_; ++t) {
    if (left_[static_cast<size_t>(t)] == 0 || (only >= 0 && t != only)) continue;
    --left_[static_cast<size_t>(t)];
    const uint64_t fill = look ? sums() : 0;
    for (const uint64_t *p = masks + here.start[static_cast<size_t>(t)],
                        *end = masks + here.start[static_cast<size_t>(t) + 1];
         p != end; ++p) {
      const uint64_t m = *p;
      if (!(m & cell)) continue;
      chosen_[static_cast<size_t>(depth)] = m;
      chosenType_[static_cast<size_t>(depth)] = t;
      if ((!look || fillable(free ^ m, m, fill)) && narrow(here, next, m) && next.counts.covers(free ^ m))
        search(depth + 1, free ^ m);
      if (stopped_) break;
    }
    ++left_[static_cast<size_t>(t)];
    if (stopped_) return;
  }
}

// Bit s: some of the blocks left hold s cells together.
uint64_t ExactCover::sums() const {
  uint64_t s = 1;
  for (int t = 0; t < types_; ++t)
    for (int k = 0; k < left_[static_cast<size_t>(t)]; ++k) s |= s << size_[static_cast<size_t>(t)];
  return s;
}

// Each piece of free cells that m cuts off must hold whole blocks. Growing
// from a cell beside m ends as soon as it meets all the others: then m
// cut nothing off, the usual case, seen in a few steps.
bool ExactCover::fillable(uint64_t rest, uint64_t m, uint64_t sums) {
  uint64_t beside = fncMask_neighbours(m) & rest;
  while (beside) {
    uint64_t part = beside & (~beside + 1), before = 0;
    while (part != before) {
      if ((beside & ~part) == 0) return true;
      before = part;
      part |= rest & fncMask_neighbours(part);
    }
    if (!(sums >> std::popcount(part) & 1)) return false;
    beside &= ~part;
  }
  return true;
}

void ExactCover::plain(int depth, uint64_t free) {
  if (free == 0) {
    if (!(*visit_)(depth)) stopped_ = true, end_ = End::Visitor;
    return;
  }
  const uint32_t* start = &firstStart_[static_cast<size_t>(std::countr_zero(free)) * (static_cast<size_t>(types_) + 1)];
  const uint64_t taken = ~free;
  bool fits = false;
  for (int t = 0; t < types_; ++t) {
    if (left_[static_cast<size_t>(t)] == 0) continue;
    // Local bounds: the calls below would make the members be read again.
    for (const uint64_t *p = byFirst_.data() + start[t], *end = byFirst_.data() + start[t + 1]; p != end; ++p) {
      const uint64_t m = *p;
      if (m & taken) continue;
      fits = true;
      if (!count()) return;
      --left_[static_cast<size_t>(t)];
      chosen_[static_cast<size_t>(depth)] = m;
      chosenType_[static_cast<size_t>(depth)] = t;
      plain(depth + 1, free ^ m);
      ++left_[static_cast<size_t>(t)];
      if (stopped_) return;
    }
  }
  if (!fits) ++deadEnds_;
}

// Copies the places that survive m into next, then counts them; false,
// before any counting, when a type with blocks left has none.
bool ExactCover::narrow(const Level& here, Level& next, uint64_t m) {
  const uint64_t* src = here.masks;
  uint64_t* const dst = next.masks;
  uint64_t* out = dst;
  for (int u = 0; u < types_; ++u) {
    uint64_t* const first = out;
    next.start[static_cast<size_t>(u)] = static_cast<uint32_t>(first - dst);
    if (left_[static_cast<size_t>(u)] == 0) continue;
    for (const uint64_t *p = src + here.start[static_cast<size_t>(u)],
                        *end = src + here.start[static_cast<size_t>(u) + 1];
         p != end; ++p) {
      const uint64_t q = *p;
      *out = q;
      out += (q & m) == 0;
    }
    if (out == first) return false;
  }
  next.start[static_cast<size_t>(types_)] = static_cast<uint32_t>(out - dst);
  MaskCounts c;  // local, so the copies cannot alias it
  for (const uint64_t* p = dst; p != out; ++p) c.add(*p);
  next.counts = c;
  return true;
}

}  // namespace pakkon
