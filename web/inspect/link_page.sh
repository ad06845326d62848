# Sourced by the page builders (web/build.sh, web/build_program.sh): links a
# page's program with the frame inspector and writes the inspector's files
# beside it. The inspector names each step's functions from the call stack:
# the program's functions stay whole (compiled with -fno-inline, and
# Binaryen inlines none into its caller) and carry their lines in a source
# map, read into the inspector's line table.
#   linkInspected OUT.js PLATFORM_DIR "SOURCE..." EM++_ARGUMENT...
# SOURCE: the program's own files or folders, whose functions the inspector
# names (empty: the house's).
linkInspected() {
    local js=$1 platform=$2 sources=$3
    shift 3
    local out work here
    out=$(dirname "$js")
    here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
    work=$(mktemp -d)
    local noInlining=--always-inline-max-function-size=0,--flexible-inline-max-function-size=0
    noInlining+=,--one-caller-inline-max-function-size=0
    local link=(-sBINARYEN_EXTRA_PASSES="$noInlining" --profiling-funcs -sEXPORTED_FUNCTIONS=_main,_malloc,_free
                -sEXPORTED_RUNTIME_METHODS=UTF8ToString "$@" "$platform"/inspector/*.o "$platform/libplatform.a")
    em++ -O2 "${link[@]}" -o "$js"
    # The same link once more for its source map alone: a source map keeps
    # emscripten from making the page's script small.
    em++ -O2 -gsource-map "${link[@]}" -o "$work/mapped.js" 2> >(grep -v "source map won't" >&2)
    rm -rf "$out/inspect" && mkdir -p "$out/inspect"
    # shellcheck disable=SC2086 # the sources are words
    python3 "$here/line_table.py" "${js%.js}.wasm" "$work/mapped.wasm" "$work/mapped.wasm.map" "$here/../.." \
        "$out/inspect/lines.json" $sources
    # The inspector's rooms as one script, fetched when it is first opened,
    # in the order they run: the tables and the maths before the rooms that
    # use them, the inspector last. The frame's writer comes when asked for.
    # GL's names, from the headers the program compiled against: once a platform.
    [ "$platform/gl_names.js" -nt "$here/gl_names.py" ] || python3 "$here/gl_names.py" em++ "$platform/gl_names.js"
    local room
    {
    cat "$platform/gl_names.js"
    for room in meanings gl_tables camera_math cells outside_view gl_state state_panel pixel_view frame_reader steps_list \
                edits_view canvas_input save_frame inspector; do
        cat "$here/$room.js"
    done
    } >"$out/inspect/rooms.js"
    cp "$here"/frame_c.js "$here"/inspector.css "$out/inspect/"
    rm -rf "$work"
}
