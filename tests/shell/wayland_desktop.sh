#!/usr/bin/env bash
# Runs a command on a Wayland desktop of its own: weston, headless, with XWayland. The command
# sees WAYLAND_DISPLAY and DISPLAY (XWayland's); weston ends with it.
set -euo pipefail
runtime=$(mktemp -d)
weston=
trap 'kill $weston 2>/dev/null || true; wait $weston 2>/dev/null || true; rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --xwayland --socket=wayland-test --no-config --idle-time=0 \
    >"$runtime/weston.log" 2>&1 &
weston=$!
display=
for _ in $(seq 100); do
    display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$runtime/weston.log")
    [ -n "$display" ] && [ -S "$runtime/wayland-test" ] && break
    sleep 0.1
done
[ -n "$display" ] || { cat "$runtime/weston.log" >&2; exit 1; }
export WAYLAND_DISPLAY=wayland-test DISPLAY=$display XDG_SESSION_TYPE=wayland
unset XAUTHORITY
"$@"
