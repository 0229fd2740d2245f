#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh >/dev/null
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "check-format: every file is formatted"
