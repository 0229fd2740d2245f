#!/usr/bin/env bash
# Runs the user-action monkey (tests/monkey) for longer than the suite does:
#   scripts/monkey.sh SEED ACTIONS [--sanitize]
# It drives a shown control with random user actions from the seed and checks it after each one. A failure
# prints the shortest list of actions that still fails; keep that list in tests/monkey/found/ (one .txt
# file per fault), where the suite runs it from then on. A crash (the sanitizers abort) is shrunk again
# with each candidate list run in a process of its own.
set -euo pipefail
cd "$(dirname "$0")/.."

seed=${1:?usage: scripts/monkey.sh SEED ACTIONS [--sanitize]}
actions=${2:?usage: scripts/monkey.sh SEED ACTIONS [--sanitize]}
preset=default
if [ "${3:-}" = "--sanitize" ]; then preset=sanitize; fi

./scripts/install-deps.sh >/dev/null
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target test_monkey

export QT_QPA_PLATFORM=offscreen QX_MONKEY_SEED="$seed" QX_MONKEY_ACTIONS="$actions"
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
monkey="build/$preset/tests/test_monkey"
status=0
"$monkey" --gtest_filter=Monkey.AFixedSeedRunsClean || status=$?
if [ "$status" -gt 1 ]; then
  echo "monkey: the run crashed (status $status); shrinking with each list in a process of its own" >&2
  QX_MONKEY_ISOLATE=1 "$monkey" --gtest_filter=Monkey.AFixedSeedRunsClean
fi
exit "$status"
