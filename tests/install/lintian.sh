#!/bin/sh
# Packs the build as scripts/package.sh does (cpack -G DEB) into a scratch folder and runs Debian's
# package checker on the package: any error or warning fails. Skips (exit 77) where lintian, or the
# dpkg-shlibdeps that cpack needs, is missing (scripts/deps.sh installs both).
#   lintian.sh <build folder> <scratch folder>
build=$1
scratch=$2
for tool in lintian dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/deps.sh installs it)"
        exit 77
    fi
done
rm -rf "$scratch"
mkdir -p "$scratch"
# cpack first brings the build up to date, which after a build finds nothing to do.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    exit 1
fi
set -- "$scratch"/vantorel_*.deb
if [ ! -f "$1" ]; then
    echo "cpack wrote no package:"
    cat "$scratch/cpack.log"
    exit 1
fi
exec sh "$(dirname "$0")/validate.sh" lintian lintian --fail-on error,warning "$1"
