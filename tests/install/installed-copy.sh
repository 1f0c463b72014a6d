#!/usr/bin/env bash
# installed-copy.sh BUILD_DIR CMAKE: installs the build into a temporary
# prefix, checks that the desktop files land where the desktop looks, and
# converts the sample skin with the installed tessaform-cli run from another
# folder, so that its data can only come from PREFIX/share/tessaform.
set -euo pipefail
build=$1
cmake=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix

"$cmake" --install "$build" --prefix "$prefix" >/dev/null

for file in bin/tessaform-cli \
            share/tessaform/btnspos.dat share/tessaform/Start.jpg share/tessaform/sample/main.bmp \
            share/applications/tessaform.desktop share/mime/packages/tessaform.xml \
            share/metainfo/io.github.tessaform.Convertor.metainfo.xml \
            share/icons/hicolor/16x16/apps/tessaform.png share/icons/hicolor/256x256/apps/tessaform.png \
            share/icons/hicolor/scalable/apps/tessaform.svg share/doc/tessaform/copyright; do
  if [ ! -f "$prefix/$file" ]; then
    echo "not installed: $file" >&2
    exit 1
  fi
done
if [ -e "$prefix/bin/btnspos.dat" ]; then
  echo "data files installed beside the programs" >&2
  exit 1
fi

touch "$scratch/installed"
mkdir "$scratch/elsewhere"
cd "$scratch/elsewhere"
"$prefix/bin/tessaform-cli" convert "$prefix/share/tessaform/sample" -o out/sample.ssf
for file in out/sample.ssf out/MainNormal.bmp; do
  if [ ! -s "$file" ]; then
    echo "the installed converter wrote no $file" >&2
    exit 1
  fi
done
# Nothing may be written into the installed tree.
if [ -n "$(find "$prefix" -newer "$scratch/installed")" ]; then
  echo "the installed converter wrote into its prefix:" >&2
  find "$prefix" -newer "$scratch/installed" >&2
  exit 1
fi
echo "installed copy converted the sample from $PWD"
