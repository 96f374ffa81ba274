#!/usr/bin/env bash
# Start-up benchmark (figures only, never a pass/fail test):
#   bench/startup.sh [RUNS]          (default 5 runs)
# Under Wine in Windows 98 mode, in a throwaway prefix (build/wine-bench-prefix32 or
# build/wine-bench-prefix64, after the path that runs) and Wine's virtual desktop on a private
# Xvfb, measures the time from starting vireo.exe to its main window "Vireo" being shown, side
# by side with Wine's own notepad.exe started the same way, and prints the median of each and
# their ratio; then the time of each page switch (the worst first one over three starts, the median
# and worst later ones), of "Обновить данные", from start-up until the New-menu list, read in
# idle time after the first paint, is ready, and how soon the main window is back after each
# modal window ends (driver.exe modal). Then
# the same start-up measurement and refresh time in a second throwaway prefix
# (build/wine-bench-fixture-prefix32 or ...64) into which the class registry of a machine in use
# (build/host/generated/classes.reg, written by tools/make_classes) has been imported, and the
# ratio with and without it, the refresh time before and after the Files page was first shown,
# the page switches and the New-menu list's time; and a summary of the worst of each, which
# should all be within 100 ms but the list's. When the host build has
# the registry-call counter (build/host/startup_calls), its figures follow, without and with that
# class registry, with the calls per class key and per extension key.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/../scripts/lib.sh"

runs=${1:-5}
# VIREO_BENCH_EXE names another vireo.exe to measure in place of the build's (one built from an
# earlier commit, for figures before and after a change); the helpers are still the build's.
install_measured() {
  vireo_install_program
  if [ -n "${VIREO_BENCH_EXE:-}" ]; then
    cp -f "$VIREO_BENCH_EXE" "$(vireo_program_dir)/vireo.exe"
  fi
}
case $runs in
  '' | *[!0-9]* | 0) vireo_die "RUNS must be a positive number" ;;
esac

vireo_install_deps
vireo_build_windows
if [ -f "$VIREO_ROOT/bench/startup_calls.cpp" ]; then
  vireo_build_host
fi

unset DISPLAY
vireo_wine_display
trap 'rm -f "${lines:-}" "${figures:-}"; vireo_end_wine' EXIT
# The same choice as the other scripts: the i686 build in a 32-bit prefix when this machine runs
# it, the x86_64 build in a 64-bit one otherwise (VIREO_WINE_PATHS insists on one).
vireo_wine_select test "$VIREO_BUILD/wine-bench-prefix"
vireo_set_win98 vireo.exe
install_measured
launchtime=$VIREO_WIN_BUILD/launchtime.exe
[ -f "$launchtime" ] || vireo_die "$launchtime was not built"
# A program of our own holds the virtual desktop open: Wine closes it soon after the last program
# on it has ended, and on a loaded machine the first measured program may come later than that.
bench_desktop() {
  local holder="Z:${VIREO_WIN_BUILD//\//\\}\\driver.exe"
  vireo_wine explorer /desktop=VireoBench,1024x768 "$holder" hold >/dev/null 2>&1 &
  sleep 2
}
bench_desktop

# measure LABEL RUNS EXE TITLE-OPTIONS...: prints the runs, leaves "median peak" in $result.
measure() {
  local label=$1 count=$2 out
  shift 2
  out=$(VIREO_WINE_TIMEOUT=600 vireo_wine "$launchtime" "$count" "$@" --desktop VireoBench |
    tr -d '\r') || true
  printf '%s\n' "$out" | sed "s/^/  $label /"
  result=$(printf '%s\n' "$out" |
    sed -n 's/^launchtime: median \([0-9]*\) ms, runs.*, peak \([0-9]*\) KB$/\1 \2/p')
}

