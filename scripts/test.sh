#!/usr/bin/env bash
# The whole test suite from a fresh machine: packages, both builds, a fresh Wine prefix in the
# build tree, every test under Xvfb, and a short native fuzzing run of the layout reader.
# Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" x86_64 "$build"
"$root/scripts/build.sh" i686 "$build"
"$root/scripts/fuzz.sh" 30000 "$build"
xvfb-run -a -s "-screen 0 1280x1024x24" "$root/scripts/run-suite.sh" "$build/x86_64"
