// solve: counts the ways the blocks fill the box and shows one.

#include <cstdio>

#include "commands.h"
#include "json.h"
#include "solve_report.h"

namespace pakkon::tool {
namespace {

constexpr const char* kUsage = "solve FILE [--first] [--limit N] [--distinct] [--time-limit S] [--json]";

std::string layerRow(const std::vector<int>& row) {
  std::string s;
  for (int v : row) s += v ? static_cast<char>('0' + v) : '.';
  return s;
}

std::string text(const std::string& file, const PuzzleState& st, const PackingSolver& solver, const TimedSolve& t,
                 bool distinct) {
  std::string out = file + ": " + fncStr(st.G_iCellX) + " x " + fncStr(st.G_iCellY) + " x " + fncStr(st.G_iCellZ) +
                    " box, " + fncStr(solver.blockCount()) + " blocks, " +
                    fncStr(static_cast<long long>(solver.placementCount())) + " placements\n";
  if (!solver.fromMadeShapes()) out += "the blocks as made are empty: the blocks as they stand were used\n";
  if (solver.cellCount() != solver.volume())
    out += "the blocks have " + fncStr(solver.cellCount()) + " cells and the box holds " + fncStr(solver.volume()) +
           ": no solution\n";
  out += countLines(solver, t, distinct);
  const Solution& s = t.result.first;
  if (s.empty()) return out;
  out += "\none solution (face, quarter turns about Z, then moves along +X +Y +Z from the origin corner):\n";
  for (const BlockPlacement& p : s)
    out += "  block " + fncStr(p.block + 1) + ": face " + fncStr(p.face) + ", turns " + fncStr(p.turns) +
           ", position " + fncStr(p.dx) + " " + fncStr(p.dy) + " " + fncStr(p.dz) + "\n";
  const LayerGrid g = fncSolution_layers(s, st.G_iCellX, st.G_iCellY, st.G_iCellZ);
  for (size_t z = 0; z < g.size(); ++z) {
    out += "\nz = " + fncStr(static_cast<long long>(z)) +
           (z == 0              ? " (back)"
            : z + 1 == g.size() ? " (front)"
                                : "") +
           "\n";
    for (const auto& row : g[z]) out += "  " + layerRow(row) + "\n";
  }
  return out;
}

std::string json(const std::string& file, const PuzzleState& st, const PackingSolver& solver, const TimedSolve& t,
                 bool distinct) {
  const SolveResult& r = t.result;
  auto num = [](long long v) { return fncStr(v); };
  std::string out = "{\n";
  auto field = [&](const char* name, const std::string& value, bool last = false) {
    out += std::string("  ") + jsonString(name) + ": " + value + (last ? "\n" : ",\n");
  };
  field("file", jsonString(file));
  field("size", "[" + num(st.G_iCellX) + "," + num(st.G_iCellY) + "," + num(st.G_iCellZ) + "]");
  field("blocks", num(solver.blockCount()));
  field("placements", num(static_cast<long long>(solver.placementCount())));
  const auto twins = solver.identicalBlocks();
  field("identical", jsonArray(static_cast<int>(twins.size()), [&](int i) {
          const auto& group = twins[static_cast<size_t>(i)];
          return jsonArray(static_cast<int>(group.size()),
                           [&](int k) { return num(group[static_cast<size_t>(k)] + 1); });
        }));
  field("fixed", num(static_cast<long long>(r.fixed)));
  field("arrangements", num(static_cast<long long>(r.arrangements)));
  field("distinct", distinct ? num(static_cast<long long>(r.distinct)) : "null");
  field("boxRotations", num(solver.boxRotations()));
  field("complete", r.end == SolveEnd::Complete ? "true" : "false");
  field("stop", jsonString(endText(r.end)));
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.6f", t.seconds);
  field("seconds", seconds);
  std::string sol = "null";
  if (!r.first.empty()) {
    const LayerGrid g = fncSolution_layers(r.first, st.G_iCellX, st.G_iCellY, st.G_iCellZ);
    sol = "{\"blocks\": " +
          jsonArray(static_cast<int>(r.first.size()),
                    [&](int i) {
                      const BlockPlacement& p = r.first[static_cast<size_t>(i)];
                      return "{\"block\":" + num(p.block + 1) + ",\"face\":" + num(p.face) +
                             ",\"turns\":" + num(p.turns) + ",\"position\":[" + num(p.dx) + "," + num(p.dy) + "," +
                             num(p.dz) + "]}";
                    }) +
          ", \"layers\": " +
          jsonArray(static_cast<int>(g.size()),
                    [&](int z) {
                      const auto& layer = g[static_cast<size_t>(z)];
                      return jsonArray(static_cast<int>(layer.size()),
                                       [&](int y) { return jsonString(layerRow(layer[static_cast<size_t>(y)])); });
                    }) +
          "}";
  }
  field("solution", sol, true);
  return out + "}\n";
}

}  // namespace

int cmdSolve(const Args& args) {
  std::string file;
  SolveOptions options;
  options.distinct = false;
  bool asJson = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--first") {
      options.firstOnly = true;
    } else if (a == "--distinct") {
      options.distinct = true;
    } else if (a == "--json") {
      asJson = true;
    } else if (a == "--limit" && hasValue) {
      if (!parseCount(args[++i], options.limit)) return usage(kUsage);
    } else if (a == "--time-limit" && hasValue) {
      if (!parseSeconds(args[++i], options.timeLimit)) return usage(kUsage);
    } else if (file.empty() && !a.empty() && a[0] != '-') {
      file = a;
    } else {
      return usage(kUsage);
    }
  }
  if (file.empty()) return usage(kUsage);

  PuzzleState st;
  if (!readPuzzle(file, st)) return 1;
  const PackingSolver solver(st);
  const TimedSolve t = timedSolve(solver, options);
  const std::string out =
      asJson ? json(file, st, solver, t, options.distinct) : text(file, st, solver, t, options.distinct);
  std::fputs(out.c_str(), stdout);
  return 0;
}

}  // namespace pakkon::tool
