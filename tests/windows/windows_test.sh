#!/usr/bin/env bash
# windows_test.sh -- checks of the cross-built Windows programs, one part per run:
#   programs  game.exe and demo.exe are console programs ("Windows CUI") that need only Windows' own DLLs
#   zip       cpack makes pelmora-<version>-win64.zip with the programs, the font, its licence and the docs
# Settings come from the environment (tests/windows/CMakeLists.txt). Exit 77 means skipped.
set -euo pipefail

part=${1:?usage: windows_test.sh programs|zip}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

# DLLs that come with every Windows: anything else would have to travel with the programs.
system_dlls=" ADVAPI32.dll GDI32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll USER32.dll WINMM.dll "

programs() {
  [ -n "$OBJDUMP" ] || skip "no MinGW-w64 objdump (binutils-mingw-w64-x86-64)"
  local exe headers dll dlls
  for exe in "$GAME" "$DEMO"; do
    headers=$("$OBJDUMP" -p "$exe") || fail "objdump cannot read $exe"
    grep -q '^Subsystem[[:space:]].*(Windows CUI)$' <<<"$headers" ||
      fail "$(basename "$exe") is not a console program: $(grep '^Subsystem' <<<"$headers")"
    dlls=$(awk '$1 == "DLL" && $2 == "Name:" {print $3}' <<<"$headers")
    [ -n "$dlls" ] || fail "$(basename "$exe") imports no DLL at all: not the program we built?"
    for dll in $dlls; do
      [[ $system_dlls == *" $dll "* ]] || fail "$(basename "$exe") needs $dll, which Windows does not have"
    done
    # The graphics come through OpenGL and the window through USER32: a build without them is no game.
    for dll in OPENGL32.dll USER32.dll; do
      grep -qx "$dll" <<<"$dlls" || fail "$(basename "$exe") does not import $dll"
    done
    echo "$(basename "$exe"): Windows CUI, DLLs: $(tr '\n' ' ' <<<"$dlls")"
  done
}

zip() {
  local dir
  dir=$(dirname "$ZIP")
  rm -rf "$dir"
  "$CPACK_COMMAND" --config "$BUILD_DIR/CPackConfig.cmake" -B "$dir" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log" >&2; fail "cpack failed"; }
  [ -f "$ZIP" ] || { ls "$dir" >&2; fail "no $(basename "$ZIP")"; }
  (cd "$tmp" && "$CMAKE_COMMAND" -E tar xf "$ZIP") || fail "cannot unpack $ZIP"
  rm -f "$tmp/cpack.log"

  local listed expected
  listed=$(cd "$tmp" && find . -mindepth 1 | sed 's|^\./||' | LC_ALL=C sort | tr '\n' ' ')
  expected="FONT-LICENSE.txt LICENSE README.txt arial.ttf demo.exe game.exe "
  [ "$listed" = "$expected" ] || fail "the zip holds: $listed; expected: $expected"
  cmp -s "$tmp/arial.ttf" "$(dirname "$GAME")/arial.ttf" || fail "arial.ttf is not the font the build staged"
  grep -q "SIL Open Font License" "$tmp/FONT-LICENSE.txt" || fail "FONT-LICENSE.txt holds no SIL Open Font License"
  grep -q "game.exe" "$tmp/README.txt" || fail "README.txt does not mention game.exe"
  echo "$(basename "$ZIP"): $listed"
}

case $part in
  programs | zip) "$part" ;;
  *) fail "unknown part $part" ;;
esac
