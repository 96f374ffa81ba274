# shellcheck shell=bash
# Shared functions of the build, run and test scripts. Source it from bash:
#   . "$(dirname "$0")/lib.sh"
# Everything lives under build/ of the source tree; the user's Wine prefixes (one for each Wine
# path, see below) live under the user's data directory unless WINEPREFIX says otherwise.

VIREO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VIREO_BUILD=${VIREO_BUILD:-$VIREO_ROOT/build}
VIREO_LOCALE=ru_RU.UTF-8
VIREO_JOBS=${VIREO_JOBS:-$(nproc 2>/dev/null || echo 2)}

# Debian packages the scripts need. wine32:i386 is tried separately: its index may be broken.
# fp-utils brings chmcmd, the help compiler; libchm-bin a CHM reader of its own for the help's
# check; zip makes the release archive; clang and its runtime libraries (libFuzzer among them)
# build the fuzz targets; python3 runs the Windows 9x checks (tools/win9x_check.py); gcc-12-source
# holds the sources of the runtime that the i686 build rebuilds for the Pentium
# (scripts/runtime9x.sh, which also fetches the mingw-w64 source package).
VIREO_PACKAGES=(python3 gcc-12-source cmake g++ libgtest-dev mingw-w64 wine64 fonts-wine xvfb
  xauth locales x11-utils xdotool imagemagick clang-format fp-utils libchm-bin zip clang
  libclang-rt-14-dev)
# Files of the program directory besides the program itself, looked for in resources/, then in
# build/ (the help file is built there), then in the Windows build's folder.
VIREO_PROGRAM_FILES=(license.txt savereg.dat Vireo.chm readme.txt)

vireo_log() { printf '==> %s\n' "$*" >&2; }
vireo_die() {
  printf 'error: %s\n' "$*" >&2
  exit 1
}

# Runs a command as root: directly when we are root, through sudo otherwise.
vireo_as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    "$@"
  else
    sudo "$@"
  fi
}

vireo_pkg_installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

