#!/usr/bin/env bash
# check_package.sh DEB SOURCE_DIR
# Checks the Debian package that scripts/package.sh made, as apt and a
# desktop would meet it: its control data, lintian's verdict, its files and
# their owners and modes, and, unpacked into a scratch folder, programs that
# run, and a menu entry, AppStream description, card file type and manual
# pages that are valid and agree with each other and with the version.
# Prints one line per check; exits non-zero if any failed.
set -uo pipefail
deb=$1 source=$2
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# check WHAT COMMAND...: runs the command, reports WHAT as passed or failed.
check() {
  local what=$1
  shift
  if "$@"; then ok "$what"; else fail "$what"; fi
}

for tool in dpkg-deb lintian appstreamcli desktop-file-validate update-desktop-database \
            update-mime-database xmllint man lexgrog readelf file strings dpkg-parsechangelog; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing: run scripts/setup.sh"; exit 1; }
done
if [ ! -f "$deb" ]; then
  echo "FAIL: no package at '$deb': run scripts/package.sh"
  exit 1
fi
echo "checking $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^project(Popwright VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
arch=$(dpkg --print-architecture)
field() { dpkg-deb --field "$deb" "$1"; }

# --- Control data -----------------------------------------------------------
check "package name is popwright" [ "$(field Package)" = popwright ]
check "version $(field Version) is the project version $version" [ "$(field Version)" = "$version" ]
check "architecture $(field Architecture) is this machine's ($arch)" [ "$(field Architecture)" = "$arch" ]
check "file name is popwright_${version}_${arch}.deb" [ "$(basename "$deb")" = "popwright_${version}_${arch}.deb" ]
check "section is graphics" [ "$(field Section)" = graphics ]
check "priority is optional" [ "$(field Priority)" = optional ]
check "maintainer '$(field Maintainer)' is a name and an address" \
  grep -qE '^[^<>]+ <[^<>@ ]+@[^<>@ ]+\.[^<>@ ]+>$' <<<"$(field Maintainer)"
description=$(field Description)
check "description has a synopsis and a long description of at least 5 lines" \
  [ -n "$(head -1 <<<"$description")" -a "$(tail -n +2 <<<"$description" | grep -c .)" -ge 5 ]

