#!/usr/bin/env bash
# Installs what is missing, builds Accrua and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh release
exec ./build/release/src/app/accrua "$@"
