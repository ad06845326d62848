#!/usr/bin/env bash
# Turns a classic GLUT program into a page: its C or C++ sources, unchanged,
# compiled against the page's <GL/gl.h>, <GL/glu.h> and <GL/glut.h> and
# linked with the page's GL, GLU and GLUT (web/gl, web/glut) into
# OUT_DIR/index.html and its files. Any other file named goes into the
# program's working directory. An entry point the page lacks is an error
# that names it; a source that does not compile, the compiler's own words.
# The page has the frame inspector, fetched when it is first opened.
#   web/build_program.sh OUT_DIR SOURCE... [FILE...]
# TARNVALE_PLATFORM=DIR keeps the platform's objects there, for the next build;
# TARNVALE_INSPECTOR=0 builds the page without its inspector.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 OUT_DIR SOURCE... [FILE...]" >&2; exit 2; }
out=$1
shift
sources=() files=()
for a in "$@"; do
    case "$a" in
    *.c | *.cc | *.cpp | *.cxx | *.C) sources+=("$a") ;;
    *) [ -f "$a" ] || { echo "$0: no file $a" >&2; exit 2; }; files+=("$a") ;;
    esac
done
[ ${#sources[@]} -gt 0 ] || { echo "$0: no C or C++ source among $*" >&2; exit 2; }
name=$(basename "${sources[0]}")
name=${name%.*}
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
platform=${TARNVALE_PLATFORM:-$work/platform}
mkdir -p "$out" "$platform" "$work/program"

inspector=${TARNVALE_INSPECTOR:-1}
# The platform, compiled once and kept (web/platform.sh).
if [ "$inspector" = 1 ]; then
    "$root/web/platform.sh" "$platform" inspector
    own=(-fno-inline -gsource-map)  # the inspector names the program's functions and lines
else
    "$root/web/platform.sh" "$platform"
    own=()
fi

for s in "${sources[@]}"; do
    o="$work/program/$(basename "${s%.*}").o"
    case "$s" in
    *.c) emcc -O2 "${own[@]}" -c "$s" -o "$o" ;;
    *) em++ -O2 "${own[@]}" -c "$s" -o "$o" ;;
    esac
done

# What the program calls of GL, GLU and GLUT, and the platform has not:
# named here, before the linker could take emscripten's own WebGL calls
# for them.
defined=$(emnm --defined-only "$platform"/*.o "$platform"/inspector/*.o 2>/dev/null | awk '{print $3}' | sort -u)
missing=$(emnm -u "$work"/program/*.o 2>/dev/null | awk '{print $2}' | grep -E '^(gl|glu|glut)[A-Z]' | sort -u |
          comm -23 - <(echo "$defined") || true)
if [ -n "$missing" ]; then
    for m in $missing; do echo "$name: undefined reference to '$m': the page's GL, GLU and GLUT have no $m" >&2; done
    exit 1
fi

preload=()
for f in "${files[@]}"; do preload+=(--preload-file "$f@/$(basename "$f")"); done
link=(-sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web
      -sFORCE_FILESYSTEM=1 -Wl,--wrap=exit "${preload[@]}" "$work"/program/*.o)
if [ "$inspector" = 1 ]; then
    # shellcheck source=web/inspect/link_page.sh
    . "$root/web/inspect/link_page.sh"
    linkInspected "$out/$name.js" "$platform" "${sources[*]}" "${link[@]}"
    inspect=
else
    em++ -O2 "${link[@]}" "$platform/libplatform.a" -o "$out/$name.js"
    rm -rf "$out/inspect"
    inspect=hidden
fi
build=$(cat "$out/$name.js" "$out/$name.wasm" | md5sum | cut -c1-12)
# The program travels gzipped; the page unpacks it (program.js).
rm -f "$out/$name.js.gz" "$out/$name.wasm.gz"
pack() { if command -v zopfli >/dev/null; then zopfli --i1 "$1"; else gzip -9nkf "$1"; fi; }  # gzip where zopfli is not
pack "$out/$name.js" & pack "$out/$name.wasm"
wait
# GLU's tessellator runs in libtess, from the npm registry (make deps-web),
# on the page only of a program that uses it.
tess=
rm -f "$out/libtess.min.js"
if emnm -u "$work"/program/*.o 2>/dev/null | grep -qE ' (gluNewTess|gluBeginPolygon)$'; then
    tess='<script src="libtess.min.js?v=@BUILD@"></script>\n'
    lib=$root/node_modules/libtess/libtess.min.js
    [ -f "$lib" ] || { echo "$0: no $lib: make deps-web installs it" >&2; exit 1; }
    cp "$lib" "$out/"
fi
sed -e "s|@TESS@|$tess|" -e "s/@NAME@/$name/g" -e "s/@BUILD@/$build/g" -e "s/@INSPECT@/$inspect/g" \
    "$root/web/page/program.html" >"$out/index.html"
cp "$root"/web/page/{program,open_inspector,menu,touch}.js "$out/"
echo "page built in $out/index.html"
