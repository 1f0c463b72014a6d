#!/usr/bin/env bash
# Writes the licence notices of what the Windows zip and setup program ship
# into a staged folder:
#   LICENSE.txt               our own licence (MIT)
#   THIRD-PARTY-NOTICES.txt   each library shipped: files, version, licence,
#                             where its source is
#   licenses\*.txt            the copyright record of the Debian package each
#                             library was built from (every author and licence
#                             of that source), and licenses\common\* the
#                             licence texts those records refer to
#   scripts/windows/make-notices.sh FOLDER VERSION
# The dependency versions are read from the cache folders they were built
# into (env.sh), so the notices name the very source that was built.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
folder=$1
version=$2
cache=${TESSAFORM_WINDOWS_CACHE:-/var/cache/tessaform-windows}
if [ -z "${TESSAFORM_WINDOWS_QT:-}" ]; then
  # shellcheck source=/dev/null
  . "$cache/env.sh"
fi

fail() { echo "make-notices: $*" >&2; exit 1; }
source_version() { dpkg-query -W -f='${source:Version}' "$1"; }
# A cache folder is named <name>-<version>[-zlib-<version>]-r<recipe>.
qt_version=$(basename "$TESSAFORM_WINDOWS_QT" | sed -E 's/^qtbase-(.*)-r[0-9]+$/\1/')
archive_version=
IFS=';' read -ra prefixes <<< "$TESSAFORM_WINDOWS_PREFIXES"
for prefix in "${prefixes[@]}"; do
  case $(basename "$prefix") in
    libarchive-*) archive_version=$(basename "$prefix" | sed -E 's/^libarchive-(.*)-zlib-.*-r[0-9]+$/\1/') ;;
  esac
done
[ -n "$qt_version" ] && [ -n "$archive_version" ] || fail "no Qt or libarchive folder in $cache/env.sh"
translations_version=$(source_version qt6-translations-l10n)
zlib_version=$(source_version libz-mingw-w64-dev)
gcc_version=$(source_version gcc-mingw-w64-x86-64-posix-runtime)
# gcc-mingw-w64 builds the GCC source of Debian's gcc package it names.
gcc_source_version=$(dpkg-query -W -f='${Built-Using}' gcc-mingw-w64-x86-64-posix-runtime \
  | sed -nE 's/.*gcc-[0-9]+ \(= ([^)]*)\).*/\1/p')
gcc_source=$(dpkg-query -W -f='${Built-Using}' gcc-mingw-w64-x86-64-posix-runtime | sed -nE 's/.*(gcc-[0-9]+) \(=.*/\1/p')
[ -n "$gcc_source_version" ] || fail "no GCC source named by gcc-mingw-w64-x86-64-posix-runtime"
mingw_version=$(source_version mingw-w64-x86-64-dev)
upstream() { printf '%s' "${1%%[-+]*}"; } # 6.4.2+dfsg-10 -> 6.4.2
snapshot() { printf 'https://snapshot.debian.org/package/%s/%s/' "$1" "$2"; }

