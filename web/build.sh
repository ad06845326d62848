#!/usr/bin/env bash
# Builds the page into BUILD_DIR/web with emscripten: the program's own
# sources linked with the page's platform in place of freeglut, Mesa and
# GLU (web/platform.sh: the objects every program's page links), the
# texture generator, and the page's files. When the texture folder (BUILD_DIR/run by
# default) holds just what the generator writes, the page makes the textures
# itself; a set of one's own is packed into the page by pack_textures.sh.
#   web/build.sh BUILD_DIR [OUTPUT_DIR [TEXTURE_DIR]]
# With TARNVALE_INSPECTOR=0 the page is built without its frame inspector,
# as the benchmark compares.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
out=${2:-$build/web}
mkdir -p "$out"
textureDir=$(cd "${3:-$build/run}" && pwd)
inspector=${TARNVALE_INSPECTOR:-1}
# Debian's em++ runs the node on the PATH, which does not look in the folder
# where Debian installs node modules such as acorn.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

# The house's own sources, with the page's menu labels, its textures'
# generator and its page's part in place of the desktop's.
program=() own=("$root"/web/glut/menu_labels.cpp "$root"/web/page/*.cpp "$root"/tools/{textures,bmp_writer}.cpp)
for f in "$root"/state/*.cpp "$root"/app/*.cpp "$root"/image/*.cpp "$root"/scene/*.cpp; do
    [ "$f" = "$root/app/menu_labels.cpp" ] || program+=("$f")  # the page has its own labels
done
flags=(-std=c++17 -O2 -Wall -Wextra -Wno-unused-parameter -I"$root")
link=(-sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1
      -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -Wl,--wrap=exit)
objects=$(mktemp -d)
trap 'rm -rf "$objects"' EXIT
compile() {  # FLAGS... -- SOURCES..., side by side; stops at the first that fails
    local f=() s p pids=()
    while [ "$1" != -- ]; do f+=("$1"); shift; done
    shift
    for s in "$@"; do
        em++ "${flags[@]}" "${f[@]}" -c "$s" -o "$objects/$(basename "${s%.cpp}").o" &
        pids+=($!)
    done
    for p in "${pids[@]}"; do wait "$p"; done
}
if [ "$inspector" = 1 ]; then
    # The platform as every program's page has it, with the inspector.
    platform=$build/web-platform-inspector
    "$root/web/platform.sh" "$platform" inspector
    compile -fno-inline -gsource-map -- "${program[@]}"
    compile -- "${own[@]}"
    # shellcheck source=web/inspect/link_page.sh
    . "$root/web/inspect/link_page.sh"
    linkInspected "$out/tarnvale.js" "$platform" "" "${link[@]}" "$objects"/*.o
else
    platform=$build/web-platform
    "$root/web/platform.sh" "$platform"
    compile -DTARNVALE_NO_INSPECTOR -- "${program[@]}" "${own[@]}"
    em++ -O2 "${link[@]}" "$objects"/*.o "$platform/libplatform.a" -o "$out/tarnvale.js"
    rm -rf "$out/inspect"
fi
# The program travels gzipped, whatever the server: the page unpacks it
# (the files as they are stay beside, for browsers that cannot).
# Zopfli's deflate, some 5% smaller than gzip -9's, is read by any gzip.
rm -f "$out/tarnvale.js.gz" "$out/tarnvale.wasm.gz"
pack() { if command -v zopfli >/dev/null; then zopfli --i15 "$1"; else gzip -9nkf "$1"; fi; }  # gzip where zopfli is not
pack "$out/tarnvale.js" & pack "$out/tarnvale.wasm"
wait
cp "$root"/web/page/{page,open_inspector,menu,screen,touch,load,offline}.js "$out/"
cp "$root/dist/tarnvale.svg" "$out/icon.svg"
generated=$(mktemp -d)
trap 'rm -rf "$objects" "$generated"' EXIT
"$build/texgen" "$generated"
ownTextures=()
for f in "$generated"/*.bmp; do
    cmp -s "$f" "$textureDir/$(basename "$f")" || ownTextures=("$textureDir")
done
"$root/web/pack_textures.sh" "$out" "${ownTextures[@]}"
echo "page built in $out"
# The examples, a page each, on the same platform compiled once, as many at
# a time as there are cores.
printf '%s\n' "$root"/examples/*.c |
    TARNVALE_PLATFORM="$platform" xargs -P "$(nproc)" -I{} \
        sh -c '"$1" "$2/$(basename "$3" .c)" "$3" >/dev/null' _ "$root/web/build_program.sh" "$out/examples" {}
python3 "$root/web/page/make_gallery.py" "$root/examples" "$root/docs/examples" "$out/examples"
echo "examples built in $out/examples, with their gallery"
