"""The page end to end in headless Chromium: it starts drawing, keys and the
left-button drag change the picture as on the desktop, the right button opens
the menu with its two entries, and q, Q and Escape end the program.
    TARNVALE_WEB=build/web python3 test_page.py"""
import hashlib
import json
import os
import shutil
import subprocess
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page import OneBrowser, Server, shared_browser, wait_for, web_dir


class PageTest(OneBrowser):
    def setUp(self):
        self.page = self.open()
        self.page.console()  # what earlier cases logged

    def picture(self):
        """A digest of what the canvas shows."""
        return hashlib.sha1(self.page.js("return document.getElementById('canvas').toDataURL()").encode()).hexdigest()

    def test_starts_drawing_with_every_texture_read(self):
        p = self.page
        self.assertEqual(p.driver.title, 'Tarnvale')
        self.assertEqual(p.js('const c = document.getElementById("canvas"), r = c.getBoundingClientRect();'
                              'return [c.width, c.height, r.width, r.height]'), [800, 600, 800, 600])
        # A desktop browser's page: nothing over the window, no touch controls.
        self.assertEqual(p.js('const r = document.getElementById("canvas").getBoundingClientRect();'
                              'return [[1, 1], [799, 1], [400, 300], [1, 599], [799, 599]].map(([x, y]) =>'
                              '  document.elementFromPoint(r.left + x, r.top + y).id)'), ['canvas'] * 5)
        self.assertFalse(p.driver.find_element(By.ID, 'controls').is_displayed())
        before = p.frames()
        self.assertGreaterEqual(p.frames_after(10, since=before), before + 10)  # frames follow with no input
        self.assertEqual(p.js('return document.getElementById("output").textContent'), '')
        self.assertEqual(p.console(), [])
        with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'CMakeLists.txt')) as f:
            cmake = f.read()
        version = cmake.split('project(Tarnvale VERSION ')[1].split()[0]
        self.assertIn('Tarnvale %s,' % version, p.js('return document.getElementById("version").textContent'))

    def test_keys_change_the_picture_as_on_the_desktop(self):
        p = self.page
        # (keys, whether the picture changes); each step starts where the last ended.
        steps = [(Keys.ARROW_UP, True), (Keys.ARROW_LEFT, True), ('z', True), ('x', True), ('1', True),
                 ('2', True), ('3', True), ('l', False), ('t', True), ('l', True), ('f', False), ('d', True),
                 ('p', True), ('F', False)]
        for keys, changes in steps:
            before = self.picture()
            p.press(keys)
            self.assertEqual(self.picture() != before, changes, 'after %r' % keys)

    def test_left_drag_turns_the_scene(self):
        p = self.page
        before = self.picture()
        ActionChains(p.driver).move_to_element(p.canvas).click_and_hold().move_by_offset(60, 20).release().perform()
        p.frames_after(2)
        self.assertNotEqual(self.picture(), before)

    def test_menu_switches_between_outside_and_inside(self):
        p = self.page
        self.assertEqual(p.menu_labels(), ['', ''])  # hidden until asked for
        inside = self.picture()
        p.choose_menu_entry(2)
        self.assertNotEqual(self.picture(), inside)
        self.assertFalse(p.driver.find_element(By.ID, 'menu').is_displayed())
        ActionChains(p.driver).move_to_element_with_offset(p.canvas, -250, -180).context_click().perform()
        self.assertEqual(p.menu_labels(), ['집 안 (Inside)', '집 밖 (Outside)'])
        # The menu's corner is where the button went down: (150, 120) in the canvas.
        self.assertEqual(p.js("const m = document.getElementById('menu').getBoundingClientRect(),"
                              "c = document.getElementById('canvas').getBoundingClientRect();"
                              "return [Math.round(m.left - c.left), Math.round(m.top - c.top)]"), [150, 120])
        ActionChains(p.driver).move_to_element(p.driver.find_elements(By.CSS_SELECTOR, '#menu li')[0]).click().perform()
        p.frames_after(2)  # counted from after the click
        self.assertEqual(self.picture(), inside)

    def test_quit_keys_end_the_program_and_it_can_start_again(self):
        p = self.page
        for key in ('q', 'Q', Keys.ESCAPE):
            ActionChains(p.driver).send_keys(key).perform()
            ended = p.driver.find_element(By.ID, 'ended')
            self.assertTrue(ended.is_displayed(), key)
            self.assertIn('Tarnvale has ended', ended.text)
            self.assertEqual(p.console(), [], key)  # exit() ends it quietly
            frames = p.frames()
            p.js('return new Promise(r => setTimeout(r, 200))')
            self.assertEqual(p.frames(), frames, 'frames go on after %r' % key)
            p.driver.find_element(By.ID, 'again').click()
            p.frames_after(2, since=0)
            self.assertFalse(p.driver.find_element(By.ID, 'ended').is_displayed())


