"""The frame inspector in headless Chromium: it opens on the frame on the
screen, the last step draws the live frame again, every step names the lines
of the program that made it, a pixel of the door names the door's function,
the state follows the keys, and closing gives the house back.
    TARNVALE_WEB=build/web python3 test_inspect.py"""
import math
import os
import re
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page import OneBrowser

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
STEPS = '#inspector ol[aria-label="steps"]'


def open_inspector(page):
    page.driver.find_element(By.ID, 'inspect').click()
    page.driver.execute_async_script('''const done = arguments[0], end = Date.now() + 10000;
        (function wait() { if (document.querySelector('%s li') || Date.now() > end) done(); else setTimeout(wait, 20); })();'''
                                     % STEPS.replace("'", "\\'"))
    return page.js('return Inspector.steps.length')


def chosen(page):
    return page.js('return Inspector.chosen')


def magenta_pixels(page):
    """The canvas's pixels in the outline's magenta."""
    return page.driver.execute_async_script('''const done = arguments[0], image = new Image();
        image.onload = () => {
            const c = document.createElement('canvas');
            [c.width, c.height] = [image.width, image.height];
            const g = c.getContext('2d');
            g.drawImage(image, 0, 0);
            const d = g.getImageData(0, 0, c.width, c.height).data;
            let n = 0;
            for (let i = 0; i < d.length; i += 4) n += d[i] > 220 && d[i + 1] < 60 && d[i + 2] > 200;
            done(n);
        };
        image.src = document.getElementById('canvas').toDataURL();''')


def matrix(page, caption):
    """A matrix of the state panel, row by row."""
    return page.js('''const t = [...document.querySelectorAll('[aria-label="state at this step"] table.matrix')]
        .find(t => t.caption.textContent === arguments[0]);
        return [...t.rows].map(r => [...r.cells].map(c => Number(c.textContent)))''', caption)


