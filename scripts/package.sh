#!/usr/bin/env bash
# Installs what is missing, makes a release build of the two programs alone
# (no tests, no benchmarks) in build-package/, and packs it with CPack into
# dist/popwright_<version>_<arch>.deb. Install that with
#   apt install ./dist/popwright_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."

# scripts/test.sh installed everything at its start; run alone, this does.
if [ -z "${POPWRIGHT_SETUP_DONE:-}" ]; then bash scripts/setup.sh; fi

# The compiler and linker flags Debian builds its own packages with
# (stack protector, fortified string functions, read-only relocations,
# immediate binding), without -g: the package ships stripped programs.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CXXFLAGS_MAINT_STRIP=-g
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

build=build-package
# /usr both for the package's layout and for the data folder compiled into
# the programs.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX=/usr \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DPOPWRIGHT_GUI=ON -DPOPWRIGHT_TESTS=OFF -DPOPWRIGHT_BENCH=OFF \
  -DPOPWRIGHT_SANITIZE=OFF -DPOPWRIGHT_FUZZ=OFF
cmake --build "$build" -j "$(nproc)"

rm -f "$build"/popwright_*.deb
# CPack creates the package's folders (/usr, /usr/share/man/man1, ...) with
# the umask; a stricter one would give them modes that Debian rejects.
(cd "$build" && umask 022 && cpack -G DEB)
mkdir -p dist
rm -f dist/popwright_*.deb
debs=("$build"/popwright_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "package.sh: expected one package from CPack, found: ${debs[*]}" >&2
  exit 1
fi
mv "${debs[0]}" dist/
echo "package: dist/$(basename "${debs[0]}")"
