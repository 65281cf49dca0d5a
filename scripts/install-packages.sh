#!/usr/bin/env bash
# Installs whatever Debian packages the build, the program and the tests need and are missing.
# Safe to run again: it asks apt only when something is missing. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
  libgtest-dev libgmock-dev libbenchmark-dev libsqlite3-dev
  clang libclang-rt-14-dev
  xvfb xauth x11-utils imagemagick
  fonts-noto-cjk poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
