#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh "$@"
cd "${VORPEN_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
