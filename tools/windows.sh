#!/bin/sh
# Cross-builds the Windows program on Debian 12 with MinGW-w64 against a
# static, minimal Qt 5.15 built from Debian's own qtbase source package, and
# tests it under Wine.
#
#   sh tools/windows.sh           the cross Qt (built once, when missing), then
#                                 build-windows/putevod.exe, the portable .zip
#                                 and the installer
#   sh tools/windows.sh --qt      only makes (or checks) the cached cross Qt
#   sh tools/windows.sh --test    builds as above with the tests, then runs
#                                 them under Wine (tests/windows/wine_test.sh)
#   sh tools/windows.sh --have-qt succeeds when the cached cross Qt is there
#
# The cross Qt is built once and kept outside the repository, in
# $PUTEVOD_WINDOWS_DIR (default /var/cache/putevodka/windows), under a name made
# of the source version and a hash of its configuration, so that a change of
# either builds a new one instead of reusing the old.
set -e
cd "$(dirname "$0")/.."
ROOT="$PWD"
CACHE="${PUTEVOD_WINDOWS_DIR:-/var/cache/putevodka/windows}"
BUILD="$ROOT/build-windows"
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

# Sets QT_VERSION (the Qt source's) and QT_PREFIX (where its cross Qt is).
find_qt() {
    QT_VERSION="$(qt_source_version)"
    [ -n "$QT_VERSION" ] || return 1
    hash="$(printf '%s\n%s\n' "$QT_VERSION" "$QT_CONFIG" | sha256sum | cut -c1-12)"
    QT_PREFIX="$CACHE/qt-$QT_VERSION-$hash"
    QT_LICENCES="$CACHE/licences-$QT_VERSION"
}

