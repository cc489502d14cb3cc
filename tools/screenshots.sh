#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Starts Quorvel under Xvfb and saves a screenshot of each of its windows:
# the main input screen, a message box, the time zone picker, the about box,
# the help window, a result screen (15 August 1947, 00:00, zone 5:30, 77 deg 13 min East,
# 28 deg 36 min North, New Delhi: the mansion Dou), its comparison with a
# saved Revati reading, its Moon calendar and the atlas window;
# once on a light desktop and once on a dark one (the GTK platform theme
# with Adwaita's dark variant), the dark shots named *-dark.png. Then it
# prints the lowest contrast of text against its background on each shot.
#
#   tools/screenshots.sh [--scale FACTOR] [--theme light|dark|both] [--desktop] [OUTPUT_FOLDER] [QUORVEL_EXECUTABLE]
#
# --scale runs the program at that scale factor (QT_SCALE_FACTOR), as on a
# high-dpi screen: 1 (the default), 1.5, 2. --theme takes the shots on a
# light or a dark desktop only (both by default). Each shot shows one
# window; with --desktop each is of the whole virtual screen instead.
# Without an executable the script builds one. The screens are driven from
# the keyboard alone, so the same script serves every scale.
#
# Needs xvfb-run, xdotool, ImageMagick's import, qt6-gtk-platformtheme for
# the dark desktop and python3-numpy and python3-pil for the contrast. The
# program runs with a throw-away home, so no settings or lock of the user's
# own are touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

scale=1
themes=(light dark)
whole_screen=0
positional=()
while [ $# -gt 0 ]; do
  case $1 in
    --scale) scale=${2:?--scale needs a factor}; shift 2 ;;
    --scale=*) scale=${1#--scale=}; shift ;;
    --theme) case ${2:-} in light|dark) themes=("$2") ;; both) themes=(light dark) ;;
               *) echo "screenshots.sh: --theme takes light, dark or both" >&2; exit 2 ;; esac; shift 2 ;;
    --desktop) whole_screen=1; shift ;;
    -h|--help) sed -n '5,26p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) positional+=("$1"); shift ;;
  esac
