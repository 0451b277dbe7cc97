#!/bin/sh
# Builds the whole test suite with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $VORPEN_BUILD_DIR) and runs it headless; a sanitizer report fails its test.
# Further arguments go to CMake, e.g. -DVORPEN_WERROR=ON.
set -eu
cd "$(dirname "$0")/.."
export VORPEN_BUILD_DIR="${VORPEN_BUILD_DIR:-build-asan}"
# -O1 keeps the instrumented tests quick; line tables are enough for the reports' stacks.
exec tools/test.sh -DVORPEN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" "$@"
