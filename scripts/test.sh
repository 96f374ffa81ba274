#!/usr/bin/env bash
# Builds everything and runs all the tests:
#   1. the host unit tests (GoogleTest through CTest, under the sanitizers);
#   2. under Wine, in a throwaway prefix (build/wine-test-prefix), never the user's:
#      - regagree.exe: the registry layer against Wine's real registry, in Windows 98 mode;
#      - the real vireo.exe driven from outside by driver.exe in Windows 98 mode (main window,
#        page buttons, refresh, exit) and in Wine's default NT mode (the platform message).
# Prints which Wine ran, a summary, and exits non-zero when anything failed.
set -uo pipefail
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

logs=$VIREO_BUILD/test-logs
mkdir -p "$logs"

# ---- host ---------------------------------------------------------------------------------
if vireo_build_host; then
  vireo_log "running the host tests"
  ctest --test-dir "$VIREO_BUILD/host" --output-on-failure --no-tests=error -j "$VIREO_JOBS" \
    2>&1 | tee "$logs/host.log"
  status=${PIPESTATUS[0]}
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

  if [ -f "$VIREO_WIN_BUILD/regagree.exe" ]; then
    vireo_log "regagree.exe: the registry layer against Wine's registry (Windows 98 mode)"
    vireo_set_win98 regagree.exe
    vireo_wine "$VIREO_WIN_BUILD/regagree.exe" 2>&1 | tr -d '\r' | tee "$logs/regagree.log"
    line=$(counts regagree "$logs/regagree.log")
    if [ -n "$line" ]; then
      read -r passed failed <<<"$line"
      record "registry agreement under Wine" "$passed" "$failed"
    else
      record "registry agreement under Wine (no result line)" 0 0 1
    fi
  else
    vireo_log "regagree.exe was not built; skipped"
  fi

  if [ -f "$VIREO_WIN_BUILD/vireo.exe" ]; then
    vireo_install_program
    program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"

    vireo_log "driver: vireo.exe in Windows 98 mode"
    vireo_set_win98 vireo.exe
    vireo_wine "$VIREO_WIN_BUILD/driver.exe" main "$program" 2>&1 | tr -d '\r' |
      tee "$logs/smoke-win98.log"
    line=$(counts driver "$logs/smoke-win98.log")
    if [ -n "$line" ]; then
      read -r passed failed <<<"$line"
      record "vireo.exe in Windows 98 mode" "$passed" "$failed"
    else
      record "vireo.exe in Windows 98 mode (no result line)" 0 0 1
    fi

    vireo_log "driver: vireo.exe in Wine's default (NT) mode"
    vireo_clear_version vireo.exe
    vireo_wine "$VIREO_WIN_BUILD/driver.exe" refuse "$program" 2>&1 | tr -d '\r' |
      tee "$logs/smoke-nt.log"
    line=$(counts driver "$logs/smoke-nt.log")
    if [ -n "$line" ]; then
      read -r passed failed <<<"$line"
      record "vireo.exe refuses in NT mode" "$passed" "$failed"
    else
      record "vireo.exe refuses in NT mode (no result line)" 0 0 1
    fi
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
