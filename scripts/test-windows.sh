#!/usr/bin/env bash
# Cross-builds the Windows programs and suites with mingw-w64 and runs every suite under Wine:
# scripts/test-windows.sh [build dir]. Wine's prefix is made inside the build directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir=${1:-build-windows}
"$root/scripts/install-deps.sh"
"$root/scripts/apt-install-missing.sh" g++-mingw-w64-x86-64-posix wine wine64 fonts-wine googletest xvfb
# The serial suite talks to the simulated controller, a Linux program, through a COM port.
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
ninja -C "$root/build" velmora-sim
cmake -S "$root" -B "$root/$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" \
    -DVELMORA_LINUX_SIM="$root/build/sim/velmora-sim" >/dev/null
ninja -C "$root/$dir"
cd "$root/$dir"
ctest --output-on-failure
