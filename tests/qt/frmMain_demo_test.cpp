// The demonstration as a new player meets it, and the help menu's messages.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <cstring>

#include "autoload/search.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "model/builtin.h"
#include "qt/click_label.h"
#include "qt/window_fixture.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

class Demonstration : public test::WindowTest {
 protected:
  std::string tag(const QObject* o) const { return o->property("Tag").toString().toStdString(); }
  std::string ini(const char* section, const std::string& key) {
    return fncIni_get(section, key, dir.file("Init.ini"));
  }

  // Starts in demonstration mode and ends the unattended run with the first
  // click; the walkthrough's timer then runs on a clock the test moves.
  void startAndClick() {
    start(true, [this] {
      seenDuringRun = w->autoLoadRunning();
      w->playClock = [this] { return clock; };
      w->lblDemo_Click();
    });
  }
  // The timer fires a second later.
  void tick() {
    clock += kWalkTick;
    w->Timer1_Timer();
  }
  bool seenDuringRun = false;
  std::chrono::steady_clock::time_point clock = std::chrono::steady_clock::now();
};

TEST_F(Demonstration, StartsTheLoaderByItselfAndTheFirstClickSetsUpTheSample) {
  bool locked = false;
  int filledDuringRun = 0;
  // Looks again every few milliseconds until the loader has placed something.
  std::function<void()> watch = [&] {
    locked =
        panel(2) == "デモ" && panel(3) == "4×4×3" && st.G_iCellTotal == 48 && !w->mnuFileOpen->isEnabled() &&
        !w->mnuView->menuAction()->isEnabled() && !w->mnuHelp->menuAction()->isEnabled() &&
        !w->mnuFileSave->isVisible() && !w->mnuPzMaker->isVisible() && w->mnuFileQuit->isEnabled() &&
        !w->cmdMove->isEnabled() && !w->chkDedSpace->isEnabled() && w->chkDedSpace->isChecked() &&
        w->mnuAautoMove->isChecked() && !w->cmdLoad->isEnabled() && !w->lstPiece->isEnabled() &&
        w->frameAuto->pos() == w->framePiece->pos() && w->session().demoRun() && w->autoLoadRunning() &&
        frmMain::text(w->lblDemo) == "デモンストレーション表示中です。\n終了するには、ココをクリックしてください。";
    filledDuringRun = fncBox_count(st.G_iBox);
    if (filledDuringRun == 0) {
      QTimer::singleShot(5, w.get(), watch);
      return;
    }
    w->lblDemo_Click();
  };
  start(true, watch);
  EXPECT_TRUE(locked);
  EXPECT_GT(filledDuringRun, 0);  // the loader had placed blocks of the 4 x 4 x 3 puzzle
  EXPECT_FALSE(w->autoLoadRunning());
  EXPECT_FALSE(w->session().demoRun());
  EXPECT_FALSE(w->session().loaderVars().bStop);  // the run saw the stop and cleared it
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(st.G_iCellTotal, 27);
  EXPECT_EQ(st.G_iCellX, 3);
  EXPECT_EQ(st.GE_lRotate, 12345678);
  EXPECT_EQ(panel(2), "プレイ");
  EXPECT_EQ(panel(3), "3×3×3");
  EXPECT_EQ(panel(4), "サンプル３×３×３");
  EXPECT_FALSE(w->chkDedSpace->isChecked());
  EXPECT_TRUE(w->chkDedSpace->isEnabled());
  EXPECT_FALSE(w->mnuAautoMove->isChecked());
  EXPECT_TRUE(w->lstPiece->isEnabled() && w->cmdClear->isEnabled());
  EXPECT_TRUE(w->Timer1->isActive());
  EXPECT_EQ(w->Timer1->interval(), 1000);
  EXPECT_EQ(tag(w->lblDemo), "1");
  EXPECT_FALSE(w->lblDemo->isHidden());
  EXPECT_EQ(frmMain::text(w->lblDemo),
            "♪操作説明中♪\n[Block]リストボックスで、ブロックを選択します。\nココをクリックすると、次に進みます。");
}

