#!/usr/bin/env bash
# What the real vireo.exe calls on Windows 9x: one run of the user-setup export, the New-menu
# editor (the driver's Files scenario) and the change journal (its journal scenario) under Wine in
# Windows 98 mode, with Wine's relay trace of the program's process (the driver hands WINEDEBUG
# to the program alone); tools/win9x_check.py keeps the calls whose return address lies in the
# program's own image, that is the calls its code makes into a system library; then
# tools/win9x_check.py trace fails on any call of a function that tools/win9x_api.tsv marks as a
# stub or missing on Windows 95, 98 or Me (or that the table lacks).
#
# scripts/test.sh sources this file and runs `win9x_trace_suite` on each Wine path, in the prefix,
# display and desktop it prepared, with the program installed in the prefix. The i686 build is the
# program for Windows 9x; the x86_64 build follows the same paths, but its runtime calls functions
# of its own, which the check only lists. The raw trace (hundreds of megabytes) is removed
# afterwards; the check's log lists every function the program called, with the count.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# Runs one driver scenario (its name and arguments) with the relay trace going to $trace; its
# checks are printed with the scenario's name before them, its relay lines go to the trace.
_w9_scenario() {
  VIREO_PROGRAM_WINEDEBUG=-all,+relay vireo_wine "$VIREO_WIN_BUILD/driver.exe" "$@" \
    --desktop VireoTest 2>>"$trace" | tr -d '\r' | grep -E '^(ok|FAIL)' | sed "s/^/[$1] /"
  return "${PIPESTATUS[0]}"
}

win9x_trace_suite() {
  local trace=$VIREO_BUILD/win9x-relay-$VIREO_PATH.log program status=0
  local program_dir="$WINEPREFIX/drive_c/Program Files/Vireo"
  program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"
  mkdir -p "${trace%/*}"
  : >"$trace"
  vireo_set_win98 vireo.exe
  rm -f "$program_dir/Setup.reg"
  _w9_scenario export "$program" ok || status=1
  _w9_scenario files "$program" || status=1
  _w9_scenario journal "$program" || status=1
  [ "$status" -eq 0 ] || echo "note: a driver scenario under the relay trace failed ($status)"
  # The file replacement of the export, the editor's template and the journal's undo file, and
  # the journal's save dialog, must have been reached.
  python3 "$VIREO_ROOT/tools/win9x_check.py" trace "$VIREO_ROOT/tools/win9x_api.tsv" "$trace" \
    "$VIREO_WIN_BUILD/vireo.exe" MoveFileA WriteFile GetSaveFileNameA RegEnumValueA
  status=$?
  rm -f "$trace"  # hundreds of megabytes; the check listed what the program called
  return "$status"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  vireo_die "scripts/test.sh runs this suite; source the file to use win9x_trace_suite"
fi
