#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest, on the test's desktop. Wine's helper processes
# (explorer, services) outlive the program and would keep ctest's output pipe open, so the
# program writes to a file that is printed afterwards.
source "$(dirname "$0")/desktop-env.sh"
log=$(mktemp)
"${WINE:-/usr/lib/wine/wine64}" "$@" > "$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
exit $rc
