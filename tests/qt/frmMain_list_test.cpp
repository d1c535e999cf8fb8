// The puzzle list, the progress it shows and new puzzles, driven through
// the window as a player would.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "app/progress.h"
#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "maker/puzzle_text.h"
#include "model/puzzle_file.h"
#include "platform/ini.h"
#include "qt/frmGenerate.h"
#include "qt/frmPuzzleList.h"
#include "qt/window_fixture.h"
#include "support/packing.h"

namespace pakkon {
namespace {

using test::waitFor;

class PuzzleListTest : public test::WindowTest {
 protected:
  void SetUp() override { start(); }

  // A shipped puzzle made into the data folder under `name`.
  std::string put(const char* source, const std::string& name) {
    const PuzzleTextResult r =
        fncPuzzleText_parse(test::readFile(std::string(PAKKON_SOURCE_DIR) + "/data/puzzles/" + source));
    PuzzleState p;
    subPuzzleText_make(r.source, p, fncSeededRandom(3));
    p.G_sVersion = st.G_sVersion;
    const std::string path = st.G_sDataPath + "/" + name;
    EXPECT_TRUE(subFile_put(p, path, [](const std::string& m, const std::string&) { ADD_FAILURE() << m; }));
    return path;
  }

  // Opens the list and lets `use` work it; returns what it answered.
  int list(const std::function<int(frmPuzzleList&)>& use) {
    int result = -1;
    w->frmPuzzleList_exec = [&](frmPuzzleList& d) { return result = use(d); };
    w->mnuFileList_Click();
    return result;
  }

  int openRow(const std::string& name) {
    return list([&](frmPuzzleList& d) {
      for (int r = 0; r < d.grdPuzzles->rowCount(); ++r)
        if (d.grdPuzzles->item(r, frmPuzzleList::colName)->text().toStdString() == name) d.grdPuzzles->selectRow(r);
      d.cmdOpen->click();
      return d.result();
    });
  }

  // Solves the puzzle in play with the window's own buttons.
  void solve() {
    PuzzleState made = st;
    std::memcpy(made.G_iPiece, made.G_iPieceOrg, sizeof made.G_iPiece);
    for (const test::Placement& p : test::findPacking(made)) {
      w->setListIndex(p.block);
      if (w->listIndex() == p.block) w->lstPiece_Click();
      const test::Moves m = test::movesTo(st, p.block, p.cells);
      for (int t : m.turns) w->cmdTurn[t]->click();
      w->cmdOrg->click();
      for (int i = 0; i < m.dx; ++i) w->cmdX_Inc->click();
      for (int i = 0; i < m.dy; ++i) w->cmdY_Inc->click();
      for (int i = 0; i < m.dz; ++i) w->cmdZ_Inc->click();
      w->cmdLoad->click();
    }
  }

  const PuzzleProgress* record(const std::string& name) {
    book.load(w->progressPath());
    for (const auto& [key, p] : book.entries())
      if (p.name == name) return &p;
    return nullptr;
  }

