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
    out=$(TARNVALE_PLATFORM="$build/web-platform-inspector" "$root/web/build_program.sh" "$work/out-$name" "$work/$name.c" \
          "${extra[@]}" 2>&1)
    status=$?
    if [ "$status" = 0 ] || ! grep -qF "$said" <<<"$out"; then
        echo "FAIL $name: status $status, said: $out"
        failed=1
    else
        echo "ok   $name: $(grep -F "$said" <<<"$out" | head -1)"
    fi
done

# Every entry point GL 1.1, GLU and GLUT declare links, but the few named
# here, which a program then meets as link errors naming them.
absent="gluBuild3DMipmaps gluBuild3DMipmapLevels gluNurbsCallbackDataEXT glutCreateSubWindow
        glutInit_ATEXIT_HACK glutCreateWindow_ATEXIT_HACK glutCreateMenu_ATEXIT_HACK"
/usr/bin/python3 - "$absent" >"$work/whole.c" <<'PY'
import re, sys
absent = set(sys.argv[1].split())
gl = open('/usr/include/GL/gl.h').read()
names = re.findall(r'GLAPIENTRY\s+(gl\w+)\s*\(', gl[:gl.index('OpenGL 1.2')])
for header, prefix in (('/usr/include/GL/glu.h', 'glu'), ('/usr/include/GL/freeglut_std.h', 'glut')):
    names += re.findall(r'\b(' + prefix + r'[A-Z]\w+)\s*\(', open(header).read())
names = sorted(set(names) - absent)
# Declared here alike, as only their names matter to the check.
print('#include <stdio.h>')
print(''.join('void %s(void);\n' % n for n in names))
print('void (*const all[])(void) = {' + ', '.join(names) + '};')
print('int main(int argc, char** argv)\n{\n    printf("%p", (void*)all[argc]);\n    return 0;\n}')
PY
if out=$(TARNVALE_PLATFORM="$build/web-platform-inspector" "$root/web/build_program.sh" "$work/out-whole" "$work/whole.c" 2>&1); then
    echo "ok   whole: every entry point links, but $(wc -w <<<"$absent")"
else
    echo "FAIL whole: $(grep -o "undefined symbol: [a-zA-Z0-9_]*\|undefined reference to '[a-zA-Z0-9_]*'" <<<"$out" | sort -u | tr '\n' ' ')"
    failed=1
fi
exit $failed
