// autoload: the auto loader's search on a puzzle file, without a window.

#include <cstring>
#include <string>

#include "autoload/search.h"
#include "commands.h"
#include "platform/text.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

class PrintingHooks : public AutoLoadHooks {
 public:
  explicit PrintingHooks(bool deadSpace) : deadSpace_(deadSpace) {}
  bool deadSpaceChecked() override { return deadSpace_; }
  void resultLine(const std::string& line) override { say(stdout, line + "\n"); }

 private:
  bool deadSpace_;
};

const char* outcome(AutoLoadEnd e) {
  switch (e) {
    case AutoLoadEnd::Filled: return "filled";
    case AutoLoadEnd::OrdersExhausted: return "orders exhausted";
    case AutoLoadEnd::Stopped: return "stopped";
    case AutoLoadEnd::LimitReached: return "limit reached";
    case AutoLoadEnd::NoBlocks: return "no blocks";
  }
  return "?";
}

// The block (1..8) whose colours a filled cell carries: files do not say
// which block filled a cell the loader placed.
char blockMark(const PuzzleState& st, int x, int y, int z) {
  if (st.G_iBox[x][y][z] == 0) return '.';
  for (int k = 1; k <= kPieces; ++k)
    if (std::memcmp(st.G_lBoxColor[x][y][z], st.G_lColor[k], sizeof st.G_lColor[k]) == 0)
      return static_cast<char>('0' + k);
  return '?';
}

int extent(int16_t cells) { return cells < 1 ? 1 : cells > kCells ? kCells : cells; }

}  // namespace

int cmdAutoload(const AutoloadArgs& a) {
  if (!a.save.empty() && !distinctOutput(a.file, a.save, "--save")) return 1;
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  subColor_set(st);
  PrintingHooks hooks(a.deadSpace);
  const AutoLoadResult r = fncAutoLoad_run(st, hooks, {.maxTests = a.maxTests});

  std::string out = "GE_lRotate: " + fncStr(st.GE_lRotate) + "\nGE_iRotation:";
  for (int16_t v : st.GE_iRotation) out += " " + fncStr(v);
  out += "\n";
  for (int b = 0; b < kPieces; ++b) {
    const PieceInfo& i = st.G_Info_Piece[b];
    out += "block " + fncStr(b + 1) + ": iNo " + fncStr(i.iNo) + ", iFace_ct " + fncStr(i.iFace_ct) + ", iTurn_CtZ " +
           fncStr(i.iTurn_CtZ) + "\n";
  }
  for (int z = 0; z < extent(st.G_iCellZ); ++z) {
    out += "z=" + fncStr(z) + "\n";
    for (int y = 0; y < extent(st.G_iCellY); ++y) {
      out += " ";
      for (int x = 0; x < extent(st.G_iCellX); ++x) out += std::string(" ") + blockMark(st, x, y, z);
      out += "\n";
    }
  }
  out += "tests: " + fncStr(r.tests) + "\noutcome: " + outcome(r.end) + "\n";
  say(stdout, out);
  std::fflush(stdout);
  if (!a.save.empty() && !writePuzzle(st, a.save)) return 1;
  return 0;
}

}  // namespace pakkon::tool
