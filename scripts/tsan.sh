#!/usr/bin/env bash
# Builds the tests where threads meet under ThreadSanitizer and runs them: the
# report generator hands pages from its worker thread to the user-interface
# thread, which the engine, the preview window and the report commands and
# outputs all take. Tests that run pdftotext fork from a threaded process:
# ThreadSanitizer lets the child go on (die_after_fork=0).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
source scripts/compiler-cache.sh
cmake --preset tsan >/dev/null
dirs=(tests/engine tests/reports)
for dir in "${dirs[@]}"; do
  make -C "build/tsan/$dir" -j "$(nproc)"
done
for dir in "${dirs[@]}"; do
  QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1 die_after_fork=0 suppressions=$PWD/cmake/tsan.supp" \
    ctest --test-dir "build/tsan/$dir" -j "$(nproc)" --output-on-failure
done
