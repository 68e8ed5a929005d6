#!/usr/bin/env bash
# A virtual display for the Windows GUI suites under Wine, one per test run of a prefix:
#   wine-display.sh start PREFIX
#   wine-display.sh run PREFIX COMMAND [ARGS...]   runs COMMAND on that display
#   wine-display.sh stop PREFIX                    ends Wine's processes, then the display
set -euo pipefail
action=$1 prefix=$2
shift 2
export WINEPREFIX="$prefix" WINEDEBUG=-all
state="$prefix/xvfb"
case $action in
start)
    "$(dirname "$0")/wine-prefix.sh" "$prefix"
    rm -f "$state.display"
    # Xvfb picks a free display and writes its number once it accepts clients.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state.display" >/dev/null 2>&1 </dev/null &
    echo $! >"$state.pid"
    for _ in $(seq 200); do
        [ -s "$state.display" ] && exit 0
        sleep 0.05
    done
    echo "Xvfb did not start" >&2
    exit 1
    ;;
run)
    export DISPLAY=":$(head -n 1 "$state.display")"
    exec "$@"
    ;;
stop)
    wineserver -k 2>/dev/null || true
    [ ! -f "$state.pid" ] || kill "$(cat "$state.pid")" 2>/dev/null || true
    rm -f "$state.pid" "$state.display"
    ;;
*)
    echo "usage: $0 start PREFIX | run PREFIX COMMAND... | stop PREFIX" >&2
    exit 2
    ;;
esac
