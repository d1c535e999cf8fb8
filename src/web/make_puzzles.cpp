// The site's shipped puzzles, made from their text sources at build time
// (run by node) as pakkon-tool make makes them, so the site needs no host
// build of the game.

#include <cstdio>
#include <string>

#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"
#include "platform/files.h"
#include "platform/text.h"
#include "version.h"

int main(int argc, char** argv) {
  using namespace pakkon;
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: make_puzzles SOURCE OUT [SOURCE OUT]...\n");
    return 2;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string src = argv[i], out = argv[i + 1];
    std::string text;
    if (const IoError e = fncFile_readAll(src, text, kPuzzleSourceMax)) {
      std::fprintf(stderr, "%s: cannot be read (%s)\n", src.c_str(), e.text().c_str());
      return 1;
    }
    const PuzzleTextResult r = fncPuzzleText_parse(text);
    if (!r.ok()) {
      for (const TextIssue& issue : r.errors)
        std::fprintf(stderr, "%s:%s\n", src.c_str(), fncTextIssue_format(issue).c_str());
      return 1;
    }
    PuzzleState st;
    subPuzzleText_make(r.source, st, fncClockRandom());
    st.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
    std::string bytes;
    if (!fncPuzzle_encode(st, fncPuzzleKey_draw(), bytes) || fncFile_writeAtomic(out, bytes)) {
      std::fprintf(stderr, "%s: cannot be written\n", out.c_str());
      return 1;
    }
  }
  return 0;
}
