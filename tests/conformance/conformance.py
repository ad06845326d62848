"""The differential tester: random GL 1.1 programs (generate.py), each run
on the desktop under Mesa and on the page, their pictures and every value
they asked for compared. Pictures agree when at most 1% of the pixels
differ by more than 6%, values when they are the same number to a part in
ten thousand. For each program that differs, the smallest program made of
its moves that still differs is printed as C.
    xvfb-run -a python3 conformance.py RUNNER PAGE_DIR [--seeds FIRST:LAST] [--shrink N]
RUNNER is the runner built for the desktop, PAGE_DIR the folder of the
runner's page (runner.js, runner.wasm, harness.html)."""
import argparse
import concurrent.futures
import math
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, '..', 'web'))

import generate  # noqa: E402

BATCH = 40  # programs a call into the page


def parse(text):
    """A program's output: its values by call, and its picture."""
    values, picture, other = {}, None, []
    for line in text.splitlines():
        if line.startswith('pixels '):
            _, w, h, hexes = line.split(' ', 3)
            picture = (int(w), int(h), bytes.fromhex(hexes))
        elif line and line[0].isdigit():
            number, rest = line.split(' ', 1)
            values[int(number)] = rest
        elif line and line != 'program':
            other.append(line)
    return values, picture, other


def split_programs(text):
    return ['program' + p for p in text.split('program')[1:]]


def run_native(runner, programs):
    with tempfile.NamedTemporaryFile('w', suffix='.txt', delete=False) as f:
        f.write(''.join(p.runner_text() for p in programs))
    try:
        result = subprocess.run([runner, f.name], capture_output=True, text=True, timeout=30 + len(programs),
                                env=dict(os.environ, LP_NUM_THREADS='1'))
    finally:
        os.unlink(f.name)
    outputs = split_programs(result.stdout)
    if len(outputs) != len(programs):
        raise SystemExit('the desktop runner stopped after %d of %d programs: %s' %
                         (len(outputs), len(programs), result.stderr[-2000:]))
    return outputs


class PageRunner:
    def __init__(self, folder):
        from page import Page, Server
        self.server = Server(folder)
        self.page = Page(self.server.url + 'harness.html', first_frame=False, timeout=120)

    def run(self, programs):
        outputs = []
        for i in range(0, len(programs), BATCH):
            texts = [p.runner_text() for p in programs[i:i + BATCH]]
            outputs += self.page.driver.execute_async_script(
                'runPrograms(arguments[0]).then(arguments[arguments.length - 1])', texts)
        return outputs

    def close(self):
        self.page.close()
        self.server.stop()


def same_numbers(a, b):
    wa, wb = a.split(), b.split()
    if len(wa) != len(wb):
        return False
    for x, y in zip(wa, wb):
        if x == y:
            continue
        try:
            fx, fy = float(x), float(y)
        except ValueError:
            return False
        if not math.isclose(fx, fy, rel_tol=1e-4, abs_tol=1e-4):
            return False
    return True


def differing_pixels(a, b, near=False):
    """Pixels more than 6% apart (the distance of their colours, as a share
    of black to white), and the pixels compared. With `near`, a pixel
    agrees with any of the other picture's within a pixel of it, either way
    round (see LIMITS: one-pixel lines)."""
    (w, h, pa), (_, _, pb) = a, b
    limit = (0.06 * 255) ** 2 * 3

    def apart(p, i, q, j):
        return (p[i] - q[j]) ** 2 + (p[i + 1] - q[j + 1]) ** 2 + (p[i + 2] - q[j + 2]) ** 2 > limit

    def around(x, y):
        return [3 * (v * w + u) for v in range(max(0, y - 1), min(h, y + 2)) for u in range(max(0, x - 1), min(w, x + 2))]

    n = 0
    for y in range(h):
        for x in range(w):
            i = 3 * (y * w + x)
            if not apart(pa, i, pb, i):
                continue
            if near and (any(not apart(pa, i, pb, j) for j in around(x, y)) and
                         any(not apart(pb, i, pa, j) for j in around(x, y))):
                continue
            n += 1
    return n, w * h


