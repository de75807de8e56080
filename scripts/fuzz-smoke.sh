#!/usr/bin/env bash
# Builds the libFuzzer targets in the asan build (clang, ASan + UBSan, where
# the sanitized tests are built too: one sanitized build serves both) and runs
# each for a while (default 60 s) from its committed corpus. Any finding fails
# the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/install-deps.sh
cmake --preset asan >/dev/null
mapfile -t targets < <(for src in fuzz/fuzz_*.cpp; do basename "$src" .cpp; done)
cmake --build --preset asan -j "$(nproc)" --target "${targets[@]}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for src in fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  mkdir -p "$work/$name"
  seeds=()
  [ -d "fuzz/corpus/$name" ] && seeds=("$PWD/fuzz/corpus/$name")
  echo "fuzz: $name for ${seconds}s"
  (cd "$work" && LSAN_OPTIONS="suppressions=$OLDPWD/cmake/lsan.supp" \
    "$OLDPWD/build/asan/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
    "$work/$name" "${seeds[@]}" 2>"$work/$name.log") ||
    { tail -n 60 "$work/$name.log"; exit 1; }
  grep -E '^stat::number_of_executed_units' "$work/$name.log" || true
done
