#pragma once
// What solve and check print about a solver run.

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/text.h"
#include "solver/solver.h"

namespace pakkon::tool {

struct TimedSolve {
  SolveResult result;
  double seconds = 0;
};

inline TimedSolve timedSolve(const PackingSolver& solver, const SolveOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  TimedSolve t;
  t.result = solver.solve(options);
  t.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return t;
}

// Blocks as users number them: "3 and 5", "1, 2 and 4".
inline std::string blockList(const std::vector<int>& blocks) {
  std::string out;
  for (size_t i = 0; i < blocks.size(); ++i) {
    if (i) out += i + 1 == blocks.size() ? " and " : ", ";
    out += fncStr(blocks[i] + 1);
  }
  return out;
}

inline const char* endText(SolveEnd e) {
  switch (e) {
    case SolveEnd::Complete: return "complete";
    case SolveEnd::First: return "first";
    case SolveEnd::Limit: return "limit";
    case SolveEnd::Time: return "time";
    case SolveEnd::Visitor: break;
  }
  return "stopped";
}

// The count lines both commands print.
inline std::string countLines(const PackingSolver& solver, const TimedSolve& t, bool distinct) {
  const SolveResult& r = t.result;
  const bool partial = r.end != SolveEnd::Complete;
  const std::string atLeast = partial ? "at least " : "";
  std::string out = "solutions in the fixed box: " + atLeast + fncStr(static_cast<long long>(r.fixed));
  const auto twins = solver.identicalBlocks();
  if (!twins.empty() && r.fixed != r.arrangements) {
    out += " (" + fncStr(static_cast<long long>(r.arrangements)) + " arrangements; identical blocks ";
    for (size_t i = 0; i < twins.size(); ++i) out += (i ? "; " : "") + blockList(twins[i]);
    out += " counted in every order)";
  }
  out += "\n";
  if (distinct)
    out += "distinct up to the box's " + fncStr(solver.boxRotations()) + " rotations: " + atLeast +
           fncStr(static_cast<long long>(r.distinct)) + "\n";
  switch (r.end) {
    case SolveEnd::Complete: break;
    case SolveEnd::First: out += "search stopped after the first solution\n"; break;
    case SolveEnd::Limit: out += "search stopped at the limit\n"; break;
    case SolveEnd::Time: out += "search stopped at the time limit\n"; break;
    case SolveEnd::Visitor: out += "search stopped\n"; break;
  }
  char time[64];
  std::snprintf(time, sizeof time, "search time: %.1f ms\n", t.seconds * 1000);
  return out + time;
}

}  // namespace pakkon::tool
