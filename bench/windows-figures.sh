#!/usr/bin/env bash
# The Windows build beside the Linux one on this machine, each against velmora-sim, on Xvfb:
# start-up to the first dialog, processor time of a trace tick with a map page on top, resident
# memory after a minute of tracing, and the program's size.
#   bash bench/windows-figures.sh [Windows build dir] [Linux build dir]
# The Windows figures are Wine's: its own start-up and memory are counted with the program's.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
windows_build=$(readlink -f "${1:-$root/build-windows}")
linux_build=$(readlink -f "${2:-$root/build}")
tmp=$(mktemp -d)
xvfb= sim= app=
export WINEDEBUG=-all WINEPREFIX="$tmp/prefix"
trace_seconds=60
cleanup() {
    for pid in $app $sim; do kill "$pid" 2>/dev/null || true; done
    wineserver -k 2>/dev/null || true
    bash "$root/scripts/wine-com-port.sh" stop "$WINEPREFIX" COM5 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1800x1200x24 -nolisten tcp -noreset 3>"$tmp/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$tmp/display") QT_QPA_PLATFORM=xcb

now_ms() { date +%s%3N; }
window() { # window TITLE-REGEX: the visible window's id once it shows, polled every 10 ms
    for _ in $(seq 3000); do
        local id
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.01
    done
    return 1
}
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; } # user and system time, in clock ticks
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }
work() { # work PORT: a copy of the examples offering PORT first
    rm -rf "$tmp/work"
    cp -r "$root/examples" "$tmp/work"
    sed -i -e 's|^Item=0$|Item=1|' -e "s|^Item1=sim:$|Item1=sim:\\nItem2=$1|" -e 's|^Items=1$|Items=2|' "$tmp/work/Velmora.ini"
}
# measure NAME PID TRACE-X TRACE-Y: start-up is measured by the caller; then the trace for a minute.
measure() {
    local name=$1 pid=$2 x=$3 y=$4 main before after box
    sleep 0.5
    xdotool windowfocus "$ports" key Return
    sleep 2
    # A box about line settings Wine's pseudo-terminal cannot keep, on Windows only.
    box=$(xdotool search --onlyvisible --name 'OnInitDialog' 2>/dev/null | head -1) || true
    [ -z "$box" ] || xdotool windowfocus "$box" key Return
    profiles=$(window '設定ファイルの選択')
    sleep 0.5
    xdotool windowfocus "$profiles" key Return
    main=$(window '^Velmora$')
    sleep 1
    xdotool mousemove --window "$main" "$x" "$y" click 1
    sleep 2
    before=$(cpu_ticks "$pid")
    sleep "$trace_seconds"
    after=$(cpu_ticks "$pid")
    local hz polls
    hz=$(getconf CLK_TCK)
    polls=$((trace_seconds * 10))
    echo "$name: trace tick $(echo "scale=2; ($after - $before) * 1000 / $hz / $polls" | bc) ms of processor time (over $polls polls), resident $(( $(rss_kb "$pid") / 1024 )) MB after a minute"
}

# Linux: velmora on a pseudo-terminal of velmora-sim.
"$linux_build/sim/velmora-sim" >"$tmp/pty" &
sim=$!
for _ in $(seq 50); do [ -s "$tmp/pty" ] && break; sleep 0.1; done
work "$(cat "$tmp/pty")"
start=$(now_ms)
(cd "$tmp/work" && exec "$linux_build/app/velmora") &
app=$!
ports=$(window 'シリアルポート選択')
echo "Linux: start-up to the first dialog $(($(now_ms) - start)) ms"
measure Linux "$app" 732 108
kill "$app" "$sim"; wait "$app" "$sim" 2>/dev/null || true
app= sim=

# Windows: velmora.exe under Wine through COM5, with Wine already running (a warm start).
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
bash "$root/scripts/wine-com-port.sh" start "$WINEPREFIX" COM5 "$linux_build/sim/velmora-sim"
work COM5
wine cmd /c exit 2>/dev/null || true
start=$(now_ms)
(cd "$tmp/work" && exec wine "$windows_build/app/velmora.exe") &
ports=$(window 'シリアルポート選択')
echo "Windows: start-up to the first dialog $(($(now_ms) - start)) ms"
app=$(pgrep -f 'velmora\.exe' | head -1)
measure Windows "$app" 630 138
kill "$app" 2>/dev/null || true
app=

strip -o "$tmp/velmora" "$linux_build/app/velmora"
x86_64-w64-mingw32-strip -o "$tmp/velmora.exe" "$windows_build/app/velmora.exe"
echo "size, stripped: velmora $(( $(stat -c %s "$tmp/velmora") / 1024 )) KB (and Qt's shared libraries), velmora.exe $(( $(stat -c %s "$tmp/velmora.exe") / 1024 )) KB (static, nothing beside it)"
