#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, where they
# are missing. Usage: install-packages.sh [--windows]
#   --windows  also the mingw-w64 cross compilers, Wine and a virtual display;
#              and Wine for 32-bit programs where the kernel runs 32-bit code
set -euo pipefail

sudo=""
[[ $(id -u) -ne 0 ]] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "installing: ${missing[*]}"
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Whether this kernel executes 32-bit x86 programs: a 93-byte static i386
# program that only exits with status 0.
kernel_runs_32bit() {
  local probe
  probe=$(mktemp)
  printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
  chmod +x "$probe"
  local status=0
  "$probe" 2>/dev/null || status=$?
  rm -f "$probe"
  return "$status"
}

install_missing cmake g++ make libgtest-dev googletest libbenchmark-dev libmpfr-dev
[[ "${1:-}" == "--windows" ]] || exit 0

install_missing g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64 wine64 fonts-wine xvfb python3 librsvg2-bin
if kernel_runs_32bit; then
  if ! dpkg -s wine32:i386 >/dev/null 2>&1; then
    $sudo dpkg --add-architecture i386
    install_missing wine wine32:i386 || echo "wine32 could not be installed: the 32-bit Wine tests will be skipped"
  fi
else
  echo "This kernel does not run 32-bit programs: Wine runs the 64-bit build of the programs here."
fi
