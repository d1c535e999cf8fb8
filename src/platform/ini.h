#pragma once
// Private-profile (INI) files with the semantics of the original platform:
// section and key names match without regard to ASCII letter case or to
// blanks around them, values are trimmed, cut at 126 characters and at
// NUL, and a missing key or file reads as "". Files are read in CP932, or
// in UTF-8 when they carry a byte-order mark or are valid UTF-8; a write
// keeps that encoding and every other line byte for byte.

#include <string>

#include "platform/files.h"

namespace pakkon {

inline constexpr size_t kIniValueMax = 126;

std::string fncIni_get(const std::string& section, const std::string& key, const std::string& file);

// False when key or value is empty, or the write failed.
bool fncIni_put(const std::string& section, const std::string& key, const std::string& value, const std::string& file,
                const WriteFaults* faults = nullptr);

}  // namespace pakkon
