#!/usr/bin/env bash
# shellcheck shell=bash
# Rebuilds, for -march=pentium, the parts of the i686 toolchain's prebuilt runtime that every
# Vireo program links and cannot avoid: the DWARF unwinder of libgcc_eh, the C++ exception and
# RTTI support (libsupc++), std::map's tree (libstdc++) and the mingw-w64 start-up (crt2.o,
# pesect, pseudo-reloc). Debian compiles them for i686 (pentiumpro), which brings cmov, an
# instruction Pentium, Pentium MMX and K6 processors do not have. Sources come from Debian only:
# the binary package gcc-12-source and the source package mingw-w64. See docs/processor.md.
#
#   scripts/runtime9x.sh           build $VIREO_RUNTIME9X_DIR, by default build/runtime9x/
#                                  (nothing to do when up to date)
#   scripts/runtime9x.sh --check   also rebuild each piece at the toolchain's default -march and
#                                  require the same code and symbols as Debian's prebuilt member
#   scripts/runtime9x.sh --map F   fail if the link map F took a replaced piece from the toolchain
# Sourced, it defines the functions and does nothing; vireo_runtime9x takes the same arguments.
# Output: build/runtime9x/libruntime9x.a (link it whole) and build/runtime9x/crt/crt2.o (found
# first by the compiler driver when given -B build/runtime9x/crt/).

. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

RT9X_DIR=${VIREO_RUNTIME9X_DIR:-$VIREO_BUILD/runtime9x}
export RT9X_TRIPLET=i686-w64-mingw32
RT9X_GCCLIB=/usr/lib/gcc/$RT9X_TRIPLET/12-win32
RT9X_CRTLIB=/usr/$RT9X_TRIPLET/lib
# What is rebuilt: "prebuilt archive|member|source|kind". The libsupc++ list is every member of
# it that vireo.exe links (build with -Wl,-Map and read "Archive member included"), less the
# verbose terminate handler, which the program replaces (src/app/runtime.cpp: it would bring the
# demangler and printf), and the destructors of thread-local objects, which the program does not
# have (the member imports GetModuleHandleExW, which Windows 9x lacks). The library is linked
# whole, so a member listed here is in the program whether it is used or not.
RT9X_SUPCXX=(bad_alloc bad_array_new bad_cast bad_typeid class_type_info del_op
  del_ops dyncast eh_alloc eh_aux_runtime eh_call eh_catch eh_exception eh_globals eh_personality
  eh_term_handler eh_terminate eh_throw eh_type eh_unex_handler function_type_info
  fundamental_type_info guard guard_error new_handler new_op new_opnt pbase_type_info
  pointer_type_info si_class_type_info tinfo vmi_class_type_info)
rt9x_units() {
  local u
  for u in unwind-dw2 unwind-dw2-fde emutls; do echo "$RT9X_GCCLIB/libgcc_eh.a|$u.o|libgcc/$u.c|eh"; done
  for u in "${RT9X_SUPCXX[@]}"; do
    echo "$RT9X_GCCLIB/libstdc++.a|$u.o|libstdc++-v3/libsupc++/$u.cc|supcxx"
  done
  echo "$RT9X_GCCLIB/libstdc++.a|tree.o|libstdc++-v3/src/c++98/tree.cc|cxx98"
  for u in pesect pseudo-reloc; do
    echo "$RT9X_CRTLIB/libmingw32.a|lib32_libmingw32_a-$u.o|mingw-w64-crt/crt/$u.c|crt"
  done
  echo "$RT9X_CRTLIB/crt2.o|crt2.o|mingw-w64-crt/crt/crtexe.c|crt"
}

# Instructions a Pentium (P5) lacks that GCC may emit: cmov/fcmov, fcomi/fucomi, MMX/SSE registers.
RT9X_FORBIDDEN='\b(cmov[a-z]*|fcmov[a-z]*|f(u)?comip?)\b|%[xy]?mm[0-9]'

rt9x_pkg_version() { dpkg-query -W -f '${Version}' "$1" 2>/dev/null || true; }

