#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Renders the 28 mansion pictures, content/pictures/<stem>.gif: each mansion's Chinese character drawn
# black on a white ground, centred, at the pixel size of the result screen's picture box; the outlines
# of the same characters at the same places, content/pictures/outlines.txt, from which the program
# draws them sharp above 1x and on paper; and the about box's 32 x 32 icon,
# content/icon/quorvel-32.png, from the hand-written content/icon/quorvel.svg.
#
#   tools/render_pictures.sh [CONTACT_SHEET.png]
#
# The images are committed, so building Quorvel needs none of the tools; run this only to change the
# artwork. Given a file name, it also writes a contact sheet of the 28 pictures and the icon enlarged 4x,
# for checking them by eye. Installs the font and the tools from Debian when they are missing.
set -euo pipefail
export LC_ALL=C.UTF-8

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/content/pictures"
sheet=${1:-}

# index  stem       character  width  height
pictures=(
  "0  jiao     角 31 24"
  "1  kang     亢 35 24"
  "2  di       氐 32 24"
  "3  fang     房 30 24"
  "4  xin      心 37 24"
  "5  wei_1    尾 32 24"
  "6  ji       箕 34 24"
  "7  dou      斗 43 28"
  "8  niu      牛 39 28"
  "9  nu       女 39 25"
  "10 xu       虛 39 26"
  "11 wei_2    危 38 25"
  "12 shi      室 40 26"
  "13 bi_1     壁 34 28"
  "14 kui      奎 34 24"
  "15 lou      婁 35 24"
  "16 wei_3    胃 31 24"
  "17 mao      昴 35 24"
  "18 bi_2     畢 34 24"
  "19 zi       觜 29 24"
  "20 shen     參 32 24"
  "21 jing     井 37 24"
  "22 gui      鬼 33 24"
  "23 liu      柳 35 24"
  "24 xing     星 30 24"
  "25 zhang    張 33 24"
  "26 yi       翼 31 24"
  "27 zhen     軫 37 24"
)

family="WenQuanYi Zen Hei"
# Every character is drawn at one size for its picture height, as type is set, so that simple and busy
# characters look alike in weight; a character shrinks only if its ink would not keep this margin.
margin=1   # blank pixels kept at least on every side of the character

install_missing() {
  local missing=() package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
}

install_missing fonts-wqy-zenhei fontconfig imagemagick librsvg2-bin python3-fonttools

# The collection holds three faces; the proportional one is face 0, which ImageMagick picks from the file.
font=$(fc-list -f '%{file}\t%{index}\n' "$family" | awk -F'\t' '$2 == 0 { print $1; exit }')
if [ -z "$font" ]; then
  echo "The font \"$family\" was not found." >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Draws one character without anti-aliasing, cropped to its ink.
draw() { # character pointsize file
  convert -background white -fill black -font "$font" -pointsize "$2" +antialias "label:$1" -trim +repage "$3"
}

mkdir -p "$out"
files=()
outlines=()
for row in "${pictures[@]}"; do
  read -r index stem character width height <<<"$row"
  codepoint=$(printf '%x' "'$character")
  if [ -z "$(fc-list -f '%{family}\n' "$family:charset=$codepoint")" ]; then
    echo "The font \"$family\" has no glyph for $character (U+$codepoint)." >&2
    exit 1
  fi

  pointsize=$((height - 3))
  while :; do
    draw "$character" "$pointsize" "$work/glyph.png"
    read -r inkw inkh < <(identify -format '%w %h\n' "$work/glyph.png")
    if [ "$inkw" -le $((width - 2 * margin)) ] && [ "$inkh" -le $((height - 2 * margin)) ]; then break; fi
    pointsize=$((pointsize - 1))
    if [ "$pointsize" -lt 8 ]; then
      echo "$character does not fit in ${width}x${height}." >&2
      exit 1
    fi
  done

  file="$out/${index}_${stem}.gif"
  convert "$work/glyph.png" -background white -gravity center -extent "${width}x${height}" \
    -strip -colors 2 -type Palette "$file"
  files+=("$file")
  outlines+=("$index $character $width $height $pointsize")
  echo "${index}_${stem}.gif  ${width}x${height}  $character at ${pointsize} pt, ink ${inkw}x${inkh}"
done

printf '%s\n' "${outlines[@]}" | /usr/bin/python3 "$root/tools/extract_outlines.py" "$font" 0 "$out/outlines.txt"
echo "outlines.txt  ${#outlines[@]} characters"

icon="$root/content/icon/quorvel-32.png"
rsvg-convert --width 32 --height 32 --format png "$root/content/icon/quorvel.svg" --output "$icon"
echo "icon/quorvel-32.png  32x32"

if [ -n "$sheet" ]; then
  montage "${files[@]}" "$icon" -background '#c0c0c0' -geometry '+2+2' -tile 7x "$work/sheet.png"
  convert "$work/sheet.png" -scale 400% "$sheet"
  echo "Contact sheet: $sheet"
fi
