#!/usr/bin/env bash
# Runs one fuzz target under libFuzzer for a while: scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
# Builds the fuzz preset (clang, ASan + UBSan), starts from the target's seeds (fuzz/seeds/TARGET.list), its
# past findings and the inputs of earlier sessions, with the dictionary fuzz/dict/TARGET.dict.
# New inputs go to build/fuzz/corpus/TARGET; an input that breaks a property goes to
# fuzz/findings/pending/TARGET/, and the script says how to minimise and commit it.
# QX_CORPUS_DIR overrides the folder of real scripts (default: ../shared/corpus beside the checkout).
set -euo pipefail
cd "$(dirname "$0")/.."

targets=$(sed -n 's/^set(QX_FUZZ_TARGETS \(.*\))$/\1/p' fuzz/CMakeLists.txt)
if [ $# -lt 1 ] || ! printf '%s\n' $targets | grep -qx -- "$1"; then
  echo "usage: $0 TARGET [SECONDS] [libFuzzer options...]" >&2
  echo "targets: $targets" >&2
  exit 2
fi
target=$1
seconds=${2:-120}
shift $(( $# >= 2 ? 2 : 1 ))

./scripts/install-deps.sh
configure=(cmake --preset fuzz)
if [ -n "${QX_CORPUS_DIR:-}" ]; then configure+=("-DQX_CORPUS_DIR=$QX_CORPUS_DIR"); fi
if command -v ccache > /dev/null; then configure+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
nice -n 10 "${configure[@]}" > /dev/null
nice -n 10 cmake --build --preset fuzz -j "${JOBS:-2}" --target "fuzz_$target"

corpus_dir=$(sed -n 's/^QX_CORPUS_DIR:[A-Z]*=//p' build/fuzz/CMakeCache.txt)
work=build/fuzz/corpus/$target
pending=fuzz/findings/pending/$target
mkdir -p "$work" "$pending"

# Seeds as the list names them; the driver's options only cap the replay. "max_len=N" is libFuzzer's largest
# input (longer seeds are cut).
seeds=()
max_len=4096
while IFS= read -r line || [ -n "$line" ]; do
  line=${line%%#*}
  line=$(echo "$line" | xargs)
  case "$line" in
    "") ;;
    max_len=*) max_len=${line#max_len=} ;;
    --*) ;;
    corpus:*) if [ -d "$corpus_dir/${line#corpus:}" ]; then seeds+=("$corpus_dir/${line#corpus:}"); fi ;;
    *) if [ -e "$line" ]; then seeds+=("$line"); fi ;;
  esac
done < "fuzz/seeds/$target.list"
options=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1
         -dict="fuzz/dict/$target.dict" -artifact_prefix="$pending/" -max_len="$max_len")

before=$(ls -A "$pending")
status=0
QT_QPA_PLATFORM=offscreen \
  nice -n 10 "build/fuzz/fuzz/fuzz_$target" "${options[@]}" "$@" \
  "$work" "fuzz/findings/$target" "${seeds[@]}" || status=$?

new=$(comm -13 <(printf '%s\n' "$before" | sort) <(ls -A "$pending" | sort) | grep -v '^\.gitkeep$' || true)
if [ -n "$new" ]; then
  echo
  echo "New findings of $target in $pending/:"
  printf '  %s\n' $new
  cat <<NOTE

Each file is an input that broke a property (the message above says which). Next:
  1. minimise it:  build/fuzz/fuzz/fuzz_$target -minimize_crash=1 -max_total_time=60 \\
                     -exact_artifact_path=$pending/NAME-min $pending/NAME
     keep the smallest file under a telling name and remove the others;
  2. replay it:    build/fuzz/fuzz/fuzz_$target $pending/NAME-min
  3. commit it in $pending/ (not replayed) while the fault is open, and report the fault;
  4. once the fault is fixed, git mv it to fuzz/findings/$target/ in the same commit as the fix:
     ctest then replays it (fuzz.$target.findings) in every build.
NOTE
fi
exit "$status"
