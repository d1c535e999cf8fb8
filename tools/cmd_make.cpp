// make: a puzzle file from a text source.

#include <algorithm>
#include <cstdio>
#include <optional>

#include "commands.h"
#include "maker/puzzle_text.h"
#include "platform/text.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

void print(const std::string& src, const char* kind, const TextIssue& issue) {
  std::string where = src + ":";
  if (issue.line > 0) where += fncStr(issue.line) + ":";
  if (issue.line > 0 && issue.column > 0) where += fncStr(issue.column) + ":";
  say(stderr, where + " " + kind + ": " + printable(issue.message) + "\n");
}

// The next character of UTF-8 text, or nothing where the text is not
// UTF-8 (the parser reports that).
std::optional<char32_t> next(std::string_view s, size_t& i) {
  const auto c = static_cast<unsigned char>(s[i]);
  const size_t n = c < 0x80 ? 1 : c >= 0xC2 && c < 0xE0 ? 2 : c >= 0xE0 && c < 0xF0 ? 3 : c >= 0xF0 && c < 0xF5 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return std::nullopt;
  char32_t cp = n == 1 ? c : c & (0x7F >> n);
  for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  i += n;
  return cp;
}

bool blank(char32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }
bool control(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

// The comment line as the parser finds it ("comment:" after blanks, any
// case, ASCII or full-width colon); a control character inside its value
// would reach the file and every screen that shows it.
std::optional<TextIssue> commentControl(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int number = 0;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    ++number;
    std::u32string chars;
    size_t i = 0;
    while (i < line.size()) {
      const auto c = next(line, i);
      if (!c) break;
      chars += *c;
    }
    size_t k = 0;
    while (k < chars.size() && blank(chars[k])) ++k;
    const std::u32string key = U"comment";
    bool match = chars.size() >= k + key.size();
    for (size_t j = 0; match && j < key.size(); ++j) match = (chars[k + j] | 0x20) == key[j];
    if (!match) continue;
    k += key.size();
    while (k < chars.size() && blank(chars[k])) ++k;
    if (k == chars.size() || (chars[k] != ':' && chars[k] != 0xFF1A)) continue;
    size_t a = k + 1, b = chars.size();
    while (a < b && blank(chars[a])) ++a;
    while (b > a && blank(chars[b - 1])) --b;
    for (size_t j = a; j < b; ++j)
      if (control(chars[j])) {
        char code[8];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(chars[j]));
        return TextIssue{number, static_cast<int>(j) + 1,
                         std::string("comment: control character ") + code + " at column " +
                             fncStr(static_cast<long long>(j) + 1) + ": the game cannot show it; remove it"};
      }
    return std::nullopt;  // the parser refuses a second comment line
  }
  return std::nullopt;
}

}  // namespace

int cmdMake(const MakeArgs& a) {
  const std::string& src = a.source;
  if (!distinctOutput(src, a.out, "OUT")) return 1;
  std::string text;
  if (const IoError e = fncFile_readAll(src, text, kPuzzleSourceMax)) {
    complain(src + ": " + readProblem(src, e, "more than a puzzle source can be (1 MiB)") + "; nothing written");
    return 1;
  }
  PuzzleTextResult r = fncPuzzleText_parse(text);
  if (auto issue = commentControl(text)) {
    r.errors.push_back(*issue);
    std::stable_sort(r.errors.begin(), r.errors.end(),
                     [](const TextIssue& x, const TextIssue& y) { return x.line < y.line; });
  }
  for (const TextIssue& w : r.warnings) print(src, "warning", w);
  if (!r.ok()) {
    for (const TextIssue& e : r.errors) print(src, "error", e);
    complain(a.out + ": nothing written");
    return 1;
  }
  PuzzleState st;
  subPuzzleText_make(r.source, st, fncClockRandom());
  if (!writePuzzle(st, a.out)) return 1;
  const PuzzleSource& s = r.source;
  std::string line = a.out + ": " + fncStr(s.sizeX) + " x " + fncStr(s.sizeY) + " x " + fncStr(s.sizeZ) + ", " +
                     fncStr(static_cast<long long>(s.names.size())) + " blocks: ";
  for (size_t b = 0; b < s.names.size(); ++b)
    line += (b ? ", " : "") + fncStr(static_cast<long long>(b + 1)) + " = " + printable(s.names[b]) + " (" +
            fncStr(s.cellCounts[b]) + " cells)";
  say(stdout, line + "\n");
  return 0;
}

}  // namespace pakkon::tool
