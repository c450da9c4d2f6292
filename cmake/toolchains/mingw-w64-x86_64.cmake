# mingw-w64-x86_64.cmake -- cross-building the Windows programs (64-bit) on Debian with MinGW-w64.
#
#   cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64-x86_64.cmake \
#         -DFETCHCONTENT_SOURCE_DIR_SFML=/path/to/SFML-2.6.2
#   cmake --build build-win64
#
# Needs g++-mingw-w64-x86-64-posix. The system's SFML is Linux's and out of reach here, so SFML 2.6.2 is
# built from source, statically; so are the C++ runtime and winpthread, leaving .exe files that need only
# DLLs every Windows has.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PELMORA_MINGW_PREFIX x86_64-w64-mingw32)
# The POSIX-threads flavour: it has std::thread and friends, which the win32 flavour lacks.
set(CMAKE_C_COMPILER ${PELMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELMORA_MINGW_PREFIX}-windres)

# Headers and libraries from the cross environment only; programs (cmake, the font tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${PELMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything but the system DLLs linked in: libgcc, libstdc++ and winpthread are not on a player's machine.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

set(PELMORA_SFML_FROM_SOURCE ON CACHE BOOL "Build SFML 2.6.2 from source and link it statically, even if the system has SFML 2")
