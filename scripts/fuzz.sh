#!/usr/bin/env bash
# Runs every libFuzzer target of fuzz/ (each platform variant) for a bounded time, starting from the
# seed corpora in fuzz/corpus/<target>. Builds ./build/sanitize first (shared with
# scripts/test-sanitize.sh: clang, AddressSanitizer, UndefinedBehaviorSanitizer, fuzzer coverage).
#
#   bash scripts/fuzz.sh                 every target for 3 s (the test command's short run)
#   bash scripts/fuzz.sh -t 600          every target for 10 minutes (the longer run)
#   bash scripts/fuzz.sh -t 600 install  only targets whose name contains "install"
#
# New inputs found go to build/sanitize/fuzz-corpus/<target> (kept between runs, merged into nothing
# in the repo); a crash leaves its input in build/sanitize/fuzz-artifacts/ and fails the script.
# To add a finding to the seeds: copy the input into fuzz/corpus/<name>/ once it is fixed.
set -uo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds=3
filter=""
while [ $# -gt 0 ]; do
  case "$1" in
    -t) seconds="$2"; shift 2 ;;
    *) filter="$1"; shift ;;
  esac
done

SANITIZE_SOURCED=1 source "$repo/scripts/test-sanitize.sh"
sanitize_build || exit 1
# Leaks are checked by the fuzzer itself (-detect_leaks); a failing input aborts at once.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:halt_on_error=1"

corpus_root="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus_root" "$artifacts"
passed=0
failed=0
for program in "$build"/fuzz/fuzz_*; do
  [ -x "$program" ] || continue
  target="$(basename "$program")"
  [ -n "$filter" ] && [[ "$target" != *"$filter"* ]] && continue
  name="${target%_windows}"; name="${name%_morphos}"; name="${name%_amigaos4}"
  mkdir -p "$corpus_root/$target"
  log="$build/fuzz-$target.log"
  if "$program" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=8192 \
       -artifact_prefix="$artifacts/$target-" -print_final_stats=1 \
       "$corpus_root/$target" "$repo/fuzz/corpus/$name" >"$log" 2>&1; then
    printf 'fuzz %-24s ok   %s\n' "$target" "$(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') runs"
    passed=$((passed + 1))
  else
    printf 'fuzz %-24s FAILED (log: %s)\n' "$target" "$log"
    grep -E -m 20 'fuzz fault|ERROR|SUMMARY|runtime error' "$log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
