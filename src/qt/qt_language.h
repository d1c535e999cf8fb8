#pragma once
// The language of the whole program, chosen once at start: Qt's own texts,
// the window's (Qt Linguist, translations/pakkon_<language>.qm) and the
// core's (GNU gettext, locale/<language>/LC_MESSAGES/pakkon.mo), the last
// two read from the folder of the shipped files. Japanese is the texts'
// own language and needs no catalogue of the program's.

#include <string>

class QCoreApplication;

namespace pakkon {

inline constexpr const char* kLanguageJapanese = "ja";
inline constexpr const char* kLanguageEnglish = "en";

// Replaces what an earlier call installed. False when a catalogue of the
// program's could not be loaded: its texts stay Japanese.
bool subLanguage_install(QCoreApplication& app, const std::string& language, const std::string& shippedDir);

}  // namespace pakkon
