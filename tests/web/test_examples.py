"""Each example's page against its desktop window under Xvfb and Mesa, at
full scale: at most 1% of the pixels may differ by more than 6%; the page
lit in WebGL's vertex shader as with every vertex lit on the main thread;
and its frame opened in the inspector, whose steps draw the page's frame
again. One
browser and one display for them all, and then the gallery, which has a
card for each.
    TARNVALE_WEB=build/web xvfb-run -a python3 test_examples.py build/examples"""
import os
import re
import subprocess
import sys
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains

from desktop import Desktop
from page import Page, Server, pictures_apart, wait_for, web_dir

# (example, its window's title, keys pressed first: X's name, the browser's)
EXAMPLES = [
    ('lit_sphere', 'Materials', []),
    ('planets', 'Planets', [('space', ' '), ('0', '0'), ('y', 'y')]),  # stopped, then a year on
    ('rings', 'Rings', []),
    ('fog_blend', 'Fog and blending', [('F', 'F')]),  # exponential fog
    ('lines', 'Points, lines and polygons', []),
    ('checker', 'Checkerboard', [('g', 'g')]),  # texture coordinates from the eye
    ('quadrics', 'Quadrics', []),
    ('shapes', 'Shapes', [('Right', '\ue014')]),
    ('crowd', 'Crowd', [('space', ' '), ('0', '0')]),  # stopped, turned back
    ('text', 'Text', [('t', 't')]),  # the stroke text turned
    ('teapots', 'Teapots', [('space', ' ')]),
    ('bezier', 'Bezier', [('w', 'w'), ('plus', '+')]),  # the surface as its grid, finer
    ('accum', 'Accumulation', []),
    ('tess', 'Tessellation', []),
    ('nurbs', 'NURBS', []),
    ('picking', 'Picking', [('Right', '\ue014')] * 6 + [('space', ' ')]),  # where two squares overlap
    ('feedback', 'Feedback', [('space', ' ')]),
    ('robot', 'Robot arm', [('s', 's'), ('E', 'E')]),  # the shoulder and the elbow turned
    ('font_list', 'Font list', [('space', ' ')]),  # the fonts swapped
    ('textures', 'Two textures', [('space', ' ')]),
]


def apart(a, b):
    """Of two pictures as data URLs: a line saying how far apart they are,
    or None where they are the same but for rounding: at most a pixel in a
    thousand apart, by at most 2 of 255."""
    count, most, total = pictures_apart(a, b)
    return None if most <= 2 and count <= total / 1000 else '%d of %d pixels differ, by up to %d' % (count, total, most)


def differing_share(a, b):
    """The share of the pixels of two pictures that differ by more than 6%."""
    result = subprocess.run(['compare', '-metric', 'AE', '-fuzz', '6%', a, b, 'null:'], capture_output=True, text=True)
    size = subprocess.run(['identify', '-format', '%w %h', a], capture_output=True, text=True, check=True)
    w, h = map(int, size.stdout.split())
    return float(result.stderr.split()[0]) / (w * h)


class ExamplesTest(unittest.TestCase):
    def test_each_example_draws_its_desktop_picture(self):
        work = os.environ.get('TARNVALE_SHOTS') or tempfile.mkdtemp()  # the pictures kept there for the README
        server = Server(os.path.join(web_dir(), 'examples'))
        page = Page(server.url + EXAMPLES[0][0] + '/', first_frame=False)
        failures = []
        try:
            for name, title, keys in EXAMPLES:
                with self.subTest(name):
                    desktop = Desktop(os.path.join(PROGRAMS, name), work, name='^%s$' % re.escape(title))
                    if name != EXAMPLES[0][0]:
                        page.visit(server.url + name + '/', first_frame=False)
                    page.frames_after(1, since=0)
                    for x_key, key in keys:
                        desktop.key(x_key)
                        before = page.frames()
                        ActionChains(page.driver).send_keys(key).perform()
                        page.frames_after(1, since=before)
                    ours, theirs = os.path.join(work, name + '-desktop.png'), os.path.join(work, name + '-page.png')
                    desktop.settled_shot(ours, changed=False)
                    page.canvas_png(theirs)
                    self.assertEqual(desktop.quit(), 0)
                    share = differing_share(ours, theirs)
                    print('%-12s %.2f%% of the pixels differ' % (name, 100 * share))
                    if share > 0.01:
                        failures.append('%s: %.2f%% differ, see %s and %s' % (name, 100 * share, ours, theirs))
                    # Lit in WebGL's vertex shader, the page's way, as when
                    # every vertex is lit on the main thread: a pixel in a
                    # thousand may round the other way.
                    before = page.picture()
                    shown = page.frames()
                    page.js('Module._tarnvaleShaderLighting(0)')
                    page.frames_after(1, since=shown)
                    far = apart(before, page.picture())
                    if far:
                        failures.append('%s lit in the shader and on the main thread: %s' % (name, far))
                    page.js('Module._tarnvaleShaderLighting(1)')
                    # Its frame in the inspector, which lights every vertex
                    # itself: steps, and the frame made again from them the
                    # page's own.
                    page.js('openInspector()')
                    wait_for(page, 'window.Inspector && Inspector.steps.length > 0', name + "'s steps")
                    page.js("document.getElementById('inspect-outline').click();"
                            'Inspector.choose(Inspector.steps.length - 1)')
                    far = apart(before, page.picture())
                    if far:
                        failures.append('%s: the inspector\'s frame is not the page\'s: %s' % (name, far))
                    page.js('Inspector.close()')
            page.driver.get(server.url)  # the gallery: a card for each, with its picture and lesson
            cards = page.js("""return [...document.querySelectorAll('li a:not(.step)')].map((a) => [a.getAttribute('href'),
                                   a.querySelector('img').complete && a.querySelector('img').naturalWidth > 0,
                                   a.querySelector('p').textContent])""")
            self.assertEqual(sorted(c[0] for c in cards), sorted(name + '/' for name, _, _ in EXAMPLES))
            self.assertEqual([c[0] for c in cards if not (c[1] and c[2])], [], 'cards without a picture or a lesson')
        finally:
            page.close()
            server.stop()
        self.assertEqual(failures, [])


if __name__ == '__main__':
    PROGRAMS = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1], verbosity=2)
