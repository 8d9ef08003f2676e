#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Popwright
# needs. Fast when everything is there already; run as root (or with sudo).
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev libqt6opengl6-dev qt6-multimedia-dev qt6-svg-dev
  libgl-dev libgl1-mesa-dri
  xvfb xauth xclip
  desktop-file-utils libxml2-utils shared-mime-info
  poppler-utils python3-ezdxf libemf2svg-dev libdxflib-dev librecad
  libpng-dev libgif-dev
  libassimp-dev libminizip-dev nlohmann-json3-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  clang-14 libclang-rt-14-dev
  appstream man-db dpkg-dev lintian file binutils
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

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
