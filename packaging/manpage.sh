#!/bin/sh
# Writes a manual page: the hand-written sections of TAIL, with the OPTIONS section in place of
# its line '.\" OPTIONS' written from the program's own --help (and that of each subcommand,
# found in the help's "Subcommands:" list), so the page and --help cannot drift apart.
#   manpage.sh PROGRAM NAME SUMMARY VERSION TAIL OUTPUT
set -eu
program=$1 name=$2 summary=$3 version=$4 tail=$5 output=$6

# Roff-safe text: backslashes escaped, a leading dot or quote made literal.
roff() { sed -e 's/\\/\\e/g' -e "s/^\\([.']\\)/\\\\\\&\\1/" -e 's/-/\\-/g'; }

# The help of "$@" as a literal block, then that of each of its subcommands.
section() {
    help=$("$program" "$@" --help)
    if [ $# -gt 0 ]; then printf '.SS "%s %s"\n' "$name" "$*"; fi
    printf '.nf\n'
    printf '%s\n' "$help" | roff
    printf '.fi\n'
    for sub in $(printf '%s\n' "$help" | sed -n '/^Subcommands:/,$p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
        section "$@" "$sub"
    done
}

{
    printf '.TH %s 1 "" "Norlix Drennow %s" "User Commands"\n' \
        "$(printf '%s' "$name" | tr 'a-z' 'A-Z' | sed 's/-/\\-/g')" "$version"
    printf '.SH NAME\n%s \\- %s\n' "$(printf '%s' "$name" | sed 's/-/\\-/g')" "$summary"
    sed '/^\.\\" OPTIONS$/,$d' "$tail"
    printf '.SH OPTIONS\n'
    section
    sed '1,/^\.\\" OPTIONS$/d' "$tail"
} >"$output.tmp"
mv "$output.tmp" "$output"
