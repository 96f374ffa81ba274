#!/usr/bin/env bash
# The user-setup export ("Сохранить пользовательскую настройку") of the real vireo.exe under Wine
# in Windows 98 mode, killed and on disks that refuse the file:
#   scripts/killexport.sh [COUNT]   COUNT kills (default 100) on each Wine path of
#                                   VIREO_WINE_PATHS, then the read-only and full-disk cases;
#                                   prints the figures
# scripts/test.sh sources this file and runs `killexport_suite kill 5` and `killexport_suite disk`
# on each path, in the prefix, display and desktop it prepared.
#
# Kills: thousands of values (strings, numbers, binary data up to 8 KB) are imported with regedit
# and listed in savereg.dat; a reference export (made without a kill, three times, alike) gives
# the new Setup.reg, an export of other values before it the previous one. Each run puts the
# previous file back, starts the export through driver.exe, and kill -9's the Linux process of
# vireo.exe at a moment spread over the longest measured export time and past its end (stratified
# at random: one moment in each of COUNT equal slices). In Windows 98 mode the program replaces
# Setup.reg by its swap: a kill between its two renames leaves the old file moved aside as
# Setup.reg.vir-old, and then the program is started once, as a user would, and its start-up must
# put it back. Setup.reg must then be exactly the previous file or exactly the new one; what the
# replace left beside it (Setup.reg.vir-new, Setup.reg.vir-old, or MoveFileExA's "vir*.tmp") is
# counted.
# Read-only: Setup.reg with the read-only attribute, and the program directory on a read-only
# file system (a tmpfs mounted read-only; chattr +i where mounting is not allowed; chmod for a
# user who is not root). Full disk: the program directory on a small tmpfs, filled up to nothing
# and to 16 KB free. Each must show exactly the message of failure 3, keep the previous
# Setup.reg byte for byte and leave no temporary file.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

KILLEXPORT_VALUES=${KILLEXPORT_VALUES:-8000}
KILLEXPORT_KEY='Software\Vireo Kill Test'

_ke_passed=0
_ke_failed=0
_ke_check() { # ok(0/1) text
  if [ "$1" -eq 1 ]; then
    echo "ok: $2"
    _ke_passed=$((_ke_passed + 1))
  else
    echo "FAIL: $2"
    _ke_failed=$((_ke_failed + 1))
  fi
}

# The REGEDIT4 text of COUNT values in groups of 50 keys under HKCU\Software\Vireo Kill Test; GEN
# changes every value, so that two generations export to different files of the same list.
_ke_values_reg() { # count gen
  awk -v n="$1" -v gen="$2" 'BEGIN {
    printf "REGEDIT4\r\n"
    for (i = 0; i < n; i++) {
      if (i % 50 == 0)
        printf "\r\n[HKEY_CURRENT_USER\\Software\\Vireo Kill Test\\Group %03d]\r\n", i / 50
      name = sprintf("Value %05d", i)
      kind = i % 4
      if (i % 97 == 0) {
        bytes = 8192
        kind = 2
      } else {
        bytes = 64
      }
      if (kind == 0 || kind == 3) {
        printf "\"%s\"=\"generation %d, value %d: " \
          "C:\\\\Program Files\\\\Item %d \\\"quoted\\\"\"\r\n",
          name, gen, i, (i * 7919 + gen) % 100000
      } else if (kind == 1) {
        printf "\"%s\"=dword:%08x\r\n", name, (i * 40503 + gen * 977) % 2147483647
      } else {
        line = sprintf("\"%s\"=hex:", name)
        for (b = 0; b < bytes; b++)
          line = line sprintf(b ? ",%02x" : "%02x", (i + b * 31 + gen * 13) % 256)
        printf "%s\r\n", line
      }
    }
  }'
}

_ke_list() { # count
  awk -v n="$1" 'BEGIN {
    for (i = 0; i < n; i++)
      printf "HKCU\\Software\\Vireo Kill Test\\Group %03d\\Value %05d\r\n", i / 50, i
  }'
}

