#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, where they
# are missing. Usage: install-packages.sh [--windows]
#   --windows  also the mingw-w64 cross compiler, Wine and a virtual display
set -euo pipefail

packages=(cmake g++ make libgtest-dev googletest libbenchmark-dev)
if [[ "${1:-}" == "--windows" ]]; then
  packages+=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 xvfb python3)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
echo "installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
