// pakkon-tool generate and the difficulty line of check.

#include <gtest/gtest.h>

#include "platform/files.h"
#include "support/run_tool.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

std::string quote(const std::string& s) { return "'" + s + "'"; }

TEST(GenerateTool, WritesAPuzzlePerSeedThatCheckFindsUniqueAndRates) {
  test::TempDir dir;
  const std::string one = dir.file("one.bin");
  test::ToolRun r = test::runTool("generate --size 3x3x3 --blocks 6 --stars 2-4 --seed 11 --source -o " + quote(one));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind(one + ": seed 11, 3 x 3 x 3, 6 blocks of ", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("difficulty 3 stars ★★★☆☆"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("source " + dir.file("one.txt")), std::string::npos);
  const std::string first = test::readFile(one);

  // The source makes the same puzzle, and the same seed the same file.
  r = test::runTool("make " + quote(dir.file("one.txt")) + " " + quote(dir.file("made.bin")));
  EXPECT_EQ(r.status, 0) << r.err;
  // A file that is there is replaced only when asked.
  test::writeFile(one, "mine");
  r = test::runTool("generate --size '3 x 3 x 3' --blocks 6 --stars 2-4 --seed 11 -o " + quote(one));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "pakkon-tool: " + one + ": already there; --force replaces it; nothing written\n");
  EXPECT_EQ(test::readFile(one), "mine");
  r = test::runTool("generate --size '3 x 3 x 3' --blocks 6 --stars 2-4 --seed 11 --force -o " + quote(one));
  EXPECT_EQ(test::readFile(one), first);

  r = test::runTool("check " + quote(one));
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("unique up to rotation: yes\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\ndifficulty: 3 stars ★★★☆☆ (score "), std::string::npos) << r.out;
  r = test::runTool("check --json " + quote(dir.file("made.bin")));
  EXPECT_NE(r.out.find("\"stars\": 3,"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\"unique\": true"), std::string::npos) << r.out;

  r = test::runTool("generate --size 2x2x3 --blocks 3 --count 3 --seed 5 -o " + quote(dir.file("many")));
  ASSERT_EQ(r.status, 0) << r.err;
  for (const char* name : {"generated-2x2x3-3-5.bin", "generated-2x2x3-3-6.bin", "generated-2x2x3-3-7.bin"})
    EXPECT_EQ(test::runTool("check " + quote(dir.file(std::string("many/") + name))).status, 0) << name;
}

TEST(GenerateTool, RefusesWhatCannotBeMade) {
  test::TempDir dir;
  const std::string out = " -o " + quote(dir.file("x.bin"));
  test::ToolRun r = test::runTool("generate --size 5x3x3 --blocks 6" + out);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--size takes XxYxZ, each side 2 to 4 (not \"5x3x3\")"), std::string::npos) << r.err;
  EXPECT_EQ(test::runTool("generate --size 3x3x3 --blocks 9" + out).status, 2);
  EXPECT_EQ(test::runTool("generate --size 3x3x3 --blocks 6 --stars 4-2" + out).status, 2);
  r = test::runTool("generate --size 3x3x3 --blocks 6 --tries 0" + out);
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find("--tries takes 1 to 2147483647 (not \"0\")"), std::string::npos) << r.err;
  // What can never succeed is refused at once, in English, before any try.
  r = test::runTool("generate --size 2x2x2 --blocks 3 --tries 2147483647 --time-limit 1e9" + out);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "pakkon-tool: generate: any 3 blocks of 2 to 4 cells that fill the 8 cells of the box include two of the "
            "same shape; nothing written\n");
  r = test::runTool("generate --size 2x2x3 --blocks 3 --stars 5 --tries 1000000 --time-limit 0.05 --seed 3" + out);
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("no unique puzzle of 5 stars in "), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(" tries and the time limit of 0.05 seconds (seed 3)"), std::string::npos) << r.err;
  EXPECT_FALSE(fncFile_exists(dir.file("x.bin")));
}

}  // namespace
}  // namespace pakkon
