#!/usr/bin/env bash
# Builds the Windows setup program beside the zip,
#   BUILD_DIR/tessaform-<version>-setup-x64.exe
# from what stage.sh puts together (the zip's contents), with NSIS's makensis
# (Debian package nsis) and dist/windows/setup.nsi. Prints its path; fails
# when it is 20 MB or more.
#   scripts/windows/make-setup.sh BUILD_DIR
#   scripts/windows/make-setup.sh BUILD_DIR --earlier OUT.exe
# The second form builds a stand-in for an earlier version, for the upgrade
# check: version 0.9.0, quickly compressed, with one more file
# (earlier-only.dll) that the current version no longer ships.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
# shellcheck source=../common.sh
source "$root/scripts/common.sh"
ensure_packages nsis

build=$(readlink -f "$1")
earlier=${3:-}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\(.*\)/\1/p' "$build/CMakeCache.txt")
short_version=${version%.*}
out=$build/tessaform-$short_version-setup-x64.exe
stage=$build/setup-stage
defines=()
if [ -n "$earlier" ]; then
  [ "$2" = --earlier ] || { echo "usage: make-setup.sh BUILD_DIR [--earlier OUT.exe]" >&2; exit 2; }
  version=0.9.0
  out=$(readlink -f "$earlier")
  stage=$build/setup-stage-earlier
  defines+=(-DQUICK)
fi
files=$stage/files

"$here/stage.sh" "$build" "$files"
if [ -n "$earlier" ]; then
  echo "a library only the earlier version had" > "$files/earlier-only.dll"
fi

# What to install and what to remove, file by file, in NSIS's words. The
# staged names are ours: plain enough to need no quoting in NSIS.
if (cd "$files" && find . | LC_ALL=C grep -v '^[A-Za-z0-9._ /+-]*$'); then
  echo "make-setup: a staged name above needs quoting for NSIS" >&2
  exit 1
fi
windows_relative() { local path=${1#./}; printf '%s' "${path//\//\\}"; }
{
  while IFS= read -r dir; do
    if [ "$dir" = . ]; then
      echo 'SetOutPath "$INSTDIR"'
    else
      echo "SetOutPath \"\$INSTDIR\\$(windows_relative "$dir")\""
    fi
    (cd "$files" && find "$dir" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort) | while IFS= read -r file; do
      echo "File \"$files/${file#./}\""
    done
  done < <(cd "$files" && find . -type d | LC_ALL=C sort)
} > "$stage/files.nsh"
{
  (cd "$files" && find . -type f | LC_ALL=C sort) | while IFS= read -r file; do
    echo "Delete \"\$INSTDIR\\$(windows_relative "$file")\""
  done
  # Folders deepest first, each removed only once it is empty.
  (cd "$files" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while IFS= read -r dir; do
    echo "RMDir \"\$INSTDIR\\$(windows_relative "$dir")\""
  done
} > "$stage/unfiles.nsh"

# The licence page: our licence, refilled to the page's width, then the
# notices of what is shipped.
{ tr -d '\r' < "$files/LICENSE.txt" | fmt -w 66; echo; tr -d '\r' < "$files/THIRD-PARTY-NOTICES.txt"; } \
  | sed 's/$/\r/' > "$stage/notices.txt"

makensis -V2 -INPUTCHARSET UTF8 "${defines[@]}" \
  -DVERSION="$version" \
  -DFILES="$stage/files.nsh" -DUNFILES="$stage/unfiles.nsh" \
  -DNOTICES="$stage/notices.txt" -DICON="$root/dist/icons/tessaform.ico" \
  -DOUTFILE="$out" "$root/dist/windows/setup.nsi" >&2
rm -rf "$stage"

size=$(stat -c %s "$out")
limit=$((20 * 1024 * 1024))
if [ -z "$earlier" ] && [ "$size" -ge "$limit" ]; then
  echo "make-setup: $out is $size bytes, over the 20 MB a download may take" >&2
  exit 1
fi
echo "make-setup: $(basename "$out"), $((size / 1024)) KiB" >&2
echo "$out"
