#!/usr/bin/env bash
# The whole test suite from a fresh machine: packages, both builds, a short native fuzzing run
# of the layout reader, a fresh Wine prefix in each build tree, every test under Xvfb: the
# x86_64 build always, the i686 build where Debian's 32-bit Wine installs (otherwise one line
# says why it was skipped). Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_ROOT:-$root/build}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" x86_64 "$build"
"$root/scripts/build.sh" i686 "$build"
"$root/scripts/fuzz.sh" 30000 "$build"
"$root/scripts/run-suite.sh" "$build/x86_64"
if reason=$("$root/scripts/install-wine32.sh"); then
  echo "32-bit run: the i686 build under Wine's 32-bit loader"
  "$root/scripts/run-suite.sh" "$build/i686"
else
  echo "32-bit run skipped: Debian's wine32:i386 could not be installed here ($reason)"
fi
