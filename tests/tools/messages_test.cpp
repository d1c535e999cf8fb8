#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "maker/puzzle_text.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

using namespace std::string_literals;

std::string quote(const std::string& s) { return "'" + s + "'"; }

class ToolMessages : public ::testing::Test {
 protected:
  void SetUp() override { put(sample()); }
  static PuzzleState sample() {
    PuzzleState st;
    st.G_sVersion = "Ver 1.1.0";
    subSamplePuzzle_set(st);
    return st;
  }
  void put(const PuzzleState& st) {
    ASSERT_TRUE(subFile_put(st, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
  }
  // Only the file's size matters: nothing of it is read.
  void sparse(const std::string& name, off_t size) {
    const int fd = ::open(dir.file(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
  }
  test::TempDir dir;
  std::string path = dir.file("p.bin");
};

TEST_F(ToolMessages, ARefusedPuzzleFileIsOnePlainLine) {
  test::writeFile(dir.file("short.bin"), test::readFile(path).substr(0, 812));
  test::writeFile(dir.file("foreign.bin"), std::string(3398, 'x'));
  std::filesystem::create_directory(dir.file("folder.bin"));
  ASSERT_EQ(::mkfifo(dir.file("fifo.bin").c_str(), 0644), 0);  // never opened for writing: must not wait
  sparse("huge.bin", 5'000'000'000);
  const std::pair<const char*, const char*> cases[] = {
      {"missing.bin", "no such file"},
      {"short.bin", "812 bytes, too short for a puzzle file (3,254 or 3,398 bytes)"},
      {"foreign.bin", "not a puzzle file (it must start with \"V\")"},
      {"folder.bin", "a folder, not a file"},
      {"fifo.bin", "a pipe, not a file"},
      {"huge.bin", "5,000,000,000 bytes, too large for a puzzle file (3,254 or 3,398 bytes)"},
  };
  for (const auto& [name, says] : cases) {
    const test::ToolRun r = test::runTool("info " + quote(dir.file(name)));
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "pakkon-tool: " + dir.file(name) + ": " + says + "\n");
  }
}

TEST_F(ToolMessages, WrongUsageNamesTheRangeAndHelpListsEveryOption) {
  const std::pair<std::string, const char*> cases[] = {
      {"render " + quote(path) + " --block 9 -o x.svg", "pakkon-tool render: --block takes 1 to 8 (not \"9\")\n"},
      {"render " + quote(path) + " --dy -801 -o x.svg", "pakkon-tool render: --dy takes -800 to 800 (not \"-801\")\n"},
      {"solve " + quote(path) + " --limit 0",
       "pakkon-tool solve: --limit takes 1 to 18446744073709551615 (not \"0\")\n"},
      {"autoload " + quote(path) + " --max-tests -1", "--max-tests takes 0 to 9223372036854775807 (not \"-1\")"},
      {"check " + quote(path) + " --time-limit 0", "--time-limit takes a number of seconds above 0"},
      {"frobnicate", "pakkon-tool: no command \"frobnicate\"\n"},
  };
  for (const auto& [args, says] : cases) {
    const test::ToolRun r = test::runTool(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
  }

  test::ToolRun r = test::runTool("--help");
  EXPECT_EQ(r.status, 0);
  for (const char* command : {"info", "resave", "render", "autoload", "make", "solve", "check"})
    EXPECT_NE(r.out.find("\n  " + std::string(command) + " "), std::string::npos) << command;
  r = test::runTool("render --help");
  EXPECT_EQ(r.status, 0);
  for (const char* option : {"FILE", "-o,--out", "--block N", "--dx DX", "--dy DY"})
    EXPECT_NE(r.out.find(option), std::string::npos) << option << r.out;
}

TEST_F(ToolMessages, MakeRefusesControlCharactersAndOversizedSources) {
  const std::string src = dir.file("s.txt"), out = dir.file("s.bin");
  // A NUL comes first in the source: what follows it is still reported.
  test::writeFile(src, "size: 2 x 2 x 2\ncomment: x\0y\x07z\npassword: ab\n\nAA\nAB\n\nAA\nBB\n"s);
  test::ToolRun r = test::runTool("make " + quote(src) + " " + quote(out));
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find(src + ":2:11: error: comment: control character U+0000 at column 11"), std::string::npos)
      << r.err;
  EXPECT_FALSE(std::filesystem::exists(out));

  sparse("big.txt", (1 << 20) + 1);
  r = test::runTool("make " + quote(dir.file("big.txt")) + " " + quote(out));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "pakkon-tool: " + dir.file("big.txt") +
                       ": 1,048,577 bytes, more than a puzzle source can be (1 MiB); nothing written\n");
  EXPECT_FALSE(std::filesystem::exists(out));
}

TEST_F(ToolMessages, CheckEscapesTheCommentAndWarnsOfContradictoryProgress) {
  const PuzzleTextResult made = fncPuzzleText_parse("size: 2 x 2 x 2\ncomment: x\npassword: ab\n\nAA\nAB\n\nAA\nBB\n");
  ASSERT_TRUE(made.ok());
  PuzzleState st;
  subPuzzleText_make(made.source, st, fncClockRandom());
  st.G_sVersion = "Ver 1.1.0";
  st.G_sComment = "ring\x07";
  st.G_iPieceUsed[1] = 1;  // marked loaded, yet not in the box
  st.G_iBox[3][0][0] = 1;  // outside the 2 x 2 x 2 box
  put(st);
  const test::ToolRun r = test::runTool("check " + quote(path));
  EXPECT_EQ(r.status, 0) << r.out;
  EXPECT_NE(r.out.find("comment \"ring\\x07\"\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("warning: the saved progress contradicts itself: block 2 is marked loaded but no box cell "
                       "holds it\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("warning: the saved progress contradicts itself: cell (3,0,0) is filled outside the "
                       "2 x 2 x 2 box\n"),
            std::string::npos);
  EXPECT_NE(r.out.find("\nok\n"), std::string::npos);
}

TEST_F(ToolMessages, OutputsNeverReplaceTheInputAndAFullStdoutFails) {
  const std::string before = test::readFile(path);
  for (const std::string& args :
       {"resave " + quote(path) + " " + quote(path), "render " + quote(path) + " -o " + quote(path),
        "autoload " + quote(path) + " --max-tests 1 --save " + quote(path)}) {
    const test::ToolRun r = test::runTool(args);
    EXPECT_EQ(r.status, 1) << args;
    EXPECT_NE(r.err.find(path + ": "), std::string::npos);
    EXPECT_NE(r.err.find(" is the input file; nothing written\n"), std::string::npos) << r.err;
  }
  EXPECT_EQ(test::readFile(path), before);

  // The tool's own output goes to /dev/full; the last command passes its status on.
  const std::string err = dir.file("err");
  const test::ToolRun r = test::runTool("info " + quote(path) + " >/dev/full 2>" + quote(err) + "; (exit $?)");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(test::readFile(err), "pakkon-tool: standard output: cannot write it (No space left on device)\n");
}

}  // namespace
}  // namespace pakkon
