#!/usr/bin/env bash
# Builds and runs bench_large (large scripts against a bare QPlainTextEdit):
#   scripts/bench-large.sh [--100mb] [BUILD_DIR] [-- BENCHMARK_ARGS...]
# Without --100mb it runs the 1 MB and 10 MB texts and the long line (a few minutes). --100mb adds the
# 100 MB texts, ten copies of the 10 MB ones made in memory: they need about 8 GB free and take longer.
# BUILD_DIR defaults to build/default; arguments after -- go to the benchmark (--benchmark_filter=...).
set -euo pipefail
cd "$(dirname "$0")/.."

usage="usage: scripts/bench-large.sh [--100mb] [BUILD_DIR] [-- BENCHMARK_ARGS...]"
build=build/default
large=0
while [ $# -gt 0 ]; do
  case "$1" in
  --100mb) large=1 ;;
  --) shift; break ;;
  -*) echo "$usage" >&2; exit 2 ;;
  *) build=$1 ;;
  esac
  shift
done

./scripts/install-deps.sh >/dev/null
cmake --preset default -B "$build" >/dev/null
nice -n 10 cmake --build "$build" -j2 --target bench_large qx_bench_texts

if [ "$large" = 1 ]; then
  free_gb=$(awk '/MemAvailable/ { print int($2 / 1048576) }' /proc/meminfo)
  if [ "$free_gb" -lt 8 ]; then
    echo "bench-large: the 100 MB runs need about 8 GB free, $free_gb GB are" >&2
    exit 1
  fi
fi
cd "$build/bench"
QT_QPA_PLATFORM=offscreen QX_BENCH_100MB=$large ./bench_large --benchmark_counters_tabular=true "$@"