done
gtk_theme_plugin=$(find /usr/lib/*/qt6/plugins/platformthemes -name 'libqgtk3.so' 2>/dev/null | head -n 1)
if [[ " ${themes[*]} " == *" dark "* ]] && [ -z "$gtk_theme_plugin" ]; then
  echo "screenshots.sh: the dark desktop needs the GTK platform theme (apt-get install qt6-gtk-platformtheme)" >&2
  exit 1
fi
if ! [[ $scale =~ ^[0-9]+([.][0-9]+)?$ ]] || [ "$(echo "$scale" | tr -d .0)" = "" ]; then
  echo "screenshots.sh: the scale factor must be a positive number such as 1, 1.5 or 2" >&2
  exit 2
fi
out=$(realpath -m "${positional[0]:-$root/build/screenshots}")
program=${positional[1]:-}

for tool in xvfb-run xdotool import mogrify; do
  if ! command -v "$tool" >/dev/null; then
    echo "screenshots.sh: '$tool' is missing (apt-get install xvfb xdotool imagemagick)" >&2
    exit 1
  fi
done

if [ -z "$program" ]; then
  bash "$root/tools/build.sh" "$root/build/screenshots-build" -DCMAKE_BUILD_TYPE=Release \
    -DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCH=OFF
  program=$root/build/screenshots-build/app/Quorvel
fi
program=$(realpath "$program")
mkdir -p "$out"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/runtime"
chmod 700 "$home/runtime"

cat >"$home/session.sh" <<'SESSION'
set -euo pipefail
program=$1 out=$2 whole_screen=$3 suffix=$4
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

title='Quorvel v1[.]15'
# The newest visible window whose title matches `$1`, other than `$2`.
new_window() {
  local found=""
  for attempt in $(seq 50); do
    found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | grep -vx "${2:-none}" | tail -n 1 || true)
    [ -n "$found" ] && break
    sleep 0.1
  done
  [ -n "$found" ] || { echo "screenshots.sh: no new window appeared" >&2; exit 1; }
  echo "$found"
}
other_window() { new_window "$title" "${1:-none}"; }
shoot() {  # window, name
  local file="$2$suffix.png"
  sleep 1
  if [ "$whole_screen" = 1 ]; then
    import -window root "$out/$file"
  else
    import -window "$1" "$out/$file"
  fi
  mogrify -strip "$out/$file"   # no time stamps: the same screen gives the same file
  echo "  $file"
}

main=$(other_window)
xdotool windowfocus --sync "$main"

# A message box: calculating with the name box empty.
xdotool key alt+g
message=$(new_window '^Quorvel$')
shoot "$message" message
xdotool key Return
sleep 0.5

# The picker: back from the name box to the zone minutes, where F1 is "TZ Help".
xdotool windowfocus --sync "$main"
xdotool key shift+Tab shift+Tab F1
picker=$(other_window "$main")
shoot "$picker" picker
xdotool key Escape
sleep 0.5

# The about box: Help, "&About Software".
xdotool windowfocus --sync "$main"
xdotool key alt+h
sleep 0.5
xdotool key a
about=$(other_window "$main")
shoot "$about" about
xdotool key Escape
sleep 0.5

# The help window: Help, "&Contents".
xdotool windowfocus --sync "$main"
xdotool key alt+h
sleep 0.5
xdotool key c
help=$(other_window "$main")
shoot "$help" help
xdotool key Escape
sleep 0.5

# Fill the screen in its focus order and calculate.
xdotool windowfocus --sync "$main"
xdotool key Tab Tab                     # from the zone minutes round to the name box
xdotool type --delay 20 'Ann'
xdotool key Tab; xdotool key --repeat 7 Down    # month: August
xdotool key Tab; xdotool key --repeat 14 Down   # day: 15
xdotool key Tab; xdotool key --repeat 46 Down   # year: 1947
xdotool key Tab Tab Tab Tab               # hour, minute, second: 0; to the longitude degrees
xdotool type --delay 20 '77'
xdotool key Tab; xdotool type --delay 20 '13'
xdotool key Tab Tab; xdotool type --delay 20 '28'
xdotool key Tab; xdotool type --delay 20 '36'
xdotool key Tab Tab; xdotool type --delay 20 'New Delhi'   # past North to the city
xdotool key Tab; xdotool type --delay 20 'Delhi'
xdotool key Tab; xdotool type --delay 20 'India'
xdotool key Tab Tab Tab Tab               # lookup, calculate, open, zone hour
xdotool type --delay 20 '5'
xdotool key Tab; xdotool type --delay 20 '30'
xdotool key alt+g
result=$(other_window "$main")
shoot "$result" result

# The comparison: the reading above beside a saved Revati reading (the
# scrambled name, as Save writes it), chosen with File, "Compare With
# &Another Reading...".
printf '\xa7\xba\xcb\xb6\xc9\xbe\r\n' >"$HOME/revati.qvr"
xdotool windowfocus --sync "$result"
xdotool key alt+f
sleep 0.5
xdotool key a
sleep 1
xdotool type --delay 20 "$HOME/revati.qvr"
xdotool key Return
comparison=$(other_window "$result")
shoot "$comparison" comparison
xdotool key Escape
sleep 0.5

# The Moon calendar of this month on the system's clock: File, "Moon
# &Calendar...".
xdotool windowfocus --sync "$result"
xdotool key alt+f
sleep 0.5
xdotool key c
calendar=$(other_window "$result")
shoot "$calendar" mooncalendar
xdotool key Escape
sleep 0.5

# The main screen filled again with the same birth (File, Change Birth
# Data), the zone's offset under its boxes; then the atlas window, from its
# lookup button, seven steps back from the name box.
xdotool windowfocus --sync "$result"
xdotool key ctrl+e
main=$(other_window "$result")
xdotool windowfocus --sync "$main"
shoot "$main" main
xdotool key --repeat 7 shift+Tab
xdotool key space
atlas=$(other_window "$main")
shoot "$atlas" atlas
xdotool key Escape
SESSION

# A virtual screen big enough for the main screen at twice its size.
for theme in "${themes[@]}"; do
  suffix=""
  desktop=(env -u QT_QPA_PLATFORMTHEME -u GTK_THEME)
  if [ "$theme" = dark ]; then
    suffix="-dark"
    desktop=(env QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark)
  fi
  echo "Screenshots at scale $scale on a $theme desktop:"
  HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime QT_SCALE_FACTOR=$scale \
    "${desktop[@]}" xvfb-run -a -s "-screen 0 1600x1200x24" bash "$home/session.sh" "$program" "$out" \
    "$whole_screen" "$suffix"
done
echo "in $out"

if /usr/bin/python3 -c 'import numpy, PIL' 2>/dev/null; then
  for theme in "${themes[@]}"; do
    suffix=""; [ "$theme" = dark ] && suffix="-dark"
    for window in main message picker about help result comparison mooncalendar atlas; do
      /usr/bin/python3 "$root/tools/contrast.py" --scale "$scale" "$out/$window$suffix.png"
    done
  done
else
  echo "screenshots.sh: no contrast figures without python3-numpy and python3-pil" >&2
fi
