#!/bin/sh
# Writes wine-short-names.txt: for each long name below, the short (8.3) name that the
# installed Wine gives it. Each name is put in a folder of its own in a scratch prefix, and
# `winepath -s` (GetShortPathNameW) asks Wine for its short path. (Wine 8's cmd prints the
# long form for %~sI, so cmd cannot be asked.) Run it again only when the names change:
#   tests/platform/files/data/make-wine-short-names.sh > tests/platform/files/data/wine-short-names.txt
set -eu

prefix=$(mktemp -d /tmp/drennow-short-names.XXXXXX)
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineboot -i >/dev/null 2>&1

names='Program Files
Program Files (x86)
Common Files
Internet Explorer
Windows NT
Notepad Plus.exe
Norton Utilities
a b.txt
My Documents
 leading space.txt
trailing space .txt
archive.tar.gz
version 1.2.3.exe
my.file.name.txt
Setup.exe.config
.profile
..double
.a
readme.txt
README.TXT
ReadMe.Txt
ab.c
ab
x
12345678.123
100%.txt
abcdefghi.txt
abcdefgh.txtx
document.html5
file.jpeg
a.verylongextension
longnamewithoutextension
abc~1.txt
tilde~name.txt
a+b=c.txt
x[1].dat
semi;colon.txt
comma,name.txt
Tōol.exe
Программа
café.txt
ñ.txt
日本語.txt
naïve file.doc
Ünïcödé Fïlé Nämé.txt
emoji 😀.txt
Case Test.txt
CASE TEST.txt
case test.txt
UPPER CASE NAME.EXE'

# One folder per name (so names differing only in case can all exist), and its Windows path.
set --
i=0
while IFS= read -r name; do
    i=$((i + 1))
    mkdir -p "$prefix/drive_c/sn/$i"
    : > "$prefix/drive_c/sn/$i/$name"
    set -- "$@" "C:\\sn\\$i\\$name"
done <<LIST
$names
LIST

echo "# Long name, tab, the short name Wine 8 gives it (GetShortPathNameW through winepath -s)."
echo "# Made by make-wine-short-names.sh with $(wine --version); UTF-8."
wine winepath -s "$@" | tr -d '\r' > "$prefix/short.txt"
printf '%s\n' "$names" > "$prefix/long.txt"
# Only the last component of each short path is the name's own short form.
sed 's/.*\\//' "$prefix/short.txt" | paste "$prefix/long.txt" -
WINEPREFIX="$prefix" wineserver -w
