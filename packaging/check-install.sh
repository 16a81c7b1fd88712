#!/bin/sh
# Installs the build folder BUILD into a temporary root (DESTDIR) and checks the result as a
# user would meet it: the installed drennow-cli scans the demo prefix from another folder, both
# programs print VERSION, the desktop entry and the metainfo validate, both manual pages render
# without warnings and name every option of their program's --help, and the installed files
# (outside the demo prefix's drives) are those of installed-files.txt, and the bash completion
# completes commands, options, section names and backup numbers.
#   check-install.sh BUILD VERSION
set -eu
build=$(cd "$1" && pwd) version=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/drennow-install-XXXXXX")
trap 'rm -rf "$work"' EXIT
root="$work/root"
fail() { echo "check-install: $*" >&2; exit 1; }

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"

# The expected files, the demo prefix's drive folders and links aside (they are its content).
(cd "$root" && find . -type f -o -type l) | sed 's|^\./||' | grep -v '^usr/share/drennow/demo-prefix/d' |
    sort >"$work/found.txt"
sort "$here/installed-files.txt" | diff -u - "$work/found.txt" >&2 || fail "installed files differ"

cd /
status=0
out=$("$usr/bin/drennow-cli" --demo scan) || status=$?
[ "$status" -eq 1 ] || fail "installed drennow-cli --demo scan exited $status, not 1 (problems found)"
printf '%s\n' "$out" | grep -q 'problem(s) found' || fail "installed scan printed no problem count"

for program in drennow-cli drennow; do
    [ -x "$usr/bin/$program" ] || continue
    got=$("$usr/bin/$program" --version)
    [ "$got" = "$program $version" ] || fail "$program --version says \"$got\", not \"$program $version\""
done

desktop-file-validate "$usr"/share/applications/*.desktop
appstreamcli validate --no-net --no-color "$usr"/share/metainfo/*.metainfo.xml >/dev/null ||
    fail "metainfo does not validate: $(appstreamcli validate --no-net "$usr"/share/metainfo/*.xml)"

# Every option the program's help shows (each subcommand's too) is on its rendered page.
options_of() {
    program=$1; shift
    help=$("$program" "$@" --help)
    printf '%s\n' "$help" | grep -o -- '--[a-z][a-z-]*'
    for sub in $(printf '%s\n' "$help" | sed -n '/^Subcommands:/,$p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p'); do
        options_of "$program" "$@" "$sub"
    done
}
for program in drennow-cli drennow; do
    page="$usr/share/man/man1/$program.1.gz"
    rendered=$(MANWIDTH=100 man --warnings -l "$page" 2>"$work/man-warnings.txt")
    [ ! -s "$work/man-warnings.txt" ] || fail "man -l $program.1 warns: $(cat "$work/man-warnings.txt")"
    printf '%s\n' "$rendered" | grep -q "EXIT STATUS" || fail "$program.1 has no EXIT STATUS"
    for option in $(options_of "$usr/bin/$program" | sort -u); do
        printf '%s\n' "$rendered" | grep -q -- "$option" || fail "$program.1 does not name $option"
    done
done
# The completion, with drennow-cli from the installation and a prefix holding one backup and
# one ignored key.
cp -R "$usr/share/drennow/demo-prefix" "$work/prefix"
"$usr/bin/drennow-cli" --prefix "$work/prefix" repair --sections 3 --backup --yes >/dev/null ||
    fail "installed drennow-cli cannot repair a copy of the demo prefix"
"$usr/bin/drennow-cli" --prefix "$work/prefix" ignore add 'HKCU\Software\Gone' --key >/dev/null ||
    fail "installed drennow-cli cannot add to the ignore list of a copy of the demo prefix"
PATH="$usr/bin:$PATH" bash "$here/check-completion.sh" \
    "$usr/share/bash-completion/completions/drennow-cli" "$work/prefix" || fail "completion differs"
echo "check-install: ok"
