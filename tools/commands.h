#pragma once
// The tool's commands, each run on arguments the parser has already checked.
// Each returns the exit status: 0 done, 1 refused or failed (wrong usage,
// status 2, never gets this far).

#include <cstdint>
#include <string>

#include "draw/views.h"
#include "solver/solver.h"

namespace pakkon::tool {

struct InfoArgs {
  std::string file;
};

struct ResaveArgs {
  std::string file, out;
};

struct RenderArgs {
  std::string file, out;
  int block = 0;  // 1..8: that block's view; 0: the box view
  int dx = kViewStart, dy = kViewStart;
  int preview = 0;  // 1..8: that block's landing place over the box
};

struct PlayArgs {
  std::string file, actions, save;
  std::string script;    // --file: the actions from this file, "-" standard input
  std::string progress;  // --progress: the folder whose progress file records a completion
  bool deadSpace = false;
};

// The most a play script may hold: far beyond any game (100,000 actions take
// about a megabyte), well short of what would strain the memory.
inline constexpr size_t kPlayScriptMax = 16 << 20;

struct AutoloadArgs {
  std::string file, save;
  bool deadSpace = false;
  int64_t maxTests = -1;
};

struct MakeArgs {
  std::string source, out;
};

struct SolveArgs {
  std::string file;
  SolveOptions options{.distinct = false};
  bool json = false;
};

struct HintArgs {
  std::string file;
  bool json = false;
};

struct CheckArgs {
  std::string file;
  double timeLimit = 0;
  bool json = false;
};

struct GenerateArgs {
  int sizeX = 0, sizeY = 0, sizeZ = 0;
  int blocks = 0;
  int minCells = 0, maxCells = 0;
  int minStars = 1, maxStars = 5;
  bool identical = false;
  bool seeded = false;
  uint64_t seed = 0;
  int count = 1;
  int tries = 0;           // 0: the generator's own bound
  double timeLimit = 180;  // seconds per puzzle
  std::string out;
  bool source = false;
  bool force = false;  // replace files that are there
};

int cmdInfo(const InfoArgs& a);
int cmdResave(const ResaveArgs& a);
int cmdRender(const RenderArgs& a);
int cmdAutoload(const AutoloadArgs& a);
int cmdPlay(const PlayArgs& a);
int cmdMake(const MakeArgs& a);
int cmdSolve(const SolveArgs& a);
int cmdCheck(const CheckArgs& a);
int cmdHint(const HintArgs& a);
int cmdGenerate(const GenerateArgs& a);

}  // namespace pakkon::tool
