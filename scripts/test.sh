#!/usr/bin/env bash
# Builds everything and runs all the tests:
#   1. the host unit tests (GoogleTest through CTest, under the sanitizers);
#   2. the help file build/Vireo.chm, read back with chmlib's own reader and checked against
#      the settings catalogue (tests/help/chmcheck.sh); then the libFuzzer targets of fuzz/
#      (scripts/fuzz.sh), one minute in all (VIREO_FUZZ_SECONDS);
#   3. under Wine, on every path that this machine runs (VIREO_WINE_PATHS restricts them):
#      32, the i686 build with the 32-bit Wine in a 32-bit prefix (build/wine-test-prefix32);
#      64, the x86_64 build with wine64 in a 64-bit prefix (build/wine-test-prefix64). The
#      prefixes are throwaway ones, never the user's; on each path:
#      - regagree.exe: the registry layer against Wine's real registry, in Windows 98 mode;
#      - regdiff.exe: 300 generated sequences of registry calls, each run on Wine's registry
#        (through the adapter) and on the in-memory stand-in, compared call by call;
#      - platformcheck.exe: the other system adapters (directories, version, file existence,
#        file operations, window regions) on the real API;
#      - setupexport.exe: over a thousand generated values exported to Setup.reg by the
#        program's own export, deleted, merged back with regedit and compared;
#      - the real vireo.exe driven from outside by driver.exe in Windows 98 mode (main window,
#        page buttons, refresh, exit; then what of the pages needs the real window; then the
#        New-menu editor and its template file; then every row of the pages' case table, each
#        control's action and reading against the registry and control.ini; then the tool
#        windows; then the change journal's undo and its saved REGEDIT4 file merged by regedit)
#        and in Wine's
#        default NT mode (the platform message);
#      - the user-setup export of the real vireo.exe killed at five moments, and onto a
#        read-only and a full disk (scripts/killexport.sh).
# Prints a summary that names the paths that ran and the ones that could not, and exits
# non-zero when anything failed.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"
# shellcheck source=scripts/killexport.sh
. "$(dirname "$0")/killexport.sh"
# shellcheck source=scripts/win9xtrace.sh
. "$(dirname "$0")/win9xtrace.sh"

set -e
vireo_install_deps
set +e
vireo_wine_paths

declare -a results=()
total_passed=0
total_failed=0

# Records one suite: name, passed count, failed count, whether the suite itself went wrong
# (no closing line, a crash, a build failure) and, for the Wine suites, the seconds it took.
record() {
  local name=$1 passed=$2 failed=$3 broken=${4:-0} took=${5:+, $5 s}
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  if [ "$broken" -ne 0 ] && [ "$failed" -eq 0 ]; then
    total_failed=$((total_failed + 1))
    failed=1
  fi
  if [ "$failed" -eq 0 ]; then
    results+=("PASS  $name ($passed passed$took)")
  else
    results+=("FAIL  $name ($passed passed, $failed failed$took)")
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
  run_suite "$1" "$2" "$3" vireo_wine "${@:4}"
}

# The same for a suite that is a command of its own (a function of scripts/killexport.sh).
run_suite() {
  local name=$1 log=$logs/$2.log word=$3 line passed failed took start
  start=$(date +%s%N)
  shift 3
  "$@" 2>&1 | tr -d '\r' | tee "$log"
  line=$(counts "$word" "$log")
  took=$((($(date +%s%N) - start) / 100000000))  # tenths of a second
  took=$((took / 10)).$((took % 10))
  if [ -n "$line" ]; then
    read -r passed failed <<<"$line"
    record "$name" "$passed" "$failed" 0 "$took"
  else
    record "$name (no result line)" 0 0 1 "$took"
  fi
}

