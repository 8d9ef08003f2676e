#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"

if [ -x build/popwright ]; then
  exec build/popwright "$@"
fi
echo "The desktop program is not part of this build yet."
echo "Run the tests with: bash scripts/test.sh"
