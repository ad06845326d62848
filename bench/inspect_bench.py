"""The frame inspector's cost: the page's frames with the inspector built in
beside the same page built without it, in one run; the bytes a visit that
never opens it moves, and those it fetches when first opened; and, at full
CPU speed, the time to record a frame and open the inspector, to go to
another step, to give a pixel's history, from an edit to its picture, and
the frames a second of the view from outside while it orbits, and the
time to save the frame as C with the archive's size.
    TARNVALE_WEB=build/web python3 bench/inspect_bench.py PLAIN_WEB_DIR [SECONDS]"""
import gzip
import os
import shutil
import statistics
import sys
import tempfile

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
extra = gzipped(os.path.join(web_dir(), 'inspect'), ('rooms.js', 'inspector.css', 'lines.json'))
print('the program\'s script and module, gzipped: %.1f KB with the inspector built in, %.1f KB without (%+.1f KB)'
      % (with_it / 1024, without / 1024, (with_it - without) / 1024))
print('fetched when the inspector first opens, gzipped: %.1f KB (its scripts, style and line table)' % (extra / 1024))

server = Server(web_dir())
page = Page(server.url)
try:
    opens, steps, pixels, edits, orbits = [], [], [], [], []
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
                const js = performance.now() - start;
                requestAnimationFrame(() => done([performance.now() - start, js]));''', i))
        for x, y in ((340, 380), (575, 380), (420, 460), (500, 260), (100, 100)):
            pixels.append(page.js('const s = performance.now(); Inspector.pixel(arguments[0], arguments[1]);'
                                  'return performance.now() - s', x, y))
        # The door's angle dragged, one edit at each animation frame for two
        # seconds: the main thread's time for each edit (the frame run again,
        # drawn to the step, the state shown), and the frames a second.
        edits.append(page.driver.execute_async_script('''
            const done = arguments[0], times = [];
            const door = Inspector.steps.findIndex((s) => s.text === 'glRotatef(30, 0, 1, 0)' && s.chain.some((f) => f.name === 'drawDoorLeaf'));
            Inspector.choose(door);
            const call = Inspector.steps[door].first, start = performance.now();
            (function next(k) {
                if (performance.now() - start > 2000) {
                    Inspector.edit(false, call, 'glRotatef', [30, 0, 1, 0]);
                    done([times, k / (performance.now() - start) * 1000]);
                    return;
                }
                const at = performance.now();
                Inspector.edit(false, call, 'glRotatef', [31 + k % 60, 0, 1, 0]);
                times.push(performance.now() - at);
                requestAnimationFrame(() => next(k + 1));
            })(0);'''))
        # From outside, turned a step at each animation frame for two seconds.
        orbits.append(page.driver.execute_async_script('''
            const done = arguments[0], canvas = document.getElementById('canvas');
            document.querySelector('[aria-label="view from outside"]').click();
            const start = performance.now();
            let frames = 0;
            (function turn() {
                canvas.dispatchEvent(new KeyboardEvent('keydown', { key: 'ArrowLeft' }));
                frames++;
                if (performance.now() - start < 2000) requestAnimationFrame(turn);
                else { document.querySelector('[aria-label="view from outside"]').click();
                       done(frames / (performance.now() - start) * 1000); }
            })();'''))
        page.js('Inspector.close()')
    print('open (record, call stacks, list; first of five fetches the files): first %.0f ms, then median %.0f ms'
          % (opens[0], statistics.median(opens[1:])))
    print('another step (drawn, state shown, to the next animation frame): median %.1f ms, most %.1f ms; of it the '
          'main thread median %.1f ms, most %.1f ms' % (statistics.median(s for s, _ in steps), max(s for s, _ in steps),
                                                        statistics.median(j for _, j in steps), max(j for _, j in steps)))
    print('a pixel history: median %.1f ms, most %.1f ms' % (statistics.median(pixels), max(pixels)))
    times = [t for run, _ in edits for t in run]
    print('an edit dragged (the door\'s angle, an edit each animation frame): main thread per edit median %.1f ms, '
          'most %.1f ms, of %d; %s frames a second' % (statistics.median(times), max(times), len(times),
                                                      ', '.join('%.0f' % fps for _, fps in edits)))
    print('the view from outside, orbiting: %s frames a second' % ', '.join('%.0f' % f for f in orbits))
    page.js('return Inspector.open()')
    print('steps in the start view: %d' % page.js('return Inspector.steps.length'))
    folder = tempfile.mkdtemp()
    page.cdp('Browser.setDownloadBehavior', behavior='allow', downloadPath=folder)
    saves = []
    for _ in range(3):
        page.js('delete Inspector.timings.save; document.querySelector(\'[aria-label="save the frame as C"]\').click()')
        saves.append(page.driver.execute_async_script('''const done = arguments[0];
            (function wait() { if (Inspector.timings.save) done([Inspector.timings.save, Inspector.timings.saved]);
                               else setTimeout(wait, 5); })();'''))
    shutil.rmtree(folder)
    print('the frame saved as C (frame.c, Makefile, textures; the first loads the writer): %s ms; the archive %.1f KB'
          % (', '.join('%.0f' % t for t, _ in saves), saves[-1][1] / 1024))
finally:
    page.close()
    server.stop()
