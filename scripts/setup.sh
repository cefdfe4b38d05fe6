#!/usr/bin/env bash
# Installs, idempotently, everything the builds and tests need on a Debian 12 machine:
# the native toolchain, the mingw-w64 cross compiler with zlib, Wine (32-bit) with a virtual
# display, and the big-endian PowerPC cross compiler with qemu-user.
set -euo pipefail

need=(cmake g++ make googletest python3 zip unzip
      g++-mingw-w64-i686 libz-mingw-w64-dev mingw-w64-i686-dev
      g++-powerpc-linux-gnu qemu-user-static
      wine wine32 xvfb x11-utils imagemagick libpng-dev zlib1g-dev
      clang libclang-rt-14-dev)

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
