#!/usr/bin/env bash
# Installs the Debian 12 packages QUOXA builds with. Idempotent: skips what is present.
set -euo pipefail

packages=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev libqt6printsupport6 libqt6network6 libgl-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-liberation
  xvfb openbox xdotool xclip x11-utils xxd imagemagick
  poppler-utils time srecord
  libpcre2-dev binutils
  desktop-file-utils clang libclang-rt-dev
  libssl-dev zlib1g-dev libxxhash-dev libisal-dev
  xxhash libarchive-zip-perl python3-crcmod
  dpkg-dev lintian appstream
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

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
