#!/bin/sh
# Runs a program on a desktop of its own (see ../common/desktop.sh):
# usage: desktop_run.sh KIND WIDTHxHEIGHT DPI PROGRAM [ARGS...]   (DPI 0: none set)
# The program learns the desktop from PUTEVOD_SCREENS_DESKTOP and, where a
# window manager tells it, the area a docked window must fill from
# PUTEVOD_SCREENS_AREA (x,y,width,height in device pixels): the work area
# less every strip a panel or dock reserves, as xprop reads them.
set -u
kind=$1
size=$2
dpi=$3
shift 3
. "$(dirname "$0")/../common/desktop.sh"
begin_session
fail() {
    echo "FAIL: $*" >&2
    for f in "$dir"/*.log; do echo "== $f"; tail -n 20 "$f"; done >&2
    exit 1
}
[ "$dpi" = 0 ] && dpi=""
start_desktop "$kind" "$size" "$dpi"

if [ "$kind" != xwayland ]; then
    width=${size%x*}
    height=${size#*x}
    area=$(xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | sed 's/,//g' | cut -d ' ' -f 1-4)
    [ -n "$area" ] || area="0 0 $width $height"
    set -- $area "$@"
    left=$1 top=$2 right=$(($1 + $3)) bottom=$(($2 + $4))
    shift 4
    for w in $(xprop -root _NET_CLIENT_LIST | sed 's/.*#//; s/,//g'); do
        strut=$(xprop -id "$w" _NET_WM_STRUT_PARTIAL | sed -n 's/.*= //p' | sed 's/,//g')
        [ -n "$strut" ] || continue
        set -- $strut "$@"
        [ "$1" -gt 0 ] && [ "$1" -gt "$left" ] && left=$1
        [ "$2" -gt 0 ] && [ $((width - $2)) -lt "$right" ] && right=$((width - $2))
        [ "$3" -gt 0 ] && [ "$3" -gt "$top" ] && top=$3
        [ "$4" -gt 0 ] && [ $((height - $4)) -lt "$bottom" ] && bottom=$((height - $4))
        shift 12
    done
    PUTEVOD_SCREENS_AREA="$left,$top,$((right - left)),$((bottom - top))"
    export PUTEVOD_SCREENS_AREA
    echo "area for the docked window: $PUTEVOD_SCREENS_AREA"
fi
# Qt takes its scale factor from Xft.dpi (Qt 5 only when asked to).
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
PUTEVOD_SCREENS_DESKTOP=$kind QT_ENABLE_HIGHDPI_SCALING=1 QT_QPA_PLATFORM=xcb QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE= \
    HOME="$dir" "$@" &
app=$!
pids="$app $pids"
wait "$app"
