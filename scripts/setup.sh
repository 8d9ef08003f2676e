#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Popwright
# needs, and is the only script that installs anything: the test, package
# and fuzz scripts only use what is here. Fast when everything is there
# already; run as root (or with sudo). On a fresh machine another package
# manager (unattended upgrades, a first-boot script) may hold apt's locks for
# a while, so every apt-get here waits for them instead of failing.
set -euo pipefail

# One package a line, in groups, so that adding one is a one-line change.
packages=(
  # building
  build-essential
  cmake
  ninja-build
  pkg-config
  # test and benchmark frameworks
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  # Qt and OpenGL
  qt6-base-dev
  libqt6opengl6-dev
  qt6-multimedia-dev
  qt6-svg-dev
  # translations: lupdate and lrelease, Qt's own texts in other languages
  qt6-l10n-tools
  qt6-tools-dev
  qt6-translations-l10n
  python3
  libgl-dev
  libgl1-mesa-dri
  # a virtual display and its clipboard for the widget tests
  xvfb
  xauth
  xclip
  # readers of the program's outputs in the tests
  poppler-utils
  qpdf
  python3-ezdxf
  python3-shapely
  # the pen plotter's HPGL drawn by a reader of its own
  hp2xx
  # the shared web page opened headless with networking off
  chromium
  libemf2svg-dev
  libdxflib-dev
  librecad
  # pictures, models and text for the relief
  libpng-dev
  libgif-dev
  libassimp-dev
  libfreetype-dev
  libfontconfig-dev
  libharfbuzz-dev
  librsvg2-dev
  # drawings as flats: SVG++ walks the tree libxml2 reads
  libsvgpp-dev
  libxml2-dev
  # pictures traced into smooth outlines for free-form flats
  potrace
  # model files' own checks: 3MF zip directories, glTF node graphs
  libminizip-dev
  nlohmann-json3-dev
  # three.js, built into the shared web page
  libjs-three
  # the free-form card's polygon operations
  libgeos-dev
  fonts-dejavu-core
  # Japanese text in reliefs and pattern legends
  fonts-ipafont-gothic
  # the sanitizer and fuzzing builds
  clang-14
  libclang-rt-14-dev
  # the install and package checks
  desktop-file-utils
  libxml2-utils
  shared-mime-info
  appstream
  man-db
  bsdextrautils
  dpkg-dev
  lintian
  file
  binutils
)

# Seconds apt-get waits for a lock another package manager holds.
lock_timeout=${POPWRIGHT_APT_LOCK_TIMEOUT:-600}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then SUDO=(sudo); fi
apt_get() {
  "${SUDO[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o "DPkg::Lock::Timeout=$lock_timeout" "$@"
}

echo "Installing: ${missing[*]}"
# The package lists have a lock of their own, which the option above does
# not cover in every apt: a failed update is tried again until the same
# time has passed.
waited=0
until apt_get update -q; do
  if [ "$waited" -ge "$lock_timeout" ]; then
    echo "setup.sh: apt-get update still fails after ${waited} s" >&2
    exit 1
  fi
  echo "setup.sh: apt-get update failed; trying again in 10 s"
  sleep 10
  waited=$((waited + 10))
done
apt_get install -y -q --no-install-recommends "${missing[@]}"
