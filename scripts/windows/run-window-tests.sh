#!/usr/bin/env bash
# The window tests (the QtTest programs of tests/window) under Wine: on Qt's
# offscreen platform as on Linux, and the screenshot test on the Windows
# platform in a virtual display, as a user sees the window.
#   scripts/windows/run-window-tests.sh build BUILD_DIR
#       cross-builds them and puts beside them what they need under Wine
#   scripts/windows/run-window-tests.sh run BUILD_DIR TAG DISPLAY_FROM
#       runs each once, in the Wine prefix of the environment; TAG names this
#       run's reports and screen prefix and DISPLAY_FROM is the first X
#       display number it tries, so that runs side by side keep apart
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
mode=$1
build=$(readlink -f "$2")
# shellcheck source=../common.sh
source "$root/scripts/common.sh"

# The same list the Linux build runs.
mapfile -t offscreen < <(sed -n 's/^add_window_test(\([A-Za-z0-9_]*\))$/\1/p' "$root/tests/window/CMakeLists.txt")
[ ${#offscreen[@]} -gt 0 ] || { echo "run-window-tests: no window tests in tests/window/CMakeLists.txt" >&2; exit 1; }
# Qt's offscreen platform on Windows reads its fonts from one folder: the
# faces the Linux tests draw with, the stand-ins of the Windows faces among
# them (scripts/common.sh installs them).
fonts=$build/window-test-fonts

if [ "$mode" = build ]; then
  ensure_packages openbox
  cmake --build "$build" -j "$(nproc)" --target "${offscreen[@]}" ScreenshotTest
  rm -rf "$fonts"
  mkdir -p "$fonts"
  for package in fonts-ipafont-gothic fonts-ipafont-mincho fonts-ipaexfont-gothic fonts-ipaexfont-mincho \
                 fonts-liberation2 fonts-dejavu-core; do
    dpkg -L "$package" | grep -E '\.(ttf|otf)$' | while read -r file; do ln -sf "$file" "$fonts/"; done
  done
  # Qt's own Japanese texts, found beside the program as in the zip.
  mkdir -p "$build/bin/translations"
  cp /usr/share/qt6/translations/qtbase_ja.qm "$build/bin/translations/"
  # Checks that depend on Wine's stand-ins for a user's machine (each says why).
  cp "$here/window-tests-under-wine.blacklist" "$build/bin/BLACKLIST"
  exit 0
fi
[ "$mode" = run ] || { echo "usage: run-window-tests.sh build BUILD_DIR | run BUILD_DIR TAG DISPLAY_FROM" >&2; exit 2; }
tag=$3
display_from=$4

printf '\n==== window tests under Wine (%d s so far)\n' "$SECONDS"
cd "$build/bin"
failed=()
# Runs PROGRAM through LAUNCHER (env, xvfb-run, ...). QtTest writes its report
# to a file: Wine's console drops it.
run_test() { # PROGRAM LAUNCHER...
  local program=$1 report=$build/$1-wine-$tag.txt
  shift
  echo "-- $program"
  if ! "$@" "$here/wine-run" "$program.exe" -o "Z:${report//\//\\},txt" >/dev/null; then
    grep -E -A3 '^(FAIL|XPASS)' "$report" >&2 || tail -n 20 "$report" >&2 || true
    failed+=("$program")
  fi
}
for program in "${offscreen[@]}"; do
  run_test "$program" env QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR="Z:${fonts//\//\\}"
done
# The look as users see it: the Windows platform, in a virtual display with
# a window manager (without one, Wine's window at times never shows), and in
# a Wine prefix of its own, apart from the Wine of the programs above (and of
# anyone else using the shared one) that runs without a display.
screen_prefix=$build/wine-screen-$tag
if [ ! -f "$screen_prefix/system.reg" ]; then
  WINEPREFIX=$screen_prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$screen_prefix /usr/lib/wine/wineserver64 -w
fi
run_test ScreenshotTest env WINEPREFIX="$screen_prefix" xvfb-run -a -n "$display_from" -s "-screen 0 1280x800x24" \
  bash -c 'openbox >/dev/null 2>&1 & sleep 1; "$@"' managed

if [ ${#failed[@]} -gt 0 ]; then
  echo "run-window-tests: failed under Wine: ${failed[*]}" >&2
  exit 1
fi
echo "run-window-tests: ${#offscreen[@]} offscreen window tests and the screenshot test pass under Wine"
