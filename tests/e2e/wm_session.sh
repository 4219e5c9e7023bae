#!/bin/sh
# A pupil's visit under a real window manager (openbox) on the test's own
# Xvfb: the work window's frame docked at the work area's top-left over its
# full width, no maximise or resize offered, the close box, the question
# about a changed listing (Отмена keeps the window, Да saves and closes),
# and a start window that cannot open the sign-in a second time. The start
# window lies wholly on the screen, and every window carries the program's
# icon for task bars.
# usage: wm_session.sh PROGRAM WIDTHxHEIGHT
set -u
program=$1
size=$2
width=${size%x*}
height=${size#*x}
. "$(dirname "$0")/../common/desktop.sh"
begin_session
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
start_desktop openbox "$size"
setxkbmap -layout us,ru || fail "setxkbmap"

cd "$dir"
HOME="$dir" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE= \
    "$program" >"$dir/program.log" 2>&1 &
app=$!
pids="$app $pids"

allowed() {  # the actions the window manager offers on a window
    xprop -id "$1" _NET_WM_ALLOWED_ACTIONS
}
has_icon() {  # the window carries an icon of at least 16 x 16 pixels
    xprop -id "$1" _NET_WM_ICON | grep -Eq 'Icon \((1[6-9]|[2-9][0-9]|[1-9][0-9][0-9]+) x' \
        || fail "$2 has no icon: $(xprop -id "$1" _NET_WM_ICON | head -c 100)"
}
no_maximise_or_resize() {
    a=$(allowed "$1")
    echo "$a" | grep -q _NET_WM_ACTION_CLOSE || fail "$2: no close action: $a"
    echo "$a" | grep -q -e _NET_WM_ACTION_MAXIMIZE -e _NET_WM_ACTION_RESIZE && fail "$2 offers: $a"
    return 0
}

until_ok 150 has_window 'Путеводка-Свободная задача" 1.1$' || fail "no start window"
start=$(window 'Путеводка-Свободная задача" 1.1$')
has_icon "$start" "the start window"
# Wholly on the screen, frame and status bar included.
on_screen() {
    win=$1
    ext=$(xprop -id "$win" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    [ -n "$ext" ] || return 1
    set -- $ext
    info=$(xwininfo -id "$win")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
    echo "frame extents $*, client ${w}x$h at $x,$y" >"$dir/start"
    [ $((x - $1)) -ge 0 ] && [ $((y - $3)) -ge 0 ] && [ $((x + w + $2)) -le "$width" ] \
        && [ $((y + h + $4)) -le "$height" ]
}
until_ok 50 on_screen "$start" || fail "the start window is not wholly shown: $(cat "$dir/start" 2>/dev/null)"
echo "start window: $(cat "$dir/start")"
xdotool windowactivate --sync "$start" 2>/dev/null
sleep 0.3
xdotool key space
until_ok 100 has_window 'Введите фамилию и имя' || fail "Space did not open the sign-in"
signin=$(window 'Введите фамилию и имя')
has_icon "$signin" "the sign-in dialog"
until_ok 50 sh -c "xprop -id $signin _NET_WM_ALLOWED_ACTIONS | grep -q CLOSE" || fail "sign-in not managed"
no_maximise_or_resize "$signin" "the sign-in dialog"
sleep 0.3
type_sign_in

until_ok 100 has_window 'Ученик' || fail "no work window"
work=$(window 'Ученик')
has_icon "$work" "the work window"
xprop -id "$work" WM_NAME | grep -q 'Иван Петя' || fail "caption: $(xprop -id "$work" WM_NAME)"

# The frame, title bar included, at the work area's top-left, as wide as
# the work area (Xvfb has no panels: the work area is the screen).
docked() {
    ext=$(xprop -id "$work" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    [ -n "$ext" ] || return 1
    set -- $ext
    l=$1 r=$2 t=$3 b=$4
    info=$(xwininfo -id "$work")
    x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
    w=$(echo "$info" | sed -n 's/.*Width: *//p')
    h=$(echo "$info" | sed -n 's/.*Height: *//p')
    echo "frame extents $l $r $t $b, client ${w}x$h at $x,$y" >"$dir/docked"
    [ $((x - l)) -eq 0 ] && [ $((y - t)) -eq 0 ] && [ $((w + l + r)) -eq "$width" ] \
        && [ $((y + h + b)) -le "$height" ]
}
until_ok 50 docked || fail "not docked: $(cat "$dir/docked" 2>/dev/null)"
echo "work window: $(cat "$dir/docked")"
no_maximise_or_resize "$work" "the work window"

# Начать, Разработка, ШАГ: the listing has changed.
xdotool windowactivate --sync "$work" 2>/dev/null
sleep 0.3
xdotool key shift+F1
sleep 0.3
xdotool key shift+F2
sleep 0.3
xdotool key F2
sleep 0.3

# The close box: the rightmost button of the title bar.
close_box() {
    xdotool mousemove 0 0 mousemove $((width - 6)) 9 click 1
}
close_box
until_ok 100 has_window '^PUTEVOD_FREE$' || fail "closing a changed listing asked nothing"
question=$(window '^PUTEVOD_FREE$')
has_icon "$question" "the question box"
no_maximise_or_resize "$question" "the question box"
xdotool key Escape  # Отмена
until_ok 50 no_window '^PUTEVOD_FREE$' || fail "Отмена did not close the question"
sleep 0.5
[ -n "$(window 'Ученик')" ] || fail "Отмена closed the work window"

# Again; Да opens the save dialog with NoName, the file is written, the window closes.
close_box
until_ok 100 has_window '^PUTEVOD_FREE$' || fail "no question the second time"
xdotool key Return  # Да
until_ok 100 has_window 'Сохранить алгоритм в файле' || fail "Да opened no save dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 50 "$dir/saved.txt"
xdotool key Return
until_ok 100 test -s "$dir/saved.txt" || fail "the algorithm was not saved"
until_ok 100 no_window 'Ученик' || fail "the work window stayed after saving"
grep -c . "$dir/saved.txt" | grep -qx 6 || fail "saved file: $(od -c "$dir/saved.txt" | head)"

# The start window, after the visit: Space and Enter open nothing.
xdotool windowactivate --sync "$start" 2>/dev/null
sleep 0.3
xdotool key space Return
sleep 1
[ -z "$(window 'Введите фамилию и имя')" ] || fail "the sign-in opened a second time"

# Its close box ends the program.
xdotool windowactivate --sync "$start" 2>/dev/null
info=$(xwininfo -id "$start")
x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')
y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')
w=$(echo "$info" | sed -n 's/.*Width: *//p')
xdotool mousemove 0 0 mousemove $((x + w - 6)) $((y - 11)) click 1
until_ok 100 sh -c "! kill -0 $app" || fail "the start window's close box did not end the program"
wait "$app"
status=$?
[ $status -eq 0 ] || fail "exit status $status"
echo "PASS"
