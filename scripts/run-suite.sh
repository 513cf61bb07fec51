#!/usr/bin/env bash
# Runs under a display: fresh prefix in the build tree, then ctest (which registers our
# servers with regsvr32 first). Ends with ctest's summary and its exit code.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
source "$root/scripts/wine-env.sh" "$build"
"$root/scripts/fresh-prefix.sh"
ctest --test-dir "$build" --output-on-failure --timeout 300 > "$build/ctest.log" 2>&1
rc=$?
wineserver -k 2>/dev/null
cat "$build/ctest.log"
exit $rc
