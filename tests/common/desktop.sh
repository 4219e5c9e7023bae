# A desktop on the test's own Xvfb, and the lookups of its windows, for the
# session scripts (sourced).
# start_desktop KIND WIDTHxHEIGHT [DPI] starts the X server and the desktop
# and exports DISPLAY: the display the program is to use.
#   openbox  openbox alone
#   xfce     xfwm4 with xfce4-panel's default panels on a session bus, the
#            bottom dock set never to hide (it then reserves its strip)
#   xwayland weston's X11 back end in a window of the Xvfb, with XWayland:
#            DISPLAY is then XWayland's, OUTER_DISPLAY the Xvfb's
# DPI sets Xft.dpi (96 a scale of 1, 192 of 2). The caller sets dir (a
# temporary folder) and pids (the processes to end), as begin_session does,
# and defines fail.

# A session's temporary folder (dir) and processes (pids): when the script
# ends, the processes are ended and the folder removed.
begin_session() {
    dir=$(mktemp -d)
    pids=""
    trap end_session EXIT INT TERM
}
end_session() {
    for p in $pids; do kill "$p" 2>/dev/null; done
    for p in $pids; do wait "$p" 2>/dev/null; done
    rm -rf "$dir"
}

# Waits up to $1 tenths of a second for the command to succeed.
until_ok() {
    n=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        n=$((n - 1))
        [ $n -gt 0 ] || return 1
        sleep 0.1
    done
}

# The id of the visible window with this name (a pattern), and whether there
# is one.
window() {
    xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}
has_window() {
    test -n "$(window "$1")"
}
no_window() {
    test -z "$(window "$1")"
}

start_desktop() {
    kind=$1
    size=$2
    dpi=${3:-}
    # -noreset keeps the keyboard layout and resources when clients leave.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
    pids="$pids $!"
    until_ok 100 test -s "$dir/display" || fail "Xvfb did not start"
    DISPLAY=":$(cat "$dir/display")"
    OUTER_DISPLAY=$DISPLAY
    export DISPLAY OUTER_DISPLAY
    [ -z "$dpi" ] || echo "Xft.dpi: $dpi" | xrdb -merge || fail "xrdb"
    case $kind in
    openbox)
        openbox --sm-disable >"$dir/openbox.log" 2>&1 &
        pids="$pids $!"
        ;;
    xfce)
        # Its own session bus, settings and panels (the defaults of a new user);
        # no accessibility bus, which would outlive the test.
        mkdir -p "$dir/home"
        NO_AT_BRIDGE=1
        export NO_AT_BRIDGE
        eval "$(HOME=$dir/home dbus-launch --sh-syntax)"
        pids="$pids $DBUS_SESSION_BUS_PID"
        export DBUS_SESSION_BUS_ADDRESS
        HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config xfwm4 --compositor=off >"$dir/xfwm4.log" 2>&1 &
        pids="$pids $!"
        HOME=$dir/home XDG_CONFIG_HOME=$dir/home/.config xfce4-panel >"$dir/panel.log" 2>&1 &
        pids="$pids $!"
        # The dock set never to hide: its strip at the bottom is then reserved.
        # Set again until the strip is there (the panel may still be writing
        # its defaults over the setting).
        dock_reserves() {
            HOME="$dir/home" xfconf-query -c xfce4-panel -p /panels/panel-2/autohide-behavior -s 0 || return 1
            sleep 0.5
            for w in $(xprop -root _NET_CLIENT_LIST | sed 's/.*#//; s/,//g'); do
                xprop -id "$w" _NET_WM_STRUT_PARTIAL
            done | grep -q '= 0, 0, 0, [1-9]'
        }
        until_ok 60 dock_reserves || fail "the dock reserves nothing"
        ;;
    xwayland)
        chmod 700 "$dir"
        XDG_RUNTIME_DIR=$dir weston --backend=x11-backend.so --use-pixman --width="${size%x*}" \
            --height="${size#*x}" --socket="wayland-putevod-$$" --idle-time=0 \
            --xwayland >"$dir/weston.log" 2>&1 &
        pids="$pids $!"
        until_ok 150 grep -q "xserver listening on display" "$dir/weston.log" || fail "weston has no XWayland"
        DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$dir/weston.log" | head -n 1)
        export DISPLAY
        ;;
    *) fail "unknown desktop $kind" ;;
    esac
    until_ok 150 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' || fail "no window manager"
}

# The sign-in as a pupil types it into the open sign-in dialog: "Иван" and
# "Петя" as Cyrillic keysyms (the us,ru layouts set), Enter after each and
# once more on Готово.
type_sign_in() {
    xdotool key --delay 150 Cyrillic_i Cyrillic_ve Cyrillic_a Cyrillic_en
    xdotool key Return
    xdotool key --delay 150 Cyrillic_pe Cyrillic_ie Cyrillic_te Cyrillic_ya
    xdotool key Return Return
}
