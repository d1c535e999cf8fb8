// Main: one instance per program folder, settings, then the main window.

#include <QApplication>
#include <memory>
#include <new>
#include <string>

#include "app/errorlog.h"
#include "app/program_folder.h"
#include "app/settings.h"
#include "app/startup.h"
#include "platform/files.h"
#include "platform/scripted_dialogs.h"
#include "qt/frmMain.h"
#include "qt/instance_lock.h"
#include "qt/qt_dialogs.h"
#include "qt/qt_language.h"

namespace {

// An exception must not cross Qt's event loop: one that escapes a handler
// (running out of memory above all) is reported and the program goes on.
class Application : public QApplication {
 public:
  using QApplication::QApplication;
  pakkon::Dialogs* dialogs = nullptr;
  std::string appPath;  // where the report goes, once known

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      report(pakkon::fncIoError_make(pakkon::kErrOutOfMemory).text(), pakkon::kErrOutOfMemory);
    } catch (const std::exception& e) {
      report(e.what(), 51);
    }
    return false;
  }

 private:
  void report(const std::string& what, int number) {
    pakkon::ScriptedDialogs unseen;
    pakkon::subError_log(dialogs ? *dialogs : unseen, appPath, "Line 0:" + what,
                         "frmMain.Application() " + std::to_string(number));
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  Application app(argc, argv);
  // The desktop entry's name: how a Wayland session finds the window's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pakkon.Pakkon"));
  // Beside the executable, or the player's own folder when installed.
  const pakkon::ProgramFolder folder = pakkon::fncProgramFolder_choose(
      QCoreApplication::applicationDirPath().toStdString(), pakkon::fncEnvironment_current());
  // Every text, Qt's own buttons and dialogs included, in the player's
  // language, chosen before the first message can be shown; a first start
  // of an installed game has no Init.ini yet and starts in Japanese.
  pakkon::subLanguage_install(app, pakkon::fncPreferences_read(folder.sDir + "/" + pakkon::kInitFileName).sLanguage,
                              pakkon::fncProgramFolder_shipped(folder));
  const QString programDir = QString::fromStdString(folder.sDir);
  pakkon::QtDialogs dialogs;
  app.dialogs = &dialogs;

  pakkon::InstanceLock lock(pakkon::fncInstanceLock_path(programDir));
  switch (lock.acquire()) {
    case pakkon::InstanceLock::Result::Acquired: break;
    case pakkon::InstanceLock::Result::Running:
      dialogs.messageBox(
          QCoreApplication::translate("main", "このアプリケーションはすでに開かれています。").toStdString(),
          QCoreApplication::translate("main", "起動時エラー").toStdString(), pakkon::MsgIcon::Critical,
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

  if (!pakkon::fncProgramFolder_ready(folder, dialogs)) return 1;
  // The puzzle lives as long as the window that plays it, and no longer.
  auto state = std::make_unique<pakkon::PuzzleState>();
  if (!pakkon::fncStartup_prepare(*state, dialogs, folder.sDir)) return 1;
  app.appPath = state->G_sAppPath;

  pakkon::frmMain window(std::move(state), dialogs);
  dialogs.setParent(&window);
  window.show();
  return app.exec();
}
