#!/usr/bin/env bash
# Builds the Debian package vantorel_<version>_<arch>.deb: a Release build of the program, its help
# file and icons in build-package/ (or the folder given), packed by cpack -G DEB. Install it with
#   apt-get install ./build-package/vantorel_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build-package}
# dpkg-shlibdeps (dpkg-dev) and file find the libraries the package depends on.
scripts/deps.sh dpkg-dev file

# cpack would otherwise build everything, the tests too, before it installs.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null
cmake --build "$dir" --target vantorel vantorel_help vantorel_icons -j "$(nproc)"
(cd "$dir" && cpack -G DEB)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$dir/CMakeCache.txt")
deb="$dir/vantorel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "cpack did not write $deb" >&2; exit 1; }
dpkg-deb --field "$deb" Package Version Depends
dpkg-deb --contents "$deb"
# Debian's package checker must find nothing to warn about (the test install_lintian checks the same).
if command -v lintian >/dev/null; then
    lintian --fail-on error,warning "$deb"
fi
echo "Package: $deb"
