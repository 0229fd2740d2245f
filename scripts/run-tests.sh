#!/usr/bin/env bash
# Installs what is missing, builds everything (library, demo, tools, tests, benchmarks) and runs every test.
# With --sanitize the same happens in the AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

preset=default
if [ "${1:-}" = "--sanitize" ]; then preset=sanitize; fi

./scripts/install-deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset"
# Tests that need a real X window (drag and drop, a monkey run there) get one from xvfb-run when there is
# no display; they skip themselves without one.
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
  xvfb-run -a -s "-screen 0 1280x900x24" ctest --preset "$preset"
else
  ctest --preset "$preset"
fi
