#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ (clang, AddressSanitizer and UndefinedBehaviorSanitizer)
# in build/fuzz and runs each of them for its share of SECONDS (default 60):
#   scripts/fuzz.sh [SECONDS [TARGET...]]
# With TARGETs only those run (each for SECONDS divided among them). VIREO_FUZZ_RUNS=N runs each
# target for N runs instead, however long that takes (the long runs: VIREO_FUZZ_RUNS=10000000).
# Each target starts from its seed corpus in fuzz/corpus/<target>/ and keeps what it finds new
# in build/fuzz-corpus/<target>/; an input that crashes or trips a sanitizer is saved in
# build/fuzz-findings/. Prints the runs of each target and ends with the closing line
# "fuzz: N passed, M failed" (a target passes when it ran without a finding); exits non-zero
# when any target failed.
set -uo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

seconds=${1:-60}
shift || true
chosen=("$@")
set -e
vireo_install_deps
set +e
vireo_build_fuzz >"$VIREO_BUILD/fuzz.build.log" 2>&1 || {
  tail -30 "$VIREO_BUILD/fuzz.build.log"
  echo "fuzz: 0 passed, 1 failed (the fuzz targets did not build)"
  exit 1
}

targets=()
for t in "$VIREO_BUILD"/fuzz/*_fuzzer; do
  [ -x "$t" ] || continue
  name=$(basename "$t")
  # A program left in the build by a target since removed from fuzz/ is not run.
  [ -f "$VIREO_ROOT/fuzz/$name.cpp" ] || continue
  if [ ${#chosen[@]} -gt 0 ] && [[ " ${chosen[*]} " != *" ${name%_fuzzer} "* ]]; then continue; fi
  targets+=("$t")
done
[ ${#targets[@]} -gt 0 ] || {
  echo "fuzz: 0 passed, 1 failed (no targets)"
  exit 1
}
share=$((seconds / ${#targets[@]}))
[ "$share" -ge 1 ] || share=1
findings=$VIREO_BUILD/fuzz-findings
mkdir -p "$findings"
passed=0
failed=0
for t in "${targets[@]}"; do
  name=$(basename "$t")
  name=${name%_fuzzer}
  corpus=$VIREO_BUILD/fuzz-corpus/$name
  log=$VIREO_BUILD/fuzz-$name.log
  mkdir -p "$corpus"
  limit=(-max_total_time="$share")
  [ -n "${VIREO_FUZZ_RUNS:-}" ] && limit=(-runs="$VIREO_FUZZ_RUNS")
  start=$(date +%s)
  "$t" "${limit[@]}" -print_final_stats=1 -artifact_prefix="$findings/$name-" \
    -max_len=4096 -timeout=10 -rss_limit_mb=2048 "$corpus" "$VIREO_ROOT/fuzz/corpus/$name" \
    >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  if [ "$status" -eq 0 ] && ! grep -qE 'ERROR: (libFuzzer|AddressSanitizer)|runtime error:' "$log"; then
    passed=$((passed + 1))
    printf '%-16s %10s runs in %s s, no findings\n' "$name" "${runs:-?}" "$(($(date +%s) - start))"
  else
    failed=$((failed + 1))
    printf '%-16s %10s runs: FINDING (log %s)\n' "$name" "${runs:-?}" "${log#"$VIREO_ROOT"/}"
    grep -E 'check failed|ERROR:|runtime error:|SUMMARY|artifact_prefix|Test unit written' "$log" |
      head -8
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
