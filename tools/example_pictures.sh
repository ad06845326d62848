#!/usr/bin/env bash
# The README's picture of the examples, each one's desktop window beside its
# page as the examples' test takes them, and the gallery's picture of each.
#   tools/example_pictures.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT
TARNVALE_SHOTS=$shots TARNVALE_WEB=$build/web xvfb-run -a -s "-screen 0 1024x768x24" \
    /usr/bin/python3 "$root/tests/web/test_examples.py" "$build/examples" >/dev/null 2>&1 || true  # its pictures, not its verdict
pairs=()
mkdir -p "$root/docs/examples"
for f in "$root"/examples/*.c; do
    name=$(basename "${f%.c}")
    convert "$shots/$name-page.png" -resize 240x180 -strip "$root/docs/examples/$name.png"
    convert "$shots/$name-desktop.png" "$shots/$name-page.png" -resize x150 +append -bordercolor '#20242b' -border 6 \
        "$shots/$name-pair.png"
    pairs+=("$shots/$name-pair.png")
done
montage "${pairs[@]}" -tile 2x -geometry +0+0 -background '#20242b' "$root/docs/examples.png"
echo "wrote docs/examples.png and docs/examples/"
