#!/usr/bin/env bash
# Makes a fresh Wine prefix (WINEPREFIX must be set) and keeps its server running.
# Booting a prefix takes half a minute, so a pristine one is booted once per Wine version,
# beside the prefix, and copied.
set -euo pipefail
version=$("$WINE" --version | tr -c 'A-Za-z0-9.\n' '-')
pristine="$(dirname "$WINEPREFIX")/wineprefix-pristine-$version"
if [ ! -d "$pristine/drive_c" ]; then
  staging=$(mktemp -d "$pristine.XXXXXX")
  WINEPREFIX=$staging "$WINE" wineboot -i > /dev/null 2>&1
  # Xvfb runs no window manager: unmanaged windows spare Wine its wait for one (seconds for
  # each top-level window destroyed).
  WINEPREFIX=$staging "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
  # A crash ends its test program at once, rather than waiting on the crash dialog until the timeout.
  WINEPREFIX=$staging "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f > /dev/null 2>&1
  WINEPREFIX=$staging wineserver -w
  # Another run may have made it meanwhile; either copy serves.
  mv -T "$staging" "$pristine" 2>/dev/null || rm -rf "$staging"
fi
wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
# A prefix holds over a gigabyte of program images that Wine never writes to: they are shared as
# hard links with the pristine prefix, so a suite's several prefixes fit on a small disk. Every
# other file (registry, ini files) gets its own copy, since Wine may rewrite those in place.
cp -al "$pristine" "$WINEPREFIX"
(cd "$pristine" && find . -type f ! \( -size +100k ! -name '*.reg' \) -print0 |
   xargs -0 cp -a --remove-destination --parents -t "$WINEPREFIX")
wineserver -p
