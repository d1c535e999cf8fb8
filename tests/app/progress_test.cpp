// The progress file and the puzzle list: records that survive renames and
// interrupted saves, and a list that names what it cannot read and never
// writes.

#include "app/progress.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "app/puzzle_list.h"
#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

PuzzleState shipped(const char* name) {
  const PuzzleTextResult r =
      fncPuzzleText_parse(test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/puzzles/" + name));
  PuzzleState st;
  subPuzzleText_make(r.source, st, fncSeededRandom(7));
  st.G_sVersion = " Ver 1.1.0";
  return st;
}

std::string fileImage(const PuzzleState& st) {
  std::string bytes;
  PuzzleKey key{};
  key.fill(100);
  EXPECT_TRUE(fncPuzzle_encode(st, key, bytes));
  return bytes;
}

TEST(Progress, TheKeyNamesThePuzzleWhateverItsFileOrPlay) {
  const PuzzleState brick = shipped("05-brick.txt");
  PuzzleState played = brick;
  subPieces_shuffle(played, fncSeededRandom(99));  // blocks turned as in play
  std::swap(played.G_iPieceOrg[0], played.G_iPieceOrg[1]);
  EXPECT_EQ(fncPuzzle_key(played), fncPuzzle_key(brick));
  EXPECT_EQ(fncPuzzle_key(brick).size(), 16u);
  EXPECT_NE(fncPuzzle_key(shipped("04-pillar.txt")), fncPuzzle_key(brick));
}

TEST(Progress, SolvesAndGiveUpsAreKeptAndReadBack) {
  test::TempDir dir;
  const std::string path = dir.file(kProgressFileName);
  ProgressBook book;
  EXPECT_EQ(book.load(path), ProgressLoad::Missing);
  book.recordSolve("k1", "a.bin", 95.04, 40, 2, false, "2026/01/02 03:04:05");
  book.recordSolve("k1", "a.bin", 120, 31, 0, false, "2026/01/03 03:04:05");
  book.recordGiveUp("k2", "b.bin");
  book.recordSolve("k2", "b.bin", 10, 5, 0, true, "2026/01/04 03:04:05");
  book.entry("k3").password = "Pw3";
  ASSERT_FALSE(book.save(path));

  ProgressBook back;
  ASSERT_EQ(back.load(path), ProgressLoad::Ok);
  const PuzzleProgress* a = back.find("k1");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->solved, 2);
  EXPECT_DOUBLE_EQ(a->bestSeconds, 95.04);  // best time and fewest actions from different solves
  EXPECT_EQ(a->fewestActions, 31);
  EXPECT_EQ(a->fewestHints, 0);
  EXPECT_EQ(a->lastSolved, "2026/01/03 03:04:05");
  const PuzzleProgress* b = back.find("k2");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->solved, 0);
  EXPECT_EQ(b->solvedAfterGivingUp, 1);
  EXPECT_EQ(b->gaveUp, 1);
  EXPECT_EQ(b->bestSeconds, 0);
  EXPECT_EQ(back.find("k3")->password, "Pw3");
  EXPECT_EQ(back.text(), book.text());
  EXPECT_EQ(fncSeconds_text(95), "1:35");
  EXPECT_EQ(fncSeconds_text(3725), "1:02:05");
}

