// Pictures of the window for the README and for people reviewing a change.
// Written only when PAKKON_SCREENSHOT_DIR names a folder.

#include <QPixmap>
#include <QPushButton>
#include <cstdlib>

#include "maker/frmInput.h"
#include "qt/window_fixture.h"
#include "support/packing.h"

namespace pakkon {
namespace {

class Screenshot : public test::WindowTest {
 protected:
  void save(const char* name) {
    const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
    if (!folder) return;
    QCoreApplication::processEvents();
    ASSERT_TRUE(w->grab().save(QString::fromUtf8(folder) + "/" + name));
  }
};

TEST_F(Screenshot, SampleHalfSolvedWithTheLayerPanel) {
  if (!std::getenv("PAKKON_SCREENSHOT_DIR")) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  start();
  save("start.png");
  const std::vector<test::Placement> packing = test::findPacking(st);
  for (size_t i = 0; i < 4; ++i) {
    std::memcpy(st.G_iPiece[packing[i].block], packing[i].cells, sizeof(Grid));
    w->setListIndex(packing[i].block);
    if (w->listIndex() == packing[i].block) w->lstPiece_Click();
    w->cmdLoad->click();
  }
  // The next block where it fits: the box view outlines its landing place.
  std::memcpy(st.G_iPiece[packing[4].block], packing[4].cells, sizeof(Grid));
  w->setListIndex(packing[4].block);
  w->mnu2D_Panel_Click();
  save("play.png");
}

TEST_F(Screenshot, BlockMakerAndItsBoxSizeDialog) {
  if (!std::getenv("PAKKON_SCREENSHOT_DIR")) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  start();
  w->frmInput_show = [this] {
    frmInput dialog(st, w.get());
    dialog.show();
    const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
    QCoreApplication::processEvents();
    dialog.grab().save(QString::fromUtf8(folder) + "/size-dialog.png");
    dialog.cmdOK_Click();
  };
  dialogs.answer(MsgAnswer::No);  // keep the sample's blocks
  w->mnuMakePiece_Click();
  save("maker.png");
}

}  // namespace
}  // namespace pakkon
