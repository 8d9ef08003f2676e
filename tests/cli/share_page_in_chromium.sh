#!/bin/sh
# The shared page of a card opened in Debian's headless Chromium with
# networking off: screenshots at 90 and at 45 degrees (the slider moved by
# the page's #angle= address) that differ, and not one console message
# (a script error, a failed WebGL context or a resource it tried to load
# would each log one).
#
#   share_page_in_chromium.sh POPWRIGHT-CLI CARD.kpf OUT-FOLDER
set -eu
cli=$1 card=$2 out=$3
mkdir -p "$out"
page="$out/shared.html"
"$cli" share "$card" "$page"
for angle in 90 45; do
  rm -f "$out/angle$angle.png"
  timeout 120 chromium --headless --no-sandbox --user-data-dir="$out/profile" \
    --use-angle=swiftshader --enable-unsafe-swiftshader \
    --proxy-server=127.0.0.1:9 --host-resolver-rules="MAP * ~NOTFOUND" \
    --enable-logging=stderr --window-size=800,600 \
    --screenshot="$out/angle$angle.png" "file://$page#angle=$angle" 2>"$out/angle$angle.log" || true
  test -s "$out/angle$angle.png" || { echo "no screenshot at $angle degrees"; cat "$out/angle$angle.log"; exit 1; }
  if grep CONSOLE "$out/angle$angle.log"; then echo "the page logged at $angle degrees"; exit 1; fi
done
if cmp -s "$out/angle90.png" "$out/angle45.png"; then echo "the slider changed nothing"; exit 1; fi
echo "page $(wc -c <"$page") bytes; screenshots in $out"
