#!/bin/sh
# A pupil takes a teacher's task under a real window manager (openbox) on the
# test's own Xvfb: the task file from the command line, the task window at
# Начать (beside the field, never over it, the keys staying with the work
# window), the right algorithm built with the F-keys and run, the success
# message read from the box, then a wrong one with its message; the task
# window goes with the work window. Then a damaged task file: one message
# naming it, and the program starts without a task.
# usage: task_session.sh PROGRAM TASKFILE [SHOTS_DIR]
# TASKFILE is the shipped "Отрезок": six ШАГ from А to Б. SHOTS_DIR, when
# given, receives the screenshots.
set -u
program=$1
task=$2
shots=${3:-}
width=1024
height=768
. "$(dirname "$0")/../common/desktop.sh"
begin_session
fail() {
    echo "FAIL: $*" >&2
    [ -n "$shots" ] && import -window root "$shots/failure.png" 2>/dev/null
    exit 1
}
shot() {
    [ -n "$shots" ] && import -window root "$shots/$1.png"
    return 0
}

start_desktop openbox "${width}x${height}"
setxkbmap -layout us,ru || fail "setxkbmap"

geometry() {  # absolute X, Y, width and height of a window's client
    info=$(xwininfo -id "$1")
    echo "$(echo "$info" | sed -n 's/.*Absolute upper-left X: *//p')" \
        "$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *//p')" \
        "$(echo "$info" | sed -n 's/.*Width: *//p')" \
        "$(echo "$info" | sed -n 's/.*Height: *//p')"
}
start_program() {
    cd "$dir"
    HOME="$dir" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 QT_QPA_PLATFORMTHEME= QT_STYLE_OVERRIDE= \
        "$program" "$@" >"$dir/program.log" 2>&1 &
    app=$!
    pids="$app $pids"
}
sign_in() {
    until_ok 150 has_window 'Путеводка-Свободная задача" 1.1$' || fail "no start window"
    start=$(window 'Путеводка-Свободная задача" 1.1$')
    xdotool windowactivate --sync "$start" 2>/dev/null
    sleep 0.3
    xdotool key space
    until_ok 100 has_window 'Введите фамилию и имя' || fail "Space did not open the sign-in"
    sleep 0.3
    type_sign_in
    until_ok 100 has_window 'Ученик' || fail "no work window"
    work=$(window 'Ученик')
}
# The message box with this caption: its text, selected (a click into it,
# Ctrl+A) and copied (Ctrl+C) through the clipboard; then Enter. The click
# goes to the middle of the box's width on the text's first line: the text
# starts right of the icon, 62 pixels into the box under Qt 5.15 and 6.4, 78
# under Qt 6.8 (a larger icon), and the short verdict is wider than that. Tab
# would not do: the text takes the focus only from a click.
read_box() {
    until_ok 150 has_window "^$1\$" || fail "no box \"$1\""
    box=$(window "^$1\$")
    xdotool windowactivate --sync "$box" 2>/dev/null
    sleep 0.3
    shot "$2"
    set -- $(geometry "$box")
    xdotool mousemove $(($1 + $3 / 2)) $(($2 + 22)) click 1
    sleep 0.3
    xdotool key ctrl+a ctrl+c
    sleep 0.3
    text=$(xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null)
    xdotool key Return
    until_ok 50 no_window "^$1\$" || fail "Enter did not close the box"
}
# The very fast run: the third button of the tool bar (client 237, 34).
run_very_fast() {
    set -- $(geometry "$work")
    xdotool mousemove $(($1 + 237)) $(($2 + 34)) click 1
}

start_program "$task"
sign_in
# The frame docks a moment after the window is shown.
sleep 1
xdotool windowactivate --sync "$work" 2>/dev/null
sleep 0.3
xdotool key shift+F1
until_ok 100 has_window '^Задание: ' || fail "Начать opened no task window"
taskwin=$(window '^Задание: ')
xprop -id "$taskwin" WM_NAME | grep -q 'Задание: Отрезок' || fail "task window: $(xprop -id "$taskwin" WM_NAME)"
# Beside the field: its frame ends left of the field's frame, whose left edge
# is 33 layout units plus the command panel's 121 pixels into the client.
set -- $(geometry "$work")
wx=$1
u=$((width / 100))
field_left=$((wx + 33 * u + 121))
set -- $(geometry "$taskwin")
[ $(($1 + $3)) -lt "$field_left" ] || fail "the task window reaches the field: $* against $field_left"
sleep 0.5
shot task-window

# The keys stay with the work window: Разработка, six ШАГ, Отладка.
xdotool key shift+F2
sleep 0.3
xdotool key --delay 200 F2 F2 F2 F2 F2 F2
sleep 0.3
xdotool key shift+F3
sleep 0.3
run_very_fast
read_box 'Проверка' success
[ "$text" = "Образец воспроизведён!" ] || fail "success text: $text"
echo "success: $text"

# The task window closed (Esc in it) comes back with F9 in the work window.
xdotool windowactivate --sync "$taskwin" 2>/dev/null
sleep 0.3
xdotool key Escape
until_ok 50 no_window '^Задание: ' || fail "Esc did not close the task window"
xdotool windowactivate --sync "$work" 2>/dev/null
sleep 0.3
xdotool key F9
until_ok 50 has_window '^Задание: ' || fail "F9 did not bring the task window back"

# A wrong one: Разработка, the second ШАГ (row 5 at client 200, 146) deleted.
xdotool key shift+F2
sleep 0.3
set -- $(geometry "$work")
xdotool mousemove $(($1 + 200)) $(($2 + 146)) click 1
sleep 0.3
xdotool key Delete
sleep 0.3
xdotool key shift+F3
sleep 0.3
run_very_fast
read_box 'Проверка' failure
echo "failure: $text" | tr '\n' ' '
echo
echo "$text" | grep -q 'Не нарисовано отрезков образца: 1' || fail "failure text: $text"
sleep 0.5
shot failure-marks

# The work window's close box: the question (Нет), then both windows go.
xdotool windowactivate --sync "$work" 2>/dev/null
xdotool mousemove 0 0 mousemove $((width - 6)) 9 click 1
until_ok 100 has_window '^PUTEVOD_FREE$' || fail "closing a changed listing asked nothing"
xdotool key Tab Return 2>/dev/null  # Нет
until_ok 100 no_window 'Ученик' || fail "the work window stayed"
until_ok 50 no_window '^Задание: ' || fail "the task window stayed after the work window"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null

# A damaged task file: one message naming it, then the start window as usual.
printf 'not a task\n' >"$dir/broken.task"
start_program "$dir/broken.task"
until_ok 150 has_window '^Задание не открыто$' || fail "no message about the damaged file"
read_box 'Задание не открыто' broken-file
echo "$text" | grep -q 'broken.task' || fail "the message names no file: $text"
until_ok 150 has_window 'Путеводка-Свободная задача" 1.1$' || fail "no start window after the message"
echo "PASS"
