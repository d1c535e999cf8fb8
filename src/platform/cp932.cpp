#include "platform/cp932.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <utility>

namespace pakkon {
namespace {

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: CP932 is not available");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; on a bad sequence calls skip(in) which
  // returns how many input bytes to drop, and writes '?'.
  template <typename Skip>
  std::string run(std::string_view in, Skip skip, bool* lossless) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
    std::string out;
    char buf[256];
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    bool clean = true;
    while (left > 0) {
      char* dst = buf;
      size_t room = sizeof buf;
      const size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buf, static_cast<size_t>(dst - buf));
      if (rc != static_cast<size_t>(-1)) break;
      if (errno == E2BIG) continue;
      // EILSEQ or EINVAL: replace one character and go on.
      clean = false;
      const size_t n = std::min(left, skip(std::string_view(src, left)));
      src += n;
      left -= n;
      out.push_back('?');
      iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    if (lossless) *lossless = clean;
    return out;
  }

 private:
  iconv_t cd_;
};

size_t utf8Length(std::string_view s) {
  const auto c = static_cast<unsigned char>(s[0]);
  size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  // Never skip past a byte that could start the next character.
  for (size_t i = 1; i < n; ++i)
    if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  return n;
}

bool isLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

}  // namespace

#ifdef __EMSCRIPTEN__
namespace {

// The page's libc knows Shift_JIS but not CP932, and marks what it cannot
// convert with '*': one character at a time, CP932's own forms of seven
// symbols first; NEC's and IBM's extra rows and the user rows become '?'.
constexpr std::pair<std::string_view, std::string_view> kWindowsForms[] = {
    {"\x81\x60", "\xEF\xBD\x9E"},  // FULLWIDTH TILDE (JIS: WAVE DASH)
    {"\x81\x61", "\xE2\x88\xA5"},  // PARALLEL TO (DOUBLE VERTICAL LINE)
    {"\x81\x7C", "\xEF\xBC\x8D"},  // FULLWIDTH HYPHEN-MINUS (MINUS SIGN)
    {"\x81\x91", "\xEF\xBF\xA0"},  // FULLWIDTH CENT SIGN
    {"\x81\x92", "\xEF\xBF\xA1"},  // FULLWIDTH POUND SIGN
    {"\x81\xCA", "\xEF\xBF\xA2"},  // FULLWIDTH NOT SIGN
    {"\x81\x5F", "\xEF\xBC\xBC"},  // FULLWIDTH REVERSE SOLIDUS (JIS: ASCII's)
};

bool unknownRow(unsigned char lead) { return lead == 0x87 || (lead >= 0xED && lead <= 0xEE) || lead >= 0xF0; }

// One whole character; false when the libc cannot convert it faithfully.
bool convertOne(iconv_t cd, std::string_view in, std::string& out) {
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buf[16];
  char* src = const_cast<char*>(in.data());
  size_t left = in.size(), room = sizeof buf;
  char* dst = buf;
  if (iconv(cd, &src, &left, &dst, &room) != 0 || left != 0) return false;
  out.append(buf, static_cast<size_t>(dst - buf));
  return true;
}

iconv_t opened(const char* to, const char* from) {
  const iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv: Shift_JIS is not available");
  return cd;
}

}  // namespace

std::string fncCp932_encode(std::string_view utf8, bool* lossless) {
  static const iconv_t cd = opened("SHIFT_JIS", "UTF-8");
  std::string out;
  bool clean = true;
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = std::min(utf8.size() - i, utf8Length(utf8.substr(i)));
    const std::string_view c = utf8.substr(i, n);
    i += n;
    const auto own =
        std::find_if(std::begin(kWindowsForms), std::end(kWindowsForms), [&](const auto& f) { return f.second == c; });
    if (own != std::end(kWindowsForms)) {
      out += own->first;
    } else if (!convertOne(cd, c, out)) {
      out.push_back('?');
      clean = false;
    }
  }
  if (lossless) *lossless = clean;
  return out;
}

std::string fncCp932_decode(std::string_view cp932) {
  static const iconv_t cd = opened("UTF-8", "SHIFT_JIS");
  std::string out;
  for (size_t i = 0; i < cp932.size();) {
    const auto lead = static_cast<unsigned char>(cp932[i]);
    const size_t n = isLeadByte(lead) && i + 1 < cp932.size() ? 2 : 1;
    const std::string_view c = cp932.substr(i, n);
    i += n;
    const auto own =
        std::find_if(std::begin(kWindowsForms), std::end(kWindowsForms), [&](const auto& f) { return f.first == c; });
    if (own != std::end(kWindowsForms))
      out += own->second;
    else if (unknownRow(lead) || !convertOne(cd, c, out))
      out.push_back('?');
  }
  return out;
}
#else
// Opening a converter costs far more than a short conversion, so each
// thread keeps one of each.
std::string fncCp932_encode(std::string_view utf8, bool* lossless) {
  thread_local Converter conv("CP932", "UTF-8");
  return conv.run(utf8, utf8Length, lossless);
}

std::string fncCp932_decode(std::string_view cp932) {
  thread_local Converter conv("UTF-8", "CP932");
  return conv.run(
      cp932, [](std::string_view) { return size_t{1}; }, nullptr);
}
#endif

std::string fncCp932_cut(std::string_view cp932, size_t maxBytes) {
  size_t i = 0;
  while (i < cp932.size()) {
    const size_t n = isLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
    if (i + n > maxBytes) break;
    i += n;
  }
  return std::string(cp932.substr(0, i));
}

bool fncUtf8_valid(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c < 0xE0) {
      n = 2, cp = c & 0x1F;
    } else if (c >= 0xE0 && c < 0xF0) {
      n = 3, cp = c & 0x0F;
    } else if (c >= 0xF0 && c < 0xF5) {
      n = 4, cp = c & 0x07;
    } else {
      return false;
    }
    if (i + n > s.size()) return false;
    for (size_t k = 1; k < n; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
      return false;
    i += n;
  }
  return true;
}

}  // namespace pakkon
