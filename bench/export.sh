#!/usr/bin/env bash
# User-setup export benchmark (figures only, never a pass/fail test):
#   bench/export.sh
# Under Wine in Windows 98 mode, in a throwaway prefix (build/wine-bench-prefix32 or
# build/wine-bench-prefix64, after the path that runs), exportbench.exe writes 1,000 generated
# values, lists them in a savereg.dat and exports them with the program's own export five times;
# it prints the registry calls per list line and the wall time of one export (median, min, max).
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/../scripts/lib.sh"

vireo_install_deps
vireo_build_windows

unset DISPLAY
vireo_wine_display
vireo_wine_select test "$VIREO_BUILD/wine-bench-prefix"
vireo_set_win98 exportbench.exe
program=$VIREO_WIN_BUILD/exportbench.exe
[ -f "$program" ] || vireo_die "$program was not built"
echo "Export of a 1,000-line savereg.dat ($VIREO_WINE_KIND)"
VIREO_WINE_TIMEOUT=600 vireo_wine "$program" | tr -d '\r' | sed 's/^/  /'
