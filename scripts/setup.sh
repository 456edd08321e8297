#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tools is missing on a Debian 12 machine. The
# last line serves the package: cpack finds its dependencies with dpkg-shlibdeps and file, its tests
# read the program with readelf and ask lintian and appstreamcli.
set -euo pipefail

packages=(
    cmake ninja-build g++
    qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-multimedia-dev qt6-translations-l10n qt6-qpa-plugins
    libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth poppler-utils
    clang-format-14 clang-14 libclang-rt-14-dev
    dpkg-dev file binutils lintian appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
