// Main: one instance per program folder, settings, then the main window.

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

#include "app/frmMain.h"
#include "app/startup.h"
#include "platform/qt/qt_dialogs.h"

namespace {

QString lockPath(const QString& programDir) {
  QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (dir.isEmpty()) dir = QDir::tempPath();
  const QByteArray key = QCryptographicHash::hash(programDir.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return dir + QStringLiteral("/pakkon-") + QString::fromLatin1(key) + QStringLiteral(".lock");
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath();
  pakkon::QtDialogs dialogs;

  // The lock belongs to the running process: a lock left by a crashed run
  // names a dead process and is taken over.
  QLockFile lock(lockPath(programDir));
  lock.setStaleLockTime(0);
  if (!lock.tryLock(0)) {
    dialogs.messageBox("このアプリケーションはすでに開かれています。", "起動時エラー", pakkon::MsgIcon::Critical,
                       pakkon::MsgButtons::OK);
    return 1;
  }

  static pakkon::PuzzleState state;
  if (!pakkon::fncStartup_prepare(state, dialogs, programDir.toStdString())) return 1;

  pakkon::frmMain window(state, dialogs);
  dialogs.setParent(&window);
  window.show();
  return app.exec();
}