# Downloads and unpacks the Qt source into $1/qtbase.
get_qt_source() {
    (cd "$1" && apt-get source --download-only qtbase-opensource-src="$QT_VERSION" >download.log 2>&1) \
        || fail "downloading the Qt source failed (see $1/download.log)"
    (cd "$1" && dpkg-source -x --no-check ./*.dsc qtbase >unpack.log 2>&1) \
        || fail "unpacking the Qt source failed (see $1/unpack.log)"
}

# The licences of what the program links from Qt, taken from its source.
gather_licences() {
    rm -rf "$QT_LICENCES.new"
    python3 tools/qt_licences.py "$1/qtbase" "$QT_LICENCES.new" \
        || fail "gathering Qt's licences failed (tools/qt_licences.py)"
    rm -rf "$QT_LICENCES"
    mv "$QT_LICENCES.new" "$QT_LICENCES"
}

# Makes sure the cached cross Qt (and its licences) is there, building it
# when it is not.
make_qt() {
    need_packages g++-mingw-w64-x86-64-posix dpkg-dev perl python3 make
    add_source_entry
    find_qt || fail "no source of qtbase-opensource-src is known to apt (is the deb-src entry there?)"
    prefix="$QT_PREFIX"
    if [ -f "$prefix/.complete" ]; then
        if [ ! -d "$QT_LICENCES" ]; then
            tmp="$CACHE/licences-src"
            rm -rf "$tmp"
            mkdir -p "$tmp"
            get_qt_source "$tmp"
            gather_licences "$tmp"
            rm -rf "$tmp"
        fi
        return 0
    fi
    mkdir -p "$CACHE" || fail "cannot create $CACHE (set PUTEVOD_WINDOWS_DIR)"
    work="$CACHE/src-$QT_VERSION-$hash"
    # One build at a time: a second one would delete the first one's work.
    exec 9>"$CACHE/.lock"
    flock -n 9 || fail "another windows.sh is building the cross Qt in $CACHE; wait for it"
    if [ -n "$(find "$work" -maxdepth 1 -name build.log -mmin -10 2>/dev/null)" ]; then
        fail "a build of the cross Qt is still running in $work; wait for it"
    fi
    if [ -f "$work/qtbase/Makefile" ] && [ -f "$work/qtbase/config.summary" ]; then
        # An interrupted build of the same source and configuration goes on
        # where it stopped: make rebuilds only what is missing.
        [ -d "$QT_LICENCES" ] || gather_licences "$work"
        echo "windows.sh: going on with the cross Qt $QT_VERSION in $work" >&2
    else
        rm -rf "$work" "$prefix"
        mkdir -p "$work"
        get_qt_source "$work"
        gather_licences "$work"
        echo "windows.sh: building the cross Qt $QT_VERSION in $work (about an hour)" >&2
        (cd "$work/qtbase" && PATH="/usr/lib/ccache:$PATH" ./configure -prefix "$prefix" $QT_CONFIG >"$work/configure.log" 2>&1) \
            || fail "configuring the cross Qt failed (see $work/configure.log)"
    fi
    (cd "$work/qtbase" && make -j"$JOBS" >"$work/build.log" 2>&1) \
        || fail "building the cross Qt failed (see $work/build.log)"
    (cd "$work/qtbase" && make install >"$work/install.log" 2>&1) \
        || fail "installing the cross Qt failed (see $work/install.log)"
    printf '%s\n%s\n' "$QT_VERSION" "$QT_CONFIG" >"$prefix/.complete"
    rm -rf "$work"
}

# The program, built with or without its tests ($1: all or putevod).
build_program() {
    need_packages cmake make imagemagick qttranslations5-l10n
    export PUTEVOD_QT_PREFIX="$QT_PREFIX"
    mkdir -p "$BUILD"
    cmake -S . -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQt5_DIR="$QT_PREFIX/lib/cmake/Qt5" \
        -DPUTEVOD_QT_LICENCES="$QT_LICENCES" \
        -DPUTEVOD_QT_SOURCE="$QT_VERSION" -DPUTEVOD_QT_CONFIG="$(echo $QT_CONFIG)" \
        >"$BUILD/cmake.log" 2>&1 \
        || fail "configuring the Windows build failed (see $BUILD/cmake.log)"
    nice -n 5 cmake --build "$BUILD" --target "$1" -j"$JOBS" >"$BUILD/build.log" 2>&1 \
        || fail "building the Windows program failed (see $BUILD/build.log)"
}

# The portable .zip and the installer, from the files `cmake --install` puts
# beside the program. Old ones are removed first: a failure leaves none.
make_packages() {
    need_packages nsis zip
    version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD/CMakeCache.txt")"
    [ -n "$version" ] || fail "no project version in $BUILD/CMakeCache.txt"
    ZIP="$BUILD/putevodka-$version-windows-x64.zip"
    INSTALLER="$BUILD/putevodka-$version-install.exe"
    rm -f "$ZIP" "$INSTALLER"
    stage="$BUILD/stage/putevodka-$version"
    rm -rf "$BUILD/stage"
    cmake --install "$BUILD" --prefix "$stage" >"$BUILD/install.log" 2>&1 \
        || fail "installing into $stage failed (see $BUILD/install.log)"
    (cd "$BUILD/stage" && zip -q -X -r "$ZIP.part" "putevodka-$version") \
        || fail "making the .zip failed"
    mv "$ZIP.part" "$ZIP"
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" \
        -DOUTFILE="$INSTALLER.part" resources/windows/putevod.nsi >"$BUILD/nsis.log" 2>&1 \
        || { rm -f "$INSTALLER.part" "$ZIP"; fail "making the installer failed (see $BUILD/nsis.log)"; }
    mv "$INSTALLER.part" "$INSTALLER"
    echo "windows.sh: $BUILD/putevod.exe"
    echo "windows.sh: $ZIP"
    echo "windows.sh: $INSTALLER"
}

case "${1:-}" in
    --qt)
        make_qt
        echo "$QT_PREFIX"
        ;;
    --have-qt)
        find_qt 2>/dev/null && [ -f "$QT_PREFIX/.complete" ]
        ;;
    "")
        make_qt
        build_program putevod
        make_packages
        ;;
    --test)
        make_qt
        build_program all
        make_packages
        # The Linux build, for the same session and the same saved file.
        sh tools/setup.sh >/dev/null || fail "tools/setup.sh failed"
        cmake -S . -B build >/dev/null || fail "configuring the Linux build failed"
        nice -n 5 cmake --build build --target putevod -j"$JOBS" >/dev/null \
            || fail "building the Linux program failed (cmake --build build --target putevod)"
        need_packages wine wine64 fonts-wine xvfb xauth xdotool x11-xkb-utils x11-utils imagemagick openbox locales
        # Wine plays a Russian Windows (its dialogs, the 1251 code page) in a
        # Russian locale, which the C library must have.
        if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
            $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8 \
                || fail "cannot make the locale ru_RU.UTF-8 (localedef -i ru_RU -f UTF-8 ru_RU.UTF-8)"
        fi
        sh tests/windows/wine_test.sh "$BUILD" "$INSTALLER" "$ROOT/build/putevod"
        ;;
    *) fail "usage: sh tools/windows.sh [--qt | --test | --have-qt]" ;;
esac
