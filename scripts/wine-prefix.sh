#!/usr/bin/env bash
# Makes the throwaway Wine prefix named by WINEPREFIX, once: the first start is the slow one.
# The fonts the window asks for (Tahoma for Persian, MS Sans Serif for the rest) are not on a
# Linux machine; DejaVu Sans, which covers Arabic script, stands in for both. The virtual screen
# has no window manager, so Wine manages its windows itself: it would otherwise wait two
# seconds for a window manager each time a window is hidden.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
ready="$WINEPREFIX/.varkam-ready-2"
if [ ! -f "$ready" ]; then
  echo "Making the Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$here/wine-run" wineboot --init >/dev/null 2>&1 || true
  for font in "Tahoma" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
    "$here/wine-run" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$font" \
      /t REG_SZ /d "DejaVu Sans" /f >/dev/null 2>&1
  done
  "$here/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
    >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
  touch "$ready"
fi
