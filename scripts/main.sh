#!/usr/bin/env bash
# The main job: builds the Windows deliverable, Trivelo_Extension_Windows.exe, and runs it on the
# sample add-on (examples/addon) against a fresh copy of the sample game (examples/game).
#
#   bash scripts/main.sh
#
# With a display ($DISPLAY set) the installer's window opens for you: type or browse to the game
# folder it prints, press the right button, then leave. Without a display it runs on a virtual
# display and is driven as a user would drive it: the game folder is typed, the right button
# pressed, the done screen awaited; screenshots of both screens are saved. Either way it then
# prints what was installed into the game copy.
#
# The deliverable is 32-bit x86 and runs under the 32-bit Wine, also where this machine runs 32-bit
# x86 code only through qemu-i386 (scripts/setup.sh sets that up).
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$repo"
build_root="${TRIVELO_BUILD_ROOT:-$repo/build}"
demo="$build_root/demo"
jobs="${TRIVELO_JOBS:-2}"

step() { printf '\n== %s\n' "$*"; }

# Runs the installer on a virtual display, driven by the automation program.
if [ "${1:-}" = "--driven" ]; then
  run_build="$2"
  shots="$demo/screenshots"
  mkdir -p "$shots" "$demo/sync"
  rm -f "$demo"/sync/*
  # A Windows path as the automation script writes it: a backslash is written "\\".
  winpath() { local p="${1//\//\\\\}"; printf 'Z:%s' "$p"; }
  cat >"$demo/steps.txt" <<EOF
timeout 120
window-class TriveloExtensionWindow
gauge 5
pause $(winpath "$demo/sync/screen1")
type $(winpath "$demo/game")
press right
gauge 100
client 440 215
pause $(winpath "$demo/sync/screen2")
press right
gone
EOF
  (cd "$demo/addon" && exec "$repo/scripts/wine-run" --prefix "$run_build/wine-prefix" ./Trivelo_Extension_Windows.exe \
     </dev/null >"$demo/installer.log" 2>&1) &
  installer=$!
  (cd "$demo" && exec "$repo/scripts/wine-run" --prefix "$run_build/wine-prefix" \
     "$run_build/tests/windows/trivelo_automation.exe" "$(winpath "$demo/steps.txt")" </dev/null) &
  automation=$!
  # The automation pauses at each screen: take the screenshot, then let it go on.
  while kill -0 "$automation" 2>/dev/null; do
    for ready in "$demo"/sync/*.ready; do
      [ -e "$ready" ] || continue
      name="$(basename "$ready" .ready)"
      rm -f "$ready"
      import -window root "$shots/$name.png"
      echo "screenshot: $shots/$name.png"
      touch "$demo/sync/$name.done"
    done
    sleep 0.2
  done
  wait "$automation" || { echo "main.sh: driving the installer failed" >&2; kill "$installer" 2>/dev/null; exit 1; }
  wait "$installer" || { echo "main.sh: the installer ended with an error" >&2; exit 1; }
  exit 0
fi

step "Setting up the machine (scripts/setup.sh)"
bash "$repo/scripts/setup.sh"

configure_and_build() {  # NAME ARCH TOOLCHAIN TARGETS...
  local name="$1" arch="$2" toolchain="$3"
  shift 3
  bash "$repo/scripts/build-libpng-mingw.sh" --arch "$arch" "$build_root/deps/$( [ "$arch" = i686 ] && echo mingw || echo mingw64)"
  cmake -S "$repo" -B "$build_root/$name" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/$toolchain" \
        -DTRIVELO_MINGW_DEPS="$build_root/deps/$( [ "$arch" = i686 ] && echo mingw || echo mingw64)" \
        >"$build_root/$name.main.log" 2>&1 || { tail -n 30 "$build_root/$name.main.log"; exit 1; }
  cmake --build "$build_root/$name" -j "$jobs" --target "$@" >>"$build_root/$name.main.log" 2>&1 ||
    { grep -E -m 30 'error' "$build_root/$name.main.log" || tail -n 30 "$build_root/$name.main.log"; exit 1; }
}

step "Building the Windows deliverable (mingw-w64 i686, libpng and zlib linked in)"
mkdir -p "$build_root"
configure_and_build mingw i686 toolchain-mingw-i686.cmake Trivelo_Extension_Windows trivelo_automation trivelo_roster_dump
run_build="$build_root/mingw"
deliverable="$run_build/windows/Trivelo_Extension_Windows.exe"
echo "deliverable: $deliverable ($(stat -c %s "$deliverable") bytes)"

step "Laying out the sample add-on with the program, and a fresh copy of the sample game"
rm -rf "$demo"
mkdir -p "$demo"
cp -r "$repo/examples/addon" "$demo/addon"
mkdir -p "$demo/addon/temp"
cp "$run_build/windows/Trivelo_Extension_Windows.exe" "$demo/addon/"
cp -r "$repo/examples/game" "$demo/game"
echo "add-on folder: $demo/addon"
game_windows="Z:${demo//\//\\}\\game"
echo "game folder:   $demo/game  (in the installer: $game_windows)"

roster_lines() {
  "$repo/scripts/wine-run" --prefix "$run_build/wine-prefix" "$run_build/tests/windows/trivelo_roster_dump.exe" \
    "Z:${1//\//\\}" </dev/null | wc -l
}
roster_before="$(roster_lines "$demo/game/data/perso.dta")"

if [ -n "${DISPLAY:-}" ]; then
  step "Opening the installer: type or browse to the game folder above, press the right button"
  (cd "$demo/addon" && "$repo/scripts/wine-run" --prefix "$run_build/wine-prefix" ./Trivelo_Extension_Windows.exe </dev/null)
else
  step "No display: running the installer on a virtual display, driven as a user would"
  xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --driven "$run_build"
fi

step "What was installed into $demo/game"
echo "add-on list (texte/trivelo_lst_ext.txt), last line: $(tail -n 1 "$demo/game/texte/trivelo_lst_ext.txt" | tr -d '\r')"
roster_after="$(roster_lines "$demo/game/data/perso.dta")"
echo "roster (data/perso.dta): $roster_before characters before, $roster_after after"
new_images=()
for image in "$demo"/game/data/*.png; do
  [ -e "$repo/examples/game/data/$(basename "$image")" ] || new_images+=("$(basename "$image")")
done
echo "new avatar images in data/: ${#new_images[@]}"
if ((${#new_images[@]})); then printf '  %s\n' "${new_images[@]}" | sort -V; fi
if [ -z "${DISPLAY:-}" ]; then
  echo "screenshots: $demo/screenshots/screen1.png, $demo/screenshots/screen2.png"
fi
"$repo/scripts/wine-run" --prefix "$run_build/wine-prefix" --stop || true
