"""Frame rate of the page in headless Chromium, and the main-thread time
its frames take (display() and the WebGL calls it makes), at 800 x 600.
    TARNVALE_WEB=build/web python3 bench/web_bench.py [SECONDS]"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server, web_dir  # noqa: E402

SECONDS = float(sys.argv[1]) if len(sys.argv) > 1 else 10


def measure(page, what):
    start = page.js('return [Module._tarnvaleFrames(), Module._tarnvaleFrameMilliseconds(), '
                    'Module._tarnvaleDrawCalls(), performance.now()]')
    page.js('return new Promise(r => setTimeout(r, %d))' % (SECONDS * 1000))
    end = page.js('return [Module._tarnvaleFrames(), Module._tarnvaleFrameMilliseconds(), '
                  'Module._tarnvaleDrawCalls(), performance.now()]')
    frames = end[0] - start[0]
    elapsed = (end[3] - start[3]) / 1000
    print('%-22s %6.1f frames/s  %5.2f ms of main thread per frame  %4.0f draw calls per frame  (%d frames in %.1f s)'
          % (what, frames / elapsed, (end[1] - start[1]) / frames, (end[2] - start[2]) / frames, frames, elapsed))


server = Server(web_dir())
page = Page(server.url)
try:
    measure(page, 'inside, perspective')
    page.press('p')
    measure(page, 'inside, orthographic')
    page.press('p')
    page.choose_menu_entry(2)
    measure(page, 'outside, perspective')
finally:
    page.close()
    server.stop()
