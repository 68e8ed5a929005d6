#!/usr/bin/env bash
# Builds Velmora's Windows files into build-windows/dist/ (or DIR/dist):
#   velmora-VERSION-setup.exe     the installer (NSIS): Program Files, the Start menu, an uninstaller
#   velmora-VERSION-portable.zip  velmora.exe, the examples and a read-me in one folder
#   scripts/package-windows.sh [DIR]
# The last line printed names the dist folder.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dir="$root/${1:-build-windows}"
"$root/scripts/apt-install-missing.sh" g++-mingw-w64-x86-64-posix nsis zip googletest wine wine64 >/dev/null
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-w64.cmake" >/dev/null
ninja -C "$dir" velmora >/dev/null

version=$(sed -n 's/^!define VELMORA_VERSION "\(.*\)"$/\1/p' "$dir/velmora-version.nsh")
dist="$dir/dist"
stage="$dist/stage"
rm -rf "$dist"
mkdir -p "$stage/examples"
x86_64-w64-mingw32-strip -o "$stage/velmora.exe" "$dir/app/velmora.exe"
cp "$root"/examples/*.ini "$stage/examples/"

# Each example installed by name, and removed by name: the uninstaller takes nothing else.
{
    echo '!macro InstallExamples'
    for example in "$stage"/examples/*.ini; do echo "    File \"$example\""; done
    echo '!macroend'
    echo '!macro RemoveExamples'
    for example in "$stage"/examples/*.ini; do echo "    Delete \"\$INSTDIR\\examples\\$(basename "$example")\""; done
    echo '!macroend'
} >"$stage/examples.nsh"
makensis -V2 -DSTAGE="$stage" -DOUTFILE="$dist/velmora-$version-setup.exe" -DVERSION_FILE="$dir/velmora-version.nsh" \
    "$root/packaging/windows/velmora.nsi"

# The portable folder works where it is unpacked: the examples sit beside the program.
portable="$stage/velmora-$version"
mkdir -p "$portable"
cp "$stage/velmora.exe" "$stage"/examples/*.ini "$portable/"
sed "s/@VERSION@/$version/g" "$root/packaging/windows/README.txt.in" >"$portable/README.txt"
(cd "$stage" && zip -q -r -X "$dist/velmora-$version-portable.zip" "velmora-$version")
rm -rf "$stage"
ls -l "$dist" >&2
echo "$dist"
