#!/bin/sh
# Builds the benchmarks in build-bench/ (optimised, without the tests) and runs them headless.
# Arguments go to the Google Benchmark programs, e.g. --benchmark_filter=analysis/v70_grains;
# the typing benchmark runs only without arguments and fails when typing misses its goal.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVORPEN_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build-bench -j2 --target bench_analysis bench_editor bench_lsp bench_typing
export QT_QPA_PLATFORM=offscreen
build-bench/bench/bench_analysis "$@"
build-bench/bench/bench_editor "$@"
build-bench/bench/bench_lsp "$@"
if [ "$#" -eq 0 ]; then
    build-bench/bench/bench_typing
fi
