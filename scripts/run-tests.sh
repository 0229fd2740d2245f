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
ctest --preset "$preset"
