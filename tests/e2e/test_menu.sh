# The right-button menu shows and removes the piece above the house.
source "$(dirname "$0")/lib.sh"
start
shot "$WORK/inside.png"
convert "$WORK/inside.png" -crop 800x180+0+0 +repage "$WORK/inside_top.png"

# The piece hangs above the house, in the top of the picture, where the
# menu (which opens downwards from y = 200) never is.
top_changed() {
    shot "$WORK/now.png"
    convert "$WORK/now.png" -crop 800x180+0+0 +repage "$WORK/now_top.png"
    [ "$(differing "$WORK/inside_top.png" "$WORK/now_top.png")" -gt 5000 ]
}

choose_menu_entry 2
wait_until 10 top_changed || fail "'Outside' did not show anything above the house"
choose_menu_entry 1
wait_until 10 same_as "$WORK/inside.png" || fail "'Inside' did not remove the piece"
echo "menu ok"
