#!/bin/sh
# Runs a validator and fails on anything it reports, or skips (exit 77) where it is missing:
#   validate.sh <Debian package> <validator> <arguments...>
package=$1
shift
if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIP: $1 is not installed (Debian package $package; scripts/deps.sh installs it)"
    exit 77
fi
# Warnings count as failures too: a software centre may drop an entry over them.
out=$("$@" 2>&1)
rc=$?
[ -n "$out" ] && printf '%s\n' "$out"
if [ "$rc" -ne 0 ]; then
    exit "$rc"
fi
case "$out" in
    *error:*|*warning:*|*"E: "*|*"W: "*) exit 1 ;;
esac
exit 0
