// The box-size dialog, the block maker and the two save commands.

#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>
#include <cstring>

#include "draw/layer_panel.h"
#include "geometry/movement.h"
#include "maker/cell_size.h"
#include "model/puzzle_file.h"
#include "qt/frmInput.h"
#include "qt/qt_surface.h"
#include "qt/shape_grid.h"
#include "qt/window_fixture.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

TEST(CellSize, TypedTextIsCorrectedToTwoToFour) {
  const std::pair<const char*, int> cases[] = {{"3", 3},   {"5", 4}, {"1", 2}, {"0", 2},   {"2.5", 2},
                                               {"3.5", 4}, {"x", 2}, {"", 2},  {" 4 ", 4}, {"-7", 2}};
  for (const auto& [text, size] : cases) EXPECT_EQ(fncCellSize_correct(text), size) << text;
}

TEST(CellSizeDialog, ShowsTheCurrentSizesAndCorrectsOnEnter) {
  frmInput d(BoxSize{4, 4, 3});
  EXPECT_EQ(d.windowTitle().toStdString(), "パズル作成　セル設定");
  EXPECT_EQ(d.txtX->text(), "4");
  EXPECT_EQ(d.txtZ->text(), "3");
  d.show();
  d.txtX->setText("9");
  EXPECT_TRUE(d.txt_KeyPress(0, 13));
  EXPECT_EQ(d.txtX->text(), "4");
  EXPECT_FALSE(d.txt_KeyPress(0, 'a'));  // other keys reach the box
  d.txtY->setText("2.5");
  d.txt_KeyPress(1, 13);
  d.txtZ->setText("");
  d.txt_KeyPress(2, 13);
  EXPECT_EQ(d.txtZ->text(), "2");
  d.cmdOK_Click();
  EXPECT_EQ(d.chosen, (BoxSize{4, 2, 2}));

  frmInput cancelled(BoxSize{4, 4, 3});
  cancelled.txtX->setText("3");
  cancelled.txt_LostFocus(0);
  cancelled.cmdCancel_Click();
  EXPECT_EQ(cancelled.chosen, std::nullopt);
}

TEST(CellSizeDialog, EnterOnTheBoxesMovesOnAndThenPressesOK) {
  frmInput d(BoxSize{4, 4, 3});
  d.show();
  auto enter = [](QWidget* target) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
  };
  d.txtX->setFocus();
  d.txtX->setText("3");
  enter(d.txtX);
  EXPECT_EQ(d.focusWidget(), d.txtY);
  enter(d.txtY);
  enter(d.txtZ);
  EXPECT_EQ(d.focusWidget(), d.cmdOK);
  EXPECT_EQ(d.chosen, std::nullopt);
  enter(d.cmdOK);
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(d.chosen, (BoxSize{3, 4, 3}));
}

class Maker : public test::WindowTest {
 protected:
  void SetUp() override {
    start();
    sizes = {2, 2, 2};
    w->frmInput_show = [this](BoxSize) -> std::optional<BoxSize> {
      if (cancelSizes) return std::nullopt;
      return BoxSize{sizes[0], sizes[1], sizes[2]};
    };
  }

  // A left click on square `index` of shpE (the slice x = hscLP) or shpF (y = vscUP).
  void clickSquare(PanelGrid grid, int index, int button = 1) {
    const SquareRect r = fncSquare_rect(grid, index);
    w->Form_MouseDown(button, 0, r.Left + r.Width / 2.0f, r.Top + r.Height / 2.0f);
  }

  // Makes a 2 x 2 x 2 puzzle of two blocks: block 1 the layer z = 0, block 2 the layer z = 1.
  void makeTwoLayers() {
    dialogs.answer(MsgAnswer::Yes);  // start from empty blocks
    w->mnuMakePiece_Click();
    ASSERT_TRUE(w->mnuMakePiece->isChecked());
    // shpE shows the slice x = hscLP, square 4z + y.
    w->hscLP->setValue(0);
    clickSquare(PanelGrid::shpE, 0);  // (0,0,0)
    clickSquare(PanelGrid::shpE, 1);  // (0,1,0)
    w->hscLP->setValue(1);
    clickSquare(PanelGrid::shpE, 0);  // (1,0,0)
    clickSquare(PanelGrid::shpE, 1);  // (1,1,0)
    w->setListIndex(1);
    for (int x = 0; x < 2; ++x) {
      w->hscLP->setValue(x);
      clickSquare(PanelGrid::shpE, 4);  // (x,0,1)
      clickSquare(PanelGrid::shpE, 5);  // (x,1,1)
    }
  }

