# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Bash completion for quorvel-cli: its options, and file names after the
# options that take a file. Installed as completions/quorvel-cli, it is
# loaded by bash-completion, whose helpers it uses.
_quorvel_cli() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        --save | --open | --pair)
            _filedir qvr
            return
            ;;
        --batch)
            _filedir csv
            return
            ;;
        --name | --date | --time | --zone | --lon | --lat | --place)
            return
            ;;
    esac

    # --pair takes two files: the word after its first one is a file too.
    if [[ $cword -ge 3 && ${words[cword - 2]} == --pair ]]; then
        _filedir qvr
        return
    fi

    COMPREPLY=($(compgen -W '--name --date --time --zone --lon --lat --dst --place --json
        --save --open --pair --batch --span --help --version' -- "$cur"))
}
complete -F _quorvel_cli quorvel-cli
