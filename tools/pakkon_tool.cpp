// pakkon-tool: puzzle files from the command line, for puzzle authors.
// The one parser of every command line: it checks each option's value and
// names the range of a wrong one, so the commands only see sound arguments.

#include <CLI/CLI.hpp>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

#include "app/progress.h"
#include "commands.h"
#include "tool_io.h"
#include "version.h"

namespace pakkon::tool {
namespace {

// Thrown from a value check: CLI11 would put "NAME: " before a returned
// message, and "--block takes 1 to 8" reads better.
class ValueError : public CLI::ParseError {
 public:
  explicit ValueError(std::string message)
      : CLI::ParseError("ValueError", std::move(message), CLI::ExitCodes::ValidationError) {}
};

template <typename T>
CLI::Option* whole(CLI::Option* o, T lo, T hi, const std::string& range) {
  o->check(CLI::Validator(
      [name = o->get_name(), lo, hi, range](std::string& s) -> std::string {
        T v{};
        const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec != std::errc() || end != s.data() + s.size() || v < lo || v > hi)
          throw ValueError(name + " takes " + range + " (not \"" + printable(s) + "\")");
        return {};
      },
      ""));
  return o;
}

CLI::Option* seconds(CLI::Option* o) {
  o->check(CLI::Validator(
      [name = o->get_name()](std::string& s) -> std::string {
        char* end = nullptr;
        errno = 0;
        const double v = std::strtod(s.c_str(), &end);
        if (s.empty() || end != s.c_str() + s.size() || errno != 0 || !std::isfinite(v) || v <= 0)
          throw ValueError(name + " takes a number of seconds above 0 (not \"" + printable(s) + "\")");
        return {};
      },
      ""));
  return o;
}

// "4x4x4", "4 x 4 x 4" or "4×4×4", each side 2 to 4.
bool boxSize(const std::string& s, GenerateArgs& g) {
  int v[3], n = 0;
  size_t i = 0;
  auto blanks = [&] {
    while (i < s.size() && s[i] == ' ') ++i;
  };
  for (; n < 3; ++n) {
    blanks();
    if (i >= s.size() || s[i] < '2' || s[i] > '4') return false;
    v[n] = s[i++] - '0';
    blanks();
    if (n == 2) break;
    if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
      ++i;
    } else if (s.compare(i, 2, "\xC3\x97") == 0) {  // ×
      i += 2;
    } else {
      return false;
    }
  }
  if (i != s.size()) return false;
  g.sizeX = v[0], g.sizeY = v[1], g.sizeZ = v[2];
  return true;
}

// "3" or "3-5".
bool starRange(const std::string& s, GenerateArgs& g) {
  const bool one = s.size() == 1, range = s.size() == 3 && s[1] == '-';
  if (!one && !range) return false;
  const int lo = s[0] - '0', hi = s[s.size() - 1] - '0';
  if (lo < 1 || hi > 5 || lo > hi) return false;
  g.minStars = lo, g.maxStars = hi;
  return true;
}

struct Command {
  CLI::App* app;
  const char* usage;
  std::function<int()> run;
};

std::string versionText() {
  return std::to_string(build::kVersionMajor) + "." + std::to_string(build::kVersionMinor) + "." +
         std::to_string(build::kVersionRevision);
}

// CLI11 begins its messages with a capital; ours do not.
std::string lowerFirst(std::string s) {
  if (!s.empty() && s[0] >= 'A' && s[0] <= 'Z' && !(s.size() > 1 && s[1] >= 'A' && s[1] <= 'Z')) s[0] += 'a' - 'A';
  return s;
}

