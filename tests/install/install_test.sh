#!/bin/sh
# sh install_test.sh <cmake> <build folder> <data folder> <bin dir> <program dir> <data dir> <datarootdir>
#
# `cmake --install` into a scratch prefix puts exactly the launcher, the program, the whole default data,
# the desktop entry and the icon where the launcher and the desktop look for them; the installed launcher
# then starts the real program in a new player's folder filled from the installed data.
set -eu
cmake=$1
build=$2
data=$3
bindir=$4
programdir=$5
datadir=$6
datarootdir=$7

scratch=$(mktemp -d)
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

prefix="$scratch/prefix"
"$cmake" --install "$build" --prefix "$prefix" >"$scratch/install.log" || {
    cat "$scratch/install.log" >&2
    fail "cmake --install failed"
}

# Every file in its place, and nothing else installed.
{
    echo "$bindir/selektor"
    echo "$programdir/selektor"
    echo "$datarootdir/applications/selektor.desktop"
    echo "$datarootdir/icons/hicolor/scalable/apps/selektor.svg"
    for size in 16 22 24 32 48 64 128 256; do
        echo "$datarootdir/icons/hicolor/${size}x${size}/apps/selektor.png"
    done
    echo "$datarootdir/doc/selektor/copyright"
    echo "$datarootdir/doc/selektor/changelog.gz"
    echo "$datarootdir/man/man1/selektor.1.gz"
    echo "$datarootdir/man/pl/man1/selektor.1.gz"
    echo "$datarootdir/metainfo/invalid.selektor.selektor.metainfo.xml"
    (cd "$data" && find . -type f ! -name '.*' ! -name '*~') | while IFS= read -r path; do
        path=${path#./}
        cmp -s "$data/$path" "$prefix/$datadir/$path" || fail "$path of the default data was not installed"
        echo "$datadir/$path"
    done
} >"$scratch/listed"
sort "$scratch/listed" >"$scratch/expected"
(cd "$prefix" && find . -type f) | sed 's|^\./||' | sort >"$scratch/installed"
if ! cmp -s "$scratch/expected" "$scratch/installed"; then
    diff "$scratch/expected" "$scratch/installed" >&2 || true
    fail "the installed files are not the expected ones"
fi

# The real program, started through the installed launcher for a player with no folder yet: it runs in
# the new folder, filled from the installed data, and is still running a few seconds later.
home="$scratch/home"
mkdir "$home"
(
    unset XDG_DATA_HOME
    HOME="$home" XDG_RUNTIME_DIR="$home" QT_QPA_PLATFORM=offscreen exec "$prefix/$bindir/selektor"
) >"$scratch/program.log" 2>&1 &
program_pid=$!
folder="$home/.local/share/selektor"
tries=0
until [ "$(readlink "/proc/$program_pid/exe" 2>/dev/null || true)" = "$prefix/$programdir/selektor" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ]; then
        cat "$scratch/program.log" >&2
        fail "the launcher did not start the installed program"
    fi
    sleep 0.1
done
[ "$(readlink "/proc/$program_pid/cwd")" = "$folder" ] || fail "the program did not start in $folder"
sleep 3
if ! kill -0 "$program_pid" 2>/dev/null; then
    cat "$scratch/program.log" >&2
    fail "the program ended on its own right after starting"
fi
(cd "$prefix/$datadir" && find . -type f) | while IFS= read -r path; do
    cmp -s "$prefix/$datadir/$path" "$folder/$path" || fail "$path was not copied into the player's folder"
done
