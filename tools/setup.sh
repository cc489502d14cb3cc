#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what building, testing and looking at Quorvel needs on Debian 12.
# Safe to run again: it installs only the packages that are missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6svg6
  libbenchmark-dev
  clang
  fonts-dejavu-core
  xvfb xauth imagemagick x11-utils xdotool
  qt6-gtk-platformtheme python3-numpy python3-pil python3-icalendar
  weston qt6-wayland
  dpkg-dev desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
# Another package manager at work (an update running in the background)
# holds the lock for a while: wait for it rather than fail.
wait_for_lock=(-o DPkg::Lock::Timeout=600)
"${sudo[@]}" apt-get "${wait_for_lock[@]}" update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "${wait_for_lock[@]}" install -y -qq --no-install-recommends \
  "${missing[@]}" </dev/null