_ke_now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The Linux process of vireo.exe in this prefix: its command line names the program (and is not
# the driver's, which names it too), its environment holds this WINEPREFIX.
_ke_program_pid() {
  local p
  for p in $(pgrep -f 'vireo\.exe'); do
    case $(tr '\0' ' ' 2>/dev/null <"/proc/$p/cmdline") in *driver.exe*) continue ;; esac
    if tr '\0' '\n' 2>/dev/null <"/proc/$p/environ" | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "$p"
      return 0
    fi
  done
  return 1
}

# The files a replace of Setup.reg may leave in DIR: the swap's temporary file and backup, and the
# temporary files of MoveFileExA's way. The arguments after DIR go to find (-delete).
_ke_leftovers() { # dir [action]
  find "$1" -maxdepth 1 \( -iname 'vir*.tmp' -o -iname '*.vir-new' -o -iname '*.vir-old' \) \
    "${@:2}"
}

_ke_strays() { # dir: the number of such files there
  _ke_leftovers "$1" | wc -l
}

# Runs the driver's export with ENDING (ok, error3, kill; start only starts and ends the program)
# on the program in DIR; for kill, the program is killed DELAY ms after the export started. Sets
# _ke_took (ms from "started" to "done", empty when there was no "done"), _ke_killed_after_done (1
# when the kill came after "done"), _ke_driver_failed (the driver's failed checks) and keeps the
# driver's lines in _ke_log.
_ke_export() { # dir ending [delay]
  local dir=$1 ending=$2 delay=${3:-} exe pid='' line start='' done_at='' fifo result killer=''
  exe="Z:${dir//\//\\}\\vireo.exe"
  fifo=$(mktemp -u "$VIREO_BUILD/killexport.fifo.XXXXXX")
  mkfifo "$fifo"
  VIREO_WINE_TIMEOUT=120 vireo_wine "$VIREO_WIN_BUILD/driver.exe" export "$exe" "$ending" \
    --desktop VireoTest >"$fifo" 2>/dev/null &
  local driver=$!
  _ke_took='' _ke_killed_after_done=0 _ke_driver_failed=1
  : >"$_ke_log"
  while IFS= read -r line; do
    line=${line%$'\r'}
    echo "$line" >>"$_ke_log"
    case $line in
      "ok: the main window"*) pid=$(_ke_program_pid) ;;
      "export: started")
        start=$(_ke_now_ms)
        if [ "$ending" = kill ]; then
          [ -n "$pid" ] || pid=$(_ke_program_pid)
          (
            sleep "$(printf '%d.%03d' $((delay / 1000)) $((delay % 1000)))"
            [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
            _ke_now_ms >"$fifo.killed"
          ) &
          killer=$!
        fi
        ;;
      "export: done"*) done_at=$(_ke_now_ms) ;;
      "driver: "*" passed, "*" failed")
        result=${line#*passed, }
        _ke_driver_failed=${result%% failed*}
        ;;
    esac
  done <"$fifo"
  wait "$driver"
  [ -n "$killer" ] && wait "$killer"
  if [ -n "$start" ] && [ -n "$done_at" ]; then _ke_took=$((done_at - start)); fi
  if [ -f "$fifo.killed" ] && [ -n "$done_at" ] && [ "$(cat "$fifo.killed")" -ge "$done_at" ]; then
    _ke_killed_after_done=1
  fi
  rm -f "$fifo" "$fifo.killed"
}

