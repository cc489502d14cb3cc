#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a source file includes a header of a floor above its own. Each
# floor lists the floors it stands on (sys, the lowest, is under all):
#
#   ephemeris, mansions     nothing but sys
#   birth                   the ephemeris
#   atlas                   birth
#   places                  the atlas
#   core                    birth and mansions
#   ui, cli                 core and places
#   app                     ui and cli
#   plugins/atlaswindow     places, and the screens' look (ui/Look.h, a
#                           library of its own); the program shares only
#                           places/AtlasWindowInterface.h with it
#
# The tests follow: tests/core and tests/cli (which runs the program) stand
# on the headless floors and the headless helpers of tests/support;
# tests/gui may use everything.
#
#   check_layers.sh SOURCE_FOLDER
set -euo pipefail
cd "${1:?usage: check_layers.sh SOURCE_FOLDER}"

declare -A beneath=(
  [sys]=""
  [ephemeris]=""
  [mansions]=""
  [birth]="ephemeris"
  [atlas]="birth ephemeris"
  [places]="atlas birth ephemeris"
  [core]="birth ephemeris mansions"
  [ui]="core places atlas birth ephemeris mansions"
  [cli]="core places atlas birth ephemeris mansions"
  [app]="ui cli core places atlas birth ephemeris mansions"
  [plugins/atlaswindow]="places atlas birth ephemeris"
  [tests-headless]="core places atlas birth ephemeris mansions"
  [tests-gui]="plugins/atlaswindow app ui cli core places atlas birth ephemeris mansions"
)

# The one header a floor takes from above it: the atlas window wears the
# screens' look rather than a copy of it.
exception="plugins/atlaswindow ui/Look.h"

# The helpers of tests/support that need no screens.
headless_helpers=" ReferenceVectors.h TestFiles.h "

allowed() {  # the including file's floor, the included path
  local floor=$1 included=$2
  [[ $included == sys/* || $included == "$floor"/* || $included == *.moc ]] && return 0
  [[ "$floor $included" == "$exception" ]] && return 0
  case $floor in
    tests-headless) [[ $headless_helpers == *" $included "* ]] && return 0 ;;
    tests-gui) [[ -f tests/support/$included ]] && return 0 ;;
  esac
  local below
  for below in ${beneath[$floor]}; do
    [[ $included == "$below"/* ]] && return 0
  done
  return 1
}

floors="sys ephemeris mansions birth atlas places core ui cli app plugins/atlaswindow"
status=0
while IFS= read -r line; do
  file=${line%%:*}
  included=${line#*#include \"}
  included=${included%%\"*}
  floor=${file%%/*}
  case $file in
    plugins/atlaswindow/*) floor=plugins/atlaswindow ;;
    tests/core/* | tests/cli/*) floor=tests-headless ;;
    tests/support/*) [[ $headless_helpers == *" ${file#tests/support/} "* ]] && floor=tests-headless || floor=tests-gui ;;
    tests/gui/*) floor=tests-gui ;;
  esac
  if [[ ! -v beneath[$floor] ]] || ! allowed "$floor" "$included"; then
    echo "$file includes $included, above its floor ($floor)" >&2
    status=1
  fi
done < <(grep -rH --include='*.cpp' --include='*.h' '^#include "' $floors tests/core tests/cli tests/gui tests/support)
exit $status
