#!/bin/sh
# Runs a program as a client of its own headless Wayland compositor.
# usage: weston_run.sh WIDTH HEIGHT PROGRAM [ARGS...]
set -e
width=$1
height=$2
shift 2
dir=$(mktemp -d)
chmod 700 "$dir"
export XDG_RUNTIME_DIR="$dir"
socket="wayland-putevod-$$"
weston --backend=headless-backend.so --use-pixman --width="$width" --height="$height" \
    --socket="$socket" --idle-time=0 >"$dir/weston.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; wait $pid 2>/dev/null; rm -rf "$dir"' EXIT INT TERM
i=0
while [ ! -S "$dir/$socket" ]; do
    i=$((i + 1))
    if [ $i -gt 200 ] || ! kill -0 $pid 2>/dev/null; then
        echo "weston did not start:" >&2
        cat "$dir/weston.log" >&2
        exit 1
    fi
    sleep 0.05
done
# Qt's Wayland plugin leaves allocations of the Wayland client library and
# of modules unloaded at exit, which the leak checker cannot name: in a
# sanitizer build, leaks are not checked for the client.
ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
export ASAN_OPTIONS
# Headless weston has no seat: Qt's input context needs one, so it is off.
WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_IM_MODULE=none "$@"
