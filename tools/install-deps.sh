#!/bin/sh
# Installs the Debian 12 packages Vorpen needs to build, test and run; only missing ones are fetched.
set -eu
packages="cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools libqt5xml5
libqwt-qt5-dev libqt5svg5-dev libqt5opengl5-dev libbenchmark-dev clang-14 libclang-rt-14-dev xvfb xauth imagemagick xdotool fonts-dejavu-core
neovim xterm libkf5syntaxhighlighting-dev libxdamage-dev libxtst-dev x11-utils
slurmctld slurmd slurm-client munge"
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages:$missing -- run this command as root or through sudo." >&2
        exit 1
    fi
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi
