#!/usr/bin/env bash
# The main job: builds the programs and runs Quostel on the mild-slope
# example channel (bso 2 m, m = n = 1.5, Iso 0.001, kst 30, h 1 m).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$(nproc)" --target quostel >/dev/null
build/release/platform/console/quostel bso=2 m=1.5 n=1.5 Iso=0.001 kst=30 h=1
