#pragma once
// Saved progress that contradicts itself. The reader takes a file's box as
// it stands; a hand-edited or half-written file can claim a block is loaded
// that is nowhere in the box, or fill cells no block owns. Nothing here
// refuses such a file: it is named so an author can see it.

#include <vector>

#include "model/state.h"

namespace pakkon {

enum class ProgressFault {
  LoadedNotInBox,      // G_iPieceUsed is 1, yet no filled cell names the block
  FilledOutsideBox,    // a filled cell beyond the box size
  NoSuchBlock,         // a filled cell names a block that has no cells
  FilledWithoutBlock,  // a filled cell with block number 0
};

struct BoxCell {
  int x = 0, y = 0, z = 0;
  bool operator==(const BoxCell&) const = default;
};

struct ProgressIssue {
  ProgressFault fault;
  int block = 0;               // 1..8 for the faults that name one, else 0
  std::vector<BoxCell> cells;  // the cells concerned, x fastest
  bool operator==(const ProgressIssue&) const = default;
};

// One issue per fault and block, in the order of the enum, then by block.
std::vector<ProgressIssue> fncProgress_check(const PuzzleState& st);

}  // namespace pakkon
