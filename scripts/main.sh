#!/usr/bin/env bash
# The main job. With a display: builds the Windows programs and opens
# Pelvarin's window under Wine (the argument "quostel" opens the calculator
# instead). Without a display: says so and runs the console Pelvarin on the
# example channel (bso 2 m, m = n = 1.5, Q 10 m^3/s, kst 30, Iso 0.001,
# beta 1, l 100 m, hu 3 m, wsp 103 m, 20 profiles) in a fresh folder, then
# shows its report.
set -euo pipefail
cd "$(dirname "$0")/.."
program=Pelvarin
[[ "${1:-}" == "quostel" ]] && program=Quostel

if [[ -n "${DISPLAY:-}" ]]; then
  bash scripts/install-packages.sh --windows
  # The 32-bit programs need a kernel that runs 32-bit code; the 64-bit
  # build of the same sources serves where it does not.
  arch=x86_64 loader=/usr/lib/wine/wine64
  if [[ -x /usr/lib/wine/wine ]] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    arch=i686 loader=/usr/lib/wine/wine
  fi
  cmake -S . -B "build/windows-$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "build/windows-$arch" -j"$(nproc)" --target "$program" >/dev/null
  exe="$PWD/build/windows-$arch/bin/$program.exe"
  # Each bitness has a Wine prefix of its own, made for it: a 32-bit Wine
  # cannot use a prefix that a 64-bit one created.
  winearch=win64
  [[ $arch == i686 ]] && winearch=win32
  prefix="$PWD/build/windows-$arch/main-wineprefix"
  folder=$(mktemp -d)
  echo "Opening $program ($arch) under Wine; reports are written to $folder"
  cd "$folder"
  WINEPREFIX="$prefix" WINEARCH="$winearch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$loader" "$exe"
  exit 0
fi

echo "No display available: running the console Pelvarin on the example channel instead."
bash scripts/install-packages.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCHANNEL_WINDOWS_BUILDS= -DCHANNEL_WINDOWS_PACKAGE= >/dev/null
cmake --build build/release -j"$(nproc)" --target pelvarin quostel >/dev/null
pelvarin="$PWD/build/release/bin/pelvarin"
folder=$(mktemp -d)
cd "$folder"
"$pelvarin" bso=2 m=1.5 n=1.5 Q=10 kst=30 Iso=0.001 beta=1 l=100 hu=3 wsp=103 Pa=20 file=Bericht
echo "--- $folder/Bericht.txt (Windows-1252, CR LF) ---"
iconv -f WINDOWS-1252 -t UTF-8 Bericht.txt | tr -d '\r'
echo
