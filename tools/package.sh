#!/usr/bin/env bash
# Builds the Debian package: tools/package.sh [BUILD_FOLDER]
# Installs what is missing (as setup.sh does), configures a release build
# without tests and benchmarks, and leaves quorvel_<version>_<arch>.deb in
# the build folder (build/package unless given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(realpath -m "${1:-$root/build/package}")
bash "$root/tools/setup.sh"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
cmake --build "$dir" --target package
ls "$dir"/quorvel_*.deb
