#!/usr/bin/env bash
# Makes the throwaway Wine prefix named by WINEPREFIX, once: the first start is the slow one.
# The fonts the window asks for (Tahoma for Persian, MS Sans Serif for the rest) are not on a
# Linux machine; DejaVu Sans, which covers Arabic script, stands in for both.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
if [ ! -f "$WINEPREFIX/.varkam-ready" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$here/wine-run" wineboot --init >/dev/null 2>&1 || true
  for font in "Tahoma" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
    "$here/wine-run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" \
      /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
  done
  /usr/lib/wine/wineserver -w
  touch "$WINEPREFIX/.varkam-ready"
fi