TEST(Progress, AnInterruptedSaveLeavesTheOldFileAndADamagedOneIsKeptAside) {
  test::TempDir dir;
  const std::string path = dir.file(kProgressFileName);
  ProgressBook book;
  book.recordGiveUp("k1", "a.bin");
  ASSERT_FALSE(book.save(path));
  const std::string saved = test::readFile(path);
  book.recordGiveUp("k1", "a.bin");
  for (const WriteFaults f : {WriteFaults{0, false, false}, WriteFaults{-1, false, true}}) {
    EXPECT_TRUE(book.save(path, &f));
    EXPECT_EQ(test::readFile(path), saved);
  }
  size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u);  // no temporary file left behind

  test::writeFile(path, "{\"format\": \"pakkon-progress 1\", \"puzzles\": {");
  ProgressBook damaged;
  EXPECT_EQ(damaged.load(path), ProgressLoad::Damaged);
  damaged.recordGiveUp("k9", "z.bin");
  ASSERT_FALSE(damaged.save(path));
  EXPECT_EQ(damaged.setAside(), path + ".damaged");
  EXPECT_EQ(test::readFile(path + ".damaged"), "{\"format\": \"pakkon-progress 1\", \"puzzles\": {");
  ProgressBook fresh;
  ASSERT_EQ(fresh.load(path), ProgressLoad::Ok);
  EXPECT_NE(fresh.find("k9"), nullptr);

  // Something that is not a plain file is never replaced.
  const std::string fifo = dir.file("fifo.json");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ProgressBook odd;
  EXPECT_EQ(odd.load(fifo), ProgressLoad::Unreadable);
  EXPECT_TRUE(odd.save(fifo));
  struct stat info {};
  ASSERT_EQ(::stat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

// What the player reads when the book cannot be had: one plain reason, and
// a generated puzzle's password that nothing else keeps.
TEST(Progress, AnUnreadableOrUnwritableBookIsSaidInOnePlainReason) {
  test::TempDir dir;
  const std::string path = dir.file(kProgressFileName);
  FileStorage files;
  ProgressBook book;
  book.load(path);
  EXPECT_EQ(fncProgress_readProblem(book), "");
  EXPECT_EQ(fncPuzzleList_read(files, dir.path(), book).progressProblem, "");

  for (const bool folder : {false, true}) {
    std::filesystem::remove_all(path);
    folder ? (void)std::filesystem::create_directory(path) : (void)::mkfifo(path.c_str(), 0600);
    ASSERT_EQ(book.load(path), ProgressLoad::Unreadable);
    EXPECT_EQ(fncPuzzleList_read(files, dir.path(), book).progressProblem,
              "進行状況のファイル「Progress.json」を読めません（通常のファイルではありません）。"
              "完成の印や最短時間は表示されません。");
  }
  book.entry("k").password = "Pw1";
  EXPECT_EQ(
      fncProgress_notSaved(book, book.save(path), "Pw1"),
      "進行状況のファイル「Progress.json」を読めないため（通常のファイルではありません）、上書きせずに残しました。"
      "今回の記録は残りません。\r\nこのパズルの解答パスワードは「Pw1」です。降参するときのために控えておいてください"
      "。");

  const std::string nowhere = dir.file("missing/") + kProgressFileName;
  book.load(nowhere);
  EXPECT_EQ(fncProgress_notSaved(book, book.save(nowhere)), "進行状況を記録できませんでした（フォルダがありません）。");
}

TEST(PuzzleList, ListsEveryPuzzleFileWithItsRecordAndWhyOthersCannotBePlayed) {
  test::TempDir dir;
  const PuzzleState brick = shipped("05-brick.txt");
  test::writeFile(dir.file("b-brick.bin"), fileImage(brick));
  test::writeFile(dir.file("a-copy.BIN"), fileImage(brick));  // a copy under another name
  test::writeFile(dir.file("c-pillar.bin"), fileImage(shipped("04-pillar.txt")));
  std::string damaged = fileImage(brick);
  damaged[2142] = 7;  // a box cell of 7
  test::writeFile(dir.file("d-damaged.bin"), damaged);
  test::writeFile(dir.file("e-short.bin"), "Ver 1.1.0");
  test::writeFile(dir.file("f-other.bin"), "PK\x03\x04");
  test::writeFile(dir.file("notes.txt"), "not a puzzle");
  ASSERT_EQ(::mkfifo(dir.file("g-fifo.bin").c_str(), 0600), 0);
  std::filesystem::create_directory(dir.file("h-folder.bin"));
  struct stat before {};
  ASSERT_EQ(::stat(dir.file("d-damaged.bin").c_str(), &before), 0);

  FileStorage files;
  ProgressBook book;
  book.recordSolve(fncPuzzle_key(brick), "b-brick.bin", 61, 20, 0, false, "2026/01/01 00:00:00");
  const PuzzleList list = fncPuzzleList_read(files, dir.path(), book, {{fncPuzzle_key(brick), 2}});
  ASSERT_EQ(list.rows.size(), 8u);
  EXPECT_EQ(list.rows[0].name, "a-copy.BIN");
  EXPECT_EQ(list.rows[0].progress.solved, 1);  // the record follows the puzzle
  EXPECT_EQ(list.rows[0].stars, 2);
  EXPECT_EQ(list.rows[0].comment, "れんがの箱");
  EXPECT_EQ((std::make_tuple(list.rows[0].sizeX, list.rows[0].sizeY, list.rows[0].sizeZ, list.rows[0].blocks)),
            std::make_tuple(2, 3, 4, 5));
  EXPECT_TRUE(list.rows[2].readable());
  EXPECT_EQ(list.rows[2].progress.solved, 0);
  EXPECT_EQ(list.rows[3].problem, "壊れています（190）");
  EXPECT_EQ(list.rows[4].problem, "パズル・ファイルにしては短すぎます");
  EXPECT_EQ(list.rows[5].problem, "バージョンが特定できませんでした。");
  EXPECT_EQ(list.rows[6].problem, "通常のファイルではありません");
  EXPECT_EQ(list.rows[7].problem, "通常のファイルではありません");

  // Reading changed nothing.
  struct stat after {};
  ASSERT_EQ(::stat(dir.file("d-damaged.bin").c_str(), &after), 0);
  EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
  EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
  EXPECT_EQ(test::readFile(dir.file("d-damaged.bin")), damaged);
  EXPECT_FALSE(fncFile_exists(dir.file(kProgressFileName)));

  // The next unsolved puzzle goes round and skips what cannot be played.
  EXPECT_EQ(fncPuzzleList_nextUnsolved(list, dir.file("a-copy.BIN")), 2);
  EXPECT_EQ(fncPuzzleList_nextUnsolved(list, dir.file("c-pillar.bin")), -1);
  EXPECT_EQ(fncPuzzleList_nextUnsolved(list, ""), 2);
  EXPECT_FALSE(fncPuzzleList_read(files, dir.file("missing"), book).problem.empty());
}

}  // namespace
}  // namespace pakkon
