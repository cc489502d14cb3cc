#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a source file includes a header of a folder above its own layer.
# The layers, lowest first: sys, which includes nothing of the others and
# which every other may use; ephemeris and mansions (beside each other); core;
# ui and cli; app. The atlas (atlas/) stands apart and includes nothing of
# ours but sys; cli and the atlas window plugin use it, and ui its PlaceClock.
# The atlas window plugin (plugins/atlaswindow) is loaded into the program
# and shares only its interface header, in places/, with it: it stands on
# places, the atlas and birth, wears the screens' look (ui/Look.h, built as
# a library of its own) and nothing of the program includes it. The tests
# follow: tests/core and tests/cli (which runs the program) stand on the
# headless libraries and the headless helpers of tests/support; tests/gui may
# use everything.
#
#   check_layers.sh SOURCE_FOLDER
set -euo pipefail
cd "${1:?usage: check_layers.sh SOURCE_FOLDER}"

interface=places/AtlasWindowInterface.h

# The helpers of tests/support that need no screens.
headless_helpers=" ReferenceVectors.h TestFiles.h "

allowed() {  # the including file's layer, the included path
  [[ $2 == sys/* ]] && return 0  # the lowest floor, under every layer
  case $1 in
    tests-headless) [[ $2 =~ ^(core|birth|ephemeris|mansions|atlas)/ || $2 == *.moc || $headless_helpers == *" $2 "* ]] ;;
    tests-gui) [[ $2 =~ ^(app|ui|cli|core|birth|ephemeris|mansions|atlas|places|plugins)/ || $2 == *.moc || -f tests/support/$2 ]] ;;
    ephemeris) [[ $2 == ephemeris/* ]] ;;
    birth) [[ $2 =~ ^(birth|ephemeris)/ ]] ;;
    mansions) [[ $2 == mansions/* ]] ;;
    core) [[ $2 =~ ^(core|birth|ephemeris|mansions)/ ]] ;;
    atlas) [[ $2 =~ ^(atlas|birth|ephemeris)/ ]] ;;
    cli) [[ $2 =~ ^(cli|core|birth|ephemeris|mansions|atlas)/ ]] ;;
    ui) [[ $2 =~ ^(ui|core|birth|ephemeris|mansions)/ || $2 == "$interface" || $2 == atlas/PlaceClock.h ]] ;;
    app) [[ $2 =~ ^(app|ui|cli|core|birth|ephemeris|mansions)/ ]] ;;
    plugins/atlaswindow) [[ $2 =~ ^(plugins/atlaswindow|places|atlas|birth|ephemeris)/ || $2 == ui/Look.h ]] ;;
    *) false ;;
  esac
}

status=0
while IFS= read -r line; do
  file=${line%%:*}
  included=${line#*#include \"}
  included=${included%%\"*}
  layer=${file%%/*}
  case $file in
    plugins/atlaswindow/*) layer=plugins/atlaswindow ;;
    tests/core/* | tests/cli/*) layer=tests-headless ;;
    tests/support/*) [[ $headless_helpers == *" ${file#tests/support/} "* ]] && layer=tests-headless || layer=tests-gui ;;
    tests/gui/*) layer=tests-gui ;;
  esac
  if ! allowed "$layer" "$included"; then
    echo "$file includes $included, above its layer ($layer)" >&2
    status=1
  fi
done < <(grep -rH --include='*.cpp' --include='*.h' '^#include "' sys ephemeris birth mansions core ui cli app atlas plugins \
           tests/core tests/cli tests/gui tests/support)
exit $status
