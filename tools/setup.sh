#!/bin/sh
# Installs what the build and the tests need, when it is missing (Debian 12):
# Qt 6 and Qt 5.15, which the tests build against in turn (Qt 5's private
# headers for the tests only).
set -e
PACKAGES="cmake g++ make pkg-config qt6-base-dev qtbase5-dev qtbase5-private-dev libxcb1-dev
    qt6-translations-l10n qttranslations5-l10n fonts-liberation2 xvfb xauth
    dpkg-dev file rpm lintian desktop-file-utils appstream
    openbox xdotool x11-xkb-utils x11-utils x11-xserver-utils xclip weston qt6-wayland xwayland
    xfwm4 xfce4-panel xfconf dbus-x11"
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
