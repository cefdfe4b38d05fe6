#!/usr/bin/env bash
# The native test suite (all three platform variants, with the host-built MorphOS and AmigaOS 4
# programs' end-to-end runs) under AddressSanitizer, UndefinedBehaviorSanitizer and leak checking,
# built with clang into ./build/sanitize. The same build also holds the fuzz targets that
# scripts/fuzz.sh runs, so the two scripts share one compilation.
#
#   bash scripts/test-sanitize.sh            build (incremental) and run every test
#   bash scripts/test-sanitize.sh -R REGEX   only the ctest tests matching REGEX
#
# No suppression file: any report from our own code fails its test.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${TRIVELO_BUILD_ROOT:-$repo/build}/sanitize"
jobs="${TRIVELO_JOBS:-2}"

sanitize_build() {
  local missing=()
  command -v clang++ >/dev/null 2>&1 || missing+=(clang)
  ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1 || missing+=(libclang-rt-14-dev)
  for p in cmake python3; do command -v "$p" >/dev/null 2>&1 || missing+=("$p"); done
  [ -d /usr/src/googletest ] || missing+=(googletest)
  if ((${#missing[@]})); then
    local sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    DEBIAN_FRONTEND=noninteractive $sudo apt-get update -q >/dev/null &&
      DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null ||
      { echo "test-sanitize: could not install ${missing[*]}" >&2; return 1; }
  fi
  mkdir -p "$build"
  local log="$build.build.log"
  if ! { CC=clang CXX=clang++ cmake -S "$repo" -B "$build" -DTRIVELO_SANITIZE=ON -DTRIVELO_FUZZ=ON \
           -DCMAKE_BUILD_TYPE=RelWithDebInfo && cmake --build "$build" -j "$jobs"; } >"$log" 2>&1; then
    grep -E -m 40 'error' "$log"; tail -n 30 "$log"
    echo "sanitize build failed (log: $log)" >&2
    return 1
  fi
}

# Sanitizer settings for every program the tests start, Python-driven ones included.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="report_objects=1"

[ "${SANITIZE_SOURCED:-}" = 1 ] && return 0

sanitize_build || exit 1
echo "sanitize build ready: $build"
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$jobs" "$@"
