#!/bin/sh
# Cross-builds the Windows program on Debian 12 with MinGW-w64 against a
# static, minimal Qt 5.15 built from Debian's own qtbase source package.
#
#   sh tools/windows.sh --qt     only makes (or checks) the cached cross Qt
#
# The cross Qt is built once and kept outside the repository, in
# $PUTEVOD_WINDOWS_DIR (default /var/cache/putevodka/windows), under a name made
# of the source version and a hash of its configuration, so that a change of
# either builds a new one instead of reusing the old.
set -e
cd "$(dirname "$0")/.."
ROOT="$PWD"
CACHE="${PUTEVOD_WINDOWS_DIR:-/var/cache/putevodka/windows}"
JOBS="$(nproc)"

fail() { echo "windows.sh: $*" >&2; exit 1; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo

# The configuration of the cross Qt. Everything the program and its tests do
# not use is left out; the third-party libraries Qt needs are its bundled ones.
QT_CONFIG="-xplatform win32-g++ -device-option CROSS_COMPILE=x86_64-w64-mingw32-
 -static -static-runtime -release -opensource -confirm-license
 -nomake examples -nomake tests -no-compile-examples
 -no-opengl -no-dbus -no-openssl -no-icu -no-fontconfig
 -no-sql-sqlite -no-sql-odbc -no-sql-psql -no-sql-mysql -no-sql-ibase -no-sql-db2 -no-sql-oci -no-sql-tds -no-sql-sqlite2
 -no-feature-tabletevent -no-feature-sql
 -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-pcre -qt-harfbuzz
 -no-pch"

need_packages() {
    missing=""
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    $SUDO apt-get update >/dev/null 2>&1 || fail "apt-get update failed; check the package sources"
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends \
        -o DPkg::Lock::Timeout=600 $missing >/dev/null \
        || fail "could not install:$missing (apt-get install$missing)"
}

# The same archive as the binary packages, for 'apt-get source'.
add_source_entry() {
    list=/etc/apt/sources.list.d/putevodka-src.sources
    if ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        uris="$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n1)"
        [ -n "$uris" ] || uris="http://deb.debian.org/debian"
        $SUDO sh -c "printf 'Types: deb-src\nURIs: %s\nSuites: bookworm bookworm-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' '$uris' > $list"
        $SUDO apt-get update >/dev/null 2>&1 || fail "apt-get update failed after adding $list"
    fi
}

qt_source_version() {
    apt-cache showsrc qtbase-opensource-src 2>/dev/null | sed -n 's/^Version: *//p' | sort -V | tail -n1
}

# Prints the prefix of the cached cross Qt, building it when it is not there.
make_qt() {
    need_packages g++-mingw-w64-x86-64-posix dpkg-dev perl python3 make
    add_source_entry
    version="$(qt_source_version)"
    [ -n "$version" ] || fail "no source of qtbase-opensource-src is known to apt (is the deb-src entry there?)"
    hash="$(printf '%s\n%s\n' "$version" "$QT_CONFIG" | sha256sum | cut -c1-12)"
    prefix="$CACHE/qt-$version-$hash"
    if [ -f "$prefix/.complete" ]; then
        echo "$prefix"
        return 0
    fi
    mkdir -p "$CACHE" || fail "cannot create $CACHE (set PUTEVOD_WINDOWS_DIR)"
    work="$CACHE/src-$version-$hash"
    rm -rf "$work" "$prefix"
    mkdir -p "$work"
    (cd "$work" && apt-get source --download-only qtbase-opensource-src="$version" >download.log 2>&1) \
        || fail "downloading the Qt source failed (see $work/download.log)"
    (cd "$work" && dpkg-source -x --no-check ./*.dsc qtbase >unpack.log 2>&1) \
        || fail "unpacking the Qt source failed (see $work/unpack.log)"
    echo "windows.sh: building the cross Qt $version in $work (about an hour)" >&2
    (cd "$work/qtbase" && PATH="/usr/lib/ccache:$PATH" ./configure -prefix "$prefix" $QT_CONFIG >"$work/configure.log" 2>&1) \
        || fail "configuring the cross Qt failed (see $work/configure.log)"
    (cd "$work/qtbase" && make -j"$JOBS" >"$work/build.log" 2>&1) \
        || fail "building the cross Qt failed (see $work/build.log)"
    (cd "$work/qtbase" && make install >"$work/install.log" 2>&1) \
        || fail "installing the cross Qt failed (see $work/install.log)"
    printf '%s\n%s\n' "$version" "$QT_CONFIG" >"$prefix/.complete"
    rm -rf "$work"
    echo "$prefix"
}

case "${1:-}" in
    --qt) make_qt ;;
    *) fail "usage: sh tools/windows.sh --qt" ;;
esac
