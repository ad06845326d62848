# Each of the fourteen texture files missing, empty, truncated or replaced
# by garbage: the reader's message appears and the program keeps drawing.
source "$(dirname "$0")/lib.sh"
files="dol2 window door wallpaper wallpaper2 wallpaper3 wallpaper4 wallpaper5 bottom bottom2 bottom3 bottom4 bottom5 flosis"
for file in $files; do
    for damage in missing empty truncated garbage; do
        rm -rf "$WORK/run"
        copy_textures
        target="$WORK/run/$file.bmp"
        case $damage in
            missing) rm "$target"; expected="Could not open file '$file.bmp'" ;;
            empty) : >"$target"; expected="Error reading BMP file, file type incorrect" ;;
            truncated) head -c 100 "$TEXTURES/$file.bmp" >"$target"; expected="Error reading BMP pixels" ;;
            garbage) printf 'no picture here %.0s' {1..64} >"$target"; expected="Error reading BMP file, file type incorrect" ;;
        esac
        start
        wait_drawing 10 || fail "$file $damage: the program is not drawing"
        quit_cleanly "$file $damage"
        [ "$(cat "$WORK/stdout")" = "$expected" ] || fail "$file $damage: printed '$(cat "$WORK/stdout")'"
    done
done
echo "texture files ok"
