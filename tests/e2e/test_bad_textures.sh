# A missing or bad texture file is reported on standard output and the
# program keeps running and drawing.
source "$(dirname "$0")/lib.sh"
copy_textures
rm "$WORK/run/window.bmp"
printf 'not a picture %.0s' {1..40} >"$WORK/run/door.bmp"
printf 'BM' >"$WORK/run/wallpaper3.bmp"
head -c 100 "$TEXTURES/bottom.bmp" >"$WORK/run/bottom.bmp"
start
wait_drawing 30 || fail "the program is not drawing frames"
quit_cleanly
expected=$(printf '%s\n' "Could not open file 'window.bmp'" \
    "Error reading BMP file, file type incorrect" \
    "Error reading BMP file header" \
    "Error reading BMP pixels")
[ "$(cat "$WORK/stdout")" = "$expected" ] || fail "unexpected output: $(cat "$WORK/stdout")"
echo "bad textures ok"
