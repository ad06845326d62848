# The keys change what a person sees.
source "$(dirname "$0")/lib.sh"
start
shot "$WORK/start.png"

expect_change_after "'2' (floor)" 2000 2
expect_change_after "'3' x 20 (door)" 200 $(printf '3 %.0s' {1..20})

# 't' shows flat colours: textures have thousands of colours, flat faces few.
shot "$WORK/textured.png"
key t
wait_until 10 differs_from "$WORK/textured.png" || fail "'t' did not change the picture"
shot "$WORK/flat.png"
[ "$(unique_colours "$WORK/textured.png")" -gt 1000 ] || fail "textured picture has few colours"
[ "$(unique_colours "$WORK/flat.png")" -lt 300 ] || fail "'t' did not turn texturing off"
key t
wait_until 10 same_as "$WORK/textured.png" || fail "'t' twice did not restore the picture"

# 'p' switches the projection; twice gives the same picture back.
expect_change_after "'p'" 2000 p
key p
wait_until 10 same_as "$WORK/textured.png" || fail "'p' twice did not restore the picture"

# Walk into the upper storey: now '1' changes the walls all around.
key $(printf 'Up %.0s' {1..36})
wait_until 10 differs_from "$WORK/textured.png" || fail "walking did not change the picture"
shot "$WORK/inside.png"
expect_change_after "'1' (wallpaper)" 20000 1
key 1 1 1 1
wait_until 10 same_as "$WORK/inside.png" || fail "five presses of '1' did not come back to the first wallpaper"
echo "keys ok"
