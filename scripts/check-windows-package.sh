#!/usr/bin/env bash
# Checks the Windows files of scripts/package-windows.sh under Wine, in a throw-away prefix and
# home: a silent install, the installed program's --version, the Start-menu shortcut, the first
# start making Documents\Velmora with the examples, a silent uninstall that leaves that folder
# alone; the portable zip's program working in its unpacked folder.
#   scripts/check-windows-package.sh DIST
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
dist=$(readlink -f "$1")
setup=$(ls "$dist"/velmora-*-setup.exe)
zip=$(ls "$dist"/velmora-*-portable.zip)
version=$(basename "$setup" | sed 's/^velmora-\(.*\)-setup\.exe$/\1/')
"$root/scripts/apt-install-missing.sh" wine wine64 fonts-wine xvfb xdotool unzip >/dev/null
tmp=$(mktemp -d)
export HOME="$tmp/home" WINEPREFIX="$tmp/prefix" WINEDEBUG=-all
mkdir -p "$HOME"
app=
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null
    bash "$root/scripts/wine-display.sh" stop "$WINEPREFIX"
    rm -rf "$tmp"
}
trap cleanup EXIT
passed=0 failed=0
check() { # check NAME COMMAND...
    if "${@:2}"; then passed=$((passed + 1)); echo "ok: $1"; else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
same() { [ "$1" = "$2" ] || { echo "  got: $1" >&2; return 1; }; }

# The prefix and its virtual display, as the Windows suites have them.
bash "$root/scripts/wine-display.sh" start "$WINEPREFIX"
export DISPLAY=":$(head -n 1 "$WINEPREFIX/xvfb.display")"

c="$WINEPREFIX/drive_c"
installed="$c/Program Files/Velmora"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
documents=$(ls -d "$c"/users/*/Documents | grep -v /Public/ | head -1)
work="$documents/Velmora"

# Runs COMMAND in FOLDER, waits for Velmora's first dialog (the port choice) and ends it.
start_in() { # start_in FOLDER COMMAND...
    (cd "$1" && exec "${@:2}") >/dev/null 2>&1 &
    app=$!
    local shown=1
    for _ in $(seq 150); do
        xdotool search --onlyvisible --name '^シリアルポート選択$' >/dev/null 2>&1 && { shown=0; break; }
        sleep 0.2
    done
    kill "$app" 2>/dev/null; wait "$app" 2>/dev/null; app=
    wineserver -k 2>/dev/null; wineserver -w
    return $shown
}

# The portable folder: Velmora works where it is unpacked and makes no folder in Documents.
unzip -q "$zip" -d "$tmp/stick"
portable="$tmp/stick/velmora-$version"
check "the zip holds the program, the examples and a read-me" \
    same "$(cd "$portable" && ls | tr '\n' ' ')" "Demo.ini Minimal.ini README.txt Velmora.ini velmora.exe "
check "the portable program starts in its folder" start_in "$portable" wine "$portable/velmora.exe"
check "the portable program makes no folder in Documents" test ! -e "$work"

wine "$setup" /S; wineserver -w
check "a silent install puts the program under Program Files" test -f "$installed/velmora.exe"
check "the examples are installed beside it" test -f "$installed/examples/Velmora.ini" -a -f "$installed/examples/Demo.ini"
check "the Start menu has the shortcut" test -f "$menu"
check "the installed program's --version is the package's" same "$(wine "$installed/velmora.exe" --version | tr -d '\r')" "velmora $version"

check "the Start menu's shortcut starts the installed program" start_in "$tmp" wine start /wait /unix "$menu"
check "its first start makes Documents\\Velmora" test -d "$work"
check "with the examples" same "$(cd "$work" && ls | tr '\n' ' ')" "Demo.ini Minimal.ini Velmora.ini "
echo "my own notes" >"$work/Notes.ini"
echo "; changed" >>"$work/Velmora.ini"
check "a later start" start_in "$tmp" wine start /wait /unix "$menu"
check "keeps the user's changed base file" grep -q "; changed" "$work/Velmora.ini"

wine "$installed/uninstall.exe" /S; wineserver -w
check "a silent uninstall removes the program" test ! -e "$installed"
check "and the shortcut" test ! -e "$menu"
check "and leaves the user's folder alone" same "$(cd "$work" && ls | tr '\n' ' ')" "Demo.ini Minimal.ini Notes.ini Velmora.ini "

echo "windows package: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
