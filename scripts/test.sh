#!/usr/bin/env bash
# Builds everything and runs every test: the release build, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the benchmarks'
# build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh

jobs=$(nproc)
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHANNEL_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
