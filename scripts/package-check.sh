#!/usr/bin/env bash
# Builds the Debian package from an existing build directory, checks it with
# lintian, unpacks it into a scratch root and checks what a user gets: the
# declared dependencies, the installed accrua-cli and accrua running from their
# installed place, the license they name, the help pages, the desktop entry
# (desktop-file-validate) and its AppStream metadata (appstreamcli validate),
# the icon, the manual pages (rendered with groff's warnings as errors, an
# example for every command and option) and the shell completion.
#   scripts/package-check.sh build/release
set -euo pipefail

build="${1:?usage: scripts/package-check.sh BUILD_DIR}"
build="$(cd "$build" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "package-check: $*" >&2
  exit 1
}

echo "== building the package"
(cd "$build" && cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1) || {
  cat "$scratch/cpack.log" >&2
  find "$scratch/out" -name '*Output.log' -exec tail -n 40 {} + >&2 || true
  fail "cpack failed"
}
deb="$(find "$scratch/out" -maxdepth 1 -name 'accrua_*.deb' | head -n 1)"
[ -n "$deb" ] || fail "no accrua_*.deb in $scratch/out"
echo "package: $(basename "$deb")"

echo "== declared dependencies"
depends="$(dpkg-deb --field "$deb" Depends)"
echo "$depends"
for needed in libqt6widgets6 libqt6svg6 libjpeg62-turbo qt6-qpa-plugins fonts-liberation; do
  grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed"
done

echo "== lintian"
# Errors and warnings fail; the package's overrides carry their reasons.
lintian --fail-on error,warning --display-level ">=info" "$deb" || fail "lintian found errors or warnings"
echo "lintian: passed"

echo "== unpacking into a scratch root"
root="$scratch/root"
dpkg -x "$deb" "$root"
id=io.github.quennet.Accrua
for path in usr/bin/accrua usr/bin/accrua-cli usr/bin/accrua-cli-draw usr/share/accrua/Help/HelpAccrua.html \
  usr/share/accrua/Help/accrua.css usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/$id.svg usr/share/man/man1/accrua.1.gz usr/share/man/man1/accrua-cli.1.gz \
  usr/share/bash-completion/completions/accrua-cli usr/share/zsh/vendor-completions/_accrua-cli \
  usr/share/doc/accrua/copyright usr/share/doc/accrua/changelog.gz; do
  [ -e "$root/$path" ] || fail "missing /$path"
done
pages=$(find "$root/usr/share/accrua/Help" -name '*.html' | wc -l)
[ "$pages" -ge 10 ] || fail "only $pages help pages installed"
echo "help pages: $pages"

echo "== the installed programs"
export XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
payment="$("$root/usr/bin/accrua-cli" payment --principal 10000 --rate 6 --years 1 --months 0)"
grep -q "Payment Amount (answer): *860.67" <<<"$payment" || {
  echo "$payment" >&2
  fail "the installed accrua-cli computed a wrong payment"
}
echo "accrua-cli payment: 860.67"
csv="$("$root/usr/bin/accrua-cli" payment --principal 10000 --rate 6 --years 1 --months 0 --origination 2026-01-15 \
  --csv -)"
grep -q "^12,2027-01-15,860.59," <<<"$csv" || {
  echo "$csv" >&2
  fail "the installed accrua-cli did not hand its report output to accrua-cli-draw"
}
echo "accrua-cli --csv -: handed to accrua-cli-draw"
version="$(DISPLAY= "$root/usr/bin/accrua" --version)"
[[ "$version" == Accrua\ * ]] || fail "accrua --version printed '$version'"
echo "accrua --version: $(head -n 1 <<<"$version")"
for program in accrua accrua-cli; do
  DISPLAY='' "$root/usr/bin/$program" --version | grep -q "GPL-3.0-or-later" || fail "$program --version names no license"
done
echo "--version of both: GPL-3.0-or-later"
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/accrua" --no-splash
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed accrua stopped with status $status instead of running"
echo "accrua --no-splash: started and kept running"

echo "== desktop entry and AppStream metadata"
desktop="$root/usr/share/applications/$id.desktop"
metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
desktop-file-validate "$desktop"
grep -q '^Exec=accrua$' "$desktop" || fail "Exec is not accrua"
grep -q "^Icon=$id\$" "$desktop" || fail "the desktop entry's icon is not $id"
echo "desktop-file-validate: passed"
appstreamcli validate --no-net "$metainfo"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo launches no $id.desktop"
release="$(head -n 1 <<<"$version")"
release="${release#Accrua }"
grep -q "<release version=\"$release\"" "$metainfo" || fail "the metainfo has no release $release"
echo "appstreamcli validate --no-net: passed"

echo "== manual pages"
for program in accrua accrua-cli; do
  page="$root/usr/share/man/man1/$program.1.gz"
  # groff's warnings (-ww) are errors here: anything on stderr fails.
  LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings=w -E UTF-8 -l -Tutf8 -Z "$page" >/dev/null \
    2>"$scratch/man.err" || fail "man -l $program.1.gz failed"
  [ ! -s "$scratch/man.err" ] || {
    cat "$scratch/man.err" >&2
    fail "man -l $program.1.gz: groff warnings"
  }
  # Every command and long option of --help has an example.
  examples="$(LC_ALL=C MANWIDTH=200 man -l "$page" 2>/dev/null | sed -n '/^EXAMPLES/,/^[A-Z]/p')"
  help="$(env -u LANGUAGE LC_ALL=C DISPLAY='' "$root/usr/bin/$program" --help)"
  for command in $(sed -n '/^Commands:/,/^$/p' <<<"$help" | sed -n 's/^  \([a-z][a-z0-9-]*\).*/\1/p'); do
    grep -q "$program $command\b" <<<"$examples" || fail "$program($command): no example in the manual page"
  done
  for option in $(grep -o -- '--[a-z][a-z0-9-]*' <<<"$help" | sort -u); do
    grep -q -- "$option\b" <<<"$examples" || fail "$program $option: no example in the manual page"
  done
  echo "man -l $program.1.gz: no warnings; every command and option has an example"
done
LC_ALL=C MANPATH="$root/usr/share/man" man accrua-cli 2>/dev/null | head -n 4

echo "== shell completion"
completed="$(
  # shellcheck disable=SC1091
  source /usr/share/bash-completion/bash_completion
  # shellcheck disable=SC1091
  source "$root/usr/share/bash-completion/completions/accrua-cli"
  COMP_WORDS=(accrua-cli savings --compounded q)
  COMP_CWORD=3
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  _accrua_cli
  echo "${COMPREPLY[*]}"
)"
[ "$completed" = quarterly ] || fail "bash completed 'accrua-cli savings --compounded q' as '$completed'"
echo "bash: accrua-cli savings --compounded q<TAB> gives $completed"
zsh -n "$root/usr/share/zsh/vendor-completions/_accrua-cli" || fail "the zsh completion does not parse"
echo "zsh: _accrua-cli parses"

echo "package-check: passed"
