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
# LeakSanitizer's stop-the-world tracer now and then crashes at a test
# program's exit ("Tracer caught signal 11"), after every test in it passed,
# while Mesa's and Qt's threads wind down. A failure counts as that only when
# every failed test printed the tracer's crash; those tests run once more and
# must pass. Any other failure fails the run.
run_sanitized_tests() {
  local log first_total failed crashes
  log=$(mktemp)
  if xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
      ctest --test-dir build-asan --output-on-failure -j "$jobs" | tee "$log"; then
    cat "$log" >> "$results"
    rm -f "$log"
    return 0
  fi
  first_total=$(grep -oE 'tests failed out of [0-9]+' "$log" | tail -n 1 | awk '{ print $NF }')
  failed=$(grep -cE '^[[:space:]]*[0-9]+ - .* \([A-Za-z ]+\)$' "$log" || true)
  crashes=$(grep -c 'LeakSanitizer has encountered a fatal error' "$log" || true)
  rm -f "$log"
  if [ -z "$first_total" ] || [ "$failed" -eq 0 ] || [ "$crashes" -lt "$failed" ]; then
    return 1
  fi
  echo "== $failed test(s) failed only by LeakSanitizer's tracer crashing at exit; running them again"
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    ctest --test-dir build-asan --output-on-failure --rerun-failed
  echo "0 tests failed out of $first_total (after running again the tests whose tracer crashed)" >> "$results"
}
(
  source scripts/sanitizer-env.sh
  run_sanitized_tests
)

echo "== fuzzing (Clang $clang_version, libFuzzer, warnings are errors)"
bash scripts/fuzz.sh 60

# Reached only when every step above passed (the script stops at the first failure).
total=$(grep -oE 'tests failed out of [0-9]+' "$results" | awk '{ n += $NF } END { print n + 0 }')
echo "builds: build/ GCC $gcc_version; build-package/ GCC $gcc_version (release, packaged and checked); build-asan/ Clang $clang_version with ASan+UBSan; build-fuzz/ Clang $clang_version with libFuzzer"
echo "suite: $total passed, 0 failed"
