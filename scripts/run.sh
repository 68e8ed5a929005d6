#!/usr/bin/env bash
# Sets everything up and starts Velmora against the simulated controller in build/work/, a
# working copy of examples/, so that what the program writes (the chosen port) stays out of
# the checkout. Files missing from the copy are copied in; none is overwritten.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" build
work=$root/build/work
mkdir -p "$work"
for example in "$root"/examples/*; do
  [ -e "$work/$(basename "$example")" ] || cp "$example" "$work/"
done
cd "$work"
exec "$root/build/app/velmora" "$@"
