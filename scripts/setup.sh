#!/usr/bin/env bash
# Installs, idempotently, everything the builds and tests need on a Debian 12 machine:
# the native toolchain, the mingw-w64 cross compilers (32-bit for the Windows deliverable, 64-bit
# for an optional build) with zlib, Wine (32-bit and 64-bit, with their preloaders) with a virtual
# display, and the big-endian PowerPC cross compiler with qemu-user. A second run with everything
# in place only checks and returns.
#
#   bash scripts/setup.sh            everything
#   bash scripts/setup.sh --native   only what the native build needs (scripts/demo.sh)
set -euo pipefail

native=(cmake g++ make googletest python3)
need=("${native[@]}" zip unzip
      g++-mingw-w64-i686 g++-mingw-w64-i686-posix mingw-w64-i686-dev
      g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
      g++-powerpc-linux-gnu qemu-user-static
      wine wine32 wine64 wine32-preloader wine64-preloader xvfb x11-utils imagemagick libpng-dev zlib1g-dev
      clang libclang-rt-14-dev locales)

if [ "${1:-}" = "--native" ]; then need=("${native[@]}"); fi

SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  if [ "${1:-}" != "--native" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

[ "${1:-}" = "--native" ] && exit 0

# 32-bit x86 programs (the 32-bit Wine loader and the programs it starts): where the kernel
# cannot execute them itself, register qemu-i386 for them with binfmt_misc. The registration
# belongs to the running kernel, so it is checked on every run. (The preloader matters there:
# without it the 32-bit Wine spends about a minute of emulation reserving its address space at
# every start; with it a start takes seconds.)
if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  binfmt=/proc/sys/fs/binfmt_misc
  if [ ! -e "$binfmt/register" ]; then
    $SUDO mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null || true
  fi
  if [ -e "$binfmt/register" ] && [ ! -e "$binfmt/qemu-i386" ]; then
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" \
      | $SUDO tee "$binfmt/register" >/dev/null 2>&1 || true
  fi
  if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "setup: this machine cannot run 32-bit x86 programs; the 32-bit Wine tests will not run" >&2
  fi
fi

# The locales the Windows tests start Wine with (LC_ALL picks the user-interface language there).
for loc in fr_BE ru_RU en_US de_DE; do
  if ! locale -a 2>/dev/null | grep -qix "${loc}.utf8"; then
    $SUDO localedef -i "$loc" -f UTF-8 "${loc}.UTF-8" >/dev/null 2>&1 || true
  fi
done
