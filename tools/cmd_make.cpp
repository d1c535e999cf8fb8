// make: a puzzle file from a text source.

#include <cstdio>

#include "commands.h"
#include "maker/puzzle_text.h"
#include "platform/files.h"
#include "platform/text.h"

namespace pakkon::tool {
namespace {

void print(const std::string& src, const char* kind, const TextIssue& issue) {
  std::string where = src + ":";
  if (issue.line > 0) where += fncStr(issue.line) + ":";
  if (issue.line > 0 && issue.column > 0) where += fncStr(issue.column) + ":";
  std::fprintf(stderr, "%s %s: %s\n", where.c_str(), kind, issue.message.c_str());
}

}  // namespace

int cmdMake(const Args& args) {
  if (args.size() != 2) return usage("make SRC.txt OUT.bin");
  const std::string& src = args[0];
  const std::string& out = args[1];
  std::string text;
  if (const IoError e = fncFile_readAll(src, text)) {
    std::fprintf(stderr, "pakkon-tool: %s: cannot read it (%s); nothing written\n", src.c_str(), e.description.c_str());
    return 1;
  }
  const PuzzleTextResult r = fncPuzzleText_parse(text);
  for (const TextIssue& w : r.warnings) print(src, "warning", w);
  if (!r.ok()) {
    for (const TextIssue& e : r.errors) print(src, "error", e);
    std::fprintf(stderr, "pakkon-tool: %s: nothing written\n", out.c_str());
    return 1;
  }
  PuzzleState st;
  subPuzzleText_make(r.source, st, fncClockRandom());
  if (!writePuzzle(st, out)) return 1;
  const PuzzleSource& s = r.source;
  std::string blocks;
  for (size_t b = 0; b < s.names.size(); ++b)
    blocks += (b ? ", " : "") + fncStr(static_cast<long long>(b + 1)) + " = " + s.names[b] + " (" +
              fncStr(s.cellCounts[b]) + " cells)";
  std::printf("%s: %d x %d x %d, %zu blocks: %s\n", out.c_str(), s.sizeX, s.sizeY, s.sizeZ, s.names.size(),
              blocks.c_str());
  return 0;
}

}  // namespace pakkon::tool
