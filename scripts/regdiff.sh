#!/usr/bin/env bash
# The long differential run of the registry stand-in against Wine's registry:
#   scripts/regdiff.sh [COUNT [FIRST_SEED]]   (10000 sequences from seed 1 by default)
# Builds the Windows programs, then on each Wine path of VIREO_WINE_PATHS that this machine
# runs (in the throwaway prefixes of the tests, Windows 98 mode) runs regdiff.exe: COUNT
# generated sequences of registry calls, each on the real registry through the adapter and on
# the in-memory stand-in, compared call by call. A divergence is printed as the shortest
# sequence that still shows it. Prints the figures of each path; exits non-zero on any
# divergence or when no path could run.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

count=${1:-10000}
first=${2:-1}
vireo_install_deps
vireo_build_windows
vireo_wine_paths

unset DISPLAY
vireo_wine_display
logs=$VIREO_BUILD/test-logs
mkdir -p "$logs"
status=0
ran=0
for path in "${VIREO_PATHS[@]}"; do
  if ! vireo_try_path "$path" test "$VIREO_BUILD/wine-test-prefix"; then
    vireo_log "the $path-bit path is unavailable: $VIREO_PATH_WHY"
    vireo_wineserver -k 2>/dev/null || true
    continue
  fi
  ran=$((ran + 1))
  vireo_log "$count sequences from seed $first on the $VIREO_WINE_KIND"
  vireo_set_win98 regdiff.exe
  log=$logs/regdiff-long-$path.log
  VIREO_WINE_TIMEOUT=7200 vireo_wine "$VIREO_WIN_BUILD/regdiff.exe" "$count" "$first" 2>&1 |
    tr -d '\r' >"$log" || status=1
  grep -E '^(FAIL|  |regdiff:|figures:)' "$log" | sed 's/^/  /' || true
  grep -q '^regdiff: [0-9]* passed, 0 failed' "$log" || status=1
  vireo_wineserver -k 2>/dev/null || true
done
[ "$ran" -gt 0 ] || vireo_die "no Wine path could run"
exit $status
