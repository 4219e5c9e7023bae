#!/bin/sh
# Installs what is missing, builds the program and makes its packages:
# build/putevodka_<version>_<arch>.deb and build/putevodka-<version>-1.<arch>.rpm.
set -e
cd "$(dirname "$0")/.."
sh tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target putevod -j"$(nproc)"
rm -f build/putevodka*.deb build/putevodka*.rpm
(cd build && cpack -G DEB && cpack -G RPM)
ls build/putevodka*.deb build/putevodka*.rpm
