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

#ifdef __EMSCRIPTEN__
// The page's libc knows Shift_JIS but not CP932: the same bytes except
// seven symbols that CP932 reads as their full-width forms (NEC's and
// IBM's extra rows are not known and become '?').
constexpr const char* kCodePage = "SHIFT_JIS";
constexpr std::pair<std::string_view, std::string_view> kWindowsForms[] = {
    {"\xE3\x80\x9C", "\xEF\xBD\x9E"},  // WAVE DASH, FULLWIDTH TILDE
    {"\xE2\x80\x96", "\xE2\x88\xA5"},  // DOUBLE VERTICAL LINE, PARALLEL TO
    {"\xE2\x88\x92", "\xEF\xBC\x8D"},  // MINUS SIGN, FULLWIDTH HYPHEN-MINUS
    {"\xC2\xA2", "\xEF\xBF\xA0"},      // CENT SIGN, FULLWIDTH
    {"\xC2\xA3", "\xEF\xBF\xA1"},      // POUND SIGN, FULLWIDTH
    {"\xC2\xAC", "\xEF\xBF\xA2"},      // NOT SIGN, FULLWIDTH
    {"\xE2\x80\x94", "\xE2\x80\x95"},  // EM DASH, HORIZONTAL BAR
};

std::string replaced(std::string_view s, bool toWindows) {
  std::string out(s);
  for (const auto& [jis, windows] : kWindowsForms) {
    const std::string_view from = toWindows ? jis : windows, to = toWindows ? windows : jis;
    for (size_t at = 0; (at = out.find(from, at)) != std::string::npos; at += to.size())
      out.replace(at, from.size(), to);
  }
  return out;
}
#else
constexpr const char* kCodePage = "CP932";
std::string_view replaced(std::string_view s, bool) { return s; }
#endif

}  // namespace

// Opening a converter costs far more than a short conversion, so each
// thread keeps one of each.
std::string fncCp932_encode(std::string_view utf8, bool* lossless) {
  thread_local Converter conv(kCodePage, "UTF-8");
  const auto in = replaced(utf8, false);
  return conv.run(in, utf8Length, lossless);
}

std::string fncCp932_decode(std::string_view cp932) {
  thread_local Converter conv("UTF-8", kCodePage);
  return std::string(replaced(conv.run(
                                  cp932, [](std::string_view) { return size_t{1}; }, nullptr),
                              true));
}

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
