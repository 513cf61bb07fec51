#!/usr/bin/env bash
# Runs a Windows program under Wine for ctest. Wine's helper processes (explorer, services)
# outlive the program and would keep ctest's output pipe open, so the program writes to a
# file that is printed afterwards.
log=$(mktemp)
"${WINE:-/usr/lib/wine/wine64}" "$@" > "$log" 2>&1
rc=$?
cat "$log"
rm -f "$log"
exit $rc
