#!/usr/bin/env bash
# Takes a screenshot of each program's window in Wine's virtual desktop, which
# draws the windows with a Windows title bar, and writes docs/quostel.png and
# docs/pelvarin.png.
# usage: tools/screenshots.sh WINDOWS_BIN_DIR   (holding Quostel.exe, Pelvarin.exe, bitness)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "$1" && pwd)
loader=/usr/lib/wine/wine64 server=/usr/lib/wine/wineserver64 winearch=win64
[[ $(cat "$build/bitness") == 32 ]] && loader=/usr/lib/wine/wine server=/usr/lib/wine/wineserver32 winearch=win32
screen=$(mktemp -d)
export WINEPREFIX="$build/screenshot-wineprefix" WINEARCH=$winearch WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# A free display, ready once Xvfb has written its number.
exec 3< <(Xvfb -displayfd 1 -screen 0 800x700x24 -fbdir "$screen" -nolisten tcp 2>/dev/null)
read -r number <&3
export DISPLAY=":$number"
trap 'pkill -f "Xvfb -displayfd 1 -screen 0 800x700x24 -fbdir $screen" 2>/dev/null; rm -rf "$screen"' EXIT
# Set up the prefix first, so that no "configuration is being updated" box
# stands in the picture.
"$loader" wineboot -i >/dev/null 2>&1 || true
"$server" -w 2>/dev/null || true
shoot() {  # program, width and height of the virtual desktop
  "$loader" explorer "/desktop=Shot,${2}x${3}" "$build/$1.exe" &
  local pid=$!
  sleep 15
  python3 tools/xwd_to_png.py "$screen/Xvfb_screen0" "docs/${1,,}.png" "$2" "$3"
  kill "$pid" 2>/dev/null || true
  "$server" -k 2>/dev/null || true
  "$server" -w 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
shoot Quostel 470 565
shoot Pelvarin 470 440
