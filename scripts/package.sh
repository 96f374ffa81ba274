#!/usr/bin/env bash
# Builds the release archive build/vireo-<version>.zip: what a user copies to a real Windows
# 95/98/Me machine. It holds one folder, Vireo, with the i686 vireo.exe and the files of the
# program directory (VIREO_PROGRAM_FILES: license.txt, savereg.dat, Vireo.chm, readme.txt).
#
#   scripts/package.sh
#
# The version is VIREO_VERSION_TEXT of resources/version.h. The i686 program and the help file
# are built first; the other files are taken from resources/ (or build/). A file that is missing
# fails the script with its name, and no archive is left behind (an older one is removed).
# Every file in the archive carries the time of the last commit (or SOURCE_DATE_EPOCH), so that
# the same sources give the same archive.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

case ${1:-} in
  -h | --help)
    sed -n '2,13s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
  "") ;;
  *) vireo_die "unknown argument: $1 (see --help)" ;;
esac

version=$(sed -n 's/^#define VIREO_VERSION_TEXT "\(.*\)"$/\1/p' "$VIREO_ROOT/resources/version.h")
[ -n "$version" ] || vireo_die "resources/version.h has no VIREO_VERSION_TEXT"

archive=$VIREO_BUILD/vireo-$version.zip
rm -f "$archive"  # an archive of earlier sources never passes for this one

vireo_install_deps
vireo_build_windows i686 || vireo_die "the i686 program could not be built"
vireo_build_help || vireo_die "the help file could not be built"

VIREO_WIN_BUILD=$VIREO_BUILD/win32
[ -f "$VIREO_WIN_BUILD/vireo.exe" ] || vireo_die "$VIREO_WIN_BUILD/vireo.exe was not built"
stage=$VIREO_BUILD/package
rm -rf "$stage"
mkdir -p "$stage/Vireo"
cp "$VIREO_WIN_BUILD/vireo.exe" "$stage/Vireo/"
missing=()
for f in "${VIREO_PROGRAM_FILES[@]}"; do
  if from=$(vireo_program_file "$f"); then
    cp "$from" "$stage/Vireo/$f"
  else
    missing+=("$f")
  fi
done
[ ${#missing[@]} -eq 0 ] ||
  vireo_die "missing (looked for in resources/ and build/): ${missing[*]}; no archive made"

stamp=${SOURCE_DATE_EPOCH:-$(git -C "$VIREO_ROOT" log -1 --format=%ct 2>/dev/null || date +%s)}
touch -d "@$stamp" "$stage/Vireo" "$stage/Vireo"/*
rm -f "$stage.zip"
# -X: no Unix extra fields; the files in a fixed order, the program first.
members=(Vireo Vireo/vireo.exe)
for f in "${VIREO_PROGRAM_FILES[@]}"; do members+=("Vireo/$f"); done
(cd "$stage" && TZ=UTC zip -X -q "$stage.zip" "${members[@]}")
mv -f "$stage.zip" "$archive"
vireo_log "release archive: ${archive#"$VIREO_ROOT"/}"
unzip -l "$archive" 2>/dev/null || zip -sf "$archive"
