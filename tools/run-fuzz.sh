#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each for SECONDS seconds.
# Seeds come from tests/fuzz/corpus/<target> (real answers, see
# capture_fuzz_corpus); what a run learns stays in build-fuzz/corpus/<target>.
# A crash leaves its input in build-fuzz/crashes/ and fails the run. At the
# end one line per target: executions and seconds, from libFuzzer's own count.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
SECONDS_EACH="${1:-60}"
BUILD_DIR="$ROOT/build-fuzz"
[[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || { echo "dev: fuzz takes a whole number of seconds" >&2; exit 2; }
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZELVORI_FUZZ=ON -DZELVORI_BUILD_BENCH=OFF \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache || { echo "dev: fuzz configure failed" >&2; exit 1; }
fi
targets=$(ninja -C "$BUILD_DIR" -t targets all | sed -n 's/^\(fuzz_[a-z_]*\): .*/\1/p' | grep -v '_autogen' | sort -u)
[ -n "$targets" ] || { echo "dev: no fuzz targets are defined" >&2; exit 1; }
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target $targets || { echo "dev: fuzz build failed" >&2; exit 1; }
mkdir -p "$BUILD_DIR/crashes" "$BUILD_DIR/logs"
summary=()
for t in $targets; do
  bin=$(find "$BUILD_DIR" -name "$t" -type f -perm -u+x | head -1)
  corpus="$BUILD_DIR/corpus/$t"; mkdir -p "$corpus"
  seeds="$ROOT/tests/fuzz/corpus/$t"
  log="$BUILD_DIR/logs/$t.log"
  echo "== $t for ${SECONDS_EACH}s (log: $log)"
  args=("$corpus"); [ -d "$seeds" ] && args+=("$seeds")
  # The picture seeds are whole pictures; their first 8 KB keep the picture
  # decoder busy enough and the runs fast.
  case "$t" in fuzz_onaltilik) args=(-max_len=8192 "${args[@]}") ;; esac
  start=$(date +%s)
  if ! "$bin" -max_total_time="$SECONDS_EACH" -artifact_prefix="$BUILD_DIR/crashes/$t-" "${args[@]}" >"$log" 2>&1; then
    tail -40 "$log" >&2
    echo "dev: $t found a crash (see $BUILD_DIR/crashes)" >&2
    exit 1
  fi
  runs=$(sed -n 's/^Done \([0-9]*\) runs in \([0-9]*\) second.*/\1 executions in \2 s/p' "$log" | tail -1)
  summary+=("$t: ${runs:-? executions} (wall $(( $(date +%s) - start )) s), corpus $(ls "$corpus" | wc -l) inputs")
done
printf '%s\n' "${summary[@]}"
