#!/usr/bin/env bash
# Builds the page into BUILD_DIR/web with emscripten: the program's own
# sources with web/ in place of freeglut, Mesa and GLU, the page's files, and
# the fourteen textures (from BUILD_DIR/run) packed by pack_textures.sh.
#   web/build.sh BUILD_DIR [OUTPUT_DIR [TEXTURE_DIR]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
out=${2:-$build/web}
mkdir -p "$out"
textureDir=$(cd "${3:-$build/run}" && pwd)
# Debian's em++ runs the node on the PATH, which does not look in the folder
# where Debian installs node modules such as acorn.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}

sources=()
for f in "$root"/state/*.cpp "$root"/app/*.cpp "$root"/image/*.cpp "$root"/scene/*.cpp "$root"/glcore/*.cpp "$root"/web/*.cpp; do
    [ "$f" = "$root/app/menu_labels.cpp" ] || sources+=("$f")  # the page has its own labels
done
em++ -std=c++17 -O2 -Wall -Wextra -Wno-unused-parameter -I"$root" "${sources[@]}" \
    -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 \
    -sENVIRONMENT=web -sFORCE_FILESYSTEM=1 -Wl,--wrap=exit -o "$out/tarnvale.js"
# The version is written once, in the project's CMakeLists.txt.
version=$(sed -n 's/^project(Tarnvale VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
sed "s/@VERSION@/$version/" "$root/web/index.html" >"$out/index.html"
cp "$root"/web/{page,menu,screen,touch,offline}.js "$root/web/manifest.webmanifest" "$out/"
cp "$root/dist/tarnvale.svg" "$out/icon.svg"
"$root/web/pack_textures.sh" "$out" "$textureDir"
echo "page built in $out"
