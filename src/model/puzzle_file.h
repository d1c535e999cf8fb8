#pragma once
// Puzzle files: a fixed 3,398-byte little-endian layout holding the blocks
// as made and as they stand, the box with its colours, the counts, the auto
// loader's counters, a Shift-JIS comment and a scrambled answer password.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "model/state.h"
#include "platform/files.h"

namespace pakkon {

inline constexpr size_t kPuzzleFileSize = 3398;
inline constexpr size_t kPuzzleFileCoreSize = 3254;  // all a reader needs; files before Ver 1.1.0 end here
// The most the readers take in: anything larger is not a puzzle file.
inline constexpr size_t kPuzzleFileReadMax = 4096;
inline constexpr int kStepOpen = 100;
inline constexpr int kStepClose = 9990;
inline constexpr const char* kNgVersion = "NG Version";

using PuzzleKey = std::array<uint8_t, 16>;

// Reports an error as the error report shows it: "Line <step>:<description>"
// and the location text followed by the error number.
using ErrorReport = std::function<void(const std::string& message, const std::string& where)>;

enum class PuzzleReadStatus { Ok, NgVersion, Error };

struct PuzzleReadResult {
  PuzzleReadStatus status = PuzzleReadStatus::Error;
  std::string version;  // header text, trimmed, when Ok
  int step = 0;         // last step reached, when Error
  IoError error;
};

// Decodes a whole file image. The state changes only when the result is Ok;
// a damaged image leaves every field as it was.
PuzzleReadResult fncPuzzle_decode(std::string_view bytes, PuzzleState& st);

// Reads and decodes a file, with the same all-or-nothing rule.
PuzzleReadResult fncPuzzle_read(const std::string& sPath, PuzzleState& st);

// The reader of the open command: returns the version text, "NG Version"
// for a file that does not begin with "V", or "" after a reported error.
std::string fncFile_get(PuzzleState& st, const std::string& sPath, const ErrorReport& report);

// A fresh scrambling key: 16 bytes from 64 to 191, from a clock-seeded generator.
PuzzleKey fncPuzzleKey_draw();

// True when the password (trimmed, first 16 characters) fits the scrambled
// field; badChars receives the characters that do not, each once.
bool fncPassword_encodable(std::string_view password, std::string* badChars = nullptr);

struct PutOptions {
  const PuzzleKey* key = nullptr;       // drawn afresh when null
  const WriteFaults* faults = nullptr;  // for tests
};

// Writes the whole persistent state. The previous file survives any
// failure; errors are reported and the result is false.
bool subFile_put(const PuzzleState& st, const std::string& sPath, const ErrorReport& report,
                 const PutOptions& options = {});

// The file image subFile_put would write with this key; on a field that
// cannot be encoded returns false with its step and error.
bool fncPuzzle_encode(const PuzzleState& st, const PuzzleKey& key, std::string& bytes, int* failStep = nullptr,
                      IoError* error = nullptr);

}  // namespace pakkon
