#!/usr/bin/env bash
# `make run`: starts the demo portal and the client on it. Without a display the client runs
# on a private Xvfb, and a screenshot of its window is saved once the portal has loaded.
set -euo pipefail
build=${1:-build}
home="$build/gamebox"
port=8577

# The demo's version file names this client's version and switches on the ad window (about 11 s
# after start) and the recommendation window at exit.
printf '1====1====1.0' >"$build/portal/demo-wen.txt"
"$build/portal/tamsa_portal" --port "$port" --lifetime 0 --version-file "$build/portal/demo-wen.txt" \
    >"$build/portal.log" 2>&1 &
portal=$!
trap 'kill $portal 2>/dev/null || true' EXIT

if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi

# On a real display the engine may use the GPU (WebGL for Ruffle); it falls back by itself.
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    "$home/play"
    exit 0
fi

# Xvfb has no GPU to offer.
export QTWEBENGINE_CHROMIUM_FLAGS="${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}"

echo "No display: running the client on a private Xvfb for a look."
shot="$(cd "$build" && pwd)/screenshot.png"
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    "$1/play" &
    client=$!
    # The portal page needs a few seconds to load in a fresh profile.
    window=
    for _ in $(seq 1 30); do
        sleep 1
        window=$(xdotool search --onlyvisible --name "^Tamsa游戏盒$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    done
    sleep 6
    "$3" "$2" $window
    kill $client 2>/dev/null || true
    wait $client 2>/dev/null || true
' _ "$home" "$shot" "$build/tools/screengrab/screengrab"
echo "Screenshot of the running client: $shot"
