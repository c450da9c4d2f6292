# suite.sh -- the legs of scripts/test: a build tree configured and built, the whole suite run in it, and one
# summary line per leg. Sourced after common.sh, not run.
# shellcheck shell=bash

suite_summary=$(mktemp)
suite_jobs=${suite_jobs:-$(nproc)}

# build_tree DIR CMAKE_ARGS...: configures DIR with the tests on and builds it.
# Records how long it took for print_summary.
build_tree() {
  local dir=$1 start=$SECONDS
  shift
  cmake -S . -B "$dir" -DPELMORA_TESTS=ON "$@" >/dev/null
  cmake --build "$dir" -j"$suite_jobs"
  echo "$dir: configured and built on $(tree_sfml "$dir") in $((SECONDS - start)) s" >>"$suite_summary"
}

# The SFML a configured tree links, as its configure step described it ("SFML 2.5.1 (system)").
tree_sfml() {
  sed -n 's/^PELMORA_SFML_DESCRIPTION:INTERNAL=//p' "$1/CMakeCache.txt"
}

# run_suite NAME DIR CTEST_ARGS...: runs the whole suite in DIR with the environment the caller set, and records
# "NAME: N tests on <SFML>: P passed, F failed, S skipped (T s)" and each skipped test with its reason for
# print_summary. Fails if any test failed. suite_sfml, if set, names what the programs under test link instead
# of DIR's SFML (the Windows programs, played by the Linux build's tests).
run_suite() {
  local name=$1 dir=$2 log total failed skipped status=0 start=$SECONDS sfml
  shift 2
  sfml=${suite_sfml:-$(tree_sfml "$dir")}
  log="$dir/suite.log"
  echo "== $name on $sfml"
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log" || status=1
  total=$(sed -n 's/.* tests failed out of \([0-9]*\).*/\1/p' "$log")
  failed=$(sed -n 's/.*, \([0-9]*\) tests failed out of .*/\1/p' "$log")
  skipped=$(grep -c '\*\*\*Skipped' "$log" || true)
  if [ -z "$total" ]; then
    echo "$name: no tests ran on $sfml" >>"$suite_summary"
    return 1
  fi
  echo "$name: $total tests on $sfml: $((total - failed - skipped)) passed, $failed failed," \
    "$skipped skipped ($((SECONDS - start)) s)" >>"$suite_summary"
  skip_reasons "$dir" >>"$suite_summary"
  return "$status"
}

# Each skipped test of the last run in DIR with the line of its output that gives the reason: a GoogleTest
# skip's message, or a script's "SKIP: ..." line.
skip_reasons() {
  local dir=$1 numbers
  numbers=$(sed -n 's/.*Test  *#\([0-9]*\): .*\*\*\*Skipped.*/\1/p' "$dir/suite.log" | tr '\n' ' ')
  [ -n "$numbers" ] || return 0
  awk -v numbers="$numbers" '
    BEGIN { n = split(numbers, list, " "); for (i = 1; i <= n; i++) skipped[list[i]] = 1 }
    /^[0-9]+\/[0-9]+ Test: / {
      split($1, part, "/"); number = part[1]
      sub(/^[0-9]+\/[0-9]+ Test: /, ""); test = $0; reason = ""; after = 0
      next
    }
    /^<end of output>/ {
      if (number in skipped) print "  skipped " test ": " (reason == "" ? "(no reason given)" : reason)
      number = ""
      next
    }
    after && reason == "" && NF { reason = $0 }
    /: Skipped$/ { after = 1 }
    /^SKIP: / && reason == "" { reason = substr($0, 7) }
  ' "$dir/Testing/Temporary/LastTest.log"
}

print_summary() {
  echo "== Summary"
  cat "$suite_summary"
  rm -f "$suite_summary"
}
