#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors and runs every test.
# With ACCRUA_SANITIZE_RUN=1 it also builds and tests under AddressSanitizer + UBSan
# with leak detection.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release
export QT_QPA_PLATFORM=offscreen
ctest --preset release -j "$(nproc)"
if [ "${ACCRUA_SANITIZE_RUN:-0}" = "1" ]; then
  bash scripts/build.sh asan
  ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS="suppressions=$PWD/cmake/lsan.supp:print_suppressions=0" \
    ctest --preset asan -j "$(nproc)"
fi