  ProgressBook book;
};

TEST_F(PuzzleListTest, TheListOpensAsTheOpenCommandAndShowsWhatCannotBeRead) {
  put("01-first-step.txt", "01-first.bin");
  test::writeFile(st.G_sDataPath + "/02-broken.bin", "XYZ");
  const std::string broken = test::readFile(st.G_sDataPath + "/02-broken.bin");
  list([&](frmPuzzleList& d) {
    EXPECT_EQ(d.grdPuzzles->rowCount(), 2);
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colComment)->text().toStdString(), "はじめの一歩");
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colSize)->text().toStdString(), "2×2×2");
    EXPECT_EQ(d.grdPuzzles->item(1, frmPuzzleList::colComment)->text().toStdString(),
              "バージョンが特定できませんでした。");
    EXPECT_EQ(d.grdPuzzles->item(1, 0)->foreground().color(), d.palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_TRUE(waitFor([&] { return !d.rating(); }));
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colStars)->text().toStdString(), "★☆☆☆☆");
    EXPECT_FALSE(d.cmdPassword->isEnabled());
    return 0;
  });
  EXPECT_EQ(w->puzzleRatings().size(), 1u);

  // The unreadable row is refused as パズルを開く refuses it; nothing changes.
  EXPECT_EQ(openRow("02-broken.bin"), QDialog::Accepted);
  EXPECT_EQ(dialogs.last().text, "バージョンが特定できませんでした。");
  EXPECT_EQ(dialogs.last().title, "読み出し不可能なパズル");
  EXPECT_EQ(panel(2), "サンプル");
  EXPECT_EQ(test::readFile(st.G_sDataPath + "/02-broken.bin"), broken);

  // Enter opens the selected row, as a double-click does.
  list([](frmPuzzleList& d) {
    d.show();
    QApplication::setActiveWindow(&d);  // as a modal dialog is
    d.grdPuzzles->selectRow(0);
    d.grdPuzzles->setFocus();
    QTest::keyClick(d.grdPuzzles, Qt::Key_Return);
    return d.result();
  });
  EXPECT_EQ(panel(2), "プレイ・モード");
  EXPECT_EQ(panel(4), "はじめの一歩");
  EXPECT_EQ(st.G_sFileTitle, "01-first.bin");
  EXPECT_TRUE(w->lblPlayTime->isHidden());  // until 表示 → 時間と手数を表示
  w->mnuPlayTime->trigger();
  EXPECT_FALSE(w->lblPlayTime->isHidden());
  EXPECT_FALSE(fncFile_exists(w->progressPath()));  // looking writes nothing
}

TEST_F(PuzzleListTest, ACompletionIsRecordedAndTheNextUnsolvedPuzzleOffered) {
  put("01-first-step.txt", "01-first.bin");
  put("02-small-tower.txt", "02-tower.bin");
  // Each look at the clock finds it 10 ms on: a solve by script takes no time.
  w->playClock = [clock = std::chrono::steady_clock::now()]() mutable {
    return clock += std::chrono::milliseconds(10);
  };
  openRow("01-first.bin");
  dialogs.clear();
  dialogs.answer(MsgAnswer::OK);   // ☆グレイト☆
  dialogs.answer(MsgAnswer::Yes);  // the next one
  solve();
  ASSERT_GE(dialogs.calls().size(), 2u);
  EXPECT_EQ(dialogs.calls()[dialogs.calls().size() - 2].text, "☆グレイト☆　お疲れさまでした");
  EXPECT_EQ(dialogs.last().text, "まだ解いていない次のパズル「02-tower.bin　ちいさな塔」を開きますか？");
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNoDefaultNo);
  EXPECT_EQ(st.G_sFileTitle, "02-tower.bin");
  EXPECT_EQ(frmMain::text(w->lblPlayTime), "時間 0:00　手数 0");
  EXPECT_TRUE(w->lblPlayTime->isHidden());  // until 表示 → 時間と手数を表示

  const PuzzleProgress* p = record("01-first.bin");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->solved, 1);
  EXPECT_GT(p->bestSeconds, 0);
  EXPECT_LT(p->bestSeconds, 60);
  EXPECT_GE(p->fewestActions, 3);  // a load per block, no selection or turn of a block
  EXPECT_EQ(p->fewestHints, 0);

  // Given up first, a solve is marked apart; the list shows both marks, and
  // a copy under another name keeps its puzzle's record.
  dialogs.answer(MsgAnswer::Yes);
  dialogs.type("Tower23");
  w->mnuHelpHelp_Click();
  solve();
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");  // nothing left unsolved to offer
  p = record("02-tower.bin");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->gaveUp, 1);
  EXPECT_EQ(p->solved, 0);
  EXPECT_EQ(p->solvedAfterGivingUp, 1);
  std::rename((st.G_sDataPath + "/01-first.bin").c_str(), (st.G_sDataPath + "/09-renamed.bin").c_str());
  list([&](frmPuzzleList& d) {
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colName)->text().toStdString(), "02-tower.bin");
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colSolved)->text().toStdString(), "△");
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colTime)->text().toStdString(), "");
    EXPECT_EQ(d.grdPuzzles->item(1, frmPuzzleList::colSolved)->text().toStdString(), "○");
    EXPECT_FALSE(d.grdPuzzles->item(1, frmPuzzleList::colTime)->text().isEmpty());
    // The hints of the best solve; none for a solve after giving up.
    EXPECT_EQ(d.grdPuzzles->horizontalHeaderItem(frmPuzzleList::colHints)->text().toStdString(), "ヒント");
    EXPECT_EQ(d.grdPuzzles->item(1, frmPuzzleList::colHints)->text().toStdString(), "0");
    EXPECT_EQ(d.grdPuzzles->item(0, frmPuzzleList::colHints)->text().toStdString(), "");
    return 0;
  });
}

