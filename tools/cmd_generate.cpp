// generate: new puzzles with a unique packing, each from a seed that names it.

#include <cmath>
#include <cstdio>

#include "commands.h"
#include "maker/generator.h"
#include "platform/text.h"
#include "tool_io.h"

namespace pakkon::tool {
namespace {

std::string joined(const std::vector<int>& v) {
  std::string out;
  for (size_t i = 0; i < v.size(); ++i) out += (i ? ", " : "") + fncStr(v[i]);
  return out;
}

}  // namespace

int cmdGenerate(const GenerateArgs& a) {
  GenerateOptions o;
  o.sizeX = a.sizeX, o.sizeY = a.sizeY, o.sizeZ = a.sizeZ;
  o.blocks = a.blocks;
  o.minCells = a.minCells, o.maxCells = a.maxCells;
  o.minStars = a.minStars, o.maxStars = a.maxStars;
  o.allowIdentical = a.identical;
  if (a.tries > 0) o.maxTries = a.tries;
  if (const std::string why = fncGenerate_check(o); !why.empty()) {
    complain("generate: " + why + "; nothing written");
    return 1;
  }
  // One puzzle may go to a file; several, or any into a folder, take their names from their seeds.
  const bool folder = a.count > 1 || fncDir_exists(a.out);
  if (folder && !fncDir_exists(a.out) && !fncDir_create(a.out)) {
    complain(a.out + ": cannot create this folder; nothing written");
    return 1;
  }
  const uint64_t first = a.seeded ? a.seed : fncGenerated_seed();
  int status = 0;
  for (int k = 0; k < a.count; ++k) {
    o.seed = first + static_cast<uint64_t>(k);
    const GenerateResult r = fncPuzzle_generate(o);
    if (r.status != GenerateStatus::Ok) {
      complain("generate: " + r.message);
      status = 1;
      continue;
    }
    const std::string file = folder ? a.out + "/" + fncGenerated_fileName(o) : a.out;
    if (const IoError e = fncFile_writeAtomic(file, r.file)) {
      complain(file + ": cannot write it (" + writeProblem(e) + ")");
      status = 1;
      continue;
    }
    std::string source;
    if (a.source) {
      source =
          (file.size() > 4 && file.compare(file.size() - 4, 4, ".bin") == 0 ? file.substr(0, file.size() - 4) : file) +
          ".txt";
      if (const IoError e = fncFile_writeAtomic(source, r.sourceText)) {
        complain(source + ": cannot write it (" + writeProblem(e) + ")");
        status = 1;
        source.clear();
      }
    }
    char score[32];
    std::snprintf(score, sizeof score, "%.2f", r.rating.score);
    say(stdout, file + ": seed " + std::to_string(o.seed) + ", " + fncStr(o.sizeX) + " x " + fncStr(o.sizeY) + " x " +
                    fncStr(o.sizeZ) + ", " + fncStr(o.blocks) + " blocks of " + joined(r.source.cellCounts) +
                    " cells, unique after " + grouped(static_cast<unsigned>(r.tries)) +
                    (r.tries == 1 ? " try" : " tries") + ", difficulty " + fncStr(r.rating.stars) +
                    (r.rating.stars == 1 ? " star " : " stars ") + fncStars_text(r.rating.stars) + " (score " +
                    (r.rating.complete ? "" : "at least ") + score + "), password " + r.state.G_sAnswerPW +
                    (source.empty() ? "" : ", source " + source) + "\n");
  }
  return status;
}

}  // namespace pakkon::tool
