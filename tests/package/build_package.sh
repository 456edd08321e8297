#!/bin/sh
# build_package.sh <cpack> <build folder> <output folder>
# Makes the Debian package of the build into an empty output folder.
set -eu
cpack=$1 build=$2 out=$3
rm -rf "$out"
mkdir -p "$out"
"$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || {
    cat "$out/cpack.log"
    exit 1
}
set -- "$out"/*.deb
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "cpack made no single .deb in $out" >&2
    cat "$out/cpack.log"
    exit 1
fi
echo "built $1"