def draws_lines(calls):
    """Whether a program draws lines or points: a primitive of them, an
    outline, a wire shape."""
    for name, args in calls:
        if name == 'glutWireCube' or (name == 'glPolygonMode' and args[1].names[0] != 'GL_FILL'):
            return True
        if name in ('glBegin', 'glDrawArrays', 'glDrawElements') and args[0].names[0] in (
                'GL_POINTS', 'GL_LINES', 'GL_LINE_STRIP', 'GL_LINE_LOOP'):
            return True
    return False


def asks(getters, *pnames, unless_mode=None):
    """A call that is one of `getters` asking for one of `pnames` (in a
    window whose display mode lacks `unless_mode`)."""
    values = {generate.ENUMS[p] for p in pnames}
    return lambda name, args, mode: (name in getters and isinstance(args[0], generate.E) and
                                     args[0].value() in values and unless_mode not in mode.names)


# Where Mesa departs from GL 1.1, the tester takes GL 1.1's side: an
# exception names the calls it concerns and why; their values are not
# compared (the README lists them).
EXCEPTIONS = [
    ('matrices as integers', asks({'glGetIntegerv'}, 'GL_MODELVIEW_MATRIX', 'GL_PROJECTION_MATRIX', 'GL_TEXTURE_MATRIX'),
     'Mesa maps a matrix to integers as it maps colours (1 to 2^31 - 1); GL 1.1 rounds it'),
    ('masks as floating point', asks({'glGetFloatv', 'glGetDoublev'}, 'GL_STENCIL_VALUE_MASK', 'GL_STENCIL_WRITEMASK',
                                     'GL_INDEX_WRITEMASK'),
     'Mesa keeps the masks as signed integers: all ones reads -1; GL 1.1 keeps them unsigned'),
    ('feedback under flat shading', lambda name, args, mode: False,
     'Mesa gives each vertex its own colour in the feedback buffer; GL 1.1 shades the face flat before it is '
     'reported, as the page does: such feedback is compared by its coordinates'),
    ('points of clipped polygons', lambda name, args, mode: False,
     'Mesa cuts a polygon drawn as points into triangles before it clips them, and a triangle cut where its '
     'inner edge crosses the cut gives a point there too; GL 1.1 clips the polygon whole, as the page does: such '
     "feedback is compared by the page's points being among the desktop's, the desktop's others on the cut"),
    ('a stencil buffer not asked for', asks({'glGetIntegerv', 'glGetFloatv', 'glGetDoublev', 'glGetBooleanv'},
                                            'GL_STENCIL_VALUE_MASK', 'GL_STENCIL_WRITEMASK', 'GL_STENCIL_BITS',
                                            unless_mode='GLUT_STENCIL'),
     "freeglut's window under Xvfb has a stencil buffer of 8 bits whatever the display mode, so its masks are 8 bits"),
]


# What the page does not do as GL 1.1 says, and the programs therefore
# avoid (the README lists these too).
LIMITS = [
    ('one-pixel lines and points', "WebGL's own: where a line runs along the pixels' edges it may light the "
     'pixels beside those of GL 1.1\'s diamond rule, so in a program that draws lines or points a pixel agrees '
     'with the other picture\'s pixels around it'),
    ('GL_CLAMP with one filter linear and the other nearest', 'WebGL 1 tells a shader nothing of minifying, so the '
     "border is weighed in by the magnification filter alone: the programs give a clamped texture filters of one kind"),
]


def excepted(call, mode):
    return next((name for name, applies, _ in EXCEPTIONS if applies(call[0], call[1], mode)), None)


VERTEX_SIZE = {'GL_2D': 2, 'GL_3D': 3, 'GL_3D_COLOR': 7, 'GL_3D_COLOR_TEXTURE': 11, 'GL_4D_COLOR_TEXTURE': 12}
TOKENS = {generate.ENUMS[t]: t for t in ('GL_PASS_THROUGH_TOKEN', 'GL_POINT_TOKEN', 'GL_LINE_TOKEN', 'GL_POLYGON_TOKEN',
                                         'GL_BITMAP_TOKEN', 'GL_DRAW_PIXEL_TOKEN', 'GL_COPY_PIXEL_TOKEN',
                                         'GL_LINE_RESET_TOKEN')}