TEST_F(PuzzleListTest, AnOpeningRecordsOneCompletionTimedWithoutItsDialogs) {
  put("01-first-step.txt", "01-first.bin");
  const std::string second = put("02-small-tower.txt", "02-tower.bin");
  auto now = std::chrono::steady_clock::now();
  w->playClock = [&] { return now; };
  openRow("01-first.bin");
  now += std::chrono::seconds(100);  // before the first action: not play
  w->cmdX_Inc->click();
  now += std::chrono::seconds(10);
  dialogs.whileOpen = [&] { now += std::chrono::seconds(1000); };  // every box stays open a while
  dialogs.clear();
  dialogs.answer(MsgAnswer::OK);  // ☆グレイト☆
  dialogs.answer(MsgAnswer::No);  // stay
  solve();
  ASSERT_EQ(dialogs.calls().size(), 2u);
  const PuzzleProgress* p = record("01-first.bin");
  ASSERT_NE(p, nullptr);
  EXPECT_DOUBLE_EQ(p->bestSeconds, 10);
  const int loads = p->fewestActions;
  EXPECT_EQ(loads, std::count(std::begin(st.G_iPieceUsed), std::end(st.G_iPieceUsed), 1));

  EXPECT_EQ(w->playActions(), loads);

  // A puzzle opened by hand is not followed by the list's next one.
  dialogs.whileOpen = nullptr;
  dialogs.choose(second);
  w->mnuFileOpen_Click();
  dialogs.clear();
  solve();
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
  EXPECT_EQ(record("02-tower.bin")->solved, 1);
}

TEST_F(PuzzleListTest, AProgressFileThatCannotBeWrittenIsLoggedAndToldOnceAfterTheDialogue) {
  put("02-small-tower.txt", "02-tower.bin");
  openRow("02-tower.bin");
  std::filesystem::create_directory(w->progressPath());  // no file can be written there
  dialogs.clear();
  dialogs.answer(MsgAnswer::Yes);
  dialogs.type("Tower23");
  w->mnuHelpHelp_Click();
  ASSERT_EQ(dialogs.calls().size(), 4u);
  EXPECT_EQ(dialogs.calls()[2].title, "神の恩恵、仏の御慈悲・・・");
  EXPECT_EQ(dialogs.last().title, "進行状況");
  EXPECT_TRUE(w->cmdReset->isEnabled());
  const std::string log = test::readFile(st.G_sAppPath + "Error_Log.TXT");
  EXPECT_NE(log.find("frmMain.subProgress_update()"), std::string::npos) << log;
  // Once a start: the solve is logged, and the player is not told again.
  dialogs.clear();
  solve();
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
  EXPECT_GT(test::readFile(st.G_sAppPath + "Error_Log.TXT").size(), log.size());
}

