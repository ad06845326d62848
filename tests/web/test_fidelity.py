"""The page against the desktop window, view by view, through every key and
input path: scaled to a quarter, the share of pixels that differ by more than
6% must stay under each view's allowance, set just above what the page
measures, so that small and mirror-image faults show. The page's frame saved
as C by its inspector, built and run here, draws the desktop's window pixel
for pixel: as the program drew it, and with the door's angle edited to the
angle the desktop reaches with the keys.
    TARNVALE_WEB=build/web xvfb-run -a python3 test_fidelity.py PROGRAM TEXTURES"""
import glob
import os
import re
import struct
import subprocess
import sys
import tarfile
import tempfile
import time
import unittest

from selenium.webdriver.common.by import By

from desktop import Desktop
from page import Page, Server, differing_pixels, wait_for, web_dir

# Each view follows from the one before it: (name, input, whether the
# picture changes, allowance in % of the quarter-size pixels). Input is keys
# by their X names, ('menu', entry) or ('drag', dx, dy) from the middle.
VIEWS = [
    ('start', [], True, 0.25),
    ('door swung', ['3'] * 30, True, 0.2),
    ('twelve steps in, wallpaper and floor', ['Up'] * 12 + ['1', '2'], True, 0.3),
    ('close to the staircase', ['Up'] * 22, True, 0.1),
    ('turned right', ['Right'] * 22, True, 0.2),
    ('turned left, the furniture', ['Left'] * 10, True, 0.8),
    ('untextured', ['t'], True, 0.6),
    ('untextured, unlit', ['l'], True, 0.6),
    ('depth test off', ['d'], True, 0.5),
    ('depth test on, winding flipped', ['d', 'f'], True, 0.6),
    ('zoomed in', ['z'] * 3, True, 0.7),
    ('zoomed out', ['x'] * 5, True, 0.35),
    ('dragged', ('drag', 60, 120), True, 0.25),
    ('orthographic', ['p'], True, 0.1),
    ('outside', ('menu', 2), True, 0.1),
    ('perspective again, textured', ['p', 't'], True, 0.1),
]
BROWSER_KEYS = {'Up': '\ue013', 'Down': '\ue015', 'Left': '\ue012', 'Right': '\ue014'}  # Selenium's arrows


# The door turned to the angle 30 presses of 3 give the desktop.
DOOR_AT_60 = ("const s = Inspector.steps.find(s => s.text === 'glRotatef(30, 0, 1, 0)' && s.chain.some((f) => f.name === 'drawDoorLeaf'));"
              "Inspector.edit(false, s.first, 'glRotatef', [60, 0, 1, 0])")


def saved_frame(page, folder, edit=None):
    """The page's frame saved as C by the inspector (after `edit`, a
    script), unpacked into `folder` and built: the program's path."""
    os.makedirs(folder)
    page.cdp('Browser.setDownloadBehavior', behavior='allow', downloadPath=folder)
    page.driver.find_element(By.ID, 'inspect').click()
    wait_for(page, "document.querySelector('#inspector li[aria-current]') !== null", 'the inspector')
    if edit:
        page.js(edit)
    page.driver.find_element(By.CSS_SELECTOR, '[aria-label="save the frame as C"]').click()
    given = page.js('''const n = Module._inspectCallCount(), count = _malloc(4), out = [];
        for (let i = 0; i < n; i++)
            if (UTF8ToString(Module._inspectCallName(i)) === 'glVertex3f') {
                const a = Module._inspectCallArgs(i, count) >> 3;
                out.push([HEAPF64[a], HEAPF64[a + 1], HEAPF64[a + 2]]);
            }
        _free(count);
        return out;''')
    archive = os.path.join(folder, 'tarnvale-frame.tar.gz')
    deadline = time.monotonic() + 20
    while not os.path.exists(archive) or glob.glob(folder + '/*.crdownload'):
        assert time.monotonic() < deadline, 'no archive was saved'
        time.sleep(0.05)
    page.driver.find_element(By.CSS_SELECTOR, '[aria-label="back to the house"]').click()
    with tarfile.open(archive) as tar:
        names = sorted(tar.getnames())
        tar.extractall(folder)
    frame = os.path.join(folder, 'tarnvale-frame')
    assert {'tarnvale-frame/frame.c', 'tarnvale-frame/Makefile'} < set(names), names
    assert any(n.endswith('.bmp') for n in names), names
    # Every vertex reads back as the very float the program gave.
    with open(os.path.join(frame, 'frame.c')) as f:
        written = [[struct.unpack('f', struct.pack('f', float(x.strip().rstrip('f'))))[0] for x in args.split(',')]
                   for args in re.findall(r'glVertex3f\(([^)]*)\);', f.read())]
    assert written == given, 'the vertices do not read back as they were given'
    built = subprocess.run(['make', '-C', frame], capture_output=True, text=True)
    assert built.returncode == 0 and 'warning' not in built.stderr, built.stderr
    return os.path.join(frame, 'frame')


