#!/usr/bin/env bash
# Installs the Debian 12 packages Accrua needs to build, test and run, skipping
# those already present. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev
  fonts-liberation fonts-dejavu-core fontconfig
  clang libclang-rt-14-dev clang-tidy clang-format python3 ccache
  xvfb xauth poppler-utils
  qt6-svg-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
  dpkg-dev file desktop-file-utils
  appstream lintian man-db groff-base bash-completion zsh parallel
  libisal-dev libfontconfig-dev qpdf
  libhpdf-dev libcairo2-dev enscript ghostscript python3-reportlab
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
