#!/usr/bin/env bash
# Installs the Debian packages Vantorel needs to build, run and test, skipping those already there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-svg-dev qt6-translations-l10n libqt6svg6
    # Qt Charts' CMake files ask for Qt OpenGL's, which Debian ships in a package of their own.
    qt6-charts-dev libqt6opengl6-dev
    libmuparser-dev
    fonts-arphic-uming fonts-dejavu-core
    poppler-utils
    desktop-file-utils appstream
    lintian dpkg-dev file
)
# Extra packages a caller asks for (the benchmarks, the screenshots) come after the list.
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
