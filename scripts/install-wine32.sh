#!/usr/bin/env bash
# Installs Wine's 32-bit loader (Debian's wine32:i386) so that the i686 build can run. Exits 0
# when it is there; otherwise prints why it could not be installed on one line and exits 1,
# leaving apt as it found it (an i386 architecture whose index cannot be fetched would make
# every later apt-get update fail).
set -uo pipefail
installed() { dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; }
installed && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
log=$(mktemp)
trap 'rm -f "$log"' EXIT
had_i386=no
dpkg --print-foreign-architectures | grep -qx i386 && had_i386=yes
$SUDO dpkg --add-architecture i386
if $SUDO apt-get update -q > "$log" 2>&1 && ! grep -q '^E:' "$log" \
   && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q wine32:i386 >> "$log" 2>&1 && installed; then
  exit 0
fi
reason=$(grep -m1 -E '^E:|^ .* : Depends' "$log" | sed 's/^E: //; s/^ *//')
if [ "$had_i386" = no ] && ! dpkg -l | awk '{print $2}' | grep -q ':i386$'; then
  $SUDO dpkg --remove-architecture i386
  $SUDO apt-get update -q > /dev/null 2>&1
fi
echo "${reason:-apt-get could not install wine32:i386}"
exit 1
