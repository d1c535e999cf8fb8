#pragma once
// Hooks for the search tests. They fold every call into a digest, with what
// the window could see of the state at that moment when a state is watched
// (stripLabel carries its value and sees nothing), and can keep the lines.

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

  // Pumps on every `every`-th question (never when 0), running onPump.
  bool pumpDue() override { return ++asked, every > 0 && asked % every == 0; }
  void pump() override {
    ++pumps;
    if (onPump) onPump();
  }
  bool deadSpaceChecked() override { return ++deadAsked, deadSpace; }
  void boxDraw() override { note("boxDraw"); }
  void pieceDraw(int block) override { note("pieceDraw " + std::to_string(block)); }
  void stripColour(int column, int32_t colour) override {
    note("stripColour " + std::to_string(column) + " " + std::to_string(colour));
  }
  void stripLabel(StripRow row, int column, int value) override {
    static const char* const kRow[] = {"lblNo", "lblTurn_CtZ", "lblFaceV"};
    note(std::string(kRow[static_cast<int>(row)]) + "(" + std::to_string(column) + ") " + std::to_string(value), false);
  }
  void autoInfoShow() override { note("autoInfoShow"); }
  void sumText(const std::string& text) override { note("lblSum " + text), sums.push_back(text); }
  void resultLine(const std::string& line) override { note("result " + line), results.push_back(line); }
  void message(const std::string& text, const std::string& title, MsgIcon icon) override {
    messages.push_back(title + "|" + text + "|" + std::to_string(static_cast<int>(icon)));
    note("message " + messages.back());
  }
  void pause(int ms) override { note("pause " + std::to_string(ms)); }

  bool deadSpace = false;
  int every = 0;
  std::function<void()> onPump;
  const PuzzleState* watch = nullptr;
  const LoaderVars* watchVars = nullptr;

  int64_t asked = 0, deadAsked = 0, pumps = 0, calls = 0;
  uint64_t digest = 14695981039346656037ULL;
  std::vector<std::string> lines, sums, results, messages;  // messages: title|text|icon

 private:
  void mix(const void* p, size_t n) {
    const auto* c = static_cast<const unsigned char*>(p);
    for (size_t i = 0; i < n; i += 8) {
      uint64_t w = 0;
      std::memcpy(&w, c + i, n - i < 8 ? n - i : 8);
      digest = (digest ^ w) * 0x9E3779B97F4A7C15ULL;
      digest ^= digest >> 29;
    }
  }
  void note(const std::string& s, bool seesState = true) {
    ++calls;
    mix(s.c_str(), s.size() + 1);
    if (watch && seesState) {
      const PuzzleState& st = *watch;
      mix(st.G_iPiece, sizeof st.G_iPiece);
      mix(st.G_iBox, sizeof st.G_iBox);
      mix(st.G_lBoxColor, sizeof st.G_lBoxColor);
      mix(st.G_Info_Piece, sizeof st.G_Info_Piece);
      mix(st.GE_iRotation, sizeof st.GE_iRotation);
      mix(&st.GE_lRotate, sizeof st.GE_lRotate);
    }
    if (watchVars && seesState) {
      mix(&watchVars->bDemoRun, sizeof watchVars->bDemoRun);
      mix(&watchVars->lStep, sizeof watchVars->lStep);
    }
    if (keepLines_) lines.push_back(s);
  }
  bool keepLines_;
};

// The loader's counters as INIT leaves them, colours set, the total counted.
inline PuzzleState initialised(PuzzleState st) {
  subPieceOrg_set(st);
  subColor_set(st);
  st.GE_lRotate = 12345678;
  for (int b = 0; b < kPieces; ++b) st.GE_iRotation[b] = static_cast<int16_t>(b);
  for (int i = 0; i < kPieces * 64; ++i) st.G_iCellTotal += st.G_iPiece[i / 64][i / 16 % 4][i / 4 % 4][i % 4];
  return st;
}
inline PuzzleState initialised(void (*set)(PuzzleState&)) {
  PuzzleState st;
  set(st);
  return initialised(st);
}

struct Xyz {
  int x, y, z;
};
// Blocks by their cells, in a box of the given size.
inline PuzzleState contrived(int cx, int cy, int cz, std::initializer_list<std::initializer_list<Xyz>> blocks) {
  PuzzleState st;
  int b = 0;
  for (const auto& block : blocks) {
    for (const Xyz& c : block) st.G_iPiece[b][c.x][c.y][c.z] = 1;
    ++b;
  }
  subCellSize_set(st, cx, cy, cz);
  return initialised(st);
}

}  // namespace pakkon::test
