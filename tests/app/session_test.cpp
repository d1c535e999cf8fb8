// The record of the puzzle in play, without a window: clock, moves, hints,
// one completion per opening, progress and the offer of the next puzzle.

#include "app/session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "app/progress.h"
#include "autoload/hooks.h"
#include "geometry/movement.h"
#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"
#include "platform/scripted_dialogs.h"
#include "support/memory_storage.h"
#include "support/packing.h"
#include "support/state_compare.h"
#include "support/temp_dir.h"

namespace pakkon {
namespace {

using namespace std::chrono_literals;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    st = test::shippedPuzzle("01-first-step");
    st.G_sVersion = st.G_sPzVersion = " Ver 1.1.0";
    st.G_sDataPath = dir.path();
    st.G_sAppPath = dir.path();
    session.setPath(dir.file("01-first.bin"));
    st.G_sFileTitle = "01-first.bin";
    ASSERT_TRUE(subFile_put(st, session.path(), [](const std::string& m, const std::string&) { ADD_FAILURE() << m; }));
    open();
  }

  void open() {
    session.play().opened();
    session.opened(now);
  }

  PlayOutcome act(ActionKind k, int block = 0) {
    now += 1s;
    return session.apply({k, block}, host, true, true, now);
  }

  // Loads every block where a packing puts it.
  void solve() {
    PuzzleState made = st;
    std::memcpy(made.G_iPiece, made.G_iPieceOrg, sizeof made.G_iPiece);
    for (const test::Placement& p : test::findPacking(made)) {
      act(ActionKind::Select, p.block);
      const test::Moves m = test::movesTo(st, p.block, p.cells);
      for (int t : m.turns) act(t == 0 ? ActionKind::TurnZ : t == 1 ? ActionKind::TurnX : ActionKind::TurnY);
      act(ActionKind::Origin);
      for (int i = 0; i < m.dx; ++i) act(ActionKind::XInc);
      for (int i = 0; i < m.dy; ++i) act(ActionKind::YInc);
      for (int i = 0; i < m.dz; ++i) act(ActionKind::ZInc);
      act(ActionKind::Load);
    }
  }

  const PuzzleProgress* record() {
    book.load(session.progressPath());
    for (const auto& [key, p] : book.entries())
      if (p.name == "01-first.bin") return &p;
    return nullptr;
  }

  test::TempDir dir;
  ScriptedDialogs dialogs;
  DialogsHost host{dialogs};
  Session session{host};
  PuzzleState& st = session.state();
  SessionTime now{};
  ProgressBook book;
};

TEST_F(SessionTest, TheClockRunsFromTheFirstActionWhilePlayedAndStopsAtTheCompletion) {
  now += 100s;  // before the first action: not play
  EXPECT_EQ(session.seconds(now), 0);
  act(ActionKind::XInc);
  session.pause(true, now);  // a dialog
  now += 1000s;
  session.pause(false, now);
  session.minimise(true, now);
  now += 1000s;
  session.minimise(false, now);
  EXPECT_DOUBLE_EQ(session.seconds(now), 0);
  dialogs.answer(MsgAnswer::OK);  // ☆グレイト☆
  solve();
  ASSERT_TRUE(session.solved());
  const double solved = session.seconds(now);
  now += 500s;
  EXPECT_DOUBLE_EQ(session.seconds(now), solved);

  const PuzzleProgress* p = record();
  ASSERT_NE(p, nullptr);
  EXPECT_DOUBLE_EQ(p->bestSeconds, solved);
  // 手数: changes to the box only, so the loads and nothing else.
  const int loads = static_cast<int>(std::count(std::begin(st.G_iPieceUsed), std::end(st.G_iPieceUsed), 1));
  EXPECT_EQ(p->fewestActions, loads);
  EXPECT_EQ(session.moves(), loads);

  // Undo and redo of the winning Load: no new completion or message.
  const size_t calls = dialogs.calls().size();
  act(ActionKind::Undo);
  act(ActionKind::Redo);
  EXPECT_EQ(dialogs.calls().size(), calls);
  EXPECT_EQ(record()->solved, 1);
  EXPECT_EQ(session.moves(), loads);

  // A new opening records again.
  act(ActionKind::Clear);
  open();
  dialogs.answer(MsgAnswer::OK);
  solve();
  EXPECT_EQ(record()->solved, 2);
}

