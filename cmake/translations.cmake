# The catalogues of the English interface, made beside the program from
# the committed sources: translations/pakkon_en.qm for the window (Qt
# Linguist, from translations/pakkon_en.ts) and
# locale/en/LC_MESSAGES/pakkon.mo for the Qt-free core (GNU gettext, from
# translations/en.po). Japanese, the texts' own language, needs neither.
#
# Debian ships lrelease and lupdate in qt6-l10n-tools without the CMake
# package of LinguistTools (that comes with qt6-tools-dev and Qt Designer),
# so the tools are called directly, found beside Qt's other programs.
find_program(PAKKON_LRELEASE NAMES lrelease lrelease-qt6 HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}
             REQUIRED DOC "Qt 6 lrelease (qt6-l10n-tools)")
find_program(PAKKON_LUPDATE NAMES lupdate lupdate-qt6 HINTS ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS}
             DOC "Qt 6 lupdate (qt6-l10n-tools)")
find_program(PAKKON_MSGFMT msgfmt REQUIRED DOC "GNU gettext msgfmt (gettext)")
find_program(PAKKON_XGETTEXT xgettext DOC "GNU gettext xgettext (gettext)")
find_program(PAKKON_MSGMERGE msgmerge DOC "GNU gettext msgmerge (gettext)")
find_program(PAKKON_MSGATTRIB msgattrib DOC "GNU gettext msgattrib (gettext)")

set(pakkon_qm ${PAKKON_PROGRAM_DIR}/translations/pakkon_en.qm)
set(pakkon_mo ${PAKKON_PROGRAM_DIR}/locale/en/LC_MESSAGES/pakkon.mo)
add_custom_command(OUTPUT ${pakkon_qm}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PAKKON_PROGRAM_DIR}/translations
  COMMAND ${PAKKON_LRELEASE} -silent ${PROJECT_SOURCE_DIR}/translations/pakkon_en.ts -qm ${pakkon_qm}
  DEPENDS ${PROJECT_SOURCE_DIR}/translations/pakkon_en.ts
  COMMENT "Making the window's English catalogue pakkon_en.qm"
  VERBATIM)
add_custom_command(OUTPUT ${pakkon_mo}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PAKKON_PROGRAM_DIR}/locale/en/LC_MESSAGES
  COMMAND ${PAKKON_MSGFMT} --check -o ${pakkon_mo} ${PROJECT_SOURCE_DIR}/translations/en.po
  DEPENDS ${PROJECT_SOURCE_DIR}/translations/en.po
  COMMENT "Making the core's English catalogue pakkon.mo"
  VERBATIM)
add_custom_target(translations ALL DEPENDS ${pakkon_qm} ${pakkon_mo})

# Brings both catalogues up to date with the sources: new texts appear
# untranslated (the catalogue test then names them), vanished ones go.
if(PAKKON_LUPDATE AND PAKKON_XGETTEXT AND PAKKON_MSGMERGE AND PAKKON_MSGATTRIB)
  add_custom_target(translations_update
    COMMAND bash ${PROJECT_SOURCE_DIR}/tests/i18n/catalogues.sh update ${PROJECT_SOURCE_DIR} ${PAKKON_LUPDATE}
            ${PAKKON_XGETTEXT} ${PAKKON_MSGMERGE} ${PAKKON_MSGATTRIB}
    VERBATIM)
endif()
unset(pakkon_qm)
unset(pakkon_mo)
