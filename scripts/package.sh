#!/usr/bin/env bash
# Release archives, one per bitness, from finished builds of both architectures:
#   scripts/package.sh [build-root] [out-dir]
# Each archive holds the control DLL, the two controls it hosts, the type library beside
# them, scripts that register and unregister them from an elevated prompt, the user guide
# with its pictures, and the licence. Prints the archives' paths.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
out=${2:-$root/dist}
version=1.0
mkdir -p "$out"
out=$(cd "$out" && pwd)
servers=(src/outside/floorctl/kvFloor.dll src/outside/ncombo/kvNCombo.dll src/control/kvVelmora.dll)

# Lines of a Windows batch file need CRLF endings.
crlf() { sed 's/$/\r/'; }

register_script() {
  local verb=$1 flag=$2
  cat <<CMD | crlf
@echo off
rem ${verb^}s the kvVelmora control and the two controls it hosts, from this folder.
rem Run it from an elevated command prompt.
setlocal
set REGSVR32=%SystemRoot%\\System32\\regsvr32.exe
$3
cd /d "%~dp0"
for %%f in (kvFloor.dll kvNCombo.dll kvVelmora.dll) do (
  "%REGSVR32%" /s $flag "%%~ff"
  if errorlevel 1 (
    echo Could not $verb %%f.
    exit /b 1
  )
)
echo kvVelmora ${verb}ed.
CMD
}

package_arch() {
  local arch=$1 tag=$2 wow=$3
  local bin=$build/$arch name=kvVelmora-$version-$tag
  [ -f "$bin/src/control/kvVelmora.dll" ] \
    || { echo "package: no $arch build in $bin (run scripts/build.sh $arch)" >&2; exit 1; }
  local stage
  stage=$(mktemp -d)
  local dir=$stage/$name
  mkdir -p "$dir/docs/images"
  for server in "${servers[@]}"; do cp "$bin/$server" "$dir/"; done
  cp "$bin/src/control/kvVelmora.tlb" "$dir/"
  register_script register "" "$wow" > "$dir/register.cmd"
  register_script unregister "/u" "$wow" > "$dir/unregister.cmd"
  cp "$root/LICENSE" "$dir/LICENSE.txt"
  cp "$root/docs/user-guide.md" "$root/docs/reference.md" "$dir/docs/"
  # With the pictures of other DPIs in their folders, as the guide links them.
  (cd "$root/docs" && find images -name '*.png' -exec cp --parents {} "$dir/docs/" \;)
  rm -f "$out/$name.zip"
  (cd "$stage" && zip -q -r -X "$out/$name.zip" "$name")
  rm -rf "$stage"
  echo "$out/$name.zip"
}

# A 32-bit DLL registers with the 32-bit regsvr32, which 64-bit Windows keeps in SysWOW64.
package_arch x86_64 x64 ""
package_arch i686 x86 'if exist "%SystemRoot%\SysWOW64\regsvr32.exe" set REGSVR32=%SystemRoot%\SysWOW64\regsvr32.exe'
