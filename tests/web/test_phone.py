"""The page on a phone, in headless Chromium's phone emulation with real touch
events: it fills the screen either way up, a finger does what the keys and the
mouse do, pixel for pixel, the lost GPU context comes back with the same
picture, and after one visit the page starts without the network.
    TARNVALE_WEB=build/web python3 test_phone.py"""
import os
import shutil
import tempfile
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from page import OneBrowser, Server, shared_browser, wait_for, web_dir

PORTRAIT, LANDSCAPE = (390, 844, 3), (844, 390, 2)
PAD_UP = '#pad [data-special="101"]'


def long_press(page, x, y):
    page.touch('Start', (x, y))
    wait_for(page, "document.getElementById('menu').style.display === 'block'", 'the long press to open the menu')
    page.touch('End')


class PortraitTest(OneBrowser):
    PHONE = (390, 844, 1.5)  # fewer pixels than the sharpest, still scaled from CSS pixels

    def test_menu_opens_at_the_finger_inside_the_screen(self):
        page = self.open()
        for x, y in ((100, 300), (385, 835)):
            long_press(page, x, y)
            r = page.js("const r = document.getElementById('menu').getBoundingClientRect();"
                        "return [r.left, r.top, r.right, r.bottom]")
            self.assertAlmostEqual(r[0], min(x, 390 - (r[2] - r[0])), delta=1)
            self.assertAlmostEqual(r[1], min(y, 844 - (r[3] - r[1])), delta=1)
            self.assertEqual(page.js("return [...document.querySelectorAll('#menu li')].map(li => li.textContent)"),
                             ['집 안 (Inside)', '집 밖 (Outside)'])
            page.tap('#menu li:nth-child(1)')
            self.assertFalse(page.driver.find_element(By.ID, 'menu').is_displayed())

    def test_controls_are_labelled_buttons_for_a_thumb(self):
        page = self.open()
        page.tap('#fold')
        controls = page.js('''return [...document.querySelectorAll('#controls button, #fullscreen')].map(b => {
            const r = b.getBoundingClientRect();
            return [b.getAttribute('aria-label'), r.width, r.height, getComputedStyle(b).touchAction]; })''')
        self.assertEqual(sorted(c[0] for c in controls), sorted([
            'walk forward', 'walk back', 'turn left', 'turn right', 'next wallpaper', 'next floor', 'swing the door',
            'perspective / orthographic', 'depth test', 'lighting', 'texturing', 'winding', 'quit', 'inspect the frame',
            'more keys', 'fullscreen']))
        for label, width, height, touch_action in controls:
            self.assertGreaterEqual(min(width, height), 44, label)
            self.assertEqual(touch_action, 'none', label)
        # Nothing covers the middle of the house.
        self.assertEqual(page.js('return document.elementFromPoint(195, 422).id'), 'canvas')

    def test_touch_does_what_keys_and_mouse_do(self):
        page = self.browser
        actions = lambda: ActionChains(page.driver)
        canvas = lambda: page.driver.find_element(By.ID, 'canvas')

        def mouse_drag():
            actions().move_to_element_with_offset(canvas(), 200 - 195, 400 - 422).click_and_hold() \
                .move_by_offset(30, 60).move_by_offset(30, 60).release().perform()

        def right_button_outside():
            actions().move_to_element_with_offset(canvas(), 0, 0).context_click().perform()
            page.driver.find_elements(By.CSS_SELECTOR, '#menu li')[1].click()

        def finger_drag():
            for kind, points in (('Start', [(200, 400)]), ('Move', [(230, 460)]), ('Move', [(260, 520)]), ('End', [])):
                page.touch(kind, *points)

        def pinch():
            page.touch('Start', (150, 420), (240, 420))
            for step in range(1, 5):
                page.touch('Move', (150 - 10 * step, 420), (240 + 10 * step, 420))
            page.touch('End')

        def long_press_outside():
            long_press(page, 195, 422)
            page.tap('#menu li:nth-child(2)')

        rows = [
            ('three taps on the pad', lambda: [page.tap(PAD_UP) for _ in range(3)],
             lambda: page.press(Keys.ARROW_UP * 3)),
            ('a finger drag', finger_drag, mouse_drag),
            ('two fingers spread by 80 pixels', pinch, lambda: page.press('zz')),
            ('a long press, then Outside', long_press_outside, right_button_outside),
        ]

        # All the rows by touch on one fresh page, then all by keys and mouse
        # on another: each row starts where the one before it ended.
        def run(acts):
            page.driver.refresh()
            page.frames_after(2, since=0)
            pictures = [page.picture()]
            for act in acts:
                act()
                page.frames_after(2)
                pictures.append(page.picture())
            return pictures
        touched = run([row[1] for row in rows])
        keyed = run([row[2] for row in rows])
        for k, (name, _, _) in enumerate(rows, 1):
            self.assertTrue(touched[k] != touched[k - 1], name + ' changed nothing')
            self.assertTrue(touched[k] == keyed[k], name + ' differs from the keys and mouse')

