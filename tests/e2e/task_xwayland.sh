#!/bin/sh
# A pupil takes a teacher's task under weston's XWayland (the desktop of
# ../common/desktop.sh): the work window maximised, the task window opened
# at Начать, closed with Esc, brought back with F9 and raised with F9 again
# from the work window, the compositor running all along and the task
# window there at the end. Debian 13's weston never showed a tool window
# there and fell over when one was shown or raised.
# usage: task_xwayland.sh PROGRAM TASKFILE
set -u
program=$1
task=$2
. "$(dirname "$0")/../common/desktop.sh"
begin_session
fail() {
    echo "FAIL: $*" >&2
    for f in "$dir"/*.log; do echo "== $f"; tail -n 20 "$f"; done >&2
    exit 1
}
start_desktop xwayland 1024x768
compositor=${pids##* }
setxkbmap -layout us,ru 2>/dev/null || fail "setxkbmap"

alive() {
    kill -0 "$compositor" 2>/dev/null || fail "the compositor is gone after $1"
}
work_has_keys() {
    xdotool getwindowfocus getwindowname 2>/dev/null | grep -q 'Ученик'
}
# A click on the work window's status bar, on the compositor's own screen,
# repeated until the work window has the keys (at most three times); false
# when it has not got them.
click_work_window() {
    for try in 1 2 3; do
        DISPLAY=$OUTER_DISPLAY xdotool mousemove 300 755 click 1
        until_ok 10 work_has_keys && return 0
    done
    return 1
}

cd "$dir"
HOME="$dir" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE= \
    "$program" "$task" >"$dir/program.log" 2>&1 &
app=$!
pids="$app $pids"

# The start window takes the keys when it appears.
until_ok 150 has_window 'Путеводка-Свободная задача" 1.1$' || fail "no start window"
sleep 1
xdotool key space
until_ok 100 has_window 'Введите фамилию и имя' || fail "Space did not open the sign-in"
sleep 0.5
type_sign_in
until_ok 100 has_window 'Ученик' || fail "no work window"
work=$(window 'Ученик')
until_ok 100 sh -c "xprop -id $work _NET_WM_STATE | grep -q MAXIMIZED_HORZ" ||
    fail "the work window is not maximised: $(xprop -id "$work" _NET_WM_STATE)"
sleep 1

click_work_window || fail "the work window does not take the keys"
xdotool key shift+F1
until_ok 100 has_window '^Задание: ' || fail "Начать opened no task window"
sleep 1
alive "Начать"
# Esc in the task window (the compositor gives it the keys), then F9 in the
# work window: shown again and raised.
xdotool windowfocus --sync "$(window '^Задание: ')" 2>/dev/null
xdotool key Escape
until_ok 50 no_window '^Задание: ' || fail "Esc did not close the task window"
click_work_window || fail "the work window does not take the keys back"
xdotool key F9
until_ok 50 has_window '^Задание: ' || fail "F9 did not bring the task window back"
sleep 1
alive "F9"
# F9 again after a click on the work window: the task window is raised if
# the work window has the keys (weston leaves them with the task window, a
# dialog window, and then F9 does nothing).
click_work_window
xdotool key F9
sleep 1.5
alive "F9 with the task window shown"
has_window '^Задание: ' || fail "the task window went with F9"
kill -0 "$app" 2>/dev/null || fail "the program is gone"
echo "PASS"
