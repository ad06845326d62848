"""The desktop program in a window of the Xvfb this test runs in, driven
with xdotool and read with ImageMagick's import; every wait is bounded."""
import subprocess
import time


def run(*args):
    return subprocess.run(args, capture_output=True, text=True, check=True).stdout


def wait_until(check, seconds, what):
    deadline = time.monotonic() + seconds
    while not check():
        if time.monotonic() > deadline:
            raise AssertionError('timed out: ' + what)
        time.sleep(0.05)


class Desktop:
    def __init__(self, program, folder, name='^Tarnvale$'):
        """`program` started in `folder`, its window found by `name`."""
        self.process = subprocess.Popen([program], cwd=folder, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.window = run('timeout', '20', 'xdotool', 'search', '--sync', '--name', name).split()[0]
        run('xdotool', 'windowmove', '--sync', self.window, '10', '10')
        self.focus()
        info = run('xwininfo', '-id', self.window)
        field = lambda name: int(info.split(name + ':')[1].split()[0])
        self.crop = '%dx%d+%d+%d' % (field('Width'), field('Height'), field('Absolute upper-left X'),
                                     field('Absolute upper-left Y'))
        self.last = None

    def focus(self):
        run('xdotool', 'windowfocus', '--sync', self.window)

    def shot(self, path):
        run('import', '-window', 'root', '-crop', self.crop, '+repage', path)

    def settled_shot(self, path, changed=True):
        """A picture of the window once it shows something new (unless
        `changed` is false) and two pictures in a row agree."""
        previous = [None]

        def settled():
            self.shot(path)
            with open(path, 'rb') as f:
                data = f.read()
            same = data == previous[0]
            previous[0] = data
            return same and (not changed or data != self.last)

        wait_until(settled, 15, 'the window to settle on a new picture')
        self.last = previous[0]

    def key(self, *keys):
        run('xdotool', 'key', '--clearmodifiers', '--delay', '5', *keys)

    def drag(self, dx, dy):
        """The left button from the middle of the window, moved by (dx, dy)."""
        run('xdotool', 'mousemove', '--window', self.window, '400', '300', 'mousedown', '1',
            'mousemove', '--window', self.window, str(400 + dx // 2), str(300 + dy // 2),
            'mousemove', '--window', self.window, str(400 + dx), str(300 + dy), 'mouseup', '1',
            'mousemove', '--window', self.window, '900', '700')

    def choose_menu_entry(self, index):
        run('xdotool', 'mousemove', '--window', self.window, '300', '200', 'mousedown', '3')
        run('timeout', '10', 'xdotool', 'search', '--sync', '--onlyvisible', '--name', '^freeglut menu$')
        run('xdotool', 'mousemove', '--window', self.window, '320', str(200 + 26 * index - 14))
        run('xdotool', 'mouseup', '3')
        wait_until(lambda: subprocess.run(['xdotool', 'search', '--onlyvisible', '--name', '^freeglut menu$'],
                                          capture_output=True).returncode != 0, 10, 'the menu to close')
        run('xdotool', 'mousemove', '--window', self.window, '900', '700')  # off the picture

    def quit(self):
        self.key('q')
        self.out, self.err = self.process.communicate(timeout=10)
        return self.process.returncode
