#!/usr/bin/env bash
# The main job for now: builds the core natively and shows it at work on the sample add-on.
# For every language number it runs the installer flow's start-up in examples/addon (language
# fallback, message catalogue, add-on title list) and prints the window title and a few texts.
#
#   bash scripts/demo.sh [ADD-ON FOLDER]
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TRIVELO_BUILD_ROOT:-$repo/build}/native"
addon="${1:-$repo/examples/addon}"

bash "$repo/scripts/setup.sh" --native
mkdir -p "$(dirname "$build")"
log="$build.demo-build.log"
if ! { cmake -S "$repo" -B "$build" && cmake --build "$build" --target trivelo_demo -j "${TRIVELO_JOBS:-2}"; } >"$log" 2>&1; then
  tail -n 40 "$log"
  echo "demo.sh: the build failed (log: $log)" >&2
  exit 1
fi
"$build/tools/trivelo_demo" "$addon"
