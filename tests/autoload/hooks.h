#pragma once
// Hooks for the search tests. They record what the search shows as a
// running digest (long runs) and, when asked, as readable lines; with a
// state to watch, every call but stripLabel also takes in what the window
// could see of the state at that moment.

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "autoload/search.h"
#include "model/builtin.h"

namespace pakkon::test {

class RecordingHooks : public AutoLoadHooks {
 public:
  explicit RecordingHooks(bool keepLines = false) : keepLines_(keepLines) {}

  // Pumps on every `every`-th question (never when 0) and runs onPump then.
  bool pumpDue() override {
    ++asked;
    return every > 0 && asked % every == 0;
  }
  void pump() override {
    ++pumps;
    if (onPump) onPump(asked);
  }
  bool deadSpaceChecked() override {
    ++deadAsked;
    return deadSpace;
  }
  void boxDraw() override { note("boxDraw"); }
  void pieceDraw(int block) override { note("pieceDraw " + std::to_string(block)); }
  void stripColour(int column, int32_t colour) override {
    note("stripColour " + std::to_string(column) + " " + std::to_string(colour));
  }
  void stripLabel(StripRow row, int column, int value) override {
    static const char* const kRow[] = {"lblNo", "lblTurn_CtZ", "lblFaceV"};
    note(std::string(kRow[static_cast<int>(row)]) + "(" + std::to_string(column) + ") " + std::to_string(value),
         false);
  }
  void autoInfoShow() override { note("autoInfoShow"); }
  void sumText(const std::string& text) override {
    sums.push_back(text);
    note("lblSum " + text);
  }
  void resultLine(const std::string& line) override {
    results.push_back(line);
    note("result " + line);
  }
  void message(const std::string& text, const std::string& title, MsgIcon icon) override {
    messages.push_back(title + "|" + text + "|" + std::to_string(static_cast<int>(icon)));
    note("message " + messages.back());
  }
  void pause(int ms) override { note("pause " + std::to_string(ms)); }

  bool deadSpace = false;
  int every = 0;
  std::function<void(int64_t asked)> onPump;
  const PuzzleState* watch = nullptr;

  int64_t asked = 0;
  int64_t deadAsked = 0;
  int64_t pumps = 0;
  int64_t calls = 0;
  uint64_t digest = 14695981039346656037ULL;
  std::vector<std::string> lines;     // every call, when kept
  std::vector<std::string> sums;      // lblSum texts
  std::vector<std::string> results;   // result lines
  std::vector<std::string> messages;  // title|text|icon

 private:
  void mix(const void* p, size_t n) {
    const auto* c = static_cast<const unsigned char*>(p);
    for (; n >= 8; n -= 8, c += 8) {
      uint64_t w;
      std::memcpy(&w, c, 8);
      digest = (digest ^ w) * 0x9E3779B97F4A7C15ULL;
      digest ^= digest >> 29;
    }
    for (; n > 0; --n, ++c) digest = (digest ^ *c) * 1099511628211ULL;
  }
  void note(const std::string& s, bool seesState = true) {
    ++calls;
    mix(s.data(), s.size());
    mix("|", 1);
    if (watch && seesState) {
      const PuzzleState& st = *watch;
      mix(st.G_iPiece, sizeof st.G_iPiece);
      mix(st.G_iBox, sizeof st.G_iBox);
      mix(st.G_lBoxColor, sizeof st.G_lBoxColor);
      mix(st.G_Info_Piece, sizeof st.G_Info_Piece);
      mix(st.GE_iRotation, sizeof st.GE_iRotation);
      mix(&st.GE_lRotate, sizeof st.GE_lRotate);
      mix(&st.lStep, sizeof st.lStep);
    }
    if (keepLines_) lines.push_back(s);
  }

  bool keepLines_;
};

// A puzzle with the loader's counters as INIT leaves them, the colours set
// and the total taken from the blocks.
inline PuzzleState initialised(void (*set)(PuzzleState&)) {
  PuzzleState st;
  set(st);
  subPieceOrg_set(st);
  subColor_set(st);
  st.GE_lRotate = 12345678;
  int cells = 0;
  for (int b = 0; b < kPieces; ++b) {
    st.GE_iRotation[b] = static_cast<int16_t>(b);
    st.G_Info_Piece[b] = PieceInfo{};
    for (int i = 0; i < 64; ++i) cells += st.G_iPiece[b][i / 16][i / 4 % 4][i % 4];
  }
  st.G_iCellTotal = static_cast<int16_t>(cells);
  return st;
}

// Cells per block, in a box of the given size; blocks as made as well.
struct Xyz {
  int x, y, z;
};
inline PuzzleState contrived(int cx, int cy, int cz, std::initializer_list<std::initializer_list<Xyz>> blocks) {
  PuzzleState st = initialised(subPieces_clear);
  int b = 0, cells = 0;
  for (const auto& block : blocks) {
    for (const Xyz& c : block) st.G_iPiece[b][c.x][c.y][c.z] = 1, ++cells;
    ++b;
  }
  subPieceOrg_set(st);
  subCellSize_set(st, cx, cy, cz);
  st.G_iCellTotal = static_cast<int16_t>(cells);
  return st;
}

}  // namespace pakkon::test