def feedback_shapes(values, size, flat=False):
    """A feedback buffer as what it holds: the points, the lines (either
    way round, the reset token as a line's) and the corners of polygons
    (whatever triangles they were cut into), each rounded to a hundredth."""
    out, k, area = {'points': [], 'lines': [], 'corners': set(), 'other': []}, 0, 0.0
    kept = {2: 2, 3: 3, 7: 3, 11: 3, 12: 4}[size] if flat else size  # flat: coordinates alone
    vertex = lambda at: tuple(round(v, 2) for v in values[at:at + kept])
    while k < len(values):
        token = TOKENS.get(int(values[k]), 'unknown')
        if token in ('GL_POINT_TOKEN', 'GL_BITMAP_TOKEN', 'GL_DRAW_PIXEL_TOKEN', 'GL_COPY_PIXEL_TOKEN'):
            out['points'].append((token, vertex(k + 1)))
            k += 1 + size
        elif token in ('GL_LINE_TOKEN', 'GL_LINE_RESET_TOKEN'):
            out['lines'].append(tuple(sorted([vertex(k + 1), vertex(k + 1 + size)])))
            k += 1 + 2 * size
        elif token == 'GL_POLYGON_TOKEN':
            n = int(values[k + 1])
            corners = [vertex(k + 2 + i * size) for i in range(n)]
            out['corners'].update(corners)
            area += abs(sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(corners, corners[1:] + corners[:1]))) / 2
            k += 2 + n * size
        else:
            out['other'].append(values[k:k + 2])
            k += 2
    return sorted(out['points']), sorted(out['lines']), out['corners'], out['other'], area


def among(page, desktop, planes):
    """The page's points all among the desktop's, the desktop's others on a
    cut: the window's edges or its depth range's, or a user clip plane's."""
    extra = list(desktop)
    for p in page:
        if p not in extra:
            return False
        extra.remove(p)
    on_cut = lambda v: (planes or min(v[0], v[1]) < 0.01 or max(v[0], v[1]) > 63.99 or
                        (len(v) > 2 and not 0.01 < v[2] < 0.99))
    return all(on_cut(v) for _, v in extra)


def same_feedback(a, b, size, planes, flat, pointed=False):
    """Mesa cuts polygons into triangles of its own choosing and gives
    GL_LINE_TOKEN where GL 1.1 resets the stipple: the shapes are compared.
    `pointed`: polygons drawn as points, of which Mesa's triangles, clipped,
    give points on the cut that GL 1.1's whole polygon does not."""
    wa, wb = a.split(), b.split()
    if wa[:2] != wb[:2] and (len(wa) < 2 or wa[1] == 'overflow'):
        return False
    (pa, la, ca, oa, area_a), (pb, lb, cb, ob, area_b) = [feedback_shapes([float(v) for v in w[2:]], size, flat)
                                                          for w in (wa, wb)]
    # Polygons cut by the view volume, Mesa's triangles cut another way:
    # the same area, and the corners not made by the cut the same (where no
    # user clip plane cuts them too, at corners of its own).
    uncut = lambda corners: {c for c in corners if all(0.01 < v < 0.99 for v in c[2:3]) and
                             0.01 < c[0] < 63.99 and 0.01 < c[1] < 63.99}
    same_points = pa == pb or (pointed and among(pb, pa, planes))
    return (same_points and la == lb and oa == ob and (planes or uncut(ca) == uncut(cb)) and
            math.isclose(area_a, area_b, rel_tol=0.005, abs_tol=0.5))


def feedback_sizes(calls):
    """For each glRenderMode that leaves feedback, the size of a vertex."""
    sizes, size, mode = {}, 0, None
    for k, (name, args) in enumerate(calls):
        if name == 'glFeedbackBuffer':
            size = VERTEX_SIZE[args[1].names[0]]
        elif name == 'glRenderMode':
            if mode == 'GL_FEEDBACK':
                sizes[k] = size
            mode = args[0].names[0]
    return sizes


