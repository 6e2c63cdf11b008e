# Completion of mezura-conv in bash: its options, the windows after -w and --list, and the
# names of the units, asked of mezura-conv itself.
_mezura_conv()
{
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local words
    case $prev in
    -w | --w | --list | -list)
        # The heading of each window in the list: "温度 (temp, temperature)".
        words=$(mezura-conv --list 2>/dev/null | sed -n 's/^\([^ ][^ ]*\) (\([a-z, ]*\))$/\1, \2/p' | sed 's/, /\n/g')
        ;;
    *)
        if [[ $cur == -* && $cur != -[0-9.]* ]]; then
            words=$'-u\n-w\n--json\n--list\n--names\n-h\n--help\n--version'
        else
            words=$(mezura-conv --names 2>/dev/null)
        fi
        ;;
    esac
    COMPREPLY=()
    local word
    while IFS= read -r word; do
        [[ $word == "$cur"* ]] && COMPREPLY+=("$(printf '%q' "$word")")
    done <<<"$words"
}
complete -F _mezura_conv mezura-conv
