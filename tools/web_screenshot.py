"""Takes the README's pictures of the page: twelve steps forward, then the
right-button menu opened on the canvas; given a second file, the page on a
phone held sideways (844 x 390 at pixel ratio 2) with its keys unfolded; and
given a third, the frame inspector open on the start view (a 1700 x 1000
window) with the door's pixel history and the door's step chosen; given a
fourth, the inspector with the door turned to 75 degrees and the field of
view widened to 75, seen from outside with the door's panel chosen.
    python3 tools/web_screenshot.py BUILD_DIR/web OUTPUT.png [PHONE.png [INSPECTOR.png [TRY.png]]]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

server = Server(sys.argv[1])


def inspected():
    """The page in a 1700 x 1000 window with the frame inspector open."""
    page = Page(server.url)
    page.driver.set_window_size(1700, 1000)
    page.driver.find_element('id', 'inspect').click()
    page.driver.execute_async_script(
        'const done = arguments[0]; (function wait() { if (document.querySelector("#inspector li[aria-current]"))'
        ' done(); else setTimeout(wait, 20); })();')
    return page



page = Page(server.url)
try:
    page.driver.set_window_size(900, 800)
    page.press(*[Keys.ARROW_UP] * 12)
    ActionChains(page.driver).move_to_element_with_offset(page.canvas, 120, -60).context_click().perform()
    page.frames_after(2)
    page.driver.save_screenshot(sys.argv[2])
finally:
    page.close()
if len(sys.argv) > 3:
    page = Page(server.url, phone=(844, 390, 2))
    try:
        page.press(*[Keys.ARROW_UP] * 12)
        page.tap('#fold')
        page.frames_after(2)
        page.driver.save_screenshot(sys.argv[3])
    finally:
        page.close()
if len(sys.argv) > 4:
    page = inspected()
    try:
        ActionChains(page.driver).move_to_element_with_offset(page.canvas, 575 - 400, 390 - 300).click().perform()
        page.driver.find_element('css selector', 'ol[aria-label="pixel history"] [data-fate="seen"] button').click()
        page.driver.save_screenshot(sys.argv[4])
    finally:
        page.close()
if len(sys.argv) > 5:
    page = inspected()
    try:
        page.js('''const door = Inspector.steps.findIndex(s => s.text === 'glRotatef(30, 0, 1, 0)' &&
                                                           s.chain.some(f => f.name === 'drawDoorLeaf'));
            Inspector.choose(door);
            Inspector.edit(false, Inspector.steps[door].first, 'glRotatef', [75, 0, 1, 0]);
            const fovy = Inspector.starting.findIndex(c => c.name === 'gluPerspective');
            Inspector.chooseStart(fovy);
            Inspector.edit(true, fovy, 'gluPerspective', [75, ...Inspector.starting[fovy].args.slice(1)]);
            Inspector.choose(Inspector.steps.findIndex((s, i) => i > door && s.primitive));''')
        page.driver.find_element('css selector', '[aria-label="view from outside"]').click()
        page.driver.save_screenshot(sys.argv[5])
    finally:
        page.close()
server.stop()