def differences(program, native, page):
    """What differs between the two outputs of `program`, in words."""
    nv, npic, nother = parse(native)
    pv, ppic, pother = parse(page)
    found = []
    calls = program.calls()
    fed = feedback_sizes(calls)
    planes = any(name == 'glEnable' and args[0].names[0].startswith('GL_CLIP_PLANE') for name, args in calls)
    flat = any(name == 'glShadeModel' and args[0].names[0] == 'GL_FLAT' for name, args in calls)
    pointed = any(name == 'glPolygonMode' and args[1].names[0] == 'GL_POINT' for name, args in calls)
    for k in sorted(set(nv) | set(pv)):
        a, b = nv.get(k), pv.get(k)
        if a is not None and b is not None and k in fed and same_feedback(a, b, fed[k], planes, flat, pointed):
            continue
        if (a is None or b is None or not same_numbers(a, b)) and not (k < len(calls) and excepted(calls[k], program.mode)):
            name = calls[k][0] if k < len(calls) else '?'
            found.append('call %d (%s): desktop %s, page %s' % (k, name, a, b))
    if pother:
        found.append('the page said: ' + '; '.join(pother[:3]))
    if npic is None or ppic is None:
        found.append('no picture from the %s' % ('desktop' if npic is None else 'page'))
    else:
        n, total = differing_pixels(npic, ppic, draws_lines(calls))
        if n > total * 0.01:
            found.append('%d of %d pixels differ' % (n, total))
    return found


def save_pictures(folder, program, native, page):
    """The two pictures of a program as PNG files, eight times as large."""
    from PIL import Image
    os.makedirs(folder, exist_ok=True)
    for side, text in (('desktop', native), ('page', page)):
        picture = parse(text)[1]
        if picture:
            w, h, rgb = picture
            image = Image.frombytes('RGB', (w, h), rgb).transpose(Image.FLIP_TOP_BOTTOM).resize((w * 8, h * 8))
            image.save(os.path.join(folder, '%d-%s.png' % (program.seed, side)))


def compare(runner, page, programs, pictures=None):
    # The desktop's run beside the page's: each takes a core.
    with concurrent.futures.ThreadPoolExecutor(1) as pool:
        desktop = pool.submit(run_native, runner, programs)
        pages = page.run(programs)
        natives = desktop.result()
    if pictures:
        for p, a, b in zip(programs, natives, pages):
            save_pictures(pictures, p, a, b)
    return [differences(p, a, b) for p, a, b in zip(programs, natives, pages)]


def shrink(runner, page, program):
    """The fewest of the program's moves that still differ, its projection
    and first clear kept."""
    moves = list(program.moves)
    kept = [m for m in moves if m in program.moves[:3] and m[0][0] in ('glMatrixMode', 'glClearColor')]
    while True:
        candidates = [generate.Program(program.seed, moves[:i] + moves[i + 1:], program.mode)
                      for i in range(len(moves)) if moves[i] not in kept]
        found = compare(runner, page, candidates)
        smaller = next((c for c, d in zip(candidates, found) if d), None)
        if not smaller:
            return generate.Program(program.seed, moves, program.mode)
        moves = smaller.moves


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('runner')
    parser.add_argument('page')
    parser.add_argument('--seeds', default='0:200')
    parser.add_argument('--only', help='seeds, comma-separated, in place of --seeds')
    parser.add_argument('--also', default='', help='seeds, comma-separated, run besides --seeds')
    parser.add_argument('--shrink', type=int, default=3, help='how many differing programs to make smallest')
    parser.add_argument('--pictures', help='a folder for the pictures of the smallest programs')
    args = parser.parse_args()
    first, last = map(int, args.seeds.split(':'))
    seeds = [int(s) for s in args.only.split(',')] if args.only else list(range(first, last))
    seeds += [int(s) for s in args.also.split(',') if s and int(s) not in seeds]
    programs = [generate.program(s) for s in seeds]
    start = time.monotonic()
    page = PageRunner(args.page)
    try:
        found = compare(args.runner, page, programs)
        differing = [(p, d) for p, d in zip(programs, found) if d]
        print('%d of %d programs agree (seeds %d to %d, %.1f s)' %
              (len(programs) - len(differing), len(programs), first, last - 1, time.monotonic() - start))
        for p, d in differing[:args.shrink]:
            small = shrink(args.runner, page, p)
            again = compare(args.runner, page, [small], args.pictures)[0]
            print('\nprogram %d differs: %s' % (p.seed, '; '.join(again or d)))
            print(small.c_text())
        for p, d in differing[args.shrink:]:
            print('program %d differs: %s' % (p.seed, '; '.join(d)))
    finally:
        page.close()
    return 1 if differing else 0


if __name__ == '__main__':
    sys.exit(main())
