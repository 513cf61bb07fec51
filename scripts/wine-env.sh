# Sourced: points Wine at a prefix inside the given build directory, quiet.
# usage: source scripts/wine-env.sh <build-dir> [prefix-name]
export WINEPREFIX="$1/${2:-wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE=/usr/lib/wine/wine64