TEST_F(PuzzleListTest, TheGeneratorKeepsChangedChoicesAndRefusesTheImpossibleAtOnce) {
  const std::string ini = dir.file("Init.ini"), before = test::readFile(ini);
  w->frmGenerate_exec = [](frmGenerate&) { return static_cast<int>(QDialog::Rejected); };
  w->mnuFileGenerate_Click();
  EXPECT_EQ(test::readFile(ini), before);  // nothing changed, nothing written

  w->frmGenerate_exec = [](frmGenerate& d) {
    d.spnX->setValue(2);
    d.spnY->setValue(2);
    d.spnZ->setValue(2);
    d.spnBlocks->setValue(8);
    d.cmdStart->click();
    EXPECT_FALSE(d.running());
    EXPECT_EQ(d.lblStatus->text().toStdString(),
              "この条件ではパズルを作れません：1～1 セルのブロック 8 個で箱の 8 セルを埋めると、"
              "どうしても同じ形のブロックが入ります");
    return static_cast<int>(QDialog::Rejected);
  };
  w->mnuFileGenerate_Click();
  EXPECT_EQ(fncIni_get("Generate", "SizeY", ini), "2");
  EXPECT_EQ(fncIni_get("Generate", "Blocks", ini), "8");
  EXPECT_EQ(fncIni_get("Generate", "MinStars", ini), "");  // left as it was

  fncIni_put("Generate", "SizeZ", "9", ini);  // out of range: the default
  GenerateChoices shown;
  w->frmGenerate_exec = [&](frmGenerate& d) {
    shown = d.choices();
    return static_cast<int>(QDialog::Rejected);
  };
  w->mnuFileGenerate_Click();
  GenerateChoices expected;
  expected.sizeX = expected.sizeY = 2;
  expected.blocks = 8;
  EXPECT_EQ(shown, expected);
}

TEST_F(PuzzleListTest, ANewPuzzleIsMadeInTheBackgroundSavedAndOpened) {
  w->frmGenerate_exec = [](frmGenerate& d) {
    d.spnX->setValue(2);
    d.spnY->setValue(2);
    d.spnZ->setValue(3);
    d.spnBlocks->setValue(3);
    d.seed = 77;
    d.cmdStart->click();
    EXPECT_TRUE(d.running());
    EXPECT_FALSE(d.cmdStart->isEnabled());
    EXPECT_TRUE(waitFor([&] { return !d.running(); }));
    return d.result();
  };
  w->mnuFileGenerate_Click();
  const std::string path = st.G_sDataPath + "/generated-2x2x3-3-77.bin";
  ASSERT_TRUE(fncFile_exists(path));
  EXPECT_EQ(w->session().path(), path);
  EXPECT_EQ(panel(2), "プレイ・モード");
  EXPECT_EQ(panel(4).rfind("生成 2×2×3 3ブロック ★", 0), 0u) << panel(4);
  const std::string password = st.G_sAnswerPW;
  const PuzzleProgress* p = record("generated-2x2x3-3-77.bin");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->password, password);  // kept for the player who gives up, not shown

  // A second one with the same seed gets a name of its own.
  w->mnuFileGenerate_Click();
  EXPECT_TRUE(fncFile_exists(st.G_sDataPath + "/generated-2x2x3-3-77-2.bin"));

  dialogs.clear();
  dialogs.answer(MsgAnswer::Yes);
  list([&](frmPuzzleList& d) {
    EXPECT_TRUE(d.cmdPassword->isEnabled());
    d.cmdPassword->click();
    return 0;
  });
  ASSERT_EQ(dialogs.calls().size(), 2u);
  EXPECT_EQ(dialogs.calls()[0].text, "降参しますか？");
  EXPECT_NE(dialogs.last().text.find("「" + password + "」"), std::string::npos) << dialogs.last().text;
}

