#!/bin/sh
# Builds the program and runs its whole test suite inside Debian roots older
# and newer than the build machine: Debian 11 (bullseye: GCC 10, CMake 3.18,
# Qt 5.15) and Debian 13 (trixie: GCC 14, Qt 6.8). Each root is made with
# debootstrap on first use and kept between runs in $PUTEVOD_MATRIX_DIR
# (default /var/cache/putevodka/matrix), outside the repository.
#
# Prints one line per system: compiler, Qt, tests passed and failed. A
# system whose root cannot be made, or whose build fails, gets a line that
# says what failed, and the next system is tried; the exit status is not zero
# unless every system was built and passed every test.
#
# usage: tools/matrix.sh [--roots-only] [--deb] [SYSTEM...]
#   SYSTEM        bullseye, trixie (default: both)
#   --roots-only  only make (or bring up to date) the roots
#   --deb         also build the Qt 5 .deb inside the bullseye root
#                 (tools/package.sh --qt5 does this and copies it to build/)
# Needs root (debootstrap, chroot, mounts) and network access to the archive.
set -u
cd "$(dirname "$0")/.."
src=$(pwd)
dir=${PUTEVOD_MATRIX_DIR:-/var/cache/putevodka/matrix}
mirror=${PUTEVOD_MATRIX_MIRROR:-http://deb.debian.org/debian}
jobs=${PUTEVOD_MATRIX_JOBS:-2}

roots_only=0
deb=0
systems=""
for a in "$@"; do
    case $a in
        --roots-only) roots_only=1 ;;
        --deb) deb=1 ;;
        bullseye|trixie) systems="$systems $a" ;;
        *) echo "usage: $0 [--roots-only] [--deb] [bullseye|trixie]..." >&2; exit 2 ;;
    esac
done
[ -n "$systems" ] || systems="bullseye trixie"

# What each root needs to build and run every test (the same as
# tools/setup.sh, for that system's Qt).
common="cmake g++ make pkg-config libxcb1-dev fonts-liberation2 xvfb xauth openbox xdotool
    x11-xkb-utils x11-utils x11-xserver-utils xclip weston xwayland xfwm4 xfce4-panel xfconf
    dbus-x11 dpkg-dev file ca-certificates"
packages() {
    case $1 in
        bullseye) echo "$common qtbase5-dev qtbase5-private-dev qttranslations5-l10n" ;;
        trixie) echo "$common qt6-base-dev qt6-wayland qt6-translations-l10n" ;;
    esac
}
label() {
    case $1 in
        bullseye) echo "Debian 11" ;;
        trixie) echo "Debian 13" ;;
    esac
}

# Runs a command in a root, with /proc, /dev and /sys of its own mount
# namespace: they go away with the command, whatever happens to it.
in_root() {
    r=$1
    shift
    unshare --mount --propagation private sh -c '
        r=$1; shift
        mount -t proc proc "$r/proc" &&
        mount --rbind /dev "$r/dev" &&
        mount -t sysfs sys "$r/sys" &&
        mount -t tmpfs tmpfs "$r/tmp" &&
        mount -t tmpfs tmpfs "$r/dev/shm" &&
        exec chroot "$r" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin \
            LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive "$@"' sh "$r" "$@"
}

# Makes the root of system $1 (or installs what it lacks); its log is
# $dir/$1.log. A root is only used once it is marked ready.
make_root() {
    sys=$1
    root=$dir/$sys/root
    log=$dir/$sys.log
    mkdir -p "$dir/$sys"
    if [ ! -e "$root/.putevod-bootstrapped" ]; then
        rm -rf "$root"
        echo "== debootstrap $sys $(date -u)" >>"$log"
        nice -n 10 debootstrap --variant=minbase "$sys" "$root" "$mirror" >>"$log" 2>&1 ||
            return 1
        touch "$root/.putevod-bootstrapped"
    fi
    want=$(packages "$sys")
    if [ "$(cat "$root/.putevod-ready" 2>/dev/null)" != "$(echo $want)" ]; then
        echo "== apt-get install $(date -u)" >>"$log"
        in_root "$root" sh -c "apt-get update && nice -n 10 apt-get install -y \
            --no-install-recommends $(echo $want)" >>"$log" 2>&1 || return 1
        echo $want >"$root/.putevod-ready"
    fi
}

for t in debootstrap unshare chroot; do
    if ! command -v $t >/dev/null 2>&1; then
        for sys in $systems; do
            echo "$(label $sys) ($sys): FAILED: $t is missing"
        done
        exit 1
    fi
done
if [ "$(id -u)" -ne 0 ]; then
    echo "$0: needs root (debootstrap, chroot)" >&2
    exit 1
fi
mkdir -p "$dir" || exit 1

failed=0
for sys in $systems; do
    root=$dir/$sys/root
    line="$(label $sys) ($sys):"
    if ! make_root "$sys"; then
        echo "$line FAILED making the root (see $dir/$sys.log)"
        failed=1
        continue
    fi
    [ $roots_only = 1 ] && { echo "$line root ready"; continue; }
    echo "$line ..." >&2
    # This working tree's files (what git knows of, as they are now), built
    # in a folder of the root. They are copied with the time of the copy:
    # their own times may be older than the last build's objects, which make
    # would then keep.
    rm -rf "$root/src"
    mkdir -p "$root/src"
    git ls-files -z --cached --others --exclude-standard |
        tar --null -T - -cf - | tar -xmf - -C "$root/src" || {
        echo "$line FAILED copying the sources"; failed=1; continue; }
    run_log=$dir/$sys.run.log
    : >"$run_log"
    compiler=$(in_root "$root" g++ -dumpfullversion 2>/dev/null)
    if ! in_root "$root" sh -c 'cd /src && cmake -S . -B /build -DCMAKE_BUILD_TYPE=RelWithDebInfo' \
            >>"$run_log" 2>&1; then
        echo "$line GCC $compiler: FAILED at cmake (see $run_log)"
        failed=1
        continue
    fi
    qt=$(sed -n 's/^PUTEVOD_QT_VERSION:[A-Z]*=//p' "$root/build/CMakeCache.txt")
    if ! in_root "$root" nice -n 5 cmake --build /build -j"$jobs" >>"$run_log" 2>&1; then
        echo "$line GCC $compiler, Qt $qt: FAILED building (see $run_log)"
        failed=1
        continue
    fi
    in_root "$root" sh -c 'cd /build && ctest -j'"$jobs"' --output-on-failure' \
        >>"$run_log" 2>&1
    summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests failed out of [0-9]+' "$run_log" | tail -1)
    if [ -z "$summary" ]; then
        echo "$line GCC $compiler, Qt $qt: FAILED running the tests (see $run_log)"
        failed=1
        continue
    fi
    total=${summary##* out of }
    bad=$(echo "$summary" | sed 's/.* tests passed, \([0-9]*\) tests failed.*/\1/')
    echo "$line GCC $compiler, Qt $qt: $((total - bad)) of $total tests passed, $bad failed"
    [ "$bad" -eq 0 ] || failed=1
    if [ $deb = 1 ] && [ $sys = bullseye ]; then
        if in_root "$root" sh -c 'cd /build && rm -f putevodka*.deb && cpack -G DEB' \
                >>"$run_log" 2>&1; then
            echo "$line .deb: $(cd "$root/build" && ls putevodka*.deb)"
        else
            echo "$line FAILED making the .deb (see $run_log)"
            failed=1
        fi
    fi
done
exit $failed
