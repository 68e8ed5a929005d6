#!/usr/bin/env bash
# Sets everything up and starts Velmora in examples/ against the simulated controller.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build
cd "$root/examples"
exec "$root/build/app/velmora"
