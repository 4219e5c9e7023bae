#!/bin/sh
# Installs what is missing, builds the program and starts it.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target putevod -j"$(nproc)"
exec ./build/putevod
