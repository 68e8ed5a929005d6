#!/usr/bin/env bash
# Installs the Debian 12 packages the fuzz harnesses build with (clang 14, libFuzzer and the
# sanitizer runtimes); skips what is there. The rest comes from install-deps.sh.
set -euo pipefail

packages=(
  clang
  libfuzzer-14-dev
  libclang-rt-14-dev
)

"$(dirname "$0")/apt-install-missing.sh" "${packages[@]}"
