#!/bin/sh
# Builds the benchmarks in build-bench/ (optimised, without the tests) and runs them headless.
# Arguments go to the Google Benchmark programs, e.g. --benchmark_filter=analysis/v70_grains;
# the typing benchmark and the window benchmark run only without arguments. A benchmark that
# misses its goals fails the command. "tools/bench.sh window [OPTIONS]" runs the window
# benchmark alone, which starts the real program and its peer on an X server of its own (Xvfb);
# its options are those of bench_window --help. BENCH_DISPLAY=N puts that server on display :N instead of a free one.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORPEN_BENCH=ON -DBUILD_TESTING=OFF >/dev/null

run_window_bench() {
    cmake --build build-bench -j2 --target vorpen vorpen-generate vorpen-peer bench_window
    displays=$(mktemp)
    if [ -n "${BENCH_DISPLAY:-}" ]; then
        Xvfb ":$BENCH_DISPLAY" -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null &
        echo "$BENCH_DISPLAY" >"$displays"
    else
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$displays" 2>/dev/null &
    fi
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; rm -f "$displays"' EXIT
    waited=0
    until [ -s "$displays" ] && DISPLAY=":$(head -n1 "$displays")" xdpyinfo >/dev/null 2>&1; do
        sleep 0.2
        waited=$((waited + 1))
        [ "$waited" -lt 100 ] || { echo "Xvfb did not start" >&2; exit 1; }
    done
    DISPLAY=":$(head -n1 "$displays")" QT_QPA_PLATFORM=xcb build-bench/bench/window/bench_window \
        --vorpen build-bench/vorpen --peer build-bench/bench/window/vorpen-peer \
        --generate build-bench/bench/vorpen-generate "$@"
}

if [ "${1:-}" = window ]; then
    shift
    run_window_bench "$@"
    exit
fi
cmake --build build-bench -j2 --target bench_analysis bench_editor bench_lsp bench_typing
# A missed goal fails the command, but only after every benchmark has run.
status=0
QT_QPA_PLATFORM=offscreen build-bench/bench/bench_analysis "$@" || status=1
QT_QPA_PLATFORM=offscreen build-bench/bench/bench_editor "$@" || status=1
QT_QPA_PLATFORM=offscreen build-bench/bench/bench_lsp "$@" || status=1
if [ "$#" -eq 0 ]; then
    QT_QPA_PLATFORM=offscreen build-bench/bench/bench_typing || status=1
    (run_window_bench) || status=1
fi
exit "$status"
