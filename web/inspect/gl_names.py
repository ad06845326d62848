#!/usr/bin/env python3
"""The GL and GLU names the inspector shows, read through the compiler from
the headers the page's programs compile against: each constant's name by
its value (the first to take a value keeps it; GL 1.1's and GLU's, not the
later versions' the header also declares), the bits of masks, and for
each entry point its parameters, each with its name and its kind: a GL name
(GLenum), a mask (GLbitfield), an integer, a float, a double, or a pointer
(with the type it points to), where an array of numbers starts. A GLU object (a quadric, a tessellator, a
NURBS renderer) is left out, as the inspector notes the calls without it.
    gl_names.py COMPILER OUT.js"""
import json
import re
import subprocess
import sys

SOURCE = '#include <GL/gl.h>\n#include <GL/glu.h>\n'
VENDOR = re.compile(r'_(EXT|ARB|KHR|OES|MESA|MESAX|SGI[SX]?|ATI|NV|IBM|HP|SUN|SUNX|APPLE|INTEL|WIN|PGI|REND|3DFX|'
                    r'S3|AMD|IMG|OML|INGR|GREMEDY)$')
INTEGERS = ('GLint', 'GLuint', 'GLsizei', 'GLshort', 'GLushort', 'GLbyte', 'GLubyte', 'GLboolean', 'int')


def preprocess(compiler, *flags):
    return subprocess.run([compiler, '-x', 'c', '-E', *flags, '-'], input=SOURCE, capture_output=True, text=True,
                          check=True).stdout


def scalar(words):
    if 'GLenum' in words:
        return 'name'
    if 'GLbitfield' in words:
        return 'mask'
    if any(w in INTEGERS for w in words):
        return 'integer'
    return 'double' if any(w in ('GLdouble', 'GLclampd') for w in words) else 'float'


def kind(declaration):
    words = declaration.replace('*', ' * ').replace('[', ' [ ').split()
    if '*' in words or '[' in words:
        if any(w.startswith('GLU') for w in words):
            return 'object'
        return 'pointer ' + scalar(words)
    return scalar(words)


def main(compiler, out_path):
    enums, bits = {}, []
    for m in re.finditer(r'^#define ((?:GL|GLU)_[A-Z0-9_]+)\s+(0x[0-9A-Fa-f]+|\d+)\s*$', preprocess(compiler, '-dD'),
                         re.M):
        name, value = m.group(1), int(m.group(2), 0)
        if VENDOR.search(name) or name.startswith(('GL_VERSION_', 'GLU_VERSION_')) or name.endswith('_BITS'):
            continue
        if name.startswith('GL_') and 0x8100 <= value < 0x10000000:
            continue  # GL 1.2 and later
        if name.endswith('_BIT'):
            bits.append([value, name])
        else:
            enums.setdefault(value, name)
    calls = {}
    for m in re.finditer(r'\b(glu?[A-Z]\w*)\s*\(([^()]*)\)\s*;', preprocess(compiler)):
        if re.search(r'(EXT|ARB|KHR|OES|MESA|MESAX|SGI[SX]?|ATI|NV|IBM|SUN|APPLE|INTEL|WIN|AMD)$', m.group(1)):
            continue  # an extension's
        params = [p.strip() for p in m.group(2).split(',') if p.strip() not in ('', 'void')]
        shown = []
        for p in params:
            k = kind(p)
            if k != 'object':
                shown.append([re.sub(r'\[[^\]]*\]', '', p.replace('*', ' ').split()[-1]), k])
        calls[m.group(1)] = shown
    with open(out_path, 'w') as f:
        f.write('// GL\'s and GLU\'s names, read from their headers by gl_names.py.\n')
        f.write('window.InspectNames = ')
        json.dump({'enums': enums, 'bits': bits, 'calls': calls}, f, separators=(',', ':'))
        f.write(';\n')


if __name__ == '__main__':
    main(*sys.argv[1:])
