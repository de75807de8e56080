#!/usr/bin/env bash
# Runs clang-tidy on the C++ sources changed by the most recent commits
# (default 30), using the compile commands of a configured build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
depth="${2:-30}"
base=$(git rev-list --max-count="$depth" HEAD | tail -n 1)
mapfile -t files < <(git diff --name-only --diff-filter=AM "$base" HEAD -- 'src/*.cpp' | sort -u)
if [ ${#files[@]} -eq 0 ]; then
  echo "clang-tidy: no changed sources"
  exit 0
fi
echo "clang-tidy: ${#files[@]} changed sources"
printf '%s\0' "${files[@]}" |
  xargs -0 -n 4 -P "$(nproc)" clang-tidy -p "$build" --quiet --warnings-as-errors='*' 2>/dev/null
echo "clang-tidy: clean"
