#!/usr/bin/env bash
# Builds the Debian package from a clean Release configure in build-package/ and prints
# the path of quoxa_<version>_<arch>.deb (the build's own output goes to standard error).
set -euo pipefail
cd "$(dirname "$0")/.."
exec 3>&1 1>&2

scripts/setup-deps.sh

rm -rf build-package
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUOXA_BUILD_BENCH=OFF
# The package holds the program only; the tests are built by scripts/test.sh.
cmake --build build-package -j "$(nproc)" --target quoxa
(cd build-package && cpack -G DEB)

packages=(build-package/quoxa_*.deb)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || { echo "cpack made no single package" >&2; exit 1; }
realpath "${packages[0]}" >&3