_ke_median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# Prepares the program directory DIR (vireo.exe, the big savereg.dat) and the two files to
# compare with: $dir.old (the previous Setup.reg) and $dir.new (the complete new one). Sets
# _ke_duration, the median export time in ms.
_ke_prepare() { # dir
  local dir=$1 work=$1.work took=()
  rm -rf "$dir" "$work"
  mkdir -p "$dir" "$work"
  cp "$VIREO_WIN_BUILD/vireo.exe" "$dir/"
  _ke_list "$KILLEXPORT_VALUES" >"$dir/savereg.dat"
  _ke_values_reg "$KILLEXPORT_VALUES" 1 >"$work/gen1.reg"
  _ke_values_reg "$KILLEXPORT_VALUES" 2 >"$work/gen2.reg"
  vireo_set_win98 vireo.exe
  vireo_wine reg delete "HKCU\\$KILLEXPORT_KEY" /f >/dev/null 2>&1
  if ! vireo_import_reg "$work/gen1.reg"; then
    _ke_check 0 "the first $KILLEXPORT_VALUES values imported: $VIREO_PATH_WHY"
    return 1
  fi
  _ke_export "$dir" ok
  _ke_check "$([ "$_ke_driver_failed" = 0 ] && [ -f "$dir/Setup.reg" ] && echo 1 || echo 0)" \
    "the export of the first values writes Setup.reg ($(wc -c <"$dir/Setup.reg" 2>/dev/null) bytes)"
  cp "$dir/Setup.reg" "$dir.old" 2>/dev/null || return 1
  if ! vireo_import_reg "$work/gen2.reg"; then
    _ke_check 0 "the changed values imported: $VIREO_PATH_WHY"
    return 1
  fi
  for run in 1 2 3; do
    # A reference export that shows an error (seen once in about ten suites under load: failure
    # 3 on a directory that takes the other exports) is made again once; the kills need a
    # complete reference, not a proof of this one.
    for attempt in 1 2; do
      cp "$dir.old" "$dir/Setup.reg"
      _ke_export "$dir" ok
      grep -q 'ошибка №' "$_ke_log" || break
      echo "note: reference export $run showed an error (attempt $attempt):" \
        "$(grep -m1 'ошибка №' "$_ke_log")"
    done
    [ -n "$_ke_took" ] && took+=("$_ke_took")
    if [ "$run" = 1 ]; then
      cp "$dir/Setup.reg" "$dir.new"
    elif ! cmp -s "$dir/Setup.reg" "$dir.new"; then
      _ke_check 0 "reference export $run gives the same file as the first"
      return 1
    fi
  done
  _ke_check "$(cmp -s "$dir.old" "$dir.new" && echo 0 || echo 1)" \
    "the new Setup.reg ($(wc -c <"$dir.new") bytes) differs from the previous one"
  _ke_check "$([ ${#took[@]} -eq 3 ] && [ "$(_ke_strays "$dir")" -eq 0 ] && echo 1 || echo 0)" \
    "three reference exports over the previous file, each complete, alike, no temporary left"
  # The kills spread over the longest of the three: on a machine shared with other work the time
  # of one export varies several times over, and a short estimate would leave its end unkilled.
  _ke_duration=$(printf '%s\n' "${took[@]}" | sort -n | tail -1)
  echo "figures: export of $KILLEXPORT_VALUES lines: ${took[*]} ms" \
    "(median $(printf '%s\n' "${took[@]}" | _ke_median) ms)"
  rm -rf "$work"
}

