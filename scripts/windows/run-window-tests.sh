#!/usr/bin/env bash
# Cross-builds the window tests (the QtTest programs of tests/window) and
# runs each once under Wine: on Qt's offscreen platform as on Linux, and the
# screenshot test on the Windows platform in a virtual display, as a user
# sees the window.
#   scripts/windows/run-window-tests.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(readlink -f "$1")

printf '\n==== window tests under Wine (%d s so far)\n' "$SECONDS"
# The same list the Linux build runs.
mapfile -t offscreen < <(sed -n 's/^add_window_test(\([A-Za-z0-9_]*\))$/\1/p' "$root/tests/window/CMakeLists.txt")
[ ${#offscreen[@]} -gt 0 ] || { echo "run-window-tests: no window tests in tests/window/CMakeLists.txt" >&2; exit 1; }
cmake --build "$build" -j "$(nproc)" --target "${offscreen[@]}" ScreenshotTest

cd "$build/bin"
failed=()
for program in "${offscreen[@]}"; do
  echo "-- $program"
  QT_QPA_PLATFORM=offscreen QT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic' \
    "$here/wine-run" "$program.exe" -silent || failed+=("$program")
done
echo "-- ScreenshotTest (Windows platform, Xvfb)"
xvfb-run -a -s "-screen 0 1280x800x24" "$here/wine-run" ScreenshotTest.exe -silent || failed+=(ScreenshotTest)

if [ ${#failed[@]} -gt 0 ]; then
  echo "run-window-tests: failed under Wine: ${failed[*]}" >&2
  exit 1
fi
echo "run-window-tests: ${#offscreen[@]} offscreen window tests and the screenshot test pass under Wine"
