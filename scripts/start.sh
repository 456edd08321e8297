#!/usr/bin/env bash
# Set-up, release build, and the program started in the bundled data directory.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset release
cmake --build --preset release --target selektor
cd data
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    exec xvfb-run -a ../build/release/src/app/selektor
fi
exec ../build/release/src/app/selektor
