#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each for SECONDS seconds.
# Corpora live in build-fuzz/corpus/<target>; a crash leaves its input in
# build-fuzz/crashes/ and fails the run.
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
targets=$(ninja -C "$BUILD_DIR" -t targets all | sed -n 's/^\(fuzz_[a-z_]*\): .*/\1/p' | sort -u)
[ -n "$targets" ] || { echo "dev: no fuzz targets are defined" >&2; exit 1; }
cmake --build "$BUILD_DIR" --parallel "$(nproc)" --target $targets || { echo "dev: fuzz build failed" >&2; exit 1; }
mkdir -p "$BUILD_DIR/crashes"
for t in $targets; do
  bin=$(find "$BUILD_DIR" -name "$t" -type f -perm -u+x | head -1)
  corpus="$BUILD_DIR/corpus/$t"; mkdir -p "$corpus"
  seeds="$ROOT/tests/fuzz/corpus/$t"
  echo "== $t for ${SECONDS_EACH}s"
  args=("$corpus"); [ -d "$seeds" ] && args+=("$seeds")
  "$bin" -max_total_time="$SECONDS_EACH" -artifact_prefix="$BUILD_DIR/crashes/$t-" "${args[@]}" \
    || { echo "dev: $t found a crash (see $BUILD_DIR/crashes)" >&2; exit 1; }
done
