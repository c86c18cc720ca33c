#!/usr/bin/env bash
# Takes a screenshot of each program's window under Wine on a virtual display
# and writes docs/quostel.png and docs/pelvarin.png.
# usage: tools/screenshots.sh WINDOWS_BUILD_DIR   (holding Quostel.exe, Pelvarin.exe, bitness)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
loader=/usr/lib/wine/wine64
[[ $(cat "$build/bitness") == 32 ]] && loader=/usr/lib/wine/wine
screen=$(mktemp -d)
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all DISPLAY=:55 WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb "$DISPLAY" -screen 0 640x560x24 -fbdir "$screen" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$screen"' EXIT
sleep 1
shoot() {  # program, width, height
  "$loader" "$build/$1.exe" &
  local pid=$!
  sleep 12
  python3 tools/xwd_to_png.py "$screen/Xvfb_screen0" "docs/${1,,}.png" "$2" "$3"
  kill "$pid" 2>/dev/null || true
  "$loader" wineboot --end-session >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
}
shoot Quostel 390 490
shoot Pelvarin 390 390
