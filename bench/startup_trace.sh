#!/usr/bin/env bash
# Where the start-up time goes (figures only, never a pass/fail test):
#   bench/startup_trace.sh [RUNS]    (default 3 runs of each program)
# Starts vireo.exe and Wine's notepad.exe in turns, as bench/startup.sh does (same prefix, same
# virtual desktop), with Wine's timestamped traces of DLL loading and window creation, and prints
# for each program the median time from the start of the process to each step of its start-up:
# the display driver loaded, the theme library loaded, the main window created, the common
# controls loaded, another window shown first (the splash), and the main window shown, with the
# number of windows created until then. The traces slow both programs down alike; the steps, not the totals, are the point.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/../scripts/lib.sh"

runs=${1:-3}
case $runs in
  '' | *[!0-9]* | 0) vireo_die "RUNS must be a positive number" ;;
esac

vireo_install_deps
vireo_build_windows
unset DISPLAY
vireo_wine_display
vireo_wine_select test "$VIREO_BUILD/wine-bench-prefix"
vireo_set_win98 vireo.exe
vireo_install_program
vireo_wine explorer /desktop=VireoBench,1024x768 >/dev/null 2>&1 &
sleep 3

trace=$(mktemp)
steps=$(mktemp)
trap 'rm -f "$trace" "$steps"; vireo_end_wine' EXIT

# steps_of TRACE: "step ms" lines, the times counted from the process's first module loaded. The
# main window is the first window created (both programs make it first); it counts as shown when
# the display driver maps it.
steps_of() {
  tr -d '\r' <"$1" | awk -F: '
    function at(step) { if (!(step in seen)) { seen[step] = 1; printf "%s %.0f\n", step, (t - start) * 1000 } }
    { t = $1 + 0 }
    !start && /loaddll/ { start = t }
    /Loaded .*winex11\.drv/ { at("display-driver") }
    /Loaded .*uxtheme\.dll/ { at("theme-library") }
    /Loaded .*comctl32\.dll/ { at("common-controls") }
    /trace:win:WIN_CreateWindowEx/ && !shown { created++; if (created == 1) at("main-window-created") }
    /trace:win:NtUserCreateWindowEx hwnd / && !main { main = $0; sub(/.* hwnd /, "", main); sub(/ .*/, "", main) }
    /trace:x11drv:map_window win / && !shown {
      w = $0; sub(/.* win /, "", w); sub(/\/.*/, "", w)
      if (w == main) { shown = 1; at("main-window-shown") } else at("other-window-shown")
    }
    END { printf "windows-created-before-shown %d\n", created }'
}

for ((i = 1; i <= runs; i++)); do
  for program in vireo notepad; do
    exe="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"
    [ "$program" = notepad ] && exe='C:\windows\system32\notepad.exe'
    WINEDEBUG=+timestamp,+loaddll,+win,+x11drv VIREO_WINE_TIMEOUT=6 vireo_wine "$exe" \
      >/dev/null 2>"$trace" || true
    steps_of "$trace" | sed "s/^/$program /" >>"$steps"
  done
done

echo "Start-up steps under Wine's traces, median of $runs runs each ($VIREO_WINE_KIND), ms from the process's start:"
printf '%-30s %10s %12s\n' step vireo.exe notepad.exe
for step in display-driver theme-library main-window-created common-controls other-window-shown \
  main-window-shown windows-created-before-shown; do
  median_of() {
    awk -v p="$1" -v s="$step" '$1 == p && $2 == s { print $3 }' "$steps" | sort -n |
      awk '{ a[NR] = $1 } END { print NR ? a[int((NR + 1) / 2)] : "-" }'
  }
  printf '%-30s %10s %12s\n' "$step" "$(median_of vireo)" "$(median_of notepad)"
done
