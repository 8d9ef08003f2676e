#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build; then it builds the Debian package and checks it; then runs the tests
# once more in a build with AddressSanitizer and UndefinedBehaviorSanitizer
# (any report fails the test that caused it), and a short run of every fuzz
# target. Widget and OpenGL tests run on a virtual X display with Mesa's
# software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
export LIBGL_ALWAYS_SOFTWARE=1
export QT_QPA_PLATFORM=xcb

# -noreset: without it the X server resets whenever its last client leaves,
# and a test program that connects during the reset fails to start.
results=$(mktemp)
trap 'rm -f "$results"' EXIT
run_tests() {
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir "$1" --output-on-failure -j "$jobs" | tee -a "$results"
}

echo "== normal build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
run_tests build

echo "== Debian package"
bash scripts/package.sh
bash tests/package/check_package.sh dist/popwright_*.deb .

echo "== sanitizer build"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPOPWRIGHT_SANITIZE=ON -DPOPWRIGHT_BENCH=OFF
cmake --build build-asan -j "$jobs"
(
  source scripts/sanitizer-env.sh
  run_tests build-asan
)

echo "== fuzzing"
bash scripts/fuzz.sh 60

# Reached only when every step above passed (the script stops at the first failure).
total=$(grep -oE 'tests failed out of [0-9]+' "$results" | awk '{ n += $NF } END { print n + 0 }')
echo "suite: $total passed, 0 failed"
