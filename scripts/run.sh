#!/usr/bin/env bash
# Builds the dictionary and opens its window on the bundled dictionary under Wine: on the
# user's display, or on a virtual screen when there is none, leaving a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
jobs=$(nproc)

echo "== Building"
cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVARKAM_SANITIZE=ON \
  >/dev/null
cmake --build "$root/build/native" -j "$jobs" --target vqbuild >/dev/null
cmake -S "$root" -B "$root/build/windows" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DVARKAM_VQBUILD="$root/build/native/tools/vqbuild" >/dev/null
cmake --build "$root/build/windows" -j "$jobs" --target Varkam bundled_dictionary >/dev/null

# A prefix of its own: the Wine desktop it opens changes the prefix's display settings, which
# the tests' prefix must not see.
export WINEPREFIX="$root/build/windows/wineprefix-app"
app="$root/build/windows/app"
cd "$app"  # the program opens its data files in the current folder

if [ -n "${DISPLAY:-}" ]; then
  "$root/scripts/wine-prefix.sh"
  echo "== Opening Varkam.exe"
  exec "$root/scripts/wine-run" Varkam.exe
fi

# No display: a virtual screen, a Wine desktop on it, a screenshot, and an end. "house" is on
# the clipboard as the window opens, so the screenshot shows the word looked up.
screenshot="$root/build/windows/screenshot.png"
exec xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  set -euo pipefail
  "$1/scripts/wine-prefix.sh"
  echo "== Opening Varkam.exe on a virtual screen, with \"house\" copied"
  printf house | xclip -selection clipboard
  "$1/scripts/wine-run" explorer /desktop=Varkam,800x600 Varkam.exe &
  for _ in $(seq 30); do
    sleep 1
    if /usr/lib/wine/wine64 tasklist 2>/dev/null | grep -qi varkam.exe ||
       [ "$(xwininfo -root -tree 2>/dev/null | grep -c "(Varkam)")" -gt 0 ]; then
      break
    fi
  done
  sleep 2
  import -window root -crop 800x600+0+0 "$2"
  echo "Screenshot of the window: $2"
  /usr/lib/wine/wineserver -k || true
' run "$root" "$screenshot"
