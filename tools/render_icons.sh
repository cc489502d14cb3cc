#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the desktop icon sizes from the scalable icon. The PNGs are
# committed, so building and packaging need no SVG renderer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
command -v rsvg-convert >/dev/null || {
  if [ "$(id -u)" -eq 0 ]; then apt-get install -y -qq librsvg2-bin; else sudo apt-get install -y -qq librsvg2-bin; fi
}
out="$root/app/desktop/icons"
mkdir -p "$out"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" "$root/content/icon/quorvel.svg" -o "$out/$size.png"
done
