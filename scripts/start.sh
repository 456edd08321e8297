#!/usr/bin/env bash
# Set-up, release build, and Selektor started the way an installed copy starts: the release build is
# installed into build/start, and its launcher starts the program in the player's own folder,
# ${XDG_DATA_HOME:-~/.local/share}/selektor, filled from data/. The tracked data/ is only read.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build --preset release --target selektor selektor_docs
# Afresh each time, so a file taken out of data/ does not linger in the installed default data.
rm -rf build/start
cmake --install build/release --prefix "$PWD/build/start"
launcher=build/start/bin/selektor
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a "$launcher"
fi
exec "$launcher"
