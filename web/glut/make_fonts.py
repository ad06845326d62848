#!/usr/bin/python3
"""Writes GLUT's fonts as C++ tables, drawn from fonts Debian packages.

The bitmap fonts are the X fonts GLUT names (misc-fixed 8x13 and 9x15,
Adobe's 75 dpi Times and Helvetica), read with Pillow. The stroke fonts are
Hershey's Roman Simplex, scaled by 100/21 so that a capital stands 100
units tall, its tallest glyph 119.05 above the baseline and its lowest
33.33 below, as GLUT gives them.
   make_fonts.py OUT.cpp
"""
import gzip
import sys

from PIL import PcfFontFile

X = '/usr/share/fonts/X11/'
BITMAPS = [  # handle, file, name in GLUT's header
    ('glutBitmap8By13', X + 'misc/8x13-ISO8859-1.pcf.gz'),
    ('glutBitmap9By15', X + 'misc/9x15-ISO8859-1.pcf.gz'),
    ('glutBitmapTimesRoman10', X + '75dpi/timR10-ISO8859-1.pcf.gz'),
    ('glutBitmapTimesRoman24', X + '75dpi/timR24-ISO8859-1.pcf.gz'),
    ('glutBitmapHelvetica10', X + '75dpi/helvR10-ISO8859-1.pcf.gz'),
    ('glutBitmapHelvetica12', X + '75dpi/helvR12-ISO8859-1.pcf.gz'),
    ('glutBitmapHelvetica18', X + '75dpi/helvR18-ISO8859-1.pcf.gz'),
]
HERSHEY = '/usr/share/hershey-fonts/rowmans.jhf'  # ASCII 32 to 127, in order
SCALE = 100.0 / 21.0
BASELINE = 9  # Hershey's y grows downwards; the Roman baseline is at 9
MONO_ADVANCE = 22 * SCALE  # 104.76
MARGIN = 2  # each side of a proportional glyph's ink


def bitmap_font(handle, path, out):
    font = PcfFontFile.PcfFontFile(gzip.open(path))
    # GLUT's fonts come from X's of 1990, whose ' and ` were the right and
    # left quotation marks: taken from the font's Unicode form, where
    # Windows-1252 keeps them at 0x92 and 0x91.
    quotes = PcfFontFile.PcfFontFile(gzip.open(path.replace('-ISO8859-1', '')), 'cp1252')
    font.glyph[39], font.glyph[96] = quotes.glyph[0x92], quotes.glyph[0x91]
    bits, glyphs = [], []
    ascent = descent = 0
    for c in range(256):
        g = font.glyph[c] if c < len(font.glyph) else None
        if g is None or c < 32:
            glyphs.append('{0, 0, 0, 0, 0, 0}')
            continue
        (advance, _), (x0, y0, x1, y1), _, image = g
        w, h = x1 - x0, y1 - y0
        ascent, descent = max(ascent, -y0), max(descent, y1)
        offset = len(bits)
        for row in range(h - 1, -1, -1):  # GL's rows go upwards
            for byte in range((w + 7) // 8):
                v = 0
                for bit in range(8):
                    x = byte * 8 + bit
                    if x < w and image.getpixel((x, row)):
                        v |= 0x80 >> bit
                bits.append(v)
        glyphs.append('{%d, %d, %d, %d, %d, %d}' % (w, h, -x0, y1, advance, offset))
    out.write('const unsigned char %sBits[] = {%s};\n' % (handle, ', '.join(map(str, bits or [0]))))
    out.write('const BitmapGlyph %sGlyphs[256] = {\n    %s};\n' % (handle, ',\n    '.join(glyphs)))
    out.write('const BitmapFont %sFont = {%d, %sGlyphs, %sBits};\n\n' % (handle, ascent + descent, handle, handle))


def hershey_glyphs(path):
    """Each glyph as (left, right, strokes), joined from the file's lines."""
    text = open(path).read().split('\n')
    records, current = [], ''
    for line in text:
        if not line.strip():
            continue
        if current and len(current) >= 8 + 2 * int(current[5:8]):
            records.append(current)
            current = ''
        current += line
    if current:
        records.append(current)
    glyphs = []
    for r in records:
        pairs = r[8:]
        coords = [(ord(pairs[i]) - ord('R'), ord(pairs[i + 1]) - ord('R')) for i in range(0, len(pairs) - 1, 2)]
        left, right = coords[0]
        strokes, stroke = [], []
        for x, y in coords[1:]:
            if (x, y) == (-50, 0):  # " R": the pen lifts
                strokes.append(stroke)
                stroke = []
            else:
                stroke.append((x, y))
        strokes.append(stroke)
        glyphs.append((left, right, [s for s in strokes if s]))
    return glyphs


def stroke_font(handle, mono, glyphs, out):
    points, strokes, entries = [], [], []
    for c in range(128):
        if c < 32 or c - 32 >= len(glyphs):
            entries.append('{0, 0, 0}')
            continue
        left, right, lines = glyphs[c - 32]
        xs = [x for line in lines for x, _ in line]
        if xs and not mono:  # GLUT spaces its glyphs by their ink, a margin each side
            left, right = min(xs) - MARGIN, max(xs) + MARGIN
        first = len(strokes)
        for line in lines:
            strokes.append('{%d, %d}' % (len(points), len(line)))
            for x, y in line:
                px = (x - (left + right) / 2) * SCALE + MONO_ADVANCE / 2 if mono else (x - left) * SCALE
                points.append('{%.4ff, %.4ff}' % (px, (BASELINE - y) * SCALE))
        advance = MONO_ADVANCE if mono else (right - left) * SCALE
        entries.append('{%.4ff, %d, %d}' % (advance, first, len(lines)))
    out.write('const StrokePoint %sPoints[] = {%s};\n' % (handle, ', '.join(points)))
    out.write('const Stroke %sStrokes[] = {%s};\n' % (handle, ', '.join(strokes)))
    out.write('const StrokeGlyph %sGlyphs[128] = {\n    %s};\n' % (handle, ',\n    '.join(entries)))
    out.write('const StrokeFont %sFont = {119.05f, 33.33f, %sGlyphs, %sStrokes, %sPoints};\n\n'
              % (handle, handle, handle, handle))


def main():
    with open(sys.argv[1], 'w') as out:
        out.write('// Written by web/glut/make_fonts.py from the X and Hershey fonts; do not edit.\n')
        out.write('#include "web/glut/glut_fonts.h"\n\n')
        for handle, path in BITMAPS:
            bitmap_font(handle, path, out)
        glyphs = hershey_glyphs(HERSHEY)
        stroke_font('glutStrokeRoman', False, glyphs, out)
        stroke_font('glutStrokeMonoRoman', True, glyphs, out)
        out.write('// The handles: GLUT names a font by the address of one of these.\n')
        for handle, _ in BITMAPS:
            out.write('void* %s = (void*)&%sFont;\n' % (handle, handle))
        for handle in ('glutStrokeRoman', 'glutStrokeMonoRoman'):
            out.write('void* %s = (void*)&%sFont;\n' % (handle, handle))


if __name__ == '__main__':
    main()
