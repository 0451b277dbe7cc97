#!/bin/sh
# Installs what is missing, builds, and runs the whole test suite headless.
set -eu
cd "$(dirname "$0")/.."
root="$PWD"
. tools/as-user.sh
tools/install-deps.sh
as_user tools/build.sh "$@"
cd "${VORPEN_BUILD_DIR:-build}"
export QT_QPA_PLATFORM=offscreen
if [ "$(id -u)" -eq 0 ] && [ -n "${SUDO_USER:-}" ] && [ "$SUDO_USER" != root ]; then
    # The tests run as the invoking user, who cannot start Slurm's daemons: the cluster that
    # their fixture expects is started here, with its controller run by that user so that the
    # tests can take it away and back, and stopped again whatever the tests do.
    slurm_dir="$(cat slurm-dir.txt)"
    VORPEN_SLURM_USER="$SUDO_USER" "$root/tools/slurm-cluster.sh" start "$slurm_dir"
    trap '"$root/tools/slurm-cluster.sh" stop "$slurm_dir"' EXIT
fi
as_user ctest --output-on-failure -j "$(nproc)"
