#!/usr/bin/env bash
# Makes the throwaway Wine prefix named by WINEPREFIX, once: the first start is the slow one.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$here/wine-run" wineboot --init >/dev/null 2>&1 || true
  /usr/lib/wine/wineserver -w
fi
