// Qt's own dialogs as a Japanese player meets them.

#include "qt/qt_dialogs.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

#include "support/temp_dir.h"

namespace pakkon {
namespace {

TEST(QtDialogs, SpeakJapaneseAndNameThePatternOnce) {
  ASSERT_TRUE(subQtTranslations_install(*qApp, QStringLiteral("ja")));
  EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "&Yes").startsWith(QStringLiteral("はい")));
  EXPECT_EQ(fncQtFilter("(*.bin)|*.bin"), QStringLiteral("パズル・ファイル (*.bin)"));
}

TEST(QtDialogs, ANameTypedWithoutExtensionOpensTheBinFile) {
  test::TempDir dir;
  test::writeFile(dir.file("first.bin"), "V");
  QtDialogs dialogs;
  // Type the bare name into the dialog once it is up, and press Open.
  QTimer::singleShot(0, [] {
    for (QWidget* top : QApplication::topLevelWidgets()) {
      auto* d = qobject_cast<QFileDialog*>(top);
      if (!d || !d->isVisible()) continue;
      d->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("first"));
      // Whatever is still up then (a "file not found" box, the dialog) fails
      // the test instead of waiting for a player.
      QTimer::singleShot(0, d, [] {
        for (QWidget* up : QApplication::topLevelWidgets())
          if (auto* box = qobject_cast<QDialog*>(up); box && box->isVisible()) box->reject();
      });
      QMetaObject::invokeMethod(d, "accept");
    }
  });
  FileDialogRequest r;
  r.initialPath = dir.file("*.bin");
  r.filter = "(*.bin)|*.bin";
  r.defaultExt = "bin";
  EXPECT_EQ(dialogs.openFileDialog(r), dir.file("first.bin"));
}

}  // namespace
}  // namespace pakkon
