#!/usr/bin/env bash
# Builds Vireo and starts it under Wine in Windows 98 mode, from C:\Program Files\Vireo.
#
#   scripts/run.sh [--screenshot FILE]
#
# With a display ($DISPLAY set) the program simply runs until it is closed. Without one the
# script starts Xvfb, runs the program in Wine's virtual desktop, waits for the main window,
# saves a screenshot of it (default build/screenshot.png, or $VIREO_SCREENSHOT, or
# --screenshot FILE), closes the program and ends.
#
# The i686 build runs with the 32-bit Wine in a 32-bit prefix when this machine can run it,
# otherwise the x86_64 build with wine64 in a 64-bit prefix (VIREO_WINE_PATHS=32 or 64 insists
# on one). The prefix is $WINEPREFIX, or wineprefix32 / wineprefix64 under the user's data
# directory; one of the other architecture is never used.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

screenshot=${VIREO_SCREENSHOT:-$VIREO_BUILD/screenshot.png}
while [ $# -gt 0 ]; do
  case $1 in
    --screenshot)
      [ $# -ge 2 ] || vireo_die "--screenshot needs a file name"
      screenshot=$2
      shift 2
      ;;
    -h | --help)
      sed -n '2,15s/^# \{0,1\}//p' "$0"
      exit 0
      ;;
    *) vireo_die "unknown argument: $1 (see --help)" ;;
  esac
done
case $screenshot in
  /*) ;;
  *) screenshot=$PWD/$screenshot ;;
esac

vireo_install_deps
vireo_build_windows i686 x86_64
vireo_build_help || vireo_log "the help file could not be built; Vireo runs without it"

# Without a display the program runs on a private Xvfb.
headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  vireo_wine_display
fi

vireo_wine_select user
vireo_set_win98 vireo.exe
vireo_install_program
program="$VIREO_PROGRAM_DIR_WIN\\vireo.exe"
cd "$(vireo_program_dir)"

if [ "$headless" -eq 0 ]; then
  vireo_log "starting $program in $WINEPREFIX ($VIREO_WINE_KIND)"
  exec env LC_ALL="$VIREO_LOCALE" LANG="$VIREO_LOCALE" WINEDEBUG="${WINEDEBUG:--all}" \
    WINEARCH="$VIREO_WINEARCH" "$VIREO_WINE" "$program"
fi

vireo_log "no display: running in Wine's virtual desktop on Xvfb $DISPLAY ($VIREO_WINE_KIND)"
vireo_wine explorer /desktop=Vireo,1024x768 "$program" >/dev/null 2>&1 &

status=0
waited=$(VIREO_WINE_TIMEOUT=90 vireo_wine "$VIREO_WIN_BUILD/driver.exe" wait Vireo 60 \
  --desktop Vireo) || status=1
waited=${waited//$'\r'/}
printf '%s\n' "$waited" | grep -v '^rect:'
# The pointer goes to the screen's top right corner, away from the window, so that no tooltip
# opens over the picture (one already open closes once the pointer has left its control).
read -r screen_w _ < <(xdotool getdisplaygeometry 2>/dev/null) || true
xdotool mousemove --sync "$((${screen_w:-1024} - 1))" 0 >/dev/null 2>&1 || true
sleep 1
mkdir -p "$(dirname "$screenshot")"
# The main window alone when its place is known, the whole screen otherwise.
read -r x y w h < <(printf '%s\n' "$waited" | sed -n 's/^rect: //p') || true
if [ "$status" -eq 0 ] && [ -n "${h:-}" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ]; then
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$screenshot"
else
  import -window root "$screenshot"
fi
echo "screenshot: $screenshot"
exit $status
