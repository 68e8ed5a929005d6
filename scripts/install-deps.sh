#!/usr/bin/env bash
# Installs the Debian 12 packages Velmora builds, runs and tests with; skips what is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-wayland
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation
)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
