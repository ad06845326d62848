#!/usr/bin/env bash
# Builds the differential tester's runner for the page, on the platform
# `make web` compiled (BUILD_DIR/web-platform-inspector, or without the
# inspector BUILD_DIR/web-platform), into BUILD_DIR/conformance-page: the
# runner as a module each program gets a new instance of, and the page
# that runs them (harness.html).
#   tests/conformance/build_page.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
out=$build/conformance-page
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
platform=$build/web-platform-inspector
[ -f "$platform/libplatform.a" ] || platform=$build/web-platform
[ -f "$platform/libplatform.a" ] || { echo "$0: no platform in $build: run make web first" >&2; exit 1; }
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$here/make_dispatch.py" "$work/dispatch.c"
for s in "$here/runner.c" "$work/dispatch.c"; do
    emcc -O2 -I"$here" -c "$s" -o "$work/$(basename "${s%.c}").o"
done
shopt -s nullglob
em++ -O2 -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web \
    -sFORCE_FILESYSTEM=1 -Wl,--wrap=exit -sMODULARIZE=1 -sEXPORT_NAME=createRunner -sEXPORTED_RUNTIME_METHODS=FS \
    "$work"/*.o "$platform"/inspector/*.o "$platform/libplatform.a" -o "$out/runner.js"
cp "$here"/harness.html "$here"/harness.js "$out/"
echo "the tester's page built in $out"
