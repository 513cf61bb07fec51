#!/usr/bin/env bash
# Builds the release archives and checks them as a user would meet them:
#   check-package.sh <build-root> <out-dir> <package_check.exe>
# every file in place, every DLL of the right bitness exporting the four Dll* entry points,
# and the x64 archive registered and unregistered by its own scripts in a prefix of its own,
# where the type libraries of both archives load.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
out=$2
check=$3
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

archives=$("$root/scripts/package.sh" "$build" "$out")
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT

expected_files() {
  local name=$1
  printf '%s\n' "$name/kvVelmora.dll" "$name/kvFloor.dll" "$name/kvNCombo.dll" "$name/kvVelmora.tlb" \
    "$name/register.cmd" "$name/unregister.cmd" "$name/LICENSE.txt" \
    "$name/docs/user-guide.md" "$name/docs/reference.md"
  (cd "$root/docs" && find images -name '*.png') | sed "s|^|$name/docs/|"
}

check_archive() {
  local zip=$1 format=$2
  local name
  name=$(basename "$zip" .zip)
  unzip -q "$zip" -d "$unpacked"
  local listed
  listed=$(cd "$unpacked" && find "$name" -type f | sort)
  [ "$listed" = "$(expected_files "$name" | sort)" ] \
    || fail "$name holds other files than expected: $(diff <(echo "$listed") <(expected_files "$name" | sort) | tr '\n' ' ')"
  for dll in "$unpacked/$name"/*.dll; do
    x86_64-w64-mingw32-objdump -f "$dll" | grep -q "file format $format" || fail "$(basename "$dll") in $name is not $format"
    local exports
    exports=$(x86_64-w64-mingw32-objdump -p "$dll" | sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p')
    for entry in DllGetClassObject DllCanUnloadNow DllRegisterServer DllUnregisterServer; do
      grep -qw "$entry" <<< "$exports" || fail "$(basename "$dll") in $name does not export $entry"
    done
  done
  grep -q $'\r$' "$unpacked/$name/register.cmd" || fail "register.cmd in $name has no CRLF line ends"
}

x64=$(grep -- '-x64.zip$' <<< "$archives")
x86=$(grep -- '-x86.zip$' <<< "$archives")
check_archive "$x64" pei-x86-64
check_archive "$x86" pei-i386

# The x64 archive's own scripts, in a prefix no other test uses, on the test's display.
source "$root/scripts/desktop-env.sh"
source "$root/scripts/wine-env.sh" "$build/x86_64" package-prefix
"$root/scripts/fresh-prefix.sh"
winpath() { echo "Z:${1//\//\\}"; }
x64dir=$unpacked/$(basename "$x64" .zip)
x86dir=$unpacked/$(basename "$x86" .zip)
run() { "$WINE" "$@" 2>/dev/null | tr -d '\r'; }

run cmd /c "$(winpath "$x64dir/register.cmd")" | grep -q "kvVelmora registered." || fail "register.cmd did not report success"
registered=$(run "$check" "$(winpath "$x64dir/kvVelmora.tlb")")
echo "$registered"
expected_registered="typelib: kvVelmoraLib 1.0
dispinterface: _DPropertiesGrid
dispinterface: _DPropertiesGridEvents
dispinterface: IItemToolTipCtrl
progid: {6D47D783-17E3-4B50-A6EB-4E68B221CC62}
server: $(winpath "$x64dir/kvVelmora.dll")
creates: yes"
[ "$registered" = "$expected_registered" ] || fail "the registered x64 archive reads otherwise than expected"
run "$check" "$(winpath "$x86dir/kvVelmora.tlb")" | grep -q "^typelib: kvVelmoraLib 1.0$" || fail "the x86 type library does not load"

run cmd /c "$(winpath "$x64dir/unregister.cmd")" | grep -q "kvVelmora unregistered." || fail "unregister.cmd did not report success"
run "$check" "$(winpath "$x64dir/kvVelmora.tlb")" | grep -q "^progid: unknown$" || fail "the ProgID outlived unregister.cmd"
wineserver -k 2>/dev/null || true

[ $failures -eq 0 ] && echo "package archives: all checks passed"
exit $((failures > 0))
