"""The page in headless Chromium, driven through Selenium and ChromeDriver,
served from the build's web folder on a loopback port of its own."""
import atexit
import base64
import io
import functools
import http.server
import os
import subprocess
import threading
import unittest
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Server:
    """Serves a folder on 127.0.0.1 at a free port until stopped, noting each
    file asked for and the bytes sent. `faults` makes a file fail: 404 (not
    found), 'drop' (the connection closed unanswered), 'damage' (some of its
    bytes changed on the way) or 'cut' (its second half lost); 'encoded'
    sends a gzipped file as gzip-encoded, for the browser to unpack."""

    def __init__(self, folder, port=0):
        self.requests, self.asked, self.bytes_sent, self.faults = [], [], 0, {}
        server = self

        class Handler(QuietHandler):
            def do_GET(self):
                name = self.path.split('?')[0].lstrip('/') or 'index.html'
                server.requests.append(name)
                server.asked.append(self.path)
                fault = server.faults.get(name)
                if fault == 404:
                    return self.send_error(404)
                if fault == 'drop':
                    self.close_connection = True
                    return
                if fault == 'encoded':  # a .gz file sent as gzip-encoded, as some servers do
                    with open(os.path.join(folder, name), 'rb') as f:
                        data = f.read()
                    self.send_response(200)
                    self.send_header('Content-Encoding', 'gzip')
                    self.send_header('Content-Length', str(len(data)))
                    self.end_headers()
                    self.wfile.write(data)
                    return
                if fault in ('damage', 'cut'):
                    with open(os.path.join(folder, name), 'rb') as f:
                        data = bytearray(f.read())
                    data[len(data) // 2:len(data) // 2 + 64] = bytes(64)
                    if fault == 'cut':
                        data = data[:len(data) // 2]
                    self.send_response(200)
                    self.send_header('Content-Length', str(len(data)))
                    self.end_headers()
                    self.wfile.write(data)
                    return
                super().do_GET()

            def copyfile(self, source, outputfile):
                data = source.read()
                server.bytes_sent += len(data)
                outputfile.write(data)

        handler = functools.partial(Handler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(('127.0.0.1', port), handler)
        self.port = self.httpd.server_address[1]
        self.url = 'http://127.0.0.1:%d/' % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


PROGRESS_WATCH = '''
    window.progressSeen = [];
    new MutationObserver(() => {
        const bar = document.getElementById('loading');
        const value = bar ? bar.getAttribute('aria-valuenow') : 'gone';
        const last = window.progressSeen[window.progressSeen.length - 1];
        if (!last || last[1] !== value) window.progressSeen.push([performance.now(), value]);
        if (bar && window.barFramed === undefined) {  // the first frame the bar is in
            window.barFramed = null;
            requestAnimationFrame(() => { window.barFramed = performance.now(); });
        }
    }).observe(document, {subtree: true, childList: true, attributes: true, attributeFilter: ['aria-valuenow']});'''


class Page:
    """One browser showing the page; every wait is bounded."""

    def __init__(self, url, timeout=30, phone=None, user_data=None, cpu_slowdown=None, warm=False, network=None,
                 first_frame=True, flags=()):
        """`phone` is (width, height, pixel ratio) in CSS pixels: the page is
        shown as a phone shows it, with touch. `user_data` keeps the browser's
        profile (its kept files) across browsers. `warm` shows the page's icon
        first, so that starting the browser's process for the site is not
        counted as the page's own start. `network` is (kbit/s down, kbit/s up,
        ms of latency) for the page to load over. Unless `first_frame` is
        false, the page is waited for until it draws. `flags` are the
        browser's, beyond its own and TARNVALE_BROWSER_FLAGS."""
        options = webdriver.ChromeOptions()
        options.binary_location = '/usr/bin/chromium'
        for flag in ('--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
                     '--window-size=1200,1000', '--no-first-run', '--disable-background-networking',
                     '--disable-component-update', '--disable-sync', '--disable-quic',
                     '--disable-background-timer-throttling', '--disable-renderer-backgrounding') + tuple(flags) + \
                tuple(os.environ.get('TARNVALE_BROWSER_FLAGS', '').split()):
            options.add_argument(flag)
        if user_data:
            options.add_argument('--user-data-dir=' + user_data)
        options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
        self.driver = webdriver.Chrome(service=Service('/usr/bin/chromedriver'), options=options)
        self.driver.set_script_timeout(timeout)
        self.driver.set_page_load_timeout(timeout)
        # What the loading bar shows, with when, from the first paint on;
        # the suite draws the program's frames at a pace of its own.
        every = int(os.environ.get('TARNVALE_FRAME_EVERY', '1'))
        self.cdp('Page.addScriptToEvaluateOnNewDocument',
                 source=PROGRESS_WATCH + '\n    window.tarnvaleFrameEvery = %d;' % every)
        self.sites, self.scripts = set(), []
        self.visit(url, phone, cpu_slowdown, warm, network, first_frame)

    def visit(self, url, phone=None, cpu_slowdown=None, warm=False, network=None, first_frame=True):
        """Opens `url` as Page() does, in this browser, leaving behind what an
        earlier visit set: its sites' kept files and workers, its
        emulations, its scripts for new documents, its console lines."""
        self.driver.get('about:blank')
        for site in self.sites:
            self.cdp('Storage.clearDataForOrigin', origin=site, storageTypes='all')
        self.sites.add('{0.scheme}://{0.netloc}'.format(urllib.parse.urlsplit(url)))  # an origin, cleared once
        for script in self.scripts:
            self.cdp('Page.removeScriptToEvaluateOnNewDocument', identifier=script)
        self.scripts = []
        self.cdp('Network.enable')
        self.cdp('Network.setCacheDisabled', cacheDisabled=False)
        self.cdp('Network.setBypassServiceWorker', bypass=False)
        self.cdp('Network.emulateNetworkConditions', offline=False, latency=0, downloadThroughput=-1,
                 uploadThroughput=-1)
        self.cdp('Emulation.setCPUThrottlingRate', rate=cpu_slowdown or 1)
        if phone:
            self.phone(*phone)
        else:
            self.cdp('Emulation.clearDeviceMetricsOverride')
            self.cdp('Emulation.setTouchEmulationEnabled', enabled=False)
        self.driver.set_window_size(1200, 1000)
        if warm:
            self.driver.get(url + 'icon.svg')
        if network:
            down, up, latency = network
            self.cdp('Network.emulateNetworkConditions', offline=False, latency=latency,
                     downloadThroughput=down * 125, uploadThroughput=up * 125)
        self.driver.get_log('browser')
        self.driver.get(url)
        if first_frame:  # running once the program has drawn its first frames
            self.frames_after(2, since=0)
        self.canvas = self.driver.find_element(By.ID, 'canvas')
        return self

    def on_new_document(self, source):
        """A script for every document until the next visit."""
        self.scripts.append(self.cdp('Page.addScriptToEvaluateOnNewDocument', source=source)['identifier'])

    def close(self):
        self.driver.quit()

    def cdp(self, command, **params):
        return self.driver.execute_cdp_cmd(command, params)

    def phone(self, width, height, ratio):
        """The screen of a phone held this way, with touch."""
        self.cdp('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=ratio,
                 mobile=True)
        self.cdp('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)

    def touch(self, kind, *points):
        """One real touch event: kind is Start, Move, End or Cancel, points
        the fingers still down, (x, y) in CSS pixels."""
        self.cdp('Input.dispatchTouchEvent', type='touch' + kind,
                 touchPoints=[{'x': x, 'y': y, 'id': i} for i, (x, y) in enumerate(points)])

    def wait_ms(self, ms):
        self.js('return new Promise(r => setTimeout(r, %d))' % ms)

    def center_of(self, selector):
        return self.js('const r = document.querySelector(arguments[0]).getBoundingClientRect();'
                       'return [r.left + r.width / 2, r.top + r.height / 2]', selector)

    def tap(self, selector):
        x, y = self.center_of(selector)
        self.touch('Start', (x, y))
        self.touch('End')

    def picture(self):
        return self.js("return document.getElementById('canvas').toDataURL()")

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def frames(self):
        return self.js('return Module._tarnvaleFrames()')

    def frames_after(self, count, since=None):
        """Waits until `count` more frames have been drawn."""
        return self.driver.execute_async_script('''
            const done = arguments[arguments.length - 1], count = arguments[0];
            const start = arguments[1] === null ? Module._tarnvaleFrames() : arguments[1];
            (function check() {
                let n = 0;
                try { n = Module._tarnvaleFrames(); } catch (e) {}
                if (n >= start + count) done(n); else requestAnimationFrame(check);
            })();''', count, since)

    def press(self, *keys):
        """Keys as the user types them, then two frames to show them."""
        ActionChains(self.driver).send_keys(*keys).perform()
        self.frames_after(2)

    def drag(self, dx, dy):
        """The left button from the middle of the canvas, moved by (dx, dy)."""
        ActionChains(self.driver).move_to_element(self.canvas).click_and_hold() \
            .move_by_offset(dx // 2, dy // 2).move_by_offset(dx - dx // 2, dy - dy // 2).release().perform()
        self.frames_after(2)

    def canvas_png(self, path):
        data = self.js("return document.getElementById('canvas').toDataURL('image/png')")
        with open(path, 'wb') as f:
            f.write(base64.b64decode(data.split(',', 1)[1]))

    def menu_labels(self):
        return [li.text for li in self.driver.find_elements(By.CSS_SELECTOR, '#menu li')]

    def choose_menu_entry(self, index):
        """Right button on the canvas, then entry `index` (from 1) of the menu."""
        ActionChains(self.driver).move_to_element_with_offset(self.canvas, -100, -100).context_click().perform()
        item = self.driver.find_elements(By.CSS_SELECTOR, '#menu li')[index - 1]
        assert item.is_displayed(), 'the menu did not open'
        ActionChains(self.driver).move_to_element(item).click().perform()
        self.frames_after(2)

    def console(self):
        return [entry['message'] for entry in self.driver.get_log('browser')
                if 'favicon.ico' not in entry['message']]


_shared = None


def shared_browser(url, **visit):
    """The one browser of this process, showing `url` (Page.visit's
    arguments): every case of a test file takes it, started once."""
    global _shared
    if _shared is None:
        _shared = Page(url, **visit)
        atexit.register(_shared.close)
        return _shared
    return _shared.visit(url, **visit)


class OneBrowser(unittest.TestCase):
    """The process's browser for the cases of a class, on its phone if PHONE
    is set; each case opens the page afresh."""
    PHONE = None

    @classmethod
    def setUpClass(cls):
        cls.server = Server(web_dir())
        cls.browser = shared_browser(cls.server.url, phone=cls.PHONE)

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def open(self):
        page = self.browser
        page.driver.refresh()
        page.frames_after(2, since=0)
        page.canvas = page.driver.find_element(By.ID, 'canvas')
        return page


def wait_for(page, condition, what):
    """Polls a script's condition at each animation frame, for at most 10 s."""
    ok = page.driver.execute_async_script('''
        const done = arguments[arguments.length - 1], test = new Function(arguments[0]), end = Date.now() + 10000;
        const holds = () => { try { return test(); } catch (e) { return false; } };
        (function check() { if (holds()) done(true); else if (Date.now() > end) done(false);
                            else requestAnimationFrame(check); })();''', 'return ' + condition)
    assert ok, 'timed out waiting for ' + what


def on_canvas_pixels(page, body, *args):
    """What `body` (a script's statements) returns from the canvas's pixels
    as the page shows them: `d` their RGBA bytes, `w` and `h` the size, and
    `args` as arguments[0...]."""
    return page.driver.execute_async_script('''const done = arguments[arguments.length - 1], image = new Image();
        image.onload = () => {
            const c = document.createElement('canvas');
            [c.width, c.height] = [image.width, image.height];
            const g = c.getContext('2d');
            g.drawImage(image, 0, 0);
            const [w, h, d] = [c.width, c.height, g.getImageData(0, 0, c.width, c.height).data];
            done((() => { %s })());
        };
        image.src = document.getElementById('canvas').toDataURL();''' % body, *args)


def differing_pixels(a, b, fuzz='6%'):
    """Pixels of two equal-sized pictures, scaled to a quarter by 4 x 4
    averaging, that differ by more than `fuzz`; and the number compared."""
    small = []
    for path in (a, b):
        out = path + '.quarter.png'
        subprocess.run(['convert', path, '-scale', '25%', out], check=True)
        small.append(out)
    result = subprocess.run(['compare', '-metric', 'AE', '-fuzz', fuzz, small[0], small[1], 'null:'],
                            capture_output=True, text=True)
    size = subprocess.run(['identify', '-format', '%w %h', small[0]], capture_output=True, text=True, check=True)
    w, h = map(int, size.stdout.split())
    return int(float(result.stderr.split()[0])), w * h


def pictures_apart(a, b):
    """Of two pictures as data URLs: how many pixels differ, by how much at
    most in any channel (of 255), and how many there are."""
    from PIL import Image, ImageChops
    decoded = [Image.open(io.BytesIO(base64.b64decode(p.split(',', 1)[1]))).convert('RGB') for p in (a, b)]
    apart = [max(p) for p in ImageChops.difference(*decoded).getdata()]
    return sum(1 for d in apart if d), max(apart, default=0), len(apart)


def web_dir():
    folder = os.environ['TARNVALE_WEB']
    if not os.path.exists(os.path.join(folder, 'index.html')):
        raise SystemExit('no page in %s: run make web first' % folder)
    return folder
