#!/usr/bin/env bash
# Builds the Debian package with Debian's hardening flags in build-deb/ and prints its path:
# scripts/package.sh [build dir]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir=$root/${1:-build-deb}
"$root/scripts/install-deps.sh"
"$root/scripts/install-package-deps.sh"

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S "$root" -B "$dir" -G Ninja -DVELMORA_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
ninja -C "$dir" -j2 >/dev/null
rm -f "$dir"/velmora_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/velmora_*.deb