vireo_program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"
notepad='C:\windows\system32\notepad.exe'
vireo_titles=(--title Vireo)
notepad_titles=(--title-has "Блокнот" --title-has Notepad)
median() {
  [ $# -gt 0 ] || { echo -; return; }
  printf '%s\n' "$@" | sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'
}

# startup_runs: the two programs started in turns in the current prefix; prints the runs, the
# medians and the ratio, and leaves the ratio in $ratio ("-" when one program never showed).
startup_runs() {
  echo "Warming up (one run of each, not counted)"
  measure vireo.exe 1 "$vireo_program" "${vireo_titles[@]}" >/dev/null
  measure notepad.exe 1 "$notepad" "${notepad_titles[@]}" >/dev/null

  # The two programs take turns, so that a change in the machine's load meanwhile weighs on both.
  echo "Start-up to the first window, $runs runs each, taking turns ($VIREO_WINE_KIND)"
  local vireo_runs=() notepad_runs=() vireo_kb=- notepad_kb=- i ms kb vireo_ms notepad_ms
  for ((i = 1; i <= runs; i++)); do
    measure vireo.exe 1 "$vireo_program" "${vireo_titles[@]}" >"$lines"
    grep -v 'launchtime:' "$lines" || true
    read -r ms kb <<<"${result:-- -}"
    [ "$ms" != - ] && vireo_runs+=("$ms") && vireo_kb=$kb
    measure notepad.exe 1 "$notepad" "${notepad_titles[@]}" >"$lines"
    grep -v 'launchtime:' "$lines" || true
    read -r ms kb <<<"${result:-- -}"
    [ "$ms" != - ] && notepad_runs+=("$ms") && notepad_kb=$kb
  done
  vireo_ms=$(median "${vireo_runs[@]}")
  notepad_ms=$(median "${notepad_runs[@]}")
  echo "  vireo.exe runs (ms): ${vireo_runs[*]}"
  echo "  notepad.exe runs (ms): ${notepad_runs[*]}"

  echo
  printf '%-12s %12s %18s\n' program "median (ms)" "peak memory (KB)"
  printf '%-12s %12s %18s\n' vireo.exe "$vireo_ms" "$vireo_kb" notepad.exe "$notepad_ms" \
    "$notepad_kb"
  ratio=-
  if [ "$vireo_ms" != - ] && [ "$notepad_ms" != - ] && [ "$notepad_ms" -gt 0 ]; then
    ratio=$(awk -v v="$vireo_ms" -v n="$notepad_ms" 'BEGIN { printf "%.2f", v / n }')
    echo "ratio vireo.exe / notepad.exe: $ratio"
  fi
}

# refresh_runs: the time of "Обновить данные" in the program, sent as its menu command.
refresh_runs() {
  if [ -f "$VIREO_WIN_BUILD/refresh.exe" ]; then
    echo
    echo "\"Обновить данные\" in vireo.exe (the command handled: everything read again):"
    VIREO_WINE_TIMEOUT=300 vireo_wine "$VIREO_WIN_BUILD/refresh.exe" "$vireo_program" "$runs" \
      --desktop VireoBench | tr -d '\r' | tee -a "$figures" | sed 's/^refresh: /  /'
  fi
}

lines=$(mktemp)
figures=$(mktemp)
startup_runs
plain_ratio=$ratio
refresh_runs

# pageswitch_runs: the time of each page switch in the program, the first (the worst of three
# starts) and the later ones.
pageswitch_runs() {
  if [ -f "$VIREO_WIN_BUILD/pageswitch.exe" ]; then
    echo
    echo "Page switches in vireo.exe (a click handled: the page in front, its controls read again):"
    VIREO_WINE_TIMEOUT=600 vireo_wine "$VIREO_WIN_BUILD/pageswitch.exe" "$vireo_program" "$runs" 3 \
      --desktop VireoBench | tr -d '\r' | tee -a "$figures" | sed 's/^pageswitch: /  /'
  fi
}

# listready_runs: the time from starting the program until its New-menu list is ready. The list
# shows nothing until its reading is whole, so the prefix needs one entry at least: Wine's own
# has none, and gets one (.vbench), after everything else of this prefix was measured.
listready_runs() {
  # A program that reads the list only when the Files page is first shown is never ready alone.
  if [ -f "$VIREO_WIN_BUILD/listready.exe" ] && [ -z "${VIREO_BENCH_EXE:-}" ]; then
    if [ "${1:-}" = add-entry ]; then
      vireo_wine reg add 'HKLM\Software\Classes\.vbench\ShellNew' /v NullFile /t REG_SZ /d x \
        /f >/dev/null 2>&1 || true
    fi
    echo
    echo "From start-up until the New-menu list is ready (read in idle time after the first paint):"
    VIREO_WINE_TIMEOUT=600 vireo_wine "$VIREO_WIN_BUILD/listready.exe" "$vireo_program" "$runs" \
      --desktop VireoBench | tr -d '\r' | tee -a "$figures" | sed 's/^listready: /  /'
  fi
}

# summary LABEL: the worst of each waiting time measured in the current prefix.
summary() {
  echo
  echo "Worst waits, $1 (all within 100 ms but the last):"
  awk '
    /^pageswitch: / {
      page = $0; sub(/^pageswitch: /, "", page); sub(/ first.*/, "", page)
      match($0, /first [0-9.]+/); first = substr($0, RSTART + 6, RLENGTH - 6)
      match($0, /worst [0-9.]+ ms over/); later = substr($0, RSTART + 6, RLENGTH - 14)
      printf "  switch to %-14s first %6s ms, later %6s ms\n", page, first, later
    }
    /^refresh: first/ { match($0, /worst [0-9.]+/); r1 = substr($0, RSTART + 6, RLENGTH - 6)
      match($0, /first [0-9.]+/); f1 = substr($0, RSTART + 6, RLENGTH - 6) }
    /^refresh: Files page/ { match($0, /worst [0-9.]+/); r2 = substr($0, RSTART + 6, RLENGTH - 6) }
    /^listready: main window shown/ { match($0, /worst [0-9]+/); ready = substr($0, RSTART + 6, RLENGTH - 6) }
    END {
      printf "  \"Обновить данные\"       first %6s ms, later %6s ms, after the Files page %s ms\n", f1, r1, r2
      printf "  start-up until the New-menu list is ready: %s\n", ready == "" ? "not measured" : ready " ms"
    }' "$figures"
  : >"$figures"
}

pageswitch_runs
listready_runs add-entry
summary "Wine's own prefix"

# How soon the main window takes input again after each modal window ends, every way it ends
# (driver.exe modal prints the times; the aim is 50 ms), then the worst after a sent and a posted
# click on the closing button and the worst of all, over the endings that ended the window.
if [ -f "$VIREO_WIN_BUILD/driver.exe" ]; then
  echo
  echo "Modal windows ended (the owner enabled and active; the window destroyed):"
  VIREO_WINE_TIMEOUT=600 vireo_wine "$VIREO_WIN_BUILD/driver.exe" modal "$vireo_program" \
    --desktop VireoBench | tr -d '\r' | sed -n 's/^time: //p' | awk '
    function worst(kind, count, ms) {
      printf "  the owner back %s: at most %.1f ms (%d endings)\n", kind, count ? ms : -1, count
    }
    { print "  " $0 }
    # "...: owner enabled and active after B ms, window destroyed after G ms"
    { n = split($0, w, " "); b = w[n - 6] + 0; g = w[n - 1] + 0 }
    !/: owner enabled and active after / || b < 0 || g < 0 { next }
    { all++; if (all == 1 || b > all_ms) all_ms = b }
    /button click sent:/ { sent++; if (sent == 1 || b > sent_ms) sent_ms = b }
    /button click posted:/ { posted++; if (posted == 1 || b > posted_ms) posted_ms = b }
    END {
      worst("after a sent click", sent, sent_ms)
      worst("after a posted click", posted, posted_ms)
      worst("every way", all, all_ms)
    }'
fi

# The same in a prefix that holds the class registry of a machine in use: Wine's own prefix has
# about 15 extension keys, a Windows 98 machine in use hundreds.
classes_reg=$VIREO_BUILD/host/generated/classes.reg
fixture_ratio=-
if [ -f "$classes_reg" ]; then
  vireo_wineserver -k 2>/dev/null || true
  vireo_try_path "$VIREO_PATH" test "$VIREO_BUILD/wine-bench-fixture-prefix" ||
    vireo_die "the bench prefix with the class registry: $VIREO_PATH_WHY"
  vireo_import_reg "$classes_reg" || vireo_die "$VIREO_PATH_WHY"
  vireo_set_win98 vireo.exe
  install_measured
  bench_desktop
  echo
  echo "With the class registry of ${classes_reg#"$VIREO_ROOT"/} imported ($WINEPREFIX):"
  startup_runs
  fixture_ratio=$ratio
  refresh_runs
  pageswitch_runs
  listready_runs
  summary "with the class registry"
  echo
  echo "ratio vireo.exe / notepad.exe: $plain_ratio in Wine's own prefix, $fixture_ratio with the" \
    "class registry"
fi

if [ -x "$VIREO_BUILD/host/startup_calls" ]; then
  echo
  echo "Registry calls during start-up, refresh and page switches (host build):"
  "$VIREO_BUILD/host/startup_calls"
  if [ -f "$classes_reg" ]; then
    echo
    echo "The same with the class registry loaded into the in-memory registry:"
    "$VIREO_BUILD/host/startup_calls" --fixture "$classes_reg"
  fi
fi
