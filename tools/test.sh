#!/usr/bin/env bash
# Installs what is missing, builds Quorvel with its tests and runs them all.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen
bash "$root/tools/build.sh" "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build/test" --output-on-failure --parallel "$(nproc)"
