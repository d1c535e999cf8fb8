// The keyboard and the move list, as a player uses them in the window.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cstring>

#include "geometry/movement.h"
#include "geometry/orientation.h"
#include "qt/window_fixture.h"

namespace pakkon {
namespace {

class Keys : public test::WindowTest {
 protected:
  void SetUp() override {
    start();
    QApplication::setActiveWindow(w.get());
  }
  void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(w.get(), Qt::Key(k), m); }
  bool sameBlock(const PuzzleState& other, int b) const {
    return std::memcmp(st.G_iPiece[b], other.G_iPiece[b], sizeof(Grid)) == 0;
  }
};

TEST_F(Keys, EachKeyPressesItsButtonAndADisabledOneDoesNothing) {
  PuzzleState expected = st;
  key(Qt::Key_Right);
  key(Qt::Key_Down);
  fncPiece_xInc(expected, 0);
  fncPiece_yInc(expected, 0);
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_TRUE(sameBlock(expected, 0));
  key(Qt::Key_Q);
  subPiece_turnZ(expected, 0);
  EXPECT_TRUE(sameBlock(expected, 0));
  key(Qt::Key_O);
  subPiece_origin(expected, 0);
  EXPECT_TRUE(sameBlock(expected, 0));
  key(Qt::Key_3);
  EXPECT_EQ(w->listIndex(), 2);
  EXPECT_EQ(st.iPiece_Sel, 2);
  key(Qt::Key_Return);
  EXPECT_EQ(st.G_iPieceUsed[2], 1);
  const PuzzleState loaded = st;
  key(Qt::Key_Left);  // the loaded block's buttons are off
  key(Qt::Key_Space);
  EXPECT_TRUE(sameBlock(loaded, 2));
  EXPECT_EQ(dialogs.calls().size(), 0u);
  key(Qt::Key_Q, Qt::ShiftModifier);  // the box's own turn
  EXPECT_NE(std::memcmp(st.G_iBox, loaded.G_iBox, sizeof(Grid)), 0);
  key(Qt::Key_Backspace);  // Cancel
  EXPECT_EQ(st.G_iPieceUsed[2], 0);

  // A key typed into another window's text box stays there.
  QDialog other;
  auto* edit = new QLineEdit(&other);
  other.show();
  QApplication::setActiveWindow(&other);
  edit->setFocus();
  const PuzzleState before = st;
  QTest::keyClick(edit, Qt::Key_Right);
  QTest::keyClick(edit, Qt::Key_1);
  EXPECT_TRUE(sameBlock(before, st.iPiece_Sel));
  EXPECT_EQ(edit->text(), "1");
}

TEST_F(Keys, AFocusedControlKeepsTheKeysItUses) {
  // Space ticks the focused check box, and loads nothing.
  w->chkDedSpace->setFocus();
  QTest::keyClick(w->chkDedSpace, Qt::Key_Space);
  EXPECT_TRUE(w->chkDedSpace->isChecked());
  EXPECT_EQ(st.G_iPieceUsed[0], 0);

  // The list moves its row with Down and Page Down; Return loads the block it selected.
  PuzzleState before = st;
  w->lstPiece->setFocus();
  QTest::keyClick(w->lstPiece, Qt::Key_Down);
  EXPECT_EQ(w->listIndex(), 1);
  EXPECT_EQ(st.iPiece_Sel, 1);
  EXPECT_TRUE(sameBlock(before, 0) && sameBlock(before, 1));
  QTest::keyClick(w->lstPiece, Qt::Key_Right);  // not the list's: X+
  fncPiece_xInc(before, 1);
  EXPECT_TRUE(sameBlock(before, 1));
  QTest::keyClick(w->lstPiece, Qt::Key_Return);
  EXPECT_EQ(st.G_iPieceUsed[1], 1);

  // Ctrl+digit marks a loaded block's option; U then takes that block out.
  key(Qt::Key_6);  // block 6 misses the moved block 2
  key(Qt::Key_Return);
  ASSERT_EQ(st.G_iPieceUsed[5], 1);
  EXPECT_TRUE(w->optPiece[5]->isChecked());
  key(Qt::Key_2, Qt::ControlModifier);
  EXPECT_TRUE(w->optPiece[1]->isChecked());
  key(Qt::Key_5, Qt::ControlModifier);  // not loaded: no mark
  EXPECT_TRUE(w->optPiece[1]->isChecked());

  // Space and Enter press the focused button, not Load.
  w->cmdRemove->setFocus();
  QTest::keyClick(w->cmdRemove, Qt::Key_Space);
  EXPECT_EQ(st.G_iPieceUsed[1], 0);
  EXPECT_EQ(st.G_iPieceUsed[5], 1);
  w->cmdClear->setFocus();
  QTest::keyClick(w->cmdClear, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(st.G_iPieceUsed[5], 0);
  EXPECT_EQ(frmMain::text(w->lblSum), "");
}

TEST_F(Keys, UndoOfASelectionReturnsTheListToItsRow) {
  key(Qt::Key_2);
  key(Qt::Key_3);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(st.iPiece_Sel, 1);
  EXPECT_EQ(w->listIndex(), 1);
  EXPECT_EQ(frmMain::text(w->lblPiece), "2");
  key(Qt::Key_Return);
  EXPECT_EQ(st.G_iPieceUsed[1], 1);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w->listIndex(), 0);
  EXPECT_EQ(st.iPiece_Sel, 0);
}

TEST_F(Keys, UndoAndRedoTakeBackEveryStepAndStayOffOutsidePlay) {
  EXPECT_FALSE(w->mnuEditUndo->isEnabled());
  const PuzzleState start = st;
  key(Qt::Key_Right);
  key(Qt::Key_Down);
  key(Qt::Key_Return);
  ASSERT_EQ(st.G_iPieceUsed[0], 1);
  EXPECT_EQ(frmMain::text(w->lblSum), "5 : 27");
  key(Qt::Key_Z, Qt::ControlModifier);  // the load
  EXPECT_EQ(st.G_iPieceUsed[0], 0);
  EXPECT_TRUE(w->cmdLoad->isEnabled());
  EXPECT_FALSE(w->cmdCancel->isEnabled());
  EXPECT_TRUE(w->optPiece[0]->isHidden());
  EXPECT_EQ(frmMain::text(w->lblSum), "");
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(st.G_iPieceUsed[0], 1);
  EXPECT_FALSE(w->optPiece[0]->isHidden());
  EXPECT_EQ(frmMain::text(w->lblSum), "5 : 27");
  for (int i = 0; i < 3; ++i) w->mnuEditUndo->trigger();
  EXPECT_EQ(std::memcmp(st.G_iPiece, start.G_iPiece, sizeof(PieceGrids)), 0);
  EXPECT_FALSE(w->mnuEditUndo->isEnabled());
  EXPECT_TRUE(w->mnuEditRedo->isEnabled());

  // The auto-move mode takes the move list away.
  w->mnuAautoMove_Click();
  EXPECT_FALSE(w->mnuEditRedo->isEnabled());
  w->mnuEditRedo->trigger();
  EXPECT_EQ(std::memcmp(st.G_iPiece, start.G_iPiece, sizeof(PieceGrids)), 0);
}

}  // namespace
}  // namespace pakkon
