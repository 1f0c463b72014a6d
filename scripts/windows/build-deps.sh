#!/usr/bin/env bash
# Builds the Windows (x86_64 MinGW-w64) dependencies of Tessaform Convertor
# from Debian's source packages, once, into a cache folder outside the
# checkout:
#   qtbase-<version>/      Qt Core, Gui, Widgets, Test (shared) and the
#                          qwindows, qoffscreen, qminimal, windowsvista and
#                          qjpeg plugins
#   libarchive-<version>/  libarchive with zlib only (Debian's MinGW zlib,
#                          linked in statically)
#   googletest-<version>/  GoogleTest and GoogleMock from /usr/src/googletest
#   wine/                  the Wine prefix for running the programs
#   env.sh                 TESSAFORM_WINDOWS_PREFIXES and WINEPREFIX
# Each dependency folder gets its stamp file last; a folder with its stamp
# is reused as it is, so a second run takes seconds.
#
# Usage: scripts/windows/build-deps.sh [--packages-only]
#   --packages-only  installs the Debian packages the build needs, and stops
#   TESSAFORM_WINDOWS_CACHE  cache folder (default /var/cache/tessaform-windows)
#   TESSAFORM_WINDOWS_JOBS   parallel build jobs (default 2)
# Then configure a project with
#   . "$TESSAFORM_WINDOWS_CACHE/env.sh"
#   cmake -DCMAKE_TOOLCHAIN_FILE=scripts/windows/mingw-toolchain.cmake ...
# and run its programs with scripts/windows/wine-run program.exe.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cache=${TESSAFORM_WINDOWS_CACHE:-/var/cache/tessaform-windows}
jobs=${TESSAFORM_WINDOWS_JOBS:-2}
toolchain=$here/mingw-toolchain.cmake
wine_run=$here/wine-run
stamp_name=.tessaform-built
# The dependencies are built with nothing but their own options.
unset TESSAFORM_WINDOWS_PREFIXES

# Raise a recipe number when the build options of a dependency change, so
# that the cache folder built with the old options is not reused.
qt_recipe=1
archive_recipe=1
gtest_recipe=1

log() { printf '[build-deps] %s\n' "$*" >&2; }

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  sudo=(sudo)
fi

# ---- packages ---------------------------------------------------------------
packages=(
  g++-mingw-w64-x86-64-posix wine64 dpkg-dev libz-mingw-w64-dev
  xvfb xauth fonts-ipafont-gothic cmake ninja-build
  qt6-base-dev qt6-base-dev-tools googletest
)
apt_updated=no
apt_update() {
  if [ "$apt_updated" = no ]; then
    "${sudo[@]}" apt-get update
    apt_updated=yes
  fi
}
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  apt_update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
fi
if [ "${1:-}" = --packages-only ]; then
  exit 0
fi

# ---- versions: each cache folder is named after what it is built from ------
installed_version() { dpkg-query -W -f='${source:Version}' "$1"; }
# The version of a package in bookworm main, from the binary package lists.
bookworm_version() {
  local version
  version=$(apt-cache madison "$1" | awk -F' *[|] *' '$3 ~ / bookworm\/main / { print $2; exit }')
  if [ -z "$version" ]; then
    apt_update
    version=$(apt-cache madison "$1" | awk -F' *[|] *' '$3 ~ / bookworm\/main / { print $2; exit }')
  fi
  [ -n "$version" ] || { log "no version of $1 in bookworm main"; return 1; }
  printf '%s\n' "$version"
}

# The cross-built Qt uses the host's moc, rcc and uic: same version.
qt_version=$(installed_version qt6-base-dev)
zlib_version=$(installed_version libz-mingw-w64-dev)
gtest_version=$(installed_version googletest)
qt_prefix=$cache/qtbase-$qt_version-r$qt_recipe
gtest_prefix=$cache/googletest-$gtest_version-r$gtest_recipe
archive_version=
archive_prefix=
if [ -f "$cache/libarchive.version" ]; then
  # The version chosen by an earlier run; reused while its build is there.
  archive_version=$(cat "$cache/libarchive.version")
  archive_prefix=$cache/libarchive-$archive_version-zlib-$zlib_version-r$archive_recipe
fi
if [ -z "$archive_prefix" ] || [ ! -f "$archive_prefix/$stamp_name" ]; then
  archive_version=$(bookworm_version libarchive-dev)
  archive_prefix=$cache/libarchive-$archive_version-zlib-$zlib_version-r$archive_recipe
fi

built() { [ -f "$1/$stamp_name" ]; }

mkdir -p "$cache"
timings=()
total_start=$SECONDS

# ---- sources: a deb-src entry for bookworm main while fetching --------------
src_list=/etc/apt/sources.list.d/tessaform-windows-deb-src.list
remove_src_list() {
  if [ -f "$src_list" ]; then
    "${sudo[@]}" rm -f "$src_list"
    log "removed $src_list"
  fi
}
trap remove_src_list EXIT

