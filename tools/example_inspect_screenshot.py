"""Takes the README's picture of the frame inspector on an example's page:
fog_blend opened by its gallery link on its lesson's step (34,
glEnable(GL_BLEND)) in a 1500 x 1000 window, the whole GL state shown,
then scaled to 1200 pixels wide with ImageMagick.
    python3 tools/example_inspect_screenshot.py BUILD_DIR/web OUTPUT.png"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server, wait_for  # noqa: E402

server = Server(os.path.join(sys.argv[1], 'examples'))
page = Page(server.url + 'fog_blend/#inspect=step:34', first_frame=False)
try:
    page.driver.set_window_size(1500, 1000)
    wait_for(page, 'window.Inspector && Inspector.chosen === 33', 'the inspector on step 34')
    page.js("document.querySelector('details.whole').open = true")
    wait_for(page, "document.querySelector('.gl-state')", 'the whole GL state')
    page.js("document.querySelector('details.whole').scrollIntoView()")
    page.driver.save_screenshot(sys.argv[2])
finally:
    page.close()
    server.stop()
subprocess.run(['convert', sys.argv[2], '-resize', '1200x', sys.argv[2]], check=True)
