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
    # The inspector names each step's functions from the call stack: the
    # program's functions stay whole (neither the compiler nor Binaryen
    # inlines one into its caller) and carry their lines in a source map.
    compile -fno-inline -gsource-map -- "${program[@]}"
    compile -- "${own[@]}"
    noInlining=--always-inline-max-function-size=0,--flexible-inline-max-function-size=0
    noInlining+=,--one-caller-inline-max-function-size=0
    link+=(-sBINARYEN_EXTRA_PASSES="$noInlining" --profiling-funcs -sEXPORTED_FUNCTIONS=_main,_malloc,_free
           -sEXPORTED_RUNTIME_METHODS=UTF8ToString)
    em++ -O2 "${link[@]}" "$objects"/*.o "$platform"/inspector/*.o "$platform/libplatform.a" -o "$out/tarnvale.js"
    # The same link once more for its source map alone: a source map keeps
    # emscripten from making the page's script small.
    em++ -O2 -gsource-map "${link[@]}" "$objects"/*.o "$platform"/inspector/*.o "$platform/libplatform.a" \
        -o "$objects/mapped.js" \
        2> >(grep -v "source map won't" >&2)
    rm -rf "$out/inspect" && mkdir -p "$out/inspect"
    python3 "$root/web/inspect/line_table.py" "$out/tarnvale.wasm" "$objects/mapped.wasm" "$objects/mapped.wasm.map" \
        "$root" "$out/inspect/lines.json"
    # The inspector's rooms as one script, fetched when it is first opened,
    # in the order they run: the tables and the maths before the rooms that
    # use them, the inspector last. The frame's writer comes when asked for.
    for room in gl_tables camera_math cells outside_view state_panel pixel_view frame_reader steps_list edits_view \
                canvas_input save_frame inspector; do
        cat "$root/web/inspect/$room.js"
    done >"$out/inspect/rooms.js"
    cp "$root"/web/inspect/frame_c.js "$root"/web/inspect/inspector.css "$out/inspect/"
else
    platform=$build/web-platform
    "$root/web/platform.sh" "$platform"
    compile -DTARNVALE_NO_INSPECTOR -- "${program[@]}" "${own[@]}"
    em++ -O2 "${link[@]}" "$objects"/*.o "$platform/libplatform.a" -o "$out/tarnvale.js"
    rm -rf "$out/inspect"
fi
# The program travels gzipped, whatever the server: the page unpacks it
# (the files as they are stay beside, for browsers that cannot).
gzip -9nkf "$out/tarnvale.js" "$out/tarnvale.wasm"
cp "$root"/web/page/{page,menu,screen,touch,load,offline}.js "$out/"
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
# The examples, a page each, on the same platform compiled once.
for f in "$root"/examples/*.c; do
    name=$(basename "${f%.c}")
    TARNVALE_PLATFORM="$build/web-platform" "$root/web/build_program.sh" "$out/examples/$name" "$f" >/dev/null
done
python3 "$root/web/page/make_gallery.py" "$root/examples" "$root/docs/examples" "$out/examples"
echo "examples built in $out/examples, with their gallery"