TEST_F(PuzzleListTest, CancelStopsASearchWithoutTheWindowWaiting) {
  frmGenerate d(w.get());
  d.spnX->setValue(4), d.spnY->setValue(4), d.spnZ->setValue(4), d.spnBlocks->setValue(8);
  d.cboStarsFrom->setCurrentIndex(0), d.cboStarsTo->setCurrentIndex(0);  // ★1 only: none to find
  d.seed = 1;
  d.show();
  d.cmdStart->click();
  ASSERT_TRUE(d.running());
  EXPECT_TRUE(waitFor([&] { return d.prgTries->value() > 0; }));  // progress arrives while it runs
  d.cmdCancel->click();
  EXPECT_TRUE(d.isVisible());  // it goes once the worker has answered
  EXPECT_TRUE(waitFor([&] { return !d.running() && !d.isVisible(); }));
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

// Pictures for the README, written only when PAKKON_SCREENSHOT_DIR names a folder.
TEST_F(PuzzleListTest, ScreenshotsOfTheListAndTheNewPuzzleDialog) {
  const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  for (const auto& e : std::filesystem::directory_iterator(std::string(PAKKON_SOURCE_DIR) + "/data/puzzles")) {
    const std::string name = e.path().filename().string();
    if (name.size() > 4 && name[0] >= '0' && name[0] <= '9' && name.ends_with(".txt"))
      put(name.c_str(), name.substr(0, name.size() - 4) + ".bin");
  }
  test::writeFile(st.G_sDataPath + "/old-copy.bin", "broken");
  // A player's record, as a few evenings of play leave it.
  struct Done {
    const char* name;
    double seconds;
    int actions;
    bool gaveUp;
  };
  for (const Done& d : {Done{"01-first-step.bin", 48, 15, false}, Done{"02-small-tower.bin", 95, 24, false},
                        Done{"03-flat-box.bin", 262, 41, false}, Done{"05-brick.bin", 1210, 133, true}}) {
    openRow(d.name);
    w->subProgress_update([&](ProgressBook& b) {
      b.recordSolve(fncPuzzle_key(st), d.name, d.seconds, d.actions, 0, d.gaveUp, "2026/01/01 20:00:00");
    });
  }
  list([&](frmPuzzleList& d) {
    d.resize(900, 520);
    d.show();
    EXPECT_TRUE(waitFor([&] { return !d.rating(); }));
    d.grdPuzzles->selectRow(3);
    QCoreApplication::processEvents();
    EXPECT_TRUE(d.grab().save(QString::fromUtf8(folder) + "/screenshot-list.png"));
    return 0;
  });
  openRow("06-soma-cube.bin");
  // Moves as the game counts them: changes to the box, a block loaded and the box turned.
  w->cmdLoad->click();
  for (int i = 0; i < 4; ++i) w->cmdTurn[3 + i % 3]->click();
  EXPECT_EQ(w->playActions(), 5);
  w->mnuPlayTime->trigger();  // 表示 → 時間と手数を表示
  EXPECT_FALSE(w->lblPlayTime->isHidden());
  w->lblPlayTime->setText(QStringLiteral("時間 3:07　手数 5"));  // as the clock shows it a while later
  EXPECT_TRUE(w->grab().save(QString::fromUtf8(folder) + "/play-time.png"));
  frmGenerate g(w.get());
  g.spnBlocks->setValue(7);  // 3 x 3 x 3 in seven blocks: a search that takes a while
  g.cboStarsFrom->setCurrentIndex(2);
  g.seed = 2;
  g.show();
  g.cmdStart->click();
  EXPECT_TRUE(waitFor([&] { return g.prgTries->value() >= 2 || !g.running(); }));
  EXPECT_TRUE(g.grab().save(QString::fromUtf8(folder) + "/screenshot-generate.png"));
  g.cmdCancel->click();
  EXPECT_TRUE(waitFor([&] { return !g.running(); }));
}

}  // namespace
}  // namespace pakkon