def frame_differs(program, desktop_shot):
    """The pixels of the saved frame's window that differ from the desktop's,
    and what it said on stderr."""
    frame = Desktop(program, os.path.dirname(program), name='^Tarnvale frame$')
    shot = program + '.png'
    try:
        frame.settled_shot(shot)
    finally:
        assert frame.quit() == 0
    result = subprocess.run(['compare', '-metric', 'AE', desktop_shot, shot, 'null:'], capture_output=True, text=True)
    return int(float(result.stderr.split()[0])), frame.err.decode()


class FidelityTest(unittest.TestCase):
    def test_every_input_matches_the_desktop(self):
        work = tempfile.mkdtemp()
        desktop = Desktop(PROGRAM, TEXTURES)
        server = Server(web_dir())
        page = Page(server.url)
        failures = []
        try:
            for number, (name, steps, changes, allowance) in enumerate(VIEWS):
                if steps and steps[0] == 'menu':
                    desktop.choose_menu_entry(steps[1])
                    page.choose_menu_entry(steps[1])
                elif steps and steps[0] == 'drag':
                    desktop.drag(*steps[1:])
                    page.drag(*steps[1:])
                elif steps:
                    desktop.key(*steps)
                    page.press(*[BROWSER_KEYS.get(k, k) for k in steps])
                ours, theirs = os.path.join(work, 'desktop%d.png' % number), os.path.join(work, 'page%d.png' % number)
                desktop.settled_shot(ours, changes)
                page.canvas_png(theirs)
                differ, total = differing_pixels(ours, theirs)
                share = 100 * differ / total
                print('%-36s %5d of %d quarter-size pixels differ (%.2f%%, allowed %.2f%%)'
                      % (name, differ, total, share, allowance))
                if share > allowance:
                    failures.append('%s: %.2f%% differ, see %s and %s' % (name, share, ours, theirs))
                if name == 'start':
                    saved = saved_frame(page, os.path.join(work, 'saved'))
                    edited = saved_frame(page, os.path.join(work, 'edited'), DOOR_AT_60)
                    self.assertEqual(frame_differs(saved, ours), (0, ''), 'the saved frame is not the program\'s')
                    # A texture file gone and one damaged: each named, the frame drawn without them.
                    os.remove(os.path.join(os.path.dirname(saved), 'door.bmp'))
                    with open(os.path.join(os.path.dirname(saved), 'window.bmp'), 'r+b') as f:
                        f.truncate(100)
                    differ, said = frame_differs(saved, ours)
                    self.assertGreater(differ, 0)
                    self.assertEqual(sorted(said.splitlines()), ['door.bmp: cannot be opened',
                                                                 'window.bmp: damaged: its pixels end early'])
                    desktop.focus()
                if name == 'door swung':
                    self.assertEqual(frame_differs(edited, ours), (0, ''), 'the saved, edited frame is not the desktop\'s')
                    desktop.focus()
            self.assertEqual(desktop.quit(), 0)
        finally:
            page.close()
            server.stop()
        self.assertEqual(failures, [])


if __name__ == '__main__':
    PROGRAM, TEXTURES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
