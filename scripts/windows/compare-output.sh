#!/usr/bin/env bash
# Converts the sample skin and the real skins of ../shared/skins (when that
# folder is there) with the Linux and the Windows command-line programs and
# fails unless every file written is byte for byte the same.
#   scripts/windows/compare-output.sh LINUX_CLI WINDOWS_CLI_EXE
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
linux_cli=$(readlink -f "$1")
windows_cli=$(readlink -f "$2")

work=$(mktemp -d "${TMPDIR:-/tmp}/tessaform-compare.XXXXXX")
trap 'rm -rf "$work"' EXIT

sources=("$root/data/sample")
shopt -s nullglob
sources+=("$root"/../shared/skins/*.wsz)
shopt -u nullglob
windows_sources=()
for source in "${sources[@]}"; do
  source=$(readlink -f "$source")
  windows_sources+=("Z:${source//\//\\}")
done

"$linux_cli" convert "${sources[@]}" -o "$work/linux" >"$work/linux.log"
# The faces the Linux program draws with (fontconfig finds them there); the
# Windows program reads its faces from one folder of font files.
export QT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic'
(cd "$work" && "$here/wine-run" "$windows_cli" convert "${windows_sources[@]}" -o windows >"$work/windows.log")

files=$(find "$work/linux" -type f | wc -l)
if ! diff -r "$work/linux" "$work/windows"; then
  echo "compare-output: the Windows program wrote other files than the Linux one" >&2
  exit 1
fi
echo "compare-output: ${#sources[@]} skins, $files files, byte for byte the same on Linux and Windows"
