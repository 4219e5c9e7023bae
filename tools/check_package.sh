#!/bin/sh
# Checks what tools/package.sh made in build/: the desktop entry and the
# AppStream metadata validate, lintian finds no error in the .deb, both
# packages hold the program, the entry, the icons, the metadata and the
# manual page at their places, the entry names the packaged program and
# icon, and the program unpacked from the .deb starts and shows its start
# window, under the offscreen platform and on a real X server.
set -e
cd "$(dirname "$0")/.."
id=ru.putevodka.Putevodka
title='"Путеводка-Свободная задача" 1.1'
deb=$(ls build/putevodka_*_debian12_*.deb)
rpm=$(ls build/putevodka-*.rpm)
failed=0
fail() { echo "FAIL: $*"; failed=1; }

echo "== desktop-file-validate, appstreamcli validate"
desktop-file-validate "build/dist/$id.desktop"
appstreamcli validate --no-net "build/dist/$id.metainfo.xml"

echo "== lintian $deb"
lintian --fail-on error --info "$deb"

echo "== package contents"
expected="usr/bin/putevod
usr/share/applications/$id.desktop
usr/share/metainfo/$id.metainfo.xml
usr/share/man/man1/putevod.1.gz
usr/share/doc/putevodka/copyright"
for size in 16 22 24 32 48 64 128 256; do
    expected="$expected
usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
done
debfiles=$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||')
rpmfiles=$(rpm -qpl "$rpm" | sed 's|^/||')
for f in $expected; do
    echo "$debfiles" | grep -qx "$f" || fail "$deb lacks $f"
    echo "$rpmfiles" | grep -qx "$f" || fail "$rpm lacks $f"
done
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || fail "$deb does not depend on Qt Widgets"
rpm -qpR "$rpm" | grep -q libQt6Widgets || fail "$rpm does not require Qt Widgets"
rpm -qp --qf '%{DESCRIPTION}' "$rpm" | grep -q "teaching program" || fail "$rpm lacks our description"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
dpkg-deb -x "$deb" "$tmp"
desktop="$tmp/usr/share/applications/$id.desktop"
exec_name=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$tmp/usr/bin/$exec_name" ] || fail "the entry starts '$exec_name', which the package lacks"
grep -qx "Icon=$id" "$desktop" || fail "the entry's icon is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "$tmp/usr/share/metainfo/$id.metainfo.xml" || fail "the metadata does not launch $id.desktop"

echo "== the unpacked program under the offscreen platform"
# It takes no arguments and ends only when its start window is closed: it
# must still be running after a few seconds, and say nothing.
status=0
QT_QPA_PLATFORM=offscreen timeout 4 "$tmp/usr/bin/putevod" >"$tmp/out" 2>&1 || status=$?
grep -v '^QStandardPaths: XDG_RUNTIME_DIR' "$tmp/out" >"$tmp/said" || true
[ "$status" -eq 124 ] || fail "it ended by itself with status $status"
[ ! -s "$tmp/said" ] || { cat "$tmp/said"; fail "it printed messages"; }

echo "== the unpacked program on a real X server"
# The start window must be mapped, with its caption, and carry the window
# class that the desktop entry names.
xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
    QT_QPA_PLATFORM=xcb "$1" & pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$2\$" | head -n 1)
    status=1
    if [ -n "$window" ]; then
        xwininfo -id "$window" | grep -q "Map State: IsViewable" &&
        xprop -id "$window" WM_CLASS | grep -q "\"$3\"\$" && status=0
    fi
    kill "$pid"
    exit $status' check "$tmp/usr/bin/putevod" "$title" \
    "$(sed -n 's/^StartupWMClass=//p' "$desktop")" || fail "no start window on the X server"

[ "$failed" -eq 0 ] && echo "package checks passed"
exit "$failed"
