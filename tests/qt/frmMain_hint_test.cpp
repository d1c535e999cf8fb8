// Hints and the finish mark, as a player uses them in the window.

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QThread>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "app/settings.h"
#include "geometry/mask.h"
#include "model/puzzle_file.h"
#include "qt/window_fixture.h"
#include "solver/finish.h"

namespace pakkon {
namespace {

class Hints : public test::WindowTest {
 protected:
  void SetUp() override {
    start();
    QApplication::setActiveWindow(w.get());
  }

  // Block 1 of the sample loaded where nothing can finish the box.
  void loadWrongly() {
    FinishProblem p = fncFinish_problem(st);
    for (uint64_t shape : fncMask_orientations(p.shape[0]))
      for (int shift : {0, 1, 4, 5, 16, 17, 20, 21}) {
        FinishProblem q = p;
        q.fixed = q.inBox[0] = shape << shift;
        q.loaded = 1;
        if ((q.fixed & ~q.box) || fncFinish_check(q) != FinishAnswer::No) continue;
        subMask_grid(q.fixed, st.G_iPiece[0]);
        w->cmdLoad->click();
        ASSERT_EQ(st.G_iPieceUsed[0], 1);
        return;
      }
    FAIL() << "no wrong place";
  }

  // Polls until the hint being worked out has answered.
  bool hinted() {
    return test::waitFor([&] { return !w->hintPending(); }, std::chrono::seconds(30));
  }

  // The mark once its answer is in, polled with a generous bound.
  std::string settled() {
    test::waitFor([&] { return !w->finishCheckPending(); }, std::chrono::seconds(30));
    return frmMain::text(w->lblFinish);
  }
};

TEST_F(Hints, AHintPlaysTheTightestBlockToItsPlaceAndUndoTakesItBack) {
  const PuzzleState before = st;
  const FinishProblem p = fncFinish_problem(st);
  const FinishHint h = fncFinish_hint(p);
  ASSERT_EQ(h.answer, FinishAnswer::Yes);
  // Quick presses while the hint is worked out ask nothing more, and a
  // hint that shows nothing new is not counted.
  for (int i = 0; i < 5; ++i) QTest::keyClick(w.get(), Qt::Key_H);
  EXPECT_TRUE(w->hintPending());
  ASSERT_TRUE(hinted());
  QTest::keyClick(w.get(), Qt::Key_H);
  ASSERT_TRUE(hinted());
  EXPECT_EQ(w->hintCount(), 1);
  EXPECT_EQ(w->play().undoDepth(), 1u);
  EXPECT_EQ(fncGrid_mask(st.G_iPiece[h.block]), h.cells);
  EXPECT_EQ(st.iPiece_Sel, h.block);
  EXPECT_EQ(w->listIndex(), h.block);
  EXPECT_EQ(frmMain::text(w->lblHints), "ヒント：1 回");
  EXPECT_TRUE(dialogs.calls().empty());
  w->cmdLoad->click();
  EXPECT_EQ(st.G_iPieceUsed[h.block], 1);

  w->mnuEditUndo->trigger();
  w->mnuEditUndo->trigger();
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece), 0);
  EXPECT_EQ(st.iPiece_Sel, before.iPiece_Sel);
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_FALSE(w->mnuEditUndo->isEnabled());
  EXPECT_EQ(w->hintCount(), 1);  // taken is taken

  // Making blocks is no play: H does nothing.
  w->subMaker_mode(true);
  QTest::keyClick(w.get(), Qt::Key_H);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece), 0);
  EXPECT_EQ(w->hintCount(), 1);
  w->subMaker_mode(false);
}

