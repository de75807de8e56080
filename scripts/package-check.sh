#!/usr/bin/env bash
# Builds the Debian package from an existing build directory, unpacks it into
# a scratch root and checks what a user gets: the declared dependencies, the
# installed accrua-cli and accrua running from their installed place, the help
# pages, the desktop entry (desktop-file-validate) and the icon.
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

echo "== unpacking into a scratch root"
root="$scratch/root"
dpkg -x "$deb" "$root"
for path in usr/bin/accrua usr/bin/accrua-cli usr/bin/accrua-cli-draw usr/share/accrua/Help/HelpAccrua.html \
  usr/share/accrua/Help/accrua.css usr/share/applications/accrua.desktop \
  usr/share/icons/hicolor/scalable/apps/accrua.svg; do
  [ -e "$root/$path" ] || fail "missing /$path"
done
pages=$(find "$root/usr/share/accrua/Help" -name '*.html' | wc -l)
[ "$pages" -ge 10 ] || fail "only $pages help pages installed"
echo "help pages: $pages"

echo "== the installed programs"
export XDG_CONFIG_HOME="$scratch/config"
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
echo "accrua --version: $version"
set +e
QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/bin/accrua" --no-splash
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed accrua stopped with status $status instead of running"
echo "accrua --no-splash: started and kept running"

echo "== desktop entry"
desktop-file-validate "$root/usr/share/applications/accrua.desktop"
grep -q '^Exec=accrua$' "$root/usr/share/applications/accrua.desktop" || fail "Exec is not accrua"
echo "desktop-file-validate: passed"

echo "package-check: passed"
