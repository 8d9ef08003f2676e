#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each of them for the given
# number of seconds (60 by default). New inputs collect in build-fuzz/corpus,
# beside the committed seeds in fuzz/corpus; a crash or a broken property
# leaves its input in build-fuzz/artifacts and fails the script.
#   bash scripts/fuzz.sh          # the short run of the test command
#   bash scripts/fuzz.sh 3600     # an hour per target
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
build=build-fuzz

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++-14 -DPOPWRIGHT_FUZZ=ON -DPOPWRIGHT_WERROR=ON \
  -DPOPWRIGHT_GUI=OFF -DPOPWRIGHT_TESTS=OFF -DPOPWRIGHT_BENCH=OFF
cmake --build "$build" -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Leaks inside system libraries (fontconfig's caches, Assimp on broken files)
# are not ours; every other leak fails the run.
export LSAN_OPTIONS=suppressions=$PWD/tests/support/lsan.supp:print_suppressions=0

# target name, seed corpus folder, dictionary (- for none)
targets=(
  "fuzz_card_file card fuzz/card.dict"
  "fuzz_settings settings fuzz/settings.dict"
  "fuzz_card_picture card-picture fuzz/card.dict"
  "fuzz_relief relief -"
  "fuzz_shape_files shapes fuzz/shapes.dict"
  "fuzz_recovery_files recovery fuzz/recovery.dict"
  "fuzz_freeform freeform fuzz/freeform.dict"
  "fuzz_svg_flats svg-flats fuzz/svg.dict"
  "fuzz_trace trace fuzz/trace.dict"
)

mkdir -p "$build/artifacts"
for entry in "${targets[@]}"; do
  read -r target corpus dict <<<"$entry"
  dict_option=()
  if [ "$dict" != - ]; then dict_option=(-dict="$dict"); fi
  mkdir -p "$build/corpus/$corpus"
  echo "== $target: ${seconds}s"
  "$build/fuzz/$target" -max_total_time="$seconds" -timeout=60 -rss_limit_mb=2048 \
    -print_final_stats=1 "${dict_option[@]}" -artifact_prefix="$build/artifacts/$target-" \
    "$build/corpus/$corpus" "fuzz/corpus/$corpus"
done