# COUNT kills; every outcome must be the previous file or the new one.
_ke_kills() { # dir count
  local dir=$1 count=$2 i delay span old=0 new=0 late=0 other=0 strays=0 left note spread broken=0 size
  local aside=0 back
  # The old file moved aside with part of the new one beside it, as a kill between the swap's
  # renames leaves them: the program's start-up alone puts the old file back and cleans up.
  rm -f "$dir/Setup.reg"
  cp "$dir.old" "$dir/Setup.reg.vir-old"
  head -c 4096 "$dir.new" >"$dir/Setup.reg.vir-new"
  _ke_export "$dir" start
  _ke_check "$([ "$_ke_driver_failed" = 0 ] && cmp -s "$dir/Setup.reg" "$dir.old" &&
    [ "$(_ke_strays "$dir")" -eq 0 ] && echo 1 || echo 0)" \
    "Setup.reg left moved aside: the program's start-up puts the previous file back, nothing left"
  span=$((_ke_duration * 115 / 100 + 20))
  for ((i = 0; i < count; i++)); do
    cp "$dir.old" "$dir/Setup.reg"
    delay=$(((i * span + RANDOM % span) / count))
    _ke_export "$dir" kill "$delay"
    if [ "$_ke_driver_failed" != 0 ]; then
      broken=$((broken + 1))
      grep '^FAIL' "$_ke_log" | sed "s/^/  kill $((i + 1)): /"
    fi
    back=
    if [ ! -e "$dir/Setup.reg" ] && [ -e "$dir/Setup.reg.vir-old" ]; then
      aside=$((aside + 1))
      back=", moved aside and put back by the next start"
      _ke_export "$dir" start
    fi
    left=$(_ke_strays "$dir")
    strays=$((strays + left))
    note=$back
    [ "$left" -gt 0 ] && note="$note, $left temporary file left"
    _ke_leftovers "$dir" -delete
    if cmp -s "$dir/Setup.reg" "$dir.old"; then
      old=$((old + 1))
      echo "kill $((i + 1)) at $delay ms: the previous Setup.reg$note"
    elif cmp -s "$dir/Setup.reg" "$dir.new"; then
      new=$((new + 1))
      [ "$_ke_killed_after_done" = 1 ] && late=$((late + 1))
      echo "kill $((i + 1)) at $delay ms: the new Setup.reg$([ "$_ke_killed_after_done" = 1 ] &&
        echo " (the export had ended)")$note"
    else
      other=$((other + 1))
      cp "$dir/Setup.reg" "$dir.other$((i + 1))" 2>/dev/null
      size=$(wc -c 2>/dev/null <"$dir/Setup.reg" || echo no)
      echo "kill $((i + 1)) at $delay ms: Setup.reg is neither ($size bytes)"
    fi
  done
  spread="kill moments 0..$span ms"
  echo "figures: $count kills ($spread): $old left the previous file, $new the new one" \
    "($late of them after the export had ended), $other anything else; $aside left it moved" \
    "aside (put back by the next start); $strays temporary files left"
  _ke_check "$([ "$broken" -eq 0 ] && echo 1 || echo 0)" \
    "$count kills: each export started and the program was ended by the kill ($broken not)"
  note="Setup.reg is the previous file ($old) or the new one ($new), nothing else ($other)"
  _ke_check "$([ "$other" -eq 0 ] && echo 1 || echo 0)" "$count kills: $note"
}

_ke_unmount() { # dir
  chattr -i "$1" 2>/dev/null
  chmod u+w "$1" 2>/dev/null
  if mountpoint -q "$1"; then umount "$1" 2>/dev/null || umount -l "$1"; fi
}

# The export onto DIR must fail with failure 3, keep the previous Setup.reg and leave no
# temporary file.
_ke_refused() { # dir what
  local dir=$1 what=$2
  _ke_export "$dir" error3
  _ke_check "$([ "$_ke_driver_failed" = 0 ] && echo 1 || echo 0)" \
    "$what: the export shows the message of failure 3"
  _ke_check "$(cmp -s "$dir/Setup.reg" "$dir.old" && echo 1 || echo 0)" \
    "$what: Setup.reg keeps its previous bytes"
  _ke_check "$([ "$(_ke_strays "$dir")" -eq 0 ] && echo 1 || echo 0)" \
    "$what: no temporary file is left"
  grep -E '^(FAIL|ok: it says)' "$_ke_log" | sed "s/^/  $what: /"
}

# Copies the program directory SRC into DIR, a fresh tmpfs of SIZE; false where mounting is not
# allowed.
_ke_tmpfs() { # src dir size
  mkdir -p "$2"
  _ke_unmount "$2"
  mount -t tmpfs -o "size=$3" vireo-export "$2" 2>/dev/null || return 1
  cp "$1/vireo.exe" "$1/savereg.dat" "$2/" && cp "$1.old" "$2/Setup.reg"
}

