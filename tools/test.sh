#!/bin/sh
# Installs what is missing, builds everything and runs every test headless,
# twice: built against Qt 6 (build/) and against Qt 5.15 (build-qt5/). Then
# it makes the Qt 6 build's .deb and .rpm packages and checks them, tests
# the Windows build under Wine where its cross Qt is already made, and last
# runs the suite built against Qt 6 with AddressSanitizer and
# UndefinedBehaviorSanitizer. In the local edit-and-test loop,
# PUTEVOD_NO_SANITIZE=1 skips that last pass; CI always runs it.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
jobs="$(nproc)"

for qt in 6 5; do
    dir=build
    [ $qt = 5 ] && dir=build-qt5
    echo "== Qt $qt: $dir"
    cmake -S . -B $dir -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPUTEVOD_QT=$qt >/dev/null
    cmake --build $dir -j"$jobs"
    cmake --build $dir --target putevod_bench -j"$jobs"  # not a test, but it must keep building
    (cd $dir && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
done
sh tools/package.sh
sh tools/check_package.sh

# The Windows build, tested under Wine, where its cross Qt has been made once
# (sh tools/windows.sh --qt: about an hour, so never here).
if sh tools/windows.sh --have-qt; then
    echo "== Windows: build-windows"
    sh tools/windows.sh --test
else
    echo "== Windows: skipped, no cross Qt made yet (sh tools/windows.sh --qt makes it)"
fi

if [ "${PUTEVOD_NO_SANITIZE:-0}" = 1 ]; then
    echo "PUTEVOD_NO_SANITIZE=1: the sanitizer build is skipped"
    exit 0
fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPUTEVOD_SANITIZE=ON -DPUTEVOD_QT=6 >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")
