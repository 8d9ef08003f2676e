#!/usr/bin/env bash
# Makes the pictures of the README (docs/) and of the user guide (help/) from
# the example cards, with the command-line tool of a build:
#   bash tools/make_pictures.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build}/src/cli/popwright-cli

# The README: the small building opened, its pattern for the cutter, and the
# card opening and closing.
mkdir -p docs
"$cli" render examples/building.kpf docs/building.png --size 640x400
"$cli" export examples/building.kpf docs/building-pattern.svg
"$cli" render examples/building.kpf docs/building-folding.gif --animate --size 400x250

# The user guide: each example as the file manager shows it, and the fold.
for card in examples/*.kpf; do
  name=$(basename "$card" .kpf)
  "$cli" thumbnail "$card" "help/example-$name.png" 200
done
for angle in 0 45 90 180; do
  "$cli" render examples/tunnel.kpf "help/fold-$angle.png" --angle "$angle" --size 320x200
done