_ke_disk() { # dir
  local dir=$1 ro=$1-ro full=$1-full how free
  # Setup.reg read-only: the attribute, which Wine keeps in the Unix mode.
  cp "$dir.old" "$dir/Setup.reg"
  chmod a-w "$dir/Setup.reg"
  _ke_refused "$dir" "Setup.reg read-only"
  chmod u+w "$dir/Setup.reg"

  # The directory on a read-only file system.
  how=
  if [ "$(id -u)" -eq 0 ]; then
    if _ke_tmpfs "$dir" "$ro" 64m && mount -o remount,ro "$ro" 2>/dev/null; then
      how="a tmpfs mounted read-only"
    else
      _ke_unmount "$ro"
      rm -rf "$ro" && mkdir -p "$ro" && cp "$dir/vireo.exe" "$dir/savereg.dat" "$ro/" &&
        cp "$dir.old" "$ro/Setup.reg" && chattr +i "$ro" 2>/dev/null && how="chattr +i"
    fi
  else
    rm -rf "$ro" && mkdir -p "$ro" && cp "$dir/vireo.exe" "$dir/savereg.dat" "$ro/" &&
      cp "$dir.old" "$ro/Setup.reg" && chmod a-w "$ro" && how="chmod a-w"
  fi
  if [ -n "$how" ]; then
    cp "$dir.old" "$ro.old"
    _ke_refused "$ro" "program directory read-only ($how)"
  else
    _ke_check 0 "the program directory could not be made read-only here"
  fi
  _ke_unmount "$ro"
  rm -rf "$ro" "$ro.old"

  # A full disk: nothing free, then 16 KB free (less than the new file).
  if [ "$(id -u)" -eq 0 ] && _ke_tmpfs "$dir" "$full" 32m; then
    cp "$dir.old" "$full.old"
    for free in 0 16; do
      rm -f "$full/filler"
      cp "$dir.old" "$full/Setup.reg"
      dd if=/dev/zero of="$full/filler" bs=64k 2>/dev/null
      [ "$free" -gt 0 ] && truncate -s "-${free}K" "$full/filler"
      echo "full disk: $(df -k --output=avail "$full" | tail -1 | tr -d ' ') KB free"
      _ke_refused "$full" "full disk, ${free} KB free"
    done
  else
    _ke_check 0 "no small tmpfs could be mounted for the full disk here"
  fi
  _ke_unmount "$full"
  rm -rf "$full" "$full.old"
}

# One suite on the path that scripts/test.sh (or the main part below) prepared: "kill COUNT" or
# "disk". Ends with "killexport: N passed, M failed".
killexport_suite() { # kill COUNT | disk
  # A folder of the prefix's own, so that runs in two prefixes never share a mount point.
  local dir=$VIREO_BUILD/killexport-${WINEPREFIX##*/}/Vireo
  _ke_passed=0 _ke_failed=0
  _ke_log=${dir%/*}/driver.log
  mkdir -p "${dir%/*}"
  echo "user-setup export, $1 (${VIREO_WINE_KIND:-?})"
  trap '_ke_unmount "$dir-ro"; _ke_unmount "$dir-full"' RETURN
  if _ke_prepare "$dir"; then
    case $1 in
      kill) _ke_kills "$dir" "${2:-5}" ;;
      disk) _ke_disk "$dir" ;;
    esac
  fi
  vireo_wine reg delete "HKCU\\$KILLEXPORT_KEY" /f >/dev/null 2>&1
  echo "killexport: $_ke_passed passed, $_ke_failed failed"
  [ "$_ke_failed" -eq 0 ]
}

# ---- run on its own ----------------------------------------------------------------------------
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  count=${1:-100}
  vireo_install_deps
  vireo_build_windows i686 x86_64 || vireo_die "the Windows build failed"
  vireo_wine_paths
  unset DISPLAY
  vireo_wine_display
  status=0
  ran=()
  for path in "${VIREO_PATHS[@]}"; do
    if ! vireo_try_path "$path" test "$VIREO_BUILD/wine-kill-prefix"; then
      vireo_log "the $path-bit path is unavailable: $VIREO_PATH_WHY"
      [ "${VIREO_WINE_PATHS:-}" = "$path" ] && status=1
      continue
    fi
    vireo_log "the $path-bit path: $VIREO_WINE_KIND ($WINEPREFIX)"
    VIREO_WINE_TIMEOUT=3600 vireo_wine explorer /desktop=VireoTest,1024x768 \
      "Z:${VIREO_WIN_BUILD//\//\\}\\driver.exe" hold >/dev/null 2>&1 &
    killexport_suite kill "$count" || status=1
    killexport_suite disk || status=1
    ran+=("$path-bit ($VIREO_WINE_KIND)")
    vireo_wineserver -k 2>/dev/null || true
  done
  echo "Wine paths run: ${ran[*]:-none}"
  [ ${#ran[@]} -gt 0 ] || status=1
  exit $status
fi