  std::array<int, 3> sizes{};
  bool cancelSizes = false;
};

TEST_F(Maker, MakingAPuzzleCellByCellAndLeaving) {
  makeTwoLayers();
  EXPECT_EQ(panel(2), "ブロック作成");
  EXPECT_EQ(panel(3), "2×2×2");
  EXPECT_EQ(panel(4), "ブロックを選択して、２Ｄパネルのマス目をクリックします。");
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "8 : 8");
  EXPECT_EQ(fncPiece_count(st, 0), 4);
  EXPECT_EQ(fncPiece_count(st, 1), 4);
  EXPECT_EQ(std::memcmp(st.G_iPiece, st.G_iPieceOrg, sizeof(PieceGrids)), 0);
  EXPECT_TRUE(w->framePiece->isHidden());
  EXPECT_FALSE(w->shpE->isHidden());
  EXPECT_TRUE(w->shpA->isHidden());
  EXPECT_FALSE(w->pictMain->isEnabled());
  EXPECT_FALSE(w->cmdLoad->isEnabled() || w->cmdClear->isEnabled() || w->mnuHelpHelp->isEnabled());
  EXPECT_TRUE(w->cmdReset->isEnabled() && w->cmdShuffle->isEnabled() && w->cmdX_Inc->isEnabled());

  // A ninth cell is too many: warned, counted as the limit and taken back.
  w->hscLP->setValue(0);
  clickSquare(PanelGrid::shpE, 8);  // (0,0,2): outside the 2-deep box, nothing at all
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "8 : 8");
  dialogs.clear();
  w->setListIndex(2);
  w->hscLP->setValue(1);
  clickSquare(PanelGrid::shpE, 0);  // (1,0,0) for block 3: a ninth cell
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().text, "セル数を超過しました。");
  EXPECT_EQ(dialogs.last().title, "作りすぎっ・・・");
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "8 : 8");
  EXPECT_EQ(fncPiece_count(st, 2), 0);
  w->setListIndex(0);
  clickSquare(PanelGrid::shpE, 0);  // removes (1,0,0) of block 1
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "7 : 8");
  clickSquare(PanelGrid::shpE, 0, 2);  // a right click only counts
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "7 : 8");
  clickSquare(PanelGrid::shpE, 0);
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "8 : 8");

  dialogs.answer(MsgAnswer::No);
  w->mnuMakePiece_Click();
  EXPECT_TRUE(w->mnuMakePiece->isChecked());
  dialogs.answer(MsgAnswer::Yes);
  w->mnuMakePiece_Click();
  EXPECT_EQ(dialogs.last().text, "ブロック作成を終了しますか？\r\n作成終了後、保存を行ってください。\r\n");
  EXPECT_FALSE(w->mnuMakePiece->isChecked());
  EXPECT_EQ(st.G_iCellTotal, 8);
  EXPECT_TRUE(enabledWhenShown(w->mnuFileSaveAs));
  EXPECT_FALSE(w->mnuFileSave->isEnabled());  // a made puzzle is saved under a new name
  EXPECT_EQ(panel(2), "プレイ・モード");
  EXPECT_EQ(panel(4), "");
  EXPECT_EQ(frmMain::text(w->lblPiece_count), "");
  EXPECT_FALSE(w->framePiece->isHidden());
  EXPECT_TRUE(w->pictMain->isEnabled());
  EXPECT_TRUE(w->shpE->isHidden());
  EXPECT_FALSE(w->cmdReset->isEnabled() || w->cmdShuffle->isEnabled());
}

TEST_F(Maker, SaveAsWritesAPuzzleThatGivesUpToItsMadeArrangement) {
  makeTwoLayers();
  dialogs.answer(MsgAnswer::Yes);
  w->mnuMakePiece_Click();
  PieceGrids made;
  std::memcpy(made, st.G_iPieceOrg, sizeof made);

  dialogs.clear();
  dialogs.type("二段の箱");
  dialogs.type("Two2");
  dialogs.choose(dir.file("two.bin"));
  w->mnuFileSaveAs_Click();
  ASSERT_EQ(dialogs.calls().size(), 4u);
  EXPECT_EQ(dialogs.calls()[0].text, "コメントを入力してください\n（全角２０文字以内）");
  EXPECT_EQ(dialogs.calls()[0].title, "名前を付けて保存");
  EXPECT_EQ(dialogs.calls()[2].text, st.G_sDataPath + "/Test.bin");
  EXPECT_EQ(dialogs.last().text, "正常に終了しました。");
  EXPECT_EQ(panel(4), "二段の箱");
  EXPECT_EQ(w->session().path(), dir.file("two.bin"));
  EXPECT_TRUE(w->mnuFileSave->isEnabled());
  EXPECT_FALSE(w->cmdReset->isEnabled());

  // Reopened: the blocks are shuffled, the made ones kept; give up, Reset, Load each.
  dialogs.choose(dir.file("two.bin"));
  w->mnuFileOpen_Click();
  EXPECT_EQ(st.G_sComment, "二段の箱");
  EXPECT_EQ(std::memcmp(st.G_iPieceOrg, made, sizeof made), 0);
  dialogs.answer(MsgAnswer::Yes);
  dialogs.type("Two2");
  w->mnuHelpHelp_Click();
  w->cmdReset->click();
  for (int b = 0; b < 2; ++b) {
    w->setListIndex(b);
    if (b == 0) w->lstPiece_Click();
    w->cmdLoad->click();
  }
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
}

