# SFML.cmake -- the SFML the programs link: the system's SFML 2 (2.5.1 on) when it has one, otherwise
# SFML 2.6.2 built here from source, graphics, window and system only, linked statically.
#
# -DPELMORA_SFML_FROM_SOURCE=ON       build from source even where the system has SFML 2
# -DFETCHCONTENT_SOURCE_DIR_SFML=DIR  build from this unpacked source instead of fetching it (offline)
option(PELMORA_SFML_FROM_SOURCE "Build SFML 2.6.2 from source and link it statically, even if the system has SFML 2" OFF)

if(NOT PELMORA_SFML_FROM_SOURCE)
  # Asking for 2.5 accepts any later 2.x and refuses 3.x, whose major version differs.
  find_package(SFML 2.5 COMPONENTS graphics window system QUIET)
endif()

if(SFML_FOUND)
  set(PELMORA_SFML_ORIGIN "the system (${SFML_DIR})")
  set(PELMORA_SFML_BUILT_HERE OFF)
else()
  include(FetchContent)
  FetchContent_Declare(SFML
    GIT_REPOSITORY https://github.com/SFML/SFML.git
    GIT_TAG 2.6.2
    GIT_SHALLOW ON)
  FetchContent_GetProperties(SFML)
  if(NOT sfml_POPULATED)
    FetchContent_Populate(SFML)
    # Static, the three modules the programs use, nothing else; SFML's own options read these.
    set(BUILD_SHARED_LIBS OFF)
    set(SFML_BUILD_AUDIO OFF)
    set(SFML_BUILD_NETWORK OFF)
    set(SFML_BUILD_EXAMPLES OFF)
    set(SFML_BUILD_DOC OFF)
    set(SFML_BUILD_TEST_SUITE OFF)
    set(SFML_INSTALL_PKGCONFIG_FILES OFF)
    # A cross build looks for headers and libraries under the target's root only; the ones SFML bundles
    # (FreeType for MinGW) lie in its own tree, which must count as part of that root.
    if(CMAKE_CROSSCOMPILING)
      list(APPEND CMAKE_FIND_ROOT_PATH ${sfml_SOURCE_DIR}/extlibs)
    endif()
    # Out of "all" and out of our install: only what the programs link is built, and SFML installs nothing.
    add_subdirectory(${sfml_SOURCE_DIR} ${sfml_BINARY_DIR} EXCLUDE_FROM_ALL)
  endif()
  set(SFML_VERSION 2.6.2)
  set(PELMORA_SFML_BUILT_HERE ON)
  if(FETCHCONTENT_SOURCE_DIR_SFML)
    set(PELMORA_SFML_ORIGIN "source at ${FETCHCONTENT_SOURCE_DIR_SFML}, built here, static")
  else()
    set(PELMORA_SFML_ORIGIN "source fetched at tag 2.6.2, built here, static")
  endif()
endif()

if(SFML_VERSION VERSION_LESS 2.6)
  set(PELMORA_SFML_NOTE "; Pelmora targets 2.6+, and ${SFML_VERSION} has every call it uses")
endif()
message(STATUS "SFML ${SFML_VERSION} from ${PELMORA_SFML_ORIGIN}${PELMORA_SFML_NOTE}")
# Short, for the test scripts' summaries.
if(PELMORA_SFML_BUILT_HERE)
  set(PELMORA_SFML_DESCRIPTION "SFML ${SFML_VERSION} (source, static)" CACHE INTERNAL "")
else()
  set(PELMORA_SFML_DESCRIPTION "SFML ${SFML_VERSION} (system)" CACHE INTERNAL "")
endif()
