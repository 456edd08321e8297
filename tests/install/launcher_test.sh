#!/bin/sh
# sh launcher_test.sh <launcher> <bin dir> <program dir> <data dir>
#
# The launcher in an installation of its own, with a stand-in program that reports where it was started
# and with what, and a small default data folder of every kind of file the launcher tells apart.
set -eu
launcher=$1
bindir=$2
programdir=$3
datadir=$4

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
same() {
    cmp -s "$1" "$2" || fail "$3"
}

root="$scratch/root"
defaults="$root/$datadir"
mkdir -p "$root/$bindir" "$root/$programdir" "$defaults/pomoc"
cp "$launcher" "$root/$bindir/selektor"
cat >"$root/$programdir/selektor" <<'STAND_IN'
#!/bin/sh
{
    pwd
    for argument in "$@"; do
        printf '%s\n' "$argument"
    done
} >"$STAND_IN_REPORT"
STAND_IN
chmod +x "$root/$bindir/selektor" "$root/$programdir/selektor"
for name in Losowania.txt Losowanie.dat Stat.dat PX1.txt X1X2.txt PY1.txt Y1Y2.txt PYK.txt PYDL.txt PNR.txt \
    Flute.wav Stn.wav "TEMATY POMOCY.html" "pomoc/strona 1.html" pomoc/styl.css; do
    printf 'default %s\n' "$name" >"$defaults/$name"
done
STAND_IN_REPORT="$scratch/report"
export STAND_IN_REPORT

# First run, through a link on the PATH as a package manager or a player might make: the folder is
# made and filled with every default file, and the program starts in it with the arguments as given.
mkdir "$scratch/path"
ln -s "$root/$bindir/selektor" "$scratch/path/selektor"
XDG_DATA_HOME="$scratch/xdg" PATH="$scratch/path:$PATH" selektor "system 1.txt" -x
folder="$scratch/xdg/selektor"
printf '%s\n%s\n%s\n' "$folder" "system 1.txt" -x >"$scratch/expected"
same "$scratch/report" "$scratch/expected" "the program did not start in $folder with its arguments"
(cd "$defaults" && find . -type f) | while IFS= read -r path; do
    same "$defaults/$path" "$folder/$path" "$path was not copied on the first run"
done
if [ -n "$(find "$folder" -name '*.kopia')" ]; then
    fail "a file was left under its passing name"
fi

# The player adds a draw, calibrates a print position, puts in a sound of their own and loses one print
# position; then a new version of the program brings other defaults. Nothing the player wrote changes,
# the missing print position comes back, and the help the player never touched follows the program.
for name in Losowania.txt Losowanie.dat Stat.dat PX1.txt Flute.wav; do
    printf 'player %s\n' "$name" >"$folder/$name"
    cp "$folder/$name" "$scratch/$name.player"
done
rm "$folder/PY1.txt"
for name in Losowania.txt Losowanie.dat Stat.dat PX1.txt Flute.wav "TEMATY POMOCY.html" "pomoc/strona 1.html"; do
    printf 'new default %s\n' "$name" >"$defaults/$name"
done
XDG_DATA_HOME="$scratch/xdg" "$root/$bindir/selektor"
for name in Losowania.txt Losowanie.dat Stat.dat PX1.txt Flute.wav; do
    same "$folder/$name" "$scratch/$name.player" "the player's $name was overwritten"
done
same "$folder/PY1.txt" "$defaults/PY1.txt" "the missing print position was not copied again"
same "$folder/TEMATY POMOCY.html" "$defaults/TEMATY POMOCY.html" "the help contents did not follow the program"
same "$folder/pomoc/strona 1.html" "$defaults/pomoc/strona 1.html" "a help page did not follow the program"
same "$folder/Stn.wav" "$defaults/Stn.wav" "an unchanged sound was lost"
# Through the version after: the player's own sound stays theirs, the untouched one follows the program.
printf 'newer default %s\n' Flute.wav >"$defaults/Flute.wav"
printf 'newer default %s\n' Stn.wav >"$defaults/Stn.wav"
XDG_DATA_HOME="$scratch/xdg" "$root/$bindir/selektor"
same "$folder/Flute.wav" "$scratch/Flute.wav.player" "the player's sound was overwritten by a later version"
same "$folder/Stn.wav" "$defaults/Stn.wav" "an untouched sound did not follow a later version"

