# Installing the game, and its Debian package.
#
# The installed game finds its shared files relative to its own executable
# (../share/pakkon/ beside bin/), so no prefix is built in and an unpacked
# package runs from any root. Each player gets a program folder of their
# own, filled from those files on the first start (src/app/program_folder).
include(GNUInstallDirs)
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
  message(FATAL_ERROR "The game looks for its shared files in ../share/pakkon/ beside its own folder: "
                      "keep CMAKE_INSTALL_BINDIR=bin and CMAKE_INSTALL_DATADIR=share")
endif()

# The desktop entry's name; main.cpp gives the same to the window system.
set(PAKKON_APP_ID io.github.pakkon.Pakkon)
set(PAKKON_MAINTAINER "Pakkon developers <maintainers@pakkon.example>"
    CACHE STRING "The maintainer named in the Debian package and its changelog")
set(PAKKON_SCREENSHOT_URL "https://example.org/pakkon"
    CACHE STRING "Where the screenshots of docs/ are published, for the AppStream metadata")
set(pakkon_shared ${CMAKE_INSTALL_DATADIR}/pakkon)
set(packaging_dir ${CMAKE_BINARY_DIR}/packaging)
set(generated)

# The help pages made from Markdown, beside puzzle-making.html, in the
# program folder too so that its links work there; each also as an English
# page (NAME-en.html) that leads back to puzzle-making-en.html.
find_program(CMARK_GFM cmark-gfm REQUIRED)
set(help_pages ${PROJECT_SOURCE_DIR}/docs/puzzle-making.html ${PROJECT_SOURCE_DIR}/docs/puzzle-making-en.html)
foreach(page docs/puzzle-format.md:puzzle-format:ja data/puzzles/ANSWERS.md:answers:ja
             docs/puzzle-format.md:puzzle-format-en:en data/puzzles/ANSWERS.md:answers-en:en)
  string(REPLACE ":" ";" page ${page})
  list(GET page 0 src)
  list(GET page 1 name)
  list(GET page 2 lang)
  set(html ${PAKKON_PROGRAM_DIR}/docs/${name}.html)
  add_custom_command(OUTPUT ${html}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PAKKON_PROGRAM_DIR}/docs
    COMMAND ${CMAKE_COMMAND} -DCMARK=${CMARK_GFM} -DSRC=${PROJECT_SOURCE_DIR}/${src} -DDST=${html} -DLANG=${lang}
            -P ${PROJECT_SOURCE_DIR}/cmake/help_page.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/${src} ${PROJECT_SOURCE_DIR}/cmake/help_page.cmake
    COMMENT "Making help page ${name}.html"
    VERBATIM)
  list(APPEND help_pages ${html})
  list(APPEND generated ${html})
endforeach()

# Icons in the sizes desktops look for, drawn from the scalable one.
find_program(RSVG_CONVERT rsvg-convert)
set(icon_sizes 16 24 32 48 64 128 256)
if(NOT RSVG_CONVERT)
  message(STATUS "rsvg-convert (librsvg2-bin) missing: only the scalable icon is installed")
  set(icon_sizes)
endif()
foreach(size ${icon_sizes})
  set(png ${packaging_dir}/icons/${size}x${size}/${PAKKON_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_dir}/icons/${size}x${size}
    COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${PROJECT_SOURCE_DIR}/packaging/pakkon.svg
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/pakkon.svg
    VERBATIM)
  list(APPEND generated ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog, compressed as Debian wants them.
find_program(GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/packaging/io.github.pakkon.Pakkon.metainfo.xml.in
               ${packaging_dir}/${PAKKON_APP_ID}.metainfo.xml @ONLY)
foreach(file pakkon.6 pakkon-tool.6 changelog)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/${file} ${packaging_dir}/${file} @ONLY)
  add_custom_command(OUTPUT ${packaging_dir}/${file}.gz
    COMMAND ${GZIP} -9nkf ${packaging_dir}/${file}
    DEPENDS ${packaging_dir}/${file}
    VERBATIM)
  list(APPEND generated ${packaging_dir}/${file}.gz)
endforeach()

add_custom_target(packaging_files ALL DEPENDS ${generated})

# What the game runs from: the executables in bin/, the rest in share/pakkon/.
foreach(target pakkon pakkon-tool)
  if(TARGET ${target})
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/data/Init.ini DESTINATION ${pakkon_shared})
# The puzzles data/puzzles/ makes, one per source.
file(GLOB puzzle_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/puzzles/[0-9][0-9]-*.txt)
foreach(src ${puzzle_sources})
  get_filename_component(name ${src} NAME_WE)
  install(FILES ${CMAKE_BINARY_DIR}/data/puzzles/${name}.bin DESTINATION ${pakkon_shared}/Data)
endforeach()
install(FILES ${help_pages} DESTINATION ${pakkon_shared}/docs)
# The English catalogues (cmake/translations.cmake), found beside the shared
# files as the portable game finds them beside itself.
if(TARGET translations)
  install(FILES ${PAKKON_PROGRAM_DIR}/translations/pakkon_en.qm DESTINATION ${pakkon_shared}/translations)
  install(FILES ${PAKKON_PROGRAM_DIR}/locale/en/LC_MESSAGES/pakkon.mo
          DESTINATION ${pakkon_shared}/locale/en/LC_MESSAGES)
endif()

# The desktop's view of it.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${PAKKON_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${packaging_dir}/${PAKKON_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pakkon.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${PAKKON_APP_ID}.svg)
install(FILES ${packaging_dir}/pakkon.6.gz ${packaging_dir}/pakkon-tool.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${packaging_dir}/changelog.gz ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME pakkon)

# cpack -G DEB: the dependencies on libraries come from the binaries
# (dpkg-shlibdeps); Qt's window-system plugins and a Japanese font are
# loaded at run time, so they are named here.
set(CPACK_PACKAGE_NAME pakkon)
set(CPACK_PACKAGE_VENDOR "The Pakkon developers")
set(CPACK_PACKAGE_CONTACT ${PAKKON_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "three-dimensional packing puzzle game")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Turn and move up to eight polycube blocks and load them into a box of two\n"
  "to four cells a side until it is exactly full. Thirteen puzzles from easy\n"
  "to hard, a demonstration in which the game fills a box by itself, unlimited\n"
  "undo and a preview of where a block would land. The interface is in\n"
  "Japanese or English.\n"
  "pakkon-tool, a command-line companion, checks, solves, draws and makes\n"
  "puzzle files.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PAKKON_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# Nothing of the above leaks into the folders added after this file.
unset(src)
unset(name)
unset(lang)
unset(html)
unset(png)
unset(generated)
unset(help_pages)
unset(icon_sizes)
unset(puzzle_sources)
unset(packaging_dir)
unset(pakkon_shared)
