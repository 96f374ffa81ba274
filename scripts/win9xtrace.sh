#!/usr/bin/env bash
# What the real vireo.exe calls on Windows 9x: one run of the user-setup export, the New-menu
# editor (the driver's Files scenario) and the change journal (its journal scenario) under Wine in
# Windows 98 mode, with Wine's relay trace of every call that the program's own code makes into a
# system library (HKCU\Software\Wine\Debug\RelayFromInclude = vireo.exe); then
# tools/win9x_check.py trace fails on any call of a function that tools/win9x_api.tsv marks as a
# stub or missing on Windows 95, 98 or Me (or that the table lacks).
#
# scripts/test.sh sources this file and runs `win9x_trace_suite` on each Wine path, in the prefix,
# display and desktop it prepared, with the program installed in the prefix. The i686 build is the
# program for Windows 9x; the x86_64 build follows the same paths, but its runtime calls functions
# of its own, which the check only lists. The trace is kept in build/test-logs/win9x-relay-*.log.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

win9x_trace_suite() {
  local trace=$VIREO_BUILD/test-logs/win9x-relay-$VIREO_PATH.log program scenario status=0
  local program_dir="$WINEPREFIX/drive_c/Program Files/Vireo"
  program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"
  mkdir -p "${trace%/*}"
  : >"$trace"
  vireo_wine reg add 'HKCU\Software\Wine\Debug' /v RelayFromInclude /d vireo.exe /f >/dev/null 2>&1
  vireo_set_win98 vireo.exe
  rm -f "$program_dir/Setup.reg"
  # Each scenario prints its checks; the relay lines of the program go to the trace.
  for scenario in "export $program ok" "files $program" "journal $program"; do
    # shellcheck disable=SC2086  # the scenario's words are the driver's arguments
    WINEDEBUG=-all,+relay vireo_wine "$VIREO_WIN_BUILD/driver.exe" $scenario \
      --desktop VireoTest 2>>"$trace" | tr -d '\r' | grep -E '^(ok|FAIL)' | sed "s/^/[$scenario] /"
    status=$((status | PIPESTATUS[0]))
  done
  vireo_wine reg delete 'HKCU\Software\Wine\Debug' /v RelayFromInclude /f >/dev/null 2>&1
  [ "$status" -eq 0 ] || echo "note: a driver scenario under the relay trace failed ($status)"
  # The file replacement of the export, the editor's template and the journal's undo file, and
  # the journal's save dialog, must have been reached.
  python3 "$VIREO_ROOT/tools/win9x_check.py" trace "$VIREO_ROOT/tools/win9x_api.tsv" "$trace" \
    "$VIREO_WIN_BUILD/vireo.exe" MoveFileA WriteFile GetSaveFileNameA RegEnumValueA
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  vireo_die "scripts/test.sh runs this suite; source the file to use win9x_trace_suite"
fi
