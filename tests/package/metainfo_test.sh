#!/bin/sh
# metainfo_test.sh <packaging folder> <metainfo file name>
# The AppStream metainfo passes appstreamcli, without looking anything up on the network, and every
# screenshot it names is a file of the packaging's screenshots, every launcher it names a desktop entry.
set -eu
packaging=$1 metainfo=$1/$2
appstreamcli validate --no-net "$metainfo"
grep -o '<image>[^<]*</image>' "$metainfo" | sed 's|</image>||; s|.*/||' | while IFS= read -r name; do
    if [ ! -f "$packaging/screenshots/$name" ]; then
        echo "the metainfo names the screenshot $name, which packaging/screenshots does not hold" >&2
        exit 1
    fi
done
grep -o '<launchable type="desktop-id">[^<]*</launchable>' "$metainfo" | sed 's|<[^>]*>||g' | while IFS= read -r name; do
    if [ ! -f "$packaging/$name" ]; then
        echo "the metainfo launches $name, which packaging does not hold" >&2
        exit 1
    fi
done
