#pragma once
// The one place where text crosses between UTF-8 (everything in memory)
// and Shift-JIS code page 932 (puzzle files, Init.ini, the error log).

#include <string>
#include <string_view>

namespace pakkon {

// Characters CP932 cannot hold become '?'. *lossless (when given) tells
// whether every character could be converted.
std::string fncCp932_encode(std::string_view utf8, bool* lossless = nullptr);

// Bytes that are not valid CP932 become '?'.
std::string fncCp932_decode(std::string_view cp932);

// Cuts a CP932 byte string to at most maxBytes without splitting a
// double-byte character.
std::string fncCp932_cut(std::string_view cp932, size_t maxBytes);

bool fncUtf8_valid(std::string_view s);

}  // namespace pakkon
