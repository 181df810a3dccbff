#!/usr/bin/env bash
# Runs every benchmark of a build, each measuring ours and its anchor alternately, and prints
# one table of their figures (median, spread over the rounds in brackets):
#   bench/run-benchmarks.sh [BUILD]       on a display; tools/with-display.sh provides one
# Each benchmark's whole output goes to BUILD/bench/logs/<name>.log (its errors to .err).
set -euo pipefail
build=${1:-build}
# The web engine's sandbox cannot start as root.
if [ "$(id -u)" = 0 ]; then export QTWEBENGINE_DISABLE_SANDBOX=1; fi
logs=$build/bench/logs
mkdir -p "$logs"

# The machine is shared: its load while the benchmarks ran goes beside the table.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

runs=(
    "records_bench"
    "download_bench --rounds 7"
    "window_bench --rounds 5"
    "open_bench --rounds 5"
    "pane_bench --rounds 5"
    "idle_bench --rounds 3"
)
for run in "${runs[@]}"; do
    name=${run%% *}
    echo "running $run" >&2
    # shellcheck disable=SC2086 # the options are words
    if ! "$build/bench/$name" ${run#"$name"} >"$logs/$name.log" 2>"$logs/$name.err"; then
        echo "$name failed; see $logs/$name.err" >&2
    fi
done

echo
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores of $(sed -n 's/^model name\s*: //p' /proc/cpuinfo | head -1)," \
    "$(awk '/^MemTotal/ { printf "%.1f GiB RAM", $2 / 1048576 }' /proc/meminfo), $(uname -sr), display ${DISPLAY:-none}"
echo "load average (1, 5, 15 min): $load_before at the start, $(cut -d' ' -f1-3 /proc/loadavg) at the end"
echo
echo "| figure | ours | anchor | ratio | target |"
echo "|---|---|---|---|---|"
for run in "${runs[@]}"; do
    name=${run%% *}
    grep -h $'^row\t' "$logs/$name.log" | cut -f2- | sed 's/\t/ | /g; s/^/| /; s/$/ |/' || true
done