TEST_F(Demonstration, TheTimerPressesTheButtonsOfEachStep) {
  startAndClick();
  ASSERT_TRUE(seenDuringRun);
  // Step 1 cycles through the seven blocks of the sample.
  for (int expected : {1, 2, 3, 4, 5, 6, 0, 1}) {
    tick();
    EXPECT_EQ(w->listIndex(), expected);
  }
  w->setListIndex(0);

  // Step 2 presses Turn-Z, Turn-X, Turn-Y in turn.
  w->lblDemo_Click();
  EXPECT_EQ(tag(w->lblDemo), "2");
  PuzzleState expected = st;
  for (int t : {0, 1, 2, 0}) {
    if (t == 0) subPiece_turnZ(expected, 0);
    if (t == 1) subPiece_turnX(expected, 0);
    if (t == 2) subPiece_turnY(expected, 0);
    tick();
    EXPECT_EQ(std::memcmp(st.G_iPiece[0], expected.G_iPiece[0], sizeof(Grid)), 0);
  }

  // Step 3: two presses of each move button, an idle tick that starts the cycle again.
  w->lblDemo_Click();
  w->cmdOrg_Click();
  QPushButton* order[] = {w->cmdX_Dec, w->cmdX_Inc, w->cmdY_dec, w->cmdY_Inc, w->cmdZ_Dec, w->cmdZ_Inc};
  for (QPushButton* b : order) EXPECT_EQ(tag(b), "0");
  for (int press = 0; press < 12; ++press) tick();
  for (QPushButton* b : order) EXPECT_EQ(tag(b), "2");
  const PuzzleState before = st;
  tick();  // idle
  EXPECT_EQ(test::firstDifference(st, before), "");
  for (QPushButton* b : order) EXPECT_EQ(tag(b), "0");

  // Steps 4 and 5: focus on the first tick, press on the second, then nothing.
  w->lblDemo_Click();
  w->cmdX_Inc_Click();
  const PuzzleState moved = st;
  tick();
  EXPECT_EQ(tag(w->cmdOrg), "1");
  EXPECT_EQ(std::memcmp(st.G_iPiece, moved.G_iPiece, sizeof(PieceGrids)), 0);
  tick();
  EXPECT_EQ(tag(w->cmdOrg), "2");
  PuzzleState pushed = moved;
  subPiece_origin(pushed, 0);
  EXPECT_EQ(std::memcmp(st.G_iPiece, pushed.G_iPiece, sizeof(PieceGrids)), 0);
  const PuzzleState atOrigin = st;
  tick();
  EXPECT_EQ(test::firstDifference(st, atOrigin), "");

  w->lblDemo_Click();
  EXPECT_EQ(frmMain::text(w->lblDemo),
            "♪操作説明中♪\n[Load]ボタンでブロックを、箱に収めます。\nココをクリックすると、終了します。");
  tick();
  EXPECT_EQ(st.G_iPieceUsed[0], 0);
  tick();
  EXPECT_EQ(st.G_iPieceUsed[0], 1);
  EXPECT_EQ(tag(w->cmdLoad), "2");
}

TEST_F(Demonstration, ATickDuringTheRefusalOfAPressDoesNotPressAgain) {
  startAndClick();
  for (int i = 0; i < 4; ++i) w->lblDemo_Click();  // the Load step
  w->cmdLoad_Click();                              // block 1 loaded already: the timer's press is refused
  dialogs.clear();
  int nested = 0;
  dialogs.whileOpen = [&] {
    if (++nested < 3) tick();  // ticks while the refusal is open
  };
  tick();  // focus
  tick();  // press
  EXPECT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().title, "×それは駄目×");
  EXPECT_EQ(tag(w->cmdLoad), "2");
}

TEST_F(Demonstration, TheLastClickGivesTheMenusBackAndYesSwitchesItOff) {
  startAndClick();
  for (int i = 0; i < 4; ++i) w->lblDemo_Click();
  dialogs.answer(MsgAnswer::Yes);
  w->lblDemo_Click();
  EXPECT_EQ(dialogs.last().text, "今後、デモンストレーションを表示しない！");
  EXPECT_EQ(dialogs.last().title, "デモ表示");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Question);
  EXPECT_TRUE(w->lblDemo->isHidden());
  EXPECT_EQ(frmMain::text(w->lblDemo), "");
  EXPECT_EQ(tag(w->lblDemo), "0");
  EXPECT_FALSE(w->Timer1->isActive());
  EXPECT_TRUE(w->mnuFileOpen->isEnabled() && w->mnuView->menuAction()->isEnabled() &&
              w->mnuHelp->menuAction()->isEnabled());
  EXPECT_TRUE(w->mnuPzMaker->isVisible() && w->mnuFileSave->isVisible());
  EXPECT_TRUE(w->cmdMove->isEnabled() && w->cmdStop->isEnabled() && w->cmdInit->isEnabled());
  EXPECT_FALSE(st.G_bDemo);
  EXPECT_EQ(ini("SYSTEM", "DEMO"), "False");
  tick();  // a stray tick does nothing now
}

TEST_F(Demonstration, KeysUndoAndHintsRestWhileTheWalkthroughRuns) {
  startAndClick();
  QApplication::setActiveWindow(w.get());
  EXPECT_FALSE(w->mnuEdit->menuAction()->isEnabled());
  const PuzzleState before = st;
  for (int k : {Qt::Key_2, Qt::Key_Space, Qt::Key_Right, Qt::Key_H, Qt::Key_Delete})
    QTest::keyClick(w.get(), Qt::Key(k));
  QTest::keyClick(w.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof(PieceGrids)), 0);
  EXPECT_EQ(std::memcmp(st.G_iPieceUsed, before.G_iPieceUsed, sizeof st.G_iPieceUsed), 0);
  EXPECT_FALSE(w->hintPending());
  EXPECT_EQ(w->hintCount(), 0);
  for (int i = 0; i < 4; ++i) w->lblDemo_Click();
  dialogs.answer(MsgAnswer::No);
  w->lblDemo_Click();
  EXPECT_TRUE(w->mnuEdit->menuAction()->isEnabled());
  QTest::keyClick(w.get(), Qt::Key_Right);  // the keys are back
  EXPECT_NE(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof(PieceGrids)), 0);
}

