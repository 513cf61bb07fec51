# Sourced: points Wine at a prefix inside the given build directory, quiet. A build directory
# named i686 gets a 32-bit prefix and Wine's 32-bit loader.
# usage: source scripts/wine-env.sh <build-dir> [prefix-name]
export WINEPREFIX="$1/${2:-wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ "$(basename "$1")" = i686 ]; then
  export WINEARCH=win32
  export WINE=/usr/lib/wine/wine
else
  unset WINEARCH
  export WINE=/usr/lib/wine/wine64
fi
