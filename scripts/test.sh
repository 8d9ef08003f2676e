#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Widget and OpenGL
# tests run on a virtual X display with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"

export LIBGL_ALWAYS_SOFTWARE=1
export QT_QPA_PLATFORM=xcb
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j "$jobs"
