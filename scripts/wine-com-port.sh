#!/usr/bin/env bash
# Serves the simulated controller (the Linux velmora-sim) on a pseudo-terminal and maps a COM
# port of a Wine prefix to it, for the Windows serial tests; or undoes that.
#   wine-com-port.sh start PREFIX PORT SIM [SIM OPTIONS...]
#   wine-com-port.sh stop PREFIX PORT
set -euo pipefail
action=$1 prefix=$2 port=$3
shift 3
state="$prefix/${port,,}.sim"
link="$prefix/dosdevices/${port,,}"
case $action in
start)
    # A fresh prefix first, so that Wine's own set-up does not replace the link.
    "$(dirname "$0")/wine-prefix.sh" "$prefix"
    setsid "$@" >"$state.pty" 2>"$state.log" </dev/null &
    echo $! >"$state.pid"
    # The simulator names its terminal once it serves it.
    for _ in $(seq 200); do
        [ -s "$state.pty" ] && break
        sleep 0.05
    done
    terminal=$(head -n 1 "$state.pty")
    [ -c "$terminal" ] || { echo "velmora-sim served no terminal" >&2; exit 1; }
    ln -sfn "$terminal" "$link"
    ;;
stop)
    # A simulator that hung up has ended by itself.
    [ ! -f "$state.pid" ] || kill "$(cat "$state.pid")" 2>/dev/null || true
    rm -f "$state.pid" "$state.pty" "$state.log" "$link"
    ;;
*)
    echo "usage: $0 start PREFIX PORT SIM [OPTIONS...] | stop PREFIX PORT" >&2
    exit 2
    ;;
esac
