// check: is a puzzle file sound and solvable, and how many solutions has it.

#include <bit>
#include <cstdio>

#include "commands.h"
#include "solve_report.h"

namespace pakkon::tool {
namespace {

// Cells joined face to face with the lowest one.
uint64_t reach(uint64_t m) {
  constexpr uint64_t notX0 = 0xEEEEEEEEEEEEEEEEull, notX3 = 0x7777777777777777ull;
  constexpr uint64_t notY0 = 0xFFF0FFF0FFF0FFF0ull, notY3 = 0x0FFF0FFF0FFF0FFFull;
  uint64_t r = m & -m, before = 0;
  while (r != before) {
    before = r;
    r |=
        m & (((r << 1) & notX0) | ((r >> 1) & notX3) | ((r << 4) & notY0) | ((r >> 4) & notY3) | (r << 16) | (r >> 16));
  }
  return r;
}

bool turnedFromMade(const PackingSolver& solver, int b, uint64_t now) {
  int dx, dy, dz;
  uint64_t shape;
  subMask_origin(now, dx, dy, dz, shape);
  for (int face = 0; face < 6; ++face)
    for (int turns = 0; turns < 4; ++turns)
      if (solver.orientedShape(b, face, turns) == shape) return true;
  return false;
}

}  // namespace

int cmdCheck(const Args& args) {
  constexpr const char* kUsage = "check FILE [--time-limit S]";
  std::string file;
  SolveOptions options;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--time-limit" && i + 1 < args.size()) {
      if (!parseSeconds(args[++i], options.timeLimit)) return usage(kUsage);
    } else if (file.empty() && !args[i].empty() && args[i][0] != '-') {
      file = args[i];
    } else {
      return usage(kUsage);
    }
  }
  if (file.empty()) return usage(kUsage);

  PuzzleState st;
  if (!readPuzzle(file, st)) return 1;
  const PackingSolver solver(st);
  std::vector<std::string> errors, warnings;
  const int volume = solver.volume();

  if (solver.blockCount() == 0) {
    errors.push_back("no block has a cell");
  } else if (solver.cellCount() != volume) {
    errors.push_back("the blocks have " + fncStr(solver.cellCount()) + " cells and the box holds " + fncStr(volume) +
                     ": they cannot fill it exactly");
  }
  if (st.G_iCellTotal != volume)
    errors.push_back("the cell total is " + fncStr(st.G_iCellTotal) + " and the box holds " + fncStr(volume) +
                     ": the game would not see the box full when it is");
  if (!solver.fromMadeShapes())
    warnings.push_back("the blocks as made are empty: Reset after giving up has nothing to restore");

  uint64_t made = 0;
  bool overlap = false;
  for (int b = 0; b < kPieces; ++b) {
    const uint64_t org = fncGrid_mask(st.G_iPieceOrg[b]), now = fncGrid_mask(st.G_iPiece[b]);
    const std::string name = "block " + fncStr(b + 1);
    if (solver.fromMadeShapes() && !org && now) errors.push_back(name + " has cells but no shape as made");
    if (org && std::popcount(now) != std::popcount(org))
      errors.push_back(name + " as it stands has " + fncStr(std::popcount(now)) + " cells and as made " +
                       fncStr(std::popcount(org)));
    else if (org && !turnedFromMade(solver, b, now))
      errors.push_back(name + " as it stands is not its shape as made, turned");
    const uint64_t shape = org ? org : now;
    if (shape && reach(shape) != shape) warnings.push_back(name + " is in pieces: its cells do not all touch");
    overlap = overlap || (made & org);
    made |= org;
  }
  uint64_t box = 0;
  for (int z = 0; z < st.G_iCellZ; ++z)
    for (int y = 0; y < st.G_iCellY; ++y)
      for (int x = 0; x < st.G_iCellX; ++x) box |= fncCell_bit(x, y, z);
  if (solver.fromMadeShapes() && (overlap || made != box))
    warnings.push_back("the blocks as made do not fill the box: Reset after giving up does not show a solution");
  if (st.G_sAnswerPW.empty()) warnings.push_back("no answer password: players cannot give up and see the solution");

  std::string out = file + ": " + fncStr(st.G_iCellX) + " x " + fncStr(st.G_iCellY) + " x " + fncStr(st.G_iCellZ) +
                    " box, " + fncStr(solver.blockCount()) + " blocks, comment \"" + st.G_sComment + "\"\n";
  for (const std::string& w : warnings) out += "warning: " + w + "\n";
  if (errors.empty()) {
    const TimedSolve t = timedSolve(solver, options);
    out += countLines(solver, t, true);
    if (t.result.fixed == 0) {
      errors.push_back(t.result.end == SolveEnd::Time ? "no solution found before the time limit"
                                                      : "no solution: the blocks cannot fill the box");
    } else if (t.result.end == SolveEnd::Complete) {
      out += std::string("unique up to rotation: ") + (t.result.distinct == 1 ? "yes" : "no") + "\n";
    } else {
      out += "unique up to rotation: unknown\n";
    }
  }
  for (const std::string& e : errors) out += "error: " + e + "\n";
  out += errors.empty() ? "ok\n" : "refused\n";
  std::fputs(out.c_str(), stdout);
  return errors.empty() ? 0 : 1;
}

}  // namespace pakkon::tool
