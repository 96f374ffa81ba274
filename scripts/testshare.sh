#!/usr/bin/env bash
# Prints the share of the tests in all code: lines of tests/ and fuzz/ against lines of src/,
# tools/, resources/*.rc, resources/*.h, tests/ and fuzz/ together, as git lists the files (the
# fuzz corpora and data files such as .dat, .txt, .reg, the planted faults' .tsv and pictures
# left out). The aim is at most a third. It only prints.
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
count() {
  git ls-files "$@" 2>/dev/null | grep -vE '/corpus/|\.(png|ico|bmp|chm|zip|dat|txt|reg|tsv)$' |
    xargs -r cat 2>/dev/null | wc -l
}
tests=$(count tests fuzz)
program=$(count src tools 'resources/*.rc' 'resources/*.h')
awk -v t="$tests" -v p="$program" 'BEGIN {
  printf "tests: %d of %d lines of code, %.1f%% (the aim: at most 33%%)\n", t, t + p,
    (t + p) ? 100 * t / (t + p) : 0 }'
