#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the test program $1 under a headless Wayland compositor (weston) of
# its own, in a private runtime folder, with Qt's Wayland platform. Skips
# (exit 77) where weston or Qt's Wayland platform is not installed.
set -euo pipefail
test_program=$1

plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS 2>/dev/null || echo /usr/lib/x86_64-linux-gnu/qt6/plugins)
if ! command -v weston >/dev/null || [ ! -e "$plugins/platforms/libqwayland-generic.so" ]; then
  echo "wayland.sh: weston or qt6-wayland is not installed; skipped"
  exit 77
fi

runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket=quorvel-test --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston_pid=$!
trap 'kill "$weston_pid" 2>/dev/null; wait "$weston_pid" 2>/dev/null; rm -rf "$runtime"' EXIT

for _ in $(seq 100); do
  [ -S "$runtime/quorvel-test" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$runtime/quorvel-test" ]; then
  echo "wayland.sh: weston did not start:" >&2
  cat "$runtime/weston.log" >&2
  exit 1
fi

# A headless weston has no seat, no keyboard: Qt 6.4's Wayland text input
# then crashes on the first key a test types into a box (it asks the
# missing keyboard for its text input). The compose input method stands in.
# Without window decorations Qt draws the windows into shared memory only and
# never loads its EGL client buffer integration: that would load Mesa's
# driver (swrast_dri.so on a machine without a GPU), which leaks a buffer and
# is unloaded before exit, so LeakSanitizer reports the leak from an unknown
# module no suppression can name. The screens are the same either way.
QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=quorvel-test QT_IM_MODULE=compose QT_WAYLAND_DISABLE_WINDOWDECORATION=1 \
  "$test_program"
