#include "platform/text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace pakkon {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Length of the numeric prefix of s starting at i (after optional blanks),
// or 0 when there is no digit in it.
size_t numericPrefix(std::string_view s, size_t i) {
  const size_t start = i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return i - start;
}

size_t skipBlanks(std::string_view s, size_t i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
  return i;
}

template <typename T>
T roundSaturate(double v) {
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);  // the default mode rounds halves to even
  if (r <= static_cast<double>(std::numeric_limits<T>::min())) return std::numeric_limits<T>::min();
  if (r >= static_cast<double>(std::numeric_limits<T>::max())) return std::numeric_limits<T>::max();
  return static_cast<T>(r);
}

}  // namespace

std::string fncTrim(std::string_view s) {
  size_t b = 0, e = s.size();
  while (b < e && s[b] == ' ') ++b;
  while (e > b && s[e - 1] == ' ') --e;
  return std::string(s.substr(b, e - b));
}

double fncVal(std::string_view s) {
  const size_t i = skipBlanks(s, 0);
  const size_t n = numericPrefix(s, i);
  if (n == 0) return 0;
  const std::string part(s.substr(i, n));
  return std::strtod(part.c_str(), nullptr);
}

bool fncIsNumeric(std::string_view s) {
  size_t i = skipBlanks(s, 0);
  const size_t n = numericPrefix(s, i);
  if (n == 0) return false;
  return skipBlanks(s, i + n) == s.size();
}

int16_t fncCInt(double v) { return roundSaturate<int16_t>(v); }
int32_t fncCLng(double v) { return roundSaturate<int32_t>(v); }

std::optional<bool> fncCBool(std::string_view s) {
  const std::string t = fncLowerAscii(fncTrim(s));
  if (t == "true") return true;
  if (t == "false") return false;
  if (fncIsNumeric(s)) return fncVal(s) != 0;
  return std::nullopt;
}

std::string fncStr(long long v) { return std::to_string(v); }

std::string fncStrSigned(long long v) { return v < 0 ? std::to_string(v) : " " + std::to_string(v); }

std::string fncVersion_text(int major, int minor, int revision) {
  return " Ver " + fncStr(major) + "." + fncStr(minor) + "." + fncStr(revision);
}

std::string fncLowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace pakkon
