#!/usr/bin/env bash
# Retakes the README's pictures under Xvfb, against velmora-sim on a pseudo-terminal, in a
# throw-away copy of examples/: scripts/screenshots.sh [build dir]
# Writes docs/port-dialog.png, profile-dialog.png, word-map.png, boost.png, command-console.png, locked.png,
# scale-1.png and scale-2.png. Needs the tools of scripts/install-package-deps.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build=$(readlink -f "${1:-$root/build}")
docs=$root/docs
tmp=$(mktemp -d)
xvfb= sim= app=
cleanup() {
    for pid in $app $sim $xvfb; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1800x1200x24 -nolisten tcp -noreset 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display")
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY

window() { # window TITLE-REGEX: the visible window's id, waiting up to 20 s
    for _ in $(seq 100); do
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
click() { # click WINDOW X Y, in the window's logical pixels at the session's scale
    xdotool mousemove --window "$1" $(($2 * scale)) $(($3 * scale)) click 1
}

# start SCALE [velmora-sim options]: a simulator on a pty, Velmora on it with the first profile;
# leaves the port dialog's id in $port_dialog and the main window's in $main.
start() {
    scale=$1
    shift
    "$build/sim/velmora-sim" "$@" >"$tmp/pty" &
    sim=$!
    for _ in $(seq 50); do [ -s "$tmp/pty" ] && break; sleep 0.1; done
    rm -rf "$tmp/work"
    cp -r "$root/examples" "$tmp/work"
    sed -i -e 's|^Item=0$|Item=1|' -e "s|^Item1=sim:$|Item1=sim:\nItem2=$(cat "$tmp/pty")|" -e 's|^Items=1$|Items=2|' \
        "$tmp/work/Velmora.ini"
    (cd "$tmp/work" && exec env QT_SCALE_FACTOR="$scale" "$build/app/velmora") &
    app=$!
    port_dialog=$(window '^シリアルポート選択$')
    sleep 0.5
}
choose() { # choose [NAME]: takes the chosen port and the first profile; with NAME, a picture of the profile dialog
    xdotool windowfocus --sync "$port_dialog" key Return
    local profiles
    profiles=$(window '^設定ファイルの選択$')
    if [ $# -gt 0 ]; then sleep 0.5 && shot "$profiles" "$1"; fi
    xdotool windowfocus --sync "$profiles" key Return
    main=$(window '^Velmora$')
}
stop() {
    kill "$app" "$sim"
    wait "$app" "$sim" 2>/dev/null || true
    app= sim=
}

# Tabs of Demo.ini and the trace button, in the main window's logical pixels.
tab_word_map=(318 23) tab_boost=(398 23) tab_command=(463 23) trace=(732 108) send=(435 58)

start 1
shot "$port_dialog" port-dialog
choose profile-dialog
click "$main" "${trace[@]}"
sleep 2
shot "$main" scale-1
click "$main" "${tab_word_map[@]}"
sleep 1.5
shot "$main" word-map
click "$main" "${tab_boost[@]}"
sleep 1
shot "$main" boost
click "$main" "${tab_command[@]}"
click "$main" "${send[@]}"
sleep 1
shot "$main" command-console
stop

start 2
choose
click "$main" "${trace[@]}"
sleep 2
shot "$main" scale-2
stop

start 1 --password SECRET
choose
sleep 1
shot "$main" locked
stop
