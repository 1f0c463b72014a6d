#!/usr/bin/env bash
# run-fuzzers.sh BUILD_DIR SECONDS: runs every fuzz target for SECONDS,
# starting from its committed corpus, then replays the regression inputs.
# A crash, a sanitizer report or a leak fails the run. The targets run side
# by side, one to a processor (each still for SECONDS), and each one's report
# is printed whole when it ends.
set -euo pipefail
build=$1
export seconds=$2
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan-suppressions.txt

# fuzz_target PATH: runs one target; non-zero when it found a fault.
fuzz_target() {
  local target=$1 status=0 name corpus regressions work rss_limit asan
  name=$(basename "$target")
  corpus=fuzz/corpus/$name
  regressions=fuzz/regressions/$name
  work=$(mktemp -d)
  mkdir -p "$corpus"
  rss_limit=2048
  asan=detect_leaks=1
  if [ "$name" = fuzz_definition ]; then
    # The view's memory bound is part of what this target checks. Freed
    # blocks that AddressSanitizer holds back to catch late uses are not the
    # program's memory: it keeps only a few.
    rss_limit=256
    asan=$asan:quarantine_size_mb=16
  fi
  echo "== $name: ${seconds}s"
  if [ -d "$regressions" ] && [ -n "$(ls -A "$regressions" 2>/dev/null)" ]; then
    if ! "$target" -runs=0 "$regressions"/* > "$work/regressions.log" 2>&1; then
      echo "$name failed on a regression input:" >&2
      tail -n 40 "$work/regressions.log" >&2
      status=1
    fi
  fi
  if ! ASAN_OPTIONS=$asan "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=$rss_limit \
      -artifact_prefix="$work/" "$work" "$corpus" > "$work/fuzz.log" 2>&1; then
    echo "$name found a fault:" >&2
    tail -n 60 "$work/fuzz.log" >&2
    ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null >&2 || true
    status=1
  else
    grep "^Done" "$work/fuzz.log" || tail -n 1 "$work/fuzz.log"
  fi
  rm -rf "$work"
  return $status
}
export -f fuzz_target

status=0
targets=()
for target in "$build"/bin/fuzz_*; do
  [ -x "$target" ] && targets+=("$target")
done
# Each target's words go to a file first, so that two never mix.
printf '%s\n' "${targets[@]}" |
  xargs -P "$(nproc)" -I{} bash -c 'log=$(mktemp); fuzz_target "$1" >"$log" 2>&1; s=$?; cat "$log"; rm -f "$log"; exit $s' _ {} ||
  status=1
exit $status
