#include "maker/puzzle_text.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "geometry/mask.h"
#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/cp932.h"
#include "platform/text.h"

namespace pakkon {
namespace {

constexpr size_t kMaxErrors = 20;
constexpr size_t kCommentBytes = 40;
constexpr size_t kPasswordChars = 16;
constexpr size_t kPasswordAdvised = 10;

std::string utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xF0 | (c >> 18));
    s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string utf8(const std::u32string& s) {
  std::string out;
  for (char32_t c : s) out += utf8(c);
  return out;
}

std::string quoted(char32_t c) { return "'" + utf8(c) + "'"; }

std::string count(size_t n, const char* one, const char* many) {
  return fncStr(static_cast<long long>(n)) + " " + (n == 1 ? one : many);
}

// Decodes one line; on a malformed sequence returns the 1-based column where it starts.
std::optional<int> decode(std::string_view line, std::u32string& out) {
  size_t i = 0;
  while (i < line.size()) {
    const auto c = static_cast<unsigned char>(line[i]);
    const size_t n = c < 0x80                ? 1
                     : c >= 0xC2 && c < 0xE0 ? 2
                     : c >= 0xE0 && c < 0xF0 ? 3
                     : c >= 0xF0 && c < 0xF5 ? 4
                                             : 0;
    if (n == 0 || i + n > line.size()) return static_cast<int>(out.size()) + 1;
    char32_t cp = n == 1 ? c : c & (0x7F >> n);
    for (size_t k = 1; k < n; ++k) {
      const auto d = static_cast<unsigned char>(line[i + k]);
      if ((d & 0xC0) != 0x80) return static_cast<int>(out.size()) + 1;
      cp = (cp << 6) | (d & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
      return static_cast<int>(out.size()) + 1;
    out += cp;
    i += n;
  }
  return std::nullopt;
}

// Ideographic space counts as a blank: Japanese input methods type it.
bool blank(char32_t c) { return c == ' ' || c == '\t' || c == 0x3000; }

bool asciiLetter(char32_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool asciiAlnum(char32_t c) { return asciiLetter(c) || (c >= '0' && c <= '9'); }

struct Line {
  int number = 0;
  std::u32string text;
};

// A value after "key:", its first character at column `column`.
struct Value {
  int line = 0;
  int column = 0;
  std::u32string text;
};

struct DrawnCell {
  char32_t name = 0;
  int line = 0, column = 0;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  PuzzleTextResult run() {
    if (!split()) return std::move(r_);
    for (const Line& l : lines_) classify(l);
    checkSize();
    checkComment();
    checkPassword();
    checkDrawing();
    std::stable_sort(r_.errors.begin(), r_.errors.end(),
                     [](const TextIssue& a, const TextIssue& b) { return a.line < b.line; });
    if (r_.errors.size() > kMaxErrors) {
      r_.errors.resize(kMaxErrors);
      r_.errors.push_back({0, 0, "more errors follow; fix these first"});
    }
    return std::move(r_);
  }

 private:
  void error(int line, int column, std::string message) { r_.errors.push_back({line, column, std::move(message)}); }
  void warning(int line, int column, std::string message) { r_.warnings.push_back({line, column, std::move(message)}); }

  bool split() {
    std::string_view t = text_;
    if (t.substr(0, 3) == "\xEF\xBB\xBF") t.remove_prefix(3);
    int number = 0;
    int bad = 0;
    while (!t.empty() || number == 0) {
      const size_t end = t.find('\n');
      std::string_view raw = t.substr(0, end);
      t.remove_prefix(end == std::string_view::npos ? t.size() : end + 1);
      if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
      Line l;
      l.number = ++number;
      if (const auto col = decode(raw, l.text)) {
        if (++bad <= 3) error(l.number, *col, "this is not UTF-8 text: save the file as UTF-8");
        continue;
      }
      lines_.push_back(std::move(l));
      if (end == std::string_view::npos) break;
    }
    return bad == 0;
  }

  void classify(const Line& l) {
    const std::u32string& s = l.text;
    size_t i = 0;
    while (i < s.size() && blank(s[i])) ++i;
    if (i == s.size()) {
      if (!rows_.empty() && !rows_.back().empty()) rows_.emplace_back();  // a blank line ends a layer
      return;
    }
    if (s[i] == '#') return;
    size_t k = i;
    while (k < s.size() && asciiLetter(s[k])) ++k;
    size_t colon = k;
    while (colon < s.size() && blank(s[colon])) ++colon;
    if (k > i && colon < s.size() && (s[colon] == ':' || s[colon] == 0xFF1A)) {
      item(l, fncLowerAscii(utf8(s.substr(i, k - i))), static_cast<int>(i) + 1, colon + 1);
      return;
    }
    if (rows_.empty()) rows_.emplace_back();
    rows_.back().push_back(l);
  }

  void item(const Line& l, const std::string& key, int keyColumn, size_t valueStart) {
    Value v;
    v.line = l.number;
    size_t a = valueStart, b = l.text.size();
    while (a < b && blank(l.text[a])) ++a;
    while (b > a && blank(l.text[b - 1])) --b;
    v.column = static_cast<int>(a) + 1;
    v.text = l.text.substr(a, b - a);
    if (!rows_.empty()) {
      error(l.number, keyColumn, "'" + key + ":' comes after the drawing: put size, comment and password above it");
      return;
    }
    std::optional<Value>* slot = key == "size"       ? &size_
                                 : key == "comment"  ? &comment_
                                 : key == "password" ? &password_
                                                     : nullptr;
    if (!slot) {
      error(l.number, keyColumn, "unknown item '" + key + "': the items are size, comment and password");
    } else if (*slot) {
      error(l.number, keyColumn,
            "a second '" + key + ":' line (the first is line " + fncStr((*slot)->line) + "): keep one");
    } else {
      *slot = std::move(v);
    }
  }

  void checkSize() {
    if (!size_) {
      error(0, 0, "no size line: add one like 'size: 3 x 3 x 3' (x, y, z) above the drawing");
      return;
    }
    const Value& v = *size_;
    std::vector<int> n;
    bool inNumber = false;
    for (size_t i = 0; i < v.text.size(); ++i) {
      char32_t c = v.text[i];
      if (c >= 0xFF10 && c <= 0xFF19) c = c - 0xFF10 + '0';  // full-width digits
      if (c >= '0' && c <= '9') {
        if (!inNumber) n.push_back(0);
        n.back() = std::min(n.back() * 10 + static_cast<int>(c - '0'), 1000);
        inNumber = true;
        continue;
      }
      inNumber = false;
      if (blank(c) || c == 'x' || c == 'X' || c == 0xD7 || c == '*' || c == ',' || c == 0xFF58 || c == 0xFF0A) continue;
      error(v.line, v.column + static_cast<int>(i),
            "size: " + quoted(v.text[i]) + " is not a number; write the three sides like 'size: 4 x 4 x 3'");
      return;
    }
    if (n.size() != 3) {
      error(v.line, v.column,
            "size needs three numbers, x, y and z (like 'size: 4 x 4 x 3'); found " +
                fncStr(static_cast<long long>(n.size())));
      return;
    }
    for (int s : n)
      if (s < 2 || s > 4) {
        error(
            v.line, v.column,
            "size " + fncStr(n[0]) + " x " + fncStr(n[1]) + " x " + fncStr(n[2]) + ": every side must be 2 to 4 cells");
        return;
      }
    r_.source.sizeX = n[0], r_.source.sizeY = n[1], r_.source.sizeZ = n[2];
  }

  void checkComment() {
    if (!comment_) {
      error(0, 0, "no comment line: add one like 'comment: はじめの一歩' (at most 20 full-width characters)");
      return;
    }
    const Value& v = *comment_;
    if (v.text.empty()) {
      error(v.line, 0, "the comment is empty: the game shows it with the puzzle, so write a few words");
      return;
    }
    size_t bytes = 0;
    for (size_t i = 0; i < v.text.size(); ++i) {
      bool lossless = true;
      const size_t n = fncCp932_encode(utf8(v.text[i]), &lossless).size();
      const int col = v.column + static_cast<int>(i);
      if (!lossless) {
        error(v.line, col,
              "comment: " + quoted(v.text[i]) +
                  " has no Shift-JIS code, so the file cannot keep it; "
                  "use another character");
        return;
      }
      if (bytes + n > kCommentBytes) {
        size_t total = bytes;
        for (size_t k = i; k < v.text.size(); ++k) total += fncCp932_encode(utf8(v.text[k])).size();
        error(v.line, col,
              "the comment takes " + fncStr(static_cast<long long>(total)) +
                  " bytes in Shift-JIS and 40 fit (a full-width character takes 2): it would be cut "
                  "before " +
                  quoted(v.text[i]) + "; shorten it");
        return;
      }
      bytes += n;
    }
    r_.source.comment = utf8(v.text);
  }

  void checkPassword() {
    if (!password_) {
      error(0, 0, "no password line: add one like 'password: abc123' (letters and digits, at most 10)");
      return;
    }
    const Value& v = *password_;
    if (v.text.empty()) {
      error(v.line, 0,
            "the password is empty: without one the game never shows the solution; "
            "use letters and digits, at most 10");
      return;
    }
    if (v.text.size() > kPasswordChars) {
      error(v.line, v.column + static_cast<int>(kPasswordChars),
            "the password has " + fncStr(static_cast<long long>(v.text.size())) +
                " characters and the file keeps 16; use at most 10 letters and digits");
      return;
    }
    const std::string text = utf8(v.text);
    if (!fncPassword_encodable(text)) {
      // A character is stored as its code plus 128 plus its place, in one byte.
      for (size_t i = 0; i < v.text.size(); ++i) {
        const char32_t c = v.text[i];
        const int col = v.column + static_cast<int>(i);
        if (c > 0x7F) {
          error(v.line, col, "password: " + quoted(c) + " cannot be stored; use ASCII letters and digits");
        } else if (c + 127 + i + 1 > 255) {
          error(v.line, col,
                "password: " + quoted(c) + " cannot be stored as character " + fncStr(static_cast<long long>(i + 1)) +
                    " (it fits only among the first " + fncStr(128 - static_cast<long long>(c)) +
                    "); move it nearer the start or "
                    "choose another");
        }
      }
      return;
    }
    r_.source.password = text;
    const bool plain = std::all_of(v.text.begin(), v.text.end(), asciiAlnum);
    if (v.text.size() > kPasswordAdvised || !plain)
      warning(v.line, v.column,
              "the game asks players for at most 10 letters and digits; this password is harder "
              "to type there");
  }

  // Layers of rows of cells, checked against the size.
  void checkDrawing() {
    while (!rows_.empty() && rows_.back().empty()) rows_.pop_back();
    if (rows_.empty()) {
      error(0, 0, "no drawing: after the size, comment and password lines draw the box layer by layer");
      return;
    }
    const PuzzleSource& s = r_.source;
    const size_t before = r_.errors.size();
    const bool sized = s.sizeX > 0;
    std::vector<DrawnCell> cells;  // z, y, x order
    bool shaped = sized;
    const int sizeLine = size_ ? size_->line : 0;
    for (size_t z = 0; z < rows_.size(); ++z) {
      const std::vector<Line>& layer = rows_[z];
      if (sized && static_cast<int>(z) == s.sizeZ) {
        error(layer.front().number, 0,
              "layer " + fncStr(static_cast<long long>(z + 1)) +
                  " is one too many: the box "
                  "is " +
                  fncStr(s.sizeZ) + " deep (size on line " + fncStr(sizeLine) + ")");
        shaped = false;
        break;
      }
      if (sized && static_cast<int>(layer.size()) != s.sizeY) {
        error(layer.front().number, 0,
              "layer " + fncStr(static_cast<long long>(z + 1)) + " has " + count(layer.size(), "row", "rows") +
                  " and the box is " + fncStr(s.sizeY) + " high: draw " + fncStr(s.sizeY) +
                  " rows, and a blank line between layers");
        shaped = false;
      }
      for (const Line& row : layer) {
        int x = 0;
        for (size_t i = 0; i < row.text.size(); ++i) {
          const char32_t c = row.text[i];
          if (blank(c)) continue;
          const int col = static_cast<int>(i) + 1;
          ++x;
          if (c == '.') {
            error(row.number, col, "an empty cell: the blocks must fill the box, so name the block that goes here");
          } else if (c == '#' || c == ':' || c < 0x20 || c == 0x7F) {
            error(row.number, col, quoted(c) + " cannot name a block; use letters or digits");
          }
          cells.push_back({c, row.number, col});
        }
        if (sized && x != s.sizeX) {
          error(row.number, 0,
                "this row has " + count(static_cast<size_t>(x), "cell", "cells") + " and the box is " +
                    fncStr(s.sizeX) + " wide");
          shaped = false;
        }
      }
    }
    if (sized && shaped && static_cast<int>(rows_.size()) < s.sizeZ) {
      error(rows_.back().back().number, 0,
            "the drawing has " + count(rows_.size(), "layer", "layers") + " and the box is " + fncStr(s.sizeZ) +
                " deep: draw " + fncStr(s.sizeZ) + " layers, a blank line between them");
      shaped = false;
    }
    if (shaped && r_.errors.size() == before) blocks(cells);
  }

  void blocks(const std::vector<DrawnCell>& cells) {
    PuzzleSource& s = r_.source;
    std::map<char32_t, std::vector<size_t>> byName;  // ordered by character
    for (size_t i = 0; i < cells.size(); ++i) byName[cells[i].name].push_back(i);
    if (byName.size() > static_cast<size_t>(kPieces)) {
      auto ninth = std::next(byName.begin(), kPieces);
      const DrawnCell& c = cells[ninth->second.front()];
      error(c.line, c.column,
            "too many blocks: " + fncStr(static_cast<long long>(byName.size())) +
                " are drawn and a puzzle has at most 8 (in character order " + quoted(c.name) +
                " is the 9th): join or remove blocks");
      return;
    }
    auto at = [&](size_t i, int& x, int& y, int& z) {
      const int n = static_cast<int>(i);
      x = n % s.sizeX, y = n / s.sizeX % s.sizeY, z = n / (s.sizeX * s.sizeY);
    };
    int b = 0;
    for (const auto& [name, members] : byName) {
      for (size_t i : members) {
        int x, y, z;
        at(i, x, y, z);
        s.blocks[b][x][y][z] = 1;
      }
      s.names.push_back(utf8(name));
      s.cellCounts.push_back(static_cast<int>(members.size()));
      joined(b, members, cells, at);
      ++b;
    }
    if (b == 1) warning(0, 0, "one block fills the box: there is nothing to solve");
  }

  // The game takes a block whose cells do not touch (the built-in sample has
  // two), but in a drawing it is more often a slip of the pen: say so.
  template <typename At>
  void joined(int b, const std::vector<size_t>& members, const std::vector<DrawnCell>& cells, At at) {
    const uint64_t m = fncGrid_mask(r_.source.blocks[b]);
    int x, y, z;
    at(members.front(), x, y, z);
    const uint64_t part = fncMask_reach(m, fncCell_bit(x, y, z));
    for (size_t i : members) {
      at(i, x, y, z);
      if (part & fncCell_bit(x, y, z)) continue;
      const DrawnCell& c = cells[i];
      const DrawnCell& first = cells[members.front()];
      warning(c.line, c.column,
              "block " + quoted(c.name) + " is in pieces: this cell does not touch the part at line " +
                  fncStr(first.line) + ", column " + fncStr(first.column) +
                  " face to face; the game allows that, but check it is what you meant");
      return;
    }
  }

  std::string_view text_;
  std::vector<Line> lines_;
  std::vector<std::vector<Line>> rows_;  // layers of drawing rows
  std::optional<Value> size_, comment_, password_;
  PuzzleTextResult r_;
};

}  // namespace

PuzzleTextResult fncPuzzleText_parse(std::string_view text) { return Parser(text).run(); }

void subPuzzleText_make(const PuzzleSource& src, PuzzleState& st, const UnitRandom& r) {
  subPieces_clear(st);
  std::memcpy(st.G_iPieceOrg, src.blocks, sizeof st.G_iPieceOrg);
  subPieces_shuffle(st, r);
  std::memset(st.G_iBox, 0, sizeof st.G_iBox);
  std::memset(st.G_iBoxPiece, 0, sizeof st.G_iBoxPiece);
  std::memset(st.G_lBoxColor, 0, sizeof st.G_lBoxColor);
  std::memset(st.G_iPieceUsed, 0, sizeof st.G_iPieceUsed);
  subCellSize_set(st, src.sizeX, src.sizeY, src.sizeZ);
  int total = 0;
  for (const Grid& g : st.G_iPieceOrg) total += fncBox_count(g);
  st.G_iCellTotal = static_cast<int16_t>(total);
  st.G_iCellDone = 0;
  st.GE_lRotate = 12345678;
  for (int b = 0; b < kPieces; ++b) {
    st.GE_iRotation[b] = static_cast<int16_t>(b);
    st.G_Info_Piece[b] = PieceInfo{};
  }
  st.G_sComment = src.comment;
  st.G_sAnswerPW = src.password;
}

std::string fncTextIssue_format(const TextIssue& issue) {
  std::string out;
  if (issue.line > 0) out += fncStr(issue.line) + ":";
  if (issue.line > 0 && issue.column > 0) out += fncStr(issue.column) + ":";
  return out + (out.empty() ? "" : " ") + issue.message;
}

}  // namespace pakkon
