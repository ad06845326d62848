# Each of the fourteen texture files missing, empty, truncated or replaced
# by garbage: the reader's message appears and the program keeps drawing.
# Four runs cover all fifty-six cases: in run k file i has damage (i + k)
# mod 4, so every run mixes the kinds and every file meets each of them.
source "$(dirname "$0")/lib.sh"
FIRST_FRAME=true  # with every texture damaged the picture may well be black
files=(dol2 window door wallpaper wallpaper2 wallpaper3 wallpaper4 wallpaper5 bottom bottom2 bottom3 bottom4 bottom5 flosis)
damages=(missing empty truncated garbage)
for run in 0 1 2 3; do
    rm -rf "$WORK/run"
    copy_textures
    expected=""
    for i in "${!files[@]}"; do
        file=${files[$i]}
        target="$WORK/run/$file.bmp"
        case ${damages[$(((i + run) % 4))]} in
            missing) rm "$target"; line="Could not open file '$file.bmp'" ;;
            empty) : >"$target"; line="Error reading BMP file, file type incorrect" ;;
            truncated) head -c 100 "$TEXTURES/$file.bmp" >"$target"; line="Error reading BMP pixels" ;;
            garbage) printf 'no picture here %.0s' {1..64} >"$target"; line="Error reading BMP file, file type incorrect" ;;
        esac
        expected+="$line"$'\n'
    done
    start
    wait_drawing 30 || fail "run $run: the program is not drawing"
    quit_cleanly "run $run"
    [ "$(cat "$WORK/stdout")" = "${expected%$'\n'}" ] || fail "run $run: printed '$(cat "$WORK/stdout")'"
done
echo "texture files ok"
