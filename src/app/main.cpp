// Main: one instance per program folder, settings, then the main window.

#include <QApplication>

#include "app/errorlog.h"
#include "app/frmMain.h"
#include "app/startup.h"
#include "platform/qt/instance_lock.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/scripted_dialogs.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const QString programDir = QCoreApplication::applicationDirPath();
  pakkon::QtDialogs dialogs;

  pakkon::InstanceLock lock(pakkon::fncInstanceLock_path(programDir));
  switch (lock.acquire()) {
    case pakkon::InstanceLock::Result::Acquired: break;
    case pakkon::InstanceLock::Result::Running:
      dialogs.messageBox("このアプリケーションはすでに開かれています。", "起動時エラー", pakkon::MsgIcon::Critical,
                         pakkon::MsgButtons::OK);
      return 1;
    case pakkon::InstanceLock::Result::Failed: {
      // Only the guard against a second copy is lost, and the player cannot
      // mend the runtime folder from here: a box at every start would just
      // be in the way, so the report goes to the log alone.
      pakkon::ScriptedDialogs unseen;
      pakkon::subError_log(unseen, programDir.toStdString() + "/", "Line 0:" + lock.errorText(),
                           "Main() " + std::to_string(lock.errorNumber()));
      break;
    }
  }

  static pakkon::PuzzleState state;
  if (!pakkon::fncStartup_prepare(state, dialogs, programDir.toStdString())) return 1;

  pakkon::frmMain window(state, dialogs);
  dialogs.setParent(&window);
  window.show();
  return app.exec();
}
