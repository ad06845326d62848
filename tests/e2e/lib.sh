# Helpers for the end-to-end tests. Each test runs inside its own Xvfb
# (started by xvfb-run from CTest) and is sourced with the program and the
# texture folder as its arguments.
set -euo pipefail

TARNVALE=$(realpath "$1")
TEXTURES=$(realpath "$2")
WORK=$(mktemp -d)
PID=""
WID=""
trap 'cleanup' EXIT

cleanup() {
    if [ -n "$PID" ] && kill -0 "$PID" 2>/dev/null; then
        kill "$PID" 2>/dev/null || true
    fi
    rm -rf "$WORK"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A private copy of the textures, so a test may break some of them.
copy_textures() {
    mkdir -p "$WORK/run"
    cp "$TEXTURES"/*.bmp "$WORK/run/"
}

# Starts the program in $WORK/run and waits (bounded, START_TIMEOUT seconds)
# for its window and first frame.
start() {
    local limit=${START_TIMEOUT:-20}
    [ -d "$WORK/run" ] || copy_textures
    (cd "$WORK/run" && exec "$TARNVALE" >"$WORK/stdout" 2>"$WORK/stderr") &
    PID=$!
    # The window, or the program's end and what it said, whichever comes first.
    wait_until "$limit" window_or_end || fail "no window appeared: $(tail -3 "$WORK/stderr")"
    kill -0 "$PID" 2>/dev/null || fail "the program ended before its window appeared: $(tail -3 "$WORK/stderr")"
    WID=$(xdotool search --onlyvisible --name '^Tarnvale$' | head -n 1)
    xdotool windowfocus --sync "$WID"
    # The first frame is on screen once the window shows anything but black
    # (a test whose textures are all black sets FIRST_FRAME to another check).
    wait_until "$limit" "${FIRST_FRAME:-not_black}" || fail "nothing was drawn"
}

# A picture of the window; the program's end, or a window that gives no
# picture within 20 s, is a failure that says so at once.
shot() {
    kill -0 "$PID" 2>/dev/null || fail "the program ended: $(tail -3 "$WORK/stderr")"
    timeout 20 import -window "$WID" "$1" || fail "no picture of the window: $(tail -3 "$WORK/stderr")"
}

# Pixels that differ between two pictures.
differing() {
    compare -metric AE "$1" "$2" null: 2>&1 >/dev/null | cut -d' ' -f1 || true
}

not_black() {
    shot "$WORK/probe.png"
    [ "$(convert "$WORK/probe.png" -format '%[fx:maxima.r+maxima.g+maxima.b>0]' info:)" = 1 ]
}

# Runs a check again and again until it holds or the seconds run out.
window_or_end() {
    xdotool search --onlyvisible --name '^Tarnvale$' >/dev/null 2>&1 || ! kill -0 "$PID" 2>/dev/null
}

wait_until() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    while ! "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

differs_from() {
    shot "$WORK/now.png"
    [ "$(differing "$1" "$WORK/now.png")" -gt "${2:-2000}" ]
}

same_as() {
    shot "$WORK/now.png"
    [ "$(differing "$1" "$WORK/now.png")" -eq 0 ]
}

key() {
    xdotool key --clearmodifiers --delay 5 "$@"
}

# Presses keys, then waits (bounded) until more than `pixels` pixels of the
# picture differ from before.
expect_change_after() {
    local what=$1 pixels=$2
    shift 2
    shot "$WORK/before.png"
    key "$@"
    wait_until 10 differs_from "$WORK/before.png" "$pixels" || fail "$what did not change the picture"
}

unique_colours() {
    convert "$1" -format '%k' info:
}

# Chooses entry 1 or 2 of the right-button menu: press, wait (bounded) for
# the menu window, move onto the entry, release.
choose_menu_entry() {
    xdotool mousemove --window "$WID" 300 200 mousedown 3
    timeout 10 xdotool search --sync --onlyvisible --name '^freeglut menu$' >/dev/null || fail "no menu opened"
    xdotool mousemove --window "$WID" 320 $((200 + 26 * $1 - 14))
    xdotool mouseup 3
    wait_until 10 menu_closed || fail "the menu did not close"
}

menu_closed() {
    ! xdotool search --onlyvisible --name '^freeglut menu$' >/dev/null 2>&1
}

# Waits (bounded) for the program to end; its exit status goes to STATUS.
wait_for_exit() {
    local deadline=$((SECONDS + 10))
    while kill -0 "$PID" 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || fail "the program did not end"
        sleep 0.05
    done
    STATUS=0
    wait "$PID" || STATUS=$?
    PID=""
}

cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$PID/stat"
}

# Waits (bounded) until the program has spent `ticks` more ticks of CPU
# time: with no input at all it keeps drawing frames.
wait_drawing() {
    local ticks=$1 limit=${2:-20} from
    from=$(cpu_ticks)
    drawn() { [ $(($(cpu_ticks) - from)) -ge "$ticks" ]; }
    wait_until "$limit" drawn
}

# Presses q and expects the program to end with status 0; the argument
# names the case in a failure.
quit_cleanly() {
    key q
    wait_for_exit
    [ "$STATUS" = 0 ] || fail "${1:-}: the program ended with status $STATUS: $(tail -5 "$WORK/stderr")"
}
