#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds Quorvel with its tests and runs them all:
# once as built normally, once under AddressSanitizer and UBSan.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/tools/setup.sh"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

bash "$root/tools/build.sh" "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
ctest --test-dir "$root/build/test" --output-on-failure --parallel "$jobs"

# Any sanitizer report fails the test that triggered it.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp
bash "$root/tools/build.sh" "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_BUILD_BENCH=OFF
ctest --test-dir "$root/build/sanitize" --output-on-failure --parallel "$jobs"
