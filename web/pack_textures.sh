#!/usr/bin/env bash
# Packs the fourteen textures of TEXTURE_DIR into the page in PAGE_DIR
# (textures.data and its loader textures.js), where the program opens them:
# in its working directory. Then names the service worker's kept files after
# the page's contents, so a new build or texture set replaces them.
#   web/pack_textures.sh PAGE_DIR TEXTURE_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
textureDir=$(cd "$2" && pwd)
files=()
for name in dol2 window door wallpaper wallpaper2 wallpaper3 wallpaper4 wallpaper5 \
            bottom bottom2 bottom3 bottom4 bottom5 flosis; do
    files+=("$textureDir/$name.bmp@/$name.bmp")
done
# The packager's reminder about FORCE_FILESYSTEM (build.sh sets it) is shown
# only when it fails.
log=$(cd "$out" && python3 /usr/share/emscripten/tools/file_packager.py textures.data --preload "${files[@]}" \
      --js-output=textures.js 2>&1) || { echo "$log" >&2; exit 1; }
build_id=$(cat "$out"/{index.html,page.js,menu.js,screen.js,touch.js,offline.js,textures.js,textures.data} \
           "$out"/tarnvale.{js,wasm} "$root/web/sw.js" $(ls "$out"/inspect/* 2>/dev/null) | sha256sum | cut -c1-16)
sed "s/@BUILD@/$build_id/" "$root/web/sw.js" >"$out/sw.js"
