#include "model/puzzle_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "model/builtin.h"
#include "platform/cp932.h"
#include "support/state_compare.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

using test::busyState;
using test::firstDifference;

PuzzleKey fixedKey() {
  PuzzleKey k{};
  for (size_t i = 0; i < k.size(); ++i) k[i] = static_cast<uint8_t>(64 + 7 * i);
  return k;
}

std::string encode(const PuzzleState& st, const PuzzleKey& key = fixedKey()) {
  std::string bytes;
  EXPECT_TRUE(fncPuzzle_encode(st, key, bytes));
  return bytes;
}

int16_t i16At(const std::string& b, size_t off) {
  return static_cast<int16_t>(static_cast<uint8_t>(b[off]) | static_cast<uint8_t>(b[off + 1]) << 8);
}

int32_t i32At(const std::string& b, size_t off) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<uint8_t>(b[off + static_cast<size_t>(i)]);
  return static_cast<int32_t>(u);
}

struct Reports {
  std::vector<std::pair<std::string, std::string>> lines;
  ErrorReport sink() {
    return [this](const std::string& m, const std::string& w) { lines.emplace_back(m, w); };
  }
};

TEST(PuzzleFileLayout, FieldsSitAtTheirOffsets) {
  PuzzleState st = busyState();
  const std::string b = encode(st);
  ASSERT_EQ(b.size(), kPuzzleFileSize);
  EXPECT_EQ(b.substr(0, 16), "Ver 1.1.0       ");
  EXPECT_EQ(std::memcmp(b.data() + 16, fixedKey().data(), 16), 0);
  // Blocks: block index fastest, then x, y, z.
  EXPECT_EQ(i16At(b, 48 + 2 * (0 + 8 * (0 + 4 * (0 + 4 * 0)))), st.G_iPieceOrg[0][0][0][0]);
  EXPECT_EQ(i16At(b, 48 + 2 * (1 + 8 * (1 + 4 * (0 + 4 * 2)))), 1);  // block 2 has (1,0,2)
  EXPECT_EQ(i16At(b, 1072 + 2 * (0 + 8 * (3 + 4 * (3 + 4 * 3)))), 1);
  EXPECT_EQ(b.substr(2096, 40), fncCp932_encode("４×４×３の練習") + std::string(40 - 16, ' '));
  EXPECT_EQ(i16At(b, 2136), 4);
  EXPECT_EQ(i16At(b, 2138), 4);
  EXPECT_EQ(i16At(b, 2140), 3);
  EXPECT_EQ(i16At(b, 2142 + 2 * (1 + 4 * (2 + 4 * 0))), 1);  // x fastest
  EXPECT_EQ(i16At(b, 2142 + 2 * (0 + 4 * (0 + 4 * 1))), 2);
  EXPECT_EQ(i16At(b, 2270 + 2 * (3 + 4 * (3 + 4 * 3))), 5);
  EXPECT_EQ(i32At(b, 2398 + 4 * (1 + 4 * (2 + 4 * 0))), 0x00FF00FF);           // shade 0
  EXPECT_EQ(i32At(b, 2398 + 4 * (64 * 2 + 1 + 4 * (2 + 4 * 0))), 0x00800080);  // shade 2
  EXPECT_EQ(i16At(b, 3166), 48);
  EXPECT_EQ(i16At(b, 3168), 2);
  EXPECT_EQ(i16At(b, 3170 + 2 * 7), 1);
  EXPECT_EQ(i32At(b, 3186), 21345678);
  EXPECT_EQ(i16At(b, 3190 + 2 * 7), -1);
  EXPECT_EQ(i16At(b, 3206 + 6 * 2), 3);      // iNo of block 3
  EXPECT_EQ(i16At(b, 3206 + 6 * 2 + 2), 5);  // iFace_ct
  EXPECT_EQ(i16At(b, 3206 + 6 * 2 + 4), 2);  // iTurn_CtZ
  EXPECT_EQ(b.substr(3270), std::string(128, ' '));
}

TEST(PuzzleFileLayout, ReadingGivesBackEveryFieldWritten) {
  const PuzzleState written = busyState();
  PuzzleState read;
  const PuzzleReadResult r = fncPuzzle_decode(encode(written), read);
  ASSERT_EQ(r.status, PuzzleReadStatus::Ok);
  EXPECT_EQ(r.version, "Ver 1.1.0");
  PuzzleState expected = written;
  expected.G_sVersion.clear();  // not stored; the header comes back as the result
  expected.G_lColor[0][0] = 0;
  std::memset(expected.G_lColor, 0, sizeof expected.G_lColor);
  std::memset(expected.G_iBoxWork, 0, sizeof expected.G_iBoxWork);
  EXPECT_EQ(firstDifference(read, expected), "");
  EXPECT_EQ(read.G_iMaxX, 3);
  EXPECT_EQ(read.G_iMaxZ, 2);
}

