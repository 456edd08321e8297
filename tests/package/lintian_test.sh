#!/bin/sh
# lintian_test.sh <folder holding the .deb>
# lintian on the package: no error, no warning, and none of the hardening tags it gives as information.
set -eu
if ! command -v lintian >/dev/null 2>&1; then
    echo "lintian is not installed: nothing checked"
    exit 77
fi
set -- "$1"/*.deb
report=$(lintian --display-info --fail-on none "$1" 2>&1)
printf '%s\n' "$report"
if printf '%s\n' "$report" | grep -E '^(E|W): |^I: [^ ]+: hardening-'; then
    echo "lintian finds the lines above" >&2
    exit 1
fi
