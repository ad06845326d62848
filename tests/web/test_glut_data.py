"""GLUT's fonts and teapot as the build writes them (web/glut/make_*.py),
against the metrics GLUT documents: every printable character in every
font, the fixed fonts' cells, the stroke fonts' 100-unit capitals, 119.05
above and 33.33 below the baseline and the mono font's 104.76 advance, and
the teapot's 32 patches standing 3.15 tall.
    /usr/bin/python3 test_glut_data.py"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

GLUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'web', 'glut')


def written(script):
    out = os.path.join(tempfile.mkdtemp(), 'data.cpp')
    subprocess.run(['/usr/bin/python3', os.path.join(GLUT, script), out], check=True)
    return open(out).read()


def table(text, name):
    body = re.search(r'%s(?:\[[0-9]*\])+ = \{(.*?)\};' % name, text, re.S).group(1)
    return [tuple(float(n.rstrip('f')) for n in row.split(',')) for row in re.findall(r'\{([^{}]*)\}', body)]


class GlutDataTest(unittest.TestCase):
    def test_fonts_have_glut_metrics(self):
        text = written('make_fonts.py')
        cells = {'glutBitmap8By13': (8, 13), 'glutBitmap9By15': (9, 15)}
        for font in ('glutBitmap8By13', 'glutBitmap9By15', 'glutBitmapTimesRoman10', 'glutBitmapTimesRoman24',
                     'glutBitmapHelvetica10', 'glutBitmapHelvetica12', 'glutBitmapHelvetica18'):
            glyphs = table(text, font + 'Glyphs')
            self.assertEqual([c for c in range(32, 127) if glyphs[c][4] <= 0], [], font + ': characters missing')
            if font in cells:
                width, height = cells[font]
                self.assertEqual({g[4] for g in glyphs[32:127]}, {width}, font + ': not one advance')
                self.assertIn('%sFont = {%d,' % (font, height), text)
        for font, mono in (('glutStrokeRoman', False), ('glutStrokeMonoRoman', True)):
            glyphs, strokes = table(text, font + 'Glyphs'), table(text, font + 'Strokes')
            points = table(text, font + 'Points')
            self.assertEqual([c for c in range(33, 127) if glyphs[c][2] == 0], [], font + ': characters missing')
            ys = [p[1] for p in points]
            self.assertLessEqual(max(ys), 119.05 + 0.01, font)
            self.assertGreaterEqual(min(ys), -33.33 - 0.01, font)
            h = glyphs[ord('H')]
            top = max(points[int(s[0]) + k][1] for s in strokes[int(h[1]):int(h[1] + h[2])] for k in range(int(s[1])))
            self.assertAlmostEqual(top, 100, places=2, msg=font + ': a capital is not 100 tall')
            if mono:
                self.assertEqual({round(g[0], 2) for g in glyphs[32:127]}, {104.76}, font)

    def test_teapot_has_its_patches(self):
        text = written('make_teapot.py')
        patches, points = table(text, 'teapotPatches'), table(text, 'teapotPoints')
        self.assertEqual((len(patches), {len(p) for p in patches}), (32, {16}))
        self.assertLess(max(max(p) for p in patches), len(points))
        zs = [p[2] for p in points]
        self.assertEqual((min(zs), max(zs)), (0, 3.15))


if __name__ == '__main__':
    unittest.main(argv=sys.argv[:1], verbosity=2)
