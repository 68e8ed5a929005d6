#!/usr/bin/env bash
# The tests' size against the product's: C++ code lines (no blanks, no comments) of the files
# git tracks, counted by cloc. Tests are tests/ and the test seam platform/ui/testing; the
# product is everything the program is built from.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v cloc >/dev/null || bash scripts/apt-install-missing.sh cloc
count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h)$' | sed 's|^|./|' >"$list"
    cloc --quiet --csv --list-file="$list" | awk -F, '/SUM/ { print $5 }'
}
list=$(mktemp)
trap 'rm -f "$list"' EXIT
tests=$(count tests platform/ui/testing)
product=$(count app config link pages ports sim widgets resources platform ':!platform/ui/testing')
echo "tests $tests, product $product, ratio $(awk -v t="$tests" -v p="$product" 'BEGIN { printf "%.2f", t / p }')"
