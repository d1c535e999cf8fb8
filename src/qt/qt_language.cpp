#include "qt/qt_language.h"

#include <QCoreApplication>
#include <QString>
#include <QTranslator>

#include "platform/text_catalogue.h"
#include "qt/qt_dialogs.h"

namespace pakkon {

bool subLanguage_install(QCoreApplication& app, const std::string& language, const std::string& shippedDir) {
  const std::string lang = language == kLanguageEnglish ? kLanguageEnglish : kLanguageJapanese;
  subQtTranslations_install(app, QString::fromStdString(lang));

  const QString name = QStringLiteral("pakkon");
  for (QTranslator* old : app.findChildren<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  bool ok = subTextLanguage_set(lang, shippedDir + "/locale");
  if (lang == kLanguageJapanese) return ok;
  auto* translator = new QTranslator(&app);
  translator->setObjectName(name);
  if (!translator->load(QStringLiteral("pakkon_") + QString::fromStdString(lang),
                        QString::fromStdString(shippedDir + "/translations"))) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator) && ok;
}

}  // namespace pakkon
