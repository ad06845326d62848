"""Frame rate of the page in headless Chromium and the main-thread time its
frames take (display() and the WebGL calls it makes): at 800 x 600 on a
desktop page, and on a phone held sideways (844 x 390 at pixel ratio 2) with
the CPU slowed four times; and the time from navigation to the first frame,
on the first visit and from the kept files with the server gone.
    TARNVALE_WEB=build/web python3 bench/web_bench.py [SECONDS]"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server, web_dir  # noqa: E402

SECONDS = float(sys.argv[1]) if __name__ == "__main__" and len(sys.argv) > 1 else 10
PHONE = (844, 390, 2)
COUNTERS = ('return [Module._tarnvaleFrames(), Module._tarnvaleFrameMilliseconds(), '
            'Module._tarnvaleDrawCalls(), performance.now()]')


def measure(page, what):
    start = page.js(COUNTERS)
    page.wait_ms(SECONDS * 1000)
    end = page.js(COUNTERS)
    frames = end[0] - start[0]
    elapsed = (end[3] - start[3]) / 1000
    print('%-34s %6.1f frames/s  %5.2f ms of main thread per frame  %4.0f draw calls per frame  (%d frames in %.1f s)'
          % (what, frames / elapsed, (end[1] - start[1]) / frames, (end[2] - start[2]) / frames, frames, elapsed))


def first_frame_ms(page):
    """Milliseconds from navigation start to the first drawn frame."""
    return page.driver.execute_async_script('''
        const done = arguments[arguments.length - 1];
        (function check() { if (Module.firstFrameAt !== undefined) done(Module.firstFrameAt);
                            else requestAnimationFrame(check); })();''')


def phone_run(slowdown):
    """Frames on the phone, then the first frame on the first visit and from
    the kept files with the server gone, with the CPU slowed that much."""
    global server
    profile = tempfile.mkdtemp()
    try:
        page = Page(server.url, phone=PHONE, user_data=profile, cpu_slowdown=slowdown, warm=True)
        first_visit = first_frame_ms(page)
        made = page.js('return Module.texturesMadeIn')
        measure(page, 'phone 844x390 @2, CPU / %d, inside' % slowdown)
        page.choose_menu_entry(2)
        measure(page, 'phone 844x390 @2, CPU / %d, outside' % slowdown)
        page.js('return navigator.serviceWorker.ready.then(() => true)')
        page.close()
        server.stop()
        page = Page(server.url, phone=PHONE, user_data=profile, cpu_slowdown=slowdown, warm=True)
        kept = first_frame_ms(page)
        page.close()
        print('first frame after navigation, CPU / %d: first visit %.0f ms, from the kept files (no server) %.0f ms; '
              'the textures made in %.0f ms' % (slowdown, first_visit, kept, made))
    finally:
        shutil.rmtree(profile, ignore_errors=True)
        server = Server(web_dir())


FAST_3G = (1600, 750, 150)  # kbit/s down and up, ms of latency: what browsers call "fast 3G"
KEPT = 12  # the page and its eleven files, as the service worker keeps them


def first_visit_on_a_phone_network(warm=True):
    """A first visit on the phone held sideways over a phone network: when
    the page itself is in, when the loading bar is first in a frame and the
    page first paints (with its contents: the bar), when the house's first
    frame comes, and what the server sends, the service worker's keeping
    included. Warm, as for the first frames below, the browser has opened
    the site once (its icon, not counted), so that its own process start is
    not counted as the page's; otherwise the page is the tab's first address."""
    server = Server(web_dir())
    page = Page(server.url, phone=PHONE, network=FAST_3G, warm=warm)
    try:
        html, paint, bar = page.js("return [performance.getEntriesByType('navigation')[0].responseEnd, "
                                   "(performance.getEntriesByName('first-contentful-paint')[0] || {}).startTime, "
                                   "window.barFramed]")
        frame = first_frame_ms(page)
        page.driver.execute_async_script('''
            const done = arguments[0];
            (function wait() {
                caches.keys().then((ks) => Promise.all(ks.map((k) => caches.open(k).then((c) => c.keys()))))
                    .then((ls) => { if (ls.flat().length >= %d) done(); else setTimeout(wait, 100); });
            })();''' % KEPT)
        asked = [a for a in server.asked if a not in ('/icon.svg', '/favicon.ico')]  # but the opening of the site
        sent = server.bytes_sent - (os.path.getsize(os.path.join(web_dir(), 'icon.svg')) if len(asked) < len(server.asked) else 0)
        print('first visit over fast 3G (1.6 Mbit/s, 150 ms), phone 844x390 @2, %s: the page in at %.0f ms, the '
              'loading bar in a frame at %.0f ms, first contentful paint %s ms, first frame %.0f ms; the server sent '
              '%d bytes in %d requests for %d files' % (
                  'the site opened before' if warm else "the tab's first address", html, bar,
                  '%.0f' % paint if paint else '-', frame, sent, len(asked), len(set(a.split('?')[0] for a in asked))))
    finally:
        page.close()
        server.stop()


def desktop_run():
    global server
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


if __name__ == '__main__':
    server = Server(web_dir())
    desktop_run()
    for warm in (True, True, True, False, False):
        first_visit_on_a_phone_network(warm)
    phone_run(4)
    phone_run(1)
    server.stop()
