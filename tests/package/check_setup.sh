#!/usr/bin/env bash
# check_setup.sh SOURCE_DIR
# The packages come from scripts/setup.sh alone, and every apt-get it runs
# waits for a lock that another package manager holds: setup.sh runs with
# stand-ins for dpkg-query (nothing installed), apt-get (records its words)
# and sudo; and no other script or test installs packages of its own.
set -uo pipefail
source=$1
failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"
cat >"$work/bin/dpkg-query" <<'EOF'
#!/bin/sh
exit 1
EOF
cat >"$work/bin/apt-get" <<EOF
#!/bin/sh
echo "\$*" >>"$work/apt-get.log"
EOF
cat >"$work/bin/sudo" <<'EOF'
#!/bin/sh
exec "$@"
EOF
chmod +x "$work/bin/"*

if PATH="$work/bin:$PATH" bash "$source/scripts/setup.sh" >"$work/out.txt" 2>&1; then
  ok "setup.sh installs the missing packages"
else
  fail "setup.sh failed: $(cat "$work/out.txt")"
fi
calls=$(cat "$work/apt-get.log" 2>/dev/null)
echo "$calls" | sed 's/^/   apt-get /'
for step in update install; do
  if grep -qE "(^| )$step( |$)" <<<"$calls"; then ok "setup.sh runs apt-get $step"; else fail "setup.sh runs apt-get $step"; fi
done
unwaiting=$(grep -vE '(^| )DPkg::Lock::Timeout=([6-9][0-9]|[0-9]{3,})( |$)' <<<"$calls" | grep .)
if [ -z "$unwaiting" ]; then
  ok "every apt-get waits at least a minute for the lock"
else
  fail "apt-get calls that do not wait for the lock: $unwaiting"
fi

# Any other install would run in the middle of the test command. Comments
# (like the install line in package.sh's usage) do not count.
installers=$(cd "$source" && grep -rnE \
  '(^|[^[:alnum:]_-])(apt-get|aptitude)[[:space:]]|(^|[^[:alnum:]_-])apt[[:space:]]+(install|update|upgrade)|dpkg[[:space:]]+(-i|--install)' \
  scripts tests tools fuzz bench .ci --include='*.sh' --include='*.py' --include='run' --include='CMakeLists.txt' |
  grep -v '^scripts/setup.sh:' | grep -v '^tests/package/check_setup.sh:' | grep -vE '^[^:]+:[0-9]+:[[:space:]]*#')
if [ -z "$installers" ]; then
  ok "no script but setup.sh installs packages"
else
  fail "packages installed outside setup.sh: $installers"
fi

if [ "$failures" -ne 0 ]; then
  echo "setup check: $failures check(s) FAILED"
  exit 1
fi
echo "setup check: every check passed"