int run(int argc, char** argv) {
  CLI::App app("pakkon-tool " + versionText() + ": puzzle files of ぱっこん, for puzzle authors", "pakkon-tool");
  app.set_version_flag("--version", "pakkon-tool " + versionText());
  app.require_subcommand(1);
  app.footer(
      "Exit status: 0 done, 1 refused or failed, 2 wrong usage.\n"
      "\"pakkon-tool COMMAND --help\" lists the options of a command.");
  std::vector<Command> commands;
  auto add = [&](const char* name, const char* what) {
    CLI::App* c = app.add_subcommand(name, what);
    c->footer("Exit status: 0 done, 1 refused or failed, 2 wrong usage.");
    return c;
  };

  InfoArgs info;
  {
    CLI::App* c = add("info", "print every field of a puzzle file as JSON");
    c->add_option("FILE", info.file, "the puzzle file")->required()->type_name("");
    commands.push_back({c, "info FILE", [&] { return cmdInfo(info); }});
  }
  ResaveArgs resave;
  {
    CLI::App* c = add("resave", "read FILE and write it to OUT as the game saves");
    c->add_option("FILE", resave.file, "the puzzle file")->required()->type_name("");
    c->add_option("OUT", resave.out, "the file to write (not FILE itself)")->required()->type_name("");
    commands.push_back({c, "resave FILE OUT", [&] { return cmdResave(resave); }});
  }
  RenderArgs render;
  {
    CLI::App* c = add("render", "draw the box, or one block, as an SVG picture");
    c->add_option("FILE", render.file, "the puzzle file")->required()->type_name("");
    c->add_option("-o,--out", render.out, "the picture to write")->required()->type_name("OUT.svg");
    auto* block = whole(c->add_option("--block", render.block, "draw block N as it stands (1 to 8) instead of the box"),
                        1, kPieces, "1 to 8")
                      ->type_name("N");
    const std::string range = std::to_string(kViewMin) + " to " + std::to_string(kViewMax);
    auto* dx =
        whole(c->add_option("--dx", render.dx,
                            "viewing direction across (" + range + ", default " + std::to_string(kViewStart) + ")"),
              kViewMin, kViewMax, range)
            ->type_name("DX");
    auto* dy = whole(c->add_option(
                         "--dy", render.dy,
                         "viewing direction up and down (" + range + ", default " + std::to_string(kViewStart) + ")"),
                     kViewMin, kViewMax, range)
                   ->type_name("DY");
    auto* preview =
        whole(c->add_option("--preview", render.preview,
                            "over the box, where Load would put block N as it stands (1 to 8), as the window shows it"),
              1, kPieces, "1 to 8")
            ->type_name("N");
    // A block is always seen from the same direction.
    block->excludes(dx)->excludes(dy)->excludes(preview);
    commands.push_back(
        {c, "render FILE -o OUT.svg [--block N | --dx DX --dy DY --preview N]", [&] { return cmdRender(render); }});
  }
  AutoloadArgs autoload;
  {
    CLI::App* c = add("autoload", "run the game's automatic loader without a window");
    c->add_option("FILE", autoload.file, "the puzzle file")->required()->type_name("");
    c->add_flag("--dead-space", autoload.deadSpace,
                "as with \"Check Ded space\" ticked: refuse positions that seal off an empty cell");
    whole<int64_t>(c->add_option("--max-tests", autoload.maxTests,
                                 "stop after N placement tests (0 to " + std::to_string(INT64_MAX) + ")"),
                   0, INT64_MAX, "0 to " + std::to_string(INT64_MAX))
        ->type_name("N");
    c->add_option("--save", autoload.save, "write the state the run left to OUT (not FILE itself)")->type_name("OUT");
    commands.push_back(
        {c, "autoload FILE [--dead-space] [--max-tests N] [--save OUT]", [&] { return cmdAutoload(autoload); }});
  }
  PlayArgs play;
  {
    CLI::App* c = add("play", "apply play actions to a puzzle, as the window's buttons do");
    c->add_option("FILE", play.file, "the puzzle file")->required()->type_name("");
    auto* actions =
        c->add_option("ACTIONS", play.actions,
                      "actions separated by ';' or line ends: sel N, tz, tx, ty, x+, x-, y+, y-, z+, z-, org, bottom, "
                      "reset, shuffle, load, cancel, unload N, clear, box-tz, box-tx, box-ty, box-org, undo, redo, "
                      "hint, giveup PASSWORD, autoload, stop, init, automove on|off, open PATH, save PATH, "
                      "preview on|off, finish on|off, language ja|en, "
                      "saveas PATH | COMMENT [| PASSWORD], maker X Y Z, cell X Y Z, maker end; "
                      "- reads them from standard input")
            ->type_name("");
    auto* script = c->add_option("--file", play.script,
                                 "read the actions from SCRIPT (- for standard input), at most " +
                                     std::to_string(kPlayScriptMax >> 20) + " MiB")
                       ->type_name("SCRIPT");
    actions->excludes(script);
    c->callback([actions, script] {
      if (actions->count() + script->count() == 0)
        throw ValueError("the actions are missing: give ACTIONS, - for standard input, or --file SCRIPT");
    });
    c->add_flag("--dead-space", play.deadSpace, "as with \"Check Ded space\" ticked");
    c->add_option(
         "--progress", play.progress,
         "record a completion in DIR's " + std::string(kProgressFileName) + ", as the game does in its data folder")
        ->type_name("DIR");
    c->add_option("--save", play.save, "write the result to OUT as the overwrite save does (not FILE itself)")
        ->type_name("OUT");
    commands.push_back({c, "play FILE (ACTIONS | - | --file SCRIPT) [--dead-space] [--progress DIR] [--save OUT]",
                        [&] { return cmdPlay(play); }});
  }
  MakeArgs make;
  {
    CLI::App* c = add("make", "make a puzzle file from a text source (docs/puzzle-format.md)");
    c->add_option("SRC", make.source, "the text source, UTF-8, at most 1 MiB")->required()->type_name("SRC.txt");
    c->add_option("OUT", make.out, "the puzzle file to write")->required()->type_name("OUT.bin");
    commands.push_back({c, "make SRC.txt OUT.bin", [&] { return cmdMake(make); }});
  }
  SolveArgs solve;
  {
    CLI::App* c = add("solve", "count the solutions and show one");
    c->add_option("FILE", solve.file, "the puzzle file")->required()->type_name("");
    c->add_flag("--first", solve.options.firstOnly, "stop at the first solution");
    whole<uint64_t>(c->add_option("--limit", solve.options.limit,
                                  "stop once N fixed solutions are counted (1 to " + std::to_string(UINT64_MAX) + ")"),
                    1, UINT64_MAX, "1 to " + std::to_string(UINT64_MAX))
        ->type_name("N");
    c->add_flag("--distinct", solve.options.distinct, "also count solutions up to the box's rotations");
    seconds(c->add_option("--time-limit", solve.options.timeLimit, "stop after S seconds (above 0)"))->type_name("S");
    c->add_flag("--json", solve.json, "print the result as JSON");
    commands.push_back({c, "solve FILE [--first] [--limit N] [--distinct] [--time-limit S] [--json]",
                        [&] { return cmdSolve(solve); }});
  }
  CheckArgs check;
  {
    CLI::App* c = add("check", "check a puzzle file and count its solutions");
    c->add_option("FILE", check.file, "the puzzle file")->required()->type_name("");
    seconds(c->add_option("--time-limit", check.timeLimit, "stop the count after S seconds (above 0)"))->type_name("S");
    c->add_flag("--json", check.json, "print the result as JSON");
    commands.push_back({c, "check FILE [--time-limit S] [--json]", [&] { return cmdCheck(check); }});
  }
  HintArgs hint;
  {
    CLI::App* c = add("hint", "can the progress saved in FILE be finished: the next block, or blocks to take out");
    c->add_option("FILE", hint.file, "the puzzle file")->required()->type_name("");
    c->add_flag("--json", hint.json, "print the answer as one JSON object");
    commands.push_back({c, "hint FILE [--json]", [&] { return cmdHint(hint); }});
  }

  GenerateArgs generate;
  {
    CLI::App* c = add("generate", "make new puzzles whose packing is unique, from a random dissection of the box");
    c->add_option("--size", generate.sizeX, "the box, X x Y x Z, each side 2 to 4 (as 4x4x4)")
        ->required()
        ->type_name("XxYxZ")
        ->transform(CLI::Validator(
            [&generate](std::string& s) -> std::string {
              if (!boxSize(s, generate))
                throw ValueError("--size takes XxYxZ, each side 2 to 4 (not \"" + printable(s) + "\")");
              s = std::to_string(generate.sizeX);
              return {};
            },
            ""));
    whole(c->add_option("--blocks", generate.blocks, "blocks, 2 to 8"), 2, kPieces, "2 to 8")
        ->required()
        ->type_name("N");
    whole(
        c->add_option("--min-cells", generate.minCells, "smallest block, 1 to 64 cells (default: 5/8 of the average)"),
        1, 64, "1 to 64")
        ->type_name("A");
    whole(
        c->add_option("--max-cells", generate.maxCells, "largest block, 1 to 64 cells (default: 11/8 of the average)"),
        1, 64, "1 to 64")
        ->type_name("B");
    c->add_option("--stars", generate.minStars, "the difficulty asked for, as 3 or 3-5 (1 to 5; default any)")
        ->type_name("S[-T]")
        ->transform(CLI::Validator(
            [&generate](std::string& s) -> std::string {
              if (!starRange(s, generate))
                throw ValueError("--stars takes 1 to 5, or a range like 3-5 (not \"" + printable(s) + "\")");
              s = std::to_string(generate.minStars);
              return {};
            },
            ""));
    c->add_flag("--identical", generate.identical, "allow blocks of the same shape");
    const std::string seeds = "0 to " + std::to_string(UINT64_MAX);
    auto* seed = whole<uint64_t>(
                     c->add_option("--seed", generate.seed, "the first seed, " + seeds + " (default: from the clock)"),
                     0, UINT64_MAX, seeds)
                     ->type_name("S");
    whole(c->add_option("--count", generate.count, "puzzles to make, 1 to 1000; OUT is then a folder"), 1, 1000,
          "1 to 1000")
        ->type_name("K");
    const std::string tries = "1 to " + std::to_string(INT32_MAX);
    whole(c->add_option("--tries", generate.tries,
                        "dissections and changes to look at per puzzle, " + tries + " (default 20000)"),
          1, INT32_MAX, tries)
        ->type_name("N");
    seconds(c->add_option("--time-limit", generate.timeLimit,
                          "give up a puzzle's search after S seconds (above 0; default 180)"))
        ->type_name("S");
    c->add_option("-o,--out", generate.out, "the puzzle file to write, or a folder")->required()->type_name("OUT");
    c->add_flag("--source", generate.source, "also write each puzzle's text source, as NAME.txt beside NAME.bin");
    c->add_flag("--force", generate.force, "replace files that are already there (refused otherwise)");
    commands.push_back(
        {c,
         "generate --size XxYxZ --blocks N [--min-cells A] [--max-cells B] [--stars S[-T]] [--identical] "
         "[--seed S] [--count K] [--tries N] [--time-limit S] [--source] [--force] -o OUT",
         [&, seed] {
           generate.seeded = seed->count() > 0;
           return cmdGenerate(generate);
         }});
  }

  if (argc < 2) {
    say(stderr, app.help());
    return 2;
  }
  if (argc == 2 && std::strcmp(argv[1], "help") == 0) {
    say(stdout, app.help());
    return 0;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success)) return app.exit(e);  // --help, --version
    const std::vector<CLI::App*> chosen = app.get_subcommands();
    std::string where = "pakkon-tool", usage = "pakkon-tool COMMAND ...; pakkon-tool --help lists the commands";
    std::string message = lowerFirst(e.what());
    if (!chosen.empty()) {
      where += " " + chosen.front()->get_name();
      for (const Command& c : commands)
        if (c.app == chosen.front()) usage = std::string("pakkon-tool ") + c.usage + "; --help for more";
    } else {
      message = "no command \"" + printable(argv[1]) + "\"";
    }
    say(stderr, where + ": " + message + "\nusage: " + usage + "\n");
    return 2;
  }
  for (const Command& c : commands)
    if (c.app->parsed()) return c.run();
  return 2;
}

}  // namespace
}  // namespace pakkon::tool

int main(int argc, char** argv) {
  using pakkon::tool::complain;
  int status = 1;
  try {
    status = pakkon::tool::run(argc, argv);
  } catch (const std::bad_alloc&) {
    complain("out of memory");
    return 1;
  } catch (const std::exception& e) {
    complain(std::string("stopped: ") + e.what());
    return 1;
  }
  // A report that did not reach its reader is a failure too (a full disk, /dev/full).
  errno = 0;
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    const int err = pakkon::tool::stdoutError() != 0 ? pakkon::tool::stdoutError() : errno;
    complain("standard output: cannot write it (" + std::string(err ? std::strerror(err) : "write error") + ")");
    return status == 0 ? 1 : status;
  }
  return status;
}