TEST_F(SessionTest, ThePlayKeysRestInTheDemonstrationAndTheLoaderAndOnlyPlainPlayRecords) {
  EXPECT_TRUE(session.playing());
  act(ActionKind::XInc);
  SessionView v = session.view(now);
  EXPECT_TRUE(v.playing && v.canUndo && !v.canRedo && v.recording);
  session.setMaker(true);
  v = session.view(now);
  EXPECT_TRUE(v.maker && v.playKeys && !v.playing && !v.canUndo);
  // The landing preview: chosen, in plain play, with Load possible.
  session.setPreview(true);
  session.play().controls().load = true;
  EXPECT_FALSE(session.previewShown());
  session.setMaker(false);
  EXPECT_TRUE(session.previewShown());
  session.play().controls().load = false;
  EXPECT_FALSE(session.previewShown());
  session.setMaker(true);
  EXPECT_TRUE(session.playKeys());
  EXPECT_FALSE(session.playing());
  session.setMaker(false);
  session.setAutoMove(true);
  EXPECT_TRUE(session.playKeys());
  session.setAutoMove(false);
  session.walkthrough().click();
  EXPECT_FALSE(session.playKeys());
  for (int i = 0; i < 5; ++i) session.walkthrough().click();
  session.setDemoRun(true);
  EXPECT_FALSE(session.playing());
  session.setDemoRun(false);
  EXPECT_TRUE(session.playing());
}

TEST_F(SessionTest, TheLoaderRunsInSlicesWaitsOutItsPausesAndStopsBetweenThem) {
  // Slices end every 4 tests; the whole run ends as one run at once would.
  test::RecordingHooks hooks;
  hooks.every = 4;
  PuzzleState whole = st;
  AutoLoadHooks plain;
  const AutoLoadResult expected = fncAutoLoad_run(whole, plain);
  ASSERT_TRUE(session.loadStart(hooks, now));
  EXPECT_FALSE(session.loadStart(hooks, now));  // LOAD meanwhile: ignored
  EXPECT_FALSE(session.playKeys());
  std::optional<AutoLoadResult> r;
  int slices = 0;
  while (!r && slices < 1000000) r = session.tick(now), ++slices;
  ASSERT_TRUE(r);
  EXPECT_GT(slices, 1);
  EXPECT_EQ(r->end, AutoLoadEnd::Filled);
  EXPECT_EQ(r->end, expected.end);
  EXPECT_EQ(r->tests, expected.tests);
  EXPECT_EQ(std::memcmp(st.G_iBox, whole.G_iBox, sizeof(Grid)), 0);
  EXPECT_FALSE(session.loading());
  EXPECT_EQ(session.tickDue(now), std::nullopt);

  // The demonstration pauses: nothing runs before the pause is over, but
  // STOP ends the run at once.
  act(ActionKind::Clear);
  session.setDemoRun(true);
  session.loadStart(hooks, now);
  while (!session.loadPaused()) ASSERT_FALSE(session.tick(now));
  EXPECT_GE(session.tickDue(now), std::chrono::milliseconds(100));
  EXPECT_FALSE(session.tick(now));
  session.loadStop();
  EXPECT_EQ(session.tickDue(now), std::chrono::milliseconds(0));
  r = session.tick(now);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->end, AutoLoadEnd::Stopped);
  EXPECT_FALSE(session.loaderVars().bStop);

  // STOP before the first slice: no test at all, the box as it was.
  act(ActionKind::Load);
  const PuzzleState before = st;
  session.loadStart(hooks, now);
  session.loadStop();
  r = session.tick(now);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->end, AutoLoadEnd::Stopped);
  EXPECT_EQ(r->tests, 0);
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof(Grid)), 0);
}

