// ファイル → 新しいパズルを作る: the dialog finds a puzzle on its worker
// thread; the window saves it under a new name in the data folder, keeps
// its answer password in the progress file (the puzzle list shows it to a
// player who gives up) and opens it as パズルを開く would.

#include <QAction>
#include <QCoreApplication>

#include "app/progress.h"
#include "app/settings.h"
#include "platform/text.h"
#include "qt/frmGenerate.h"
#include "qt/frmMain.h"
#include "qt/qt_convert.h"

namespace pakkon {
namespace {

// The texts this file shows.
constexpr const char* kContext = "pakkon::frmMain";
constexpr const char* kNotSaved = QT_TRANSLATE_NOOP("pakkon::frmMain", "新しいパズルを保存できませんでした。\r\n%1");
constexpr const char* kTitle = QT_TRANSLATE_NOOP("pakkon::frmMain", "新しいパズルを作る");

QString q(const char* s) { return QCoreApplication::translate(kContext, s); }

// The generator's name, or the same with "-2", "-3", ... when it is taken.
std::string freeName(const std::string& folder, const std::string& name) {
  const std::string stem = name.substr(0, name.size() - 4);
  std::string candidate = name;
  for (int n = 2; fncPath_present(folder + "/" + candidate) && n < 10000; ++n)
    candidate = stem + "-" + fncStr(n) + ".bin";
  return candidate;
}

}  // namespace

void frmMain::mnuFileGenerate_Click() {
  if (!fncMaking_leave()) return;
  frmGenerate dialog(this);
  const GenerateChoices before = fncGenerateChoices_load(session_.storage(), st_);
  dialog.setChoices(before);
  const int answer = frmGenerate_exec(dialog);
  // Kept for the next opening, found or not; a failed write only forgets them.
  fncGenerateChoices_put(session_.storage(), st_, before, dialog.choices());
  if (answer != QDialog::Accepted) return;
  const GenerateResult& r = dialog.found();
  const std::string path = st_.G_sDataPath + "/" + freeName(st_.G_sDataPath, fncGenerated_fileName(dialog.used()));
  if (const IoError e = fncFile_writeAtomic(path, r.file, nullptr, LinkMode::Replace)) {
    dialogs_.messageBox(q(kNotSaved).arg(fncQString(path + ": " + e.text())).toStdString(), q(kTitle).toStdString(),
                        MsgIcon::Critical, MsgButtons::OK);
    return;
  }
  const std::string key = fncPuzzle_key(r.state);
  puzzleRatings()[key] = r.rating.stars;
  // The puzzle is playable even when its password cannot be kept; the
  // player is told.
  subProgress_update(
      [&](ProgressBook& book) {
        PuzzleProgress& p = book.entry(key);
        p.name = fncFile_title(path);
        p.password = r.state.G_sAnswerPW;
        p.stars = r.rating.stars;
      },
      r.state.G_sAnswerPW);
  subPuzzle_open(path);
}

}  // namespace pakkon
