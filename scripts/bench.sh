#!/usr/bin/env bash
# Builds x86_64 and runs every benchmark program under Wine (Xvfb without a display) in a
# prefix of its own with our servers (and the benchmarks' trivial control) registered. Section
# names given (load, edits, shapes, drawing, picking, grouped, folders, recordset, form, design)
# run only those sections.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}/x86_64
if [ "${1:-}" = "--run" ]; then
  shift
  source "$root/scripts/wine-env.sh" "$build" bench-prefix
  "$root/scripts/fresh-prefix.sh"
  while read -r server; do "$WINE" regsvr32 /s "$server"; done < "$build/servers.txt"
  for server in "$build"/benchmarks/*.dll; do "$WINE" regsvr32 /s "$server"; done
  [ -f "$build/ado-typelib.reg" ] && "$WINE" reg import "Z:${build//\//\\}\\ado-typelib.reg"
  for bench in "$build"/benchmarks/*.exe; do
    echo "== $(basename "$bench")"
    "$root/scripts/wine-run.sh" "$bench" "$@"
  done
  wineserver -k 2>/dev/null || true
  exit 0
fi
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" x86_64 "$(dirname "$build")" > /dev/null
if [ -n "${DISPLAY:-}" ]; then "$0" --run "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --run "$@"; fi
