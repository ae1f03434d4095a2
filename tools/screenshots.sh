#!/bin/sh
# Takes the screenshots of the main window in docs/ under Xvfb: the window filling a
# 1366 x 768 screen, and a 1920 x 1080 screen at 150 % scaling, each in the debugger's layout
# and in the Play layout, the Russian interface on the 1366 x 768 screen
# (docs/screenshot_1366x768_ru.png), plus docs/screenshot_main.png. Run after a build:
#     tools/screenshots.sh [BUILD_DIR]        (default: build)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
test_program=$build/tests/tarvolin_ui_window_layout_test
russian_program=$build/tests/tarvolin_ui_russian_window_test
for f in "$test_program" "$russian_program" "$build/src/tarvolin" "$build/examples/demo.rom"; do
    [ -e "$f" ] || { echo "missing $f: build first (cmake --build $build)" >&2; exit 1; }
done
command -v xvfb-run >/dev/null || { echo "xvfb-run is missing: apt-get install xvfb" >&2; exit 1; }
docs=$here/docs
# Settings of the runs stay in a folder of their own.
export XDG_CONFIG_HOME=$(mktemp -d)
export XDG_RUNTIME_DIR=$XDG_CONFIG_HOME
trap 'rm -rf "$XDG_CONFIG_HOME"' EXIT
shoot() { # SCREEN SCALE [PROGRAM SLOT]
    QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=$2 TARVOLIN_SCREENSHOT_DIR=$docs \
        xvfb-run -a -s "-screen 0 ${1}x24" "${3:-$test_program}" "${4:-Screenshots}" >/dev/null
}
shoot 1366x768 1
shoot 1920x1080 1.5
shoot 1366x768 1 "$russian_program" Screenshot
xvfb-run -a -s "-screen 0 1366x768x24" "$build/src/tarvolin" --screenshot "$build/examples/demo.rom" \
    "$docs/screenshot_main.png" >/dev/null
ls -l "$docs"/screenshot_1366x768*.png "$docs"/screenshot_1920x1080_150*.png "$docs/screenshot_main.png"
