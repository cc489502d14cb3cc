# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Bash completion for quorvel-cli: its options, and file names after the
# options that take a file. Installed as completions/quorvel-cli, it is
# loaded by bash-completion, whose helpers it uses.
_quorvel_cli() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        --save | --open | --pair | --for)
            _filedir qvr
            return
            ;;
        --batch)
            _filedir csv
            return
            ;;
        --ics)
            _filedir ics
            return
            ;;
        --tz)
            local zones=/usr/share/zoneinfo
            COMPREPLY=($(compgen -W "UTC $(cd "$zones" 2>/dev/null && find . -type f -path './[A-Z]*' \
                ! -name '*.tab' ! -path './right/*' ! -path './posix/*' | sed 's|^\./||')" -- "$cur"))
            return
            ;;
        --name | --date | --time | --zone | --lon | --lat | --place | --calendar)
            return
            ;;
    esac

    # --pair takes two files: the word after its first one is a file too;
    # --calendar two dates.
    if [[ $cword -ge 3 && ${words[cword - 2]} == --pair ]]; then
        _filedir qvr
        return
    fi
    [[ $cword -ge 3 && ${words[cword - 2]} == --calendar ]] && return

    COMPREPLY=($(compgen -W '--name --date --time --zone --lon --lat --dst --place --json
        --save --open --pair --batch --span --calendar --tz --for --ics --help --version' -- "$cur"))
}
complete -F _quorvel_cli quorvel-cli
