#pragma once
// The question a stuck player asks: with the loaded blocks kept exactly
// where they stand, can the free blocks still fill the rest of the box?
// If so, which block is pinned down most and where it goes; if not, the
// fewest loaded blocks to take out. Also the button presses that bring a
// block to a given place, so a hint is played as a player would play it.
//
// Free blocks are searched by type (blocks of one shape up to rotation are
// interchangeable), so twins never multiply the work.

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/action.h"
#include "model/state.h"
#include "solver/cover.h"
#include "solver/solver.h"

namespace pakkon {

// What the answer depends on, taken from the state once (a plain value, so
// a worker thread can own a copy and equal states compare equal).
struct FinishProblem {
  uint64_t box = 0;                       // the box's cells
  uint64_t fixed = 0;                     // filled cells of the box grid, wherever they are
  std::array<uint64_t, kPieces> shape{};  // each block as it stands in its frame
  std::array<uint64_t, kPieces> made{};   // as made: faces are counted from this
  std::array<uint64_t, kPieces> inBox{};  // a loaded block's cells in the box
  uint8_t loaded = 0;                     // bit b: block b is loaded
  bool operator==(const FinishProblem&) const = default;

  bool isLoaded(int b) const { return (loaded >> b & 1) != 0; }
  bool isFree(int b) const { return !isLoaded(b) && shape[static_cast<size_t>(b)] != 0; }
  // Box content beyond the box: not finishable until it is moved back.
  bool outside() const { return (fixed & ~box) != 0; }
  // Filled cells no loaded block owns (a save in the middle of the auto
  // loader, a cell made by hand): only Clear takes them out.
  uint64_t unowned() const {
    uint64_t owned = 0;
    for (uint64_t m : inBox) owned |= m;
    return fixed & ~owned;
  }
};

FinishProblem fncFinish_problem(const PuzzleState& st);

// When to give up: the search's own limits.
using FinishLimits = CoverLimits;

enum class FinishAnswer { Yes, No, Stopped };

// True (Yes) when the free blocks can fill the box's empty cells exactly.
FinishAnswer fncFinish_check(const FinishProblem& p, const FinishLimits& limits = {});

struct FinishHint {
  FinishAnswer answer = FinishAnswer::Stopped;
  // Finishable: the free block with the fewest places over all completions
  // (ties to the lowest number) and one of them, from a completion; -1 when
  // the box is already full.
  int block = -1;
  uint64_t cells = 0;
  int places = 0;
  // Not finishable: the fewest loaded blocks whose removal makes it
  // finishable, lowest numbers first among equals. When none will do and
  // unowned cells are in the box, `clear`: the empty box can be finished.
  // Neither: not even the empty box has a solution.
  std::vector<int> remove;
  bool clear = false;
};

FinishHint fncFinish_hint(const FinishProblem& p, const FinishLimits& limits = {});

// For every free block, how many different places it takes over all
// completions (0 for the others); nullopt when stopped or not finishable.
std::optional<std::array<int, kPieces>> fncFinish_places(const FinishProblem& p, const FinishLimits& limits = {});

// Block b at `cells`, in the terms the solver prints: face of the block as
// made, quarter turns about Z, moves from the origin corner.
BlockPlacement fncFinish_placement(const FinishProblem& p, int b, uint64_t cells);

// The turn presses (0 = Turn-Z, 1 = Turn-X, 2 = Turn-Y), fewest first, that
// turn cells `from` into the orientation of `to` (a turn of it), and the
// moves along +X, +Y, +Z after Orgin that bring it to `to`'s place.
struct BlockMoves {
  std::vector<int> turns;
  int dx = 0, dy = 0, dz = 0;
};
BlockMoves fncBlock_moves(uint64_t from, uint64_t to);

// The same as the actions a player presses: sel, the turns, org, the moves.
std::vector<PlayAction> fncBlock_actions(int b, uint64_t from, uint64_t to);

}  // namespace pakkon
