#!/usr/bin/env bash
# Names the build after the page's contents and writes the files that name
# it: index.html, which tells the loader each file's size, the manifest, and
# the service worker, whose kept files a new build replaces. Given a
# TEXTURE_DIR, first packs its fourteen textures into the page
# (textures.data, gzipped, and its loader textures.js), where the program
# opens them: in its working directory. Without one, the page makes the
# generator's textures itself.
#   web/pack_textures.sh PAGE_DIR [TEXTURE_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(cd "$1" && pwd)
rm -f "$out"/textures.{data,data.gz,js}
if [ -n "${2:-}" ]; then
    textureDir=$(cd "$2" && pwd)
    files=()
    for name in dol2 window door wallpaper wallpaper2 wallpaper3 wallpaper4 wallpaper5 \
                bottom bottom2 bottom3 bottom4 bottom5 flosis; do
        files+=("$textureDir/$name.bmp@/$name.bmp")
    done
    # The packager's reminder about FORCE_FILESYSTEM (build.sh sets it) is
    # shown only when it fails.
    log=$(cd "$out" && python3 /usr/share/emscripten/tools/file_packager.py textures.data --preload "${files[@]}" \
          --js-output=textures.js 2>&1) || { echo "$log" >&2; exit 1; }
    gzip -9nkf "$out/textures.data"
fi

# What the loader fetches, in the order it hands them on: bytes over the
# network, bytes unpacked, and the part of the page each belongs to.
entry() { printf '"%s":[%d,%d,"%s"]' "$1" "$(stat -c %s "$out/$1")" "$(gzip -dcf "$out/$1" | wc -c)" "$2"; }
loaded="$(entry tarnvale.js.gz 'The program'),$(entry tarnvale.wasm.gz 'The program')"
kept='"page.js","open_inspector.js","menu.js","screen.js","touch.js","load.js","offline.js","tarnvale.js.gz","tarnvale.wasm.gz",
"manifest.webmanifest","icon.svg"'
if [ -f "$out/textures.js" ]; then
    loaded+=",$(entry textures.data.gz 'The house&#39;s textures'),$(entry textures.js 'The house&#39;s textures')"
    kept+=',"textures.js","textures.data.gz"'
fi
loaded="{$loaded}"
kept="[$kept]"

build_id=$(cat "$out"/{page,open_inspector,menu,screen,touch,load,offline}.js $(ls "$out"/textures.js 2>/dev/null) "$out"/*.gz "$out/icon.svg" \
           "$root"/web/page/{index.html,sw.js,manifest.webmanifest} \
           $(ls "$out"/inspect/* 2>/dev/null) | sha256sum | cut -c1-16)
# The version is written once, in the project's CMakeLists.txt.
version=$(sed -n 's/^project(Tarnvale VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
# The page's own icon is written into it: the browser asks for no file.
icon=$(python3 -c 'import sys, urllib.parse; print(urllib.parse.quote(open(sys.argv[1]).read().strip()))' "$out/icon.svg")
sed -e "s/@VERSION@/$version/" -e "s/@BUILD@/$build_id/g" -e "s|@FILES@|${loaded//&/\\&}|" \
    -e "s|@ICON@|${icon//&/\\&}|" "$root/web/page/index.html" >"$out/index.html"
sed -e "s/@BUILD@/$build_id/g" -e "s|@FILES@|$(echo $kept | tr -d ' ')|" "$root/web/page/sw.js" >"$out/sw.js"
sed "s/@BUILD@/$build_id/g" "$root/web/page/manifest.webmanifest" >"$out/manifest.webmanifest"
