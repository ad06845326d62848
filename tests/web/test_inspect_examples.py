"""The frame inspector on examples' pages, each opened by its card's link in
the gallery on the step its lesson is about: a list called for each ring,
fog with blending, text of bitmap and stroke fonts, a texture made in memory
with mipmaps, a hierarchy of GLUT solids, text through a font list, picking,
and two texture objects. In each, a
middle step's picture is the frame drawn with every later step left out, a
pixel's history names the step that gave it its colour, an edit of a light
(of a colour, for the text) changes the picture and its undo gives the
program's back exactly, and the frame saved as C, built and run here under
Mesa, draws the program's own desktop window: at most 1% of the pixels
differ by more than 6%, as between each example's page and its desktop
window. With the lesson's call of lists left out, the saved frame draws
the page's frame without them.
    TARNVALE_WEB=build/web xvfb-run -a python3 test_inspect_examples.py build/examples"""
import glob
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import time
import unittest

from selenium.webdriver.common.by import By

from desktop import Desktop
from page import Page, Server, on_canvas_pixels, wait_for, web_dir
from test_examples import EXAMPLES, differing_share

# (example, an edit: starting call or not, the call's name, which argument,
# its new value; the group of the whole GL state the lesson's step brings;
# for a lesson of lists, the functions that compiled the lists the lesson's
# step calls and those that called them)
ROWS = [
    ('rings', (True, 'glLightfv', 2, -4), None, (['main', 'init'], ['display'])),
    ('fog_blend', (True, 'glLightfv', 3, -3), 'blending', None),
    ('text', (False, 'glColor3f', 1, 0.2), None, None),
    ('checker', (False, 'glColor3f', 1, 0.2), None, None),  # a texture made in memory, with mipmaps
    ('robot', (False, 'glColor3f', 1, 0.2), None, None),  # a hierarchy of GLUT solids
    ('font_list', (False, 'glColor3f', 1, 0.2), None, (['main', 'init', 'makeFont'], ['display', 'line'])),
    ('picking', (False, 'glColor3f', 1, 0.9), None, None),
    ('textures', (False, 'glRotatef', 0, 60), None, None),  # two texture objects
]
GROUPS = "return [...document.querySelectorAll('.gl-state h4')].map((h) => h.textContent)"


def pixel_at(page, x, y):
    """The canvas's pixel (x, y) from the top left, as [r, g, b]."""
    return on_canvas_pixels(page, 'const at = 4 * (arguments[1] * w + arguments[0]); return Array.from(d.slice(at, at + 3));',
                            x, y)


def drawn_pixel(page):
    """A pixel of the frame that is not the clear colour, looked for along
    the canvas's rows from the middle out."""
    return on_canvas_pixels(page, '''const clear = d.slice(0, 3).join();
        for (let k = 0; k < h; k++) {
            const y = (h >> 1) + (k % 2 ? -1 : 1) * (k >> 1);
            for (let x = 0; x < w; x++)
                if (d.slice(4 * (y * w + x), 4 * (y * w + x) + 3).join() !== clear) return [x, y];
        }
        return null;''')


def saved_frame(page, folder):
    """The frame saved as C, unpacked into `folder` and built: the program's path."""
    os.makedirs(folder)
    page.cdp('Browser.setDownloadBehavior', behavior='allow', downloadPath=folder)
    page.driver.find_element(By.CSS_SELECTOR, '[aria-label="save the frame as C"]').click()
    archive = os.path.join(folder, 'tarnvale-frame.tar.gz')
    deadline = time.monotonic() + 20
    while not os.path.exists(archive) or glob.glob(folder + '/*.crdownload'):
        assert time.monotonic() < deadline, 'no archive was saved'
        time.sleep(0.05)
    with tarfile.open(archive) as tar:
        tar.extractall(folder)
    frame = os.path.join(folder, 'tarnvale-frame')
    built = subprocess.run(['make', '-C', frame], capture_output=True, text=True)
    assert built.returncode == 0 and 'warning' not in built.stderr, built.stderr
    return os.path.join(frame, 'frame')


def shot(program, title, path):
    window = Desktop(program, os.path.dirname(program), name='^%s$' % re.escape(title))
    try:
        window.settled_shot(path, changed=False)
    finally:
        assert window.quit() == 0
    return path


