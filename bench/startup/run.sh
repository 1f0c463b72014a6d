#!/bin/bash
# Start-up of tessaform against a bare Qt window program, both started from
# the build's bin folder on a fresh Xvfb server, several runs each; prints
# the ratio (aim: at most 1.5). Then the playlist drag on the offscreen
# platform, and the window's answers. Usage: bench/startup/run.sh [build-dir]  (default: build)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
bin=$build/bin
cmake --build "$build" --target startup_bench playlist_drag_bench window_answer_bench gallery_bench
cd "$bin"
xvfb-run -a -s "-screen 0 1280x800x24" ./startup_bench
QT_QPA_PLATFORM=offscreen ./playlist_drag_bench
QT_QPA_PLATFORM=offscreen ./window_answer_bench
QT_QPA_PLATFORM=offscreen ./gallery_bench
