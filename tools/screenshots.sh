#!/usr/bin/env bash
# Takes the README's screenshots from the real program under Xvfb, and the
# page's from headless Chromium (after make web):
#   xvfb-run -a tools/screenshots.sh BUILD_DIR OUTPUT_DIR
out=$(cd "$2" && pwd)
/usr/bin/python3 "$(dirname "$0")/web_screenshot.py" "$1/web" "$out/web.png" "$out/phone.png" "$out/inspector.png" \
    "$out/try.png"
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1/tarnvale" "$1/run"

# Where the program starts: no key pressed.
start
shot "$out/start.png"
key q
wait_for_exit

# Outside: the piece above the house, the scene tilted to look from above.
start
choose_menu_entry 2
xdotool mousemove --window "$WID" 400 300 mousedown 1
xdotool mousemove --window "$WID" 460 520
xdotool mouseup 1
wait_until 10 differs_from "$WORK/probe.png" || fail "the view did not change"
shot "$out/outside.png"
key q
wait_for_exit

# Inside: walk into the upper storey and look towards the window side.
start
key $(printf 'Up %.0s' {1..34}) $(printf 'Right %.0s' {1..22}) 1 1
shot "$WORK/probe.png"
wait_until 10 differs_from "$WORK/probe.png" 0 || true
shot "$out/inside.png"
key q
wait_for_exit
