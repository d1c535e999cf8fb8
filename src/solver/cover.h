#pragma once
// The exact-cover search over 64-bit masks that the solver, the finish
// check and the rating share: fill the free cells with places, one per
// block, taking the blocks by type so that twins never multiply the work.
//
// Fewest branching, for finding covers: each level keeps the places still
// open for every type with blocks left, and per cell how many cover it, so
// a cell with none ends the branch at once. The branch goes on the free
// cell with the fewest places, lowest first, or on a lone block with still
// fewer: every cover puts it in exactly one of them (twins would come in
// every order). A place that cuts off free cells no blocks left can fill
// (their number no sum of the blocks' sizes) ends its branch too.
//
// Plain branching, for the rating, which measures the tree itself: the
// lowest free cell, every place that fits it, no look-ahead.
//
// Either way places are tried type by type in the order given.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "geometry/mask.h"

namespace pakkon {

// When to give up: a flag another thread may set and a time, both looked at
// every 1024 nodes, and a number of nodes (0: none).
struct CoverLimits {
  const std::atomic<bool>* cancel = nullptr;
  std::optional<std::chrono::steady_clock::time_point> deadline;
  uint64_t nodes = 0;
};

enum class CoverBranch { Fewest, Plain };

class ExactCover {
 public:
  // Per type its number of blocks and the places to try, in order.
  ExactCover(const std::vector<int>& blocks, const std::vector<std::vector<uint64_t>>& places,
             const CoverLimits& limits = {}, CoverBranch branch = CoverBranch::Fewest);

  // False when some type has no place or some free cell none to cover it.
  bool open(uint64_t free) const;

  enum class End { Complete, Visitor, Limits };
  // Called on each cover with its depth (the places chosen); false stops.
  using Visitor = std::function<bool(int depth)>;
  End run(uint64_t free, const Visitor& visit);

  // The d-th place of the cover being visited, and its type.
  uint64_t chosen(int d) const { return chosen_[static_cast<size_t>(d)]; }
  int chosenType(int d) const { return chosenType_[static_cast<size_t>(d)]; }
  int types() const { return types_; }
  // Fewest: levels entered with cells free. Plain: places put.
  uint64_t nodes() const { return nodes_; }
  // Plain: levels where no place fits the lowest free cell.
  uint64_t deadEnds() const { return deadEnds_; }

 private:
  struct Level {
    uint64_t* masks = nullptr;                  // in store_
    std::array<uint32_t, kPieces + 1> start{};  // each type's run in masks
    MaskCounts counts;
  };

  void search(int depth, uint64_t free);
  void plain(int depth, uint64_t free);
  bool narrow(const Level& here, Level& next, uint64_t m);
  uint64_t sums() const;
  static bool fillable(uint64_t rest, uint64_t m, uint64_t sums);
  // Counts a node; false, and the search ends, when that reaches a limit.
  // One compare in the usual case: it runs for every node.
  bool count() { return ++nodes_ != look_ || goOn(); }
  bool goOn();
  bool limited() const;

  CoverLimits limits_;
  uint64_t cap_;
  uint64_t look_;  // the next node to look at the limits: the cap or the next 1024th
  CoverBranch branch_;
  int types_ = 0;
  std::array<int, kPieces> left_{};
  std::array<int, kPieces> size_{};  // cells in each type's blocks
  std::array<Level, kPieces + 1> levels_;
  // The levels' places, not cleared: each level is written before it is read.
  std::unique_ptr<uint64_t[]> store_;
  // Plain: the places by their lowest cell, and per cell each type's run.
  std::vector<uint64_t> byFirst_;
  std::vector<uint32_t> firstStart_;  // [cell * (types + 1) + type]
  std::array<uint64_t, kPieces> chosen_{};
  std::array<int, kPieces> chosenType_{};
  const Visitor* visit_ = nullptr;
  End end_ = End::Complete;
  bool stopped_ = false;
  uint64_t nodes_ = 0;
  uint64_t deadEnds_ = 0;
};

}  // namespace pakkon
