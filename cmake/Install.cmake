# Install.cmake -- where `cmake --install` puts the game: programs under libexec/pelmora, the data
# folder share/pelmora with arial.ttf, launchers on the PATH that run a program inside that folder,
# and the desktop entry, software-centre metadata, icon, man page, changelog and copyright.
# Components: "game" is everything but the launchers and the font; "launchers" puts them in bin;
# "font" is the staged copy. Only for the Debian package, which ships no font and keeps games' commands
# in games: "games-launchers", "font-link" (a link to the font package's own file) and "lintian".
include(GNUInstallDirs)

# Named in the package's control file and its changelog.
set(PELMORA_MAINTAINER "Pelmora developers <pelmora@pelmora.invalid>" CACHE STRING
  "Maintainer of the Debian package, as \"Name <address>\"")
# The name software centres know the game by: its desktop entry's and its metadata's.
set(PELMORA_APP_ID io.github.pelmora.pelmora)
# Where the game is published; its screenshot is there as docs/screenshot.png.
set(PELMORA_HOMEPAGE https://github.com/pelmora/pelmora)
# The release notes, the changelog made from them and the time stamped on the package's files.
include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)

set(PELMORA_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/pelmora)
set(PELMORA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/pelmora)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS game demo RUNTIME DESTINATION ${PELMORA_PROGRAM_DIR} COMPONENT game)
install(FILES ${PELMORA_STAGED_FONT} DESTINATION ${PELMORA_DATA_DIR} COMPONENT font)

# The launchers find the program and the data relative to themselves, so an unpacked root works too.
# The same pair goes in bin, or in games for the Debian package.
foreach(place bin:launchers games:games-launchers)
  string(REPLACE ":" ";" place ${place})
  list(GET place 0 launcher_dir)
  list(GET place 1 launcher_component)
  if(launcher_dir STREQUAL "bin")
    set(launcher_dir ${CMAKE_INSTALL_BINDIR})
    unset(exclude)
  else()
    set(exclude EXCLUDE_FROM_ALL)
  endif()
  set(full_dir ${CMAKE_INSTALL_PREFIX}/${launcher_dir})
  file(RELATIVE_PATH LAUNCHER_PROGRAM_DIR ${full_dir} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/pelmora)
  file(RELATIVE_PATH LAUNCHER_DATA_DIR ${full_dir} ${CMAKE_INSTALL_FULL_DATADIR}/pelmora)
  foreach(launcher pelmora:game pelmora-demo:demo)
    string(REPLACE ":" ";" launcher ${launcher})
    list(GET launcher 0 LAUNCHER_NAME)
    list(GET launcher 1 LAUNCHER_PROGRAM)
    configure_file(${packaging_dir}/launcher.sh.in ${packaging_out}/${launcher_component}/${LAUNCHER_NAME} @ONLY)
    install(PROGRAMS ${packaging_out}/${launcher_component}/${LAUNCHER_NAME} DESTINATION ${launcher_dir}
      COMPONENT ${launcher_component} ${exclude})
  endforeach()
endforeach()

install(FILES ${packaging_dir}/pelmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  RENAME ${PELMORA_APP_ID}.desktop COMPONENT game)
configure_file(${packaging_dir}/metainfo.xml.in ${packaging_out}/${PELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${packaging_out}/${PELMORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
  COMPONENT game)
install(FILES ${packaging_dir}/pelmora.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pelmora COMPONENT game)
install(FILES ${packaging_dir}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
  RENAME pelmora COMPONENT lintian EXCLUDE_FROM_ALL)

# A PNG icon for menus that take no SVG, when a renderer is at hand.
find_program(PELMORA_RSVG_CONVERT rsvg-convert)
if(PELMORA_RSVG_CONVERT)
  set(PELMORA_ICON_PNG ${packaging_out}/pelmora.png)
  add_custom_command(OUTPUT ${PELMORA_ICON_PNG}
    COMMAND ${PELMORA_RSVG_CONVERT} -w 128 -h 128 -o ${PELMORA_ICON_PNG} ${packaging_dir}/pelmora.svg
    DEPENDS ${packaging_dir}/pelmora.svg
    COMMENT "Rendering the 128x128 icon")
  add_custom_target(icon ALL DEPENDS ${PELMORA_ICON_PNG})
  install(FILES ${PELMORA_ICON_PNG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps COMPONENT game)
else()
  message(STATUS "No rsvg-convert: the icon is installed as SVG only")
endif()

# The changelog from NEWS, compressed as Debian keeps it (-n: no name or time in the bytes).
find_program(PELMORA_GZIP gzip)
if(PELMORA_GZIP)
  add_custom_command(OUTPUT ${packaging_out}/changelog.gz
    COMMAND ${PELMORA_GZIP} -9nf -k ${packaging_out}/changelog
    DEPENDS ${packaging_out}/changelog
    COMMENT "Compressing the changelog")
  add_custom_target(changelog ALL DEPENDS ${packaging_out}/changelog.gz)
  set(changelog_suffix .gz)
endif()
install(FILES ${packaging_out}/changelog${changelog_suffix} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pelmora
  COMPONENT game)

# The man page, compressed as Debian keeps them; pelmora-demo's is a link to it.
configure_file(${packaging_dir}/pelmora.6.in ${packaging_out}/pelmora.6 @ONLY)
if(PELMORA_GZIP)
  add_custom_command(OUTPUT ${packaging_out}/pelmora.6.gz
    COMMAND ${PELMORA_GZIP} -9nf -k ${packaging_out}/pelmora.6
    DEPENDS ${packaging_out}/pelmora.6
    COMMENT "Compressing the man page")
  add_custom_target(manpage ALL DEPENDS ${packaging_out}/pelmora.6.gz)
  set(man_suffix .gz)
endif()
file(CREATE_LINK pelmora.6${man_suffix} ${packaging_out}/pelmora-demo.6${man_suffix} SYMBOLIC)
install(FILES ${packaging_out}/pelmora.6${man_suffix} ${packaging_out}/pelmora-demo.6${man_suffix}
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man6 COMPONENT game)
