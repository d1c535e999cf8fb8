// solve: counts the ways the blocks fill the box and shows one.

#include <cmath>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "solve_report.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

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
  using Json = nlohmann::ordered_json;
  const SolveResult& r = t.result;
  Json j;
  j["file"] = file;
  j["size"] = {st.G_iCellX, st.G_iCellY, st.G_iCellZ};
  j["blocks"] = solver.blockCount();
  j["placements"] = solver.placementCount();
  Json twins = Json::array();
  for (const auto& group : solver.identicalBlocks()) {
    Json numbers = Json::array();
    for (int b : group) numbers.push_back(b + 1);
    twins.push_back(std::move(numbers));
  }
  j["identical"] = std::move(twins);
  j["fixed"] = r.fixed;
  j["arrangements"] = r.arrangements;
  j["distinct"] = distinct ? Json(r.distinct) : Json(nullptr);
  j["boxRotations"] = solver.boxRotations();
  j["complete"] = r.end == SolveEnd::Complete;
  j["stop"] = endText(r.end);
  j["seconds"] = std::round(t.seconds * 1e6) / 1e6;
  Json sol = nullptr;
  if (!r.first.empty()) {
    Json blocks = Json::array();
    for (const BlockPlacement& p : r.first)
      blocks.push_back(
          {{"block", p.block + 1}, {"face", p.face}, {"turns", p.turns}, {"position", {p.dx, p.dy, p.dz}}});
    Json layers = Json::array();
    for (const auto& layer : fncSolution_layers(r.first, st.G_iCellX, st.G_iCellY, st.G_iCellZ)) {
      Json rows = Json::array();
      for (const auto& row : layer) rows.push_back(layerRow(row));
      layers.push_back(std::move(rows));
    }
    sol = {{"blocks", std::move(blocks)}, {"layers", std::move(layers)}};
  }
  j["solution"] = std::move(sol);
  return jsonText(j);
}

}  // namespace

int cmdSolve(const SolveArgs& a) {
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  const PackingSolver solver(st);
  const TimedSolve t = timedSolve(solver, a.options);
  say(stdout,
      a.json ? json(a.file, st, solver, t, a.options.distinct) : text(a.file, st, solver, t, a.options.distinct));
  return 0;
}

}  // namespace pakkon::tool