vireo_locale_present() { locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8'; }

_vireo_apt() {
  vireo_as_root env DEBIAN_FRONTEND=noninteractive apt-get -q -o DPkg::Lock::Timeout=600 "$@"
}

# Installs what is missing; does nothing (and touches no package index) when all is there.
# wine32:i386 is wanted too, but only tried: the 32-bit Wine runs the i686 build, the product for
# real 9x machines, yet Debian's i386 index is sometimes unusable ("File has unexpected size ...
# Mirror sync in progress"). Then the scripts fall back to wine64 and the x86_64 build; a failed
# attempt is remembered for six hours so that every run does not pay for it again.
vireo_install_deps() {
  local missing=() p want_wine32=0 marker=$VIREO_BUILD/.wine32-unavailable
  for p in "${VIREO_PACKAGES[@]}"; do
    vireo_pkg_installed "$p" || missing+=("$p")
  done
  if ! vireo_pkg_installed wine32:i386 && [ -z "$(find "$marker" -mmin -360 2>/dev/null)" ]; then
    want_wine32=1
    dpkg --print-foreign-architectures | grep -qx i386 ||
      vireo_as_root dpkg --add-architecture i386 || want_wine32=0
  fi
  if [ ${#missing[@]} -gt 0 ] || [ $want_wine32 -eq 1 ]; then
    # One index failing (the i386 one) must not stop the packages that are really needed.
    _vireo_apt update || vireo_log "apt-get update reported errors; going on"
  fi
  if [ ${#missing[@]} -gt 0 ]; then
    vireo_log "installing ${missing[*]}"
    _vireo_apt install -y "${missing[@]}" || vireo_die "could not install ${missing[*]}"
  fi
  if [ $want_wine32 -eq 1 ]; then
    vireo_log "installing wine32:i386 (optional)"
    if _vireo_apt install -y wine32:i386; then
      rm -f "$marker"
    else
      vireo_log "wine32:i386 could not be installed; wine64 and the x86_64 build will be used"
      mkdir -p "$VIREO_BUILD" && touch "$marker"
    fi
  fi
  if ! vireo_locale_present; then
    vireo_log "generating the $VIREO_LOCALE locale"
    if [ -f /etc/locale.gen ] && grep -q "^# *$VIREO_LOCALE" /etc/locale.gen; then
      vireo_as_root sed -i "s/^# *$VIREO_LOCALE/$VIREO_LOCALE/" /etc/locale.gen
      vireo_as_root locale-gen
    fi
    vireo_locale_present || vireo_as_root localedef -i ru_RU -f UTF-8 "$VIREO_LOCALE"
    vireo_locale_present || vireo_die "could not generate the $VIREO_LOCALE locale"
  fi
}

_vireo_build() { # dir, extra cmake arguments...
  local dir=$1
  shift
  cmake -S "$VIREO_ROOT" -B "$dir" "$@" >"$dir.configure.log" 2>&1 || {
    cat "$dir.configure.log" >&2
    return 1
  }
  cmake --build "$dir" -j "$VIREO_JOBS"
}

# The Windows builds: i686 (what runs on real 9x machines and under the 32-bit Wine) in
# build/win32 and x86_64 (the wine64 fallback) in build/win64. Both are built, so that both stay
# green; a failure of either fails the build. `vireo_build_windows i686` builds the one named.
vireo_build_windows() {
  mkdir -p "$VIREO_BUILD"
  local arch bits status=0 archs=("$@")
  [ ${#archs[@]} -gt 0 ] || archs=(i686 x86_64)
  for arch in "${archs[@]}"; do
    bits=32
    [ "$arch" = x86_64 ] && bits=64
    vireo_log "building the Windows program ($arch) in ${VIREO_BUILD#"$VIREO_ROOT"/}/win$bits"
    _vireo_build "$VIREO_BUILD/win$bits" -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$VIREO_ROOT/cmake/mingw-$arch.cmake" || status=1
  done
  return $status
}

vireo_build_host() {
  mkdir -p "$VIREO_BUILD"
  vireo_log "building the host core and tests in ${VIREO_BUILD#"$VIREO_ROOT"/}/host"
  _vireo_build "$VIREO_BUILD/host" -DCMAKE_BUILD_TYPE=Debug
}

# The help file build/Vireo.chm. make_help (a host build tool) writes the project into
# build/help/utf8: the pages of resources/help with the catalogue's settings filled in, the
# contents and the index. The text files are turned into code page 1251, which the pages
# declare and the Windows 98 help viewer reads, and chmcmd compiles them; the finished file
# replaces the old one in one rename. Needs the host build configured (it configures it if not).
vireo_build_help() {
  local out=$VIREO_BUILD/help f
  vireo_log "building the help file ${VIREO_BUILD#"$VIREO_ROOT"/}/Vireo.chm"
  mkdir -p "$VIREO_BUILD"
  if [ ! -f "$VIREO_BUILD/host/CMakeCache.txt" ]; then
    cmake -S "$VIREO_ROOT" -B "$VIREO_BUILD/host" -DCMAKE_BUILD_TYPE=Debug \
      >"$VIREO_BUILD/host.configure.log" 2>&1 || {
      cat "$VIREO_BUILD/host.configure.log" >&2
      return 1
    }
  fi
  cmake --build "$VIREO_BUILD/host" -j "$VIREO_JOBS" --target make_help || return 1
  rm -rf "$out"
  mkdir -p "$out/utf8"
  "$VIREO_BUILD/host/make_help" "$VIREO_ROOT/resources/help" "$out/utf8" || return 1
  for f in "$out"/utf8/*; do
    case $f in
      *.html | *.hhc | *.hhk | *.hhp)
        iconv -f UTF-8 -t CP1251 "$f" >"$out/${f##*/}" || {
          vireo_log "${f##*/} holds a character that code page 1251 does not have"
          return 1
        }
        ;;
      *) cp "$f" "$out/" ;;
    esac
  done
  (cd "$out" && chmcmd Vireo.hhp) >"$out/chmcmd.log" 2>&1 || {
    cat "$out/chmcmd.log" >&2
    return 1
  }
  if [ ! -s "$out/Vireo.chm" ]; then
    cat "$out/chmcmd.log" >&2
    vireo_log "chmcmd made no Vireo.chm"
    return 1
  fi
  mv -f "$out/Vireo.chm" "$VIREO_BUILD/Vireo.chm"
}

# The libFuzzer targets of fuzz/, a configuration of their own built with clang.
vireo_build_fuzz() {
  mkdir -p "$VIREO_BUILD"
  vireo_log "building the fuzz targets in ${VIREO_BUILD#"$VIREO_ROOT"/}/fuzz"
  cmake -S "$VIREO_ROOT/fuzz" -B "$VIREO_BUILD/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$VIREO_BUILD/fuzz.configure.log" 2>&1 || {
    cat "$VIREO_BUILD/fuzz.configure.log" >&2
    return 1
  }
  cmake --build "$VIREO_BUILD/fuzz" -j "$VIREO_JOBS"
}

# ---- Wine paths ------------------------------------------------------------------------------
# Vireo runs under Wine on one of two paths, each with its own loader, build and kind of prefix:
#   32  the 32-bit loader /usr/lib/wine/wine, the i686 build (the product for real 9x machines),
#       a 32-bit prefix (WINEARCH=win32): one registry view, as on Windows 9x;
#   64  wine64, the x86_64 build, a 64-bit prefix: the fallback where 32-bit Wine cannot run.
# The i686 build is never run in a 64-bit prefix: there a 32-bit program sees the WoW64 view of
# the registry (its HKCR\CLSID writes land in HKLM\Software\Classes\Wow6432Node\CLSID), so it
# would neither see nor change what the rest of the system reads. A prefix never changes its
# architecture, so each path has prefixes of its own, and every Wine program that shares a
# prefix's registry (the test programs, reg, explorer, wineboot) runs with that path's loader.
# VIREO_WINE_PATHS ("32", "64" or "32 64", the default) restricts the paths, in that order of
# preference.

# The user's WINEPREFIX as it was when the script started, before any function set one.
VIREO_GIVEN_PREFIX=${WINEPREFIX:-}

# Sets VIREO_PATHS to the paths that VIREO_WINE_PATHS allows, 32 before 64; dies on a bad value.
vireo_wine_paths() {
  local given=${VIREO_WINE_PATHS:-32 64} word p
  VIREO_PATHS=()
  for word in ${given//,/ }; do
    case $word in
      32 | 64) ;;
      *) vireo_die "VIREO_WINE_PATHS may hold 32 and 64 only, not \"$word\"" ;;
    esac
  done
  for p in 32 64; do
    for word in ${given//,/ }; do
      if [ "$word" = "$p" ]; then
        VIREO_PATHS+=("$p")
        break
      fi
    done
  done
  [ ${#VIREO_PATHS[@]} -gt 0 ] ||
    vireo_die "VIREO_WINE_PATHS names no path (use 32, 64 or \"32 64\")"
}

# Chooses path 32 or 64. Sets:
#   VIREO_PATH        32 or 64
#   VIREO_WINE        its loader
#   VIREO_WINEARCH    win32 or win64, the architecture of its prefixes
#   VIREO_WIN_BUILD   build/win32 or build/win64
#   VIREO_WINE_KIND   a phrase naming the path, for the reports
# Fails, with the reason in VIREO_PATH_WHY, when the loader is not installed.
vireo_use_path() {
  VIREO_PATH=$1
  VIREO_PATH_WHY=
  if [ "$1" = 32 ]; then
    VIREO_WINE=/usr/lib/wine/wine
    VIREO_WINEARCH=win32
    VIREO_WIN_BUILD=$VIREO_BUILD/win32
    VIREO_WINE_KIND="i686 build, 32-bit Wine (/usr/lib/wine/wine), 32-bit prefix"
  else
    VIREO_WINE=/usr/lib/wine/wine64
    VIREO_WINEARCH=win64
    VIREO_WIN_BUILD=$VIREO_BUILD/win64
    VIREO_WINE_KIND="x86_64 build, wine64 (/usr/lib/wine/wine64), 64-bit prefix"
  fi
  if [ ! -x "$VIREO_WINE" ]; then
    VIREO_PATH_WHY="$VIREO_WINE is not installed"
    return 1
  fi
  # Where the kernel cannot run 32-bit programs, starting the 32-bit loader fails with "Exec
  # format error" (exit 126), and a shell that then reads it as a script prints "Syntax error".
  if [ "$1" = 32 ]; then
    "$VIREO_WINE" --version >/dev/null 2>&1
    if [ $? -eq 126 ]; then
      VIREO_PATH_WHY="this Linux machine cannot run 32-bit programs, so the 32-bit Wine cannot start"
      return 1
    fi
  fi
}

# Runs a Wine command with the chosen path's loader in $WINEPREFIX, always in the Russian locale
# so that Cyrillic survives in command lines, file names and the registry. WINEARCH goes along,
# so that Wine itself refuses a prefix of the other architecture.
vireo_wine() {
  local limit=() arch=()
  [ -n "${VIREO_WINE_TIMEOUT:-}" ] && limit=(timeout -k 5 "$VIREO_WINE_TIMEOUT")
  [ -n "${VIREO_WINEARCH:-}" ] && arch=(WINEARCH="$VIREO_WINEARCH")
  "${limit[@]}" env LC_ALL=$VIREO_LOCALE LANG=$VIREO_LOCALE WINEDEBUG="${WINEDEBUG:--all}" \
    WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}" "${arch[@]}" \
    "${VIREO_WINE:-/usr/lib/wine/wine64}" "$@"
}

vireo_wineserver() {
  LC_ALL=$VIREO_LOCALE LANG=$VIREO_LOCALE /usr/lib/wine/wineserver "$@"
}

# Prints the architecture of the prefix DIR as its system.reg records it (win32 or win64), or
# nothing when DIR holds no prefix.
vireo_prefix_arch() {
  sed -n 's/^#arch=//p' "$1/system.reg" 2>/dev/null | head -1
}

# Debian's Wine 8 looks for its own fonts (Tahoma, MS Sans Serif, Marlett for the caption
# buttons) under a path it cannot open, so every font falls back to DejaVu Sans and the caption
# buttons draw as letters. Fonts in the Windows font folder are always found: copy them there.
_vireo_prefix_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts f
  [ -d /usr/share/wine/fonts ] || return 0
  mkdir -p "$fonts"
  for f in /usr/share/wine/fonts/*; do
    [ -e "$fonts/${f##*/}" ] || cp "$f" "$fonts/"
  done
}

# Creates $WINEPREFIX for the chosen path: its loader and architecture, no Mono or Gecko prompts.
# Fails, with the reason in VIREO_PATH_WHY, when Wine cannot; what it created is then removed.
vireo_create_prefix() {
  local existed=0 arch said
  [ -e "$WINEPREFIX" ] && existed=1
  vireo_log "creating the $VIREO_WINEARCH Wine prefix $WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  # The last thing the loader says, for the report when it fails ("Exec format error" where the
  # kernel cannot run 32-bit programs).
  said=$(VIREO_WINE_TIMEOUT=300 vireo_wine wineboot --init 2>&1 >/dev/null | tr -d '\r' |
    tail -1) || true
  vireo_wineserver -w 2>/dev/null || true
  arch=$(vireo_prefix_arch "$WINEPREFIX")
  if [ "$arch" != "$VIREO_WINEARCH" ]; then
    VIREO_PATH_WHY="$VIREO_WINE could not create a $VIREO_WINEARCH prefix"
    [ -n "$arch" ] && VIREO_PATH_WHY+=" (it made a $arch one)"
    [ -n "$said" ] && VIREO_PATH_WHY+=": $said"
    [ $existed -eq 0 ] && rm -rf "$WINEPREFIX"
    return 1
  fi
  _vireo_prefix_fonts
}

# Tries the chosen path for real in $WINEPREFIX: its build's driver.exe must run and say that it
# is a program of the path's bitness. A 32-bit program that Wine cannot run may still exit 0,
# so the exit code alone is never trusted. Fails with the reason in VIREO_PATH_WHY.
# Run it with a display: even a program without windows makes Wine start explorer for the
# "Default" desktop, and one started without $DISPLAY leaves that desktop without a display
# driver for as long as the wineserver lives (no window can be made on it then).
vireo_probe() {
  local probe=$VIREO_WIN_BUILD/driver.exe out
  if [ ! -f "$probe" ]; then
    VIREO_PATH_WHY="$probe was not built"
    return 1
  fi
  out=$(VIREO_WINE_TIMEOUT=60 vireo_wine "$probe" probe 2>/dev/null | tr -d '\r' || true)
  if printf '%s\n' "$out" | grep -q "^probe: $VIREO_PATH-bit"; then
    return 0
  fi
  VIREO_PATH_WHY="$VIREO_WINE did not run the $VIREO_PATH-bit driver.exe"
  return 1
}

# The user's prefix for the chosen path: $WINEPREFIX when the user gave one, otherwise
# wineprefix32 or wineprefix64 under the user's data directory. Created when missing; a prefix
# of the other architecture is never used. Sets WINEPREFIX; fails with VIREO_PATH_WHY.
vireo_user_prefix() {
  local arch
  local data=${XDG_DATA_HOME:-$HOME/.local/share}
  export WINEPREFIX=${VIREO_GIVEN_PREFIX:-$data/vireo/wineprefix$VIREO_PATH}
  arch=$(vireo_prefix_arch "$WINEPREFIX")
  if [ -n "$arch" ] && [ "$arch" != "$VIREO_WINEARCH" ]; then
    VIREO_PATH_WHY="$WINEPREFIX is a $arch prefix, not $VIREO_WINEARCH"
    return 1
  fi
  if [ -z "$arch" ]; then
    vireo_create_prefix || return 1
  fi
  _vireo_prefix_fonts
}

# A throwaway prefix for the tests, DIR followed by the path (build/wine-test-prefix32), with the
# registry and the .ini files of the Windows folder as they were right after wineboot: a copy is
# kept beside the prefix and put back every time. A prefix or copy of the other architecture is
# made anew. Sets WINEPREFIX; fails with VIREO_PATH_WHY.
vireo_test_prefix() {
  export WINEPREFIX=$1$VIREO_PATH
  local pristine=$WINEPREFIX.pristine f
  if [ "$(vireo_prefix_arch "$WINEPREFIX")" = "$VIREO_WINEARCH" ] &&
    [ "$(vireo_prefix_arch "$pristine")" = "$VIREO_WINEARCH" ]; then
    vireo_wineserver -k 2>/dev/null || true
    vireo_wineserver -w 2>/dev/null || true
    cp -f "$pristine"/*.reg "$WINEPREFIX/"
    rm -f "$WINEPREFIX"/drive_c/windows/*.ini
    cp -f "$pristine"/*.ini "$WINEPREFIX/drive_c/windows/" 2>/dev/null || true
    rm -rf "$WINEPREFIX/drive_c/Program Files/Vireo"
  else
    vireo_wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$pristine"
    vireo_create_prefix || return 1
    mkdir -p "$pristine"
    cp "$WINEPREFIX"/*.reg "$pristine/"
    for f in "$WINEPREFIX"/drive_c/windows/*.ini; do
      [ -f "$f" ] && cp "$f" "$pristine/"
    done
  fi
  _vireo_prefix_fonts
}

# Prepares path P with its prefix and tries it: `vireo_try_path P user` takes the user's prefix,
# `vireo_try_path P test DIR` the throwaway DIR32 or DIR64. Fails with VIREO_PATH_WHY.
vireo_try_path() {
  vireo_use_path "$1" || return 1
  if [ "$2" = user ]; then
    vireo_user_prefix || return 1
  else
    vireo_test_prefix "$3" || return 1
  fi
  vireo_probe
}

# Chooses the first path of VIREO_WINE_PATHS that runs on this machine, with its prefix (the
# arguments after the path of vireo_try_path). Says which, and why the ones before it could not
# run. Needs the Windows builds, and a display for the probe.
vireo_wine_select() {
  local p
  vireo_wine_paths
  for p in "${VIREO_PATHS[@]}"; do
    if vireo_try_path "$p" "$@"; then
      vireo_log "using the $VIREO_WINE_KIND ($WINEPREFIX)"
      return 0
    fi
    vireo_log "the $p-bit path is unavailable: $VIREO_PATH_WHY"
  done
  vireo_die "no Wine path of VIREO_WINE_PATHS=\"${VIREO_WINE_PATHS:-32 64}\" can be used here"
}

# Windows 98 mode for one program only: HKCU\Software\Wine\AppDefaults\<exe>\Version = win98.
vireo_set_win98() {
  vireo_wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1" /v Version /t REG_SZ /d win98 /f \
    >/dev/null
}

# Removes the program's own version setting, so that it runs in Wine's default (NT) mode.
vireo_clear_version() {
  vireo_wine reg delete "HKCU\\Software\\Wine\\AppDefaults\\$1" /f >/dev/null 2>&1 || true
}

# Imports the REGEDIT4 file FILE into $WINEPREFIX with the system's registry editor
# (`regedit FILE` imports without asking), run with the chosen path's loader in the Russian
# locale, so that the file's code page 1251 text is read as such. Wine writes the prefix's .reg
# files only when the wineserver ends, so the import is checked through the registry itself:
# `reg query` must find the file's last key. Fails with the reason in VIREO_PATH_WHY.
vireo_import_reg() {
  local file=$1 last
  VIREO_PATH_WHY=
  if [ ! -f "$file" ]; then
    VIREO_PATH_WHY="$file does not exist"
    return 1
  fi
  file=$(cd "$(dirname "$file")" && pwd)/${file##*/}
  last=$(tr -d '\r' <"$file" | sed -n 's/^\[\(.*\)\]$/\1/p' | tail -1)
  # Z: is the root of the Unix file system in every prefix.
  VIREO_WINE_TIMEOUT=${VIREO_WINE_TIMEOUT:-300} vireo_wine regedit.exe "Z:${file//\//\\}" \
    >/dev/null 2>&1 || true
  if [ -z "$last" ] || ! vireo_wine reg query "$last" >/dev/null 2>&1; then
    VIREO_PATH_WHY="regedit did not import $file (no key [$last] afterwards)"
    return 1
  fi
}

# Windows path and Unix path of the program directory C:\Program Files\Vireo.
# shellcheck disable=SC2034  # used by the scripts that source this file
VIREO_PROGRAM_DIR_WIN='C:\Program Files\Vireo'
vireo_program_dir() { printf '%s\n' "$WINEPREFIX/drive_c/Program Files/Vireo"; }

# Prints where the program-directory file NAME (one of VIREO_PROGRAM_FILES) is: resources/,
# build/ or the selected Windows build's folder, in that order. Fails when it is nowhere.
vireo_program_file() {
  local d
  for d in "$VIREO_ROOT/resources" "$VIREO_BUILD" ${VIREO_WIN_BUILD:+"$VIREO_WIN_BUILD"}; do
    if [ -f "$d/$1" ]; then
      printf '%s\n' "$d/$1"
      return 0
    fi
  done
  return 1
}

# Copies vireo.exe of the selected build and the program's own files into the program directory.
# A file that is nowhere yet is left out.
vireo_install_program() {
  local dir f from
  dir=$(vireo_program_dir)
  [ -f "$VIREO_WIN_BUILD/vireo.exe" ] || vireo_die "$VIREO_WIN_BUILD/vireo.exe was not built"
  mkdir -p "$dir"
  cp -f "$VIREO_WIN_BUILD/vireo.exe" "$dir/vireo.exe"
  for f in "${VIREO_PROGRAM_FILES[@]}"; do
    if from=$(vireo_program_file "$f"); then
      cp -f "$from" "$dir/$f"
    fi
  done
}

# Starts Xvfb on a free display when there is none; sets DISPLAY and VIREO_XVFB_PID.
vireo_start_xvfb() {
  VIREO_XVFB_PID=
  [ -n "${DISPLAY:-}" ] && return 0
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  VIREO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && return 0
    kill -0 "$VIREO_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  vireo_die "Xvfb did not start on $DISPLAY"
}

vireo_stop_xvfb() {
  if [ -n "${VIREO_XVFB_PID:-}" ]; then
    kill "$VIREO_XVFB_PID" 2>/dev/null || true
    wait "$VIREO_XVFB_PID" 2>/dev/null || true
    VIREO_XVFB_PID=
  fi
}

# The end of a script's Wine runs: the wineserver and the private Xvfb stopped.
vireo_end_wine() {
  vireo_wineserver -k 2>/dev/null || true
  vireo_stop_xvfb
}

# The display of a script's Wine runs: Xvfb (unless DISPLAY is set) is up before any Wine
# process, for the first one starts Wine's desktop, and one started without a display leaves
# that desktop without a driver for as long as the wineserver lives. Both end with the script.
vireo_wine_display() {
  trap vireo_end_wine EXIT
  vireo_start_xvfb
}
