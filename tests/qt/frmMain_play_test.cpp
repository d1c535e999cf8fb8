// The main window driven as a player drives it, headless, with scripted dialogs.

#include <sys/stat.h>

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QMenu>
#include <QRadioButton>
#include <QScrollBar>
#include <cstring>

#include "geometry/loading.h"
#include "geometry/movement.h"
#include "model/builtin.h"
#include "model/puzzle_file.h"
#include "qt/click_label.h"
#include "qt/qt_surface.h"
#include "qt/shape_grid.h"
#include "qt/window_fixture.h"
#include "support/packing.h"
#include "support/state_compare.h"

namespace pakkon {
namespace {

using test::WindowTest;

bool visibleOption(const frmMain& w, int k) { return !w.optPiece[k]->isHidden(); }

// Plays one block as a player: pick it in the list, turn it, push it home,
// step it into place.
void playBlock(frmMain& w, int b, const Grid& target) {
  w.setListIndex(b);
  if (w.listIndex() == b) w.lstPiece_Click();
  const test::Moves m = test::movesTo(w.state(), b, target);
  for (int t : m.turns) w.cmdTurn[t]->click();
  w.cmdOrg->click();
  for (int i = 0; i < m.dx; ++i) w.cmdX_Inc->click();
  for (int i = 0; i < m.dy; ++i) w.cmdY_Inc->click();
  for (int i = 0; i < m.dz; ++i) w.cmdZ_Inc->click();
  ASSERT_EQ(std::memcmp(w.state().G_iPiece[b], target, sizeof(Grid)), 0) << "block " << b + 1;
  w.cmdLoad->click();
}

class Play : public WindowTest {};

TEST_F(Play, StartsOnTheSampleWithItsPanelsAndButtons) {
  start();
  EXPECT_EQ(w->windowTitle().toStdString(), "３Ｄ空間パズル・ゲーム ぱっこん Ver 1.1.0");
  EXPECT_EQ(panel(1), "Ver 0.0.0");
  EXPECT_EQ(panel(2), "サンプル");
  EXPECT_EQ(panel(3), "3×3×3");
  EXPECT_EQ(panel(4), "サンプル ３×３×３");
  EXPECT_EQ(frmMain::text(w->lblSum), "");
  EXPECT_EQ(frmMain::text(w->lblPiece), "1");
  EXPECT_EQ(st.G_iCellTotal, 27);
  EXPECT_EQ(st.GE_lRotate, 12345678);
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_FALSE(w->cmdCancel->isEnabled());
  EXPECT_FALSE(w->cmdReset->isEnabled());
  EXPECT_FALSE(w->cmdShuffle->isEnabled());
  EXPECT_TRUE(w->cmdTurn[0]->isEnabled() && w->cmdTurn[5]->isEnabled() && w->cmdOrgPZ->isEnabled());
  EXPECT_TRUE(w->cmdSet->isHidden() && w->cmdSetCancel->isHidden() && w->chkAutoNext->isHidden());
  EXPECT_TRUE(w->frameAuto->isHidden() && w->hscFace->isHidden() && w->lblFace->isHidden());
  EXPECT_TRUE(w->lblDemo->isHidden());
  for (int k = 0; k < 8; ++k) EXPECT_FALSE(visibleOption(*w, k));
  EXPECT_FALSE(w->mnuTool->menuAction()->isVisible());
  EXPECT_FALSE(w->mnuAautoMove->isVisible());
  EXPECT_FALSE(w->mnuFileSaveAs->isVisible() || enabledWhenShown(w->mnuFileSaveAs));
  EXPECT_FALSE(w->mnuFileSave->isEnabled());
  EXPECT_TRUE(w->mnuFileOpen->isEnabled());
  EXPECT_FALSE(w->mnu2D_Panel->isChecked());
  EXPECT_TRUE(w->shpA->isHidden() && w->hscLP->isHidden());
  EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(Play, WithNoAdditionChosenTheWindowIsAsDesigned) {
  start();
  // The designed tooltips, exactly; cmdBotom and the list have none.
  const std::pair<QWidget*, const char*> tips[] = {
      {w->cmdTurn[0], "正面から見て、時計回り"},
      {w->cmdTurn[1], "右から見て、反時計回り"},
      {w->cmdTurn[2], "上から見て、反時計回り"},
      {w->cmdTurn[3], "正面から見て、時計回り"},
      {w->cmdX_Dec, "左へ移動"},
      {w->cmdX_Inc, "右へ移動"},
      {w->cmdY_dec, "上へ移動"},
      {w->cmdY_Inc, "下へ移動"},
      {w->cmdZ_Dec, "奥へ移動"},
      {w->cmdZ_Inc, "手前に移動"},
      {w->cmdOrg, "原点へ移動"},
      {w->cmdOrgPZ, "原点へ移動"},
      {w->cmdBotom, ""},
      {w->cmdReset, "ピースの向きを、作成時に戻します"},
      {w->cmdShuffle, "ピースの向きを、ランダムに設定します"},
      {w->cmdClear, "パズルを消去"},
      {w->cmdLoad, "ブロックを装填する"},
      {w->cmdCancel, "装填をキャンセルする"},
      {w->cmdRemove, "ブロックを取り外す"},
      {w->chkDedSpace, "デッド・スペース（八方塞がり）をチェックする"},
      {w->lstPiece, ""},
  };
  for (const auto& [control, tip] : tips)
    EXPECT_EQ(control->toolTip().toStdString(), tip) << control->objectName().toStdString();
  // The additions stay out of sight: no landing place, clock, hint count or finish mark.
  EXPECT_FALSE(w->mnuPreview->isChecked() || w->mnuPlayTime->isChecked() || w->mnuFinishCheck->isChecked());
  EXPECT_TRUE(w->lblPlayTime->isHidden() && w->lblHints->isHidden() && w->lblFinish->isHidden());
  const QImage box = w->pictMain->grab().toImage();
  w->setListIndex(2);  // a selection redraws the block view only
  w->cmdX_Inc->click();
  EXPECT_EQ(w->pictMain->grab().toImage(), box);
  w->mnuPreview->trigger();
  EXPECT_NE(w->pictMain->grab().toImage(), box);
  EXPECT_EQ(fncIni_get("View", "Preview", dir.file("Init.ini")), "True");
}

TEST_F(Play, TheSampleCanBeSolvedWithTheWindowsOwnControls) {
  start();
  const std::vector<test::Placement> packing = test::findPacking(st);
  ASSERT_EQ(packing.size(), 7u);
  for (size_t i = 0; i < packing.size(); ++i) {
    playBlock(*w, packing[i].block, packing[i].cells);
    EXPECT_TRUE(visibleOption(*w, packing[i].block));
    if (i + 1 < packing.size()) {
      EXPECT_NE(lastMessage(), "☆グレイト☆　お疲れさまでした");
    }
  }
  EXPECT_EQ(frmMain::text(w->lblSum), "27 : 27");
  ASSERT_FALSE(dialogs.calls().empty());
  EXPECT_EQ(dialogs.last().text, "☆グレイト☆　お疲れさまでした");
  EXPECT_EQ(dialogs.last().title, "♪おめでとう♪");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Information);
  // Nothing is locked afterwards: Cancel takes the last block out silently.
  const size_t shown = dialogs.calls().size();
  w->cmdCancel->click();
  EXPECT_LT(fncBox_count(st.G_iBox), 27);
  EXPECT_EQ(dialogs.calls().size(), shown);
}

TEST_F(Play, LoadRefusesABlockOutsideTheBoxOrOnAFilledCellOrAlreadyLoaded) {
  start();
  // Block 1 pushed to x = 3 in a 3-wide box.
  for (int i = 0; i < 3; ++i) w->cmdX_Inc->click();
  w->cmdLoad->click();
  EXPECT_EQ(dialogs.last().text, "そこには、置けません！");
  EXPECT_EQ(dialogs.last().title, "×そこは駄目×");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(frmMain::text(w->lblSum), "");
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  for (int i = 0; i < 3; ++i) w->cmdX_Dec->click();
  w->cmdLoad->click();
  EXPECT_EQ(fncBox_count(st.G_iBox), 5);
  EXPECT_EQ(frmMain::text(w->lblSum), "5 : 27");
  EXPECT_FALSE(w->cmdLoad->isEnabled());
  EXPECT_TRUE(w->cmdCancel->isEnabled());
  EXPECT_FALSE(w->cmdX_Inc->isEnabled());

  // The same block once more, as a handler call would try it.
  w->cmdLoad_Click();
  EXPECT_EQ(dialogs.last().text, "1 既に使用しています！");
  EXPECT_EQ(dialogs.last().title, "×それは駄目×");

  // Block 2 at the origin overlaps block 1.
  w->setListIndex(1);
  const PuzzleState before = st;
  w->cmdLoad->click();
  EXPECT_EQ(dialogs.last().text, "そこには、置けません！");
  EXPECT_EQ(std::memcmp(st.G_iBox, before.G_iBox, sizeof(Grid)), 0);
  EXPECT_EQ(std::memcmp(st.G_lBoxColor, before.G_lBoxColor, sizeof(ColourGrid)), 0);
}

TEST_F(Play, DeadCellWarningOnlyWhenTicked) {
  start();
  // A 3 x 3 x 3 box walled round an empty corner: three blocks of one cell.
  subPieces_clear(st);
  st.G_iPiece[0][1][0][0] = 1;
  st.G_iPiece[1][0][1][0] = 1;
  st.G_iPiece[2][0][0][1] = 1;
  st.G_iCellTotal = 27;
  for (int b = 0; b < 3; ++b) {
    w->setListIndex(b);
    if (b == 0) w->lstPiece_Click();
    if (b == 2) w->chkDedSpace->setChecked(true);
    w->cmdLoad->click();
  }
  EXPECT_EQ(dialogs.last().text, "う～ん、死んだ目ができてしまった。違う所を選んだ方がいいと思う！");
  EXPECT_EQ(dialogs.last().title, "×そこは、結局は駄目×");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
  EXPECT_EQ(dialogs.calls().size(), 1u);  // not after the first two loads
  EXPECT_EQ(st.G_iPieceUsed[2], 1);       // the block stays loaded
  EXPECT_EQ(frmMain::text(w->lblSum), "3 : 27");
}

TEST_F(Play, CancelUnloadAndClearTakeBlocksOut) {
  start();
  w->cmdLoad->click();  // block 1 at the origin
  w->cmdCancel->click();
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(frmMain::text(w->lblSum), "0 : 27");
  EXPECT_FALSE(visibleOption(*w, 0));
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_TRUE(w->cmdX_Inc->isEnabled());

  // Load blocks 1 and 3 side by side, then UNLOAD block 1 by its option.
  const std::vector<test::Placement> packing = test::findPacking(st);
  for (const auto& p : packing)
    if (p.block == 0 || p.block == 2) playBlock(*w, p.block, p.cells);
  ASSERT_TRUE(visibleOption(*w, 0) && visibleOption(*w, 2));
  EXPECT_TRUE(w->optPiece[2]->isChecked());
  w->optPiece[0]->setChecked(true);
  w->cmdRemove->click();
  EXPECT_FALSE(visibleOption(*w, 0));
  EXPECT_TRUE(w->optPiece[2]->isChecked());
  EXPECT_EQ(st.G_iPieceUsed[0], 0);
  EXPECT_EQ(fncBox_count(st.G_iBox), 5);
  EXPECT_EQ(frmMain::text(w->lblSum), "5 : 27");
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_EQ(st.iPiece_Sel, 0);  // the taken-out block is selected and free
  EXPECT_TRUE(w->cmdLoad->isEnabled());

  // The last block out clears the puzzle.
  w->cmdRemove->click();
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(frmMain::text(w->lblSum), "");
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_FALSE(w->cmdCancel->isEnabled());

  // Clear keeps the blocks where they are.
  w->cmdX_Inc->click();
  w->cmdLoad->click();
  PuzzleState before = st;
  w->cmdClear->click();
  EXPECT_EQ(fncBox_count(st.G_iBox), 0);
  EXPECT_EQ(std::memcmp(st.G_iPiece, before.G_iPiece, sizeof(PieceGrids)), 0);
  for (int k = 0; k < 8; ++k) EXPECT_FALSE(visibleOption(*w, k));
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_TRUE(w->cmdLoad->isEnabled());
}

TEST_F(Play, UnloadingTheBlockTheListShowsSelectsItAgain) {
  start();
  const std::vector<test::Placement> packing = test::findPacking(st);
  for (const auto& p : packing)
    if (p.block == 0 || p.block == 2) playBlock(*w, p.block, p.cells);
  ASSERT_EQ(w->listIndex(), 2);
  ASSERT_FALSE(w->cmdLoad->isEnabled());
  w->optPiece[2]->setChecked(true);
  w->cmdRemove->click();  // the list already shows block 3: it goes to 1 and back
  EXPECT_EQ(w->listIndex(), 2);
  EXPECT_EQ(st.iPiece_Sel, 2);
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_TRUE(w->cmdX_Inc->isEnabled());
  EXPECT_EQ(frmMain::text(w->lblPiece), "3");
}

TEST_F(Play, SelectingALoadedOrEmptyBlockShowsItButKeepsTheSelection) {
  start();
  w->setListIndex(2);
  w->cmdLoad->click();
  w->setListIndex(0);
  w->setListIndex(2);  // loaded
  EXPECT_EQ(frmMain::text(w->lblPiece), "3");
  EXPECT_EQ(st.iPiece_Sel, 0);
  EXPECT_FALSE(w->cmdLoad->isEnabled());
  EXPECT_FALSE(w->cmdX_Inc->isEnabled());
  w->setListIndex(7);  // no cells
  EXPECT_EQ(frmMain::text(w->lblPiece), "8");
  EXPECT_FALSE(w->cmdLoad->isEnabled());
  EXPECT_EQ(st.iPiece_Sel, 0);
}

TEST_F(Play, BoxTurnsAndOriginCarryTheContent) {
  start();
  w->cmdLoad->click();  // block 1 fills cells with x, y, z < 3
  const int16_t colour = static_cast<int16_t>(st.G_lBoxColor[0][0][0][0] != 0);
  EXPECT_EQ(colour, 1);
  w->cmdTurn[3]->click();  // Turn-Z of the whole box: content moves to x = 1..3
  int atX3 = 0;
  for (int y = 0; y < 4; ++y)
    for (int z = 0; z < 4; ++z) atX3 += st.G_iBox[3][y][z];
  EXPECT_GT(atX3, 0);
  w->cmdOrgPZ->click();
  for (int y = 0; y < 4; ++y)
    for (int z = 0; z < 4; ++z) EXPECT_EQ(st.G_iBox[3][y][z], 0);
  EXPECT_EQ(fncBox_count(st.G_iBox), 5);
}

class OpenFile : public WindowTest {
 protected:
  // A 3 x 3 x 3 puzzle saved with blocks 1, 3 and 5 loaded.
  std::string savedPuzzle(const std::string& password) {
    PuzzleState p;
    p.G_sVersion = st.G_sVersion;
    subSamplePuzzle_set(p);
    subPieceOrg_set(p);
    subColor_set(p);
    p.G_iCellTotal = 27;
    const std::vector<test::Placement> packing = test::findPacking(p);
    for (const auto& pl : packing) {
      if (pl.block != 0 && pl.block != 2 && pl.block != 4) continue;
      std::memcpy(p.G_iPiece[pl.block], pl.cells, sizeof(Grid));
      EXPECT_EQ(fncPiece_load(p, pl.block), LoadRefusal::None);
    }
    p.G_iCellDone = fncBox_count(p.G_iBox);
    p.G_sComment = "三つ入り";
    p.G_sAnswerPW = password;
    const std::string path = dir.file("three.bin");
    EXPECT_TRUE(subFile_put(p, path, [](const std::string& m, const std::string&) { ADD_FAILURE() << m; }));
    return path;
  }
};

TEST_F(OpenFile, APuzzleWithThreeLoadedBlocksComesBackAsSaved) {
  start();
  const std::string path = savedPuzzle("");
  dialogs.choose(path);
  w->mnuFileOpen_Click();
  const auto& open = dialogs.calls().front();
  EXPECT_EQ(open.kind, ScriptedDialogs::Kind::Open);
  EXPECT_EQ(open.text, st.G_sDataPath + "/*.bin");
  EXPECT_EQ(open.title, "(*.bin)|*.bin");
  EXPECT_EQ(panel(1), "Ver 1.1.0");
  EXPECT_EQ(panel(2), "プレイ・モード");
  EXPECT_EQ(panel(3), "3×3×3");
  EXPECT_EQ(panel(4), "三つ入り");
  EXPECT_EQ(frmMain::text(w->lblSum), "12 : 27");
  for (int k = 0; k < 8; ++k) EXPECT_EQ(visibleOption(*w, k), k == 0 || k == 2 || k == 4) << k;
  EXPECT_TRUE(w->mnuFileSave->isEnabled());
  EXPECT_EQ(w->session().path(), path);
  EXPECT_EQ(st.G_sFileTitle, "three.bin");
  EXPECT_EQ(st.G_sPzVersion, "Ver 1.1.0");
  EXPECT_EQ(st.iPiece_Sel, 0);
  EXPECT_EQ(dialogs.calls().size(), 1u);
  // The list stays on the row Clear left, so no selection runs for the new
  // blocks: Load stays as Clear set it, and refuses the loaded block 1.
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_TRUE(w->cmdX_Inc->isEnabled());
  w->cmdLoad->click();
  EXPECT_EQ(dialogs.last().text, "1 既に使用しています！");
  EXPECT_EQ(dialogs.last().title, "×それは駄目×");
  EXPECT_EQ(frmMain::text(w->lblSum), "12 : 27");
}

TEST_F(OpenFile, RefusedFilesChangeNothingAndNeverBecomeTheSaveTarget) {
  start();
  const std::string good = savedPuzzle("");
  dialogs.choose(good);
  w->mnuFileOpen_Click();
  w->setListIndex(1);
  w->cmdLoad->click();  // progress the player has not saved
  const PuzzleState before = st;

  test::writeFile(dir.file("ng.bin"), "XYZ");
  dialogs.choose(dir.file("ng.bin"));
  w->mnuFileOpen_Click();
  EXPECT_EQ(dialogs.last().text, "バージョンが特定できませんでした。");
  EXPECT_EQ(dialogs.last().title, "読み出し不可能なパズル");
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Critical);
  EXPECT_EQ(test::firstDifference(st, before), "");

