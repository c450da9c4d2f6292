# Package.cmake -- the Debian package (cpack -G DEB): pelmora_<version>_<arch>.deb with everything
# Install.cmake puts in "game", and arial.ttf as a link to the font package's file, not a copy.
# Depends is computed: dpkg-shlibdeps for the SFML the programs link, plus the package that owns
# the font the build staged.

# The package that owns the font: dpkg -S answers "name: path" (or "name:arch: path").
find_program(PELMORA_DPKG dpkg)
set(PELMORA_FONT_PACKAGE "")
if(PELMORA_DPKG)
  get_filename_component(font_real ${PELMORA_FONT_FOUND} REALPATH)
  foreach(font_path IN ITEMS ${PELMORA_FONT_FOUND} ${font_real})
    execute_process(COMMAND ${PELMORA_DPKG} -S ${font_path}
      OUTPUT_VARIABLE owner RESULT_VARIABLE owner_status ERROR_QUIET OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(owner_status EQUAL 0 AND owner MATCHES "^([^:, ]+)(:[^:]+)?: ")
      set(PELMORA_FONT_PACKAGE ${CMAKE_MATCH_1})
      set(PELMORA_FONT_PACKAGED_PATH ${font_path})
      break()
    endif()
  endforeach()
endif()
if(NOT PELMORA_FONT_PACKAGE)
  message(STATUS "No Debian package: ${PELMORA_FONT_FOUND} belongs to no installed package, and the package ships no font")
  return()
endif()
message(STATUS "Debian package: arial.ttf links to ${PELMORA_FONT_PACKAGED_PATH} from ${PELMORA_FONT_PACKAGE}")

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

# The link, made here and installed as it is (install keeps links as links). Relative, as Debian wants links
# within one top-level folder: ../fonts/truetype/... from /usr/share/pelmora.
file(RELATIVE_PATH font_link_target ${CPACK_PACKAGING_INSTALL_PREFIX}/${PELMORA_DATA_DIR}
  ${PELMORA_FONT_PACKAGED_PATH})
set(font_link ${CMAKE_BINARY_DIR}/packaging/font-link/arial.ttf)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging/font-link)
file(CREATE_LINK ${font_link_target} ${font_link} SYMBOLIC)
install(FILES ${font_link} DESTINATION ${PELMORA_DATA_DIR} COMPONENT font-link EXCLUDE_FROM_ALL)

# Two packages of one commit are the same bytes: cpack stamps every file with SOURCE_DATE_EPOCH, which it
# takes from its environment; unless a packager's tools set it, it is the time Release.cmake chose.
set(epoch_config ${CMAKE_BINARY_DIR}/packaging/cpack-epoch.cmake)
file(WRITE ${epoch_config} "if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})\n"
  "  set(ENV{SOURCE_DATE_EPOCH} ${PELMORA_SOURCE_DATE_EPOCH})\n"
  "endif()\n")
set(CPACK_PROJECT_CONFIG_FILE ${epoch_config})

# cpack packs what is built and builds nothing: otherwise its "preinstall" step would first rebuild
# every target, relinking programs that tests running beside it are using. Build before installing.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pelmora)
set(CPACK_PACKAGE_VENDOR "The Pelmora developers")
set(CPACK_PACKAGE_CONTACT ${PELMORA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "falling-circles arcade game")
set(CPACK_PACKAGE_DESCRIPTION "Steer a blue circle along the bottom of the window while 100 red circles
fall from above; every one that falls past without touching it scores a point.
Score 80 and you win. Also contains pelmora-demo, a smoke test for the
graphics library.")
set(CPACK_STRIP_FILES ON)

# One package from the chosen components; plain `cmake --install` takes the font copy instead.
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL game games-launchers font-link lintian)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PELMORA_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS ${PELMORA_FONT_PACKAGE})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
