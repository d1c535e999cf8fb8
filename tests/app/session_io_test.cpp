// A puzzle opened from bytes and saved as bytes, as the page does it.

#include "app/session_io.h"

#include <gtest/gtest.h>

#include "geometry/movement.h"
#include "model/puzzle_file.h"
#include "platform/scripted_dialogs.h"
#include "support/packing.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

class SessionIoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = test::shippedPuzzle("01-first-step");
    st.G_sVersion = st.G_sPzVersion = " Ver 1.1.0";
    ASSERT_TRUE(fncPuzzle_encode(st, key, file));
    other = test::shippedPuzzle("06-soma-cube");
    other.G_sVersion = " Ver 1.1.0";
    ASSERT_TRUE(fncPuzzle_encode(other, key, otherFile));
  }

  const PuzzleKey key{64, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75, 76, 77, 78, 79};
  PuzzleState st, other;
  std::string file, otherFile;
  ScriptedDialogs dialogs;
  DialogsHost host{dialogs};
  Session session{st, host};
};

TEST_F(SessionIoTest, ARefusedFileGetsTheWindowsMessageAndChangesNothing) {
  ASSERT_TRUE(fncSession_open(session, file, "/p/01.bin", dialogs, {}));
  ASSERT_TRUE(session.apply({ActionKind::Select, 1}, host, true, true, {}).done);
  ASSERT_TRUE(session.apply({ActionKind::Load}, host, true, true, {}).done);
  const PuzzleState before = st;
  const struct {
    std::string bytes, title, text;
  } cases[] = {
      {otherFile.substr(0, 3000), "frmMain.fncFile_get() 62", "Error Line "},
      {"PK" + otherFile.substr(2), "読み出し不可能なパズル", "バージョンが特定できませんでした。"},
      {otherFile + std::string(kPuzzleFileReadMax, ' '), "frmMain.fncFile_get() 321", "Error Line 100:"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(fncSession_open(session, c.bytes, "/p/bad.bin", dialogs, {}));
    ASSERT_FALSE(dialogs.calls().empty());
    EXPECT_EQ(dialogs.calls().back().title, c.title);
    EXPECT_EQ(dialogs.calls().back().text.rfind(c.text, 0), 0u) << dialogs.calls().back().text;
    EXPECT_EQ(test::firstDifference(st, before), "");
    EXPECT_EQ(st.sPzFile, "/p/01.bin");
    EXPECT_TRUE(session.play().canUndo());
  }
}

TEST_F(SessionIoTest, OpeningStartsAfreshAndTheSaveHoldsThePuzzleAsItStands) {
  ASSERT_TRUE(fncSession_open(session, file, "/p/01.bin", dialogs, {}));
  session.apply({ActionKind::Select, 1}, host, true, true, {});
  session.apply({ActionKind::Load}, host, true, true, {});
  ASSERT_EQ(session.moves(), 1);
  ASSERT_TRUE(fncSession_open(session, otherFile, "/p/06.bin", dialogs, {}));
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(session.moves(), 0);
  EXPECT_FALSE(session.play().canUndo());
  EXPECT_EQ(st.G_sFileTitle, "06.bin");

  session.apply({ActionKind::Select, 2}, host, true, true, {});
  session.apply({ActionKind::Load}, host, true, true, {});
  const std::optional<std::string> saved = fncSession_saveBytes(st, dialogs);
  ASSERT_TRUE(saved);
  PuzzleState back;
  ASSERT_EQ(fncPuzzle_decode(*saved, back).status, PuzzleReadStatus::Ok);
  back.G_sVersion = st.G_sVersion;  // the header is read as the file's version
  EXPECT_EQ(back.G_iCellDone, fncBox_count(st.G_iBox));
  EXPECT_GT(back.G_iCellDone, 0);
  std::string again, expected;
  ASSERT_TRUE(fncPuzzle_encode(back, key, again));
  ASSERT_TRUE(fncPuzzle_encode(st, key, expected));
  EXPECT_EQ(again, expected);
}

}  // namespace
}  // namespace pakkon
