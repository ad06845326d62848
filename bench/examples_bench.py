"""The heaviest example, crowd (48 spheres lit by two lights, on an idle
callback), drawn natively under Xvfb by Mesa's llvmpipe and as its page in
headless Chromium, one after the other on the same display: the frames a
second each prints (gears-style, every five seconds) and the page's share
of the native rate.
    xvfb-run -a python3 examples_bench.py build/examples/crowd build/web"""
import os
import re
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server  # noqa: E402

SECONDS = 16  # three reports; the first, with the start, is left out


def rates(text):
    return [float(f) for f in re.findall(r'= ([0-9.]+) FPS', text)][1:]


program, web = sys.argv[1], sys.argv[2]
native = subprocess.Popen([program], stdout=subprocess.PIPE, text=True)
time.sleep(SECONDS)
native.terminate()
desktop = rates(native.communicate(timeout=10)[0])

server = Server(os.path.join(web, 'examples'))
page = Page(server.url + 'crowd/', first_frame=False)
time.sleep(SECONDS)
on_page = rates(page.js('return document.getElementById("output").textContent'))
page.close()
server.stop()

if not desktop or not on_page:
    raise SystemExit('no frame rates: desktop %s, page %s' % (desktop, on_page))
mean = lambda r: sum(r) / len(r)
print('crowd, 640 x 480: natively %s fps, on the page %s fps; the page draws %.2f times the native rate'
      % (', '.join('%.1f' % r for r in desktop), ', '.join('%.1f' % r for r in on_page), mean(on_page) / mean(desktop)))
