#!/usr/bin/env bash
# The bash and zsh completion of tolmena-cli offer its commands, a command's options and the
# setting keys of --set (zsh only when it is installed).
# Usage: completion.sh PATH/TO/tolmena-cli SOURCE_DIR
set -euo pipefail
cli=$(realpath "$1")
completion=$2/dist/completion
export XDG_CONFIG_HOME=$(mktemp -d)
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
failures=0

# The line typed so far, then the words it must offer (and, after "!", one it must not).
cases=(
    "|settings describe jpeg batch-convert filter"
    "b|batch-convert!filter"
    "--set Par|Param1= Param3="
    "--set=bulkconv.Fa|bulkconv.FastShrink="
    "--set bulkfilter.RemoveAPP1|bulkfilter.RemoveAPP15="
    "-|--profile --set --quiet --version"
    "batch-convert -|-j --recursive --fast --quiet"
    "--set Param1=90 jpeg --|--in-place --keep-metadata!--fast"
    "settings --section |bulkconv bulkfilter default"
)

check() { # shell, line, offered words
    local shell=$1 typed=$2 offered=" $3 " want=${4%%!*} refused=""
    [[ $4 == *!* ]] && refused=${4#*!}
    for word in $want; do
        [[ $offered == *" $word "* ]] || { echo "FAIL: $shell '$typed' lacks $word:$offered" >&2; failures=$((failures + 1)); }
    done
    if [[ -n $refused && $offered == *" $refused "* ]]; then
        echo "FAIL: $shell '$typed' offers $refused" >&2
        failures=$((failures + 1))
    fi
}

bash_offers() {
    COMP_LINE="$cli $1"
    COMP_POINT=${#COMP_LINE}
    _tolmena_cli
    echo "${COMPREPLY[*]}"
}
source "$completion/tolmena-cli.bash"
for entry in "${cases[@]}"; do
    check bash "${entry%%|*}" "$(bash_offers "${entry%%|*}")" "${entry#*|}"
done

if command -v zsh >/dev/null; then
    # Stand-ins for the completion system: compadd prints the candidates that start with the
    # word being completed, as zsh would offer them.
    cat >"$XDG_CONFIG_HOME/system.zsh" <<'ZSH'
compadd() {
    local -a given
    local arrays=0 name
    while [[ $1 == -* && $1 != -- ]]; do
        case $1 in
        -a) arrays=1 ;;
        -[SPJX]) shift ;;
        esac
        shift
    done
    [[ $1 == -- ]] && shift
    if ((arrays)); then
        for name; do given+=(${(P)name}); done
    else
        given=("$@")
    fi
    print -rl -- ${(M)given:#${PREFIX}*}
}
compset() { [[ $1 == -P ]] && PREFIX=${PREFIX#$2}; }
_files() { print FILES; }
words=("$CLI" ${(z)TYPED})
[[ -z $TYPED || $TYPED == *" " ]] && words+=("")
CURRENT=${#words}
PREFIX=${words[CURRENT]}
source $COMPLETION
ZSH
    zsh_offers() {
        CLI=$cli COMPLETION=$completion/_tolmena-cli TYPED=$1 \
            zsh -f "$XDG_CONFIG_HOME/system.zsh" | tr '\n' ' '
    }
    for entry in "${cases[@]}"; do
        check zsh "${entry%%|*}" "$(zsh_offers "${entry%%|*}")" "${entry#*|}"
    done
fi
[ "$failures" -eq 0 ] || exit 1
echo "completion offers what the program takes"
