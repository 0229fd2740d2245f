#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the demo, the Qt Designer plugin and the fuzz preset
# (clang 14) and the benchmarks (QScintilla, their reference for the colouring pass) need.
# Idempotent: only missing packages are installed; sudo is used when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config python3
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools designer-qt6
  libgl1-mesa-dev libxkbcommon-dev
  libgtest-dev libgmock-dev libbenchmark-dev libqscintilla2-qt6-dev
  clang-format
  clang-14 libclang-rt-14-dev llvm-14
  fonts-dejavu-core fonts-liberation
  xvfb xauth xdotool valgrind
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
