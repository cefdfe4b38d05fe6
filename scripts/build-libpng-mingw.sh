#!/usr/bin/env bash
# Builds a static libpng for mingw-w64 i686 from Debian's own source package and installs it
# under a cache folder, for the Windows deliverable (which links libpng and zlib statically).
#
#   scripts/build-libpng-mingw.sh [--arch i686|x86_64] [PREFIX]
#
# Default PREFIX: <repo>/build/deps/mingw for i686 (the deliverable), <repo>/build/deps/mingw64 for
# x86_64 (the build the end-to-end tests run where the machine cannot run 32-bit code natively).
#
# Idempotent: when PREFIX already holds the library it returns at once. The source package is
# fetched with apt through a private deb-src list and private list folders, so the system's own apt
# lists are neither read nor changed. zlib comes from Debian's libz-mingw-w64-dev.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/.." && pwd)"
arch=i686
if [ "${1:-}" = "--arch" ]; then
  arch="${2:?--arch needs i686 or x86_64}"
  shift 2
fi
case "$arch" in
  i686) host=i686-w64-mingw32; default_prefix="$repo/build/deps/mingw" ;;
  x86_64) host=x86_64-w64-mingw32; default_prefix="$repo/build/deps/mingw64" ;;
  *) echo "build-libpng-mingw: unknown architecture $arch" >&2; exit 1 ;;
esac
prefix="${1:-$default_prefix}"
version_wanted=1.6.39

if [ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/include/png.h" ] && [ -f "$prefix/.trivelo-libpng-$version_wanted" ]; then
  exit 0
fi

for tool in $host-gcc $host-ar $host-ranlib; do
  command -v "$tool" >/dev/null || { echo "build-libpng-mingw: $tool missing (run scripts/setup.sh)" >&2; exit 1; }
done
[ -f /usr/$host/include/zlib.h ] || { echo "build-libpng-mingw: zlib for mingw missing (libz-mingw-w64-dev)" >&2; exit 1; }

mkdir -p "$prefix"
prefix="$(cd "$prefix" && pwd)"
work="$prefix/../libpng-src"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

# One build at a time (two build folders may configure at once); the second finds it done.
exec 9>"$work/.lock"
flock 9
if [ -f "$prefix/lib/libpng16.a" ] && [ -f "$prefix/.trivelo-libpng-$version_wanted" ]; then
  exit 0
fi

# The orig tarball, fetched once and kept beside the build.
tarball="$(ls "$work"/libpng1.6_"$version_wanted".orig.tar.* 2>/dev/null | head -n1 || true)"
if [ -z "$tarball" ]; then
  apt_dir="$work/apt"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial"
  cat > "$apt_dir/sources.list.d/debian-src.sources" <<EOF
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_opts=(-o Dir::Etc::SourceList=/dev/null
            -o Dir::Etc::SourceParts="$apt_dir/sources.list.d"
            -o Dir::State::Lists="$apt_dir/lists"
            -o Dir::Cache="$apt_dir/cache"
            -o Debug::NoLocking=1)
  apt-get "${apt_opts[@]}" -q update >/dev/null
  (cd "$work" && apt-get "${apt_opts[@]}" -q source --download-only "libpng1.6/bookworm" >/dev/null)
  tarball="$(ls "$work"/libpng1.6_"$version_wanted".orig.tar.* 2>/dev/null | head -n1 || true)"
  [ -n "$tarball" ] || { echo "build-libpng-mingw: libpng1.6 $version_wanted source not found" >&2; exit 1; }
fi

unpack="$work/unpack-$arch"
rm -rf "$unpack"
mkdir -p "$unpack"
tar -xf "$tarball" -C "$unpack"
src="$unpack/libpng-$version_wanted"
[ -d "$src" ] || { echo "build-libpng-mingw: unexpected tarball layout" >&2; exit 1; }

build="$unpack/build"
mkdir -p "$build"
log="$work/build-$arch.log"
if ! (
  cd "$build"
  "$src/configure" --host=$host --prefix="$prefix" --enable-static --disable-shared \
    --disable-dependency-tracking --disable-tests --disable-tools \
    CPPFLAGS="-I/usr/$host/include" LDFLAGS="-L/usr/$host/lib" CFLAGS="-O2"
  make -j2
  make install
) >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "build-libpng-mingw: build failed (log: $log)" >&2
  exit 1
fi
rm -rf "$unpack"
touch "$prefix/.trivelo-libpng-$version_wanted"
echo "build-libpng-mingw: libpng $version_wanted installed under $prefix"
