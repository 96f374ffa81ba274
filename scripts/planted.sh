#!/usr/bin/env bash
# Planted faults: proves that the host tests catch the slips a developer makes. For each fault of
# tests/planted/faults.tsv (or only the ids given), the fault is planted into a scratch copy of the
# sources (build/planted/tree; the working tree is never touched), the host tests are built there
# (build/planted/host, incremental: a fault recompiles its one file and relinks) and the fault's
# tests are run. Each fault is reported CAUGHT (a test failed, crashed or timed out), MISSED (its
# tests passed), STALE (its original text no longer occurs exactly once in its file) or
# BUILD-FAILED (a bad fault: it must compile), then a summary line
#   planted: N caught of M (K missed: ids...)
#   scripts/planted.sh [ID...]     scripts/planted.sh --list
# Exits non-zero when a fault is missed, stale or fails to build. It only prints; it is not part of
# the test command. VIREO_PLANTED_TIMEOUT (seconds, 900 by default) bounds each test run.
set -uo pipefail
export LC_ALL=C  # the sources are handled as bytes
ROOT=$(cd "$(dirname "$0")/.." && pwd)
TABLE=$ROOT/tests/planted/faults.tsv
WORK=$ROOT/build/planted
TREE=$WORK/tree
HOST=$WORK/host
LOGS=$WORK/logs
TIMEOUT=${VIREO_PLANTED_TIMEOUT:-900}

die() {
  printf 'planted: %s\n' "$*" >&2
  exit 2
}

# The table: id, area, file, original text, replacement, gtest filter ("all" for every test),
# separated by tabs; "#" starts a comment line. Each text is taken literally.
declare -a ids=() areas=() files=() originals=() replacements=() filters=()
while IFS= read -r line || [ -n "$line" ]; do
  [[ -z $line || $line == \#* ]] && continue
  fields=()
  while [[ $line == *$'\t'* ]]; do
    fields+=("${line%%$'\t'*}")
    line=${line#*$'\t'}
  done
  fields+=("$line")
  [ ${#fields[@]} -eq 6 ] || die "a line of $TABLE has ${#fields[@]} fields, not 6: ${fields[0]}"
  [ -n "${fields[3]}" ] || die "fault ${fields[0]} has no original text"
  ids+=("${fields[0]}") areas+=("${fields[1]}") files+=("${fields[2]}")
  originals+=("${fields[3]}") replacements+=("${fields[4]}") filters+=("${fields[5]}")
done <"$TABLE"

if [ "${1:-}" = --list ]; then
  for i in "${!ids[@]}"; do printf '%-22s %-18s %s\n' "${ids[i]}" "${areas[i]}" "${files[i]}"; done
  exit 0
fi
chosen=()
if [ $# -eq 0 ]; then
  chosen=("${!ids[@]}")
else
  for want in "$@"; do
    found=
    for i in "${!ids[@]}"; do [ "${ids[i]}" = "$want" ] && found=$i; done
    [ -n "$found" ] || die "no fault $want in $TABLE"
    chosen+=("$found")
  done
fi

# The scratch copy: the files git knows or would add, each copied only when its bytes differ, so
# that only what changed (and the file a previous fault left planted) is compiled again.
sync_tree() {
  local -A keep=()
  local f
  mkdir -p "$TREE"
  while IFS= read -r -d '' f; do
    [ -f "$ROOT/$f" ] || continue
    keep[$f]=1
    if ! cmp -s "$ROOT/$f" "$TREE/$f"; then
      mkdir -p "$(dirname "$TREE/$f")"
      cp "$ROOT/$f" "$TREE/$f"
    fi
  done < <(git -C "$ROOT" ls-files -co --exclude-standard -z)
  while IFS= read -r -d '' f; do
    f=${f#"$TREE"/}
    [ -n "${keep[$f]:-}" ] || rm -f "$TREE/$f"
  done < <(find "$TREE" -type f -print0)
}

build() { # log file
  nice -n 10 cmake --build "$HOST" -j 2 --target vireo_tests >>"$1" 2>&1
}

run_tests() { # filter, log file
  local filter=$1
  [ "$filter" = all ] && filter='*'
  timeout "$TIMEOUT" "$HOST/vireo_tests" --gtest_filter="$filter" --gtest_brief=1 >>"$2" 2>&1
}

occurrences() { # text, piece
  local rest=$1 n=0
  while [[ $rest == *"$2"* ]]; do
    n=$((n + 1))
    rest=${rest#*"$2"}
  done
  echo "$n"
}

mkdir -p "$LOGS"
sync_tree
if [ ! -f "$HOST/CMakeCache.txt" ]; then
  cmake -S "$TREE" -B "$HOST" -DCMAKE_BUILD_TYPE=Debug >"$LOGS/configure.log" 2>&1 ||
    die "configuring failed, see $LOGS/configure.log"
fi
: >"$LOGS/original.log"
build "$LOGS/original.log" || die "the sources without a fault do not build, see $LOGS/original.log"
# The faults' tests must pass without a fault, or a failure would prove nothing.
union=
for i in "${chosen[@]}"; do
  case ${filters[i]} in
    all) union='*' ;;
    *) [ "$union" = '*' ] || union=${union:+$union:}${filters[i]} ;;
  esac
done
run_tests "$union" "$LOGS/original.log" ||
  die "the faults' tests fail without a fault, see $LOGS/original.log"

caught=() missed=() stale=() broken=()
for i in "${chosen[@]}"; do
  id=${ids[i]} file=${files[i]} log=$LOGS/${ids[i]}.log
  start=$(date +%s)
  : >"$log"
  [ -f "$TREE/$file" ] || {
    stale+=("$id")
    printf '%-13s %-22s %-18s no file %s\n' STALE "$id" "${areas[i]}" "$file"
    continue
  }
  original=$(
    cat "$TREE/$file"
    echo .
  )
  original=${original%.} # the file's last line ends kept
  n=$(occurrences "$original" "${originals[i]}")
  if [ "$n" -ne 1 ]; then
    stale+=("$id")
    printf '%-13s %-22s %-18s the original text occurs %d times in %s\n' STALE "$id" \
      "${areas[i]}" "$n" "$file"
    continue
  fi
  printf '%s' "${original/"${originals[i]}"/"${replacements[i]}"}" >"$TREE/$file"
  if ! build "$log"; then
    result=BUILD-FAILED
    broken+=("$id")
  elif run_tests "${filters[i]}" "$log"; then
    result=MISSED
    missed+=("$id")
  else
    result=CAUGHT
    caught+=("$id")
  fi
  # The original back, newer than the object built from the fault: the next build compiles it.
  printf '%s' "$original" >"$TREE/$file"
  printf '%-13s %-22s %-18s %4d s\n' "$result" "$id" "${areas[i]}" $(($(date +%s) - start))
done

summary="planted: ${#caught[@]} caught of ${#chosen[@]} (${#missed[@]} missed"
[ ${#missed[@]} -eq 0 ] || summary+=": ${missed[*]}"
[ ${#stale[@]} -eq 0 ] || summary+="; ${#stale[@]} stale: ${stale[*]}"
[ ${#broken[@]} -eq 0 ] || summary+="; ${#broken[@]} failed to build: ${broken[*]}"
echo "$summary)"
[ ${#missed[@]} -eq 0 ] && [ ${#stale[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
