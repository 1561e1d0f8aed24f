# bash completion for rlx-cli: its commands, each command's options, serial
# ports after --port, settings files where a file is taken.

_rlx_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="ports identify read write defaults test measure report convert diff get set backup"
    # The command comes after the global options (--lang takes a value).
    local at=1
    while [[ $at -lt $cword && ${words[at]} == -* ]]; do
        [[ ${words[at]} == --lang ]] && ((at++))
        ((at++))
    done
    if [[ $prev == --lang ]]; then
        COMPREPLY=($(compgen -W "en ru system default" -- "$cur"))
        return
    fi
    if [[ $cword -eq $at ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version --verbose --lang" -- "$cur"))
        return
    fi
    local command=${words[at]}

    case $prev in
        -p | --port)
            COMPREPLY=($(compgen -W "$(rlx-cli ports 2>/dev/null | sed 's/ (.*)$//')" -- "$cur"))
            return
            ;;
        -o | --output | --csv)
            _filedir
            return
            ;;
        --dir)
            _filedir -d
            return
            ;;
        --addresses | --test | --rounds | --duration | --count | --min-share | --site | --technician | --note | --format)
            return
            ;;
    esac

    local options="--port --help"
    case $command in
        ports) options="--json --help" ;;
        identify) options="--port --json --help" ;;
        read) options="--port --json -o --output --help" ;;
        write) options="--port --no-verify --force --help" ;;
        defaults) options="--port --help" ;;
        test) options="--port --addresses --rounds --duration --csv --min-share --help" ;;
        measure) options="--port --count --csv --help" ;;
        report) options="--port -o --output --test --rounds --site --technician --note --help" ;;
        convert) options="--help" ;;
        diff | get | set) options="--port --help" ;;
        backup) options="--port --dir --help" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
        write | convert | diff) _filedir '@(rlx|json)' ;;
        get | set)
            local keys="delTxRx power radioRate chanel parity stopBit subBand serialTimeout radioTransmitReset serialRate wdtReset testAdres averaging1 averaging2 diskret1 diskret2 flowControl delRxTx delRequest numOfDown radioModuleReset adreses"
            if [[ $command == set ]]; then
                compopt -o nospace
                COMPREPLY=($(compgen -W "$keys" -S = -- "$cur"))
            else
                COMPREPLY=($(compgen -W "$keys" -- "$cur"))
            fi
            ;;
    esac
} && complete -F _rlx_cli rlx-cli