TEST_F(Hints, AStuckBoxNamesTheBlockToTakeOutAndChangesNothing) {
  loadWrongly();
  const PuzzleState before = st;
  w->mnuHelpHint->trigger();
  ASSERT_TRUE(hinted());
  EXPECT_EQ(lastMessage(), "このままでは完成できません。ブロック 1 を外してみましょう。");
  EXPECT_EQ(dialogs.last().title, "ヒント");
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof st.G_iPiece), 0);
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof st.G_iBox), 0);
  EXPECT_EQ(w->play().undoDepth(), 1u);
  EXPECT_EQ(frmMain::text(w->lblHints), "ヒント：1 回");

  // A refusal is no hint.
  bool outside = false;  // turned in its 4 x 4 x 4 frame, the content leaves the 3 x 3 x 3 box
  for (int i = 0; i < 4 && !outside; ++i) {
    w->cmdTurn[3]->click();
    outside = fncFinish_problem(st).outside();
  }
  ASSERT_TRUE(outside);
  w->mnuHelpHint->trigger();
  ASSERT_TRUE(hinted());
  EXPECT_EQ(lastMessage().rfind("箱の中身が、箱からはみ出しています。", 0), 0u) << lastMessage();
  EXPECT_EQ(w->hintCount(), 1);
}

TEST_F(Hints, CellsNoBlockOwnsAskForClearAndAHopelessBoxCountsNoHint) {
  // The box as a save in the middle of the auto loader leaves it: cells filled, no block loaded.
  PuzzleState mid = st;
  mid.G_sVersion = " Ver 1.1.0";
  std::memcpy(mid.G_iBox, test::findPacking(st)[0].cells, sizeof(Grid));
  auto open = [&](const PuzzleState& s) {
    const std::string path = dir.file("mid.bin");
    ASSERT_TRUE(subFile_put(s, path, [](const std::string& m, const std::string&) { FAIL() << m; }));
    ASSERT_TRUE(w->subPuzzle_open(path));
  };
  open(mid);
  w->mnuFinishCheck->trigger();
  EXPECT_EQ(settled(), "×");
  w->mnuHelpHint->trigger();
  ASSERT_TRUE(hinted());
  EXPECT_EQ(lastMessage(),
            "箱に、入れたどのブロックのものでもないセルがあります。\r\n[ Clear ] で箱を空にすれば、完成できます。");
  EXPECT_EQ(w->hintCount(), 1);
  w->cmdClear->click();
  EXPECT_EQ(settled(), "○");

  // A block short: not even the empty box, and no hint was given.
  std::memset(mid.G_iPiece[6], 0, sizeof(Grid));
  std::memset(mid.G_iPieceOrg[6], 0, sizeof(Grid));
  open(mid);
  w->mnuHelpHint->trigger();
  ASSERT_TRUE(hinted());
  EXPECT_EQ(lastMessage(), "このパズルは、空の箱からでも完成できません。");
  EXPECT_EQ(w->hintCount(), 0);
  EXPECT_EQ(settled(), "×");
}

TEST_F(Hints, TheFinishMarkFollowsTheBoxFromAWorkerThread) {
  std::mutex m;
  std::vector<std::thread::id> ran;
  w->finishCheckProbe = [&] {
    const std::lock_guard lock(m);
    ran.push_back(std::this_thread::get_id());
  };
  EXPECT_FALSE(w->mnuFinishCheck->isChecked());
  EXPECT_FALSE(w->lblFinish->isVisible());
  w->mnuFinishCheck->trigger();
  EXPECT_TRUE(fncPreferences_load(st).bFinishCheck);
  EXPECT_TRUE(w->lblFinish->isVisible());
  EXPECT_EQ(settled(), "○");

  loadWrongly();
  EXPECT_EQ(frmMain::text(w->lblFinish), "…");  // the window did not wait for the answer
  EXPECT_EQ(settled(), "×");
  w->cmdCancel->click();
  EXPECT_EQ(settled(), "○");
  w->mnuFinishCheck->trigger();
  EXPECT_FALSE(w->lblFinish->isVisible());

  const std::lock_guard lock(m);
  EXPECT_GE(ran.size(), 3u);
  for (std::thread::id id : ran) EXPECT_NE(id, std::this_thread::get_id());
}

}  // namespace
}  // namespace pakkon
