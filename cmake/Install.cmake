# Install.cmake -- where `cmake --install` puts the game: programs under libexec/pelmora, the data
# folder share/pelmora with arial.ttf, launchers on the PATH that run a program inside that folder,
# and the desktop entry, icon, man page and copyright.
# Components: "game" is everything but the font; "font" is the staged copy; "font-link" (only for
# the Debian package, which ships no font) is a link to the font package's own file instead.
include(GNUInstallDirs)

set(PELMORA_PROGRAM_DIR ${CMAKE_INSTALL_LIBEXECDIR}/pelmora)
set(PELMORA_DATA_DIR ${CMAKE_INSTALL_DATADIR}/pelmora)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS game demo RUNTIME DESTINATION ${PELMORA_PROGRAM_DIR} COMPONENT game)
install(FILES ${PELMORA_STAGED_FONT} DESTINATION ${PELMORA_DATA_DIR} COMPONENT font)

# The launchers find the program and the data relative to themselves, so an unpacked root works too.
file(RELATIVE_PATH LAUNCHER_PROGRAM_DIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBEXECDIR}/pelmora)
file(RELATIVE_PATH LAUNCHER_DATA_DIR ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/pelmora)
foreach(launcher pelmora:game pelmora-demo:demo)
  string(REPLACE ":" ";" launcher ${launcher})
  list(GET launcher 0 LAUNCHER_NAME)
  list(GET launcher 1 LAUNCHER_PROGRAM)
  configure_file(${packaging_dir}/launcher.sh.in ${packaging_out}/${LAUNCHER_NAME} @ONLY)
  install(PROGRAMS ${packaging_out}/${LAUNCHER_NAME} DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT game)
endforeach()

install(FILES ${packaging_dir}/pelmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT game)
install(FILES ${packaging_dir}/pelmora.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT game)
install(FILES ${packaging_dir}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/pelmora COMPONENT game)

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

# The man page, compressed as Debian keeps them; pelmora-demo's is a link to it.
configure_file(${packaging_dir}/pelmora.6.in ${packaging_out}/pelmora.6 @ONLY)
find_program(PELMORA_GZIP gzip)
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
