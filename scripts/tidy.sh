#!/usr/bin/env bash
# Runs clang-tidy on every C++ source of src/ with the compile commands of a
# configured and built folder (default build/release), two files per core.
# A source is checked again only when it, a header it includes (as the
# build's dependency files list them), .clang-tidy or clang-tidy itself
# changed since its last clean run: the clean runs are remembered in
# <build>/tidy-cache. ACCRUA_TIDY_NO_CACHE=1 checks everything.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
jobs="${2:-$(nproc)}"
[ -f "$build/compile_commands.json" ] || { echo "clang-tidy: $build is not configured" >&2; exit 2; }
cache="$build/tidy-cache"
mkdir -p "$cache"
[ "${ACCRUA_TIDY_NO_CACHE:-0}" = "1" ] && rm -f "$cache"/*

# One line per source: its cache key, then the file.
python3 - "$build" "$cache" > "$cache/plan" <<'PY'
import hashlib, json, os, subprocess, sys
build, cache = sys.argv[1], sys.argv[2]
root = os.getcwd()
sources = subprocess.run(['git', 'ls-files', 'src/*.cpp'], capture_output=True, text=True, check=True).stdout.split()
commands = {os.path.realpath(e['file']): e for e in json.load(open(os.path.join(build, 'compile_commands.json')))}
tool = subprocess.run(['clang-tidy', '--version'], capture_output=True, text=True, check=True).stdout
base = hashlib.sha256((tool + open('.clang-tidy').read()).encode())
seen = {}
def digest(path):
    if path not in seen:
        try:
            seen[path] = hashlib.sha256(open(path, 'rb').read()).hexdigest()
        except OSError:
            seen[path] = 'missing'
    return seen[path]
for src in sources:
    entry = commands.get(os.path.realpath(src))
    h = base.copy()
    h.update(src.encode())
    deps = None
    if entry:
        h.update(entry['command'].encode() if 'command' in entry else ' '.join(entry['arguments']).encode())
        out = entry.get('output') or entry['command'].split(' -o ')[1].split()[0]
        depfile = os.path.join(entry['directory'], out + '.d')
        if os.path.exists(depfile):
            text = open(depfile).read().replace('\\\n', ' ')
            deps = sorted({os.path.normpath(os.path.join(entry['directory'], d))
                           for d in text.split(':', 1)[1].split()})
    if deps is None:
        print('-', src)  # not built yet: always checked
        continue
    for d in deps:
        h.update(d.encode())
        h.update(digest(d).encode())
    h.update(digest(src).encode())
    print(h.hexdigest(), src)
PY
total=$(wc -l < "$cache/plan")
todo=$(awk -v c="$cache" '$1 == "-" { print; next } { if (system("test -e " c "/" $1) != 0) print }' "$cache/plan")
count=$(printf '%s' "$todo" | grep -c . || true)
echo "clang-tidy: $count of $total sources to check"
[ "$count" -eq 0 ] && { echo "clang-tidy: clean"; exit 0; }
export build cache
printf '%s\n' "$todo" |
  xargs -P "$jobs" -L 1 sh -c '
    out=$(clang-tidy -p "$build" --quiet --warnings-as-errors="*" "$1" 2>&1) || { printf "%s\n" "$out" >&2; exit 255; }
    [ "$0" = "-" ] || touch "$cache/$0"'
echo "clang-tidy: clean"
