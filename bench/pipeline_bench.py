"""What a frame costs the page against the native program, side by side in
one run, for the heaviest programs: crowd, teapots and the house. Natively,
under Xvfb on Mesa's llvmpipe, each program draws its frame over and over
(native_rate.so, preloaded) and the time a frame takes is printed. On the
page, in headless Chromium with SwiftShader, the frame is asked for at every
animation frame, lit in WebGL's vertex shader (the page's way) and then with
every vertex lit on the main thread: the frames drawn a second, and the main
thread's time a frame (the program's display and the WebGL calls it makes).
    xvfb-run -a python3 pipeline_bench.py BUILD_DIR [SECONDS]"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from page import Page, Server  # noqa: E402

build = os.path.abspath(sys.argv[1])
SECONDS = float(sys.argv[2]) if len(sys.argv) > 2 else 5
PROGRAMS = [  # name, the native program and where it runs, its page
    ('crowd', 'examples/crowd', '.', 'examples/crowd/'),
    ('teapots', 'examples/teapots', '.', 'examples/teapots/'),
    ('house', 'tarnvale', 'run', ''),
]
# Asks for a frame at every animation frame, as an idle callback that posts
# a redisplay would; the program's own idle callback is left as it is.
SPIN = '''window.spinning = true;
          (function spin() { if (!window.spinning) return; Module._tarnvaleShaderLighting(window.lit);
                             requestAnimationFrame(spin); })();'''
COUNTERS = 'return [Module._tarnvaleFrames(), Module._tarnvaleFrameMilliseconds(), performance.now()]'

work = tempfile.mkdtemp()
shim = os.path.join(work, 'native_rate.so')
subprocess.run(['cc', '-O2', '-shared', '-fPIC', '-o', shim,
                os.path.join(os.path.dirname(os.path.abspath(__file__)), 'native_rate.c'), '-ldl'], check=True)


def native(program, cwd):
    run = subprocess.run([os.path.join(build, program)], cwd=os.path.join(build, cwd), capture_output=True, text=True,
                         timeout=120, env=dict(os.environ, LD_PRELOAD=shim, TARNVALE_FRAMES='300'))
    return float(run.stdout.split()[0])


server = Server(os.path.join(build, 'web'))
page = None
print('%-8s %18s %36s %36s' % ('', 'native (llvmpipe)', 'page, lit in the vertex shader', 'page, lit on the main thread'))
for name, program, cwd, url in PROGRAMS:
    ms = native(program, cwd)
    if page is None:
        page = Page(server.url + url, first_frame=False)
    else:
        page.visit(server.url + url, first_frame=False)
    page.frames_after(1, since=0)
    page.js('window.lit = 1;' + SPIN)
    cells = []
    for lit in (1, 0):
        page.js('window.lit = %d' % lit)
        page.wait_ms(1000)
        start = page.js(COUNTERS)
        page.wait_ms(SECONDS * 1000)
        end = page.js(COUNTERS)
        frames = end[0] - start[0]
        cells.append('%5.1f fps, %5.2f ms main thread' % (frames / ((end[2] - start[2]) / 1000),
                                                         (end[1] - start[1]) / max(frames, 1)))
    page.js('window.spinning = false')
    print('%-8s %11.2f ms a frame %36s %36s' % (name, ms, cells[0], cells[1]), flush=True)
page.close()
server.stop()
