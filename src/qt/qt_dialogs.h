#pragma once
// The dialogs interface on Qt's standard dialogs.

#include "platform/dialogs.h"

class QCoreApplication;
class QString;
class QWidget;

namespace pakkon {

// Qt's own texts (standard buttons, the file dialog) in the program's
// language: "ja" or "en". False when the translation could not be loaded.
bool subQtTranslations_install(QCoreApplication& app, const QString& language);

// The filter as the file dialog shows it: "(*.bin)|*.bin" becomes
// "パズル・ファイル (*.bin)", the pattern named once.
QString fncQtFilter(const std::string& filter);

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::string openFileDialog(const FileDialogRequest& request) override;
  std::string saveFileDialog(const FileDialogRequest& request) override;

 private:
  QWidget* parent_;
};

}  // namespace pakkon