TEST(PuzzleFileLayout, TwoSavesDifferOnlyInKeyPasswordAndScrambledReserve) {
  test::TempDir dir;
  const PuzzleState st = busyState();
  Reports reports;
  ASSERT_TRUE(subFile_put(st, dir.file("a.bin"), reports.sink()));
  const PuzzleKey other = [] {
    PuzzleKey k = fixedKey();
    for (auto& v : k) v = static_cast<uint8_t>(v ^ 1);
    return k;
  }();
  PutOptions opt;
  opt.key = &other;
  ASSERT_TRUE(subFile_put(st, dir.file("b.bin"), reports.sink(), opt));
  const std::string a = test::readFile(dir.file("a.bin")), b = test::readFile(dir.file("b.bin"));
  ASSERT_EQ(a.size(), kPuzzleFileSize);
  ASSERT_EQ(b.size(), kPuzzleFileSize);
  for (size_t i = 0; i < a.size(); ++i) {
    const bool mayDiffer = (i >= 16 && i < 48) || (i >= 3254 && i < 3270);
    if (!mayDiffer) {
      EXPECT_EQ(a[i], b[i]) << "byte " << i;
    }
  }
  EXPECT_NE(a.substr(16, 16), b.substr(16, 16));
  EXPECT_TRUE(reports.lines.empty());
}

TEST(PuzzleFileLayout, KeyBytesStayWithin64To191OverManySaves) {
  test::TempDir dir;
  const PuzzleState st = busyState();
  Reports reports;
  int lowest = 255, highest = 0;
  for (int save = 0; save < 60; ++save) {
    ASSERT_TRUE(subFile_put(st, dir.file("k.bin"), reports.sink()));
    const std::string bytes = test::readFile(dir.file("k.bin"));
    for (size_t i = 16; i < 32; ++i) {
      lowest = std::min(lowest, int(uint8_t(bytes[i])));
      highest = std::max(highest, int(uint8_t(bytes[i])));
    }
  }
  EXPECT_GE(lowest, 64);
  EXPECT_LE(highest, 191);
  EXPECT_LT(lowest, 80);  // and the whole range is used
  EXPECT_GT(highest, 175);
}

