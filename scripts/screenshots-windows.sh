#!/usr/bin/env bash
# Takes the Windows pictures of docs/ under Wine on Xvfb: velmora.exe of the Windows build
# against the Linux velmora-sim, through COM5 of a throw-away Wine prefix that maps it to the
# simulator's terminal, in a throw-away copy of examples/:
#   scripts/screenshots-windows.sh [Windows build dir] [Linux build dir]
# Writes docs/windows-main-window.png, windows-console.png and windows-scale-144.png (the
# prefix at 144 dots per inch). Needs the tools of scripts/install-package-deps.sh and the
# builds of scripts/test-windows.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows_build=$(readlink -f "${1:-$root/build-windows}")
linux_build=$(readlink -f "${2:-$root/build}")
docs=$root/docs
tmp=$(mktemp -d)
xvfb= app=
export WINEDEBUG=-all
cleanup() {
    [ -z "$app" ] || kill "$app" 2>/dev/null || true
    for prefix in "$tmp"/prefix-*; do
        [ -d "$prefix" ] || continue
        WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
        bash "$root/scripts/wine-com-port.sh" stop "$prefix" COM5 || true
    done
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1800x1200x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display")

window() { # window TITLE-REGEX: the visible window's id, waiting up to 30 s
    for _ in $(seq 150); do
        local id
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.2
    done
    echo "no window $1" >&2
    return 1
}
shot() { # shot WINDOW NAME: the window alone, as docs/NAME.png
    import -window "$1" "$tmp/shot.png"
    convert "$tmp/shot.png" -strip -define png:compression-level=9 "$docs/$2.png"
    echo "docs/$2.png: $(file -b "$docs/$2.png")"
}
click() { # click WINDOW X Y, in the window's pixels at 96 dots per inch, scaled to the session's
    xdotool mousemove --window "$1" $(($2 * dpi / 96)) $(($3 * dpi / 96)) click 1
}

# start DPI: a prefix at DPI dots per inch, COM5 on a simulator, Velmora with COM5 and the first
# profile; leaves the main window's id in $main.
start() {
    dpi=$1
    export WINEPREFIX="$tmp/prefix-$dpi"
    bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wineserver -w
    bash "$root/scripts/wine-com-port.sh" start "$WINEPREFIX" COM5 "$linux_build/sim/velmora-sim"
    rm -rf "$tmp/work"
    cp -r "$root/examples" "$tmp/work"
    sed -i -e 's|^Item=0$|Item=1|' -e 's|^Item1=sim:$|Item1=sim:\nItem2=COM5|' -e 's|^Items=1$|Items=2|' "$tmp/work/Velmora.ini"
    (cd "$tmp/work" && exec wine "$windows_build/app/velmora.exe") &
    app=$!
    local ports profiles
    ports=$(window '^シリアルポート選択$')
    sleep 1
    xdotool windowfocus "$ports" key Return
    # Wine's COM port over a pseudo-terminal cannot keep the parity, and the program says so.
    sleep 2
    local box
    box=$(xdotool search --onlyvisible --name '^CVelmoraDlg::OnInitDialog\(\)$' 2>/dev/null | head -1) || true
    [ -z "$box" ] || xdotool windowfocus "$box" key Return
    profiles=$(window '^設定ファイルの選択$')
    sleep 1
    xdotool windowfocus "$profiles" key Return
    main=$(window '^Velmora$')
    sleep 1
}
stop() {
    kill "$app" 2>/dev/null || true
    wait "$app" 2>/dev/null || true
    app=
    wineserver -k 2>/dev/null || true
    bash "$root/scripts/wine-com-port.sh" stop "$WINEPREFIX" COM5
}

# The command tab, the trace button and the console's send button, in pixels at 96 dots per inch.
tab_command=(395 45) trace=(630 138) send=(367 80)

start 96
click "$main" "${trace[@]}"
sleep 3
xdotool mousemove 0 0
shot "$main" windows-main-window
click "$main" "${tab_command[@]}"
sleep 1
click "$main" "${send[@]}"
sleep 1
xdotool mousemove 0 0
shot "$main" windows-console
stop

start 144
click "$main" "${trace[@]}"
sleep 3
xdotool mousemove 0 0
shot "$main" windows-scale-144
stop
