#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
. tools/as-user.sh
tools/install-deps.sh
as_user tools/build.sh "$@"
cd "${VORPEN_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
as_user ctest --output-on-failure -j "$(nproc)"
