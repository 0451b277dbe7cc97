#!/bin/sh
# Installs what is missing, builds, and starts the editor on an example driving file.
set -eu
cd "$(dirname "$0")/.."
tools/install-deps.sh
tools/build.sh
export ZELMORA_Bin="${ZELMORA_Bin:-$PWD/build/standins}"
exec build/vorpen "${1:-examples/grain_growth_2d_dri.txt}"
