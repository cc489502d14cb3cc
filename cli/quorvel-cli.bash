# SPDX-FileCopyrightText: 2026 The Quorvel developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Bash completion for quorvel-cli: its options, and file names after the
# options that take a file. Installed as completions/quorvel-cli, it is
# loaded by bash-completion, whose helpers it uses.
_quorvel_cli() {
    local cur prev words cword
    _init_completion || return

    case $prev in
        --save | --open)
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

    COMPREPLY=($(compgen -W '--name --date --time --zone --lon --lat --dst --place --json
        --save --open --batch --span --help --version' -- "$cur"))
}
complete -F _quorvel_cli quorvel-cli
