# Runs the program for SOAK_SECONDS under bursts of key presses and drags,
# then checks it still draws, did not grow, quits cleanly and reported no
# error. Meant for the sanitized build or for a run under valgrind
# (TARNVALE_WRAPPER="valgrind ...").
source "$(dirname "$0")/lib.sh"
SOAK_SECONDS=${SOAK_SECONDS:-20}
if [ -n "${TARNVALE_WRAPPER:-}" ]; then
    wrapped="$WORK/wrapped"
    printf '#!/bin/sh\nexec %s %q\n' "$TARNVALE_WRAPPER" "$TARNVALE" >"$wrapped"
    chmod +x "$wrapped"
    TARNVALE=$wrapped
fi
start

rss() { awk '/VmRSS/ {print $2}' "/proc/$PID/status"; }
keys="1 2 3 z x Left Right Up Down d l t f p D P a"
burst=""
for i in $(seq 1 40); do burst="$burst $keys"; done

deadline=$((SECONDS + SOAK_SECONDS))
round=0
while [ $SECONDS -lt $deadline ]; do
    key $burst  # some 700 presses
    xdotool mousemove --window "$WID" 400 300 mousedown 1
    for x in $(seq 0 20 400); do xdotool mousemove --window "$WID" $((200 + x)) $((150 + x / 2)); done
    xdotool mouseup 1
    round=$((round + 1))
    [ $round -eq 2 ] && first_rss=$(rss)
done
last_rss=$(rss)
echo "rounds: $round, resident memory after round 2: ${first_rss:-?} kB, at the end: $last_rss kB"

wait_drawing 10 30 || fail "the program stopped drawing"
if [ -n "${first_rss:-}" ]; then
    [ "$last_rss" -le $((first_rss + first_rss / 10 + 2048)) ] || fail "memory grew from $first_rss kB to $last_rss kB"
fi
quit_cleanly
if grep -E 'ERROR: AddressSanitizer|runtime error:|ERROR SUMMARY: [1-9]' "$WORK/stderr"; then
    fail "errors reported"
fi
grep 'ERROR SUMMARY' "$WORK/stderr" || true
echo "soak ok"