src_ready=no
fetch_source() { # package version -> unpacked folder under $cache/src
  local package=$1 version=$2
  local dir=$cache/src/$package-$version
  if [ -f "$dir/.unpacked" ]; then
    return 0
  fi
  if [ "$src_ready" = no ]; then
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main" \
      | "${sudo[@]}" tee "$src_list" >/dev/null
    # Refresh only the new entry's index; keep the other lists as they are.
    "${sudo[@]}" apt-get update -o Dir::Etc::SourceList="$src_list" \
      -o Dir::Etc::SourceParts=/nonexistent -o APT::Get::List-Cleanup=0
    src_ready=yes
  fi
  rm -rf "$dir"
  mkdir -p "$dir"
  (cd "$dir" && apt-get source -q "$package=$version")
  touch "$dir/.unpacked"
}
source_root() { # package version -> the unpacked source tree
  local dir=$cache/src/$1-$2
  find "$dir" -mindepth 1 -maxdepth 1 -type d | head -n 1
}

if ! built "$qt_prefix"; then
  fetch_source qt6-base "$qt_version"
fi
if ! built "$archive_prefix"; then
  fetch_source libarchive "$archive_version"
fi
remove_src_list

# ---- Wine prefix -----------------------------------------------------------
export WINEPREFIX=$cache/wine
start=$SECONDS
if ! built "$WINEPREFIX"; then
  log "setting up the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= /usr/lib/wine/wine64 wineboot -i
  /usr/lib/wine/wineserver64 -w
  touch "$WINEPREFIX/$stamp_name"
fi
timings+=("wine prefix: $((SECONDS - start)) s")

# ---- libarchive --------------------------------------------------------------
start=$SECONDS
if ! built "$archive_prefix"; then
  log "building libarchive $archive_version into $archive_prefix"
  src=$(source_root libarchive "$archive_version")
  build=$cache/build/libarchive
  rm -rf "$archive_prefix"
  # Configure checks that run a test program do so under Wine; without an
  # emulator cmake stops at the ZLIB_WINAPI check. POSIX_REGEX_LIB=NONE
  # avoids the search for libgcc's regex. zlib is linked in statically.
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$archive_prefix" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$wine_run" \
    -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a \
    -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
    -DENABLE_ZLIB=ON -DPOSIX_REGEX_LIB=NONE \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF \
    -DENABLE_LIBB2=OFF -DENABLE_LZ4=OFF -DENABLE_LZO=OFF -DENABLE_LZMA=OFF \
    -DENABLE_ZSTD=OFF -DENABLE_BZip2=OFF -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF \
    -DENABLE_PCREPOSIX=OFF -DENABLE_LIBGCC=OFF \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF \
    -DENABLE_XATTR=OFF -DENABLE_ACL=OFF -DENABLE_ICONV=OFF -DENABLE_TEST=OFF
  nice -n 19 cmake --build "$build" -j "$jobs"
  cmake --install "$build"
  echo "$archive_version" > "$cache/libarchive.version"
  touch "$archive_prefix/$stamp_name"
  rm -rf "$build"
fi
timings+=("libarchive $archive_version: $((SECONDS - start)) s")

# ---- GoogleTest ------------------------------------------------------------
start=$SECONDS
if ! built "$gtest_prefix"; then
  log "building GoogleTest $gtest_version into $gtest_prefix"
  build=$cache/build/googletest
  rm -rf "$gtest_prefix"
  cmake -S /usr/src/googletest -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
  nice -n 19 cmake --build "$build" -j "$jobs"
  cmake --install "$build"
  touch "$gtest_prefix/$stamp_name"
  rm -rf "$build"
fi
timings+=("googletest $gtest_version: $((SECONDS - start)) s")

# ---- Qt base ---------------------------------------------------------------
start=$SECONDS
if ! built "$qt_prefix"; then
  log "building Qt base $qt_version into $qt_prefix"
  src=$(source_root qt6-base "$qt_version")
  build=$cache/build/qtbase
  rm -rf "$qt_prefix"   # the build folder of a failed run is resumed
  # Options:
  # - opengl off as a configure input ("no"), which also turns off
  #   dynamicgl: qwindowswindow.cpp needs the OpenGL classes under dynamicgl.
  # - tabletevent off: Debian's source drops src/3rdparty/wintab, which the
  #   Windows platform plugin's tablet support includes.
  # - direct2d stays on: the platform plugin uses the DirectWrite font
  #   database, which Gui builds only with it; direct2d1_1 off leaves out
  #   the separate qdirect2d platform plugin.
  # - every third-party library bundled, so the DLLs need nothing else.
  cmake -S "$src" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBUILD_SHARED_LIBS=ON \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF \
    -DINPUT_opengl=no -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_zstd=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_direct2d=ON -DFEATURE_direct2d1_1=OFF \
    -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_jpeg=ON \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
    -DFEATURE_system_libb2=OFF -DFEATURE_system_textmarkdownreader=OFF
  nice -n 19 cmake --build "$build" -j "$jobs"
  cmake --install "$build"
  touch "$qt_prefix/$stamp_name"
  rm -rf "$build"
fi
timings+=("qtbase $qt_version: $((SECONDS - start)) s")

# ---- what a project's build needs to find it all -----------------------------
cat > "$cache/env.sh.new" <<EOF
# Written by scripts/windows/build-deps.sh.
export TESSAFORM_WINDOWS_CACHE='$cache'
export TESSAFORM_WINDOWS_PREFIXES='$qt_prefix;$archive_prefix;$gtest_prefix'
export TESSAFORM_WINDOWS_QT='$qt_prefix'
export WINEPREFIX='$WINEPREFIX'
EOF
mv "$cache/env.sh.new" "$cache/env.sh"
rm -rf "$cache/src" "$cache/build"

for line in "${timings[@]}"; do
  log "$line"
done
log "total: $((SECONDS - total_start)) s; environment in $cache/env.sh"
