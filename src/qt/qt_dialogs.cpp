#include "qt/qt_dialogs.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QString>
#include <QTranslator>

#include "qt/qt_convert.h"

namespace pakkon {
namespace {

// The program joins lines with CR LF; Qt wants plain line feeds.
QString lines(const std::string& s) { return fncQString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

bool subQtTranslations_install(QCoreApplication& app, const QString& language) {
  // A second call replaces the first one's texts.
  const QString name = QStringLiteral("qtbase");
  for (QTranslator* old : app.findChildren<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  auto* translator = new QTranslator(&app);
  translator->setObjectName(name);
  if (!translator->load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QString fncQtFilter(const std::string& filter) {
  const QString f = fncQString(filter);
  const qsizetype bar = f.indexOf(QLatin1Char('|'));
  if (bar < 0) return f;
  QString name = f.left(bar).trimmed();
  const QString pattern = f.mid(bar + 1).trimmed();
  // The description may already show the pattern; Qt shows it again.
  name.remove(QStringLiteral("(") + pattern + QStringLiteral(")"));
  name = name.trimmed();
  if (name.isEmpty()) name = QCoreApplication::translate("pakkon::QtDialogs", "パズル・ファイル");
  return name + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

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
    case MsgButtons::YesNoDefaultNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      box.setDefaultButton(QMessageBox::No);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    case QMessageBox::Cancel: return MsgAnswer::Cancel;
    case QMessageBox::Ok: return MsgAnswer::OK;
    default:
      // Closed by its frame: the same as the safe answer of the set.
      return buttons == MsgButtons::OK                                               ? MsgAnswer::OK
             : buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoDefaultNo ? MsgAnswer::No
                                                                                     : MsgAnswer::Cancel;
  }
}

std::string QtDialogs::inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) {
  bool ok = false;
  const QString s =
      QInputDialog::getText(parent_, lines(title), lines(prompt), QLineEdit::Normal, fncQString(defaultText), &ok);
  return ok ? s.toStdString() : std::string();
}

namespace {

std::string fileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, fncQString(request.title), QString(), fncQtFilter(request.filter));
  dialog.setAcceptMode(mode);
  // Qt's own dialog on every desktop, so it follows the program's language.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  if (mode == QFileDialog::AcceptOpen) dialog.setFileMode(QFileDialog::ExistingFile);
  // A name typed without extension gets ".bin", opening as well as saving.
  dialog.setDefaultSuffix(fncQString(request.defaultExt));
  // A wildcard name ("Data/*.bin") only names the folder to start in.
  const QFileInfo initial(fncQString(request.initialPath));
  dialog.setDirectory(initial.absolutePath());
  if (!initial.fileName().contains(QLatin1Char('*'))) dialog.selectFile(initial.fileName());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first().toStdString();
}

}  // namespace

std::string QtDialogs::openFileDialog(const FileDialogRequest& request) {
  return fileDialog(parent_, request, QFileDialog::AcceptOpen);
}

std::string QtDialogs::saveFileDialog(const FileDialogRequest& request) {
  return fileDialog(parent_, request, QFileDialog::AcceptSave);
}

}  // namespace pakkon
