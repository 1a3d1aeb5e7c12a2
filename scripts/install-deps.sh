#!/usr/bin/env bash
# Installs the Debian packages Melvora needs to build, run and test.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libsqlite3-dev libicu-dev libuemf-dev libemf2svg-dev libemf-dev
  googletest libgtest-dev libgmock-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth
  ghostscript poppler-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
