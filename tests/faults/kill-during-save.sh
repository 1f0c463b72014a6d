#!/usr/bin/env bash
# kill-during-save.sh BIN_DIR: conversions into one folder, each killed
# outright (SIGKILL) at a random moment. After each, "check" completes what
# the kill stopped, and the folder holds one whole skin: every file as one of
# the two conversions wrote it, all of them of the same one.
set -euo pipefail
bin=$1
cli=$bin/tessaform-cli
sample=$bin/sample
rounds=${KILL_ROUNDS:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Two conversions whose files differ wherever the options reach.
options_a=()
options_b=(--equalizer-on-top --playlist-steps 2,1)
"$cli" convert "$sample" -o "$work/a/s.ssf" "${options_a[@]}" >/dev/null
"$cli" convert "$sample" -o "$work/b/s.ssf" "${options_b[@]}" >/dev/null

out=$work/out
mkdir -p "$out"
killed_midway=0
for round in $(seq 1 "$rounds"); do
  if [ $((round % 2)) -eq 0 ]; then options=("${options_a[@]}"); else options=("${options_b[@]}"); fi
  "$cli" convert "$sample" -o "$out/s.ssf" "${options[@]}" >/dev/null 2>&1 &
  pid=$!
  sleep "$(printf "0.%03d" $((RANDOM % 500)))"
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  [ -f "$out/.tessaform.journal" ] && killed_midway=$((killed_midway + 1))
  [ -f "$out/s.ssf" ] || continue # killed before its first rename, into an empty folder
  "$cli" check "$out/s.ssf" >"$work/check.txt" 2>&1 || fail "round $round: check found $(cat "$work/check.txt")"
  [ ! -e "$out/.tessaform.journal" ] || fail "round $round: the journal is still there"
  from=""
  for file in "$work/a"/*; do
    name=$(basename "$file")
    [ -f "$out/$name" ] || fail "round $round: $name missing"
    cmp -s "$out/$name" "$work/b/$name" && cmp -s "$out/$name" "$file" && continue # the same in both
    if cmp -s "$out/$name" "$file"; then this=a; elif cmp -s "$out/$name" "$work/b/$name"; then this=b; else
      fail "round $round: $name is neither conversion's"
    fi
    [ -z "$from" ] || [ "$from" = "$this" ] || fail "round $round: $name is of $this, others of $from: a mixed skin"
    from=$this
  done
done
echo "$rounds kills, $killed_midway of them between renames: the folder held one whole skin each time"
