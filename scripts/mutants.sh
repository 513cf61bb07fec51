#!/usr/bin/env bash
# The planted-fault measure of the test suite: scripts/mutants.sh [build-dir] [name-regex]
# Each fault of scripts/mutants.txt is put into its source file in turn, the test executables
# that cover that file are rebuilt (incrementally) and run under Xvfb + Wine one after the other,
# and the file is put back. A fault is caught when one of its executables fails (or does not
# build); it is missed when they all pass. Prints one line per fault and the total; exits 0.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/x86_64}" && pwd)
only=${2:-.}
list=$root/scripts/mutants.txt
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A prefix of its own: the measure may run beside a suite in the same build.
source "$root/scripts/wine-env.sh" "$build" wineprefix-mutants
# The first failure ends an executable's run: a caught fault costs less than a missed one.
export GTEST_FAIL_FAST=1

# Splits the list into one directory per fault: name, file, tests, old and new text.
python3 - "$list" "$work" <<'PY'
import os, sys
faults, cur = [], None
for line in open(sys.argv[1], encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("@ "):
        cur = {"name": line[2:].strip(), "old": [], "new": []}
        faults.append(cur)
    elif cur is None or line.startswith("#") or not line.strip():
        continue
    elif line.startswith("file "):
        cur["file"] = line[5:].strip()
    elif line.startswith("tests "):
        cur["tests"] = line[6:].strip()
    elif line.startswith("-"):
        cur["old"].append(line[1:])
    elif line.startswith("+"):
        cur["new"].append(line[1:])
for i, f in enumerate(faults):
    d = os.path.join(sys.argv[2], "%03d" % i)
    os.makedirs(d)
    for key in ("name", "file", "tests"):
        open(os.path.join(d, key), "w").write(f[key])
    open(os.path.join(d, "old"), "w").write("\n".join(f["old"]) + "\n")
    open(os.path.join(d, "new"), "w").write("\n".join(f["new"]) + "\n" if f["new"] else "")
PY

# Puts the fault into its file; fails unless the old text is there exactly once.
plant() {
  python3 - "$1" "$2" <<'PY'
import sys
d, path = sys.argv[1], sys.argv[2]
old, new = open(d + "/old").read(), open(d + "/new").read()
text = open(path, encoding="utf-8").read()
if text.count(old) != 1:
    sys.exit(1)
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

# The soak and the damaged data take a minute and no planted fault aims at them: the suite
# runs them, the measure does not.
filter='-Soak.*:DamagedData.*'

# Runs one test executable under Xvfb + Wine with the servers registered; fails when it fails.
run_test() {
  local exe
  exe=$(find "$build/tests" -name "$1.exe" | head -1)
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    exe=$1 log=$2 root=$3 build=$4 filter=$5
    if [ ! -d "$WINEPREFIX/drive_c" ]; then
      "$root/scripts/fresh-prefix.sh" >/dev/null 2>&1
      # A crash ends the run at once: no crash dialog waits for a click under Xvfb.
      "$WINE" reg add "HKCU\\Software\\Wine\\WineDbg" /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    fi
    wineserver -p 2>/dev/null
    ctest --test-dir "$build" -R register_servers >/dev/null 2>&1 || { echo "registration failed" >"$log"; exit 2; }
    timeout 900 "$WINE" "$exe" --gtest_filter="$filter" >"$log" 2>&1; rc=$?
    wineserver -k 2>/dev/null; exit $rc' run_test "$exe" "$2" "$root" "$build" "$filter"
}

caught=0; missed=0; broken=0; missed_list=()
for d in "$work"/*/; do
  name=$(cat "$d/name"); file=$(cat "$d/file"); tests=$(cat "$d/tests")
  [[ $name =~ $only ]] || continue
  src=$root/$file
  cp "$src" "$d/saved"
  if ! plant "$d" "$src"; then
    echo "STALE   $name ($file: the text is not there once)"; broken=$((broken + 1)); continue
  fi
  start=$SECONDS
  # The executables in their order, each built only when those before it passed: the first
  # failure (or a build that fails) catches the fault.
  result=missed; how="$tests pass"
  for exe in $tests; do
    if ! cmake --build "$build" --target "$exe" >"$d/build.log" 2>&1; then
      result=caught; how="does not build"; break
    fi
    if ! run_test "$exe" "$d/test.log"; then
      result=caught
      how="$exe: $(grep -o '\[  FAILED  \] [A-Za-z0-9_/.]*' "$d/test.log" | head -1 | cut -c14-)"
      [ "$how" = "$exe: " ] && how="$exe ends early (a crash or a hang)"
      break
    fi
  done
  cp "$d/saved" "$src"
  touch "$src"
  if [ $result = caught ]; then caught=$((caught + 1)); echo "caught  $name ($how, $((SECONDS - start)) s)"
  else missed=$((missed + 1)); missed_list+=("$name"); echo "MISSED  $name ($how, $((SECONDS - start)) s)"; fi
done
# The tree as it was, built again.
cmake --build "$build" >/dev/null 2>&1 || echo "the restored tree does not build: check git status"
total=$((caught + missed))
echo "caught $caught of $total planted faults"; [ $broken -eq 0 ] || echo "$broken faults no longer fit their files"
[ ${#missed_list[@]} -eq 0 ] || echo "missed: ${missed_list[*]}"
exit 0