# Depends comes from dpkg-shlibdeps: every library the programs link
# directly must be there by its package. The SVG plugins of the toolbar icons
# are loaded, not linked, so they are named by hand.
dpkg-deb -x "$deb" "$work/root"
root=$work/root
depends=$(field Depends)
echo "   Depends: $depends"
depends_names=$(tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ :].*//')
missing=()
for p in popwright popwright-cli; do
  for soname in $(readelf -d "$root/usr/bin/$p" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    pkg=$(dpkg -S "*/$soname" 2>/dev/null | grep ":$arch: " | head -1 | sed 's/:.*//')
    if [ -z "$pkg" ] || ! grep -qxF "$pkg" <<<"$depends_names"; then missing+=("$soname${pkg:+ ($pkg)}"); fi
  done
done
check "Depends names the package of every linked library${missing:+ (missing: ${missing[*]})}" [ ${#missing[@]} -eq 0 ]
check "Depends names libqt6svg6, which draws the SVG toolbar icons" grep -qxF libqt6svg6 <<<"$depends_names"
# potrace's library is GPL: pictures are traced by its program, never linked.
check "Depends names potrace, the program pictures are traced with" grep -qxF potrace <<<"$depends_names"
check "no program links libpotrace" bash -c "! readelf -d $root/usr/bin/* | grep -q 'NEEDED.*libpotrace'"

# --- lintian ------------------------------------------------------------------
# No errors; warnings only those in lintian-warnings.txt, each with its reason.
allowed=$(sed -n 's/^\([a-z0-9][a-z0-9+.-]*\):.*/\1/p' "$source/tests/package/lintian-warnings.txt")
lintian --fail-on none "$deb" >"$work/lintian.txt" 2>&1
sed 's/^/   lintian: /' "$work/lintian.txt"
errors=$(grep -c '^E: ' "$work/lintian.txt")
check "lintian reports no errors ($errors found)" [ "$errors" -eq 0 ]
unexpected=$(sed -n 's/^W: [^ ]*: \([^ ]*\).*/\1/p' "$work/lintian.txt" |
  sort -u | grep -vxF "$allowed")
check "lintian warns only of the listed warnings${unexpected:+ (not listed: $(echo $unexpected))}" [ -z "$unexpected" ]

# --- Files, owners and modes -----------------------------------------------------
dpkg-deb --contents "$deb" >"$work/contents.txt"
files=$(awk '$1 !~ /^d/ { print $6 }' "$work/contents.txt" | sed 's|^\./usr/||' | LC_ALL=C sort)
wanted=$(bash "$source/tests/install/expected_files.sh" "$source")
if [ "$files" = "$wanted" ]; then
  ok "the package holds exactly the installed files, under /usr"
else
  fail "the package's files differ from the installed ones:"
  diff <(echo "$wanted") <(echo "$files")
fi
bad_owner=$(awk '$2 != "root/root" { print $6 }' "$work/contents.txt")
check "every entry belongs to root/root${bad_owner:+ (not: $(echo $bad_owner))}" [ -z "$bad_owner" ]
bad_mode=$(awk '{ path = $6; mode = $1
  want = (mode ~ /^d/) ? "drwxr-xr-x" : (path ~ /^\.\/usr\/bin\//) ? "-rwxr-xr-x" : "-rw-r--r--"
  if (mode != want) print path " " mode }' "$work/contents.txt")
check "folders and programs are 0755, other files 0644${bad_mode:+ (not: $(echo $bad_mode))}" [ -z "$bad_mode" ]
dpkg-deb --ctrl-tarfile "$deb" | tar -tvf - >"$work/control.txt"
bad_control=$(awk '$2 != "root/root" || ($1 != "-rw-r--r--" && $1 != "drwxr-xr-x") { print $6 " " $1 " " $2 }' \
  "$work/control.txt")
check "control files are root's and 0644${bad_control:+ (not: $(echo $bad_control))}" [ -z "$bad_control" ]

# --- The programs, run from the unpacked package -------------------------------------
for p in popwright popwright-cli; do
  bin=$root/usr/bin/$p
  check "$p is stripped" grep -q ', stripped' <<<"$(file -b "$bin")"
  check "$p has no RPATH or RUNPATH" bash -c "! readelf -d '$bin' | grep -qE '\((RPATH|RUNPATH)\)'"
  check "$p finds all its libraries" bash -c "! ldd '$bin' | grep -q 'not found'"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin" --version 2>&1)
  check "$p --version prints '$p $version' without a display (printed '$out')" [ "$out" = "$p $version" ]
done
check "popwright --help answers without a display" \
  bash -c "env -u DISPLAY -u WAYLAND_DISPLAY '$root/usr/bin/popwright' --help | grep -q '^Usage: popwright'"
# Qt keeps the data folder's path as UTF-16 text; the About box's version is plain text.
check "popwright looks for its sounds and guide under /usr/share/popwright" \
  bash -c "strings -el '$root/usr/bin/popwright' | grep -qx '/usr/share/popwright/sound'"
check "popwright's About box shows version $version" \
  bash -c "strings '$root/usr/bin/popwright' | grep -qx 'Popwright  Version $version'"
if "$root/usr/bin/popwright-cli" new "$work/card.kpf" --width 12 --height 6 &&
   "$root/usr/bin/popwright-cli" info "$work/card.kpf" >"$work/info.txt"; then
  check "popwright-cli new + info make and read a 12 by 6 card" \
    grep -qx 'width: 12' "$work/info.txt"
else
  fail "popwright-cli new + info fail from the package"
fi

# --- Menu entry, AppStream description and card file type ----------------------------
app_id=io.github.popwright.Popwright
desktop=$root/usr/share/applications/$app_id.desktop
metainfo=$root/usr/share/metainfo/$app_id.metainfo.xml
mime=$root/usr/share/mime/packages/popwright.xml
if out=$(desktop-file-validate "$desktop" 2>&1); then
  ok "desktop-file-validate accepts $app_id.desktop${out:+ (its notes: $(echo $out))}"
else
  fail "desktop-file-validate: $out"
fi
if out=$(appstreamcli validate --no-net "$metainfo" 2>&1); then
  ok "appstreamcli validate --no-net accepts $app_id.metainfo.xml"
else
  fail "appstreamcli validate: $out"
fi
if out=$(appstreamcli validate-tree --no-net "$root" 2>&1); then
  ok "appstreamcli validate-tree accepts the unpacked package"
else
  fail "appstreamcli validate-tree: $out"
fi
xpath() { xmllint --xpath "$1" "$2" 2>/dev/null; }
check "the description's id is $app_id" [ "$(xpath 'string(/component/id)' "$metainfo")" = "$app_id" ]
check "the description launches the installed menu entry" \
  [ "$(xpath 'string(/component/launchable[@type="desktop-id"])' "$metainfo")" = "$app_id.desktop" ]
check "the description's newest release is $version" \
  [ "$(xpath 'string(/component/releases/release[1]/@version)' "$metainfo")" = "$version" ]
check "the description has an OARS content rating" \
  [ -n "$(xpath 'string(/component/content_rating/@type)' "$metainfo")" ]
card_type=$(xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
check "the MIME type file defines $card_type for *.kpf" \
  [ "$card_type" = application/x-popwright-card -a -n "$(xpath '//*[local-name()="glob"][@pattern="*.kpf"]' "$mime")" ]
check "the menu entry opens $card_type" grep -qE "^MimeType=(.*;)?$card_type;" "$desktop"
check "the description says it opens $card_type" \
  [ "$(xpath 'string(/component/provides/mediatype)' "$metainfo")" = "$card_type" ]
# What Debian's triggers do after installing: afterwards *.kpf has the card
# type, and the card type opens with Popwright.
cp -r "$root/usr/share" "$work/share"
update-mime-database "$work/share/mime" >/dev/null 2>&1
update-desktop-database "$work/share/applications" >/dev/null 2>&1
check "the MIME database gives *.kpf the card type" \
  grep -q ":$card_type:\*\.kpf" "$work/share/mime/globs2"
check "the desktop database opens the card type with $app_id.desktop" \
  grep -qxF "$card_type=$app_id.desktop;" "$work/share/applications/mimeinfo.cache"

# --- Manual pages -------------------------------------------------------------------
for p in popwright popwright-cli; do
  page=$root/usr/share/man/man1/$p.1.gz
  check "$p.1.gz is gzip-compressed" gzip -t "$page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  check "man --warnings has nothing to say about $p.1${warnings:+ (said: $warnings)}" [ -z "$warnings" ]
  check "lexgrog finds the NAME line of $p.1" bash -c "lexgrog '$page' | grep -q '\"$p - '"
  check "$p.1 names version $version" bash -c "zcat '$page' | grep -q '^\.TH .*\"Popwright $version\"'"
done
# The command-line page documents every command and key that --help lists.
LC_ALL=C MANWIDTH=200 man -E ascii -l "$root/usr/share/man/man1/popwright-cli.1.gz" 2>/dev/null | col -b >"$work/cli-man.txt"
help=$("$root/usr/bin/popwright-cli" --help)
undocumented=()
for word in $(sed -n 's/^ *popwright-cli \([^ ]*\).*/\1/p' <<<"$help") \
            $(sed -n '/KEY:/,/popwright-cli info/p' <<<"$help" | sed -e 's/.*KEY://' -e '/popwright-cli/d'); do
  grep -qF -- "$word" "$work/cli-man.txt" || undocumented+=("$word")
done
check "popwright-cli.1 documents every command and key of --help${undocumented:+ (missing: ${undocumented[*]})}" \
  [ ${#undocumented[@]} -eq 0 ]

# --- Copyright and changelog -------------------------------------------------------
doc=$root/usr/share/doc/popwright
check "copyright names the copyright and the licence" \
  bash -c "grep -q '^Copyright: ' '$doc/copyright' && grep -q '^License: ' '$doc/copyright'"
zcat "$doc/changelog.gz" >"$work/changelog" 2>/dev/null
check "changelog.gz's newest entry is popwright $version" \
  [ "$(dpkg-parsechangelog -l "$work/changelog" -SSource 2>/dev/null) $(dpkg-parsechangelog -l "$work/changelog" -SVersion 2>/dev/null)" = "popwright $version" ]

if [ "$failures" -ne 0 ]; then
  echo "package check: $failures check(s) FAILED"
  exit 1
fi
echo "package check: every check passed"