# gcc-12-source: GCC's own tarball, the version the cross compiler was built from (Built-Using).
rt9x_gcc_tarball() {
  if ! vireo_pkg_installed gcc-12-source; then
    vireo_log "installing gcc-12-source"
    { _vireo_apt install -y --no-install-recommends gcc-12-source ||
      { _vireo_apt update && _vireo_apt install -y --no-install-recommends gcc-12-source; }; } >&2 ||
      vireo_die "could not install gcc-12-source"
  fi
  local want
  want=$(dpkg-query -W -f '${Built-Using}' gcc-mingw-w64-i686-win32 | sed -n 's/.*gcc-12 (= \([^)]*\)).*/\1/p')
  [ "$want" = "$(rt9x_pkg_version gcc-12-source)" ] ||
    vireo_log "warning: compiler built from gcc-12 $want, gcc-12-source is $(rt9x_pkg_version gcc-12-source)"
  compgen -G '/usr/src/gcc-12/gcc-*.tar.xz' | head -n1
}

# mingw-w64 source package of the installed CRT, downloaded once into $RT9X_DIR/dl. Adds a
# deb-src entry for the system's Debian mirror when apt has none.
rt9x_crt_tarball() {
  local src ver dl=$RT9X_DIR/dl list=/etc/apt/sources.list.d/vireo-deb-src.sources uri suite
  src=$(dpkg-query -W -f '${source:Package}' mingw-w64-i686-dev)
  ver=$(dpkg-query -W -f '${source:Version}' mingw-w64-i686-dev)
  [ -n "$ver" ] || vireo_die "mingw-w64-i686-dev is not installed"
  mkdir -p "$dl"
  if ! compgen -G "$dl/${src}_${ver%-*}.orig.tar.*" >/dev/null; then
    if ! (cd "$dl" && apt-get source -q --download-only "$src=$ver" >/dev/null 2>&1); then
      if ! grep -rqs '^\(deb-src\|Types:.*deb-src\)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        uri=$(grep -hm1 -o 'http[^ ]*/debian$' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null | head -n1)
        suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        vireo_log "adding deb-src $uri $suite main ($list)"
        printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
          "${uri:-http://deb.debian.org/debian}" "$suite" /usr/share/keyrings/debian-archive-keyring.gpg |
          vireo_as_root tee "$list" >/dev/null
      fi
      _vireo_apt update >&2 || vireo_log "apt-get update reported errors; going on"
      (cd "$dl" && apt-get source -q --download-only "$src=$ver") >&2 ||
        vireo_die "could not download the source package $src $ver"
    fi
  fi
  compgen -G "$dl/${src}_${ver%-*}.orig.tar.*" | head -n1
}

# Unpacks only the files the units need into $1/gcc and $1/mingw (tar fails on a missing name).
rt9x_extract() {
  local out=$1 gcc_tar=$2 crt_tar=$3 f gcc_files=() crt_files=()
  rm -rf "$out" && mkdir -p "$out/gcc" "$out/mingw"
  for f in libgcc/{unwind-dw2.c,unwind-dw2-fde.c,emutls.c,unwind.inc,unwind-generic.h,unwind-pe.h} \
    libgcc/{unwind-dw2-fde.h,unwind-dw2.h,gthr.h} libgcc/config/i386/{gthr-win32.h,w32-unwind.h} \
    gcc/tsystem.h 'include/*' 'libstdc++-v3/libsupc++/*' libstdc++-v3/src/c++98/tree.cc; do
    gcc_files+=("*/$f")
  done
  for f in crt/{crtexe.c,pesect.c,pseudo-reloc.c} 'include/*'; do crt_files+=("*/mingw-w64-crt/$f"); done
  tar -xf "$gcc_tar" -C "$out/gcc" --strip-components=1 --wildcards --no-wildcards-match-slash "${gcc_files[@]}" ||
    vireo_die "could not unpack $gcc_tar"
  tar -xf "$crt_tar" -C "$out/mingw" --strip-components=1 --wildcards --no-wildcards-match-slash "${crt_files[@]}" ||
    vireo_die "could not unpack $crt_tar"
  # The few headers a libgcc build generates. -fbuilding-libgcc makes the compiler define the
  # target's __LIBGCC_*__ macros; the rest is what gcc's tm.h and tconfig.h say for this target.
  mkdir -p "$out/cfg"
  printf '#define USED_FOR_TARGET 1\n#define ENABLE_RUNTIME_CHECKING 1\n' >"$out/cfg/tconfig.h"
  printf '#define LIBGCC2_UNWIND_ATTRIBUTE __attribute__((target ("no-mmx,no-sse")))\n#define DWARF_REG_TO_UNWIND_COLUMN(REGNO) (REGNO)\n' >"$out/cfg/tm.h"
  : >"$out/cfg/coretypes.h" && : >"$out/cfg/libgcc_tm.h"
  echo '#include "unwind-generic.h"' >"$out/cfg/unwind.h"
  echo '#include "config/i386/gthr-win32.h"' >"$out/cfg/gthr-default.h"
  echo '#include "config/i386/w32-unwind.h"' >"$out/cfg/md-unwind-support.h"
}

