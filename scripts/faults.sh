#!/usr/bin/env bash
# The long injected-failure run: every operation of the program (start-up, the refresh, the page
# switches, every control's action on every page, the "Сервис" commands, the New-menu editor, the
# export and "Отменить все") with its N-th call to the registry, control.ini or the files failing,
# for every N up to the calls it makes, with every status the system gives for that call, once and
# from that call on:
#   scripts/faults.sh
# The test command runs the short version (one status a call, in turn). Prints, per group, the
# operations and the runs with a failure injected; exits non-zero on any fault found.
set -euo pipefail
# shellcheck source=scripts/lib.sh
. "$(dirname "$0")/lib.sh"

vireo_install_deps
vireo_build_host
logs=$VIREO_BUILD/test-logs
mkdir -p "$logs"
status=0
start=$(date +%s)
VIREO_FAULTS=full "$VIREO_BUILD/host/vireo_tests" --gtest_filter='InjectedFailures.*' \
  >"$logs/faults-full.log" 2>&1 || status=$?
grep -E '^(fillers|handlers|services):' "$logs/faults-full.log" || true
grep -E '^\[  (PASSED|FAILED) ' "$logs/faults-full.log" || true
vireo_log "injected failures, full run: $(($(date +%s) - start)) s, log in $logs/faults-full.log"
exit $status
