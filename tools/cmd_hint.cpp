// hint: for progress saved in a puzzle file, whether the box can still be
// finished, the next block to place and where, or the blocks to take out.

#include <bit>
#include <nlohmann/json.hpp>

#include "commands.h"
#include "solve_report.h"
#include "solver/finish.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

std::string text(const std::string& file, const PuzzleState& st, const FinishProblem& p, const FinishHint& h) {
  int loaded = 0, blocks = 0;
  for (int b = 0; b < kPieces; ++b) {
    loaded += p.isLoaded(b) ? 1 : 0;
    blocks += p.isLoaded(b) || p.isFree(b) ? 1 : 0;
  }
  std::string out = file + ": " + fncStr(st.G_iCellX) + " x " + fncStr(st.G_iCellY) + " x " + fncStr(st.G_iCellZ) +
                    " box, " + fncStr(loaded) + " of " + fncStr(blocks) + " blocks loaded\n";
  if (const int n = std::popcount(p.unowned()))
    out += fncStr(n) + (n == 1 ? " filled cell belongs" : " filled cells belong") + " to no loaded block\n";
  if (h.answer == FinishAnswer::Yes) {
    if (h.block < 0) return out + "can be finished: yes, the box is full\n";
    const BlockPlacement at = fncFinish_placement(p, h.block, h.cells);
    out += "can be finished: yes\n";
    out += "next: block " + fncStr(h.block + 1) + ": face " + fncStr(at.face) + ", turns " + fncStr(at.turns) +
           ", position " + fncStr(at.dx) + " " + fncStr(at.dy) + " " + fncStr(at.dz) +
           (h.places == 1 ? " (its only place in every completion)\n"
                          : " (one of the " + fncStr(h.places) + " places it takes in the completions)\n");
    std::string presses;
    for (const PlayAction& a : fncBlock_actions(h.block, p.shape[static_cast<size_t>(h.block)], h.cells))
      presses += (presses.empty() ? "" : "; ") + fncAction_text(a);
    return out + "presses: " + presses + "; load\n";
  }
  out += "can be finished: no\n";
  if (p.outside()) out += "the box content sticks out of the box: move it back (box-org, box-tz, ...)\n";
  if (h.clear) return out + "take out: everything (clear), and it can be finished from the empty box\n";
  if (h.remove.empty()) return out + "take out: nothing helps, even the empty box has no solution\n";
  return out + "take out: block" + (h.remove.size() > 1 ? "s " : " ") + blockList(h.remove) +
         ", and it can be finished\n";
}

std::string json(const FinishProblem& p, const FinishHint& h) {
  using Json = nlohmann::ordered_json;
  Json j;
  j["finishable"] = h.answer == FinishAnswer::Yes;
  if (h.answer == FinishAnswer::Yes) {
    // A full box has no next block.
    const bool next = h.block >= 0;
    const BlockPlacement at = next ? fncFinish_placement(p, h.block, h.cells) : BlockPlacement{};
    j["block"] = next ? Json(h.block + 1) : Json(nullptr);
    j["face"] = next ? Json(at.face) : Json(nullptr);
    j["turns"] = next ? Json(at.turns) : Json(nullptr);
    j["position"] = next ? Json{at.dx, at.dy, at.dz} : Json(nullptr);
  } else {
    Json remove = Json::array();
    for (int b : h.remove) remove.push_back(b + 1);
    j["remove"] = std::move(remove);
    j["clear"] = h.clear;
  }
  return jsonText(j);
}

}  // namespace

int cmdHint(const HintArgs& a) {
  PuzzleState st;
  if (!readPuzzle(a.file, st)) return 1;
  const FinishProblem p = fncFinish_problem(st);
  const FinishHint h = fncFinish_hint(p);
  say(stdout, a.json ? json(p, h) : text(a.file, st, p, h));
  return 0;
}

}  // namespace pakkon::tool
