// The play layer: actions as text, what they do, and the move list.

#include "app/play.h"

#include <gtest/gtest.h>

#include <random>

#include "geometry/movement.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"

namespace pakkon {
namespace {

struct Told : PlayHost {
  void tell(const PlayMessage& m) override { messages.push_back(m.title + " " + m.text); }
  std::vector<std::string> messages;
};

class PlayLayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st.G_sVersion = " Ver 1.1.0";
    subSamplePuzzle_set(st);
    subColor_set(st);
    subPieceOrg_set(st);
    st.G_iCellTotal = fncPieces_count(st);
    play.controls().shuffle = true;  // as after giving up and a shuffle, so every button has a use
    play.controls().reset = true;
    run("sel 1");
    play.clearMoves();
  }
  PlayOutcome run(const std::string& text, bool check = true) {
    const ParsedActions p = fncActions_parse(text);
    EXPECT_TRUE(p.ok()) << p.error;
    PlayOutcome last;
    for (const PlayAction& a : p.actions) last = play.apply(a, host, check);
    return last;
  }
  // Everything a save writes, and what the player sees.
  std::string image() const {
    std::string bytes;
    EXPECT_TRUE(fncPuzzle_encode(st, PuzzleKey{}, bytes));
    const PlayControls& c = play.controls();
    bytes += std::to_string(st.iPiece_Sel) + c.sum + "|" + std::to_string(c.listIndex) + std::to_string(c.shown) +
             std::to_string(c.checked) + std::to_string(c.load) + std::to_string(c.cancel) +
             std::to_string(c.pieceButtons);
    for (bool o : c.option) bytes += o ? '1' : '0';
    return bytes;
  }
  PuzzleState st;
  PlayLayer play{st};
  Told host;
};

TEST(PlayActions, TextFormsRoundTripAndMistakesSayWhereAndWhat) {
  const char* tokens[] = {"sel 3",    "tz",    "tx",     "ty",     "x+",     "x-",      "y+",   "y-",
                          "z+",       "z-",    "org",    "bottom", "reset",  "shuffle", "load", "cancel",
                          "unload 8", "clear", "box-tz", "box-tx", "box-ty", "box-org", "undo", "redo"};
  for (const char* t : tokens) {
    const auto a = fncAction_parse(t);
    ASSERT_TRUE(a) << t;
    EXPECT_EQ(fncAction_text(*a), t);
  }
  const ParsedActions ok = fncActions_parse(" sel 2 ;tz\n\n x+ ;");
  ASSERT_TRUE(ok.ok());
  EXPECT_EQ(ok.actions.size(), 3u);
  EXPECT_EQ(fncActions_parse("tz; sel 9").error, "action 2 (\"sel 9\"): expected a block number 1 to 8 after sel");
  EXPECT_EQ(fncActions_parse("load now").error, "action 1 (\"load now\"): expected nothing after load");
  EXPECT_NE(fncActions_parse("tz;jump").error.find("action 2 (\"jump\"): expected one of sel N, tz"),
            std::string::npos);
}

TEST_F(PlayLayerTest, EveryKindOfActionIsTakenBackCompletelyAndReplayed) {
  // Each step changes something, from a state where it can.
  const char* steps[] = {"tz",     "tx",     "ty",      "org",    "x+",     "y+",      "z+",       "x-",   "y-",
                         "z-",     "bottom", "shuffle", "reset",  "load",   "sel 6",   "x+",       "x+",   "load",
                         "cancel", "load",   "box-tz",  "box-tx", "box-ty", "box-org", "unload 1", "clear"};
  for (const char* step : steps) {
    const std::string before = image();
    const PlayOutcome out = run(step);
    ASSERT_TRUE(out.recorded) << step;
    const std::string after = image();
    ASSERT_NE(before, after) << step;
    run("undo");
    EXPECT_EQ(image(), before) << step;
    run("redo");
    EXPECT_EQ(image(), after) << step;
  }
  EXPECT_EQ(play.undoDepth(), std::size(steps));
  // A new action drops what could be redone.
  run("undo; undo");
  EXPECT_TRUE(play.canRedo());
  run("sel 3");
  EXPECT_FALSE(play.canRedo());
}

TEST_F(PlayLayerTest, ThousandsOfRandomActionsUndoneReturnToTheStart) {
  const std::string start = image();
  std::mt19937 rng(7);
  const char* pool[] = {"tz",    "tx",    "ty",     "x+",    "x-",       "y+",       "y-",       "z+",      "z-",
                        "org",   "load",  "cancel", "clear", "box-tz",   "box-org",  "reset",    "shuffle", "sel 1",
                        "sel 2", "sel 3", "sel 5",  "sel 7", "unload 1", "unload 3", "unload 4", "undo",    "redo"};
  size_t recorded = 0;
  for (int i = 0; i < 3000; ++i) recorded += run(pool[rng() % std::size(pool)]).recorded ? 1 : 0;
  ASSERT_GT(recorded, 1000u);
  while (play.canUndo()) run("undo");
  EXPECT_EQ(image(), start);
}

TEST_F(PlayLayerTest, DisabledControlsRefuseKeysAndScriptsButNotTheirOwnHandlers) {
  EXPECT_FALSE(run("cancel").done);  // nothing loaded yet
  EXPECT_FALSE(run("undo").done);
  run("load");
  EXPECT_FALSE(run("x+").done);  // the loaded block's buttons are off
  EXPECT_FALSE(run("load").done);
  EXPECT_TRUE(host.messages.empty());
  // The handler of a pressed button runs as designed and refuses in words.
  EXPECT_TRUE(run("load", false).done);
  EXPECT_EQ(host.messages, std::vector<std::string>{"×それは駄目× 1 既に使用しています！"});
  EXPECT_FALSE(run("load", false).recorded);  // a refusal changes nothing
  EXPECT_FALSE(run("unload 3").done);         // block 3 is not loaded: no option to mark
  EXPECT_TRUE(run("unload 1").done);
}

TEST_F(PlayLayerTest, UndoGivesBackThePuzzleNotAPermission) {
  run("x+; reset");  // Reset is used up
  EXPECT_FALSE(play.controls().reset);
  run("undo");
  EXPECT_FALSE(play.controls().reset);  // and stays so
  play.controls().reset = true;         // given again, by giving up
  run("undo; redo");                    // an unrelated move taken back and made again
  EXPECT_TRUE(play.controls().reset);
}

TEST_F(PlayLayerTest, TheCountFollowsLoadsAndTakeOuts) {
  run("load");
  EXPECT_EQ(play.controls().sum, "5 : 27");
  run("cancel");
  EXPECT_EQ(play.controls().sum, "0 : 27");
  EXPECT_EQ(play.controls().checked, 0);
  run("clear");
  EXPECT_EQ(play.controls().sum, "");
}

}  // namespace
}  // namespace pakkon
