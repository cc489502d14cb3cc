#!/usr/bin/env bash
# Starts Quorvel under Xvfb and saves screenshots of the main input screen,
# the time zone picker and a result screen (15 August 1947, 00:00, zone
# 5:30, 77 deg 13 min East, 28 deg 36 min North: the mansion Dou).
#
#   tools/screenshots.sh [OUTPUT_FOLDER] [QUORVEL_EXECUTABLE]
#
# Needs xvfb-run, xdotool and ImageMagick's import. The program runs with a
# throw-away home, so no settings or lock of the user's own are touched.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/build/screenshots}")
program=${2:-}

for tool in xvfb-run xdotool import; do
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
mkdir -p "$out"

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/config" "$home/runtime"
chmod 700 "$home/runtime"

cat >"$home/session.sh" <<'SESSION'
set -euo pipefail
program=$1 out=$2
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(xdotool search --sync --onlyvisible --name 'Quorvel v1.15' | head -n 1)
sleep 1
import -window root "$out/main.png"

# Window origin; the menu bar sits above the client area.
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=21
twips() { echo $(( ($1 + 7) / 15 )); }

# "TZ Help": input frame 1875/1080 + zone frame 1320/1280 + label 1200/150.
xdotool mousemove $((X + $(twips $((1875 + 1320 + 1200))) + 15)) $((Y + menu + $(twips $((1080 + 1280 + 150))) + 8)) click 1
sleep 1
import -window root "$out/picker.png"
xdotool key Escape
sleep 0.5

# Fill the screen in its focus order and calculate.
xdotool windowfocus --sync "$window"
xdotool mousemove $((X + 5)) $((Y + 5))
xdotool type --delay 20 'Ann'
xdotool key Tab; xdotool key --repeat 7 Down    # month: August
xdotool key Tab; xdotool key --repeat 14 Down   # day: 15
xdotool key Tab; xdotool key --repeat 46 Down   # year: 1947
xdotool key Tab Tab Tab Tab               # hour, minute, second: 0; to the longitude degrees
xdotool type --delay 20 '77'
xdotool key Tab; xdotool type --delay 20 '13'
xdotool key Tab Tab; xdotool type --delay 20 '28'
xdotool key Tab; xdotool type --delay 20 '36'
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab   # N/S, city, state, country, lookup, calculate, open, zone hour
xdotool type --delay 20 '5'
xdotool key Tab; xdotool type --delay 20 '30'
xdotool key alt+g
sleep 1.5
import -window root "$out/result.png"
SESSION

HOME=$home XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$home/session.sh" "$program" "$out"
echo "Screenshots in $out: main.png picker.png result.png"
