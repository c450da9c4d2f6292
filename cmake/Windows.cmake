# Windows.cmake -- the Windows download (cpack -G ZIP): pelmora-<version>-win64.zip holding game.exe and
# demo.exe, the font as arial.ttf beside them with its licence, LICENSE and README.txt. Everything sits at
# the top of the zip, so "Extract all" gives one folder to play from.

# The font's licence travels with it. By default the copyright file of the Debian package that owns the
# staged font (fonts-liberation2's holds the SIL Open Font License 1.1 in full).
set(PELMORA_FONT_LICENSE "" CACHE FILEPATH "Licence text of the staged font, shipped beside it in the zip")
set(font_license ${PELMORA_FONT_LICENSE})
find_program(PELMORA_DPKG dpkg)
if(NOT font_license AND PELMORA_DPKG)
  get_filename_component(font_real ${PELMORA_FONT_FOUND} REALPATH)
  foreach(font_path IN ITEMS ${PELMORA_FONT_FOUND} ${font_real})
    execute_process(COMMAND ${PELMORA_DPKG} -S ${font_path}
      OUTPUT_VARIABLE owner RESULT_VARIABLE owner_status ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(owner_status EQUAL 0 AND owner MATCHES "^([^:, ]+)(:[^:]+)?: " AND
       EXISTS /usr/share/doc/${CMAKE_MATCH_1}/copyright)
      set(font_license /usr/share/doc/${CMAKE_MATCH_1}/copyright)
      set(font_origin "${CMAKE_MATCH_1}")
      break()
    endif()
  endforeach()
endif()
if(NOT font_license OR NOT EXISTS ${font_license})
  message(WARNING "No licence text for ${PELMORA_FONT_FOUND}: pass -DPELMORA_FONT_LICENSE=FILE; no zip until then")
  return()
endif()
get_filename_component(font_name ${PELMORA_FONT_FOUND} NAME)
if(NOT font_origin)
  set(font_origin "${font_license}")
endif()
file(READ ${font_license} font_license_text)
set(windows_out ${CMAKE_BINARY_DIR}/packaging/windows)
file(WRITE ${windows_out}/FONT-LICENSE.txt
  "arial.ttf is ${font_name}, renamed so that the game finds it (from ${font_origin}).\n"
  "It is not part of Pelmora; its copyright and licence follow.\n\n${font_license_text}")
configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/README.txt.in ${windows_out}/README.txt @ONLY)
message(STATUS "Windows zip: arial.ttf is ${font_name}, licence from ${font_license}")

install(TARGETS game demo RUNTIME DESTINATION . COMPONENT game)
install(FILES ${PELMORA_STAGED_FONT} ${windows_out}/FONT-LICENSE.txt ${windows_out}/README.txt
  ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION . COMPONENT game)

# cpack packs what is built and builds nothing (as for the Debian package).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VENDOR "The Pelmora developers")
set(PELMORA_WINDOWS_ZIP pelmora-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_FILE_NAME ${PELMORA_WINDOWS_ZIP})
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_STRIP_FILES ON)
include(CPack)
