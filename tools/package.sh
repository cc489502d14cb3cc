#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Builds the Debian package the Debian way, with dpkg-buildpackage and the
# debhelper files in debian/, and checks it with lintian:
#
#   tools/package.sh [OUTPUT_FOLDER]
#
# Installs what is missing: the packaging tools and the build dependencies
# debian/control names. Copies the checkout's files, as they are (committed or
# not, untracked ones too unless ignored), to OUTPUT_FOLDER/quorvel-VERSION
# (build/package unless given) and builds there, so the checkout gets none of
# the build's files. dpkg-buildpackage puts what it makes in the folder above
# the source it builds, which is OUTPUT_FOLDER: the package
# quorvel_VERSION_ARCH.deb, its debugging symbols, the source package
# (.dsc, .tar.xz) and the .changes that lintian checks.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/package}")

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
apt_install() {
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@" -y -qq --no-install-recommends </dev/null
}
tools=(dpkg-dev debhelper lintian git)
missing=()
for package in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
"${sudo[@]}" apt-get update -qq
[ ${#missing[@]} -eq 0 ] || apt_install install "${missing[@]}"
apt_install build-dep "$root"

version=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
src=$out/quorvel-$version
rm -rf "$src" "$out"/quorvel_"$version"*
mkdir -p "$src"
git -C "$root" ls-files -z --cached --others --exclude-standard |
  tar -C "$root" --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -C "$src" -xf -

(cd "$src" && dpkg-buildpackage -us -uc -j"${JOBS:-$(nproc)}")

# Every tag is either fixed or explained in an override (debian/*lintian-overrides).
lintian --pedantic -I --fail-on error,warning,info,pedantic "$out"/quorvel_"$version"_*.changes
ls "$out"/quorvel_"$version"_*.deb
