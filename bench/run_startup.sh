#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Measures Quorvel's start-up against two small Qt Widgets programs (an
# empty window and a window sized to one label's text) under Xvfb.
#   bench/run_startup.sh [BUILD_FOLDER] [LAUNCHES]
# All programs run with a throw-away home, so the user's settings and the
# single-instance lock of a running Quorvel are not involved.
# On a machine busy with other work the medians wander by several
# milliseconds; QUORVEL_BENCH_REALTIME=1 runs the X server, the driver and
# all programs alike under a real-time scheduling class (needs the right to
# use chrt), which keeps other processes from preempting them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/bench-release}
launches=${2:-21}
if [ ! -x "$build/bench/bench_startup" ]; then
  bash "$root/tools/build.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DQUORVEL_BUILD_TESTS=OFF
fi
home=$(mktemp -d)
# The runtime folder is a memory file system, as the user's session has it.
runtime=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$home" "$runtime"' EXIT
mkdir -p "$home/config"
chmod 700 "$runtime"
scheduling=()
if [ -n "${QUORVEL_BENCH_REALTIME:-}" ]; then
  scheduling=(chrt --fifo 10)
fi
# A desktop session has a session bus; without one, each program's first
# use of it starts a helper to look for one, which no user pays.
session=()
if command -v dbus-run-session >/dev/null; then
  session=(dbus-run-session --)
fi
HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$runtime QT_QPA_PLATFORM=xcb \
  "${scheduling[@]}" "${session[@]}" xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/bench_startup" "$launches"
