// check: is a puzzle file sound and solvable, and how many solutions has it.

#include <bit>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "geometry/mask.h"
#include "model/progress_check.h"
#include "solve_report.h"
#include "solver/rating.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

std::string cellList(const std::vector<BoxCell>& cells) {
  constexpr size_t kShown = 6;
  std::string out;
  for (size_t i = 0; i < cells.size() && i < kShown; ++i)
    out += (i ? ", (" : "(") + fncStr(cells[i].x) + "," + fncStr(cells[i].y) + "," + fncStr(cells[i].z) + ")";
  if (cells.size() > kShown) out += " and " + fncStr(static_cast<long long>(cells.size() - kShown)) + " more";
  return out;
}

std::string progressText(const PuzzleState& st, const ProgressIssue& issue) {
  const std::string block = "block " + fncStr(issue.block);
  const std::string cells = cellList(issue.cells);
  const bool one = issue.cells.size() == 1;
  std::string text = "the saved progress contradicts itself: ";
  switch (issue.fault) {
    case ProgressFault::LoadedNotInBox: return text + block + " is marked loaded but no box cell holds it";
    case ProgressFault::FilledOutsideBox:
      return text + (one ? "cell " : "cells ") + cells + (one ? " is" : " are") + " filled outside the " +
             fncStr(st.G_iCellX) + " x " + fncStr(st.G_iCellY) + " x " + fncStr(st.G_iCellZ) + " box";
    case ProgressFault::NoSuchBlock:
      return text + (one ? "cell " : "cells ") + cells + " of the box " + (one ? "holds " : "hold ") + block +
             ", which has no cells";
    case ProgressFault::FilledWithoutBlock:
      return text + (one ? "cell " : "cells ") + cells + (one ? " is" : " are") + " filled with no block number";
  }
  return text;
}

std::string difficultyLine(const DifficultyRating& r) {
  char score[32];
  std::snprintf(score, sizeof score, "%.2f", r.score);
  return "difficulty: " + fncStr(r.stars) + (r.stars == 1 ? " star " : " stars ") + fncStars_text(r.stars) +
         " (score " + (r.complete ? "" : "at least ") + score + ": " + grouped(r.nodes) + " blocks put in, " +
         grouped(r.deadEnds) + " dead ends, " + grouped(r.arrangements) + " solutions in the plain search" +
         (r.complete ? "" : ", cut there") + ")\n";
}

nlohmann::ordered_json difficultyJson(const DifficultyRating& r) {
  return {{"stars", r.stars},       {"score", std::round(r.score * 100) / 100},
          {"complete", r.complete}, {"nodes", r.nodes},
          {"deadEnds", r.deadEnds}, {"arrangements", r.arrangements},
          {"shapes", r.shapes}};
}

}  // namespace

int cmdCheck(const CheckArgs& a) {
  SolveOptions options;
  options.timeLimit = a.timeLimit;
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
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
    else if (org && !fncMask_isTurnOf(now, org))
      errors.push_back(name + " as it stands is not its shape as made, turned");
    const uint64_t shape = org ? org : now;
    if (shape && !fncMask_connected(shape)) warnings.push_back(name + " is in pieces: its cells do not all touch");
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
  for (const ProgressIssue& issue : fncProgress_check(st)) warnings.push_back(progressText(st, issue));

  std::string out = a.file + ": " + fncStr(st.G_iCellX) + " x " + fncStr(st.G_iCellY) + " x " + fncStr(st.G_iCellZ) +
                    " box, " + fncStr(solver.blockCount()) + " blocks, comment \"" + printable(st.G_sComment) + "\"\n";
  for (const std::string& w : warnings) out += "warning: " + w + "\n";
  using Json = nlohmann::ordered_json;
  Json j;
  j["file"] = a.file;
  j["size"] = {st.G_iCellX, st.G_iCellY, st.G_iCellZ};
  j["blocks"] = solver.blockCount();
  j["comment"] = st.G_sComment;
  j["warnings"] = warnings;
  if (errors.empty()) {
    const TimedSolve t = timedSolve(solver, options);
    out += countLines(solver, t, true);
    j["fixed"] = t.result.fixed;
    j["arrangements"] = t.result.arrangements;
    j["distinct"] = t.result.distinct;
    j["complete"] = t.result.end == SolveEnd::Complete;
    j["unique"] = t.result.end == SolveEnd::Complete ? Json(t.result.distinct == 1) : Json(nullptr);
    if (t.result.fixed > 0) {
      const DifficultyRating r = fncDifficulty_rate(st);
      out += difficultyLine(r);
      j["stars"] = r.stars;
      j["difficulty"] = difficultyJson(r);
    }
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
  j["errors"] = errors;
  j["ok"] = errors.empty();
  say(stdout, a.json ? jsonText(j) : out);
  return errors.empty() ? 0 : 1;
}

}  // namespace pakkon::tool
