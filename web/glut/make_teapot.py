#!/usr/bin/python3
"""Writes the teapot's Bezier patches as a C++ table: Martin Newell's 32
patches (the last four its bottom) and their points, as published, read from the copy Debian
packages with three.js.
   make_teapot.py OUT.cpp
"""
import re
import sys

SOURCE = '/usr/share/javascript/three/examples/js/geometries/TeapotBufferGeometry.js'


def numbers(text, name):
    block = re.search(r'var %s = \[(.*?)\];' % name, text, re.S).group(1)
    block = re.sub(r'/\*.*?\*/', '', block)
    return [float(n.replace(' ', '')) for n in re.findall(r'-?\s*[0-9.]+', block)]


def main():
    text = open(SOURCE).read()
    patches = [int(n) for n in numbers(text, 'teapotPatches')]
    points = numbers(text, 'teapotVertices')
    count = len(points) // 3
    assert len(patches) == 32 * 16 and len(points) == 3 * count and max(patches) < count
    with open(sys.argv[1], 'w') as out:
        out.write('// Written by web/glut/make_teapot.py from Newell\'s teapot; do not edit.\n')
        out.write('extern const int teapotPatches[32][16] = {\n')
        for k in range(32):
            out.write('    {%s},\n' % ', '.join(map(str, patches[16 * k:16 * k + 16])))
        out.write('};\nextern const float teapotPoints[%d][3] = {\n' % count)
        for k in range(count):
            out.write('    {%sf, %sf, %sf},\n' % tuple(repr(p) for p in points[3 * k:3 * k + 3]))
        out.write('};\n')


if __name__ == '__main__':
    main()