TEST_F(Maker, SaveAsCancelledAtEachPromptAndAnUnstorablePasswordAskedAgain) {
  makeTwoLayers();
  dialogs.answer(MsgAnswer::Yes);
  w->mnuMakePiece_Click();
  st.G_sComment = "old";
  dialogs.clear();

  w->mnuFileSaveAs_Click();  // empty comment: nothing more is asked
  EXPECT_EQ(dialogs.calls().size(), 1u);

  dialogs.type("new");
  dialogs.type("pw1");
  w->mnuFileSaveAs_Click();  // file dialog cancelled: the password stays, the comment does not
  EXPECT_EQ(st.G_sAnswerPW, "pw1");
  EXPECT_EQ(st.G_sComment, "old");

  dialogs.clear();
  dialogs.type("new");
  dialogs.type("abcdefz");  // z past its sixth position cannot be stored
  dialogs.type("abcdez");
  dialogs.choose(dir.file("x.bin"));
  w->mnuFileSaveAs_Click();
  ASSERT_EQ(dialogs.calls().size(), 6u);
  EXPECT_EQ(dialogs.calls()[2].kind, ScriptedDialogs::Kind::Message);
  EXPECT_NE(dialogs.calls()[2].text.find("z"), std::string::npos);
  EXPECT_EQ(dialogs.calls()[3].defaultText, "abcdefz");
  EXPECT_EQ(st.G_sAnswerPW, "abcdez");
  PuzzleState read;
  ASSERT_EQ(fncPuzzle_read(dir.file("x.bin"), read).status, PuzzleReadStatus::Ok);
  EXPECT_EQ(read.G_sAnswerPW, "abcdez");
}

TEST_F(Maker, EnteringAnOpenedPuzzlesBlocksGoesThroughItsPasswordAndTheSizeDialog) {
  // The session's guard (its password, its texts) as the window shows it.
  st.G_sAnswerPW = "Key1";
  ASSERT_TRUE(subFile_put(st, dir.file("p.bin"), [](const std::string& m, const std::string&) { FAIL() << m; }));
  dialogs.choose(dir.file("p.bin"));
  w->mnuFileOpen_Click();
  const PuzzleState opened = st;
  dialogs.clear();
  dialogs.answer(MsgAnswer::No);
  dialogs.type("key1");  // wrong case
  w->mnuMakePiece_Click();
  ASSERT_EQ(dialogs.calls().size(), 3u);
  EXPECT_EQ(dialogs.calls()[1].title, "パスワード入力");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Information);
  EXPECT_FALSE(w->mnuMakePiece->isChecked());
  EXPECT_EQ(test::firstDifference(st, opened), "");

  dialogs.answer(MsgAnswer::No);
  dialogs.type(" Key1 ");
  cancelSizes = true;  // the box-size dialog cancelled: the mode is not entered
  w->mnuMakePiece_Click();
  EXPECT_FALSE(w->mnuMakePiece->isChecked());
  EXPECT_TRUE(w->pictMain->isEnabled());
  cancelSizes = false;
  dialogs.answer(MsgAnswer::No);
  dialogs.type("Key1");
  w->mnuMakePiece_Click();
  EXPECT_TRUE(w->mnuMakePiece->isChecked());
  EXPECT_FALSE(w->mnuFileSave->isEnabled());
  EXPECT_EQ(std::memcmp(st.G_iPiece, opened.G_iPiece, sizeof(PieceGrids)), 0);
}