class TurningTest(OneBrowser):
    PHONE = PORTRAIT

    def test_fills_the_screen_either_way_up_and_turning_reshapes(self):
        page = self.browser
        # Portrait at ratio 3, turned; landscape at ratio 2, turned back.
        for width, height, ratio in (PORTRAIT, PORTRAIT[1::-1] + (3,), LANDSCAPE, LANDSCAPE[1::-1] + (2,)):
            page.phone(width, height, ratio)
            scale = min(ratio, 2)
            wait_for(page, 'document.getElementById("canvas").width === %d' % (width * scale), 'the reshape')
            page.frames_after(1)
            state = page.js('''const c = document.getElementById('canvas'), r = c.getBoundingClientRect();
                return {scroll: document.documentElement.scrollWidth, inner: innerWidth,
                        rect: [r.left, r.top, r.width, r.height], buffer: [c.width, c.height]}''')
            self.assertLessEqual(state['scroll'], state['inner'], 'sideways scrolling at %dx%d' % (width, height))
            self.assertEqual(state['rect'], [0, 0, width, height])
            self.assertEqual(state['buffer'], [width * scale, height * scale])


class LandscapeTest(OneBrowser):
    PHONE = (844, 390, 1)  # a quarter of the pixels: these cases need no sharpness

    def test_inspector_covers_the_lower_screen_and_a_tap_gives_a_pixel_history(self):
        page = self.open()
        page.tap('#fold')
        page.tap('#keylist [aria-label="inspect the frame"]')
        wait_for(page, "document.querySelector('ol[aria-label=\"steps\"] li') !== null", 'the inspector')
        top, bottom = page.js("const r = document.getElementById('inspector').getBoundingClientRect(); return [r.top, r.bottom]")
        self.assertEqual([top > 390 * 0.4, bottom], [True, 390])
        page.touch('Start', (422, 150))
        page.touch('End')
        wait_for(page, "document.querySelector('ol[aria-label=\"pixel history\"] [data-fate=\"seen\"]') !== null",
                 'the pixel history')
        page.tap('ol[aria-label="pixel history"] [data-fate="seen"] button')
        self.assertEqual(page.js('return Inspector.chosen'),
                         page.js('return Number(document.querySelector(\'[data-fate="seen"]\').dataset.step)'))
        page.tap('[aria-label="back to the house"]')
        self.assertTrue(page.js('return document.getElementById("inspector").hidden'))

    def test_lost_context_comes_back_with_the_same_picture(self):
        page = self.open()
        page.press(Keys.ARROW_UP * 12 + '1')
        before = page.picture()
        page.js("window.lose = document.getElementById('canvas').getContext('webgl').getExtension('WEBGL_lose_context');"
                "lose.loseContext()")
        wait_for(page, "document.getElementById('canvas').getContext('webgl').isContextLost()", 'the loss')
        frames = page.frames()
        page.js('lose.restoreContext()')
        page.frames_after(1, since=frames)
        self.assertTrue(page.picture() == before, 'another picture after the context came back')
        self.assertEqual(page.js('return document.getElementById("output").textContent'), '')


class OfflineTest(unittest.TestCase):
    def test_starts_without_the_network_after_one_visit_and_takes_a_new_build(self):
        work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, work)
        folder = os.path.join(work, 'web')
        shutil.copytree(web_dir(), folder)
        server = Server(folder)
        self.addCleanup(lambda: server.stop())
        page = shared_browser(server.url, phone=LANDSCAPE)
        wait_for(page, "window.kept === 12 || (caches.keys().then(ks => Promise.all(ks.map(k => caches.open(k)"
                       ".then(c => c.keys())))).then(ls => { window.kept = ls.flat().length; }), false)",
                 'the page to keep its files')
        online = page.picture()
        server.stop()
        page.driver.refresh()
        page.frames_after(2, since=0)
        self.assertTrue(page.picture() == online, 'another picture without the network')
        page.driver.get(server.url + 'index.html')  # the same page by its other address
        page.frames_after(2, since=0)
        # A new build on the same address shows on the next visit.
        for name, old, new in (('index.html', 'MIT license', 'MIT license, new build'), ('sw.js', "CACHE = 'tarnvale-", "CACHE = 'tarnvale-new")):
            path = os.path.join(folder, name)
            with open(path) as f:
                text = f.read()
            with open(path, 'w') as f:
                f.write(text.replace(old, new, 1))
        server = Server(folder, port=server.port)
        page.driver.refresh()
        wait_for(page, "document.getElementById('version').textContent.includes('new build')", 'the new build')


if __name__ == '__main__':
    unittest.main(verbosity=2)
