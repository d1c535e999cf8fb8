#pragma once
// Hooks for the search tests: they record what the search shows, as a
// running digest (long runs) and, when asked, as readable lines.

#include <cstdint>
#include <string>
#include <vector>

#include "autoload/search.h"
#include "model/builtin.h"

namespace pakkon::test {

class RecordingHooks : public AutoLoadHooks {
 public:
  explicit RecordingHooks(bool keepLines = false) : keepLines_(keepLines) {}

  bool deadSpaceChecked() override { return deadSpace; }
  void boxDraw() override { note("boxDraw"); }
  void pieceDraw(int block) override { note("pieceDraw " + std::to_string(block)); }
  void stripColour(int column, int32_t colour) override {
    note("stripColour " + std::to_string(column) + " " + std::to_string(colour));
  }
  void stripLabel(StripRow row, int column, int value) override {
    static const char* const kRow[] = {"lblNo", "lblTurn_CtZ", "lblFaceV"};
    note(std::string(kRow[static_cast<int>(row)]) + "(" + std::to_string(column) + ") " + std::to_string(value));
  }
  void autoInfoShow() override { note("autoInfoShow"); }
  void sumText(const std::string& text) override { note("lblSum " + text); }
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
  std::vector<std::string> lines;     // every call, when kept
  std::vector<std::string> results;   // result lines
  std::vector<std::string> messages;  // title|text|icon
  uint64_t digest = 14695981039346656037ULL;
  int64_t calls = 0;

 protected:
  void note(const std::string& s) {
    ++calls;
    for (char c : s) digest = (digest ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    digest = (digest ^ 0xFF) * 1099511628211ULL;
    if (keepLines_) lines.push_back(s);
  }

 private:
  bool keepLines_;
};

// A puzzle with the loader's counters as INIT leaves them and the colours set.
inline PuzzleState initialised(void (*set)(PuzzleState&)) {
  PuzzleState st;
  set(st);
  subPieceOrg_set(st);
  subColor_set(st);
  st.GE_lRotate = 12345678;
  int16_t cells = 0;
  for (int b = 0; b < kPieces; ++b) {
    st.GE_iRotation[b] = static_cast<int16_t>(b);
    st.G_Info_Piece[b] = PieceInfo{};
    for (int i = 0; i < 64; ++i) cells = static_cast<int16_t>(cells + st.G_iPiece[b][i / 16][i / 4 % 4][i % 4]);
  }
  st.G_iCellTotal = cells;
  return st;
}

}  // namespace pakkon::test
