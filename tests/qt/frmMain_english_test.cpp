// The English window: with the English catalogues loaded, as the program
// loads them at start, every kind of text the player reads is English, the
// demonstration included; the language menu chooses the next start's.

#include <sys/stat.h>

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <cstdlib>
#include <cstring>

#include "app/puzzle_list.h"
#include "platform/cp932.h"
#include "qt/click_label.h"
#include "qt/frmGenerate.h"
#include "qt/qt_language.h"
#include "qt/window_fixture.h"
#include "support/packing.h"

namespace pakkon {
namespace {

class English : public test::WindowTest {
 protected:
  void SetUp() override { ASSERT_TRUE(subLanguage_install(*qApp, kLanguageEnglish, PAKKON_PROGRAM_DIR)); }
  void TearDown() override {
    test::WindowTest::TearDown();
    subLanguage_install(*qApp, kLanguageJapanese, PAKKON_PROGRAM_DIR);
  }
  static std::string caption(const QAbstractButton* b) { return b->text().toStdString(); }
  static std::string caption(const QAction* a) { return a->text().toStdString(); }
};

TEST_F(English, CaptionsMenusStatusAndMessagesAreEnglish) {
  start();
  EXPECT_EQ(w->windowTitle().toStdString(), "Pakkon, the 3D Packing Puzzle" + st.G_sVersion);
  std::vector<std::string> menus;
  for (QAction* a : w->menuBar()->actions()) menus.push_back(caption(a));
  EXPECT_EQ(menus, (std::vector<std::string>{"&File", "&Edit", "&View", "&Tools", "&Help"}));
  EXPECT_EQ(caption(w->mnuFileOpen), "&Open Puzzle…");
  EXPECT_EQ(caption(w->mnuHelpHelp), "Give Up…");
  // The captions that are misspelt in Japanese mode read right in English.
  EXPECT_EQ(caption(w->cmdOrg), "Origin");
  EXPECT_EQ(caption(w->cmdBotom), "Bottom");
  EXPECT_EQ(caption(w->chkDedSpace), "Check dead space");
  EXPECT_EQ(w->cmdTurn[0]->toolTip().toStdString(), "Clockwise, seen from the front");
  EXPECT_EQ(panel(2), "Sample");
  EXPECT_EQ(panel(4), "Sample 3×3×3");

  // A message of the window, and one of the play layer (the core's catalogue).
  w->mnuHelpHelp_Click();
  EXPECT_EQ(dialogs.last().title, "You can do it!");
  EXPECT_EQ(dialogs.last().text, "This is the sample puzzle. Solve it yourself!");
  w->mnuHelpVerInfo_Click();
  EXPECT_EQ(dialogs.last().text.substr(0, 10), "Pakkon Ver");
  // The help page in English.
  dialogs.answer(MsgAnswer::Yes);
  w->mnuPzMaker_Click();
  ASSERT_EQ(openedUrls.size(), 1u);
  EXPECT_TRUE(openedUrls[0].ends_with("/docs/puzzle-making-en.html")) << openedUrls[0];
  const std::vector<test::Placement> packing = test::findPacking(st);
  std::memcpy(st.G_iPiece[packing[0].block], packing[0].cells, sizeof(Grid));
  w->setListIndex(packing[0].block);
  w->cmdLoad->click();
  w->setListIndex(packing[1].block);
  std::memcpy(st.G_iPiece[packing[1].block], packing[0].cells, sizeof(Grid));  // where block 1 already is
  w->cmdLoad->click();
  EXPECT_EQ(dialogs.last().text, "It doesn't fit there!");
  EXPECT_EQ(dialogs.last().title, "×Not there×");
}

TEST_F(English, TheDemonstrationWalksThroughInEnglish) {
  std::string banner;
  start(true, [this, &banner] {
    banner = frmMain::text(w->lblDemo);
    w->lblDemo_Click();
  });
  EXPECT_EQ(banner, "Demonstration running.\nClick here to end it.");
  EXPECT_EQ(panel(2), "Play");
  EXPECT_EQ(frmMain::text(w->lblDemo), "♪How to play♪\nPick a block in the [Block] list.\nClick here to go on.");
}

TEST_F(English, TheLanguageMenuChoosesTheNextStart) {
  start();
  ASSERT_TRUE(w->mnuLanguageJa->isChecked());  // Init.ini names none: Japanese
  w->mnuLanguageEn->trigger();
  EXPECT_EQ(fncIni_get("SYSTEM", "LANGUAGE", dir.file("Init.ini")), "en");
  EXPECT_EQ(dialogs.last().text,
            "次回の起動から、英語で表示します。\r\nThe game will be in English from the next start.");
  EXPECT_TRUE(w->mnuLanguageEn->isChecked());
  w->mnuLanguageJa->trigger();
  EXPECT_EQ(fncIni_get("SYSTEM", "LANGUAGE", dir.file("Init.ini")), "ja");
  EXPECT_TRUE(w->mnuLanguageJa->isChecked());

  // A settings file that cannot be written keeps the language, and says so.
  const std::string before = test::readFile(dir.file("Init.ini"));
  ASSERT_EQ(::chmod(dir.file("Init.ini").c_str(), 0444), 0);
  w->mnuLanguageEn->trigger();
  EXPECT_EQ(test::readFile(dir.file("Init.ini")), before);
  EXPECT_TRUE(w->mnuLanguageJa->isChecked());
  EXPECT_EQ(dialogs.last().icon, MsgIcon::Exclamation);
  EXPECT_NE(dialogs.last().text.find("Init.ini could not be written"), std::string::npos);
}

TEST_F(English, TheGeneratorSpeaksEnglishAndItsCommentsFitTheFile) {
  frmGenerate d;
  d.spnX->setValue(2), d.spnY->setValue(2), d.spnZ->setValue(2);
  d.spnBlocks->setValue(3);
  d.cmdStart->click();
  EXPECT_EQ(d.lblStatus->text().toStdString(),
            "No puzzle can be made with these settings: any 3 blocks of 2 to 4 cells that fill the 8 cells of the box "
            "include two of the same shape");

  EXPECT_EQ(fncGenerated_comment(4, 4, 4, 8, 4), "Generated 4×4×4, 8 blocks ★★★★☆");
  for (int blocks = 2; blocks <= kPieces; ++blocks)
    for (int stars = 1; stars <= 5; ++stars)
      EXPECT_LE(fncCp932_encode(fncGenerated_comment(4, 4, 4, blocks, stars)).size(), 40u);
  PuzzleRow row;
  row.name = "generated-4x4x4-8-1.bin";
  row.comment = fncGenerated_comment(4, 4, 4, 8, 4);
  EXPECT_EQ(fncPuzzleRow_title(row), "generated-4x4x4-8-1.bin Generated 4×4×4, 8 blocks ★★★★☆");
}

// The README's picture of the English window.
TEST_F(English, Screenshot) {
  const char* folder = std::getenv("PAKKON_SCREENSHOT_DIR");
  if (!folder) GTEST_SKIP() << "PAKKON_SCREENSHOT_DIR is not set";
  start();
  playHalfTheSample();
  QCoreApplication::processEvents();
  ASSERT_TRUE(w->grab().save(QString::fromUtf8(folder) + "/play-en.png"));
}

}  // namespace
}  // namespace pakkon
