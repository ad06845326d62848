"""The page against the desktop window at the same five views: scaled to a
quarter, at most 2% of the pixels may differ by more than 6%.
    TARNVALE_WEB=build/web xvfb-run -a python3 test_fidelity.py PROGRAM TEXTURES"""
import os
import sys
import tempfile
import unittest

from desktop import Desktop
from page import Page, Server, differing_pixels, web_dir

# Each view follows from the one before it.
VIEWS = [
    ('start', []),
    ('twelve steps in, wallpaper and floor', ['Up'] * 12 + ['1', '2']),
    ('outside', 'menu 2'),
    ('outside, orthographic', ['p']),
    ('perspective again, untextured', ['p', 't']),
]
BROWSER_KEYS = {'Up': '\ue013'}  # Selenium's arrow up


class FidelityTest(unittest.TestCase):
    def test_five_views_match_the_desktop(self):
        work = tempfile.mkdtemp()
        desktop = Desktop(PROGRAM, TEXTURES)
        server = Server(web_dir())
        page = Page(server.url)
        try:
            for number, (name, steps) in enumerate(VIEWS):
                if steps == 'menu 2':
                    desktop.choose_menu_entry(2)
                    page.choose_menu_entry(2)
                elif steps:
                    desktop.key(*steps)
                    page.press(*[BROWSER_KEYS.get(k, k) for k in steps])
                ours, theirs = os.path.join(work, 'desktop%d.png' % number), os.path.join(work, 'page%d.png' % number)
                desktop.settled_shot(ours)
                page.canvas_png(theirs)
                differ, total = differing_pixels(ours, theirs)
                print('%-32s %5d of %d quarter-size pixels differ (%.2f%%)' % (name, differ, total, 100 * differ / total))
                self.assertLessEqual(differ, 0.02 * total, '%s: see %s and %s' % (name, ours, theirs))
            self.assertEqual(desktop.quit(), 0)
        finally:
            page.close()
            server.stop()


if __name__ == '__main__':
    PROGRAM, TEXTURES = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    unittest.main(argv=sys.argv[:1], verbosity=2)