class DamagedTexturesTest(unittest.TestCase):
    """A page built with two damaged textures prints the reader's lines under
    the canvas and in the console, word for word as on the desktop, and runs on."""

    def test_reader_lines_appear_under_the_canvas(self):
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        build = os.path.dirname(web_dir())
        textures = os.path.join(work, 'run')
        shutil.copytree(os.path.join(build, 'run'), textures)
        with open(os.path.join(textures, 'door.bmp'), 'wb') as f:
            f.write(b'not a picture ' * 40)
        with open(os.path.join(build, 'run', 'bottom.bmp'), 'rb') as f:
            head = f.read(100)
        with open(os.path.join(textures, 'bottom.bmp'), 'wb') as f:
            f.write(head)
        root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..')
        shutil.copytree(web_dir(), os.path.join(work, 'web'))
        subprocess.run([os.path.join(root, 'web', 'pack_textures.sh'), os.path.join(work, 'web'), textures],
                       check=True, capture_output=True)
        server = Server(os.path.join(work, 'web'))
        self.addCleanup(server.stop)
        page = shared_browser(server.url)
        lines = ['Error reading BMP file, file type incorrect', 'Error reading BMP pixels']
        self.assertEqual(page.js('return document.getElementById("output").textContent'), '\n'.join(lines) + '\n')
        console = page.console()
        self.assertEqual([line for line in lines if any(line in entry for entry in console)], lines)
        self.assertGreater(page.frames_after(5), 5)
        # A set of one's own that does not come names the textures.
        server.faults = {'textures.data.gz': 404}
        page.cdp('Network.enable')
        page.cdp('Network.setCacheDisabled', cacheDisabled=True)
        page.cdp('Network.setBypassServiceWorker', bypass=True)
        page.driver.refresh()
        wait_for(page, "document.getElementById('loading').classList.contains('failed')", 'the textures to fail')
        self.assertEqual(page.driver.find_element(By.CSS_SELECTOR, '#loading .label').text,
                         "The house's textures could not be loaded.")


class FirstVisitTest(unittest.TestCase):
    """A first visit: the bar from the first paint to the first frame, each
    file over the network once, the worker's keeping included, and the
    textures unpacked byte for byte; a file that fails names its part."""

    KEPT = 12  # the page and its eleven files, as the worker keeps them

    def test_the_bar_grows_to_the_house_and_each_file_comes_once(self):
        server = Server(web_dir())
        self.addCleanup(server.stop)
        page = shared_browser(server.url, network=(8000, 8000, 40))
        values = [v for _, v in page.js('return window.progressSeen')]
        values = values[values.index('0'):]  # from the bar's first paint
        self.assertEqual(values[-1], 'gone', values)
        percents = [int(v) for v in values[:-1]]
        self.assertEqual((percents[0], percents[-1]), (0, 100), values)
        self.assertEqual(percents, sorted(percents), 'the bar went back')
        loaded = json.loads(page.driver.find_element(By.TAG_NAME, 'html').get_attribute('data-files'))
        self.assertEqual(page.js('return Module.loadedBytes'), sum(size for size, _, _ in loaded.values()))
        wait_for(page, "window.kept === %d || (caches.keys().then(ks => Promise.all(ks.map(k => caches.open(k)"
                       ".then(c => c.keys())))).then(ls => { window.kept = ls.flat().length; }), false)" % self.KEPT,
                 'the worker to keep the files')
        asked = sorted(server.requests)
        self.assertEqual(asked, sorted(set(asked)), server.asked)
        self.assertEqual(len(asked), self.KEPT + 1, asked)  # and the worker's own script
        # The textures the page made are the generator's, byte for byte.
        folder = os.path.join(os.path.dirname(web_dir()), 'run')
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), 'rb') as f:
                self.assertEqual(page.js('return [...FS.readFile("/" + arguments[0])]', name), list(f.read()), name)

    def test_a_file_that_does_not_come_names_its_part_and_try_again_loads(self):
        server = Server(web_dir())
        self.addCleanup(server.stop)
        rows = [('tarnvale.wasm.gz', 404, 'The program'), ('tarnvale.wasm.gz', 'drop', 'The program'),
                ('tarnvale.js.gz', 'damage', 'The program'), ('tarnvale.js.gz', 'cut', 'The program')]
        page = None
        for name, fault, part in rows:
            server.faults = {name: fault}
            if page:
                page.driver.refresh()
            else:
                page = shared_browser(server.url, first_frame=False)
                page.cdp('Network.setCacheDisabled', cacheDisabled=True)
            wait_for(page, "document.getElementById('loading').classList.contains('failed')", 'the failure of ' + name)
            self.assertEqual(page.driver.find_element(By.CSS_SELECTOR, '#loading .label').text,
                             part + ' could not be loaded.', (name, fault))
            self.assertTrue(page.driver.find_element(By.ID, 'retry').is_displayed())
            self.assertFalse(page.js('return !!Module.calledRun'), 'the program started')
        # Back, with the program and the textures sent as a server may send .gz files.
        server.faults = {'tarnvale.wasm.gz': 'encoded'}
        page.driver.find_element(By.ID, 'retry').click()
        page.frames_after(2, since=0)
        # And in a browser that cannot unpack: the files as they are.
        page.on_new_document('delete window.DecompressionStream')
        page.driver.refresh()
        page.frames_after(2, since=0)
        self.assertIn('/tarnvale.wasm?v=', page.js('return performance.getEntriesByType("resource").map(e => e.name).join()'))
        self.assertEqual(page.driver.find_elements(By.ID, 'loading'), [])
        # ... and whose worker keeps what it loads, for it to start offline.
        wait_for(page, "window.plainKept || (caches.keys().then(ks => Promise.all(ks.map(k => caches.open(k)"
                       ".then(c => c.keys())))).then(ls => { window.plainKept = ls.flat().some(r =>"
                       " /tarnvale\\.wasm\\?v=/.test(r.url)); }), false)", 'the worker to keep the unpacked files')


if __name__ == '__main__':
    unittest.main(verbosity=2)
