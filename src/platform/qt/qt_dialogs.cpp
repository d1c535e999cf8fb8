#include "platform/qt/qt_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QString>

namespace pakkon {
namespace {

QString toQ(const std::string& s) { return QString::fromStdString(s); }

// The program joins lines with CR LF; Qt wants plain line feeds.
QString lines(const std::string& s) { return toQ(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

// "(*.bin)|*.bin" becomes "(*.bin) (*.bin)".
QString qtFilter(const std::string& filter) {
  const QString f = toQ(filter);
  const qsizetype bar = f.indexOf(QLatin1Char('|'));
  if (bar < 0) return f;
  return f.left(bar) + QStringLiteral(" (") + f.mid(bar + 1) + QLatin1Char(')');
}

}  // namespace

MsgAnswer QtDialogs::messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(parent_);
  box.setWindowTitle(lines(title));
  box.setText(lines(text));
  switch (icon) {
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MsgIcon::None: break;
  }
  switch (buttons) {
    case MsgButtons::OK: box.setStandardButtons(QMessageBox::Ok); break;
    case MsgButtons::OKCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case MsgButtons::YesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case MsgButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Ok: return MsgAnswer::OK;
    default:
      // Closed by its frame: the same as the safe answer of the set.
      return buttons == MsgButtons::OK      ? MsgAnswer::OK
             : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                            : MsgAnswer::Cancel;
  }
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  bool ok = false;
  const QString s =
      QInputDialog::getText(parent_, lines(title), lines(prompt), QLineEdit::Normal, toQ(defaultText), &ok);
  return ok ? s.toStdString() : std::string();
}

std::string QtDialogs::openFileDialog(const FileDialogRequest& request) {
  // A wildcard name ("Data/*.bin") only names the folder to start in.
  const QFileInfo initial(toQ(request.initialPath));
  const QString start = initial.fileName().contains(QLatin1Char('*')) ? initial.absolutePath() : initial.filePath();
  const QString path = QFileDialog::getOpenFileName(parent_, toQ(request.title), start, qtFilter(request.filter));
  return path.toStdString();
}

std::string QtDialogs::saveFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, toQ(request.title), toQ(request.initialPath), qtFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(toQ(request.defaultExt));
  const QFileInfo initial(toQ(request.initialPath));
  if (!initial.fileName().contains(QLatin1Char('*'))) {
    dialog.setDirectory(initial.absolutePath());
    dialog.selectFile(initial.fileName());
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace pakkon