class InspectExamplesTest(unittest.TestCase):
    def test_each_frame_opens_from_its_card_and_answers_as_the_program(self):
        work = tempfile.mkdtemp()
        server = Server(os.path.join(web_dir(), 'examples'))
        page = Page(server.url + ROWS[0][0] + '/', first_frame=False)
        try:
            page.driver.get(server.url)  # the gallery
            cards = page.js("""return Object.fromEntries([...document.querySelectorAll('a.step')].map(
                               (a) => [a.getAttribute('href').split('/')[0], [a.getAttribute('href'), a.textContent]]))""")
            for name, (start, call, arg, value), brought, compiled in ROWS:
                with self.subTest(name):
                    href, text = cards[name]
                    step, called = re.search(r'step (\d+), (\w+)', text).groups()
                    page.visit(server.url + href, first_frame=False)
                    wait_for(page, 'window.Inspector && Inspector.chosen === %d' % (int(step) - 1), 'the lesson\'s step')
                    self.assertTrue(page.js('return Inspector.steps[Inspector.chosen].text').startswith(called + '('))
                    self.assertEqual(page.driver.find_element(By.ID, 'inspect-back').text, 'Back to the program')
                    if compiled:  # the lists' steps: the line that compiled each, and the call's
                        chains = page.js('return Inspector.steps.slice(Inspector.chosen + 1, Inspector.chosen + 5)'
                                         '.filter((s) => s.list && s.list.chain)'
                                         '.map((s) => [s.list.chain.map((f) => f.name), s.chain.map((f) => f.name)])')
                        self.assertEqual(chains[:2], [list(compiled)] * 2)
                        self.assertEqual(page.js('return Inspector.steps.filter((s) => s.text.startsWith("glCallList(")'
                                                 ' && s.list && s.list.chain).length'), 0, 'a glCallList shown as compiled')
                    if brought:  # the whole state, asked for: the lesson's step brings its group
                        page.js("document.querySelector('details.whole').open = true")
                        wait_for(page, "document.querySelector('.gl-state')", 'the whole GL state')
                        self.assertIn(brought, page.js(GROUPS))
                        page.js('Inspector.choose(Inspector.chosen - 1)')
                        self.assertNotIn(brought, page.js(GROUPS))
                    count = page.js('return Inspector.steps.length')
                    page.driver.find_element(By.ID, 'inspect-outline').click()  # the pictures without the outline
                    page.js('Inspector.choose(arguments[0])', count - 1)
                    whole = page.picture()

                    # A pixel's history: the step it names as seen gave the
                    # pixel its colour, and the step before had not.
                    x, y = drawn_pixel(page)
                    final = pixel_at(page, x, y)
                    page.js('Inspector.pixel(arguments[0], arguments[1])', x, y)
                    seen = page.js("return Number(document.querySelector('[aria-label=\"pixel history\"] [data-fate=\"seen\"]').dataset.step)")
                    page.js('Inspector.choose(arguments[0])', seen)
                    self.assertEqual(pixel_at(page, x, y), final, 'step %d is not the pixel\'s last writer' % (seen + 1))
                    page.js('Inspector.choose(arguments[0])', seen - 1)
                    self.assertNotEqual(pixel_at(page, x, y), final, 'the pixel had its colour before step %d' % (seen + 1))

                    # An edit changes the picture; its undo gives the program's back.
                    page.js('''const [start, name, arg, value] = arguments;
                        let k, args;
                        if (start) {
                            k = Inspector.starting.findIndex((c) => c.name === name);
                            args = Inspector.starting[k].args.slice();
                        } else {
                            k = Inspector.steps.find((s) => s.text.startsWith(name + '(')).first;
                            const n = _malloc(4), at = Module._inspectCallArgs(k, n) >> 3;
                            args = Array.from(HEAPF64.subarray(at, at + HEAP32[n >> 2]));
                            _free(n);
                        }
                        args[arg] = value;
                        Inspector.edit(start, k, name, args);
                        Inspector.choose(Inspector.steps.length - 1);''', start, call, arg, value)
                    self.assertTrue(page.picture() != whole, 'the edit of %s changed nothing' % call)
                    page.driver.find_element(By.CSS_SELECTOR, 'ul[aria-label="edits"] button').click()
                    self.assertTrue(page.picture() == whole, 'undone, the frame is not the program\'s')

                    # A middle step's picture is the frame with every later step left out.
                    middle = page.js('''const drawn = Inspector.steps.map((s, i) => (s.primitive ? i : -1)).filter((i) => i >= 0).slice(0, -1);
                        return drawn.find((i) => i >= arguments[0] / 2) ?? drawn[drawn.length - 1]''', count)
                    page.js('Inspector.choose(arguments[0])', middle)
                    half = page.picture()
                    self.assertTrue(half != whole, 'step %d draws the whole frame' % (middle + 1))
                    later = list(range(middle + 1, count))
                    page.js('Inspector.leaveOut(arguments[0], true); Inspector.choose(arguments[1] - 1)', later, count)
                    self.assertTrue(page.picture() == half, 'step %d is not the frame drawn up to it' % (middle + 1))
                    page.js('Inspector.leaveOut(arguments[0], false); Inspector.choose(arguments[1] - 1)', later, count)
                    self.assertTrue(page.picture() == whole, 'put back, the later steps do not draw the frame')

                    # Saved as C: the page's frame, drawn by Mesa, as the
                    # program's own window draws it; with the lesson's call
                    # of lists left out, none of them.
                    if compiled:
                        page.js('Inspector.leaveOut([arguments[0]], true); Inspector.choose(arguments[1] - 1)',
                                int(step) - 1, count)
                        self.assertTrue(page.picture() != whole, 'the left-out list still draws')
                        theirs = os.path.join(work, name + '-page.png')
                        page.canvas_png(theirs)
                    else:
                        title = next(t for n, t, _ in EXAMPLES if n == name)
                        theirs = shot(os.path.join(PROGRAMS, name), title, os.path.join(work, name + '-desktop.png'))
                    saved = saved_frame(page, os.path.join(work, name))
                    ours = shot(saved, 'Tarnvale frame', os.path.join(work, name + '-saved.png'))
                    self.assertLessEqual(differing_share(ours, theirs), 0.01, 'see %s and %s' % (ours, theirs))
        finally:
            page.close()
            server.stop()


if __name__ == '__main__':
    PROGRAMS = os.path.abspath(sys.argv[1])
    unittest.main(argv=sys.argv[:1], verbosity=2)