# A folder holding one draw file of its own gets none of the defaults: one file of a set of three
# beside two defaults would be a broken history. A relative XDG_DATA_HOME counts as unset.
home="$scratch/home"
mkdir -p "$home/.local/share/selektor"
printf 'player Stat.dat\n' >"$home/.local/share/selektor/Stat.dat"
(cd "$scratch" && HOME="$home" XDG_DATA_HOME="xdg" "$root/$bindir/selektor")
folder="$home/.local/share/selektor"
[ "$(head -n 1 "$scratch/report")" = "$folder" ] || fail "the program did not start in $folder"
if [ -e "$folder/Losowania.txt" ] || [ -e "$folder/Losowanie.dat" ]; then
    fail "a default draw file was copied beside the player's own"
fi
[ "$(cat "$folder/Stat.dat")" = "player Stat.dat" ] || fail "the player's Stat.dat was overwritten"
same "$folder/PX1.txt" "$defaults/PX1.txt" "the other defaults were not copied"

# A first start cut short while moving the set into place (the set whole in its hidden folder, one file
# already moved): the next start moves the rest and keeps the one in place.
home="$scratch/interrupted"
folder="$home/selektor"
mkdir -p "$folder/.losowania-kopia"
printf 'moved Losowania.txt\n' >"$folder/Losowania.txt"
cp "$defaults/Losowanie.dat" "$defaults/Stat.dat" "$folder/.losowania-kopia/"
XDG_DATA_HOME="$home" "$root/$bindir/selektor"
[ "$(cat "$folder/Losowania.txt")" = "moved Losowania.txt" ] || fail "the file already moved was copied again"
same "$folder/Losowanie.dat" "$defaults/Losowanie.dat" "the rest of an interrupted set was not moved into place"
same "$folder/Stat.dat" "$defaults/Stat.dat" "the rest of an interrupted set was not moved into place"
[ ! -e "$folder/.losowania-kopia" ] || fail "the folder of a finished set was left behind"

# Cut short while copying: that copy never counted; the set is copied anew and whole.
home="$scratch/cut"
folder="$home/selektor"
mkdir -p "$folder/.losowania-kopia.niepelna"
printf 'half\n' >"$folder/.losowania-kopia.niepelna/Losowania.txt"
XDG_DATA_HOME="$home" "$root/$bindir/selektor"
for name in Losowania.txt Losowanie.dat Stat.dat; do
    same "$folder/$name" "$defaults/$name" "$name was not copied after an interrupted copy"
done
[ -z "$(find "$folder" -name '.losowania-kopia*')" ] || fail "an interrupted copy was left behind"

# What stops the launcher reaches the player through the program, in a window: a folder that cannot be
# made (a file stands in its way), and a set that cannot be copied.
printf 'in the way\n' >"$scratch/file"
XDG_DATA_HOME="$scratch/file" "$root/$bindir/selektor" 2>/dev/null
printf '%s\n%s\n%s\n' --selektor-launcher-failure folder "$scratch/file/selektor" >"$scratch/expected"
tail -n 3 "$scratch/report" >"$scratch/arguments"
same "$scratch/arguments" "$scratch/expected" "a folder that cannot be made was not shown to the player"
home="$scratch/blocked"
mkdir -p "$home/selektor"
printf 'not a folder\n' >"$home/selektor/.losowania-kopia"
XDG_DATA_HOME="$home" "$root/$bindir/selektor" 2>/dev/null
printf '%s\n%s\n%s\n' --selektor-launcher-failure kopia "$home/selektor" >"$scratch/expected"
tail -n 3 "$scratch/report" >"$scratch/arguments"
same "$scratch/arguments" "$scratch/expected" "a set that cannot be copied was not shown to the player"
for name in Losowania.txt Losowanie.dat Stat.dat; do
    [ ! -e "$home/selektor/$name" ] || fail "$name was copied although its set could not be"
done
