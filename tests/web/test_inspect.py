"""The frame inspector in headless Chromium: it opens on the frame on the
screen, the last step draws the live frame again, every step names the lines
of the program that made it, a pixel of the door names the door's function,
the state follows the keys, edits run the frame again, the view from outside
shows the eye's volume, and closing gives the house back, leaving nothing
behind.
    TARNVALE_WEB=build/web python3 test_inspect.py"""
import math
import os
import re
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page import OneBrowser, on_canvas_pixels, wait_for

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
    return pixels_like(page, 'd[i] > 220 && d[i + 1] < 60 && d[i + 2] > 200')


def pixels_like(page, test):
    """The canvas's pixels whose bytes d[i], d[i + 1], d[i + 2] pass a test."""
    return on_canvas_pixels(page, 'let n = 0; for (let i = 0; i < d.length; i += 4) n += %s; return n;' % test)


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
        # A run folds to its first step, its last included; from a step
        # just folded away, the arrow goes on to the next step shown.
        run = p.driver.find_element(By.CSS_SELECTOR, 'button.fold[aria-label$=", 3 steps"]')
        first = int(run.find_element(By.XPATH, './ancestor::li').get_attribute('data-step'))
        hidden = 'return document.querySelectorAll(arguments[0] + " > li[hidden]").length'
        p.js('Inspector.choose(arguments[0])', first + 1)
        p.js('arguments[0].click()', run)
        self.assertEqual(p.js(hidden, STEPS), 2)
        p.js('arguments[0].focus()', p.driver.find_element(By.CSS_SELECTOR, STEPS))
        ActionChains(p.driver).send_keys(Keys.ARROW_DOWN).perform()
        self.assertEqual(chosen(p), first + 3)
        p.js('arguments[0].click()', run)
        # Folded by function: each call that display makes shows as one step.
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="fold by function"]').click()
        self.assertEqual(p.driver.find_element(By.CSS_SELECTOR, '[aria-label="fold by function"]').get_attribute('aria-pressed'),
                         'true')
        shown = p.js('return [...document.querySelectorAll(arguments[0] + " > li:not([hidden])")].map(li =>'
                     '  Inspector.steps[li.dataset.step].chain.slice(0, 2).map(f => f.name + ":" + f.line).join(" > "))',
                     STEPS)
        self.assertLess(len(shown), 40, shown)
        self.assertTrue(all(a != b for a, b in zip(shown, shown[1:])), shown)
        self.assertRegex(p.driver.find_element(By.CSS_SELECTOR, '[aria-label="state at this step"]').text,
                         r'depth test\s+off')
        # Recorded again (the window resized), nothing is folded.
        p.js('window.dispatchEvent(new Event("resize"))')
        wait_for(p, 'document.querySelector(\'[aria-label="fold by function"]\').getAttribute("aria-pressed") === "false"',
                 'the fold to be undone by a new record')
        # The keyboard alone reaches a pixel's history: the arrows move a ring
        # from the canvas's middle, Enter asks.
        p.js('document.getElementById("canvas").focus()')
        ActionChains(p.driver).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_UP, Keys.ENTER).perform()
        self.assertIn('Pixel (401, 299)', p.driver.find_element(By.ID, 'inspect-pixel').text)
        self.assertTrue(p.driver.find_elements(By.CSS_SELECTOR, '[aria-label="pixel history"] [data-fate="seen"]'))
        self.assertEqual(p.frames(), frames, 'the house drew while inspected')
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="back to the house"]').click()
        self.assertFalse(p.driver.find_element(By.ID, 'inspector').is_displayed())
        before = p.picture()
        p.press(Keys.ARROW_UP)
        self.assertNotEqual(p.picture(), before)


    def test_edits_run_the_frame_again_and_the_view_from_outside_shows_the_volume(self):
        p = self.page
        count = open_inspector(p)
        whole = p.picture()
        # The reshape's projection is among the starting state, with its line.
        starting = p.js('return [...document.querySelectorAll(\'ol[aria-label="starting state"] li\')].map(li => li.textContent)')
        self.assertTrue(any(re.search(r'gluPerspective\(60, 1\.33333, 0\.01, 100\).*reshape\s+app/camera\.cpp:\d+', t)
                            for t in starting), starting)
        # The door turned from 30 to 60 degrees: the door moves, and only the door.
        door = p.js('return Inspector.steps.findIndex(s => s.text === "glRotatef(30, 0, 1, 0)" && s.chain.some(f => f.name === "drawDoorLeaf"))')
        p.js('Inspector.choose(arguments[0])', door)
        angle = p.driver.find_element(By.CSS_SELECTOR, STEPS + ' li[aria-current] input[aria-label="angle"]')
        self.assertEqual(angle.get_attribute('role'), 'spinbutton')
        angle.send_keys(Keys.ARROW_UP * 6)  # five degrees a press
        self.assertIn('glRotatef(60, 0, 1, 0)', p.js('return Inspector.steps[arguments[0]].text', door))
        p.js('Inspector.choose(arguments[0])', count - 1)
        turned = p.picture()
        self.assertNotEqual(turned, whole)
        p.driver.find_element(By.CSS_SELECTOR, 'ul[aria-label="edits"] button').click()
        self.assertEqual(p.picture(), whole, 'undone, the frame is not the program\'s')
        # A wider field of view in the starting state: every step follows.
        fovy = p.js('return Inspector.starting.findIndex(c => c.name === "gluPerspective")')
        p.js('Inspector.chooseStart(arguments[0])', fovy)
        cell = p.driver.find_element(By.CSS_SELECTOR, 'ol[aria-label="starting state"] li[aria-current] input[aria-label="fovy"]')
        cell.clear()
        cell.send_keys('90', Keys.TAB)
        projection = matrix(p, 'projection')
        self.assertAlmostEqual(projection[1][1], 1.0, delta=0.001)  # 1 / tan(45 degrees)
        # From outside: the volume in yellow, and a pipeline for the chosen primitive.
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="view from outside"]').click()
        self.assertEqual(p.driver.find_element(By.CSS_SELECTOR, '[aria-label="view from outside"]').get_attribute('aria-pressed'), 'true')
        self.assertGreater(pixels_like(p, 'd[i] > 220 && d[i + 1] > 180 && d[i + 2] < 90'), 200)
        stages = p.js('return [...document.querySelectorAll(\'[aria-label="vertex pipeline"] th[scope="row"]\')].map(t => t.textContent)')
        self.assertEqual(stages, ['object', 'eye', 'clip', 'normalised device', 'window'])
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="the program’s frame"]').click()
        p.driver.find_element(By.CSS_SELECTOR, '[aria-label="view from outside"]').click()
        self.assertEqual(p.picture(), whole)
        # A lost context, back while the inspector is open: the frozen frame comes back by itself.
        p.js("window.lose = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context');"
             "lose.loseContext()")
        wait_for(p, "document.getElementById('canvas').getContext('webgl').isContextLost()", 'the loss')
        p.js('lose.restoreContext()')
        wait_for(p, "!document.getElementById('canvas').getContext('webgl').isContextLost()", 'the context')
        p.js('return new Promise(r => requestAnimationFrame(() => requestAnimationFrame(r)))')
        self.assertEqual(p.picture(), whole, 'the frame did not come back')
        # A smaller window while open: the program is told, the frame is
        # recorded at the new size, and the house keeps it.
        p.driver.set_window_size(700, 800)
        try:
            wait_for(p, 'Inspector.starting.some(c => c.name === "glViewport" && c.args[2] < 800)', 'the new viewport')
            size = p.js('const c = document.getElementById("canvas"); return [c.width, c.height]')
            self.assertEqual(p.js('return Inspector.starting.find(c => c.name === "glViewport").args.slice(2)'), size)
            wait_for(p, 'document.querySelector(\'[aria-label="state at this step"]\').textContent.includes('
                        '"viewport0, 0, %d, %d")' % tuple(size), 'the frame drawn at the new size')
            p.driver.find_element(By.CSS_SELECTOR, '[aria-label="back to the house"]').click()
            p.frames_after(2)
            self.assertLess(p.js('return document.getElementById("canvas").width'), 800)
        finally:
            p.driver.set_window_size(1200, 1000)

    def test_every_cell_edits_the_call_as_it_stands(self):
        p = self.page
        open_inspector(p)
        current = 'li[aria-current] input[aria-label="%s"]'
        cell = lambda name: p.driver.find_element(By.CSS_SELECTOR, STEPS + ' ' + current % name)
        args_of = lambda step: [float(a) for a in re.search(r'\((.*)\)', p.js('return Inspector.steps[arguments[0]].text',
                                                                               step)).group(1).split(', ')]
        look = p.js('return Inspector.steps.findIndex(s => s.text.startsWith("gluLookAt("))')
        given = args_of(look)
        # Two arguments of one call typed in either order both hold; undoing
        # one leaves the other, and each cell shows what the frame uses.
        for typed in ((('eyeZ', 2, 3), ('centerZ', 5, 2)), (('centerZ', 5, 2), ('eyeZ', 2, 3))):
            p.js('Inspector.choose(arguments[0])', look)
            want = list(given)
            for name, k, value in typed:
                cell(name).clear()
                cell(name).send_keys(str(value), Keys.TAB)
                want[k] = value
            self.assertEqual(args_of(look), want, typed)
            self.assertEqual([cell(name).get_attribute('value') for name, _, _ in typed], [str(v) for _, _, v in typed])
            (name, k, _), kept = typed[0], typed[1]
            p.driver.find_element(By.CSS_SELECTOR, 'button[aria-label^="undo: step %d: gluLookAt %s "]' % (look + 1, name)).click()
            want[k] = given[k]
            self.assertEqual(args_of(look), want, 'undoing %s undid %s' % (name, kept[0]))
            self.assertEqual(float(cell(name).get_attribute('value')), given[k])
            p.driver.find_element(By.CSS_SELECTOR, '[aria-label="the program’s frame"]').click()
        # The light's position: a cell for each of x, y, z and w, each the number it names.
        light = p.js('return Inspector.starting.findIndex(c => c.name === "glLightfv" && c.args[1] === 0x1203)')
        p.js('Inspector.chooseStart(arguments[0])', light)
        shown = [float(p.driver.find_element(By.CSS_SELECTOR, 'ol[aria-label="starting state"] ' + current % a)
                       .get_attribute('value')) for a in 'xyzw']
        self.assertEqual(shown, p.js('return Inspector.starting[arguments[0]].args.slice(2)', light))
        # A wall panel: its glColor3fv inside glBegin is a cell of the vertex
        # table, and the eye row is the modelview times the point (w = 1).
        panel = p.js('return Inspector.steps.findIndex(s => s.primitive && s.chain.some(f => f.name === "drawFace"))')
        p.js('Inspector.choose(arguments[0])', panel)
        state = '[aria-label="state at this step"] '
        self.assertTrue(p.driver.find_elements(By.CSS_SELECTOR, state + 'input[aria-label="red of vertex 1"]'))
        rows = p.js('return Object.fromEntries([...document.querySelectorAll(arguments[0] + \'[aria-label="vertex pipeline"] tr\')]'
                    '.filter(r => r.cells[0].scope === "row").map(r => [r.cells[0].textContent, r.cells[1].textContent]))', state)
        obj = [float(v) for v in rows['object'].split(', ')]
        mv = matrix(p, 'modelview')
        eye = [sum(mv[r][c] * obj[c] for c in range(4)) for r in range(4)]
        for got, want in zip([float(v) for v in rows['eye'].split(', ')], eye):
            self.assertAlmostEqual(got, want, delta=0.01)

    def test_an_address_opens_the_inspector_on_its_step(self):
        p = self.page
        home = p.driver.current_url.split('#')[0]
        self.addCleanup(p.driver.get, home)
        p.driver.get(home + '#inspect=step:214')
        p.driver.refresh()
        wait_for(p, 'Inspector.chosen === 213', 'the inspector open on step 214')
        self.assertEqual(p.driver.find_element(By.CSS_SELECTOR, STEPS + ' li[aria-current]').get_attribute('data-step'),
                         '213')

    def test_open_and_close_leave_nothing_behind(self):
        """Sixty openings, the first six by the page's buttons: after the
        first ten have warmed the page, neither the script's heap nor the
        module's grows with the rest (one that kept each opening's steps
        would keep some 150 KB of the script's each time)."""
        p = self.page
        script_heap = lambda: (p.cdp('HeapProfiler.collectGarbage'), p.cdp('Runtime.getHeapUsage')['usedSize'])[1]
        module_heap = lambda: p.js('return Module._inspectHeapInUse()')
        for _ in range(6):
            open_inspector(p)
            p.driver.find_element(By.CSS_SELECTOR, STEPS + ' li:nth-child(300)').click()
            ActionChains(p.driver).move_to_element_with_offset(p.canvas, 175, 80).click().perform()
            p.driver.find_element(By.CSS_SELECTOR, '[aria-label="back to the house"]').click()
        openings = lambda n: p.driver.execute_async_script('''const [n, done] = arguments;
            (async () => {
                for (let k = 0; k < n; k++) {
                    await Inspector.open();
                    Inspector.choose(299);
                    Inspector.pixel(175, 80);
                    Inspector.close();
                }
            })().then(done);''', n)
        openings(4)
        script, module = script_heap(), module_heap()
        openings(50)
        self.assertLess(script_heap() - script, 2.5e5)
        self.assertLess(module_heap() - module, 16384)

if __name__ == '__main__':
    unittest.main(verbosity=2)
