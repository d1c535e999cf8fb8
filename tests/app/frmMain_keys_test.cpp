// The keyboard and the move list, as a player uses them in the window.

#include <QAction>
#include <QApplication>
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
  w->lstPiece->setFocus();  // the list's own arrow keys give way
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
  EXPECT_TRUE(w->cmdLoad->toolTip().startsWith(QStringLiteral("ブロックを装填する [")));

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
