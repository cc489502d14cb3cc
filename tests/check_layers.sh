#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a source file includes a header of a folder above its own layer.
# The layers, lowest first: sys, which includes nothing of the others and
# which every other may use; ephemeris and mansions (beside each other); core;
# ui and cli; app. The atlas (atlas/) stands apart and includes nothing of
# ours but sys; cli and the web search plugin use it, and ui its PlaceClock.
# The plugin (app/websearch) is loaded into the program and shares only its
# interface header with it. The tests follow: tests/core and tests/cli (which
# runs the program) stand on the headless libraries and the headless helpers
# of tests/support; tests/gui may use everything.
#
#   check_layers.sh SOURCE_FOLDER
set -euo pipefail
cd "${1:?usage: check_layers.sh SOURCE_FOLDER}"

interface=app/websearch/WebSearchInterface.h
# The plugin still takes the window title from the program; it is to move
# behind its interface.
plugin_exceptions=" core/Messages.h "

# The helpers of tests/support that need no screens.
headless_helpers=" ReferenceVectors.h TestFiles.h "

allowed() {  # the including file's layer, the included path
  [[ $2 == sys/* ]] && return 0  # the lowest floor, under every layer
  case $1 in
    tests-headless) [[ $2 =~ ^(core|birth|ephemeris|mansions|atlas)/ || $2 == *.moc || $headless_helpers == *" $2 "* ]] ;;
    tests-gui) [[ $2 =~ ^(app|ui|cli|core|places|birth|ephemeris|mansions|atlas)/ || $2 == *.moc || -f tests/support/$2 ]] ;;
    ephemeris) [[ $2 == ephemeris/* ]] ;;
    birth) [[ $2 =~ ^(birth|ephemeris)/ ]] ;;
    mansions) [[ $2 == mansions/* ]] ;;
    core) [[ $2 =~ ^(core|birth|ephemeris|mansions)/ ]] ;;
    atlas) [[ $2 =~ ^(atlas|birth|ephemeris)/ ]] ;;
    cli) [[ $2 =~ ^(cli|core|birth|ephemeris|mansions|atlas)/ ]] ;;
    ui) [[ $2 =~ ^(ui|core|places|birth|ephemeris|mansions)/ || $2 == atlas/PlaceClock.h ]] ;;
    app) [[ $2 =~ ^(app|ui|cli|core|birth|ephemeris|mansions)/ && ($2 != app/websearch/* || $2 == "$interface") ]] ;;
    websearch) [[ $2 =~ ^(app/websearch|atlas|birth|ephemeris)/ || $plugin_exceptions == *" $2 "* ]] ;;
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
    app/websearch/*) layer=websearch ;;
    tests/core/* | tests/cli/*) layer=tests-headless ;;
    tests/support/*) [[ $headless_helpers == *" ${file#tests/support/} "* ]] && layer=tests-headless || layer=tests-gui ;;
    tests/gui/*) layer=tests-gui ;;
  esac
  if ! allowed "$layer" "$included"; then
    echo "$file includes $included, above its layer ($layer)" >&2
    status=1
  fi
done < <(grep -rH --include='*.cpp' --include='*.h' '^#include "' sys ephemeris birth mansions core ui cli app atlas \
           tests/core tests/cli tests/gui tests/support)
exit $status
