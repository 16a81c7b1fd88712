#!/bin/sh
# Builds the .deb of the build folder BUILD with CPack into a temporary folder and checks it:
# its files are those of installed-files.txt (plus the demo prefix's drives), it depends on
# the shared libraries the programs link and recommends wine, and lintian (when installed)
# reports no error.
#   check-package.sh BUILD
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d "${TMPDIR:-/tmp}/drennow-package-XXXXXX")
trap 'rm -rf "$out"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

(cd "$out" && cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1) ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/*.deb)

dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' |
    grep -v '^usr/share/drennow/demo-prefix/d' | sort >"$out/found.txt"
sort "$here/installed-files.txt" | diff -u - "$out/found.txt" >&2 || fail "package files differ"

depends=$(dpkg-deb -f "$deb" Depends)
printf '%s\n' "$depends" | grep -q 'libc6' || fail "Depends has no shared library: \"$depends\""
[ "$(dpkg-deb -f "$deb" Recommends)" = wine ] || fail "Recommends is not wine"

if command -v lintian >/dev/null; then
    lintian --no-tag-display-limit "$deb" >"$out/lintian.txt" 2>&1 || true
    if grep -q '^E:' "$out/lintian.txt"; then cat "$out/lintian.txt" >&2; fail "lintian reports errors"; fi
fi
echo "check-package: ok ($(basename "$deb"))"
