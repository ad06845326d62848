#!/usr/bin/env bash
# Compiles the page's platform into DIR: GL, GLU and GLUT over WebGL
# (glcore, web/gl, web/glut) and, with `inspector`, the frame inspector
# (web/inspect) and the seam it listens at. Side by side, stopping at the
# first failure; kept while none of its files, headers included, has
# changed. The house's page and every program's page link these objects.
#   web/platform.sh DIR [inspector]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1
inspector=${2:-}
mkdir -p "$dir"
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
flags=(-std=c++17 -O2 -Wall -Wextra -Wno-unused-parameter -I"$root")
sources=("$root"/glcore/*.cpp "$root"/web/gl/*.cpp "$root"/web/glut/*.cpp)
if [ "$inspector" = inspector ]; then
    sources+=("$root"/web/inspect/*.cpp)
else
    flags+=(-DTARNVALE_NO_INSPECTOR)
fi
stamp=$( (cat "$root"/glcore/* "$root"/web/gl/* "$root"/web/glut/* "$root"/web/inspect/*.{cpp,h} "$0"; echo "$inspector") |
        md5sum | cut -c1-32)
[ "$(cat "$dir/stamp" 2>/dev/null)" = "$stamp" ] && exit 0
rm -f "$dir"/*.o "$dir/stamp"
/usr/bin/python3 "$root/web/glut/make_fonts.py" "$dir/glut_font_data.cpp"
/usr/bin/python3 "$root/web/glut/make_teapot.py" "$dir/glut_teapot_data.cpp"
pids=()
for s in "${sources[@]}" "$dir"/glut_*_data.cpp; do
    [ "$s" = "$root/web/glut/menu_labels.cpp" ] && continue  # the house's own
    em++ "${flags[@]}" -c "$s" -o "$dir/$(basename "${s%.cpp}").o" &
    pids+=($!)
done
for p in "${pids[@]}"; do wait "$p"; done
echo "$stamp" >"$dir/stamp"
