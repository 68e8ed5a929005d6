#!/usr/bin/env bash
# Checks a built Debian package: its control fields, its files, the desktop entry and AppStream
# metadata, lintian, and the programs run from the unpacked tree without a display.
# scripts/check-package.sh path/to/velmora_VERSION_amd64.deb
set -euo pipefail
deb=$(readlink -f "$1")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0 passed=0

check() { # check NAME COMMAND...
    local name=$1
    shift
    if "$@"; then passed=$((passed + 1)); else echo "FAIL: $name" >&2; failures=$((failures + 1)); fi
}
field() { dpkg-deb -f "$deb" "$1"; }
has() { grep -Eq -- "$1" <<<"$2"; }

version=$(field Version)
depends=$(field Depends)
echo "Depends: $depends"
check "package name" [ "$(field Package)" = velmora ]
check "file name velmora_${version}_amd64.deb" [ "$(basename "$deb")" = "velmora_${version}_amd64.deb" ]
check "version is the project's" has '^[0-9]+(\.[0-9]+)+$' "$version"
check "maintainer is a name and an address" has '^[^<]+ <[^@> ]+@[^> ]+>$' "$(field Maintainer)"
check "section" [ "$(field Section)" = electronics ]
check "description has a synopsis and a longer text" [ "$(field Description | wc -l)" -ge 3 ]
check "Depends computed from the binaries (Qt Widgets)" has 'libqt6widgets6 \(>= ' "$depends"
check "Depends computed from the binaries (C library)" has 'libc6 \(>= ' "$depends"
check "Depends on Japanese glyphs" has 'fonts-ipafont-gothic' "$depends"
check "Recommends the Wayland platform" has 'qt6-wayland' "$(field Recommends)"

listing=$(dpkg-deb -c "$deb" | awk '{print $1, $6}')
for program in velmora velmora-sim velmora-launcher; do
    check "$program is an executable in /usr/bin" has "^-rwxr-xr-x \./usr/bin/$program\$" "$listing"
    check "$program has a compressed manual page" has "^-rw-r--r-- \./usr/share/man/man1/$program\.1\.gz\$" "$listing"
done
for file in applications/org.velmora.Velmora.desktop metainfo/org.velmora.Velmora.metainfo.xml \
    velmora/examples/Velmora.ini velmora/examples/Demo.ini doc/velmora/copyright doc/velmora/changelog.gz; do
    check "has /usr/share/$file" has "^-rw-r--r-- \./usr/share/$file\$" "$listing"
done
for size in 16 22 24 32 48 64 128 256; do
    check "has the ${size}x${size} icon" has "\./usr/share/icons/hicolor/${size}x${size}/apps/velmora\.png\$" "$listing"
done

root=$tmp/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for size in 16 48 256; do
    check "the ${size}x${size} icon is a PNG of that size" has "PNG image data, $size x $size" \
        "$(file -b "$share/icons/hicolor/${size}x${size}/apps/velmora.png")"
done
check "desktop entry is valid" desktop-file-validate "$share/applications/org.velmora.Velmora.desktop"
check "desktop entry starts the launcher" grep -qx 'Exec=velmora-launcher' "$share/applications/org.velmora.Velmora.desktop"
check "AppStream metadata is valid" appstreamcli validate --no-net "$share/metainfo/org.velmora.Velmora.metainfo.xml"
check "AppStream names this release" grep -q "<release version=\"$version\"" "$share/metainfo/org.velmora.Velmora.metainfo.xml"
check "changelog names this version" has "^velmora \($version\) " "$(zcat "$share/doc/velmora/changelog.gz" | head -1)"

# The programs answer without a display.
unset DISPLAY WAYLAND_DISPLAY
bin=$root/usr/bin
check "velmora --version prints the package's version" [ "$("$bin/velmora" --version)" = "velmora $version" ]
check "velmora --help prints usage" has '^usage: velmora' "$("$bin/velmora" --help)"
status=0
"$bin/velmora" --no-such-option >"$tmp/out" 2>"$tmp/err" || status=$?
check "an unknown option exits 2 with usage on stderr only" eval '[ $status -eq 2 ] && [ ! -s "$tmp/out" ] && grep -q "^usage: velmora" "$tmp/err"'
check "velmora-sim --help prints its options" has '--password' "$("$bin/velmora-sim" --help)"
check "the launcher runs velmora in a new ~/Velmora" \
    eval '[ "$(HOME=$tmp/home "$bin/velmora-launcher" --version)" = "velmora $version" ] && cmp -s "$tmp/home/Velmora/Velmora.ini" "$share/velmora/examples/Velmora.ini"'

echo "lintian:"
check "lintian finds no error or warning" lintian --info --display-info --fail-on error,warning "$deb"

echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
