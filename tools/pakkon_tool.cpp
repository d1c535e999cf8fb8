// pakkon-tool: puzzle files from the command line, for puzzle authors.

#include <cstdio>
#include <cstring>
#include <string>

#include "app/startup.h"
#include "commands.h"
#include "version.h"

namespace pakkon::tool {

int usage(const char* text) {
  std::fprintf(stderr, "usage: pakkon-tool %s\n", text);
  return 2;
}

bool readPuzzle(const std::string& path, PuzzleState& st) {
  const PuzzleReadResult r = fncPuzzle_read(path, st);
  switch (r.status) {
    case PuzzleReadStatus::Ok: st.G_sPzVersion = r.version; return true;
    case PuzzleReadStatus::NgVersion:
      std::fprintf(stderr, "pakkon-tool: %s: not a puzzle file (it does not begin with \"V\")\n", path.c_str());
      return false;
    case PuzzleReadStatus::Error: break;
  }
  std::fprintf(stderr, "pakkon-tool: %s: Line %d:%s (error %d)\n", path.c_str(), r.step, r.error.description.c_str(),
               r.error.number);
  return false;
}

bool writePuzzle(PuzzleState& st, const std::string& path) {
  st.G_sVersion = fncVersion_text(build::kVersionMajor, build::kVersionMinor, build::kVersionRevision);
  return subFile_put(st, path, [&](const std::string& message, const std::string& where) {
    std::fprintf(stderr, "pakkon-tool: %s: %s (%s)\n", path.c_str(), message.c_str(), where.c_str());
  });
}

}  // namespace pakkon::tool

namespace {

struct Command {
  const char* name;
  int (*run)(const pakkon::tool::Args&);
  const char* help;
};

const Command kCommands[] = {
    {"info", pakkon::tool::cmdInfo, "info FILE                 print every field of a puzzle file as JSON"},
    {"resave", pakkon::tool::cmdResave, "resave FILE OUT           read FILE and write it to OUT as the game saves"},
    {"render", pakkon::tool::cmdRender,
     "render FILE [--block N] [--dx DX --dy DY] -o OUT.svg  draw the box or block N as SVG"},
    {"autoload", pakkon::tool::cmdAutoload,
     "autoload FILE [--dead-space] [--max-tests N] [--save OUT]  run the auto loader without a window"},
    {"make", pakkon::tool::cmdMake, "make SRC.txt OUT.bin      make a puzzle file from a text source"},
    {"solve", pakkon::tool::cmdSolve,
     "solve FILE [--first] [--limit N] [--distinct] [--time-limit S] [--json]  count solutions, show one"},
    {"check", pakkon::tool::cmdCheck, "check FILE [--time-limit S]  validate a puzzle file; count its solutions"},
};

int help(FILE* out) {
  std::fprintf(out, "pakkon-tool %d.%d.%d: puzzle files of ぱっこん\n\ncommands:\n", pakkon::build::kVersionMajor,
               pakkon::build::kVersionMinor, pakkon::build::kVersionRevision);
  for (const Command& c : kCommands) std::fprintf(out, "  %s\n", c.help);
  return out == stdout ? 0 : 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) return help(stderr);
  const std::string name = argv[1];
  if (name == "-h" || name == "--help" || name == "help") return help(stdout);
  for (const Command& c : kCommands)
    if (name == c.name) return c.run(pakkon::tool::Args(argv + 2, argv + argc));
  std::fprintf(stderr, "pakkon-tool: unknown command \"%s\"\n", name.c_str());
  return help(stderr);
}
