#!/usr/bin/env bash
# Builds everything and runs all the tests:
#   1. the host unit tests (GoogleTest through CTest, under the sanitizers);
#   2. under Wine, in a throwaway prefix (build/wine-test-prefix), never the user's:
#      - regagree.exe: the registry layer against Wine's real registry, in Windows 98 mode;
#      - platformcheck.exe: the other system adapters (directories, version, profile files,
#        file existence, window regions) on the real API;
#      - the real vireo.exe driven from outside by driver.exe in Windows 98 mode (main window,
#        page buttons, refresh, exit; then the catalogue-bound settings against the registry)
#        and in Wine's default NT mode (the platform message).
# Prints which Wine ran, a summary, and exits non-zero when anything failed.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

set -e
vireo_install_deps
set +e

declare -a results=()
total_passed=0
total_failed=0

# Records one suite: name, passed count, failed count, and whether the suite itself went wrong
# (no closing line, a crash, a build failure).
record() {
  local name=$1 passed=$2 failed=$3 broken=${4:-0}
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  if [ "$broken" -ne 0 ] && [ "$failed" -eq 0 ]; then
    total_failed=$((total_failed + 1))
    failed=1
  fi
  if [ "$failed" -eq 0 ]; then
    results+=("PASS  $name ($passed passed)")
  else
    results+=("FAIL  $name ($passed passed, $failed failed)")
  fi
}

# Reads "<word>: N passed, M failed" from a log; prints "N M" or nothing.
counts() {
  tr -d '\r' <"$2" | sed -n "s/^$1: \([0-9][0-9]*\) passed, \([0-9][0-9]*\) failed.*/\1 \2/p" | tail -1
}

# Runs one Wine test program: suite name, log name, the word before its closing line, command.
# The closing line "<word>: N passed, M failed" decides, never the exit code alone: a program
# that Wine could not run may well exit 0.
wine_suite() {
  local name=$1 log=$logs/$2.log word=$3 line passed failed
  shift 3
  vireo_wine "$@" 2>&1 | tr -d '\r' | tee "$log"
  line=$(counts "$word" "$log")
  if [ -n "$line" ]; then
    read -r passed failed <<<"$line"
    record "$name" "$passed" "$failed"
  else
    record "$name (no result line)" 0 0 1
  fi
}

logs=$VIREO_BUILD/test-logs
mkdir -p "$logs"

# ---- host ---------------------------------------------------------------------------------
if vireo_build_host; then
  vireo_log "running the host tests"
  ctest --test-dir "$VIREO_BUILD/host" --output-on-failure --no-tests=error -j "$VIREO_JOBS" \
    >"$logs/host.log" 2>&1
  status=$?
  # Every failure with its output, and the closing lines; the passes only in the log.
  grep -vE '^ *Start +[0-9]+: |Test +#[0-9]+: .* +Passed +[0-9.]+ sec$' "$logs/host.log"
  line=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\).*/\1 \2/p' \
    "$logs/host.log" | tail -1)
  if [ -n "$line" ]; then
    read -r failed all <<<"$line"
    record "host unit tests" $((all - failed)) "$failed" "$status"
  else
    record "host unit tests" 0 0 1
  fi
else
  record "host build" 0 0 1
fi

# ---- Wine ---------------------------------------------------------------------------------
windows_built=1
vireo_build_windows || windows_built=0

user_prefix=${WINEPREFIX:-}
vireo_test_prefix "$VIREO_BUILD/wine-test-prefix"
vireo_wine_select
wine_kind=$VIREO_WINE_KIND
if [ "$windows_built" -eq 0 ] || [ ! -f "$VIREO_WIN_BUILD/driver.exe" ]; then
  record "Windows build" 0 0 1
else
  cleanup() {
    vireo_wineserver -k 2>/dev/null || true
    vireo_stop_xvfb
  }
  trap cleanup EXIT
  vireo_start_xvfb
  export VIREO_WINE_TIMEOUT=180

  # The program runs in Wine's virtual desktop, as on a desktop with a window manager; the
  # driver joins that desktop to find its windows.
  vireo_wine explorer /desktop=VireoTest,1024x768 >/dev/null 2>&1 &

  if [ -f "$VIREO_WIN_BUILD/regagree.exe" ]; then
    vireo_log "regagree.exe: the registry layer against Wine's registry (Windows 98 mode)"
    vireo_set_win98 regagree.exe
    wine_suite "registry agreement under Wine" regagree regagree \
      "$VIREO_WIN_BUILD/regagree.exe"
  else
    vireo_log "regagree.exe was not built; skipped"
  fi

  if [ -f "$VIREO_WIN_BUILD/platformcheck.exe" ]; then
    vireo_log "platformcheck.exe: directories, version, profile files, files and regions"
    vireo_set_win98 platformcheck.exe
    wine_suite "system adapters under Wine" platformcheck platformcheck \
      "$VIREO_WIN_BUILD/platformcheck.exe"
  else
    vireo_log "platformcheck.exe was not built; skipped"
  fi

  if [ -f "$VIREO_WIN_BUILD/vireo.exe" ]; then
    vireo_install_program
    program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"

    vireo_log "driver: vireo.exe in Windows 98 mode"
    vireo_set_win98 vireo.exe
    wine_suite "vireo.exe in Windows 98 mode" smoke-win98 driver \
      "$VIREO_WIN_BUILD/driver.exe" main "$program" --desktop VireoTest

    vireo_log "driver: the settings of vireo.exe against Wine's registry (Windows 98 mode)"
    wine_suite "settings round-trip under Wine" settings-win98 driver \
      "$VIREO_WIN_BUILD/driver.exe" settings "$program" --desktop VireoTest

    vireo_log "driver: vireo.exe in Wine's default (NT) mode"
    vireo_clear_version vireo.exe
    wine_suite "vireo.exe refuses in NT mode" smoke-nt driver \
      "$VIREO_WIN_BUILD/driver.exe" refuse "$program" --desktop VireoTest
  else
    record "vireo.exe was not built" 0 0 1
  fi
  cleanup
  trap - EXIT
fi
if [ -n "$user_prefix" ]; then export WINEPREFIX=$user_prefix; else unset WINEPREFIX; fi

# ---- summary ------------------------------------------------------------------------------
echo
echo "Summary (Wine: $wine_kind; logs in ${logs#"$VIREO_ROOT"/})"
for r in "${results[@]}"; do echo "  $r"; done
echo "total: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
