#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, where they are missing.
# Runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev libsqlite3-dev libzip-dev libxlsxwriter-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils
  libical-dev
  desktop-file-utils
  qt6-translations-l10n
  openbox xdotool x11-apps x11-utils
  ccache
  pxlib-dev clang
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
