#!/usr/bin/env bash
# full-disk.sh BIN_DIR: conversions onto a full disk (a small tmpfs) fail with
# the system's reason, at once, and leave nothing behind: no output folder,
# no temporary, no lock. Mounting needs root; without it the script skips
# (exit status 77).
set -euo pipefail
bin=$1
# The reasons it looks for are the English ones the C library gives.
export LC_ALL=C.UTF-8
unset LANGUAGE
cli=$bin/tessaform-cli
sample=$bin/sample

if [ "$(id -u)" -ne 0 ]; then
  echo "skipped: mounting a small disk needs root"
  exit 77
fi
work=$(mktemp -d)
disk=$work/disk
mkdir -p "$disk"
if ! mount -t tmpfs -o size=256k,nr_inodes=64 tmpfs "$disk" 2>/dev/null; then
  rmdir "$disk"
  rm -rf "$work"
  echo "skipped: cannot mount a tmpfs here"
  exit 77
fi
trap 'umount "$disk" 2>/dev/null || true; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# run EXPECTED_STATUS ARGS...: the converter's status must be the one
# expected, its output goes to $work/out.txt. A run that waits (for a lock
# nobody holds) is ended and fails.
run() {
  local expected=$1
  shift
  local status=0
  timeout 30 "$cli" "$@" >"$work/out.txt" 2>&1 || status=$?
  [ "$status" -ne 124 ] || fail "the converter waited: $*"
  [ "$status" -eq "$expected" ] || fail "status $status, not $expected: $* ($(cat "$work/out.txt"))"
}

# The sample's files (about a megabyte) do not fit on the disk.
run 1 convert "$sample" -o "$disk/new/deeper/skin.ssf"
grep -q "space" "$work/out.txt" || fail "no reason given: $(cat "$work/out.txt")"
[ -z "$(ls -A "$disk")" ] || fail "a failed skin left $(ls -A "$disk")"
# In Japanese too the reason is the system's, not Qt's translated "Unknown error".
LANGUAGE=ja run 1 convert "$sample" -o "$disk/new/deeper/skin.ssf"
grep -q "未知のエラー" "$work/out.txt" && fail "no reason given in Japanese: $(cat "$work/out.txt")"
[ -z "$(ls -A "$disk")" ] || fail "a failed skin left $(ls -A "$disk")"

run 1 convert "$sample" "$sample" -o "$disk/batch" -j 2
[ -z "$(ls -A "$disk")" ] || fail "a failed batch left $(ls -A "$disk")"

# With no file left to create, not even the lock can be made: said at once,
# with the reason, and again on a second try.
mkdir "$disk/out"
i=0
while touch "$disk/filler$i" 2>/dev/null; do
  i=$((i + 1))
done
for attempt in 1 2; do
  run 1 convert "$sample" -o "$disk/out/skin.ssf"
  grep -q ".tessaform.lock" "$work/out.txt" || fail "the lock is not named: $(cat "$work/out.txt")"
  grep -q "space" "$work/out.txt" || fail "no reason given: $(cat "$work/out.txt")"
done
[ -z "$(ls -A "$disk/out")" ] || fail "left in the output folder: $(ls -A "$disk/out")"
echo "full disk: every failure said why and left nothing behind"
