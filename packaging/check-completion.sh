#!/bin/bash
# Completes typed command lines with the bash completion COMPLETION (drennow-cli on PATH) and
# compares each answer with the expected words. PREFIX is a prefix holding one backup and one
# ignore-list entry.
#   check-completion.sh COMPLETION PREFIX
set -u
source "$1"
prefix=$2
failed=0
while IFS='|' read -r line expected; do
    read -r -a COMP_WORDS <<<"$line"
    COMP_CWORD=${#COMP_WORDS[@]}
    # A line ending in a space completes a new, empty word.
    [[ $line == *" " ]] && COMP_WORDS+=("") || COMP_CWORD=$((COMP_CWORD - 1))
    COMPREPLY=()
    _drennow_cli
    got="${COMPREPLY[*]}"
    if [ "$got" != "$expected" ]; then
        echo "check-completion: \"$line\" gives \"$got\", not \"$expected\"" >&2
        failed=1
    fi
done <<EOF_TABLE
drennow-cli sc|scan
drennow-cli --demo backups re|restore
drennow-cli --demo backups delete --j|--json
drennow-cli scan --j|--json
drennow-cli repair --no|--no-backup
drennow-cli browser --un|--unlock-regedit
drennow-cli scan --sections 1|1 10 11 12 13 14
drennow-cli scan --sections 3,start|3,Startup\ Programs
drennow-cli repair --sections add/|Add/Remove\ Programs
drennow-cli --prefix $prefix backups show |1
drennow-cli --demo backups show |
drennow-cli ig|ignore
drennow-cli --demo ignore a|add add-shortcut
drennow-cli --demo ignore add HKCU\\X --|--name --key --help
drennow-cli --demo ignore list --|--json --help
drennow-cli scan --no-|--no-ignore
drennow-cli scan --ex|--explain
drennow-cli --demo ignore remove |
drennow-cli --prefix $prefix ignore remove |1
EOF_TABLE
exit $failed