TEST(PuzzlePassword, ScramblesByPositionWithTheKey) {
  PuzzleState st = busyState();
  const PuzzleKey key = fixedKey();
  st.G_sAnswerPW = "ab";
  std::string b = encode(st, key);
  EXPECT_EQ(static_cast<uint8_t>(b[32]), 225 ^ key[0]);
  EXPECT_EQ(static_cast<uint8_t>(b[33]), 227 ^ key[1]);
  EXPECT_EQ(static_cast<uint8_t>(b[47]), 175 ^ key[15]);  // a blank in position 16

  st.G_sAnswerPW = "";
  b = encode(st, key);
  for (size_t i = 0; i < 16; ++i) EXPECT_EQ(static_cast<uint8_t>(b[32 + i]), (32 + 127 + i + 1) ^ key[i]);
  PuzzleState read;
  ASSERT_EQ(fncPuzzle_decode(b, read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sAnswerPW, "");

  st.G_sAnswerPW = "  Abc 9  ";  // trimmed on the way in, inner blank kept
  ASSERT_EQ(fncPuzzle_decode(encode(st, key), read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sAnswerPW, "Abc 9");
}

TEST(PuzzlePassword, OnlyCharactersThatFitTheirPositionCanBeStored) {
  EXPECT_TRUE(fncPassword_encodable("zzzzzz"));  // z fits up to position 6
  EXPECT_FALSE(fncPassword_encodable("zzzzzzz"));
  EXPECT_TRUE(fncPassword_encodable("pppppppppppppppp"));
  EXPECT_TRUE(fncPassword_encodable("abcdefghw"));  // w fits up to position 9
  EXPECT_FALSE(fncPassword_encodable("abcdefghiw"));
  std::string bad;
  EXPECT_FALSE(fncPassword_encodable("ぱ12345678yxy", &bad));
  EXPECT_EQ(bad, "ぱyx");
  EXPECT_TRUE(
      fncPassword_encodable("abcdefghijklmnop"
                            "zzzz"));  // cut at 16 characters
}

TEST(PuzzlePassword, AnUnstorablePasswordFailsTheSaveAndKeepsTheOldFile) {
  test::TempDir dir;
  const std::string path = dir.file("p.bin");
  Reports reports;
  PuzzleState st = busyState();
  ASSERT_TRUE(subFile_put(st, path, reports.sink()));
  const std::string before = test::readFile(path);
  st.G_sAnswerPW = "abcdefz";
  EXPECT_FALSE(subFile_put(st, path, reports.sink()));
  EXPECT_EQ(test::readFile(path), before);
  ASSERT_EQ(reports.lines.size(), 1u);
  EXPECT_EQ(reports.lines[0].first, "Line 121:Overflow");
  EXPECT_EQ(reports.lines[0].second, "frmMain.subFile_put() 6");
}

TEST(PuzzleComment, IsCutToFortyBytesWithoutSplittingACharacter) {
  PuzzleState st = busyState();
  PuzzleState read;
  const std::string twenty = "あいうえおかきくけこさしすせそたちつてと";
  st.G_sComment = twenty;
  std::string b = encode(st);
  EXPECT_EQ(b.substr(2096, 40), fncCp932_encode(twenty));
  ASSERT_EQ(fncPuzzle_decode(b, read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sComment, twenty);

  st.G_sComment = "a" + twenty;  // 41 bytes: the last full-width character goes
  b = encode(st);
  EXPECT_EQ(b.substr(2096, 40), "a" + fncCp932_encode(twenty).substr(0, 38) + " ");
  st.G_sComment = "  short  ";
  ASSERT_EQ(fncPuzzle_decode(encode(st), read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sComment, "short");
  st.G_sComment = "絵文字😀";  // not in CP932: kept readable as '?'
  ASSERT_EQ(fncPuzzle_decode(encode(st), read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sComment, "絵文字?");
}

TEST(PuzzleFileRead, AcceptsOldShortFilesAndWhatTheProgramItselfWrites) {
  PuzzleState st = busyState();
  // Content pushed beyond a 3-wide box by a whole-content turn.
  subSamplePuzzle_set(st);
  st.G_iBox[3][1][1] = 1;
  st.G_iBoxPiece[3][1][1] = 2;
  std::string b = encode(st);
  EXPECT_EQ(i16At(b, 2136), 3);
  b.replace(0, 16, "Ver 1.0.0       ");
  b.resize(kPuzzleFileCoreSize);
  PuzzleState read;
  const PuzzleReadResult r = fncPuzzle_decode(b, read);
  ASSERT_EQ(r.status, PuzzleReadStatus::Ok);
  EXPECT_EQ(r.version, "Ver 1.0.0");
  EXPECT_EQ(read.G_iBox[3][1][1], 1);
  EXPECT_EQ(read.GE_iRotation[7], -1);
  EXPECT_EQ(read.G_iMaxY, 2);
}

struct Damage {
  const char* name;
  void (*apply)(std::string&);
  PuzzleReadStatus status;
  int step;
  int number;
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

void setI16(std::string& b, size_t off, int16_t v) {
  b[off] = static_cast<char>(v & 0xFF);
  b[off + 1] = static_cast<char>((v >> 8) & 0xFF);
}

class PuzzleFileRefusal : public ::testing::TestWithParam<Damage> {};

TEST_P(PuzzleFileRefusal, LeavesTheCurrentPuzzleExactlyAsItWas) {
  std::string b = encode(busyState());
  GetParam().apply(b);
  PuzzleState current;
  subSamplePuzzle_set(current);
  subColor_set(current);
  current.G_sComment = "before";
  const PuzzleState before = current;
  const PuzzleReadResult r = fncPuzzle_decode(b, current);
  EXPECT_EQ(r.status, GetParam().status);
  if (r.status == PuzzleReadStatus::Error) {
    EXPECT_EQ(r.step, GetParam().step);
    EXPECT_EQ(r.error.number, GetParam().number);
  }
  EXPECT_EQ(firstDifference(current, before), "");
}

INSTANTIATE_TEST_SUITE_P(
    Damaged, PuzzleFileRefusal,
    ::testing::Values(
        Damage{"WrongFirstByte", [](std::string& b) { b[0] = 'v'; }, PuzzleReadStatus::NgVersion, 0, 0},
        Damage{"Empty", [](std::string& b) { b.clear(); }, PuzzleReadStatus::NgVersion, 0, 0},
        Damage{"CutInTheBlocks", [](std::string& b) { b.resize(1500); }, PuzzleReadStatus::Error, 140, 62},
        Damage{"CutBeforeTheCounters", [](std::string& b) { b.resize(3253); }, PuzzleReadStatus::Error, 270, 62},
        Damage{"PasswordBelowZero", [](std::string& b) { b[40] = static_cast<char>(b[16 + 8] ^ 0x10); },
               PuzzleReadStatus::Error, 121, 321},
        Damage{"BoxTooWide", [](std::string& b) { setI16(b, 2136, 5); }, PuzzleReadStatus::Error, 160, 321},
        Damage{"BoxTooFlat", [](std::string& b) { setI16(b, 2140, 1); }, PuzzleReadStatus::Error, 180, 321},
        Damage{"BoxCellThree", [](std::string& b) { setI16(b, 2142 + 40, 3); }, PuzzleReadStatus::Error, 190, 321},
        Damage{"MadeBlockCellTwo", [](std::string& b) { setI16(b, 48 + 10, 2); }, PuzzleReadStatus::Error, 130, 321},
        Damage{"BlockCellNegative", [](std::string& b) { setI16(b, 1072, -1); }, PuzzleReadStatus::Error, 140, 321},
        Damage{"BlockNumberNine", [](std::string& b) { setI16(b, 2270 + 6, 9); }, PuzzleReadStatus::Error, 200, 321},
        Damage{"CellTotalOver64", [](std::string& b) { setI16(b, 3166, 65); }, PuzzleReadStatus::Error, 220, 321}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PuzzleFileRead, ReportsReadErrorsWithStepAndNumber) {
  test::TempDir dir;
  std::string b = encode(busyState());
  setI16(b, 2142, 7);
  test::writeFile(dir.file("bad.bin"), b);
  test::writeFile(dir.file("ng.bin"), "XYZ");
  PuzzleState st;
  Reports reports;
  EXPECT_EQ(fncFile_get(st, dir.file("bad.bin"), reports.sink()), "");
  EXPECT_EQ(fncFile_get(st, dir.file("ng.bin"), reports.sink()), "NG Version");
  EXPECT_EQ(fncFile_get(st, dir.file("missing.bin"), reports.sink()), "");
  ASSERT_EQ(reports.lines.size(), 2u);
  EXPECT_EQ(reports.lines[0].first, "Line 190:Invalid file format");
  EXPECT_EQ(reports.lines[0].second, "frmMain.fncFile_get() 321");
  EXPECT_EQ(reports.lines[1].first, "Line 100:File not found");
  EXPECT_EQ(reports.lines[1].second, "frmMain.fncFile_get() 53");
}

TEST(PuzzleFileWrite, AFailureAtAnyStepKeepsThePreviousFile) {
  test::TempDir dir;
  const std::string path = dir.file("saved.bin");
  Reports reports;
  ASSERT_TRUE(subFile_put(busyState(), path, reports.sink()));
  const std::string before = test::readFile(path);
  PuzzleState changed = busyState();
  changed.G_sComment = "changed";
  const int steps[] = {110, 120, 121, 130, 140, 150, 160, 170, 180, 190,
                       200, 210, 220, 230, 240, 250, 260, 270, 280, 290};
  for (int i = 0; i < static_cast<int>(std::size(steps)); ++i) {
    WriteFaults faults;
    faults.failAtWrite = i;
    PutOptions opt;
    opt.faults = &faults;
    EXPECT_FALSE(subFile_put(changed, path, reports.sink(), opt));
    ASSERT_EQ(reports.lines.size(), static_cast<size_t>(i + 1));
    EXPECT_EQ(reports.lines.back().first, "Line " + std::to_string(steps[i]) + ":Disk full");
    EXPECT_EQ(test::readFile(path), before);
  }
  WriteFaults openFault{-1, true, false}, commitFault{-1, false, true};
  for (const WriteFaults* f : {&openFault, &commitFault}) {
    PutOptions opt;
    opt.faults = f;
    EXPECT_FALSE(subFile_put(changed, path, reports.sink(), opt));
    EXPECT_EQ(test::readFile(path), before);
  }
  EXPECT_EQ(reports.lines[reports.lines.size() - 2].first, "Line 100:Permission denied");
  EXPECT_EQ(reports.lines.back().first, "Line 9990:Device I/O error");
  // Nothing but the saved file is left in the folder.
  std::string leftovers;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) leftovers += e.path().filename().string() + " ";
  EXPECT_EQ(leftovers, "saved.bin ");
}

}  // namespace
}  // namespace pakkon
