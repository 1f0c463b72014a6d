#!/usr/bin/env bash
# validate-desktop-files.sh DIST_DIR: the desktop entry, the MIME package and
# the AppStream metainfo pass their validators. Exits 77 (skipped) when a
# validator is missing.
set -uo pipefail
dist=$1
for tool in desktop-file-validate appstreamcli xmllint update-mime-database; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (Debian: desktop-file-utils, appstream, libxml2-utils, shared-mime-info)"
    exit 77
  fi
done
failed=0

# desktop-file-validate exits 0 on errors it calls "will be fatal in the
# future"; update-desktop-database already drops such an entry.
report=$(desktop-file-validate "$dist/tessaform.desktop" 2>&1)
status=$?
echo "$report"
if [ $status -ne 0 ] || echo "$report" | grep -q 'error'; then
  echo "desktop-file-validate failed" >&2
  failed=1
fi

appstreamcli validate --no-net "$dist/io.github.tessaform.Convertor.metainfo.xml" || failed=1
# The metainfo names the licence LICENSE grants.
if ! head -n 1 "$dist/../LICENSE" | grep -qx 'MIT License' \
   || ! grep -q '<project_license>MIT</project_license>' "$dist/io.github.tessaform.Convertor.metainfo.xml"; then
  echo "the metainfo's project_license is not the MIT licence of LICENSE" >&2
  failed=1
fi

xmllint --noout "$dist/tessaform.xml" "$dist/icons/tessaform.svg" || failed=1
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mime=$data/mime
mkdir -p "$mime/packages"
cp "$dist/tessaform.xml" "$mime/packages/"
# Anything it prints (an unknown element, a bad glob) is a fault.
complaints=$(XDG_DATA_DIRS=$data update-mime-database "$mime" 2>&1)
if [ -n "$complaints" ]; then
  echo "$complaints"
  echo "update-mime-database complained" >&2
  failed=1
fi
grep -qx '50:application/x-winamp-skin:\*.wsz' "$mime/globs2" || { echo "no *.wsz glob in the database" >&2; failed=1; }
grep -qx 'application/x-winamp-skin application/zip' "$mime/subclasses" || { echo "not a ZIP subclass" >&2; failed=1; }
grep -qx 'interface/x-winamp-skin application/x-winamp-skin' "$mime/aliases" || { echo "no alias for the old name" >&2; failed=1; }
exit $failed
