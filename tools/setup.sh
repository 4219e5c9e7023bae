#!/bin/sh
# Installs what the build and the tests need, when it is missing (Debian 12).
set -e
PACKAGES="cmake g++ make qt6-base-dev fonts-liberation2 xvfb xauth
    dpkg-dev file rpm lintian desktop-file-utils appstream
    openbox xdotool x11-xkb-utils x11-utils xclip weston qt6-wayland"
missing=""
for p in $PACKAGES; do
    dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
done
if [ -n "$missing" ]; then
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends $missing
fi
