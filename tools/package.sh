#!/bin/sh
# Installs what is missing, builds the program and makes its packages:
#   build/putevodka_<version>_debian12_<arch>.deb   Qt 6, for Debian 12 and newer
#   build/putevodka-<version>-1.<arch>.rpm          Qt 6
# With --debian11 it makes instead, inside a Debian 11 root (tools/matrix.sh
# makes it on first use and keeps it), the Qt 5 build's .deb and copies it to
#   build/putevodka_<version>~deb11_debian11_<arch>.deb   Qt 5, for Debian 11
# (the whole test suite runs in the root first).
set -e
cd "$(dirname "$0")/.."
if [ "${1:-}" = --debian11 ]; then
    sh tools/matrix.sh --deb bullseye
    dir=${PUTEVOD_MATRIX_DIR:-/var/cache/putevodka/matrix}
    mkdir -p build
    rm -f build/putevodka_*_debian11_*.deb
    cp "$dir"/bullseye/root/build/putevodka_*_debian11_*.deb build/
    ls build/putevodka_*_debian11_*.deb
    exit 0
fi
sh tools/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPUTEVOD_QT=6 >/dev/null
cmake --build build --target putevod -j"$(nproc)"
rm -f build/putevodka*_debian12_*.deb build/putevodka*.rpm
(cd build && cpack -G DEB && cpack -G RPM)
ls build/putevodka*_debian12_*.deb build/putevodka*.rpm