logs=$VIREO_BUILD/test-logs
mkdir -p "$logs"
rm -f "$logs"/*.log  # no log of an earlier run passes for one of this run

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

# ---- help ---------------------------------------------------------------------------------
# The help file, then its check with a CHM reader of its own against the catalogue.
if vireo_build_help; then
  vireo_log "chmcheck: the help file against the catalogue"
  "$VIREO_ROOT/tests/help/chmcheck.sh" "$VIREO_BUILD/Vireo.chm" \
    "$VIREO_ROOT/resources/strings.rc" 2>&1 | tee "$logs/chmcheck.log"
  line=$(counts chmcheck "$logs/chmcheck.log")
  if [ -n "$line" ]; then
    read -r passed failed <<<"$line"
    record "help file (Vireo.chm)" "$passed" "$failed"
  else
    record "help file check (no result line)" 0 0 1
  fi
else
  record "help file build" 0 0 1
fi

# ---- fuzzing -----------------------------------------------------------------------------
# Every parser and writer of outside text under libFuzzer, ASan and UBSan, for a short run; a
# target counts as passed when it ran without a finding.
vireo_log "fuzzing the parsers and writers for ${VIREO_FUZZ_SECONDS:-60} s"
"$VIREO_ROOT/scripts/fuzz.sh" "${VIREO_FUZZ_SECONDS:-60}" 2>&1 | tee "$logs/fuzz.log"
line=$(counts fuzz "$logs/fuzz.log")
if [ -n "$line" ]; then
  read -r passed failed <<<"$line"
  record "fuzz targets (${VIREO_FUZZ_SECONDS:-60} s in all)" "$passed" "$failed"
else
  record "fuzz targets (no result line)" 0 0 1
fi

# ---- Wine ---------------------------------------------------------------------------------
# Every path of VIREO_WINE_PATHS that this machine runs, each in its own throwaway prefix:
# 32, the i686 build with the 32-bit Wine in a 32-bit prefix; 64, the x86_64 build with wine64
# in a 64-bit prefix. Suite names and logs carry the path.
windows_built=1
vireo_build_windows i686 x86_64 || windows_built=0

# ---- Windows 95/98/Me ---------------------------------------------------------------------
# The i686 vireo.exe against what Windows 95, 98 and Me offer, read off the file without Wine:
# every imported or looked-up function in tools/win9x_api.tsv and exported by all three; no
# instruction newer than the Pentium (tools/win9x_check.py); the runtime pieces rebuilt for the
# Pentium equal Debian's prebuilt ones when built the same way, and the program links them, not
# the prebuilt ones (scripts/runtime9x.sh).
if [ -f "$VIREO_BUILD/win32/vireo.exe" ]; then
  vireo_log "win9x: the Windows API of the i686 vireo.exe against Windows 95, 98 and Me"
  run_suite "Windows API of vireo.exe on Windows 95/98/Me" win9x-api win9x-api \
    python3 "$VIREO_ROOT/tools/win9x_check.py" api "$VIREO_BUILD/win32/vireo.exe" \
    "$VIREO_ROOT/tools/win9x_api.tsv" "$VIREO_ROOT/src"
  vireo_log "win9x: the instructions of the i686 vireo.exe against the Pentium"
  run_suite "vireo.exe holds no instruction newer than the Pentium" win9x-cpu win9x-cpu \
    python3 "$VIREO_ROOT/tools/win9x_check.py" cpu "$VIREO_BUILD/win32/vireo.exe"
  vireo_log "runtime9x: the rebuilt runtime against Debian's, and the program's link map"
  if VIREO_RUNTIME9X_DIR=$VIREO_BUILD/win32/runtime9x "$VIREO_ROOT/scripts/runtime9x.sh" \
    --check --map "$VIREO_BUILD/win32/vireo.map" >"$logs/runtime9x.log" 2>&1; then
    record "Pentium runtime: rebuilt like Debian's, linked in its place" 2 0
  else
    cat "$logs/runtime9x.log"
    record "Pentium runtime: rebuilt like Debian's, linked in its place" 0 1
  fi
else
  record "the i686 vireo.exe was not built" 0 0 1
fi

paths_run=()
paths_unavailable=()
user_prefix=${WINEPREFIX:-}
# The probes too start only after the display (platformcheck.exe, which stays on Wine's
# "Default" desktop, could make no window there without one and failed with 1400).
vireo_wine_display
export VIREO_WINE_TIMEOUT=180

# Runs the Wine suites on the path chosen with vireo_use_path, in its prepared prefix.
wine_suites() {
  local tag=$1 on=" [$2]"
  # The program runs in Wine's virtual desktop, as on a desktop with a window manager; the
  # driver joins that desktop to find its windows.
  # driver.exe hold runs on it all along: Wine closes a virtual desktop soon after the last
  # program on it has ended, and the pause between two suites may be longer than that. It lives
  # until the wineserver is ended after the last suite (an hour at most), not for one suite's
  # time limit: the suites of a path take longer than that together.
  local holder="Z:${VIREO_WIN_BUILD//\//\\}\\driver.exe"
  VIREO_WINE_TIMEOUT=3600 vireo_wine explorer /desktop=VireoTest,1024x768 "$holder" hold \
    >/dev/null 2>&1 &

  if [ -f "$VIREO_WIN_BUILD/regagree.exe" ]; then
    vireo_log "regagree.exe: the registry layer against Wine's registry (Windows 98 mode)"
    vireo_set_win98 regagree.exe
    wine_suite "registry agreement under Wine$on" "regagree-$tag" regagree \
      "$VIREO_WIN_BUILD/regagree.exe"
  else
    record "regagree.exe was not built$on" 0 0 1
  fi

  if [ -f "$VIREO_WIN_BUILD/regdiff.exe" ]; then
    vireo_log "regdiff.exe: 300 generated call sequences on Wine's registry and on the stand-in"
    vireo_set_win98 regdiff.exe
    wine_suite "registry stand-in against Wine (300 sequences)$on" "regdiff-$tag" regdiff \
      "$VIREO_WIN_BUILD/regdiff.exe" 300
  else
    record "regdiff.exe was not built$on" 0 0 1
  fi

  if [ -f "$VIREO_WIN_BUILD/platformcheck.exe" ]; then
    vireo_log "platformcheck.exe: directories, version, files and regions"
    vireo_set_win98 platformcheck.exe
    wine_suite "system adapters under Wine$on" "platformcheck-$tag" platformcheck \
      "$VIREO_WIN_BUILD/platformcheck.exe"
  else
    record "platformcheck.exe was not built$on" 0 0 1
  fi

  if [ -f "$VIREO_WIN_BUILD/setupexport.exe" ]; then
    vireo_log "setupexport.exe: the user-setup export, deleted and merged back with regedit"
    vireo_set_win98 setupexport.exe
    wine_suite "user-setup round trip under Wine$on" "setupexport-$tag" setupexport \
      "$VIREO_WIN_BUILD/setupexport.exe"
  else
    record "setupexport.exe was not built$on" 0 0 1
  fi

  if [ -f "$VIREO_WIN_BUILD/vireo.exe" ]; then
    vireo_install_program
    local program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"

    vireo_log "driver: vireo.exe in Windows 98 mode"
    vireo_set_win98 vireo.exe
    wine_suite "vireo.exe in Windows 98 mode$on" "smoke-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" main "$program" --desktop VireoTest

    vireo_log "driver: what of the pages of vireo.exe needs the real window (Windows 98 mode)"
    wine_suite "page windows under Wine$on" "pages-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" pages "$program" --desktop VireoTest

    vireo_log "driver: the New-menu editor of vireo.exe (Windows 98 mode)"
    wine_suite "Files page under Wine$on" "files-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" files "$program" --desktop VireoTest

    vireo_log "driver: the pages' case table on vireo.exe and Wine's registry (Windows 98 mode)"
    wine_suite "page cases under Wine$on" "cases-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" cases "$program" --desktop VireoTest

    vireo_log "driver: the menu commands of vireo.exe (Windows 98 mode)"
    wine_suite "menu commands under Wine$on" "menus-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" menus "$program" --desktop VireoTest

    vireo_log "driver: the tooltips of vireo.exe (Windows 98 mode)"
    wine_suite "tooltips under Wine$on" "tooltips-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" tooltips "$program" --desktop VireoTest

    vireo_log "driver: the tool windows of vireo.exe (Windows 98 mode)"
    wine_suite "tool windows under Wine$on" "tools-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" tools "$program" --desktop VireoTest

    vireo_log "driver: the change journal of vireo.exe (Windows 98 mode)"
    wine_suite "change journal under Wine$on" "journal-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" journal "$program" --desktop VireoTest

    vireo_log "driver: every modal window of vireo.exe ended every way (Windows 98 mode)"
    wine_suite "modal windows under Wine$on" "modal-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" modal "$program" --desktop VireoTest

    vireo_log "driver: \"Найти параметр...\" of vireo.exe: found, jumped to, nothing written"
    wine_suite "setting search under Wine$on" "search-win98-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" search "$program" --desktop VireoTest

    # What the program calls on the paths of the export, the New-menu editor and the journal,
    # from Wine's relay trace: no function that Windows 9x only stubs or lacks. The i686 build
    # is the program for Windows 9x; the x86_64 one follows the same paths.
    vireo_log "win9x: the calls of the export, the New-menu editor and the journal (relay trace)"
    run_suite "no Windows 9x stub called (relay trace)$on" "win9x-trace-$tag" win9x-trace \
      win9x_trace_suite

    # The user-setup export with thousands of values: killed (kill -9 of vireo.exe's process)
    # at five moments spread over its measured time, then onto a read-only and a full disk
    # (scripts/killexport.sh); Setup.reg must be the previous file or the complete new one.
    vireo_log "killexport: the user-setup export killed at five moments (Windows 98 mode)"
    run_suite "user-setup export killed 5 times$on" "killexport-kill-$tag" killexport \
      killexport_suite kill 5
    vireo_log "killexport: the user-setup export onto a read-only and a full disk"
    run_suite "user-setup export on a read-only and a full disk$on" "killexport-disk-$tag" \
      killexport killexport_suite disk

    # The Files page once more, on a class registry of real size (tools/make_classes: 1,700 class
    # keys, 650 extensions, 90 ShellNew keys) imported with the system's registry editor.
    local classes_reg=$VIREO_BUILD/host/generated/classes.reg
    if vireo_import_reg "$classes_reg"; then
      vireo_log "driver: the Files page of vireo.exe on the class registry (Windows 98 mode)"
      wine_suite "Files page on the class registry under Wine$on" "files-classes-win98-$tag" \
        driver "$VIREO_WIN_BUILD/driver.exe" files "$program" --desktop VireoTest
    else
      vireo_log "$VIREO_PATH_WHY"
      record "class registry import$on" 0 0 1
    fi

    vireo_log "driver: vireo.exe in Wine's default (NT) mode"
    vireo_clear_version vireo.exe
    wine_suite "vireo.exe refuses in NT mode$on" "smoke-nt-$tag" driver \
      "$VIREO_WIN_BUILD/driver.exe" refuse "$program" --desktop VireoTest
  else
    record "vireo.exe was not built$on" 0 0 1
  fi
  vireo_wineserver -k 2>/dev/null || true
}

if [ "$windows_built" -eq 0 ]; then
  record "Windows build" 0 0 1
else
  for path in "${VIREO_PATHS[@]}"; do
    if vireo_try_path "$path" test "$VIREO_BUILD/wine-test-prefix"; then
      vireo_log "Wine suites on the $path-bit path: $VIREO_WINE_KIND ($WINEPREFIX)"
      label="i686, 32-bit prefix"
      [ "$path" = 64 ] && label="x86_64, 64-bit prefix"
      wine_suites "$path" "$label"
      paths_run+=("$path-bit ($VIREO_WINE_KIND)")
    else
      vireo_log "the $path-bit path is unavailable: $VIREO_PATH_WHY"
      paths_unavailable+=("$path-bit ($VIREO_PATH_WHY)")
      vireo_wineserver -k 2>/dev/null || true
    fi
  done
  [ ${#paths_run[@]} -gt 0 ] || record "Wine suites (no Wine path could run)" 0 0 1
fi
vireo_end_wine
trap - EXIT
if [ -n "$user_prefix" ]; then export WINEPREFIX=$user_prefix; else unset WINEPREFIX; fi

# ---- summary ------------------------------------------------------------------------------
echo
echo "Summary (logs in ${logs#"$VIREO_ROOT"/})"
list() { # heading, items...
  local heading=$1
  shift
  if [ $# -eq 0 ]; then
    echo "  $heading: none"
  else
    echo "  $heading:"
    printf '    %s\n' "$@"
  fi
}
list "Wine paths run" "${paths_run[@]}"
list "Wine paths unavailable" "${paths_unavailable[@]}"
skipped=()
for path in 32 64; do
  [[ " ${VIREO_PATHS[*]} " == *" $path "* ]] || skipped+=("$path-bit")
done
[ ${#skipped[@]} -eq 0 ] ||
  echo "  Wine paths left out by VIREO_WINE_PATHS=\"$VIREO_WINE_PATHS\": ${skipped[*]}"
for r in "${results[@]}"; do echo "  $r"; done
"$VIREO_ROOT/scripts/testshare.sh" | sed 's/^/  /'
echo "total: $total_passed passed, $total_failed failed"
[ "$total_failed" -eq 0 ]
