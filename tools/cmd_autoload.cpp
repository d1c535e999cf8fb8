// autoload: the auto loader's search on a puzzle file, without a window.

#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>

#include "autoload/search.h"
#include "commands.h"
#include "platform/text.h"

namespace pakkon::tool {
namespace {

constexpr const char* kUsage = "autoload FILE [--dead-space] [--max-tests N] [--save OUT]";

class PrintingHooks : public AutoLoadHooks {
 public:
  explicit PrintingHooks(bool deadSpace) : deadSpace_(deadSpace) {}
  bool deadSpaceChecked() override { return deadSpace_; }
  void resultLine(const std::string& line) override { std::printf("%s\n", line.c_str()); }

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

int cmdAutoload(const Args& args) {
  std::string file, save;
  bool deadSpace = false;
  AutoLoadOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--dead-space") {
      deadSpace = true;
    } else if (a == "--max-tests" && hasValue) {
      const std::string& v = args[++i];
      const auto [end, ec] = std::from_chars(v.data(), v.data() + v.size(), options.maxTests);
      if (ec != std::errc() || end != v.data() + v.size() || options.maxTests < 0) return usage(kUsage);
    } else if (a == "--save" && hasValue) {
      save = args[++i];
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else {
      return usage(kUsage);
    }
  }
  if (file.empty()) return usage(kUsage);

  PuzzleState st;
  if (!readPuzzle(file, st)) return 1;
  subColor_set(st);
  PrintingHooks hooks(deadSpace);
  const AutoLoadResult r = fncAutoLoad_run(st, hooks, options);

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
  std::fputs(out.c_str(), stdout);
  std::fflush(stdout);
  if (!save.empty() && !writePuzzle(st, save)) return 1;
  return 0;
}

}  // namespace pakkon::tool
