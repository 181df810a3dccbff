#!/usr/bin/env bash
# Runs every libFuzzer harness of a fuzzing build (or those named in $FUZZERS) on its seed
# corpus and prints how many inputs each one executed.
# Usage: [FUZZERS="ini_fuzz ..."] fuzz/run.sh BUILD_DIR [libFuzzer options, e.g. -runs=N]
# New inputs are kept in BUILD_DIR/fuzz/corpus/<harness>/, crashes and logs beside them.
set -uo pipefail
build=$(cd "$1" && pwd)
shift
seeds=$(cd "$(dirname "$0")" && pwd)/corpus
status=0
for harness in ${FUZZERS:-$(cd "$(dirname "$0")" && ls -- *_fuzz.cpp | sed 's/\.cpp$//')}; do
    flags=()
    case $harness in
    # These replace files, and the replacement's worker thread frees an input's memory after
    # the input has ended; libFuzzer would then look for leaks after every input, which
    # makes them six times slower. Leaks are looked for once over the corpus instead.
    list_page_fuzz) flags=(-detect_leaks=0) ;;
    # Every name the file holds is read twice, the whole file each time, so the time an input
    # takes grows with the square of its size; a settings file of a kilobyte holds every kind
    # of line there is.
    ini_fuzz) flags=(-detect_leaks=0 -max_len=1024) ;;
    esac
    work=$build/fuzz/corpus/$harness
    log=$build/fuzz/$harness.log
    mkdir -p "$work"
    result=clean
    if ! "$build/fuzz/$harness" "${flags[@]}" "$@" -artifact_prefix="$build/fuzz/$harness-" \
        "$work" "$seeds/$harness" >"$log" 2>&1; then
        result="FAILED, see $log"
        status=1
    elif [ ${#flags[@]} -gt 0 ] && ! "$build/fuzz/$harness" -runs=0 "$work" "$seeds/$harness" >>"$log" 2>&1; then
        result="LEAKS, see $log"
        status=1
    fi
    runs=$(grep -o '^Done [0-9]* runs' "$log" | head -1 | cut -d' ' -f2)
    printf '%-20s %12s inputs  %s\n' "$harness" "${runs:-?}" "$result"
done
exit $status
