// 表示 → Language / 言語: Japanese or English. Every text is chosen once, at
// start, so a change is written to Init.ini and takes effect at the next
// start; the menu shows the language the next start will have.

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include "qt/frmMain.h"

namespace pakkon {
namespace {

// Said in both languages: the player may not read the one in use.
constexpr const char* kLanguageTitle = "Language / 言語";
constexpr const char* kToJapanese =
    "次回の起動から、日本語で表示します。\r\nThe game will be in Japanese from the next start.";
constexpr const char* kToEnglish =
    "次回の起動から、英語で表示します。\r\nThe game will be in English from the next start.";
constexpr const char* kNotWritten =
    "Init.ini に書き込めなかったため、表示言語は変わりません。\r\n"
    "Init.ini could not be written, so the language stays as it is.";

}  // namespace

void frmMain::buildLanguageMenu() {
  mnuView->addSeparator();
  mnuLanguage = mnuView->addMenu(QString::fromUtf8(kLanguageTitle));
  mnuLanguage->setObjectName("mnuLanguage");
  auto* group = new QActionGroup(mnuLanguage);
  group->setExclusive(true);
  auto item = [&](const char* name, const char* caption, const char* language) {
    QAction* a = mnuLanguage->addAction(QString::fromUtf8(caption));
    a->setObjectName(name);
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, language] { mnuLanguage_Click(language); });
    return a;
  };
  // Each language under its own name, so either player finds theirs.
  mnuLanguageJa = item("mnuLanguageJa", "日本語", "ja");
  mnuLanguageEn = item("mnuLanguageEn", "English", "en");
  const bool english = session_.preferences().sLanguage == "en";
  (english ? mnuLanguageEn : mnuLanguageJa)->setChecked(true);
}

void frmMain::mnuLanguage_Click(const std::string& language) {
  const std::string saved = session_.preferences().sLanguage;
  if (language == saved) return;
  if (!session_.setLanguage(language)) {
    (saved == "en" ? mnuLanguageEn : mnuLanguageJa)->setChecked(true);
    dialogs_.messageBox(kNotWritten, kLanguageTitle, MsgIcon::Exclamation, MsgButtons::OK);
    return;
  }
  dialogs_.messageBox(language == "en" ? kToEnglish : kToJapanese, kLanguageTitle, MsgIcon::Information,
                      MsgButtons::OK);
}

}  // namespace pakkon
