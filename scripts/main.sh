#!/usr/bin/env bash
# The main job: builds the programs and runs Pelvarin on the example channel
# (bso 2 m, m = n = 1.5, Q 10 m^3/s, kst 30, Iso 0.001, beta 1, l 100 m,
# hu 3 m, wsp 103 m, 20 profiles) in a fresh folder, then shows its report.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target pelvarin quostel >/dev/null
pelvarin="$PWD/build/release/platform/console/pelvarin"

folder=$(mktemp -d)
cd "$folder"
"$pelvarin" bso=2 m=1.5 n=1.5 Q=10 kst=30 Iso=0.001 beta=1 l=100 hu=3 wsp=103 Pa=20 file=Bericht
echo "--- $folder/Bericht.txt (Windows-1252, CR LF) ---"
iconv -f WINDOWS-1252 -t UTF-8 Bericht.txt | tr -d '\r'
echo
