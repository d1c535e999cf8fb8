#pragma once
// Whole-state comparison for tests: every field of the puzzle state.

#include <string>

#include "model/state.h"

namespace pakkon::test {

// "" when equal, else the name of the first differing field.
std::string firstDifference(const PuzzleState& a, const PuzzleState& b);

// A state with a distinct, valid value in every saved field.
PuzzleState busyState();

}  // namespace pakkon::test
