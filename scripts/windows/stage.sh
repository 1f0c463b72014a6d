#!/usr/bin/env bash
# Puts together in FOLDER what a Windows user gets, for the zip and the setup
# program alike: both programs, the Qt and MinGW runtime DLLs they load, the
# Qt plugins they use (the Windows and offscreen platforms, style, JPEG for
# the splash), the data files and the sample skin, Qt's Japanese
# translation, README.txt, the licence and the notices of what it ships.
#   scripts/windows/stage.sh BUILD_DIR FOLDER
# Reads the dependency prefixes from the cache's env.sh.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(readlink -f "$1")
folder=$2
cache=${TESSAFORM_WINDOWS_CACHE:-/var/cache/tessaform-windows}
if [ -z "${TESSAFORM_WINDOWS_QT:-}" ]; then
  # shellcheck source=/dev/null
  . "$cache/env.sh"
fi
triple=x86_64-w64-mingw32
rm -rf "$folder"
mkdir -p "$folder"/{platforms,styles,imageformats,translations}

bin=$build/bin
cp "$bin/tessaform.exe" "$bin/tessaform-cli.exe" "$folder/"
cp "$bin"/*.dat "$bin/Start.jpg" "$folder/"
cp -r "$bin/sample" "$folder/sample"

qt=$TESSAFORM_WINDOWS_QT
cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$folder/"
# The window draws with the Windows platform; the converter offscreen.
cp "$qt/plugins/platforms/qwindows.dll" "$qt/plugins/platforms/qoffscreen.dll" "$folder/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
cp "$qt/plugins/imageformats/qjpeg.dll" "$folder/imageformats/"
IFS=';' read -ra prefixes <<< "$TESSAFORM_WINDOWS_PREFIXES"
for prefix in "${prefixes[@]}"; do
  if [ -f "$prefix/bin/libarchive.dll" ]; then
    cp "$prefix/bin/libarchive.dll" "$folder/"
  fi
done
for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
  cp "$(readlink -f "$($triple-g++-posix -print-file-name="$dll")")" "$folder/$dll"
done
# The host's Japanese translation of Qt's own texts is of the same version.
cp /usr/share/qt6/translations/qtbase_ja.qm "$folder/translations/"
# A unix-style text file reads fine in today's Notepad; CR LF for older ones.
sed 's/$/\r/' "$here/README.txt" > "$folder/README.txt"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=\(.*\)/\1/p' "$build/CMakeCache.txt")
"$here/make-notices.sh" "$folder" "$version"

find "$folder" \( -name '*.exe' -o -name '*.dll' \) -exec "$triple-strip" --strip-unneeded {} +
