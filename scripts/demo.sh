#!/usr/bin/env bash
# Builds and runs the demo host under Wine. Without a display it runs its tour under Xvfb and
# saves a picture of each step worth one into docs/images/, where the user guide shows them.
# --dpi N (first) runs it on a screen of N dots per inch, in a prefix of its own, and saves the
# pictures into docs/images/dpiN/.
#   usage: scripts/demo.sh [--dpi N] [demo arguments]
set -euo pipefail
dpi=96
if [ "${1:-}" = --dpi ]; then
  dpi=${2:?--dpi needs a number}
  shift 2
fi
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}/x86_64
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" x86_64 "$(dirname "$build")"
prefix=demo-prefix
shots="$root/docs/images"
if [ "$dpi" != 96 ]; then
  prefix=demo-prefix-dpi$dpi
  shots="$root/docs/images/dpi$dpi"
fi
source "$root/scripts/wine-env.sh" "$build" "$prefix"
[ -d "$WINEPREFIX" ] || "$root/scripts/fresh-prefix.sh"
"$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f > /dev/null 2>&1
if [ -f "$build/servers.txt" ]; then
  while read -r server; do "$WINE" regsvr32 /s "$server"; done < "$build/servers.txt"
  [ -f "$build/ado-typelib.reg" ] && "$WINE" reg import "Z:${build//\//\\}\\ado-typelib.reg"
  # The registration ran without a display: a server started then would keep a desktop that
  # cannot make windows.
  wineserver -k 2>/dev/null || true
fi
if [ -n "${DISPLAY:-}" ]; then
  "$WINE" "$build/demo/velmora_demo.exe" "$@"
else
  # The tour's pictures go where the user guide shows them.
  mkdir -p "$shots"
  stamp="$build/demo-tour.stamp"
  touch "$stamp"
  # A screen as much larger as its dots are smaller: the demo's window grows with the DPI.
  screen="$((1280 * dpi / 96))x$((1024 * dpi / 96))x24"
  xvfb-run -a -s "-screen 0 $screen" "$WINE" "$build/demo/velmora_demo.exe" --screenshots "Z:${shots//\//\\}"
  wineserver -k 2>/dev/null || true
  fresh=$(find "$shots" -name '*.png' -newer "$stamp" | sort)
  [ -n "$fresh" ] || { echo "demo: no screenshot was written" >&2; exit 1; }
  echo "Screenshots:"
  echo "$fresh"
fi
