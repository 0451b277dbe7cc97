#!/bin/sh
# Configures and builds Vorpen into build/ (or the folder given as $VORPEN_BUILD_DIR).
set -eu
cd "$(dirname "$0")/.."
build="${VORPEN_BUILD_DIR:-build}"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
