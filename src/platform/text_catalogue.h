#pragma once
// The words the player reads, in the chosen language. The Japanese text is
// its own key in the "pakkon" GNU gettext catalogue (translations/en.po,
// made into locale/en/LC_MESSAGES/pakkon.mo beside the program), so a text
// without a translation, or the Japanese game, shows it unchanged.

#include <initializer_list>
#include <string>
#include <string_view>

namespace pakkon {

inline constexpr const char* kTextDomain = "pakkon";

// Marks a constant for the catalogue without looking it up; fncText looks
// it up where it is shown.
constexpr const char* fncText_mark(const char* japanese) { return japanese; }

// The text in the chosen language.
const char* fncText(const char* japanese);

// A message in the chosen language with "%1" to "%9" replaced by the
// arguments, so a translation can place them where its grammar wants them.
// Its lines are written with plain line feeds, in the sources and in the
// catalogue, and come out joined by CR LF as message boxes take them.
std::string fncText_message(const char* japanese, std::initializer_list<std::string_view> args = {});

// "en": English from localeDir/en/LC_MESSAGES/pakkon.mo for the rest of the
// process; anything else: Japanese, the catalogue left alone. False when
// English was asked for and its catalogue cannot be found (then Japanese).
bool subTextLanguage_set(const std::string& language, const std::string& localeDir);

bool fncText_english();

}  // namespace pakkon