TEST_F(SessionTest, HintsBelongToThePuzzleAndAGiveUpMarksTheSolve) {
  session.hintShown();
  session.hintShown();
  EXPECT_EQ(session.hints(), 2);
  st.G_iCellZ = static_cast<int16_t>(st.G_iCellZ == 4 ? 3 : st.G_iCellZ + 1);  // another puzzle
  EXPECT_EQ(session.hints(), 0);
  st.G_iCellZ = test::shippedPuzzle("01-first-step").G_iCellZ;
  open();
  session.hintShown();

  // Giving up: a wrong password changes nothing; the right one earns Reset.
  st.G_sAnswerPW = "Pw12";
  std::optional<bool> in;
  dialogs.answer(MsgAnswer::Yes);
  dialogs.type("pw12");
  session.giveUp([&](bool b) { in = b; });
  EXPECT_EQ(in, false);
  EXPECT_EQ(dialogs.last().title, "ファイト！");
  EXPECT_EQ(record(), nullptr);
  dialogs.answer(MsgAnswer::Yes);
  dialogs.type(" Pw12 ");
  session.giveUp([&](bool b) { in = b; });
  EXPECT_EQ(in, true);
  EXPECT_EQ(dialogs.last().title, "神の恩恵、仏の御慈悲・・・");
  EXPECT_TRUE(session.play().controls().reset);
  EXPECT_EQ(record()->gaveUp, 1);
  dialogs.answer(MsgAnswer::OK);
  solve();
  EXPECT_EQ(record()->solved, 0);
  EXPECT_EQ(record()->solvedAfterGivingUp, 1);
}

TEST_F(SessionTest, AnUnwritableProgressFileIsLoggedEachTimeAndToldOnceUnlessAPasswordWouldBeLost) {
  std::filesystem::create_directory(session.progressPath());
  EXPECT_FALSE(session.progressUpdate([](ProgressBook&) {}));
  EXPECT_FALSE(session.progressUpdate([](ProgressBook&) {}));
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().title, "進行状況");
  EXPECT_FALSE(session.progressUpdate([](ProgressBook&) {}, "Secret12"));
  ASSERT_EQ(dialogs.calls().size(), 2u);
  EXPECT_NE(dialogs.last().text.find("Secret12"), std::string::npos);
  const std::string log = test::readFile(st.G_sAppPath + "Error_Log.TXT");
  size_t lines = 0;
  for (size_t at = 0; (at = log.find("frmMain.subProgress_update()", at)) != std::string::npos; ++at) ++lines;
  EXPECT_EQ(lines, 3u);
}

TEST_F(SessionTest, ProgressGoesWhereTheFrontEndKeepsItsFiles) {
  test::MemoryStorage memory;
  memory.files[session.progressPath()] = "damaged";
  session.setStorage(memory);
  dialogs.answer(MsgAnswer::OK);
  solve();
  EXPECT_FALSE(std::filesystem::exists(session.progressPath()));
  EXPECT_EQ(memory.files[session.progressPath() + ".damaged"], "damaged");  // kept aside, as on disk
  ProgressBook kept;
  ASSERT_EQ(kept.load(memory, session.progressPath()), ProgressLoad::Ok);
  ASSERT_EQ(kept.entries().size(), 1u);
  EXPECT_EQ(kept.entries().begin()->second.solved, 1);
}

TEST_F(SessionTest, OnlyAPuzzleOfTheListOffersTheNextOneAndOpensItOnYes) {
  PuzzleState second = test::shippedPuzzle("02-small-tower");
  second.G_sVersion = st.G_sVersion;
  const std::string next = dir.file("02-tower.bin");
  ASSERT_TRUE(subFile_put(second, next, [](const std::string& m, const std::string&) { ADD_FAILURE() << m; }));
  std::string opened;
  session.openPuzzle = [&](const std::string& path) {
    opened = path;
    return true;
  };
  dialogs.answer(MsgAnswer::OK);
  solve();
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
  EXPECT_TRUE(opened.empty());

  act(ActionKind::Clear);
  open();
  session.setFromList();
  dialogs.answer(MsgAnswer::OK);
  dialogs.answer(MsgAnswer::Yes);
  solve();
  EXPECT_EQ(dialogs.last().text, "まだ解いていない次のパズル「02-tower.bin　ちいさな塔」を開きますか？");
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNoDefaultNo);
  EXPECT_EQ(opened, next);
}