# Debian's copyright records: the package whose documentation holds each.
records=(
  "qt6-base:libqt6core6"
  "qt6-translations:qt6-translations-l10n"
  "libarchive:libarchive13"
  "zlib:libz-mingw-w64-dev"
  "gcc-runtime:gcc-mingw-w64-x86-64-posix-runtime"
  "mingw-w64:mingw-w64-common"
)
mkdir -p "$folder/licenses/common"
# CR LF: Notepad before Windows 10 shows a file of LF lines as one line.
crlf() { sed 's/\r*$/\r/'; }
for record in "${records[@]}"; do
  name=${record%%:*}
  file=/usr/share/doc/${record#*:}/copyright
  [ -f "$file" ] || fail "$file is missing (Debian package ${record#*:})"
  crlf < "$file" > "$folder/licenses/$name.txt"
done
# The records refer to licence texts by /usr/share/common-licenses/NAME.
cat /usr/share/doc/{libqt6core6,qt6-translations-l10n,libarchive13,libz-mingw-w64-dev}/copyright \
    /usr/share/doc/{gcc-mingw-w64-x86-64-posix-runtime,mingw-w64-common}/copyright \
  | grep -o 'common-licenses/[A-Za-z0-9.-]*[A-Za-z0-9]' | sort -u | while read -r reference; do
  text=/usr/share/$reference
  [ -f "$text" ] || fail "$text is missing"
  crlf < "$text" > "$folder/licenses/common/$(basename "$reference").txt"
done
[ -f "$folder/licenses/common/LGPL-3.txt" ] || crlf < /usr/share/common-licenses/LGPL-3 > "$folder/licenses/common/LGPL-3.txt"
[ -f "$folder/licenses/common/GPL-3.txt" ] || crlf < /usr/share/common-licenses/GPL-3 > "$folder/licenses/common/GPL-3.txt"

crlf < "$root/LICENSE" > "$folder/LICENSE.txt"

title="Tessaform Convertor $version for Windows: the software it ships"
# At most 66 columns but for the addresses: the setup program's licence
# page shows it as it stands.
crlf > "$folder/THIRD-PARTY-NOTICES.txt" <<EOF
$title
${title//?/=}

Tessaform Convertor itself is under the MIT licence (LICENSE.txt).
Beside its two programs, this folder holds libraries written by
others, each under its own licence, listed below. The folder
"licenses" holds each library's copyright record: the record of
the Debian package it was built from, which names every author
and licence of that source. Where a record refers to
/usr/share/common-licenses/NAME, the text is
licenses\\common\\NAME.txt.

Qt $(upstream "$qt_version")
  Files: Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll, platforms\\,
    styles\\, imageformats\\; translations\\qtbase_ja.qm (Qt's
    Japanese texts).
  Licence: GNU Lesser General Public License version 3
    (LGPL-3.0-only), licenses\\common\\LGPL-3.txt, with the GNU
    General Public License version 3 it adds to,
    licenses\\common\\GPL-3.txt. Qt contains code of others under
    their own permissive licences (among them FreeType, HarfBuzz,
    libpng, libjpeg-turbo, PCRE2, zlib, double-conversion, md4c),
    listed with their texts in licenses\\qt6-base.txt; those of
    qtbase_ja.qm are in licenses\\qt6-translations.txt.
  Source: the Debian source packages qt6-base $qt_version
    and qt6-translations $translations_version, unchanged:
      $(snapshot qt6-base "$qt_version")
      $(snapshot qt6-translations "$translations_version")
    The Qt Project publishes the same sources at
      https://download.qt.io/archive/qt/
    Tessaform's source builds them for Windows with the options in
    its scripts/windows/build-deps.sh.
  The programs load Qt from these DLLs: they keep working with Qt
  DLLs of the same version that you build yourself, from this or a
  changed source, and put in their place.

libarchive $(upstream "$archive_version")
  Files: libarchive.dll.
  Licence: BSD 2-clause licence (BSD-2-Clause),
    licenses\\libarchive.txt.
  Source: the Debian source package libarchive $archive_version:
      $(snapshot libarchive "$archive_version")

zlib $(upstream "$zlib_version")
  Files: built into libarchive.dll.
  Licence: the zlib licence (Zlib), licenses\\zlib.txt.
  Source: the Debian source package libz-mingw-w64 $zlib_version:
      $(snapshot libz-mingw-w64 "$zlib_version")

GCC runtime libraries (GCC $(upstream "$gcc_source_version"))
  Files: libstdc++-6.dll, libgcc_s_seh-1.dll.
  Licence: GNU General Public License version 3 or later with the
    GCC Runtime Library Exception version 3.1 (GPL-3.0-or-later
    WITH GCC-exception-3.1), licenses\\gcc-runtime.txt (the
    exception's text included) and licenses\\common\\GPL-3.txt.
  Source: the Debian source package gcc-mingw-w64 $gcc_version,
    which builds the GCC source of $gcc_source $gcc_source_version:
      $(snapshot gcc-mingw-w64 "$gcc_version")
      $(snapshot "$gcc_source" "$gcc_source_version")

MinGW-w64 $(upstream "$mingw_version")
  Files: libwinpthread-1.dll; start-up code built into both
    programs.
  Licence: winpthreads under the MIT (Expat) licence; the start-up
    code under the Zope Public License 2.1 and in the public
    domain: licenses\\mingw-w64.txt.
  Source: the Debian source package mingw-w64 $mingw_version:
      $(snapshot mingw-w64 "$mingw_version")
EOF