TEST_F(Maker, OverwriteSaveKeepsProgressAndReopensToTheSameBlocks) {
  // Open the sample as a file, load two blocks, overwrite.
  ASSERT_TRUE(subFile_put(st, dir.file("s.bin"), [](const std::string& m, const std::string&) { FAIL() << m; }));
  dialogs.choose(dir.file("s.bin"));
  w->mnuFileOpen_Click();
  w->cmdLoad->click();
  w->setListIndex(5);
  for (int i = 0; i < 2; ++i) w->cmdX_Inc->click();
  w->cmdLoad->click();
  ASSERT_EQ(st.G_iPieceUsed[5], 1);
  dialogs.clear();
  dialogs.answer(MsgAnswer::Cancel);
  w->mnuFileSave_Click();
  EXPECT_EQ(dialogs.last().text, "上書き保存しますか？");
  EXPECT_EQ(dialogs.last().title, "[ s.bin ] の上書き保存");
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::OKCancel);
  dialogs.answer(MsgAnswer::OK);
  w->mnuFileSave_Click();
  EXPECT_EQ(dialogs.last().text, "正常に終了しました。");
  EXPECT_EQ(dialogs.last().title, "パズル上書き保存");
  const PuzzleState saved = st;

  w->cmdClear->click();
  dialogs.choose(dir.file("s.bin"));
  w->mnuFileOpen_Click();
  EXPECT_EQ(std::memcmp(st.G_iBox, saved.G_iBox, sizeof(Grid)), 0);
  EXPECT_EQ(std::memcmp(st.G_iPiece, saved.G_iPiece, sizeof(PieceGrids)), 0);
  EXPECT_EQ(std::memcmp(st.G_iPieceUsed, saved.G_iPieceUsed, sizeof st.G_iPieceUsed), 0);
  EXPECT_EQ(frmMain::text(w->lblSum), std::to_string(fncBox_count(saved.G_iBox)) + " : 27");

  // A failed overwrite keeps the file and shows no completion message.
  chmod(dir.path().c_str(), 0500);
  const std::string before = test::readFile(dir.file("s.bin"));
  dialogs.clear();
  w->mnuFileSave_Click();
  chmod(dir.path().c_str(), 0700);
  if (geteuid() != 0) {  // root writes anyway
    EXPECT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.last().text.rfind("Error Line 100:", 0), 0u);
  }
  EXPECT_EQ(test::readFile(dir.file("s.bin")).size(), before.size());
}

TEST_F(Maker, AnInterruptedSaveKeepsTheFileAndReportsOnce) {
  ASSERT_TRUE(subFile_put(st, dir.file("s.bin"), [](const std::string& m, const std::string&) { FAIL() << m; }));
  dialogs.choose(dir.file("s.bin"));
  w->mnuFileOpen_Click();
  w->cmdLoad->click();  // progress to save
  const std::string before = test::readFile(dir.file("s.bin"));
  const int steps[] = {110, 120, 121, 130, 140, 150, 160, 170, 180, 190,
                       200, 210, 220, 230, 240, 250, 260, 270, 280, 290};
  for (int i = 0; i <= static_cast<int>(std::size(steps)); ++i) {
    WriteFaults faults;
    faults.failAtWrite = i < static_cast<int>(std::size(steps)) ? i : -1;
    faults.failCommit = i == static_cast<int>(std::size(steps));
    w->session().saveFaults = &faults;
    dialogs.clear();
    dialogs.answer(MsgAnswer::OK);
    w->mnuFileSave_Click();
    ASSERT_EQ(dialogs.calls().size(), 2u) << i;  // the question and the report, no "正常に終了しました。"
    const std::string step = faults.failCommit ? "9990" : std::to_string(steps[i]);
    EXPECT_EQ(dialogs.last().text.rfind("Error Line " + step + ":", 0), 0u) << dialogs.last().text;
    EXPECT_EQ(dialogs.last().title.rfind("frmMain.subFile_put() ", 0), 0u);
    EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
    EXPECT_EQ(test::readFile(dir.file("s.bin")), before);
    const std::string log = test::readFile(dir.file("Error_Log.TXT"));
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), i + 1);
  }
  w->session().saveFaults = nullptr;
  dialogs.answer(MsgAnswer::OK);
  w->mnuFileSave_Click();
  EXPECT_EQ(dialogs.last().text, "正常に終了しました。");
  EXPECT_NE(test::readFile(dir.file("s.bin")), before);
}

TEST_F(Maker, OverwriteSaveDoesNothingWithoutAFile) {
  w->mnuFileSave_Click();
  EXPECT_TRUE(dialogs.calls().empty());
}

}  // namespace
}  // namespace pakkon
