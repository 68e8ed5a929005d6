#!/usr/bin/env bash
# Sets everything up and runs every test: scripts/test.sh [build dir] [extra cmake options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir=${1:-build}
shift || true
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$dir" "$@"
cd "$root/$dir"
ctest --output-on-failure