TEST_F(Demonstration, AnsweringNoShowsItAgainNextTime) {
  startAndClick();
  for (int i = 0; i < 4; ++i) w->lblDemo_Click();
  dialogs.answer(MsgAnswer::No);
  w->lblDemo_Click();
  EXPECT_TRUE(st.G_bDemo);
  EXPECT_EQ(ini("SYSTEM", "DEMO"), "True");
}

TEST_F(Demonstration, ClosingDuringTheRunWritesTheLoadersCounters) {
  std::function<void()> closeOnceSomethingIsPlaced = [&] {
    if (fncBox_count(st.G_iBox) == 0) {
      QTimer::singleShot(5, w.get(), closeOnceSomethingIsPlaced);
      return;
    }
    w->close();
  };
  start(true, closeOnceSomethingIsPlaced);
  EXPECT_FALSE(w->autoLoadRunning());
  EXPECT_EQ(ini("Rotate", "GE_lRotate"), std::to_string(st.GE_lRotate));
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i);
    EXPECT_EQ(ini("Rotate", "GE_iRotation(" + n + ")"), std::to_string(st.GE_iRotation[i]));
    EXPECT_EQ(ini("Info", "G_Info_Piece(" + n + ").iNo"), std::to_string(st.G_Info_Piece[i].iNo));
    EXPECT_EQ(ini("Info", "G_Info_Piece(" + n + ").iFace_ct"), std::to_string(st.G_Info_Piece[i].iFace_ct));
    EXPECT_EQ(ini("Info", "G_Info_Piece(" + n + ").iTurn_CtZ"), std::to_string(st.G_Info_Piece[i].iTurn_CtZ));
  }
  int placed = 0;
  for (const PieceInfo& info : st.G_Info_Piece) placed += info.iNo > 0;
  EXPECT_GT(placed, 0);
}

TEST_F(Demonstration, LoadDuringARunIsIgnored) {
  int nested = 0;
  start(true, [&] {
    w->cmdMove_Click();  // returns at once
    ++nested;
    w->cmdStop_Click();
  });
  EXPECT_EQ(nested, 1);
  EXPECT_FALSE(w->autoLoadRunning());
  EXPECT_TRUE(w->session().demoRun());  // only STOP: the demonstration itself goes on
}

TEST_F(Demonstration, TheWindowSearchesExactlyAsTheHeadlessSearch) {
  start();
  w->chkDedSpace->setChecked(true);
  PuzzleState headless = st;
  struct DeadSpace : AutoLoadHooks {
    bool deadSpaceChecked() override { return true; }
  } hooks;
  const AutoLoadResult r = fncAutoLoad_run(headless, hooks);
  ASSERT_EQ(r.end, AutoLoadEnd::Filled);
  w->cmdMove_Click();
  EXPECT_TRUE(w->autoLoadRunning());  // the window goes on between slices
  ASSERT_TRUE(test::waitFor([&] { return !w->autoLoadRunning(); }));
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
  PuzzleState windowed = st;
  std::memcpy(windowed.G_iBoxWork, headless.G_iBoxWork, sizeof(Grid));
  EXPECT_EQ(test::firstDifference(windowed, headless), "");
  EXPECT_EQ(w->listRotate->count(), 1);
  EXPECT_EQ(frmMain::text(w->lblSum), "27 : 27");
  EXPECT_EQ(w->listRotate->item(0)->text().toStdString(), fncResult_line(headless, 6));
}

TEST_F(Demonstration, HelpMessagesTellTheVersionAndOfferThePuzzleMakingPage) {
  start();
  w->mnuHelpVerInfo_Click();
  EXPECT_EQ(dialogs.last().text,
            "ぱっこん Ver 1.1.0\r\nProductName  ３Ｄ空間パズル・ゲーム ぱっこん\r\nCopyright (C) 2026 ぱっこん "
            "developers\r\n");
  EXPECT_EQ(dialogs.last().title, "バージョン情報 作品番号：SR000000");
  dialogs.answer(MsgAnswer::No);
  w->mnuPzMaker_Click();
  EXPECT_EQ(dialogs.last().title, "パズル作成ツールの紹介");
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNo);
  EXPECT_EQ(dialogs.last().text.rfind("パズル・ブロックは、３Ｄ空間パズル・ゲーム「ぴたこん」で作成できます♪\r\n", 0),
            0u);
  EXPECT_TRUE(openedUrls.empty());
  w->mnuPzMaker_Click();
  w->mnuPzMaker_Click();
  ASSERT_EQ(openedUrls.size(), 2u);
  EXPECT_EQ(openedUrls[0], "file://" + dir.path() + "docs/puzzle-making.html");
  EXPECT_EQ(openedUrls[1], openedUrls[0]);
}

}  // namespace
}  // namespace pakkon
