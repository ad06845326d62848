"""Writes the runner's table of entry points (dispatch.c): for each GL, GLU
and GLUT function the generated programs call, its name, the kinds of its
parameters, and a function that calls it with the numbers and arrays the
runner read. The prototypes are read from the headers the runner compiles
against, so a call is made with exactly its parameters' types.
    python3 make_dispatch.py OUT.c"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate import ENTRY_POINTS  # noqa: E402

HEADERS = ['/usr/include/GL/gl.h', '/usr/include/GL/glu.h', '/usr/include/GL/freeglut_std.h']
FLOATS = {'GLfloat', 'GLclampf', 'float'}
DOUBLES = {'GLdouble', 'GLclampd', 'double'}
# An array's element, by its type: the letter the runner reads it as.
ELEMENTS = {'GLfloat': 'f', 'GLclampf': 'f', 'GLdouble': 'd', 'GLint': 'i', 'GLuint': 'u', 'GLubyte': 'b',
            'GLboolean': 'b', 'GLushort': 'S', 'GLshort': 's', 'GLbyte': 'B', 'GLvoid': 'v', 'void': 'v'}


def prototypes():
    found = {}
    for header in HEADERS:
        with open(header) as f:
            text = f.read()
        for ret, name, params in re.findall(r'(?:GLAPI|FGAPI)\s+([\w\s\*]+?)\s*(?:GLAPIENTRY|APIENTRY|FGAPIENTRY)\s+(\w+)\s*\(([^)]*)\)', text):
            found.setdefault(name, (ret.strip(), params))
    return found


def parameters(text):
    """Each parameter as (kind, C type): 'f', 'd' or 'i' for a number, an
    element letter in upper case for an array read, 'o' + letter for one
    written."""
    out = []
    for p in [p.strip() for p in text.split(',')]:
        if p in ('void', ''):
            continue
        base = re.sub(r'\b(const|GLAPIENTRY)\b', '', p.split('[')[0]).replace('*', ' * ')
        words = base.split()
        pointer = '*' in words or '[' in p
        words = [w for w in words if w != '*']
        ctype = words[0] if len(words) > 1 or not pointer else words[0]
        if ctype == 'GLUquadric':
            out.append(('q', 'GLUquadric *'))
        elif pointer:
            kind = ('A' if 'const' in p else 'o') + ELEMENTS.get(ctype, 'v')
            out.append((kind, ctype + ' *'))
        else:
            out.append(('f' if ctype in FLOATS else 'd' if ctype in DOUBLES else 'i', ctype))
    return out


def main(path):
    protos = prototypes()
    lines = ['/* Written by make_dispatch.py: the entry points the generated programs call. */',
             '#include "dispatch.h"', '']
    table = []
    for name in sorted(ENTRY_POINTS):
        ret, params = protos[name]
        kinds = parameters(params)
        args = []
        for i, (kind, ctype) in enumerate(kinds):
            if kind in 'fdi':
                args.append('(%s)a[%d].n' % (ctype, i))
            else:
                args.append('(%s)a[%d].p' % (ctype, i))
        call = '%s(%s)' % (name, ', '.join(args))
        body = ('o->ret = (double)%s; o->returned = 1;' % call) if ret != 'void' else call + ';'
        lines.append('static void call_%s(const Arg* a, Result* o) { (void)a; (void)o; %s }' % (name, body))
        table.append('    {"%s", "%s", call_%s},' % (name, ' '.join(k for k, _ in kinds), name))
    lines += ['', 'const Entry entries[] = {'] + table + ['};',
              'const int entryCount = (int)(sizeof entries / sizeof entries[0]);', '']
    with open(path, 'w') as f:
        f.write('\n'.join(lines))


if __name__ == '__main__':
    main(sys.argv[1])
