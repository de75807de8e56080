#!/usr/bin/env bash
# Builds the engine's tests under ThreadSanitizer and runs them: the report
# generator hands pages from its worker thread to the user-interface thread.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset tsan >/dev/null
cmake --build build/tsan/tests/engine -j "$(nproc)" 2>/dev/null ||
  make -C build/tsan/tests/engine -j "$(nproc)"
QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/cmake/tsan.supp" \
  ctest --test-dir build/tsan/tests/engine -j "$(nproc)" --output-on-failure
