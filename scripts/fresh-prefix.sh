#!/usr/bin/env bash
# Makes a fresh Wine prefix (WINEPREFIX must be set) and keeps its server running.
set -euo pipefail
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
"$WINE" wineboot -i > /dev/null 2>&1
# Xvfb runs no window manager: unmanaged windows spare Wine its wait for one (seconds for each
# top-level window destroyed).
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
# A crash ends its test program at once, rather than waiting on the crash dialog until the timeout.
"$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
wineserver -w
wineserver -p
