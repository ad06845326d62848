# A missing or bad texture file is reported on standard output and the
# program keeps running and drawing.
source "$(dirname "$0")/lib.sh"
copy_textures
rm "$WORK/run/window.bmp"
printf 'not a picture %.0s' {1..40} >"$WORK/run/door.bmp"
printf 'BM' >"$WORK/run/wallpaper3.bmp"
head -c 100 "$TEXTURES/bottom.bmp" >"$WORK/run/bottom.bmp"
start
start_ticks=$(cpu_ticks)
busy() { [ $(($(cpu_ticks) - start_ticks)) -ge 30 ]; }
wait_until 20 busy || fail "the program is not drawing frames"
key q
wait_for_exit
[ "$STATUS" = 0 ] || fail "the program ended with status $STATUS"
expected=$(printf '%s\n' "Could not open file 'window.bmp'" \
    "Error reading BMP file, file type incorrect" \
    "Error reading BMP file header" \
    "Error reading BMP pixels")
[ "$(cat "$WORK/stdout")" = "$expected" ] || fail "unexpected output: $(cat "$WORK/stdout")"
echo "bad textures ok"
