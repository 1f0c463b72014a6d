#!/usr/bin/env bash
# Packs the cross-built programs into the zip for Windows users:
#   BUILD_DIR/tessaform-<version>-windows-x64.zip
# holding one folder with what stage.sh puts together.
#   scripts/windows/make-zip.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(readlink -f "$1")
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\([0-9]*\.[0-9]*\).*/\1/p' "$build/CMakeCache.txt")
name=tessaform-$version-windows-x64
stage=$build/zip-stage
"$here/stage.sh" "$build" "$stage/$name"

rm -f "$build/$name.zip"
(cd "$stage" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
rm -rf "$stage"
echo "$build/$name.zip"
