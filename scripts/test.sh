#!/usr/bin/env bash
# Sets everything up and runs every test: scripts/test.sh [build dir] [extra cmake options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir=${1:-build}
shift || true
"$root/scripts/install-deps.sh"
# With these the build also cross-builds for Windows and runs the Windows suites under Wine.
"$root/scripts/apt-install-missing.sh" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine xvfb
"$root/scripts/build.sh" "$dir" "$@"
cd "$root/$dir"
ctest --output-on-failure
