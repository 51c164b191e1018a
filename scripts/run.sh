#!/usr/bin/env bash
# Builds QUOXA and starts it; arguments go to the program (a file to open).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/setup-deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$root/build" -j "$(nproc)" --target quoxa
exec "$root/build/quoxa" "$@"
