#!/bin/sh
# Installs what is missing, builds, and starts the editor on an example driving file.
set -eu
cd "$(dirname "$0")/.."
. tools/as-user.sh
tools/install-deps.sh
as_user tools/build.sh
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Built build/vorpen, but there is no display to show it on: run this from a desktop session." >&2
    exit 1
fi
export ZELMORA_Bin="${ZELMORA_Bin:-$PWD/build/standins}"
as_user build/vorpen "${1:-examples/grain_growth_2d_dri.txt}"
