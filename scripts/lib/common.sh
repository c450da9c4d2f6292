# common.sh -- set-up shared by the project's scripts: packages from apt, and a private virtual X server.
# Sourced, not run.

# What building the game needs.
build_packages="g++ cmake make pkg-config libsfml-dev fonts-liberation2"
# What a private X server with software OpenGL and the X11 test driver need.
x_packages="xvfb libgl1-mesa-dri libx11-dev libxtst-dev"
# What the test suite needs on top of both.
test_packages="libgtest-dev libbenchmark-dev dpkg-dev desktop-file-utils librsvg2-bin man-db"
# What the package tests need: Debian's checker, the software-centre validator, a differ for two builds.
test_packages="$test_packages lintian appstream diffoscope-minimal git"

# What building SFML 2.6.2 from source needs instead of libsfml-dev: its own build dependencies (graphics,
# window and system only).
sfml_source_packages="libx11-dev libxrandr-dev libxcursor-dev libudev-dev libfreetype-dev libgl-dev"

# Installs whichever of the given Debian packages are missing: with apt-get when root,
# otherwise prints the one command that would and fails.
ensure_packages() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${db:Status-Status}' "$pkg" 2>/dev/null | grep -qx installed || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    return 1
  fi
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  if ! apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null; then
    apt-get update >/dev/null
    apt-get install -y --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

# Starts a private Xvfb on a display it picks itself, waits until it accepts clients (Xvfb writes
# the display number only then) and exports DISPLAY. stop_xvfb ends it.
xvfb_pid=""
start_xvfb() {
  local dir number
  dir=$(mktemp -d)
  mkfifo "$dir/display"
  # Room for the whole window wherever the library puts it (SFML 2.5 centres it by the screen's width on
  # both axes: 800 x 800 lands at 560, 560). No reset when the last client leaves: while it resets it
  # refuses connections, and the next test to start would fail to connect.
  Xvfb -displayfd 3 -screen 0 1920x1440x24 -nolisten tcp -noreset 3>"$dir/display" >"$dir/log" 2>&1 &
  xvfb_pid=$!
  read -r number <"$dir/display" || true
  if [ -z "$number" ]; then
    echo "Xvfb did not start:" >&2
    cat "$dir/log" >&2
    rm -rf "$dir"
    return 1
  fi
  rm -rf "$dir"
  export DISPLAY=":$number"
}

stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=""
  fi
}

# ---- Which SFML: the system's SFML 2, or SFML 2.6.2 built from source ----
# PELMORA_SFML_SOURCE=<folder or .tar.gz>  an offline copy of SFML 2.6.2's source; without it, the source path
#                                          fetches it with git at configure time.
# PELMORA_SFML_FROM_SOURCE=1               the source path even where the system has SFML 2.

# True when apt has, or offers, SFML 2 (Debian 12 and Ubuntu: 2.5.1; newer releases may offer only SFML 3).
apt_offers_sfml2() {
  local version
  version=$(dpkg-query -W -f='${Version}' libsfml-dev 2>/dev/null) || version=""
  if [ -z "$version" ]; then
    version=$(apt-cache policy libsfml-dev 2>/dev/null | sed -n 's/^ *Candidate: *//p')
  fi
  case "$version" in
    2.* | [0-9]:2.*) return 0 ;;
    *) return 1 ;;
  esac
}

# Sets sfml_path to "system", "source" or (without apt) "any" for this machine and installs what that path needs
# on top of the given packages. Without apt it prints what the build needs, in one line, and goes on if the tools
# are there.
ensure_build_packages() {
  if ! command -v apt-get >/dev/null || ! command -v dpkg-query >/dev/null; then
    # No way to tell whether SFML 2 is installed: CMake looks for it and builds from source if it finds none.
    sfml_path=any
    [ "${PELMORA_SFML_FROM_SOURCE:-}" != 1 ] || sfml_path=source
    echo "No apt-get here: the build needs a C++17 compiler, CMake 3.16+, pkg-config, SFML 2 (2.5.1+) or SFML's build" \
      "dependencies (X11, Xrandr, Xcursor, udev, FreeType, OpenGL headers; git and a network, or PELMORA_SFML_SOURCE)" \
      "and a TrueType font (Liberation Sans)${1:+; and what Debian calls $*}"
    local tool
    for tool in cmake c++; do
      command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; return 1; }
    done
    return 0
  fi
  if [ "${PELMORA_SFML_FROM_SOURCE:-}" != 1 ] && apt_offers_sfml2; then
    sfml_path=system
    # shellcheck disable=SC2086
    ensure_packages $build_packages "$@"
  else
    sfml_path=source
    local extra=""
    [ -n "${PELMORA_SFML_SOURCE:-}" ] || extra=git
    # shellcheck disable=SC2086
    ensure_packages ${build_packages/libsfml-dev/} $sfml_source_packages $extra "$@"
  fi
}

# Prints the folder holding SFML's source from PELMORA_SFML_SOURCE: the folder itself, or a tarball unpacked
# once under BUILD_DIR (again only when the tarball changes). Prints nothing without PELMORA_SFML_SOURCE.
sfml_source_dir() {
  local build=$1 source=${PELMORA_SFML_SOURCE:-} into stamp top
  [ -n "$source" ] || return 0
  if [ -d "$source" ]; then
    (cd "$source" && pwd)
    return 0
  fi
  if [ ! -f "$source" ]; then
    echo "PELMORA_SFML_SOURCE=$source: no such folder or file" >&2
    return 1
  fi
  into="$build/_sfml-source"
  stamp="$(cd "$(dirname "$source")" && pwd)/$(basename "$source") $(stat -c '%s %Y' "$source")"
  if [ "$(cat "$into/.unpacked" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$into"
    mkdir -p "$into"
    tar -xzf "$source" -C "$into"
    echo "$stamp" >"$into/.unpacked"
  fi
  # The tarball holds one folder, SFML-2.6.2/.
  top=$(dirname "$(find "$into" -maxdepth 2 -name CMakeLists.txt -print -quit)")
  (cd "$top" && pwd)
}

# Sets sfml_args to the CMake arguments that select the SFML build: the source switch off for the system's, on
# for the source path, none where CMake is left to choose; and the offline copy of the source, if any. BUILD_DIR
# is where a tarball is unpacked.
sfml_args=()
set_sfml_args() {
  local path=$1 build=$2 dir
  sfml_args=()
  case "$path" in
    system)
      sfml_args=(-DPELMORA_SFML_FROM_SOURCE=OFF)
      return 0
      ;;
    source) sfml_args=(-DPELMORA_SFML_FROM_SOURCE=ON) ;;
  esac
  dir=$(sfml_source_dir "$build") || return 1
  [ -z "$dir" ] || sfml_args+=("-DFETCHCONTENT_SOURCE_DIR_SFML=$dir")
}

# What the Windows leg of the tests needs: the MinGW-w64 cross compiler and Wine.
windows_packages="g++-mingw-w64-x86-64-posix wine wine64"

# A throwaway Wine prefix for this run with its server kept up for the whole run, so each program started
# under Wine does not pay for starting one; stop_wine ends the server and removes the prefix.
start_wine() {
  export WINEDEBUG=-all
  # No Mono or Gecko: neither is needed, and wineboot would ask to download them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINEPREFIX=$(mktemp -d)
  export WINEPREFIX
  wineserver -p
  wineboot -i >/dev/null 2>&1
}

stop_wine() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    rm -rf "$WINEPREFIX"
    unset WINEPREFIX
  fi
}
