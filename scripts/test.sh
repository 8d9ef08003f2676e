#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build (GCC); then it builds the Debian package (release build, GCC) and
# checks it; then runs the tests once more in a build with AddressSanitizer
# and UndefinedBehaviorSanitizer made by Clang (any report fails the test
# that caused it), and a short run of every fuzz target (Clang). Every build
# treats warnings as errors, so a new warning or a difference between the
# two compilers fails the run. Widget and OpenGL tests run on a virtual X
# display with Mesa's software renderer.
set -euo pipefail
cd "$(dirname "$0")/.."

# Everything the run needs is installed here, before the first build; the
# steps below install nothing (scripts/package.sh skips its own setup).
bash scripts/setup.sh
export POPWRIGHT_SETUP_DONE=1

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

gcc_version=$(g++ -dumpfullversion)
clang_version=$(clang++-14 -dumpversion)

echo "== normal build (GCC $gcc_version, warnings are errors)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=g++ -DPOPWRIGHT_WERROR=ON
cmake --build build -j "$jobs"
run_tests build

echo "== Debian package"
bash scripts/package.sh
bash tests/package/check_package.sh dist/popwright_*.deb .

echo "== sanitizer build (Clang $clang_version, ASan and UBSan, warnings are errors)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DPOPWRIGHT_WERROR=ON \
  -DPOPWRIGHT_SANITIZE=ON -DPOPWRIGHT_BENCH=OFF
cmake --build build-asan -j "$jobs"
(
  source scripts/sanitizer-env.sh
  run_tests build-asan
)

echo "== fuzzing (Clang $clang_version, libFuzzer, warnings are errors)"
bash scripts/fuzz.sh 60

# Reached only when every step above passed (the script stops at the first failure).
total=$(grep -oE 'tests failed out of [0-9]+' "$results" | awk '{ n += $NF } END { print n + 0 }')
echo "builds: build/ GCC $gcc_version; build-package/ GCC $gcc_version (release, packaged and checked); build-asan/ Clang $clang_version with ASan+UBSan; build-fuzz/ Clang $clang_version with libFuzzer"
echo "suite: $total passed, 0 failed"
