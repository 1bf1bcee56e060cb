#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh build -DVANTOREL_BUILD_TESTS=OFF
exec build/src/app/vantorel "$@"
