#!/bin/sh
# The Windows build tested under Wine, on its own Xvfb (1024 x 768) with
# openbox, in its own Wine prefix under the build folder:
#
# 1. the Qt Test programs that need no X server, as .exe files (ctest runs
#    them through Wine, on Qt's offscreen platform);
# 2. the installer, silently (/S): the program, its files, the Start-menu
#    entry and the uninstall entry are there, and the installed program
#    shows its start window;
# 3. one pupil's session through the installed program's real windows
#    (pupil_session.sh), and the same session through the Linux build: the
#    files they save are byte for byte the same;
# 4. the uninstaller, silently: nothing of the program is left.
#
# Screenshots go to BUILD/wine-shots.
# usage: wine_test.sh BUILD INSTALLER [LINUX_PROGRAM]
set -u
build=$(cd "$1" && pwd)
installer=$2
linux_program=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
shots="$build/wine-shots"
rm -rf "$shots"
mkdir -p "$shots"
# Our own Wine prefix (and so our own wineserver, which cleanup ends).
WINEPREFIX="$build/wine"
WINEARCH=win64
WINEDEBUG=-all
# No .NET and no HTML engine: Wine would offer to download them.
WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX WINEARCH WINEDEBUG WINEDLLOVERRIDES
pids=""
cleanup() {
    wineserver -k 2>/dev/null
    for p in $pids; do kill "$p" 2>/dev/null; done
    for p in $pids; do wait "$p" 2>/dev/null; done
    return 0
}
trap cleanup EXIT INT TERM
fail() {
    echo "wine_test: $*" >&2
    exit 1
}

# ---- The X server, the window manager, Wine -----------------------------------
dir=$shots  # the desktop's logs
. "$here/../common/desktop.sh"
start_desktop openbox 1024x768
setxkbmap -layout us,ru || fail "setxkbmap failed (apt-get install x11-xkb-utils)"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine_test: making the Wine prefix $WINEPREFIX"
    timeout 600 wineboot --init >"$shots/wineboot.log" 2>&1 \
        || fail "Wine cannot start (wineboot failed, see $shots/wineboot.log; apt-get install wine wine64)"
fi
wineserver -p 2>/dev/null
wine cmd /c exit 0 >/dev/null 2>&1 || fail "Wine cannot start (wine cmd failed; apt-get install wine wine64)"

# ---- The program file -------------------------------------------------------
# A windowed program (no console) that needs no DLL beside it: every DLL it
# imports is one of Windows' own (Wine has them all in system32).
info=$(x86_64-w64-mingw32-objdump -p "$build/putevod.exe") || fail "cannot read putevod.exe"
echo "$info" | grep -q '^Subsystem.*(Windows GUI)' || fail "putevod.exe is not a windowed program"
system32="$WINEPREFIX/drive_c/windows/system32"
for dll in $(echo "$info" | sed -n 's/^[[:space:]]*DLL Name: *//p' | tr 'A-Z' 'a-z' | sort -u); do
    [ -e "$system32/$dll" ] || fail "putevod.exe needs $dll, which Windows does not have"
done
python3 - "$build/putevod.exe" <<'PY' || fail "putevod.exe has no version resource naming the program"
import sys
data = open(sys.argv[1], "rb").read()
for text in ("OriginalFilename", "putevod.exe", "ProductName", "Путеводка"):
    if text.encode("utf-16-le") not in data:
        sys.exit(1)
PY

# ---- 1. The tests as .exe files ---------------------------------------------
echo "wine_test: the tests under Wine"
# Qt's offscreen platform on Windows reads its fonts from one folder: the
# Liberation fonts, which stand in for the Windows ones as on Linux.
fonts=/usr/share/fonts/truetype/liberation2
[ -d "$fonts" ] || fail "no $fonts (apt-get install fonts-liberation2)"
(cd "$build" && WINEQT_QPA_FONTDIR="$(winepath -w "$fonts")" ctest --output-on-failure -j2) \
    || fail "tests failed under Wine"

# ---- 2. The installer --------------------------------------------------------
echo "wine_test: the installer"
timeout 300 wine "$installer" /S || fail "the installer failed"
profile=$(winepath -u "$(wine cmd /c 'echo %USERPROFILE%' 2>/dev/null | tr -d '\r')")
appdata=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' 2>/dev/null | tr -d '\r')")
target="$profile/AppData/Local/Programs/Putevodka"
for f in putevod.exe LICENSE.txt REBUILD.txt licences/LICENSE.LGPL3.txt licences/THIRD-PARTY.txt uninstall.exe; do
    [ -s "$target/$f" ] || fail "the installer did not install $f (in $target)"
done
link="$appdata/Microsoft/Windows/Start Menu/Programs/Путеводка.lnk"
[ -s "$link" ] || fail "no Start-menu entry: $link"
# The uninstall entry, read as a .reg file (UTF-16: Wine's console would
# write the name in its own code page).
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Putevodka'
wine reg export "$key" "$(winepath -w "$shots/uninstall.reg")" /y >/dev/null 2>&1 \
    || fail "no uninstall entry for the user"
iconv -f UTF-16 -t UTF-8 "$shots/uninstall.reg" | grep -q '"DisplayName"="Путеводка"' \
    || fail "the uninstall entry does not name the program: $(iconv -f UTF-16 -t UTF-8 "$shots/uninstall.reg")"
cmp -s "$target/putevod.exe" "$build/putevod.exe" || fail "the installed program is not the one built"

# ---- 3. The session, under Wine and under Linux -------------------------------
echo "wine_test: the pupil's session under Wine"
sh "$here/pupil_session.sh" wine "$target/putevod.exe" "$shots/wine" || fail "the session under Wine failed"
if [ -n "$linux_program" ]; then
    echo "wine_test: the same session with the Linux build"
    sh "$here/pupil_session.sh" linux "$linux_program" "$shots/linux" || fail "the session under Linux failed"
    cmp "$shots/wine/first.txt" "$shots/linux/first.txt" \
        || fail "the file saved under Wine differs from the Linux build's"
    echo "wine_test: the saved files are the same ($(wc -c <"$shots/wine/first.txt") bytes)"
fi

# ---- 4. The uninstaller ------------------------------------------------------
echo "wine_test: the uninstaller"
timeout 300 wine "$target/uninstall.exe" /S || fail "the uninstaller failed"
# It copies itself to a temporary folder and finishes from there.
until_ok 300 test ! -e "$target/putevod.exe" || fail "the uninstaller left putevod.exe"
until_ok 100 test ! -e "$link" || fail "the uninstaller left the Start-menu entry"
until_ok 100 test ! -e "$target" || fail "the uninstaller left $target"
wine reg query "$key" >/dev/null 2>&1 && fail "the uninstaller left the uninstall entry"
echo "wine_test: PASS (screenshots in $shots)"
