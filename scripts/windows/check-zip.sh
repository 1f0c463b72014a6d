#!/usr/bin/env bash
# Unpacks the users' zip into an empty folder and runs both programs from
# there under Wine with nothing else on the DLL search path: the command-line
# program converts the sample skin, and the window program starts with it
# and is still running a few seconds later (a missing DLL or plugin ends it
# at once).
#   scripts/windows/check-zip.sh ZIP
set -euo pipefail
zip=$(readlink -f "$1")
cache=${TESSAFORM_WINDOWS_CACHE:-/var/cache/tessaform-windows}
export WINEPREFIX=${WINEPREFIX:-$cache/wine}
export WINEDEBUG=${WINEDEBUG:--all,err+module}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
unset WINEPATH
wine=/usr/lib/wine/wine64

work=$(mktemp -d "${TMPDIR:-/tmp}/tessaform-zip.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && cmake -E tar xf "$zip")
folder=$(find "$work" -mindepth 1 -maxdepth 1 -type d)

cd "$folder"
"$wine" tessaform-cli.exe --help >/dev/null
"$wine" tessaform-cli.exe convert sample -o out >"$work/cli.log"
for file in out/sample/sample.ssf out/sample/MainNormal.bmp; do
  [ -s "$file" ] || { echo "check-zip: the unpacked tessaform-cli.exe wrote no $file" >&2; cat "$work/cli.log" >&2; exit 1; }
done

# The window needs a display: a virtual one.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$0" tessaform.exe sample & pid=$!
  sleep 12
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"; echo "check-zip: tessaform.exe ended at start, status $?" >&2; exit 1
  fi
  kill "$pid"; wait "$pid" 2>/dev/null || true
' "$wine"
echo "check-zip: both programs run from the unpacked $(basename "$zip")"