class InspectorTest(OneBrowser):
    def setUp(self):
        self.page = self.open()

    def test_steps_draw_the_frame_and_name_the_lines_that_made_them(self):
        p = self.page
        p.press('d')  # the depth test off: the last steps are drawn over all the others
        live = p.picture()
        count = open_inspector(p)
        items = p.js('return [...document.querySelectorAll(arguments[0] + " > li")].map(li => li.textContent)', STEPS)
        self.assertEqual(len(items), count)
        self.assertIn('glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)', items[0])
        self.assertIn('glEnd()', items[-1])
        self.assertRegex(items[0], r'display\s+scene/display\.cpp:\d+')
        # Without its outline the last step is the live frame; the frame half
        # drawn is not.
        p.driver.find_element(By.ID, 'inspect-outline').click()
        p.js('Inspector.choose(arguments[0])', count - 1)
        self.assertTrue(p.picture() == live, 'the last step is not the live frame')
        p.js('Inspector.choose(arguments[0])', count // 2)
        self.assertFalse(p.picture() == live, 'half the frame is the whole')
        # Each function of a step's chain is at a line that calls the next one,
        # and the innermost at a line that makes the step's call.
        sources = {}
        for text, chain in p.js('return Inspector.steps.map(s => [s.text, s.chain])'):
            self.assertEqual(chain[0]['name'], 'display', text)
            callees = [f['name'] for f in chain[1:]] + [text.split('(')[0]]
            for frame, callee in zip(chain, callees):
                if frame['file'] not in sources:
                    with open(os.path.join(ROOT, frame['file'])) as f:
                        sources[frame['file']] = f.read().split('\n')
                line = sources[frame['file']][frame['line'] - 1]
                self.assertRegex(line, r'\b%s\s*\(' % callee, '%s:%d in %s' % (frame['file'], frame['line'], text))

    def test_door_pixel_names_the_door_and_its_step(self):
        p = self.page
        open_inspector(p)
        ActionChains(p.driver).move_to_element_with_offset(p.canvas, 575 - 400, 380 - 300).click().perform()
        entries = p.js('return [...document.querySelectorAll(\'ol[aria-label="pixel history"] li\')]'
                       '.map(li => [Number(li.dataset.step), li.dataset.fate, li.textContent])')
        self.assertEqual([fate for _, fate, _ in entries].count('seen'), 1, entries)
        step, _, text = next(e for e in entries if e[1] == 'seen')
        self.assertTrue(text.startswith('step %d ' % (step + 1)), text)
        self.assertIn('drawDoorLeaf', [f['name'] for f in p.js('return Inspector.steps[arguments[0]].chain', step)])
        self.assertTrue(all(re.search(r'^step \d+ .*(covered by step \d+|hidden by the depth test behind step \d+|'
                                      r'culled as a back face|seen)$', t) for _, _, t in entries), entries)
        # Choosing the entry goes to its step, and the state names the door's texture.
        p.driver.find_element(By.CSS_SELECTOR, 'ol[aria-label="pixel history"] li[data-fate="seen"] button').click()
        self.assertEqual(chosen(p), step)
        state = p.driver.find_element(By.CSS_SELECTOR, '[aria-label="state at this step"]').text
        self.assertIn('door.bmp', state)
        self.assertRegex(state, r'depth test\s+on')
        # The matrices as GL has them, rows down the page: the reshape's
        # gluPerspective(60, 800 / 600, 0.01, 100), and a modelview whose
        # last row is (0, 0, 0, 1).
        f, near, far = 1 / math.tan(math.radians(30)), 0.01, 100
        perspective = [[f * 600 / 800, 0, 0, 0], [0, f, 0, 0],
                       [0, 0, (far + near) / (near - far), 2 * far * near / (near - far)], [0, 0, -1, 0]]
        for got, want in zip(sum(matrix(p, 'projection'), []), sum(perspective, [])):
            self.assertAlmostEqual(got, want, delta=0.001)
        modelview = matrix(p, 'modelview')
        self.assertEqual(modelview[3], [0, 0, 0, 1])
        self.assertTrue(any(modelview[r][3] for r in range(3)), modelview)
        # A step wholly behind the front wall is outlined over it all the same.
        desk = p.js('return Inspector.steps.findIndex(s => s.primitive && s.chain.some(f => f.name === "drawDesk"))')
        p.js('Inspector.choose(arguments[0])', desk)
        self.assertGreater(magenta_pixels(p), 20)

    def test_keys_move_through_steps_and_closing_gives_the_house_back(self):
        p = self.page
        p.press('d')
        count = open_inspector(p)
        self.assertEqual(chosen(p), count - 1)
        frames = p.frames()
        ActionChains(p.driver).send_keys(Keys.ARROW_UP, Keys.ARROW_UP).perform()
        self.assertEqual(chosen(p), count - 3)
        ActionChains(p.driver).send_keys(Keys.HOME).perform()
        self.assertEqual(chosen(p), 0)
        # A run folds to its first step, its last included.
        run = p.driver.find_element(By.CSS_SELECTOR, 'button.fold[aria-label$=", 3 steps"]')
        hidden = 'return document.querySelectorAll(arguments[0] + " > li[hidden]").length'
        p.js('arguments[0].click()', run)
        self.assertEqual(p.js(hidden, STEPS), 2)
        p.js('arguments[0].click()', run)
        # Folded by function: each call that display makes shows as one step.
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="fold by function"]').click()
        shown = p.js('return [...document.querySelectorAll(arguments[0] + " > li:not([hidden])")].map(li =>'
                     '  Inspector.steps[li.dataset.step].chain.slice(0, 2).map(f => f.name + ":" + f.line).join(" > "))',
                     STEPS)
        self.assertLess(len(shown), 40, shown)
        self.assertTrue(all(a != b for a, b in zip(shown, shown[1:])), shown)
        self.assertRegex(p.driver.find_element(By.CSS_SELECTOR, '[aria-label="state at this step"]').text,
                         r'depth test\s+off')
        # The keyboard alone reaches a pixel's history: the arrows move a ring
        # from the canvas's middle, Enter asks.
        p.js('document.getElementById("canvas").focus()')
        ActionChains(p.driver).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_UP, Keys.ENTER).perform()
        self.assertIn('Pixel (401, 299)', p.driver.find_element(By.ID, 'inspect-pixel').text)
        self.assertTrue(p.driver.find_elements(By.CSS_SELECTOR, '[aria-label="pixel history"] [data-fate="seen"]'))
        self.assertEqual(p.frames(), frames, 'the house drew while inspected')
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="back to the house"]').click()
        self.assertEqual(p.driver.find_elements(By.ID, 'inspector'), [])
        before = p.picture()
        p.press(Keys.ARROW_UP)
        self.assertNotEqual(p.picture(), before)


if __name__ == '__main__':
    unittest.main(verbosity=2)