  std::string damaged = test::readFile(good);
  damaged[2142] = 5;  // a box cell of 5
  test::writeFile(dir.file("bad.bin"), damaged);
  dialogs.choose(dir.file("bad.bin"));
  w->mnuFileOpen_Click();
  EXPECT_EQ(dialogs.last().text, "Error Line 190:Invalid file format");
  EXPECT_EQ(dialogs.last().title, "frmMain.fncFile_get() 321");
  EXPECT_EQ(test::firstDifference(st, before), "");
  EXPECT_NE(
      test::readFile(dir.file("Error_Log.TXT")).find("frmMain.fncFile_get() 321 Line 190:Invalid file format\r\n"),
      std::string::npos);
  EXPECT_EQ(panel(2), "プレイ・モード");
  EXPECT_EQ(w->session().path(), good);

  // A FIFO (which a plain open would wait on) and a folder are refused at once.
  ASSERT_EQ(::mkfifo(dir.file("fifo.bin").c_str(), 0644), 0);
  dialogs.choose(dir.file("fifo.bin"));
  w->mnuFileOpen_Click();
  EXPECT_EQ(dialogs.last().text, "Error Line 100:Path/File access error (a pipe, not a file)");
  EXPECT_EQ(dialogs.last().title, "frmMain.fncFile_get() 75");
  dialogs.choose(dir.path());
  w->mnuFileOpen_Click();
  EXPECT_EQ(dialogs.last().title, "frmMain.fncFile_get() 75");
  EXPECT_EQ(test::firstDifference(st, before), "");

