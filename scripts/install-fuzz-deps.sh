#!/usr/bin/env bash
# Installs the Debian 12 packages the fuzz harnesses build with (clang 14, libFuzzer and the
# sanitizer runtimes); skips what is there. The rest comes from install-deps.sh.
set -euo pipefail

packages=(
  clang
  libfuzzer-14-dev
  libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
