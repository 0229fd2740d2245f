#!/usr/bin/env bash
# Runs the user-action monkey (tests/monkey) for longer than the suite does:
#   scripts/monkey.sh SEED ACTIONS [--sanitize | --valgrind]
# It drives a shown control with random user actions from the seed and checks it after each one. A failure
# prints the shortest list of actions that still fails; keep that list in tests/monkey/found/ (one .txt
# file per fault), where the suite runs it from then on. A crash (the sanitizers abort) is shrunk again
# with each candidate list run in a process of its own. Qt's own code is not instrumented by the sanitizers:
# --valgrind runs the normal build under valgrind, which also sees Qt write into memory the control freed.
set -euo pipefail
cd "$(dirname "$0")/.."

usage="usage: scripts/monkey.sh SEED ACTIONS [--sanitize | --valgrind]"
seed=${1:?$usage}
actions=${2:?$usage}
preset=default
runner=()
case "${3:-}" in
--sanitize) preset=sanitize ;;
--valgrind) runner=(valgrind -q --error-exitcode=3 --errors-for-leak-kinds=none --trace-children=yes) ;;
"") ;;
*) echo "$usage" >&2; exit 2 ;;
esac

./scripts/install-deps.sh >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target test_monkey

export QT_QPA_PLATFORM=offscreen QX_MONKEY_SEED="$seed" QX_MONKEY_ACTIONS="$actions"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
monkey="build/$preset/tests/test_monkey"
status=0
"${runner[@]}" "$monkey" --gtest_filter=Monkey.AFixedSeedRunsClean || status=$?
if [ "$status" -gt 1 ]; then
  echo "monkey: the run crashed or valgrind objected (status $status); shrinking with each list in a" \
    "process of its own" >&2
  QX_MONKEY_ISOLATE=1 "${runner[@]}" "$monkey" --gtest_filter=Monkey.AFixedSeedRunsClean || true
fi
exit "$status"
