#!/usr/bin/env bash
# Converts the sample skin, the sample zipped as a Japanese Windows zips it
# (below), and the real skins of ../shared/skins (when that folder is there)
# with the Linux and the Windows command-line programs, and fails unless each
# converts and every file written is byte for byte the same.
#   scripts/windows/compare-output.sh LINUX_CLI WINDOWS_CLI_EXE
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
linux_cli=$(readlink -f "$1")
windows_cli=$(readlink -f "$2")

work=$(mktemp -d "${TMPDIR:-/tmp}/tessaform-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The sample under a folder named 日本 stored as its Shift-JIS bytes
# (93 FA 96 7B) without the UTF-8 flag, in the local and the central headers,
# as archivers on a Japanese Windows stored names; the archive's Japanese name
# makes Japanese output names. Zipped under ABCD/, then those bytes replaced.
mkdir -p "$work/sjis/ABCD"
cp "$root/data/sample/"* "$work/sjis/ABCD/"
(cd "$work/sjis" && cmake -E tar cf ../sjis.zip --format=zip ABCD)
members=$(cmake -E tar tf "$work/sjis.zip" | wc -l)
sjis_archive="$work/日本のスキン.wsz"
SJIS_HEADERS=$((2 * members)) perl -0777 -pe \
  '$n = s/ABCD/\x93\xFA\x96\x7B/g; die "ABCD $n times, not in the $ENV{SJIS_HEADERS} headers only\n" if $n != $ENV{SJIS_HEADERS}' \
  "$work/sjis.zip" > "$sjis_archive"

sources=("$root/data/sample" "$sjis_archive")
shopt -s nullglob
sources+=("$root"/../shared/skins/*.wsz)
shopt -u nullglob
windows_sources=()
for source in "${sources[@]}"; do
  source=$(readlink -f "$source")
  windows_sources+=("Z:${source//\//\\}")
done

failed() { echo "compare-output: the $1 program failed:" >&2; cat "$work/$1.log" >&2; exit 1; }
"$linux_cli" convert "${sources[@]}" -o "$work/linux" >"$work/linux.log" || failed linux
# The faces the Linux program draws with (fontconfig finds them there); the
# Windows program reads its faces from one folder of font files.
export QT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic'
(cd "$work" && "$here/wine-run" "$windows_cli" convert "${windows_sources[@]}" -o windows >"$work/windows.log") \
  || failed windows

files=$(find "$work/linux" -type f | wc -l)
converted=$(find "$work/linux" -name '*.ssf' ! -name '*_EQ.ssf' | wc -l)
[ "$converted" -eq ${#sources[@]} ] || failed linux
if ! diff -r "$work/linux" "$work/windows"; then
  echo "compare-output: the Windows program wrote other files than the Linux one" >&2
  exit 1
fi
echo "compare-output: ${#sources[@]} skins, $files files, byte for byte the same on Linux and Windows"