# Compiles one unit: rt9x_compile SRC_ROOT OBJ_DIR ARCH_FLAG "archive|member|source|kind".
# The flags are those of Debian's build of each library (checked by --check).
rt9x_compile() {
  local s=$1 o=$2 arch=$3 archive member src kind
  IFS='|' read -r archive member src kind <<<"$4"
  local g=$s/gcc c=$s/mingw/mingw-w64-crt cc=$RT9X_TRIPLET-gcc flags=()
  case $kind in
  eh) src=$g/$src flags=(-DIN_GCC -DIN_LIBGCC2 -fbuilding-libgcc -fno-stack-protector -fexceptions
    -DUSE_EMUTLS -Wno-builtin-declaration-mismatch -I"$s/cfg" -I"$g/libgcc" -I"$g/gcc" -I"$g/include") ;;
  supcxx | cxx98) src=$g/$src cc=$RT9X_TRIPLET-g++ flags=(-fno-implicit-templates -ffunction-sections
    -fdata-sections -I"$g/libstdc++-v3/libsupc++" -I"$g/libgcc")
    [ "$kind" = cxx98 ] && flags+=(-std=gnu++98) ;;
  crt) src=$s/mingw/$src flags=(-I"$c/include" -D_SYSCRT=1 -DCRTDLL=1 -D_CRTBLD -D_WIN32_WINNT=0x0f00
    -D__MSVCRT_VERSION__=0x700 -D__USE_MINGW_ANSI_STDIO=0) ;;
  esac
  $cc -O2 ${arch:+"$arch"} "${flags[@]}" -c "$src" -o "$o/$member" || { echo "failed: $member" >&2; return 1; }
}
export -f rt9x_compile

rt9x_compile_all() { # SRC_ROOT OBJ_DIR ARCH_FLAG
  rm -rf "$2" && mkdir -p "$2"
  rt9x_units | xargs -d '\n' -P "$((VIREO_JOBS < 2 ? VIREO_JOBS : 2))" -I{} \
    bash -c 'rt9x_compile "$@"' _ "$1" "$2" "$3" {} || vireo_die "runtime9x: compilation failed"
  local n
  n=$(find "$2" -name '*.o' -size +0 | wc -l)
  [ "$n" -eq "$(rt9x_units | wc -l)" ] || vireo_die "runtime9x: $n objects in $2, expected $(rt9x_units | wc -l)"
}

# Prints "object: instruction" for every instruction of the objects that a Pentium lacks.
rt9x_forbidden() {
  "$RT9X_TRIPLET-objdump" -d --no-show-raw-insn "$@" | awk '/file format/{f=$1} /^\s+[0-9a-f]+:\t/{print f" "$0}' |
    grep -E "$RT9X_FORBIDDEN"
}

# The instruction stream of an object, addresses and symbol names left out.
rt9x_code() {
  "$RT9X_TRIPLET-objdump" -d --no-show-raw-insn "$1" | grep -P '^\s+[0-9a-f]+:\t' |
    sed -E 's/^ *[0-9a-f]+:\t//; s/ *[0-9a-f]+ <[^>]*>//; s/ +/ /g'
}
rt9x_symbols() { "$RT9X_TRIPLET-nm" "$1" | awk '$2 ~ /^[TDBRUC]$/ {print $2, $3}' | sort; }

# --check: the same sources at the default -march must give Debian's prebuilt code and symbols.
rt9x_check() {
  local dir=$RT9X_DIR/check bad=0 archive member src kind ref
  rt9x_compile_all "$RT9X_DIR/src" "$dir/ours" ""
  mkdir -p "$dir/ref"
  while IFS='|' read -r archive member src kind; do
    ref=$dir/ref/$member
    case $archive in
    *.a) (cd "$dir/ref" && "$RT9X_TRIPLET-ar" x "$archive" "$member") || vireo_die "no $member in $archive" ;;
    *) cp "$archive" "$ref" ;;
    esac
    if ! cmp -s <(rt9x_code "$ref") <(rt9x_code "$dir/ours/$member") ||
      ! cmp -s <(rt9x_symbols "$ref") <(rt9x_symbols "$dir/ours/$member"); then
      echo "differs from ${archive##*/}($member): $src" >&2 && bad=1
    fi
  done < <(rt9x_units)
  [ "$bad" -eq 0 ] || vireo_die "runtime9x --check: rebuilt code differs from the prebuilt runtime"
  vireo_log "runtime9x --check: all $(rt9x_units | wc -l) pieces equal Debian's prebuilt ones at the default -march"
}

