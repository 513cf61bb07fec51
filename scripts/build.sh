#!/usr/bin/env bash
# Configures and builds one architecture: scripts/build.sh x86_64|i686 [build-root]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=$1
out=${2:-$root/build}/$arch
mkdir -p "$out"
cmake -S "$root" -B "$out" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
      -DCMAKE_BUILD_TYPE=Release -Wno-dev > "$out.configure.log" 2>&1 \
  || { cat "$out.configure.log"; exit 1; }
cmake --build "$out" -j "$(nproc)"
