#!/usr/bin/env bash
# package_test.sh -- the Debian package and the install, checked as a player would get them.
#   build          cpack makes pelmora_<version>_<arch>.deb in PACKAGE_DIR, away from the build tree's targets
#   contents       its control fields, computed Depends, files, desktop entry, icon, man page and copyright
#   lintian        Debian's checker finds nothing but the tags packaging/lintian-overrides gives reasons for
#   appstream      the software-centre metadata and the desktop entry it launches validate without a remark
#   launch         unpacked into a temporary root, its launchers run from an unrelated folder under X
#   no-display     without DISPLAY the launchers say why in one line and exit 1, leaving no core
#   system-install installed for real with apt, /usr/games/pelmora plays, and removing it leaves nothing
#   reproducible   two builds of the sources in two other folders, one after the other, make the same bytes
#   install        a plain `cmake --install` carries a copy of the staged font, not a link
# Settings come from the environment (tests/package/CMakeLists.txt). Exit 77 means skipped.
set -euo pipefail

part=${1:?usage: package_test.sh build|contents|lintian|appstream|launch|no-display|system-install|reproducible|install}
tmp=$(mktemp -d)
pids=()
installed=""
cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  [ -z "$installed" ] || purge_package
  rm -rf "$tmp"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
need() {
  local tool
  for tool in "$@"; do command -v "$tool" >/dev/null || skip "$tool is not installed"; done
}

arch=$(dpkg --print-architecture 2>/dev/null) || skip "dpkg is not installed"
deb="$PACKAGE_DIR/pelmora_${PELMORA_VERSION}_${arch}.deb"

# Waits for a program's exit, at most SECONDS (only against hangs), and sets status to its exit status.
# Not in a subshell: only the shell that started the program can wait for it.
await_exit() {
  local pid=$1 seconds=$2 tenths=0
  while kill -0 "$pid" 2>/dev/null; do
    [ "$tenths" -lt $((seconds * 10)) ] || fail "pid $pid still running after ${seconds}s"
    # Between looks at the program: the shell can wait for a child, but not with a timeout against hangs.
    sleep 0.1
    tenths=$((tenths + 1))
  done
  status=0
  wait "$pid" || status=$?
}

# Prints the box around the pixels of colour R G B in a fresh screenshot of the window,
# retrying while the program has not drawn them yet (at most 10 s, against hangs).
colour_box() {
  local title=$1 r=$2 g=$3 b=$4 box
  for _ in $(seq 50); do
    "$XDRIVE" screenshot "$title" "$tmp/shot.png" || fail "no screenshot of \"$title\""
    if box=$("$COLOUR_BOX" "$tmp/shot.png" "$r" "$g" "$b"); then
      echo "$box"
      return 0
    fi
    # Between screenshots: the X server sends no event when another client draws.
    sleep 0.2
  done
  fail "\"$title\" never showed colour $r $g $b"
}

# Box X0 Y0 X1 Y1 lies within LEFT TOP RIGHT BOTTOM and is at least MIN_W by MIN_H.
box_within() {
  local what=$1 box=$2 left=$3 top=$4 right=$5 bottom=$6 min_w=$7 min_h=$8 x0 y0 x1 y1
  read -r x0 y0 x1 y1 <<<"$box"
  if [ "$x0" -lt "$left" ] || [ "$y0" -lt "$top" ] || [ "$x1" -gt "$right" ] || [ "$y1" -gt "$bottom" ] ||
     [ $((x1 - x0 + 1)) -lt "$min_w" ] || [ $((y1 - y0 + 1)) -lt "$min_h" ]; then
    fail "$what spans $box, expected within $left $top $right $bottom and at least ${min_w}x$min_h"
  fi
}

# The window titled TITLE is W H; else the program's log tells why. Tests beside this one may flash a window
# of the same title (a game refusing its font): one that goes away is asked again, for at most 5 s.
window_is() {
  local title=$1 expected=$2 log=$3 size=""
  for _ in $(seq 25); do
    size=$("$XDRIVE" size "$title" 2>/dev/null) && break
    sleep 0.2
  done
  [ -n "$size" ] || { cat "$log" >&2; fail "the \"$title\" window went away"; }
  [ "$size" = "$expected" ] || fail "the \"$title\" window is $size, not $expected"
}

