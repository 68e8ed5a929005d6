#!/usr/bin/env bash
# The menu launcher against an installed tree whose velmora only reports where and how it was
# started: LauncherTest.sh LAUNCHER EXAMPLES_DIR
set -euo pipefail
launcher=$1 examples=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0 passed=0

check() { # check NAME CONDITION...
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}

prefix=$tmp/usr
mkdir -p "$prefix/bin" "$prefix/share/velmora"
install -m 755 "$launcher" "$prefix/bin/velmora-launcher"
cp -r "$examples" "$prefix/share/velmora/examples"
cat >"$prefix/bin/velmora" <<'FAKE'
#!/bin/sh
printf '%s\n' "$(pwd)" "$@"
FAKE
chmod +x "$prefix/bin/velmora"
export HOME=$tmp/home
mkdir -p "$HOME"
work=$HOME/Velmora

# First start: the folder is made, seeded, and velmora runs there with the arguments.
out=$("$prefix/bin/velmora-launcher" -platform wayland)
check "runs velmora in ~/Velmora with its arguments" [ "$out" = "$(printf '%s\n' "$work" -platform wayland)" ]
for file in "$examples"/*; do
    check "seeds $(basename "$file")" cmp -s "$file" "$work/$(basename "$file")"
done

# Later starts keep the user's changes and deletions.
echo "; mine" >>"$work/Demo.ini"
rm "$work/Minimal.ini"
"$prefix/bin/velmora-launcher" >/dev/null
check "keeps an edited profile" grep -q "; mine" "$work/Demo.ini"
check "does not bring back a deleted profile" [ ! -e "$work/Minimal.ini" ]

# A folder that exists without a base file gets the examples, but not over its own files.
rm -rf "$work"
mkdir -p "$work"
echo "mine" >"$work/Demo.ini"
"$prefix/bin/velmora-launcher" >/dev/null
check "adds the base file to an existing folder" cmp -s "$examples/Velmora.ini" "$work/Velmora.ini"
check "never replaces a file already there" [ "$(cat "$work/Demo.ini")" = "mine" ]

# Started through a link elsewhere, it still finds its own tree.
mkdir -p "$tmp/elsewhere"
ln -s "$prefix/bin/velmora-launcher" "$tmp/elsewhere/velmora-launcher"
out=$("$tmp/elsewhere/velmora-launcher")
check "finds velmora and the examples through a symbolic link" [ "$out" = "$work" ]

# A home where the folder cannot be made is an error, not a start elsewhere.
rm -rf "$work"
touch "$work"
check "fails when ~/Velmora cannot be a folder" eval '! "$prefix/bin/velmora-launcher" >/dev/null 2>&1'

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
