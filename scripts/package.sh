#!/usr/bin/env bash
# Lays out a ready-to-ship add-on folder with the Windows installer and zips it.
#
#   bash scripts/package.sh [ADDON_FOLDER] [NAME]
#
# ADDON_FOLDER (default examples/addon) holds the add-on's texte/ and data/; NAME (default
# Trivelo_Extension) names the shipped folder and the zip. The result, under build/package/:
#   NAME/Trivelo_Extension_Windows.exe   the installer (x86, libpng and zlib linked in)
#   NAME/texte/                          the catalogue, the title list and the image patterns
#   NAME/data/                           the roster, the avatar images, install.png, file_select.png
#   NAME/temp/                           the installer's work folder (it must exist)
#   NAME.zip
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_root="${TRIVELO_BUILD_ROOT:-$repo/build}"
addon="$(cd "${1:-$repo/examples/addon}" && pwd)"
name="${2:-Trivelo_Extension}"
jobs="${TRIVELO_JOBS:-2}"

for needed in texte/trivelo_extension.msg texte/trivelo_avatars.msg texte/trivlo_extension_fichiers.txt \
              data/perso.dta data/install.png data/file_select.png; do
  [ -f "$addon/$needed" ] || { echo "package.sh: $addon/$needed is missing" >&2; exit 1; }
done

bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build-libpng-mingw.sh" --arch i686 "$build_root/deps/mingw"
cmake -S "$repo" -B "$build_root/mingw" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw-i686.cmake" \
      -DTRIVELO_MINGW_DEPS="$build_root/deps/mingw" >"$build_root/mingw.package.log" 2>&1 ||
  { tail -n 30 "$build_root/mingw.package.log"; exit 1; }
cmake --build "$build_root/mingw" -j "$jobs" --target Trivelo_Extension_Windows >>"$build_root/mingw.package.log" 2>&1 ||
  { grep -E -m 30 'error' "$build_root/mingw.package.log" || tail -n 30 "$build_root/mingw.package.log"; exit 1; }
program="$build_root/mingw/windows/Trivelo_Extension_Windows.exe"

out="$build_root/package"
folder="$out/$name"
rm -rf "$folder" "$out/$name.zip"
mkdir -p "$folder/temp"
cp "$program" "$folder/"
cp -r "$addon/texte" "$addon/data" "$folder/"
if [ -d "$addon/temp" ]; then
  # Only what explains the folder: work files of an earlier run are not shipped.
  find "$addon/temp" -maxdepth 1 -type f ! -iname 'perso*.dta' -exec cp {} "$folder/temp/" \;
fi
(cd "$out" && zip -q -r -X "$name.zip" "$name")

echo "add-on folder: $folder"
(cd "$folder" && find . -type f | sort | sed 's|^\./|  |')
echo "zip: $out/$name.zip ($(stat -c %s "$out/$name.zip") bytes)"
