# bash completion for tolmena-cli: commands, their options and the setting keys of --set, read
# from the program itself so that they follow its version.

# The keys --set takes: section "default" as they are, the batch sections with their prefix.
_tolmena_cli_keys() {
    local program=$1 section
    "$program" settings 2>/dev/null | sed 's/=.*/=/'
    for section in bulkconv bulkfilter; do
        "$program" settings --section "$section" 2>/dev/null | sed "s/=.*/=/; s/^/$section./"
    done
}

# A command's options, as its usage line shows them, and the ones every command takes.
_tolmena_cli_options() {
    local program=$1 command=$2
    if [[ -z $command ]]; then
        echo "--profile --set -q --quiet -v --verbose -h --help --version"
        return
    fi
    "$program" "$command" --help 2>/dev/null | sed -n '1s/^Usage: tolmena-cli .*\.\.\. //p' |
        grep -oE -- '(^|[[ |])--?[a-z][-a-z]*' | tr -d '[ |'
    printf '%s\n' -q --quiet -v --verbose --help
    case $command in filter | batch-convert) printf '%s\n' --jobs --recursive ;; esac
}

_tolmena_cli() {
    # Words split at blanks only, so that "--set Key=Value" stays one word.
    local line=${COMP_LINE:0:COMP_POINT} words command="" i
    read -ra words <<<"$line"
    [[ ${#words[@]} -eq 0 || $line == *[[:space:]] ]] && words+=("")
    local program=${words[0]} cur=${words[-1]} prev=""
    ((${#words[@]} > 1)) && prev=${words[-2]}
    if [[ $cur == --set=* ]]; then
        prev=--set
        cur=${cur#--set=}
    fi
    # The command: the first word that is neither an option nor the value of a global option.
    for ((i = 1; i < ${#words[@]} - 1; i++)); do
        case ${words[i]} in
        --profile | --set) ((i++)) ;;
        -*) ;;
        *)
            command=${words[i]}
            break
            ;;
        esac
    done
    COMPREPLY=()
    case $prev in
    --set)
        compopt -o nospace 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -W "$(_tolmena_cli_keys "$program")" -- "$cur")
        return
        ;;
    --section)
        mapfile -t COMPREPLY < <(compgen -W "default bulkconv bulkfilter" -- "$cur")
        return
        ;;
    --from | --to)
        mapfile -t COMPREPLY < <(compgen -W "us-ascii iso-2022-jp euc-jp shift_jis utf-8" -- "$cur")
        return
        ;;
    --quality | -j | --jobs | --gamma | --contrast | --bias) return ;;
    esac
    if [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_tolmena_cli_options "$program" "$command" | sort -u)" -- "$cur")
    elif [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "$("$program" --help 2>/dev/null |
            sed -n 's/^  \([a-z][-a-z]*\) .*/\1/p')" -- "$cur")
    else
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}
complete -F _tolmena_cli tolmena-cli
