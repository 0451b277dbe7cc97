#!/bin/sh
# Runs a test as an ordinary user, as cluster users are: as root through runuser as "nobody"
# with a home of its own for the run; as anyone else unchanged.
set -eu
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
home="$(mktemp -d)"
chown nobody "$home"
trap 'rm -rf "$home"' EXIT
runuser -u nobody -- env HOME="$home" TMPDIR="$home" XDG_STATE_HOME="$home/state" "$@"
