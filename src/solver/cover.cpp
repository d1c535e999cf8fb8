#include "solver/cover.h"

namespace pakkon {

ExactCover::ExactCover(const std::vector<int>& blocks, const std::vector<std::vector<uint64_t>>& places,
                       const CoverLimits& limits)
    : limits_(limits), types_(static_cast<int>(blocks.size())) {
  Level& root = levels_[0];
  for (int t = 0; t < types_; ++t) {
    left_[static_cast<size_t>(t)] = blocks[static_cast<size_t>(t)];
    root.start[static_cast<size_t>(t)] = static_cast<uint32_t>(root.masks.size());
    for (uint64_t m : places[static_cast<size_t>(t)]) {
      root.masks.push_back(m);
      root.counts.add(m);
    }
  }
  root.start[static_cast<size_t>(types_)] = static_cast<uint32_t>(root.masks.size());
  for (size_t d = 1; d < levels_.size(); ++d) levels_[d].masks.resize(root.masks.size());
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
  search(0, free);
  return end_;
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
  if ((++nodes_ & 1023) == 0 && limited()) {
    stopped_ = true, end_ = End::Limits;
    return;
  }
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
  for (int t = 0; t < types_; ++t) {
    if (left_[static_cast<size_t>(t)] == 0 || (only >= 0 && t != only)) continue;
    for (uint32_t i = here.start[static_cast<size_t>(t)]; i < here.start[static_cast<size_t>(t) + 1]; ++i) {
      const uint64_t m = here.masks[i];
      if (!(m & cell)) continue;
      --left_[static_cast<size_t>(t)];
      chosen_[static_cast<size_t>(depth)] = m;
      chosenType_[static_cast<size_t>(depth)] = t;
      if (narrow(here, next, m) && next.counts.covers(free ^ m)) search(depth + 1, free ^ m);
      ++left_[static_cast<size_t>(t)];
      if (stopped_) return;
    }
  }
}

// Copies the places that survive m into next, counting them as they go;
// false when a type with blocks left has none.
bool ExactCover::narrow(const Level& here, Level& next, uint64_t m) {
  MaskCounts c;  // local, so the copies cannot alias it
  const uint64_t* src = here.masks.data();
  uint64_t* dst = next.masks.data();
  uint32_t n = 0;
  for (int u = 0; u < types_; ++u) {
    next.start[static_cast<size_t>(u)] = n;
    if (left_[static_cast<size_t>(u)] == 0) continue;
    for (uint32_t j = here.start[static_cast<size_t>(u)], end = here.start[static_cast<size_t>(u) + 1]; j < end; ++j) {
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

}  // namespace pakkon
