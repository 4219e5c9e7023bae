#!/bin/sh
# Installs what is missing, builds everything and runs every test headless:
# first the ordinary build, then its .deb and .rpm packages and their checks,
# then the same suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer. In the local edit-and-test loop,
# PUTEVOD_NO_SANITIZE=1 skips that last pass; CI always runs it.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
cmake --build build --target putevod_bench -j"$jobs"  # not a test, but it must keep building
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
sh tools/package.sh
sh tools/check_package.sh

if [ "${PUTEVOD_NO_SANITIZE:-0}" = 1 ]; then
    echo "PUTEVOD_NO_SANITIZE=1: the sanitizer build is skipped"
    exit 0
fi
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPUTEVOD_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen \
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/../tests/lsan.supp" \
    UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$jobs")
