#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Gives every tracked source file the two SPDX lines that name its copyright
# and licence, in the file's own comment syntax, at the top (after a shebang
# or an XML declaration):
#
#   tools/spdx-headers.sh
#
# A file that already names its licence is left alone, so the script is safe
# to run again. Files that can't carry a comment (pictures, data, the Debian
# packaging) are covered by .reuse/dep5 and skipped; so are the licence texts.
# Lists the files it changed, and those of a kind it knows no comment for:
# those need a rule here or a place in .reuse/dep5 before `reuse lint` passes.
set -euo pipefail
cd "$(dirname "$0")/.."

# REUSE-IgnoreStart
copyright='SPDX-FileCopyrightText: 2026 The Quorvel developers'
licence='SPDX-License-Identifier: GPL-3.0-or-later'
# REUSE-IgnoreEnd

# The Files: patterns of .reuse/dep5; `*` matches across folders there, as it
# does in [[ == ]] below.
mapfile -t covered < <(sed -n 's/^Files: *//p' .reuse/dep5 | tr ' ' '\n' | sed '/^$/d')

is_covered() { # path
  local pattern
  for pattern in "${covered[@]}"; do
    # shellcheck disable=SC2053  # the pattern is a glob on purpose
    [[ $1 == $pattern ]] && return 0
  done
  return 1
}

# The comment's opening and closing for a file, by its name or first line.
comment_style() { # path -> "open|close", or nothing for an unknown kind
  case "$1" in
    *.cpp | *.h | *.hpp | *.cc) echo '//|' ;;
    CMakeLists.txt | */CMakeLists.txt | *.cmake | *.sh | *.bash | *.supp | *.desktop | *.yml | *.yaml | *.py)
      echo '#|' ;;
    .gitignore | */.gitignore | .clang-format | *.lintian-overrides) echo '#|' ;;
    *.xml | *.svg | *.md | *.html) echo '<!--| -->' ;;
    *.[1-9]) echo '.\"|' ;;
    *) if head -c 2 "$1" | grep -q '^#!'; then echo '#|'; fi ;;
  esac
}

# The number of lines that must stay above the header: a shebang or an XML
# declaration.
kept_lines() { # path
  case "$(head -n 1 "$1")" in
    '#!'* | '<?xml'*) echo 1 ;;
    *) echo 0 ;;
  esac
}

add_header() { # path open close
  local file=$1 open=$2 close=$3 keep temp
  keep=$(kept_lines "$file")
  temp=$(mktemp)
  {
    head -n "$keep" "$file"
    printf '%s %s%s\n%s %s%s\n\n' "$open" "$copyright" "$close" "$open" "$licence" "$close"
    tail -n +"$((keep + 1))" "$file"
  } >"$temp"
  # Keep the file's mode (scripts stay executable).
  cat "$temp" >"$file"
  rm -f "$temp"
}

# The loop runs from a function, read whole before it starts: the script may
# rewrite itself, and bash reads a script as it goes.
main() {
  local unknown=() file style
  while IFS= read -r -d '' file; do
    case "$file" in LICENSE | LICENSES/* | .reuse/*) continue ;; esac
    [ -f "$file" ] || continue
    is_covered "$file" && continue
    head -n 10 "$file" | grep -q 'SPDX-License-Identifier:' && continue
    style=$(comment_style "$file")
    if [ -z "$style" ]; then
      unknown+=("$file")
      continue
    fi
    add_header "$file" "${style%%|*}" "${style#*|}"
    echo "added: $file"
  done < <(git ls-files -z)

  if [ ${#unknown[@]} -gt 0 ]; then
    printf 'no comment syntax known for: %s\n' "${unknown[@]}" >&2
    return 1
  fi
}

main; exit