# --map: no replaced member from a prebuilt archive, and crt2.o from $RT9X_DIR/crt.
rt9x_check_map() {
  local map=$1 archive member src kind bad=0
  [ -s "$map" ] || vireo_die "no link map $map"
  while IFS='|' read -r archive member src kind; do
    case $archive in
    *.a) grep -qF "${archive##*/}($member)" "$map" && echo "$map: took ${archive##*/}($member)" >&2 && bad=1 ;;
    *) grep -E '^LOAD .*/crt2\.o$' "$map" | grep -vF "$RT9X_DIR/crt/crt2.o" | sed "s|^LOAD|$map: took|" >&2 &&
      bad=1 ;;
    esac
  done < <(rt9x_units)
  grep -qF "$RT9X_DIR/crt/crt2.o" "$map" || { echo "$map: does not load $RT9X_DIR/crt/crt2.o" >&2 && bad=1; }
  [ "$bad" -eq 0 ] || vireo_die "runtime9x: $map links prebuilt runtime pieces"
  vireo_log "runtime9x: $map takes none of the replaced pieces from the toolchain"
}

vireo_runtime9x() {
  local check=0 map=() gcc_tar crt_tar key
  while [ $# -gt 0 ]; do
    case $1 in
    --check) check=1 ;;
    --map) map+=("$2") && shift ;;
    *) vireo_die "runtime9x: unknown argument $1" ;;
    esac
    shift
  done
  command -v "$RT9X_TRIPLET-gcc" >/dev/null || vireo_die "no $RT9X_TRIPLET-gcc (package gcc-mingw-w64-i686-win32)"
  gcc_tar=$(rt9x_gcc_tarball) || exit 1
  [ -f "$gcc_tar" ] || vireo_die "no GCC source tarball in /usr/src/gcc-12"
  key=$({ cat "${BASH_SOURCE[0]}"; "$RT9X_TRIPLET-gcc" -v 2>&1 | tail -n1
    for p in gcc-12-source mingw-w64-i686-dev g++-mingw-w64-i686-win32; do
      rt9x_pkg_version "$p"; done; } | sha256sum | cut -c1-16)
  if [ "$(cat "$RT9X_DIR/stamp" 2>/dev/null)" != "$key" ] || [ ! -d "$RT9X_DIR/src" ] ||
    [ ! -s "$RT9X_DIR/libruntime9x.a" ] || [ ! -s "$RT9X_DIR/crt/crt2.o" ]; then
    rm -f "$RT9X_DIR/stamp"
    crt_tar=$(rt9x_crt_tarball) || exit 1
    [ -f "$crt_tar" ] || vireo_die "no mingw-w64 source tarball"
    vireo_log "runtime9x: unpacking sources"
    rt9x_extract "$RT9X_DIR/src" "$gcc_tar" "$crt_tar"
    vireo_log "runtime9x: compiling $(rt9x_units | wc -l) pieces with -march=pentium"
    rt9x_compile_all "$RT9X_DIR/src" "$RT9X_DIR/obj" -march=pentium
    if rt9x_forbidden "$RT9X_DIR"/obj/*.o; then vireo_die "runtime9x: instructions a Pentium lacks (above)"; fi
    mkdir -p "$RT9X_DIR/crt"
    rm -f "$RT9X_DIR/libruntime9x.a.new"
    (cd "$RT9X_DIR/obj" && find . -name '*.o' ! -name crt2.o -print0 | sort -z |
      xargs -0 "$RT9X_TRIPLET-ar" rcs ../libruntime9x.a.new) ||
      vireo_die "runtime9x: ar failed"
    cp "$RT9X_DIR/obj/crt2.o" "$RT9X_DIR/crt/crt2.o"
    mv "$RT9X_DIR/libruntime9x.a.new" "$RT9X_DIR/libruntime9x.a"
    echo "$key" >"$RT9X_DIR/stamp"
    vireo_log "runtime9x: $RT9X_DIR/libruntime9x.a and crt/crt2.o built"
  fi
  [ "$check" -eq 0 ] || rt9x_check
  local m
  for m in "${map[@]}"; do rt9x_check_map "$m"; done
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  set -euo pipefail
  vireo_runtime9x "$@"
fi
