#!/usr/bin/env bash
# ./test --windows: builds the Windows programs with MinGW-w64 and tests them
# under Wine.
#   1. the Windows dependencies, from Debian's source packages, into a cache
#      folder outside the checkout (build-deps.sh; reused while their
#      versions stay the same);
#   2. the project, cross-built into build-windows/ (programs, core and
#      command-line tests);
#   3. the core, command-line, gallery and window tests under wine64, and the
#      same skins converted by the Linux and the Windows programs, byte for
#      byte the same (compare-output.sh; the Linux program is built in
#      build/ when it is not there): all of it twice, side by side, as on a
#      Japanese Windows (code page 932) and as on a Western one (1252),
#      whatever the machine's own locale;
#   4. the zip for users, unpacked into an empty folder and run from there
#      (make-zip.sh, check-zip.sh).
# Fails on the first failure.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here/../.."
source scripts/common.sh

step() { printf '\n==== %s (%d s so far)\n' "$*" "$SECONDS"; }

step "Windows dependencies"
"$here/build-deps.sh"
cache=${TESSAFORM_WINDOWS_CACHE:-/var/cache/tessaform-windows}
# shellcheck source=/dev/null
. "$cache/env.sh"

step "cross-building into build-windows/"
launcher=$(compiler_launcher)
cmake -S . -B build-windows -G Ninja ${launcher:+"$launcher"} \
  -DCMAKE_TOOLCHAIN_FILE="$here/mingw-toolchain.cmake" -DCMAKE_BUILD_TYPE=Release -DTESSAFORM_BENCH=OFF
cmake --build build-windows -j "$(nproc)" --target tessaform tessaform-cli tessaform_data core_tests cli_tests gallery_tests

step "the Linux converter, for the comparison"
ensure_packages "${TESSAFORM_PACKAGES[@]}"
if [ ! -f build/CMakeCache.txt ]; then
  cmake -S . -B build -G Ninja ${launcher:+"$launcher"} -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j "$(nproc)" --target tessaform-cli tessaform_data

step "the window tests, cross-built"
"$here/run-window-tests.sh" build build-windows

# Everything that runs the Windows build's tests, once per code page below,
# in the Wine prefix of the environment. A further test script goes here,
# one call line each.
tests_under_wine() { # TAG DISPLAY_FROM
  (
    export QT_QPA_PLATFORM=offscreen
    # Qt's offscreen platform on Windows reads font files from one folder.
    export QT_QPA_FONTDIR='Z:\usr\share\fonts\opentype\ipafont-gothic'
    for program in core_tests cli_tests; do
      (cd build-windows/bin && "$here/wine-run" "$program.exe" --gtest_brief=1)
    done
    # The gallery's pictures and cache. Its batch tests pass under Wine too,
    # but after the model's tests the process then never ends there (the
    # program itself ends); the batch is the converter's, tested above.
    (cd build-windows/bin && "$here/wine-run" gallery_tests.exe --gtest_brief=1 --gtest_filter='-BatchConversionTest.*')
  )
  "$here/compare-output.sh" build/bin/tessaform-cli build-windows/bin/tessaform-cli.exe
  "$here/run-window-tests.sh" run build-windows "$1" "$2"
}

# Wine takes the Windows code page and language from the Unix locale it
# starts in, which must exist: ja_JP gives code page 932, en_US 1252. The two
# runs go side by side, each in a Wine prefix of its own (each keeps about
# one processor busy): the cache's for the first, a prefix made once in
# build-windows/ for the second. Each one's report is printed
# whole when both have ended.
ensure_locales ja_JP.UTF-8 en_US.UTF-8
step "tests under Wine, as on a Windows of ja_JP.UTF-8 and of en_US.UTF-8, side by side"
second_prefix=$PWD/build-windows/wine-en_US
if [ ! -f "$second_prefix/system.reg" ]; then
  WINEPREFIX=$second_prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  WINEPREFIX=$second_prefix /usr/lib/wine/wineserver64 -w
fi
locales=(ja_JP.UTF-8 en_US.UTF-8)
prefixes=("$WINEPREFIX" "$second_prefix")
pids=()
for i in 0 1; do
  (
    unset LANGUAGE
    export LC_ALL=${locales[$i]} LANG=${locales[$i]} WINEPREFIX=${prefixes[$i]}
    # Apart on the X display numbers of their screenshot tests too.
    tests_under_wine "${locales[$i]}" $((100 * (i + 1)))
  ) > "build-windows/tests-under-wine-${locales[$i]}.log" 2>&1 &
  pids+=($!)
done
failed=()
for i in 0 1; do
  wait "${pids[$i]}" || failed+=("${locales[$i]}")
  step "tests under Wine, as on a Windows of ${locales[$i]}"
  cat "build-windows/tests-under-wine-${locales[$i]}.log"
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "tests under Wine failed, as on a Windows of: ${failed[*]}" >&2
  exit 1
fi

step "the zip for users"
zip=$("$here/make-zip.sh" build-windows)
"$here/check-zip.sh" "$zip"
"$here/check-install.sh" build-windows build/bin/tessaform-cli

step "done: ./test --windows passed"
