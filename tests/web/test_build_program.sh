#!/usr/bin/env bash
# web/build_program.sh on what goes wrong: each row a program, and what the
# build must say as it fails. Uses the platform objects make web keeps.
#   test_build_program.sh BUILD_DIR
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
command -v em++ >/dev/null || { echo "no em++: make web installs emscripten"; exit 1; }
# name | source | what the build says; glClearDepthf (GL ES's, not GL 1.1's) is one that
# emscripten's own WebGL calls would otherwise stand in for, silently
rows=(
  "lacks|#include <GL/glut.h>\\nint main(int c, char** v) { glutInit(&c, v); glutCreateWindow(\"x\"); void glClearDepthf(float); glClearDepthf(0.5f); return 0; }|lacks: undefined reference to 'glClearDepthf'"
  "broken|int main( { return 0; }|broken.c:1:"
  "nofile|int main(void) { return 0; }|no file"
)
failed=0
for row in "${rows[@]}"; do
    IFS='|' read -r name source said <<<"$row"
    printf '%b\n' "$source" >"$work/$name.c"
    extra=()
    [ "$name" = nofile ] && extra=("$work/not-there.txt")
    out=$(TARNVALE_PLATFORM="$build/web-platform" "$root/web/build_program.sh" "$work/out-$name" "$work/$name.c" \
          "${extra[@]}" 2>&1)
    status=$?
    if [ "$status" = 0 ] || ! grep -qF "$said" <<<"$out"; then
        echo "FAIL $name: status $status, said: $out"
        failed=1
    else
        echo "ok   $name: $(grep -F "$said" <<<"$out" | head -1)"
    fi
done
exit $failed
