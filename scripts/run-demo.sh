#!/usr/bin/env bash
# Installs what is missing, builds the demo host and runs it; arguments go to the demo
# (a file to open, or --screenshot FILE).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target qxedit
exec ./build/default/apps/qxedit/qxedit "$@"
