"""The page against the desktop window, view by view, through every key and
input path: scaled to a quarter, the share of pixels that differ by more than
6% must stay under each view's allowance, set just above what the page
measures, so that small and mirror-image faults show.
    TARNVALE_WEB=build/web xvfb-run -a python3 test_fidelity.py PROGRAM TEXTURES"""
import os
import sys
import tempfile
import unittest

from desktop import Desktop
from page import Page, Server, differing_pixels, web_dir

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
            self.assertEqual(desktop.quit(), 0)
        finally:
            page.close()
            server.stop()
        self.assertEqual(failures, [])


if __name__ == '__main__':
    PROGRAM, TEXTURES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
