#!/bin/sh
# One pupil's session through the program's real windows, driven from
# outside with xdotool on the X server in $DISPLAY (an Xvfb with openbox and
# the us,ru layouts, as tests/windows/wine_test.sh starts it): Start, the
# sign-in typed with Cyrillic keysyms, Начать, Разработка, a listing built
# with F2, F3, F4, F7 (closed with Esc) and F8 (Enter on its first button),
# Отладка, the very fast run ending in the wall error box, saving through
# the file dialog, a change, loading the saved file through the dialog (Нет
# to the question), saving again, closing both windows.
#
# The same keys and clicks drive the Linux program and the Windows one under
# Wine, so their files can be compared byte for byte. Wine runs in the
# ru_RU.UTF-8 locale: a Russian Windows, with its own dialogs in Russian and
# 1251 as the system's code page. Screenshots of every
# stage go to OUT.
#
# usage: pupil_session.sh linux|wine PROGRAM OUT
#   OUT/first.txt   the listing as saved after the run
#   OUT/second.txt  the same listing saved again after loading first.txt
set -u
mode=$1
program=$2
out=$3
mkdir -p "$out"
rm -f "$out/first.txt" "$out/second.txt"
app=""
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    return 0
}
trap cleanup EXIT INT TERM
fail() {
    import -window root "$out/failed.png" 2>/dev/null
    echo "FAIL ($mode): $*" >&2
    exit 1
}
# until_ok, window, has_window, no_window (Wine is slow to open a window on
# a busy machine: the waits are long).
. "$(dirname "$0")/../common/desktop.sh"
shot() {
    sleep 0.5
    import -window root "$out/$1.png" || fail "screenshot $1"
}
keys() {
    xdotool key --delay 150 "$@"
    sleep 0.3
}
activate_work() {
    xdotool windowactivate --sync "$work" 2>/dev/null
    sleep 0.5
}
# Clicks at a point of the work window's client area.
click_work() {
    xdotool mousemove --window "$work" "$1" "$2" sleep 0.2 click "${3:-1}"
    sleep 0.3
}
# A file name for the program: a Windows one under Wine.
program_path() {
    if [ "$mode" = wine ]; then winepath -w "$1"; else echo "$1"; fi
}
# Types a file name into the open file dialog (its name box has the focus)
# and accepts it.
type_file_name() {
    sleep 1
    xdotool key End shift+Home BackSpace
    xdotool type --delay 40 "$(program_path "$1")"
    sleep 0.3
    xdotool key Return
}

cd "$out"
if [ "$mode" = wine ]; then
    env LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 wine "$program" >"$out/program.log" 2>&1 &
else
    HOME="$out" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE= \
        "$program" >"$out/program.log" 2>&1 &
fi
app=$!

# ---- Start and sign-in -------------------------------------------------------
until_ok 600 has_window 'Путеводка-Свободная задача" 1.1$' || fail "no start window"
start=$(window 'Путеводка-Свободная задача" 1.1$')
shot 01-start
xdotool windowactivate --sync "$start" 2>/dev/null
sleep 0.5
keys space
until_ok 300 has_window 'Введите фамилию и имя' || fail "Space did not open the sign-in"
sleep 0.5
keys Cyrillic_i Cyrillic_ve Cyrillic_a Cyrillic_en
keys Return
keys Cyrillic_pe Cyrillic_ie Cyrillic_te Cyrillic_ya
shot 02-signin
keys Return Return
until_ok 300 has_window 'Ученик' || fail "no work window"
work=$(window 'Ученик')
caption=$(xprop -id "$work" _NET_WM_NAME)
echo "$caption" | grep -q 'Иван Петя' || fail "work window caption: $caption"
xdotool windowactivate --sync "$work" 2>/dev/null
sleep 0.5
shot 03-work

# ---- Начать, Разработка, the listing ------------------------------------------
keys shift+F1
keys shift+F2
keys F7
shot 04-branch-panel
keys Escape
# 11 steps to the last column, four quarter turns, a loop while a wall is
# ahead (the loop panel's first button) with a jump in it: the jump hits
# the wall.
keys F2 F2 F2 F2 F2 F2 F2 F2 F2 F2 F2
keys F4 F4 F4 F4
keys F8
shot 05-loop-panel
keys Return
keys F3
shot 06-listing

# ---- Отладка and the very fast run -------------------------------------------
keys shift+F3
click_work 236 33  # the tool bar's third button: the very fast speed
until_ok 300 has_window '^Error$' || fail "the run ended without the wall error box"
shot 07-wall-error
keys Return
until_ok 300 no_window '^Error$' || fail "OK did not close the wall error box"
shot 08-after-run

# ---- Saving, a change, loading, saving again ----------------------------------
keys shift+F2
click_work 290 560 3  # the listing's context menu, below its lines
keys Up Up Return       # its last items: save, load
until_ok 300 has_window 'Сохранить алгоритм в файле' || fail "no save dialog"
shot 09-save-dialog
type_file_name "$out/first.txt"
until_ok 300 test -s "$out/first.txt" || fail "the algorithm was not saved"
until_ok 300 no_window 'Сохранить алгоритм в файле' || fail "the save dialog stayed open"
# Wine under openbox leaves the closed dialog's frame the active window: the
# pupil clicks the work window's caption to go on.
activate_work

keys F2  # a change: loading now asks first
click_work 290 560 3
keys Up Return
until_ok 300 has_window '^PUTEVOD_FREE$' || fail "loading over a changed listing asked nothing"
shot 10-question
keys Tab Return  # Нет
until_ok 300 has_window 'Укажите имя открываемого файла' || fail "no open dialog"
shot 11-open-dialog
type_file_name "$out/first.txt"
until_ok 300 no_window 'Укажите имя открываемого файла' || fail "the open dialog stayed open"
shot 12-loaded

click_work 290 560 3
keys Up Up Return
until_ok 300 has_window 'Сохранить алгоритм в файле' || fail "no second save dialog"
type_file_name "$out/second.txt"
until_ok 300 test -s "$out/second.txt" || fail "the loaded algorithm was not saved"
sleep 0.5

# ---- Closing -------------------------------------------------------------------
xdotool windowactivate --sync "$work" 2>/dev/null
keys alt+F4
until_ok 300 no_window 'Ученик' || fail "the work window did not close"
xdotool windowactivate --sync "$start" 2>/dev/null
sleep 0.3
keys alt+F4
until_ok 300 sh -c "! kill -0 $app" || fail "closing the start window did not end the program"
wait "$app"
status=$?
app=""
[ $status -eq 0 ] || fail "exit status $status"
cmp -s "$out/first.txt" "$out/second.txt" || fail "the loaded listing differs from the saved one"
echo "PASS ($mode): $(wc -c <"$out/first.txt") bytes saved, loaded and saved again"
