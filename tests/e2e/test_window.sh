# The program opens an 800 x 600 window titled "Tarnvale" and keeps drawing.
source "$(dirname "$0")/lib.sh"
start

info=$(xwininfo -id "$WID")
grep -q 'Width: 800' <<<"$info" || fail "window is not 800 wide: $info"
grep -q 'Height: 600' <<<"$info" || fail "window is not 600 high: $info"
[ "$(xdotool getwindowname "$WID")" = "Tarnvale" ] || fail "wrong title"

# Frames follow one another with no input: the process keeps working.
wait_drawing 50 || fail "the program is not drawing frames"
kill -0 "$PID" || fail "the program died"
[ ! -s "$WORK/stdout" ] || fail "unexpected output: $(cat "$WORK/stdout")"
echo "window ok"
