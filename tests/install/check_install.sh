#!/usr/bin/env bash
# check_install.sh BUILD_DIR PREFIX SOURCE_DIR
# Installs BUILD_DIR into PREFIX (emptied first) and checks what arrived.
# The Debian package holds the same files; tests/package/check_package.sh
# checks it.
set -uo pipefail
build=$1 prefix=$2 source=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

rm -rf "$prefix"
mkdir -p "$prefix"
if ! cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
  cat "$prefix.log"
  echo "FAIL: cmake --install"
  exit 1
fi

# Exactly the expected files, nothing missing and nothing else.
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(bash "$source/tests/install/expected_files.sh" "$source")
if [ "$installed" != "$wanted" ]; then
  fail "installed files differ from the expected ones:"
  diff <(echo "$wanted") <(echo "$installed")
fi

# The data files are the source tree's own.
# The guide's files, the translated guides' folders too.
for f in $(cd "$source/help" && find . -type f); do
  cmp -s "$source/help/$f" "$prefix/share/popwright/help/$f" || fail "help page ${f#./} differs"
done
for n in 0 1 2 3; do
  cmp -s "$source/sound/s$n.wav" "$prefix/share/popwright/sound/s$n.wav" || fail "sound s$n.wav differs"
done
cmp -s "$source/data/popwright.svg" "$prefix/share/icons/hicolor/scalable/apps/popwright.svg" || fail "icon differs"

# Both programs are executables whose libraries are all found; the tool
# works from the prefix.
for p in popwright popwright-cli; do
  [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
  if ldd "$prefix/bin/$p" | grep -q "not found"; then fail "bin/$p misses libraries"; fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# --version answers without a display: the desktop program must not reach
# Qt's start-up for it.
version=$(sed -n 's/^project(Popwright VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
for p in popwright popwright-cli; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/$p" --version 2>&1)
  [ "$out" = "$p $version" ] || fail "$p --version printed '$out', not '$p $version'"
done
if "$prefix/bin/popwright-cli" new "$work/card.kpf" --width 10 --height 6 &&
   "$prefix/bin/popwright-cli" info "$work/card.kpf" >"$work/info.txt"; then
  grep -q "10" "$work/info.txt" || fail "popwright-cli info does not describe the card"
else
  fail "popwright-cli from the prefix cannot make and read a card"
fi

# The menu entry: valid, starting the installed program with the file
# opened from a file manager, with the installed icon and the card type.
desktop="$prefix/share/applications/io.github.popwright.Popwright.desktop"
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
else
  fail "desktop-file-validate is missing (package desktop-file-utils)"
fi
key() { sed -n "s/^$1=//p" "$desktop"; }
exec_line=$(key Exec)
[ "$exec_line" = "popwright %f" ] || fail "Exec is '$exec_line'"
[ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec names no installed program"
icon=$(key Icon)
compgen -G "$prefix/share/icons/hicolor/*/apps/$icon.*" >/dev/null || fail "no installed icon named '$icon'"
[ "$(key Type)" = Application ] || fail "Type is '$(key Type)'"
key MimeType | tr ';' '\n' | grep -qx "application/x-popwright-card" || fail "MimeType lacks the card type"

# The card type: well-formed shared MIME info that the desktop's database
# tool accepts, mapping *.kpf to the type the menu entry opens.
mime="$prefix/share/mime/packages/popwright.xml"
xmllint --noout "$mime" || fail "popwright.xml is not well-formed"
if update-mime-database "$prefix/share/mime" >"$work/mime.log" 2>&1; then
  grep -q "^[0-9]*:application/x-popwright-card:\*\.kpf" "$prefix/share/mime/globs2" ||
    fail "the MIME database has no *.kpf glob"
  grep -q "^[0-9]*:application/x-popwright-freeform:\*\.pwf" "$prefix/share/mime/globs2" ||
    fail "the MIME database has no *.pwf glob"
  grep -qx "application/x-popwright-card:popwright" "$prefix/share/mime/icons" ||
    fail "the MIME database does not give the card type the program's icon"
else
  cat "$work/mime.log"
  fail "update-mime-database rejects the card type"
fi

# The thumbnailer serves the card type, and its command, run as a file
# manager runs it on an installed example, makes a picture of that size.
thumbnailer="$prefix/share/thumbnailers/popwright.thumbnailer"
grep -qx "MimeType=application/x-popwright-card;application/x-popwright-freeform;" "$thumbnailer" ||
  fail "the thumbnailer does not name the two card types"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
command=${exec_line//%i/$prefix/share/popwright/examples/box.kpf}
command=${command//%o/$work/thumb.png}
command=${command//%s/128}
if ! PATH="$prefix/bin:$PATH" $command || ! file "$work/thumb.png" | grep -q "PNG image data, 128 x"; then
  fail "the thumbnailer's command ($exec_line) made no 128-pixel picture"
fi
for f in "$source"/examples/*.kpf; do
  cmp -s "$f" "$prefix/share/popwright/examples/$(basename "$f")" || fail "example $(basename "$f") differs"
done

# The description for software centres, and the manual pages.
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$prefix/share/metainfo/io.github.popwright.Popwright.metainfo.xml" 2>&1) ||
    fail "appstreamcli validate: $out"
else
  fail "appstreamcli is missing (package appstream)"
fi
for p in popwright popwright-cli; do
  page="$prefix/share/man/man1/$p.1.gz"
  if ! gzip -t "$page" 2>/dev/null; then
    fail "$p.1.gz is not a gzip file"
  elif ! lexgrog "$page" | grep -q "\"$p - "; then
    fail "$p.1.gz has no NAME line for $p"
  fi
done

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all installed files checked"
