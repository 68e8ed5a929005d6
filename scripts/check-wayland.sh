#!/usr/bin/env bash
# Starts Velmora natively on Wayland under a headless Weston, in a working copy of examples/,
# and waits for its first window (the port dialog), at scale 1 and 2:
# scripts/check-wayland.sh [path/to/velmora]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
velmora=$(readlink -f "${1:-$root/build/app/velmora}")
tmp=$(mktemp -d)
weston_pid=
cleanup() {
    [ -z "$weston_pid" ] || kill "$weston_pid" 2>/dev/null || true
    [ -z "$weston_pid" ] || wait "$weston_pid" 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR=$tmp/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=velmora-check
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --width=1024 --height=768 \
    >"$tmp/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
    kill -0 "$weston_pid" 2>/dev/null || break
    sleep 0.1
done
if [ ! -S "$XDG_RUNTIME_DIR/$socket" ]; then
    echo "FAIL: Weston did not start" >&2
    cat "$tmp/weston.log" >&2
    exit 1
fi

cp -r "$root/examples" "$tmp/work"
first_window() { # first_window SCALE: the line the program prints for its first window
    (cd "$tmp/work" && env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_SCALE_FACTOR="$1" \
        VELMORA_EXIT_ON_FIRST_WINDOW=1 timeout 60 "$velmora") 2>"$tmp/velmora.log"
}
failures=0 passed=0 sizes=()
for scale in 1 2; do
    line=$(first_window "$scale") || true
    echo "scale $scale: ${line:-no window}"
    if [[ "$line" =~ ^first\ window:\ wayland\ [0-9]+x[0-9]+\ scale\ $scale\  ]]; then
        passed=$((passed + 1))
    else
        failures=$((failures + 1))
        cat "$tmp/velmora.log" >&2
    fi
    sizes+=("$(awk '{print $4}' <<<"$line")")
done
# Under QT_SCALE_FACTOR the window keeps its size in logical pixels: everything in it doubles.
if [ "${sizes[0]}" = "${sizes[1]}" ]; then passed=$((passed + 1)); else
    echo "FAIL: the window's logical size changed with the scale: ${sizes[*]}" >&2
    failures=$((failures + 1))
fi
echo "wayland: $passed passed, $failures failed"
[ "$failures" -eq 0 ]
