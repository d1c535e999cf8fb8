// Any bytes given to the puzzle-file reader: no crash, a refusal changes
// nothing, and an accepted file written again reads back the same.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "support/state_compare.h"

using namespace pakkon;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  PuzzleState current;
  subSamplePuzzle_set(current);
  subColor_set(current);
  current.G_sComment = "current";
  const PuzzleState before = current;

  const PuzzleReadResult r = fncPuzzle_decode(bytes, current);
  if (r.status != PuzzleReadStatus::Ok) {
    if (!test::firstDifference(current, before).empty()) std::abort();
    return 0;
  }
  // Accepted: the writer takes it, and reading that back gives the same puzzle.
  current.G_sVersion = " " + r.version;
  PuzzleKey key{};
  for (size_t i = 0; i < key.size(); ++i) key[i] = static_cast<uint8_t>(64 + i);
  std::string again;
  if (!fncPuzzle_encode(current, key, again)) std::abort();
  if (again.size() != kPuzzleFileSize) std::abort();
  PuzzleState reread = current;
  if (fncPuzzle_decode(again, reread).status != PuzzleReadStatus::Ok) std::abort();
  if (!test::firstDifference(reread, current).empty()) std::abort();
  return 0;
}
