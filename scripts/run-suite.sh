#!/usr/bin/env bash
# Runs the suite of a build: scripts/run-suite.sh <build-dir>
# Test programs spend most of their time waiting on Wine and X, so several run side by side,
# each on a desktop of its own: an Xvfb display and a fresh Wine prefix with our servers
# registered by regsvr32 (VELMORA_TEST_DESKTOPS of them, 3 unless set). ctest hands the
# desktops out as resources (scripts/desktop-env.sh). Ends with ctest's summary and its exit code.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
count=${VELMORA_TEST_DESKTOPS:-3}
source "$root/scripts/wine-env.sh" "$build"
export VELMORA_DESKTOPS=$build/desktops
rm -rf "$VELMORA_DESKTOPS"
mkdir -p "$VELMORA_DESKTOPS"
log=$build/ctest.log

xvfbs=()
prefixes=()
stop_desktops() {
  for prefix in "${prefixes[@]}"; do WINEPREFIX=$prefix wineserver -k 2>/dev/null; done
  for pid in "${xvfbs[@]}"; do kill "$pid" 2>/dev/null; done
}
trap stop_desktops EXIT

# The first desktop has the build's usual prefix, which ctest run by hand uses too.
entries=()
for ((n = 0; n < count; n++)); do
  id=d$n
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$VELMORA_DESKTOPS/$id.display" 2> /dev/null &
  xvfbs+=($!)
  prefix=$build/wineprefix
  [ "$n" -eq 0 ] || prefix=$build/wineprefix-$id
  prefixes+=("$prefix")
  entries+=("{\"id\": \"$id\", \"slots\": 1}")
done
# A desktop: its display, a fresh prefix and the servers registered there.
prepare_desktop() {
  local n=$1 id=d$1
  for _ in $(seq 100); do [ -s "$VELMORA_DESKTOPS/$id.display" ] && break; sleep 0.1; done
  [ -s "$VELMORA_DESKTOPS/$id.display" ] || { echo "Xvfb did not start for desktop $id"; return 1; }
  printf 'DISPLAY=:%s\nWINEPREFIX=%s\n' "$(cat "$VELMORA_DESKTOPS/$id.display")" "${prefixes[n]}" > "$VELMORA_DESKTOPS/$id.env"
  (set -a; source "$VELMORA_DESKTOPS/$id.env"; set +a
   "$root/scripts/fresh-prefix.sh"
   ctest --test-dir "$build" --output-on-failure -R '^register_servers$' > "$VELMORA_DESKTOPS/$id.log" 2>&1) \
    || { cat "$VELMORA_DESKTOPS/$id.log"; echo "the servers could not be registered on desktop $id"; return 1; }
}
# The first desktop boots the pristine prefix if there is none yet; the others copy it meanwhile.
prepare_desktop 0 || exit 1
pids=()
for ((n = 1; n < count; n++)); do
  prepare_desktop "$n" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || exit 1; done
cat "$VELMORA_DESKTOPS"/d*.log > "$log"
(IFS=,; echo "{\"version\": {\"major\": 1, \"minor\": 0}, \"local\": [{\"desktop\": [${entries[*]}]}]}") \
  > "$VELMORA_DESKTOPS/desktops.json"

ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$count" \
      --resource-spec-file "$VELMORA_DESKTOPS/desktops.json" -FS registered_servers -E '^register_servers$' >> "$log" 2>&1
rc=$?
cat "$log"
exit $rc
