#!/usr/bin/env bash
# Builds and runs the demo host under Wine. Without a display it runs under Xvfb, takes the
# demo's tour, saves a PNG screenshot in the build tree and a picture of each step of the tour
# in docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}/x86_64
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" x86_64 "$(dirname "$build")"
source "$root/scripts/wine-env.sh" "$build" demo-prefix
[ -d "$WINEPREFIX" ] || "$root/scripts/fresh-prefix.sh"
if [ -f "$build/servers.txt" ]; then
  while read -r server; do "$WINE" regsvr32 /s "$server"; done < "$build/servers.txt"
  # The registration ran without a display: a server started then would keep a desktop that
  # cannot make windows.
  wineserver -k 2>/dev/null || true
fi
if [ -n "${DISPLAY:-}" ]; then
  "$WINE" "$build/demo/velmora_demo.exe"
else
  shot="$build/demo-screenshot.png"
  docs="$root/docs"
  rm -f "$shot"
  mkdir -p "$docs"
  xvfb-run -a -s "-screen 0 1280x1024x24" "$WINE" "$build/demo/velmora_demo.exe" --screenshot "Z:${shot//\//\\}" \
    --screenshots "Z:${docs//\//\\}"
  wineserver -k 2>/dev/null || true
  [ -f "$shot" ] || { echo "demo: no screenshot was written" >&2; exit 1; }
  echo "Screenshot: $shot"
  echo "Tour pictures: $docs"
fi
