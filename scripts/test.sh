#!/usr/bin/env bash
# Builds everything and runs every test: the Linux build with its tests, the
# 32-bit and 64-bit Windows cross builds with their tests under Wine, the
# same Linux tests under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the benchmarks' build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-packages.sh --windows

jobs=$(nproc)
for arch in i686 x86_64; do
  cmake -S . -B "build/windows-$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "build/windows-$arch" -j"$jobs"
done

# The release ZIP of the 32-bit programs.
cmake --build build/windows-i686 --target package >/dev/null
package=$(ls build/windows-i686/Pelvarin-Quostel-*-win32.zip)

windows_builds="$PWD/build/windows-i686/bin;$PWD/build/windows-x86_64/bin"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DCHANNEL_WINDOWS_BUILDS="$windows_builds" \
      -DCHANNEL_WINDOWS_PACKAGE="$PWD/$package;$PWD/build/windows-i686/bin" >/dev/null
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCHANNEL_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"
