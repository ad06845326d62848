#!/usr/bin/env bash
# Compiles the page's platform into DIR: GL, GLU and GLUT over WebGL
# (glcore, web/gl, web/glut) and, with `inspector`, the frame inspector
# (web/inspect) and the seam it listens at. Side by side, stopping at the
# first failure; kept while none of its files, headers included, has
# changed. GL, GLU and GLUT go into DIR/libplatform.a, so that a page links
# only what its program calls; the inspector's objects, which the page
# calls from outside, into DIR/inspector/.
#   web/platform.sh DIR [inspector]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
inspector=${2:-}
mkdir -p "$dir"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
flags=(-std=c++17 -O2 -Wall -Wextra -Wno-unused-parameter -I"$root")
sources=("$root"/glcore/*.cpp "$root"/web/gl/*.cpp "$root"/web/glut/*.cpp)
[ "$inspector" = inspector ] || flags+=(-DTARNVALE_NO_INSPECTOR)
stamp=$( (cat "$root"/glcore/* "$root"/web/gl/* "$root"/web/glut/* "$root"/web/inspect/*.{cpp,h} "$0"; echo "$inspector") |
        md5sum | cut -c1-32)
[ "$(cat "$dir/stamp" 2>/dev/null)" = "$stamp" ] && exit 0
rm -rf "$dir"/*.o "$dir"/*.a "$dir/inspector" "$dir/stamp"
mkdir -p "$dir/inspector"
/usr/bin/python3 "$root/web/glut/make_fonts.py" "$dir/glut_font_data.cpp"
/usr/bin/python3 "$root/web/glut/make_teapot.py" "$dir/glut_teapot_data.cpp"
pids=()
for s in "${sources[@]}" "$dir"/glut_*_data.cpp; do
    [ "$s" = "$root/web/glut/menu_labels.cpp" ] && continue  # the house's own
    em++ "${flags[@]}" -c "$s" -o "$dir/$(basename "${s%.cpp}").o" &
    pids+=($!)
done
if [ "$inspector" = inspector ]; then
    for s in "$root"/web/inspect/*.cpp; do
        em++ "${flags[@]}" -c "$s" -o "$dir/inspector/$(basename "${s%.cpp}").o" &
        pids+=($!)
    done
fi
for p in "${pids[@]}"; do wait "$p"; done
emar rcs "$dir/libplatform.a" "$dir"/*.o
echo "$stamp" >"$dir/stamp"
