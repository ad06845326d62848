"""The frame inspector on every example's page, at full CPU speed: the time
from the click to the list of steps (the first opening fetches the
inspector's files; the median of the four after it), to go to another step
(to the next animation frame), and, with an edit of a glTranslatef or
glRotatef each animation frame for a second, the main thread's time from
the edit to its picture. The heaviest example is the one slowest to open.
    TARNVALE_WEB=build/web python3 bench/inspect_examples_bench.py"""
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server, web_dir  # noqa: E402

OPEN = '''const done = arguments[0], start = performance.now();
    if (window.Inspector) Inspector.open(); else document.getElementById('inspect').click();
    (function wait() {
        if (document.querySelector('#inspector ol[aria-label="steps"] li[aria-current]'))
            requestAnimationFrame(() => done(performance.now() - start));
        else setTimeout(wait, 1);
    })();'''
STEP = '''const done = arguments[1], start = performance.now();
    Inspector.choose(arguments[0]);
    requestAnimationFrame(() => done(performance.now() - start));'''
EDIT = '''const done = arguments[0], times = [];
    const k = Inspector.steps.findIndex((s) => /^gl(Translatef|Rotatef)\\(/.test(s.text));
    if (k < 0) return done([]);
    Inspector.choose(Inspector.steps.length - 1);
    const call = Inspector.steps[k].first, name = Inspector.steps[k].text.split('(')[0];
    const args = Inspector.steps[k].text.match(/\\((.*)\\)/)[1].split(', ').map(Number), start = performance.now();
    (function next(n) {
        if (performance.now() - start > 1000) {
            Inspector.edit(false, call, name, args);
            return done(times);
        }
        const at = performance.now();
        Inspector.edit(false, call, name, [args[0] + 1 + n % 10, ...args.slice(1)]);
        times.push(performance.now() - at);
        requestAnimationFrame(() => next(n + 1));
    })(0);'''

folder = os.path.join(web_dir(), 'examples')
names = sorted(n for n in os.listdir(folder) if os.path.isfile(os.path.join(folder, n, 'index.html')))
server = Server(folder)
page = Page(server.url + names[0] + '/', first_frame=False)
rows = []
try:
    for name in names:
        page.visit(server.url + name + '/', first_frame=False)
        page.frames_after(1, since=0)
        opens = []
        for _ in range(5):
            opens.append(page.driver.execute_async_script(OPEN))
            page.js('Inspector.close()')
        page.driver.execute_async_script(OPEN)
        count = page.js('return Inspector.steps.length')
        steps = [page.driver.execute_async_script(STEP, i * count // 6) for i in range(1, 6)]
        edits = page.driver.execute_async_script(EDIT)
        rows.append((statistics.median(opens[1:]), name, count, opens[0], statistics.median(steps), max(steps),
                     statistics.median(edits) if edits else float('nan')))
    print('%-11s %6s %9s %9s %10s %9s %9s' % ('example', 'steps', 'open 1st', 'open', 'step', 'step max', 'edit'))
    for opened, name, count, first, step, most, edit in sorted(rows, key=lambda r: r[1]):
        print('%-11s %6d %7.0f ms %6.0f ms %7.1f ms %6.1f ms %6.1f ms' % (name, count, first, opened, step, most, edit))
    heaviest = max(rows)
    print('the heaviest, %s: open %.0f ms (median), a step %.1f ms (median), an edit to its picture %.1f ms (median)'
          % (heaviest[1], heaviest[0], heaviest[4], heaviest[6]))
finally:
    page.close()
    server.stop()