TEST_F(SessionTest, AFileIsJudgedBeforeItOpensAndASaveOpensAgainAsItWasPlayed) {
  act(ActionKind::Load);
  ASSERT_EQ(session.moves(), 1);
  const PuzzleState before = st;
  const std::string beforePath = session.path();
  std::string bytes;
  ASSERT_TRUE(session.saveBytes(bytes));
  EXPECT_EQ(st.G_iCellDone, fncBox_count(st.G_iBox));

  // Damaged: told, and nothing changes, the save target included.
  EXPECT_FALSE(session.openBytes(bytes.substr(0, bytes.size() / 2), dir.file("broken.bin"), now));
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
  EXPECT_FALSE(session.openBytes("not a puzzle", dir.file("foreign.bin"), now));
  EXPECT_EQ(dialogs.last().text, "バージョンが特定できませんでした。");
  EXPECT_FALSE(session.open(dir.file("missing.bin"), now));
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof(Grid)), 0);
  EXPECT_EQ(session.path(), beforePath);
  EXPECT_EQ(session.moves(), 1);

  // What was saved opens as it was played, with a record and move list of its own.
  ASSERT_TRUE(session.openBytes(bytes, dir.file("again.bin"), now));
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof(Grid)), 0);
  EXPECT_EQ(st.G_sFileTitle, "again.bin");
  EXPECT_EQ(session.moves(), 0);
  EXPECT_FALSE(session.play().canUndo());
  ASSERT_TRUE(session.save(dir.file("written.bin")));
  ASSERT_TRUE(session.open(dir.file("written.bin"), now));
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof(Grid)), 0);
}

TEST_F(SessionTest, EveryCommandHasATextFormAndTheWalkthroughTicksOnceASecond) {
  const std::string texts =
      "open a b.bin; save c.bin; preview on; preview off; language en; hint; load; maker 2 3 4; cell 1 4 2; maker end; "
      "stop; automove on; finish off; "
      "saveas a b.bin | 二段 の箱; saveas c.bin | 箱 | Two2; ";
  const ParsedCommands parsed = fncCommands_parse(texts);
  ASSERT_TRUE(parsed.ok()) << parsed.error;
  std::string again;
  for (const SessionCommand& c : parsed.commands) again += fncCommand_text(c) + "; ";
  EXPECT_EQ(again, texts);
  EXPECT_EQ(parsed.commands[7].size, (BoxSize{2, 3, 4}));
  EXPECT_EQ(parsed.commands[8].size, (BoxSize{1, 4, 2}));
  EXPECT_EQ(parsed.commands[14].comment, "箱");
  EXPECT_EQ(parsed.commands[14].password, "Two2");
  for (const char* wrong : {"open ", "preview maybe", "language fr", "maker 5 2 2", "maker 2 2", "maker 2 2 2 2",
                            "maker 22 2 2", "cell 0 1 1", "cell 1 1", "saveas x.bin", "saveas x.bin | ", "saveas | c"})
    EXPECT_FALSE(fncCommands_parse(wrong).ok()) << wrong;

  EXPECT_FALSE(session.walkTick(now));
  session.walkStart(now);
  EXPECT_FALSE(session.walkTick(now + 100ms));
  EXPECT_TRUE(session.walkTick(now + 990ms));  // a timer a little early still counts
  EXPECT_FALSE(session.walkTick(now + 1200ms));
  EXPECT_TRUE(session.walkTick(now + 2s));
  session.walkStop();
  EXPECT_FALSE(session.walkTick(now + 10s));
}

TEST_F(SessionTest, ARefusedFileGetsTheWindowsMessageAndChangesNothing) {
  PuzzleState other = test::shippedPuzzle("06-soma-cube");
  other.G_sVersion = st.G_sVersion;
  std::string otherFile;
  ASSERT_TRUE(fncPuzzle_encode(other, fncPuzzleKey_draw(), otherFile));
  act(ActionKind::Load);
  const PuzzleState before = st;
  const struct {
    std::string bytes, title, text;
  } cases[] = {
      {otherFile.substr(0, 3000), "frmMain.fncFile_get() 62", "Error Line "},
      {"PK" + otherFile.substr(2), "読み出し不可能なパズル", "バージョンが特定できませんでした。"},
      {otherFile + std::string(kPuzzleFileReadMax, ' '), "frmMain.fncFile_get() 321", "Error Line 100:"},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(session.openBytes(c.bytes, "/p/bad.bin", now));
    ASSERT_FALSE(dialogs.calls().empty());
    EXPECT_EQ(dialogs.calls().back().title, c.title);
    EXPECT_EQ(dialogs.calls().back().text.rfind(c.text, 0), 0u) << dialogs.calls().back().text;
    EXPECT_EQ(test::firstDifference(st, before), "");
    EXPECT_TRUE(session.play().canUndo());
  }
}

}  // namespace
}  // namespace pakkon
