#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a compiler command (the build folder is the current folder) with the
# paths into the build and source folders made relative to it, as ccache
# does: sanitizers record the compiler's own names for its input files, which
# no prefix map reaches.
#
#   relative-paths.sh COMMAND...
set -euo pipefail
source=$(cd "$(dirname "$0")/.." && pwd)
build=$PWD
up=$(realpath -ms --relative-to="$build" "$source")

relative() {
  case $1 in
    "$build"/*) echo "${1#"$build"/}" ;;
    "$source") echo "$up" ;;
    "$source"/*) echo "$up/${1#"$source"/}" ;;
    *) echo "$1" ;;
  esac
}

arguments=()
for argument; do
  case $argument in
    -I/*) arguments+=("-I$(relative "${argument#-I}")") ;;
    /*) arguments+=("$(relative "$argument")") ;;
    *) arguments+=("$argument") ;;
  esac
done
exec "${arguments[@]}"
