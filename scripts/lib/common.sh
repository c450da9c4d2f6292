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