# Starts LAUNCHER from FOLDER in the background; its pid goes into pids and $started.
start_in() {
  local folder=$1 launcher=$2
  (cd "$folder" && exec "$launcher") >"$tmp/$(basename "$launcher").log" 2>&1 &
  started=$!
  pids+=("$started")
}

# The owner of an installed file, as dpkg -S prints it ("name: path" or "name:arch: path").
owner_of() { { dpkg -S "$1" 2>/dev/null || true; } | sed -n '1s/^\([^:]*\).*/\1/p'; }

no_package() { [ -n "$FONT_PACKAGE" ] || skip "the staged font belongs to no Debian package, so no package is configured"; }

build() {
  no_package
  need dpkg-shlibdeps
  rm -rf "$PACKAGE_DIR"
  "$CPACK_COMMAND" --config "$BUILD_DIR/CPackConfig.cmake" -B "$PACKAGE_DIR" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
  [ -f "$deb" ] || { ls "$PACKAGE_DIR" >&2; fail "no $(basename "$deb")"; }
  local debs
  debs=$(find "$PACKAGE_DIR" -maxdepth 1 -name '*.deb' | wc -l)
  [ "$debs" -eq 1 ] || fail "$debs packages made, expected one"
  echo "built $(basename "$deb")"
}

contents() {
  no_package
  need dpkg-deb desktop-file-validate
  local field expected
  for field in Package:pelmora "Version:$PELMORA_VERSION" "Architecture:$arch" Section:games; do
    expected=${field#*:}
    [ "$(dpkg-deb -f "$deb" "${field%%:*}")" = "$expected" ] || fail "${field%%:*} is not $expected"
  done

  # Depends: the packages of the SFML libraries the programs link and of the staged font, all installed here.
  local depends names soname path owner
  depends=$(dpkg-deb -f "$deb" Depends)
  echo "Depends: $depends"
  names=" $(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | tr '\n' ' ') "
  for soname in $(objdump -p "$GAME" "$DEMO" | awk '$1 == "NEEDED" && $2 ~ /^libsfml-/ {print $2}' | sort -u); do
    path=$(ldd "$GAME" "$DEMO" | awk -v lib="$soname" '$1 == lib {print $3; exit}')
    owner=$(owner_of "$path")
    [ -n "$owner" ] || owner=$(owner_of "$(readlink -f "$path")")
    [ -n "$owner" ] || fail "no package owns $soname ($path)"
    [[ $names == *" $owner "* ]] || fail "Depends lacks $owner, which holds $soname"
  done
  [[ $names == *" libsfml-graphics"* ]] || fail "Depends names no SFML graphics library"
  [[ $names == *" $FONT_PACKAGE "* ]] || fail "Depends lacks the font package $FONT_PACKAGE"
  [[ $names == *" libc6 "* ]] || fail "Depends lacks libc6: were shared-library dependencies computed?"
  for owner in $names; do
    dpkg-query -W -f='${db:Status-Status}' "$owner" 2>/dev/null | grep -qx installed ||
      fail "Depends names $owner, which this machine the package was built on does not have"
  done

  # Files, by type; the font is a link into the font package, which owns its target.
  dpkg-deb -c "$deb" | awk '{sub(/^\./, "", $6); print substr($1, 1, 1), $6, $8}' >"$tmp/list"
  local entry
  for entry in "- /usr/games/pelmora" "- /usr/games/pelmora-demo" "- /usr/libexec/pelmora/game" \
      "- /usr/libexec/pelmora/demo" "- /usr/share/applications/$APP_ID.desktop" \
      "- /usr/share/metainfo/$APP_ID.metainfo.xml" "- /usr/share/icons/hicolor/scalable/apps/pelmora.svg" \
      "- /usr/share/doc/pelmora/copyright" "- /usr/share/doc/pelmora/changelog.gz" \
      "- /usr/share/man/man6/pelmora.6.gz" "l /usr/share/pelmora/arial.ttf"; do
    grep -q "^$entry" "$tmp/list" || fail "package lacks $entry"
  done
  if [ -n "$ICON_PNG" ]; then
    grep -q "^- /usr/share/icons/hicolor/128x128/apps/pelmora.png" "$tmp/list" || fail "package lacks the PNG icon"
  fi
  ! grep -q '^. /usr/bin/' "$tmp/list" || fail "package puts commands in /usr/bin, not /usr/games"
  ! grep -Ei '^- .*\.(ttf|otf)' "$tmp/list" || fail "package carries a font file"
  # Relative, as links within /usr should be, and landing on the font package's file once installed.
  local target
  target=$(awk '$2 == "/usr/share/pelmora/arial.ttf" {print $3}' "$tmp/list")
  [[ $target == ../* ]] || fail "arial.ttf links to \"$target\", not to a relative path"
  target=$(realpath -m "/usr/share/pelmora/$target")
  [ "$(owner_of "$target")" = "$FONT_PACKAGE" ] || fail "arial.ttf links to $target, which $FONT_PACKAGE does not own"

  # Every file carries the one time the build chose, so two builds of one commit match.
  local times
  times=$(dpkg-deb --fsys-tarfile "$deb" | tar -t --full-time -v | awk '{print $4 " " $5}' | sort -u)
  [ "$times" = "$(date -u -d "@$PACKAGE_EPOCH" '+%Y-%m-%d %H:%M:%S')" ] ||
    fail "the package's files carry the times $times, not only the time $PACKAGE_EPOCH"

  # What a menu, man and a reader of the copyright see.
  local root=$tmp/root
  dpkg -x "$deb" "$root"
  local desktop=$root/usr/share/applications/$APP_ID.desktop
  desktop-file-validate "$desktop" || fail "desktop entry does not validate"
  grep -qx 'Categories=Game;ArcadeGame;' "$desktop" || fail "desktop entry categories"
  grep -qx 'Exec=pelmora' "$desktop" || fail "desktop entry does not run pelmora"
  grep -qx 'Icon=pelmora' "$desktop" || fail "desktop entry names another icon"
  grep -q '<svg' "$root/usr/share/icons/hicolor/scalable/apps/pelmora.svg" || fail "the SVG icon is not SVG"
  if [ -n "$ICON_PNG" ]; then
    [ "$(head -c 8 "$root/usr/share/icons/hicolor/128x128/apps/pelmora.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] ||
      fail "the PNG icon is not PNG"
  fi
  if command -v man >/dev/null; then
    local page warnings
    page=$(MANWIDTH=80 man -l "$root/usr/share/man/man6/pelmora.6.gz" 2>"$tmp/man.err")
    warnings=$(MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$root/usr/share/man/man6/pelmora.6.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man page warnings: $warnings"
    [[ $page == *"pelmora, pelmora-demo"* && $page == *"Points: N/80"* ]] || fail "man page lacks its name or the score line"
    [[ $page == *"Pelmora $PELMORA_VERSION"* ]] || fail "man page does not carry version $PELMORA_VERSION"
    [ "$(readlink "$root/usr/share/man/man6/pelmora-demo.6.gz")" = pelmora.6.gz ] || fail "pelmora-demo has no man page"
  else
    echo "no man: the man page is checked for presence only"
  fi
  local copyright=$root/usr/share/doc/pelmora/copyright
  head -1 "$copyright" | grep -q '^Format: .*copyright-format/1.0/' || fail "copyright is not in the machine-readable format"
  grep -qx 'Files: \*' "$copyright" && grep -qx 'License: MIT' "$copyright" || fail "copyright lacks the project's licence"
  local changelog
  changelog=$(zcat "$root/usr/share/doc/pelmora/changelog.gz")
  [[ $changelog == "pelmora ($PELMORA_VERSION) unstable; urgency=medium"* ]] ||
    fail "the changelog does not begin with version $PELMORA_VERSION: $(head -1 <<<"$changelog")"
  echo "contents and Depends checked"
}

# Lintian's verdict on the package, every tag shown; only overridden ones (O:), with their reasons (N:), may be there.
lintian_check() {
  no_package
  need lintian
  local overrides=$SOURCE_DIR/packaging/lintian-overrides line previous=""
  # Each override follows a comment that says why.
  while IFS= read -r line; do
    if [ -n "$line" ] && [[ $line != "#"* ]] && [[ $previous != "#"* ]]; then
      fail "the override \"$line\" in packaging/lintian-overrides has no comment above it saying why"
    fi
    previous=$line
  done <"$overrides"
  lintian --pedantic -I -E --show-overrides --tag-display-limit 0 "$deb" >"$tmp/lintian" 2>"$tmp/lintian.err" ||
    { cat "$tmp/lintian" "$tmp/lintian.err" >&2; fail "lintian failed to run"; }
  cat "$tmp/lintian"
  ! grep -Ev '^(O|N): ' "$tmp/lintian" >/dev/null || fail "lintian tags the package"
  echo "lintian: nothing but overridden tags"
}

appstream() {
  no_package
  need appstreamcli
  local root=$tmp/root output
  dpkg -x "$deb" "$root"
  # The whole tree: the metadata and the desktop entry it names.
  output=$(appstreamcli validate-tree --pedantic --no-net "$root" 2>&1) || { echo "$output" >&2; fail "appstreamcli rejects the package"; }
  echo "$output"
  ! grep -Eq '^ *[EWIP]: ' <<<"$output" || fail "appstreamcli has remarks on the package's metadata"
  output=$(appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$APP_ID.metainfo.xml" 2>&1) ||
    { echo "$output" >&2; fail "appstreamcli rejects the metadata"; }
  ! grep -Eq '^ *[EWIP]: ' <<<"$output" || { echo "$output" >&2; fail "appstreamcli has remarks on the metadata"; }
  local metainfo
  metainfo=$(cat "$root/usr/share/metainfo/$APP_ID.metainfo.xml")
  [[ $metainfo == *"<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>"* ]] || fail "metadata launches another desktop entry"
  [[ $metainfo == *"<release version=\"$PELMORA_VERSION\" date=\"20"* ]] || fail "metadata lacks release $PELMORA_VERSION and its date"
  [[ $metainfo == *"<project_license>MIT</project_license>"* ]] || fail "metadata lacks the project's licence"
  [[ $metainfo == *"<content_rating type=\"oars-"* ]] || fail "metadata lacks a content rating"
  [[ $metainfo == *"docs/screenshot.png</image>"* ]] || fail "metadata lacks the screenshot"
  echo "appstreamcli validates the metadata and its desktop entry"
}

# The game started by LAUNCHER from FOLDER: its window, the score line top-left, the blue circle at the
# bottom; a close request ends it with 0.
game_plays() {
  local folder=$1 launcher=$2 box game
  start_in "$folder" "$launcher"
  game=$started
  "$XDRIVE" wait Pelmora 20 >/dev/null || { cat "$tmp/pelmora.log" >&2; fail "no Pelmora window"; }
  window_is Pelmora "800 800" "$tmp/pelmora.log"
  box=$(colour_box Pelmora 255 255 255)
  box_within "the score line" "$box" 0 0 500 80 150 25
  box=$(colour_box Pelmora 0 0 255)
  box_within "the blue circle" "$box" 0 650 799 799 90 90
  # A request that reached a same-titled window of a test beside this one is sent again, at most three times.
  local tries
  for _ in 1 2 3; do
    "$XDRIVE" close Pelmora || true
    tries=0
    while kill -0 "$game" 2>/dev/null && [ "$tries" -lt 50 ]; do
      sleep 0.1
      tries=$((tries + 1))
    done
    kill -0 "$game" 2>/dev/null || break
  done
  await_exit "$game" 20
  [ "$status" -eq 0 ] || { cat "$tmp/pelmora.log" >&2; fail "$launcher ended with $status after a close request"; }
}

launch() {
  no_package
  [ -n "$XDRIVE" ] || skip "no xdrive (built only with libX11 and XTest)"
  [ -n "${DISPLAY:-}" ] || skip "no X display"
  local root=$tmp/root elsewhere=$tmp/elsewhere box status font
  dpkg -x "$deb" "$root"
  mkdir "$elsewhere"
  # The font package's file, as if it were installed in this root too.
  font=$(realpath -m "$root/usr/share/pelmora/$(readlink "$root/usr/share/pelmora/arial.ttf")")
  mkdir -p "$(dirname "$font")"
  ln -s "${font#"$root"}" "$font"
  [ -e "$root/usr/share/pelmora/arial.ttf" ] || fail "arial.ttf in the unpacked root links to nothing"

  game_plays "$elsewhere" "$root/usr/games/pelmora"

  # The demo, likewise: a green circle filling its window.
  start_in "$elsewhere" "$root/usr/games/pelmora-demo"
  local demo=$started
  "$XDRIVE" wait "SFML works!" 20 >/dev/null || { cat "$tmp/pelmora-demo.log" >&2; fail "no demo window"; }
  window_is "SFML works!" "200 200" "$tmp/pelmora-demo.log"
  box=$(colour_box "SFML works!" 0 255 0)
  box_within "the green circle" "$box" 0 0 199 199 190 190
  "$XDRIVE" close "SFML works!"
  await_exit "$demo" 20
  [ "$status" -eq 0 ] || { cat "$tmp/pelmora-demo.log" >&2; fail "pelmora-demo ended with $status after a close request"; }

  # Called through a link elsewhere, without its font: the launcher still finds the game, whose 255 it passes on.
  mkdir "$tmp/bin"
  ln -s "$root/usr/games/pelmora" "$tmp/bin/pelmora"
  rm "$root/usr/share/pelmora/arial.ttf"
  start_in "$elsewhere" "$tmp/bin/pelmora"
  await_exit "$started" 20
  [ "$status" -eq 255 ] || { cat "$tmp/pelmora.log" >&2; fail "pelmora without its font ended with $status, not 255"; }
  echo "launchers started the game and the demo from $elsewhere"
}

# Both launchers, run from a folder of their own without DISPLAY, where a crash would leave its core.
no_display() {
  no_package
  local root=$tmp/root folder=$tmp/elsewhere launcher name status lines
  dpkg -x "$deb" "$root"
  mkdir "$folder"
  for name in pelmora pelmora-demo; do
    launcher=$root/usr/games/$name
    status=0
    (cd "$folder" && ulimit -c unlimited && exec env -u DISPLAY "$launcher") >"$tmp/out" 2>"$tmp/err" || status=$?
    [ "$status" -eq 1 ] || { cat "$tmp/err" >&2; fail "$name without a display ended with $status, not 1"; }
    [ ! -s "$tmp/out" ] || fail "$name without a display wrote to stdout: $(cat "$tmp/out")"
    lines=$(wc -l <"$tmp/err")
    [ "$lines" -eq 1 ] || { cat "$tmp/err" >&2; fail "$name without a display wrote $lines lines, not one"; }
    grep -qx "$name: there is no X display to open the window on; DISPLAY is unset" "$tmp/err" ||
      fail "$name without a display says: $(cat "$tmp/err")"
    [ -z "$(ls -A "$folder")" ] || fail "$name left $(ls -A "$folder") behind"
  done
  echo "without a display both launchers say why and exit 1"
}

# Removes the package this test installed, and everything it put on the system.
purge_package() {
  installed=""
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -o DPkg::Lock::Timeout=120 pelmora >"$tmp/purge.log" 2>&1 ||
    { cat "$tmp/purge.log" >&2; fail "apt-get purge pelmora failed"; }
}

system_install() {
  no_package
  [ "$(id -u)" -eq 0 ] || skip "installing the package for real needs root"
  need apt-get
  [ -n "$XDRIVE" ] || skip "no xdrive (built only with libX11 and XTest)"
  [ -n "${DISPLAY:-}" ] || skip "no X display"
  if dpkg-query -W -f='${db:Status-Status}' pelmora 2>/dev/null | grep -qx installed; then
    skip "pelmora is installed on this machine already; this test leaves it alone"
  fi
  local paths path elsewhere=$tmp/elsewhere
  paths=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^/$')
  # Local .deb files are read by apt's unprivileged user; it must reach this one.
  cp "$deb" "$tmp/pelmora.deb"
  chmod 755 "$tmp"
  chmod 644 "$tmp/pelmora.deb"
  installed=yes
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends -o DPkg::Lock::Timeout=120 \
    "$tmp/pelmora.deb" >"$tmp/apt.log" 2>&1 || { cat "$tmp/apt.log" >&2; fail "apt-get install failed"; }
  dpkg-query -W -f='${db:Status-Status}' pelmora | grep -qx installed || fail "apt-get did not install pelmora"
  [ -x /usr/games/pelmora ] || fail "installed, but there is no /usr/games/pelmora"
  [ -f /usr/share/pelmora/arial.ttf ] || fail "installed, but /usr/share/pelmora/arial.ttf leads to no font"

  mkdir "$elsewhere"
  game_plays "$elsewhere" /usr/games/pelmora

  purge_package
  ! dpkg-query -W -f='${db:Status-Status}' pelmora 2>/dev/null | grep -qx installed || fail "pelmora is still installed"
  # Folders that other packages share stay; nothing of ours does.
  for path in $paths; do
    if [ -e "$path" ] || [ -L "$path" ]; then
      [ -d "$path" ] && [ ! -L "$path" ] && [ -n "$(dpkg -S "$path" 2>/dev/null)" ] && continue
      fail "$path is still there after removing the package"
    fi
  done
  echo "installed, played from $elsewhere and removed without a trace"
}

# Two builds from copies of the sources in two unrelated folders, one after the other, packed and compared.
reproducible() {
  no_package
  need git dpkg-shlibdeps
  git -C "$SOURCE_DIR" rev-parse --git-dir >/dev/null 2>&1 || skip "the sources are not a git checkout, so there is no list of them to copy"
  local first=$tmp/first/pelmora second=$tmp/elsewhere/a/second/copy build
  for build in "$first" "$second"; do
    mkdir -p "$build"
    (cd "$SOURCE_DIR" && git ls-files -z | xargs -0 -I{} find {} -maxdepth 0 -type f -print0 | tar --null -T - -cf -) |
      tar -x -C "$build"
    # Nobody's time: each build chooses its own.
    env -u SOURCE_DATE_EPOCH "$CMAKE_COMMAND" -S "$build" -B "$build/build" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_CXX_COMPILER="$CXX_COMPILER" >"$tmp/configure.log" 2>&1 || { cat "$tmp/configure.log" >&2; fail "configure failed in $build"; }
    "$CMAKE_COMMAND" --build "$build/build" -j2 >"$tmp/build.log" 2>&1 || { cat "$tmp/build.log" >&2; fail "build failed in $build"; }
    (cd "$build/build" && env -u SOURCE_DATE_EPOCH "$CPACK_COMMAND" -B "$build/deb") >"$tmp/cpack.log" 2>&1 ||
      { cat "$tmp/cpack.log" >&2; fail "cpack failed in $build"; }
  done
  local a b
  a=$(find "$first/deb" -maxdepth 1 -name '*.deb')
  b=$(find "$second/deb" -maxdepth 1 -name '*.deb')
  [ -n "$a" ] || fail "the build in $first made no package"
  [ -n "$b" ] || fail "the build in $second made no package"
  if ! cmp -s "$a" "$b"; then
    if command -v diffoscope >/dev/null; then
      { diffoscope --text - "$a" "$b" 2>&1 || true; } | head -n 100 >&2
    else
      cmp "$a" "$b" >&2 || true
      cmp -l "$a" "$b" | head -20 >&2 || true
    fi
    fail "two builds of the same sources made different packages"
  fi
  echo "two builds, in $first and $second, made the same $(basename "$a"): $(sha256sum <"$a" | cut -c1-16)"
}

install() {
  local prefix=$tmp/prefix
  "$CMAKE_COMMAND" --install "$BUILD_DIR" --prefix "$prefix" >"$tmp/install.log" 2>&1 ||
    { cat "$tmp/install.log" >&2; fail "cmake --install failed"; }
  local file
  for file in bin/pelmora bin/pelmora-demo libexec/pelmora/game libexec/pelmora/demo; do
    [ -f "$prefix/$file" ] && [ -x "$prefix/$file" ] || fail "$file is not an installed program"
  done
  for file in "share/applications/$APP_ID.desktop" "share/metainfo/$APP_ID.metainfo.xml" \
      share/icons/hicolor/scalable/apps/pelmora.svg share/doc/pelmora/copyright share/doc/pelmora/changelog.gz \
      share/man/man6/pelmora.6.gz; do
    [ -f "$prefix/$file" ] || fail "$file is not installed"
  done
  [ -f "$prefix/share/pelmora/arial.ttf" ] && [ ! -L "$prefix/share/pelmora/arial.ttf" ] ||
    fail "arial.ttf is not a plain file"
  cmp -s "$prefix/share/pelmora/arial.ttf" "$STAGED_FONT" || fail "arial.ttf is not the font the build staged"
  echo "plain install laid out under $prefix"
}

case $part in
  build | contents | appstream | launch | reproducible | install) "$part" ;;
  lintian) lintian_check ;;
  no-display) no_display ;;
  system-install) system_install ;;
  *) fail "unknown part $part" ;;
esac