  // A cancelled dialog is silent.
  const size_t calls = dialogs.calls().size();
  w->mnuFileOpen_Click();
  EXPECT_EQ(dialogs.calls().size(), calls + 1);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

TEST_F(OpenFile, GivingUpNeedsAFileItsPasswordAndAYes) {
  start();
  w->mnuHelpHelp_Click();
  EXPECT_EQ(dialogs.last().text, "このパズルは、サンプルです。自力で解いてください。");
  EXPECT_EQ(dialogs.last().title, "ファイト！");

  dialogs.choose(savedPuzzle(""));
  w->mnuFileOpen_Click();
  w->mnuHelpHelp_Click();
  EXPECT_EQ(dialogs.last().text, "パスワードが、設定されていません。自力で解いてください。");

  dialogs.choose(savedPuzzle("Open9"));
  w->mnuFileOpen_Click();
  dialogs.clear();
  dialogs.answer(MsgAnswer::No);
  w->mnuHelpHelp_Click();
  ASSERT_EQ(dialogs.calls().size(), 1u);
  EXPECT_EQ(dialogs.last().text, "降参しますか？");
  EXPECT_EQ(dialogs.last().title, "悔しいけども．．．");
  EXPECT_EQ(dialogs.last().buttons, MsgButtons::YesNo);

  for (const char* wrong : {"open9", "Open"}) {
    dialogs.answer(MsgAnswer::Yes);
    dialogs.type(wrong);
    w->mnuHelpHelp_Click();
    EXPECT_EQ(dialogs.last().text, "残念ながら、ご期待には応えられません。自力で解いてください。");
  }
  dialogs.clear();
  dialogs.answer(MsgAnswer::Yes);  // empty answer: ends silently
  w->mnuHelpHelp_Click();
  EXPECT_EQ(dialogs.calls().size(), 2u);
  EXPECT_EQ(dialogs.last().text, "解答パスワードを入力してください\n（半角英数字１０文字以内）");
  EXPECT_EQ(dialogs.last().title, "参った");
  EXPECT_FALSE(w->cmdReset->isEnabled());

  dialogs.answer(MsgAnswer::Yes);
  dialogs.type("  Open9 ");
  w->mnuHelpHelp_Click();
  EXPECT_EQ(dialogs.last().title, "神の恩恵、仏の御慈悲・・・");
  EXPECT_TRUE(w->cmdReset->isEnabled());
  // Undo gives back the puzzle, not the permission.
  w->cmdX_Inc->click();
  w->mnuEditUndo->trigger();
  EXPECT_TRUE(w->cmdReset->isEnabled());

  // Reset rebuilds the made arrangement, loaded blocks included, then locks again.
  w->cmdReset->click();
  EXPECT_EQ(std::memcmp(st.G_iPiece, st.G_iPieceOrg, sizeof(PieceGrids)), 0);
  EXPECT_FALSE(w->cmdReset->isEnabled());
}

TEST_F(Play, DraggingOnTheBoxViewTurnsTheDepth) {
  start();
  w->pictMain_MouseDown(1, 0, 1000, 1000);
  w->pictMain_MouseMove(1, 0, 1240, 1240);
  EXPECT_EQ(w->hscDX->value(), -120);
  EXPECT_EQ(w->vscDY->value(), 120);
  w->pictMain_MouseMove(1, 0, 1240 + 2000, 1000);  // too far sideways: X unchanged
  EXPECT_EQ(w->hscDX->value(), -120);
  EXPECT_EQ(w->vscDY->value(), 0);
  w->pictMain_MouseMove(0, 0, 0, 0);  // no button: nothing
  EXPECT_EQ(w->vscDY->value(), 0);
}

TEST_F(Play, TheLayerPanelShowsSlicesOfTheBoxAndTheBlock) {
  start();
  w->cmdLoad->click();  // block 1: (0,0,0) (0,1,0) (0,1,1) (0,1,2) (1,1,0)
  w->mnu2D_Panel_Click();
  EXPECT_TRUE(w->mnu2D_Panel->isChecked());
  EXPECT_FALSE(w->shpA->isHidden() || w->shpE->isHidden() || w->hscL->isHidden() || w->vscDP->isHidden());
  // shpA shows the slice x = 0: square 4z + y.
  EXPECT_TRUE(w->shpA->fills()[4 * 2 + 1].bFilled);
  EXPECT_EQ(w->shpA->fills()[4 * 2 + 1].lFillColor, st.G_lColor[1][0]);
  EXPECT_FALSE(w->shpA->fills()[4 * 2 + 2].bFilled);
  w->hscL->setValue(1);
  EXPECT_TRUE(w->shpA->fills()[1].bFilled);   // (1,1,0)
  EXPECT_FALSE(w->shpA->fills()[9].bFilled);  // (1,1,2) is empty
  w->mnu2D_Panel_Click();
  EXPECT_TRUE(w->shpA->isHidden() && w->shpH->isHidden());
  // Clicks only edit blocks in the maker.
  const PuzzleState before = st;
  w->Form_MouseDown(1, 0, 8760 + 100, 1800 + 100);
  EXPECT_EQ(test::firstDifference(st, before), "");
}

}  // namespace
}  // namespace pakkon
