#!/bin/sh
# contents_test.sh <folder holding the .deb> <project version> <metainfo file name>
# What the package holds beside the program: its version and section, the copyright file, the changelog
# and the manual pages gzipped the way Debian wants them, the metainfo; and a program built hardened.
set -eu
version=$2 metainfo=$3
set -- "$1"/*.deb
deb=$1
fail() {
    echo "$*" >&2
    exit 1
}

[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
[ "$(dpkg-deb -f "$deb" Section)" = misc ] || fail "the package's section is not misc"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"

for file in usr/bin/selektor usr/libexec/selektor/selektor usr/share/doc/selektor/copyright \
    usr/share/doc/selektor/changelog.gz usr/share/man/man1/selektor.1.gz usr/share/man/pl/man1/selektor.1.gz \
    "usr/share/metainfo/$metainfo" usr/share/applications/selektor.desktop; do
    [ -f "$root/$file" ] || fail "the package lacks $file"
done

# gzip -n -9: no file name, no time stamp, the best compression (the same sources give the same bytes).
for file in usr/share/doc/selektor/changelog.gz usr/share/man/man1/selektor.1.gz usr/share/man/pl/man1/selektor.1.gz; do
    header=$(od -An -tx1 -N9 "$root/$file" | tr -d ' \n')
    [ "$header" = 1f8b08000000000002 ] || fail "$file is not gzipped with -n -9 (header $header)"
done
zcat "$root/usr/share/doc/selektor/changelog.gz" | head -1 | grep -q "^selektor ($version) " ||
    fail "the changelog does not begin with version $version"
grep -q "^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" \
    "$root/usr/share/doc/selektor/copyright" || fail "the copyright file is not machine-readable"
zcat "$root/usr/share/man/pl/man1/selektor.1.gz" | grep -q '^\.SH NAZWA' || fail "the Polish manual page has no NAZWA"
zcat "$root/usr/share/man/man1/selektor.1.gz" | grep -q "selektor $version" || fail "the manual page does not name $version"

# The hardening: a position-independent program, relocations read-only and bound at start, stack
# guards, fortified functions.
program=$root/usr/libexec/selektor/selektor
readelf -h "$program" | grep -q 'Type: *DYN' || fail "the program is not position-independent"
readelf -lW "$program" | grep -q GNU_RELRO || fail "the program has no read-only relocations"
readelf -dW "$program" | grep -Eq 'BIND_NOW|FLAGS_1.*NOW' || fail "the program's relocations are not bound at start"
symbols=$(readelf --dyn-syms -W "$program")
printf '%s\n' "$symbols" | grep -q __stack_chk_fail || fail "the program has no stack guards"
printf '%s\n' "$symbols" | grep -Eq '__[a-z_]+_chk(@| )' || fail "the program calls no fortified function"
echo "the package holds what it should"
