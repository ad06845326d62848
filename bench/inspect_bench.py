"""The frame inspector's cost: the page's frames with the inspector built in
beside the same page built without it, in one run; the bytes a visit that
never opens it moves, and those it fetches when first opened; and, at full
CPU speed, the time to record a frame and open the inspector, to go to
another step, and to give a pixel's history.
    TARNVALE_WEB=build/web python3 bench/inspect_bench.py PLAIN_WEB_DIR [SECONDS]"""
import gzip
import os
import statistics
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server, web_dir  # noqa: E402
import web_bench  # noqa: E402
from web_bench import measure  # noqa: E402

PLAIN = sys.argv[1]
web_bench.SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 10
PROGRAM = ('tarnvale.js.gz', 'tarnvale.wasm.gz')  # gzipped at build time


def gzipped(folder, names):
    """The files' bytes gzipped, as they cross the network."""
    total = 0
    for n in names:
        data = open(os.path.join(folder, n), 'rb').read()
        total += len(data) if n.endswith('.gz') else len(gzip.compress(data, 9))
    return total


def frames(folder, what):
    server = Server(folder)
    page = Page(server.url)
    try:
        measure(page, what + ', inside')
        page.choose_menu_entry(2)
        measure(page, what + ', outside')
    finally:
        page.close()
        server.stop()


for _ in range(2):  # alternately, twice, so neither has the machine to itself
    frames(web_dir(), 'inspector built in')
    frames(PLAIN, 'without the inspector')

with_it, without = gzipped(web_dir(), PROGRAM), gzipped(PLAIN, PROGRAM)
extra = gzipped(os.path.join(web_dir(), 'inspect'), ('inspector.js', 'inspector.css', 'lines.json'))
print('the program\'s script and module, gzipped: %.1f KB with the inspector built in, %.1f KB without (%+.1f KB)'
      % (with_it / 1024, without / 1024, (with_it - without) / 1024))
print('fetched when the inspector first opens, gzipped: %.1f KB (script, style and line table)' % (extra / 1024))

server = Server(web_dir())
page = Page(server.url)
try:
    opens, steps, pixels = [], [], []
    for k in range(5):
        page.driver.refresh()
        page.frames_after(2, since=0)
        # Click to list, the script, style and line table included the first time.
        opens.append(page.driver.execute_async_script('''
            const done = arguments[0], start = performance.now();
            document.getElementById('inspect').click();
            (function wait() {
                if (document.querySelector('#inspector ol[aria-label="steps"] li[aria-current]'))
                    requestAnimationFrame(() => done(performance.now() - start));
                else setTimeout(wait, 1);
            })();'''))
        for i in (10, 300, 600, 900, 1100):
            steps.append(page.driver.execute_async_script('''
                const done = arguments[1], start = performance.now();
                Inspector.choose(arguments[0]);
                requestAnimationFrame(() => done(performance.now() - start));''', i))
        for x, y in ((340, 380), (575, 380), (420, 460), (500, 260), (100, 100)):
            pixels.append(page.js('const s = performance.now(); Inspector.pixel(arguments[0], arguments[1]);'
                                  'return performance.now() - s', x, y))
    print('open (record, call stacks, list; first of five fetches the files): first %.0f ms, then median %.0f ms'
          % (opens[0], statistics.median(opens[1:])))
    print('another step (drawn, state shown, to the next animation frame): median %.1f ms, most %.1f ms'
          % (statistics.median(steps), max(steps)))
    print('a pixel history: median %.1f ms, most %.1f ms' % (statistics.median(pixels), max(pixels)))
    print('steps in the start view: %d' % page.js('return Inspector.steps.length'))
finally:
    page.close()
    server.stop()
