#!/usr/bin/env bash
# Runs every benchmark binary of a Release build and collects the figures.
set -euo pipefail
BUILD_DIR="$1"
shopt -s nullglob
found=0
for b in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue  # skip the autogen folders
  found=1
  echo "== $(basename "$b")"
  "$b" || { echo "dev: benchmark $(basename "$b") failed" >&2; exit 1; }
done
[ "$found" = 1 ] || { echo "dev: no benchmark binaries were built" >&2; exit 1; }
