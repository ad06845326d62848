"""Random but valid GL 1.1 programs: each a list of moves, a move a few
calls that belong together (a state change of some chapter, a primitive, a
list, arrays, pixels, selection, feedback, a push and its pop, glGet of what
was set). The same seed gives the same program. A program is written for
the runner (numbers only) or as C (GL's names), from the same calls."""
import math
import random
import re

GL_H = '/usr/include/GL/gl.h'


def _enums():
    values = {}
    for header in (GL_H, '/usr/include/GL/freeglut_std.h'):
        with open(header) as f:
            for name, value in re.findall(r'#define\s+((?:GL|GLUT)_\w+)\s+(0x[0-9A-Fa-f]+|\d+)\b', f.read()):
                values.setdefault(name, int(value, 0))
    return values


ENUMS = _enums()


class E:
    """GL's name for a number, or several joined by |."""

    def __init__(self, *names):
        self.names = names

    def value(self):
        v = 0
        for n in self.names:
            v |= ENUMS[n]
        return v

    def c(self):
        return ' | '.join(self.names)


class Arr:
    """An array of `kind` (f, d, i, u, b, s, S, B) elements."""

    def __init__(self, kind, values):
        self.kind, self.values = kind, list(values)


class Out:
    """The buffer a query writes, `count` values of which are compared."""

    def __init__(self, count):
        self.count = count


class Raw:
    def __init__(self, text, c):
        self.text, self.ctext = text, c


SELECT, FEEDBACK, QUADRIC = Raw('@select', 'selectBuffer'), Raw('@feedback', 'feedbackBuffer'), Raw('Q', 'quadric')

C_TYPES = {'f': 'GLfloat', 'd': 'GLdouble', 'i': 'GLint', 'u': 'GLuint', 'b': 'GLubyte', 's': 'GLshort',
           'S': 'GLushort', 'B': 'GLbyte'}


def number(v):
    return ('%d' % v) if isinstance(v, int) else ('%.6g' % v)


def runner_arg(a):
    if isinstance(a, E):
        return str(a.value())
    if isinstance(a, Arr):
        return '%s[ %s ]' % (a.kind, ' '.join(number(v) for v in a.values))
    if isinstance(a, Out):
        return '#%d' % a.count
    if isinstance(a, Raw):
        return a.text
    return number(a)


def c_arg(a):
    if isinstance(a, E):
        return a.c()
    if isinstance(a, Arr):
        return '(const %s[]){%s}' % (C_TYPES[a.kind], ', '.join(number(v) for v in a.values))
    if isinstance(a, Out):
        return 'out'
    if isinstance(a, Raw):
        return a.ctext
    return number(a)


class Program:
    def __init__(self, seed, moves, mode, size=64):
        self.seed, self.moves, self.mode, self.size = seed, moves, mode, size

    def calls(self):
        return [c for m in self.moves for c in m]

    def runner_text(self):
        lines = ['program %d %d %d' % (self.size, self.size, self.mode.value())]
        lines += [' '.join([name] + [runner_arg(a) for a in args]) for name, args in self.calls()]
        return '\n'.join(lines + ['end', ''])

    def c_text(self):
        body = []
        for name, args in self.calls():
            kind = out_kind(name)
            text = '%s(%s)' % (name, ', '.join(c_arg(a).replace('out', 'out_' + kind) for a in args))
            if name in RETURNING:
                text = 'printf("%%s = %%d\\n", "%s", (int)%s)' % (name, text)
            body.append('    %s;' % text)
            for a in args:
                if isinstance(a, Out):
                    body.append('    show("%s", out_%s, %d);' % (name, kind, a.count))
        return '\n'.join([
            '/* Program %d of the differential tester. */' % self.seed,
            '#include <GL/glut.h>',
            'static GLuint selectBuffer[4096];',
            'static GLfloat feedbackBuffer[8192];',
            '#include <stdio.h>',
            'static GLfloat out_f[64];',
            'static GLint out_i[64];',
            'static GLboolean out_b[64];',
            'static GLdouble out_d[64];',
            '#define show(name, values, n) \\',
            '    do { printf("%s =", name); for (int k = 0; k < n; k++) printf(" %g", (double)values[k]); \\',
            '         printf("\\n"); } while (0)',
            'static GLUquadric* quadric;',
            'int main(int argc, char** argv)', '{', '    glutInit(&argc, argv);',
            '    glutInitDisplayMode(%s);' % self.mode.c(),
            '    glutInitWindowSize(%d, %d);' % (self.size, self.size),
            '    glutCreateWindow("Program %d");' % self.seed, '    quadric = gluNewQuadric();'] +
            body + ['    glFinish();', '    return 0;', '}', ''])


def out_kind(name):
    """What a query writes: f, i, b or d."""
    for ending, kind in (('Booleanv', 'b'), ('Doublev', 'd'), ('Integerv', 'i'), ('iv', 'i'), ('ClipPlane', 'd')):
        if name.endswith(ending):
            return kind
    return 'f'


RETURNING = {'glGetError', 'glIsEnabled', 'glRenderMode', 'glIsList', 'glIsTexture', 'glGenLists'}

# --- What a move may choose from ---

CAPS = ['GL_DEPTH_TEST', 'GL_CULL_FACE', 'GL_LIGHTING', 'GL_LIGHT0', 'GL_LIGHT1', 'GL_COLOR_MATERIAL', 'GL_NORMALIZE',
        'GL_BLEND', 'GL_FOG', 'GL_ALPHA_TEST', 'GL_TEXTURE_2D', 'GL_TEXTURE_GEN_S', 'GL_TEXTURE_GEN_T',
        'GL_SCISSOR_TEST', 'GL_STENCIL_TEST', 'GL_POLYGON_OFFSET_FILL', 'GL_LINE_STIPPLE', 'GL_POLYGON_STIPPLE',
        'GL_DITHER', 'GL_CLIP_PLANE0']
PRIMITIVES = ['GL_POINTS', 'GL_LINES', 'GL_LINE_STRIP', 'GL_LINE_LOOP', 'GL_TRIANGLES', 'GL_TRIANGLE_STRIP',
              'GL_TRIANGLE_FAN', 'GL_QUADS', 'GL_QUAD_STRIP', 'GL_POLYGON']
FUNCS = ['GL_NEVER', 'GL_LESS', 'GL_EQUAL', 'GL_LEQUAL', 'GL_GREATER', 'GL_NOTEQUAL', 'GL_GEQUAL', 'GL_ALWAYS']
SRC = ['GL_ZERO', 'GL_ONE', 'GL_DST_COLOR', 'GL_ONE_MINUS_DST_COLOR', 'GL_SRC_ALPHA', 'GL_ONE_MINUS_SRC_ALPHA',
       'GL_DST_ALPHA', 'GL_ONE_MINUS_DST_ALPHA', 'GL_SRC_ALPHA_SATURATE']
DST = ['GL_ZERO', 'GL_ONE', 'GL_SRC_COLOR', 'GL_ONE_MINUS_SRC_COLOR', 'GL_SRC_ALPHA', 'GL_ONE_MINUS_SRC_ALPHA']
STENCIL_OPS = ['GL_KEEP', 'GL_ZERO', 'GL_REPLACE', 'GL_INCR', 'GL_DECR', 'GL_INVERT']
# Attribute groups, for glPushAttrib.
GROUPS = ['GL_CURRENT_BIT', 'GL_POINT_BIT', 'GL_LINE_BIT', 'GL_POLYGON_BIT', 'GL_POLYGON_STIPPLE_BIT',
          'GL_PIXEL_MODE_BIT', 'GL_LIGHTING_BIT', 'GL_FOG_BIT', 'GL_DEPTH_BUFFER_BIT', 'GL_STENCIL_BUFFER_BIT',
          'GL_VIEWPORT_BIT', 'GL_TRANSFORM_BIT', 'GL_ENABLE_BIT', 'GL_COLOR_BUFFER_BIT', 'GL_HINT_BIT',
          'GL_LIST_BIT', 'GL_TEXTURE_BIT', 'GL_SCISSOR_BIT', 'GL_ALL_ATTRIB_BITS']

# The state glGet reads, with its number of values: what the programs ask.
STATE = [('GL_CURRENT_COLOR', 4), ('GL_CURRENT_NORMAL', 3), ('GL_CURRENT_TEXTURE_COORDS', 4),
         ('GL_CURRENT_RASTER_POSITION', 4), ('GL_CURRENT_RASTER_POSITION_VALID', 1), ('GL_CURRENT_RASTER_COLOR', 4),
         ('GL_EDGE_FLAG', 1), ('GL_MODELVIEW_MATRIX', 16), ('GL_PROJECTION_MATRIX', 16), ('GL_TEXTURE_MATRIX', 16),
         ('GL_VIEWPORT', 4), ('GL_DEPTH_RANGE', 2), ('GL_MODELVIEW_STACK_DEPTH', 1),
         ('GL_PROJECTION_STACK_DEPTH', 1), ('GL_MATRIX_MODE', 1), ('GL_NORMALIZE', 1), ('GL_FOG_COLOR', 4),
         ('GL_FOG_DENSITY', 1), ('GL_FOG_START', 1), ('GL_FOG_END', 1), ('GL_FOG_MODE', 1), ('GL_FOG', 1),
         ('GL_SHADE_MODEL', 1), ('GL_LIGHTING', 1), ('GL_COLOR_MATERIAL', 1), ('GL_COLOR_MATERIAL_PARAMETER', 1),
         ('GL_COLOR_MATERIAL_FACE', 1), ('GL_LIGHT_MODEL_AMBIENT', 4), ('GL_LIGHT_MODEL_LOCAL_VIEWER', 1),
         ('GL_LIGHT_MODEL_TWO_SIDE', 1), ('GL_POINT_SIZE', 1), ('GL_LINE_WIDTH', 1), ('GL_LINE_STIPPLE_PATTERN', 1),
         ('GL_LINE_STIPPLE_REPEAT', 1), ('GL_LINE_STIPPLE', 1), ('GL_CULL_FACE', 1), ('GL_CULL_FACE_MODE', 1),
         ('GL_FRONT_FACE', 1), ('GL_POLYGON_MODE', 2), ('GL_POLYGON_OFFSET_FACTOR', 1),
         ('GL_POLYGON_OFFSET_UNITS', 1), ('GL_POLYGON_OFFSET_FILL', 1), ('GL_POLYGON_STIPPLE', 1),
         ('GL_TEXTURE_2D', 1), ('GL_TEXTURE_BINDING_2D', 1), ('GL_TEXTURE_GEN_S', 1), ('GL_TEXTURE_GEN_T', 1),
         ('GL_SCISSOR_TEST', 1), ('GL_SCISSOR_BOX', 4), ('GL_ALPHA_TEST', 1), ('GL_ALPHA_TEST_FUNC', 1),
         ('GL_ALPHA_TEST_REF', 1), ('GL_STENCIL_TEST', 1), ('GL_STENCIL_FUNC', 1), ('GL_STENCIL_VALUE_MASK', 1),
         ('GL_STENCIL_REF', 1), ('GL_STENCIL_FAIL', 1), ('GL_STENCIL_PASS_DEPTH_FAIL', 1),
         ('GL_STENCIL_PASS_DEPTH_PASS', 1), ('GL_DEPTH_TEST', 1), ('GL_DEPTH_FUNC', 1), ('GL_BLEND', 1),
         ('GL_BLEND_SRC', 1), ('GL_BLEND_DST', 1), ('GL_DITHER', 1), ('GL_LOGIC_OP_MODE', 1), ('GL_DRAW_BUFFER', 1),
         ('GL_INDEX_WRITEMASK', 1), ('GL_COLOR_WRITEMASK', 4), ('GL_DEPTH_WRITEMASK', 1),
         ('GL_STENCIL_WRITEMASK', 1), ('GL_COLOR_CLEAR_VALUE', 4), ('GL_DEPTH_CLEAR_VALUE', 1),
         ('GL_STENCIL_CLEAR_VALUE', 1), ('GL_ACCUM_CLEAR_VALUE', 4), ('GL_UNPACK_SWAP_BYTES', 1),
         ('GL_UNPACK_LSB_FIRST', 1), ('GL_UNPACK_ROW_LENGTH', 1), ('GL_UNPACK_SKIP_ROWS', 1),
         ('GL_UNPACK_SKIP_PIXELS', 1), ('GL_UNPACK_ALIGNMENT', 1), ('GL_PACK_ALIGNMENT', 1),
         ('GL_PACK_ROW_LENGTH', 1), ('GL_MAP_COLOR', 1), ('GL_INDEX_SHIFT', 1), ('GL_INDEX_OFFSET', 1),
         ('GL_RED_SCALE', 1), ('GL_RED_BIAS', 1), ('GL_ZOOM_X', 1), ('GL_ZOOM_Y', 1), ('GL_READ_BUFFER', 1),
         ('GL_PERSPECTIVE_CORRECTION_HINT', 1), ('GL_POINT_SMOOTH_HINT', 1), ('GL_FOG_HINT', 1),
         ('GL_LIST_BASE', 1), ('GL_LIST_INDEX', 1), ('GL_LIST_MODE', 1), ('GL_ATTRIB_STACK_DEPTH', 1),
         ('GL_CLIENT_ATTRIB_STACK_DEPTH', 1), ('GL_NAME_STACK_DEPTH', 1), ('GL_RENDER_MODE', 1),
         ('GL_RED_BITS', 1), ('GL_GREEN_BITS', 1), ('GL_BLUE_BITS', 1),
         ('GL_VERTEX_ARRAY', 1), ('GL_VERTEX_ARRAY_SIZE', 1), ('GL_VERTEX_ARRAY_TYPE', 1),
         ('GL_VERTEX_ARRAY_STRIDE', 1), ('GL_COLOR_ARRAY', 1), ('GL_CLIP_PLANE0', 1), ('GL_AUTO_NORMAL', 1),
         ('GL_MAP1_VERTEX_3', 1), ('GL_LINE_SMOOTH', 1), ('GL_POINT_SMOOTH', 1), ('GL_POLYGON_SMOOTH', 1),
         ('GL_COLOR_LOGIC_OP', 1), ('GL_POLYGON_OFFSET_LINE', 1)]
STATE_COUNT = dict(STATE)


def get(pname, kind=None, r=None):
    """glGet of `pname`, as the kind of value it is."""
    count = STATE_COUNT.get(pname, 4)
    getter = kind or (r.choice(['glGetFloatv', 'glGetIntegerv', 'glGetBooleanv', 'glGetDoublev']) if r else
                      'glGetFloatv')
    if getter == 'glGetIntegerv' and pname.endswith(('_COLOR', '_AMBIENT', '_CLEAR_VALUE')) or \
            getter == 'glGetBooleanv' and 'MATRIX' in pname:
        getter = 'glGetFloatv'  # colours are scaled to the whole integer range; booleans of matrices say little
    return (getter, [E(pname), Out(count)])


def error():
    return ('glGetError', [])


def c01(r):
    return round(r.random(), 3)


def colour(r, n=4):
    return [c01(r) for _ in range(n)]


def vec(r, scale=1.0):
    return [round(r.uniform(-scale, scale), 3) for _ in range(3)]


class Moves:
    """What a program can do, a method a move: each returns its calls."""

    def __init__(self, r, mode):
        self.r, self.mode = r, mode
        self.textures, self.lists = [], []

    # State of each chapter, and glGet of what was set.
    def color(self):
        r = self.r
        return [r.choice([('glColor3f', colour(r, 3)), ('glColor4f', colour(r)),
                          ('glColor3ub', [r.randrange(256) for _ in range(3)]),
                          ('glColor4ub', [r.randrange(256) for _ in range(4)])]), get('GL_CURRENT_COLOR', r=r)]

    def normal(self):
        return [('glNormal3f', vec(self.r)), get('GL_CURRENT_NORMAL')]

    def switch(self):
        r = self.r
        cap = r.choice(CAPS)
        return [(r.choice(['glEnable', 'glDisable']), [E(cap)]), ('glIsEnabled', [E(cap)])]

    def shading(self):
        r = self.r
        return [('glShadeModel', [E(r.choice(['GL_FLAT', 'GL_SMOOTH']))]),
                ('glFrontFace', [E(r.choice(['GL_CW', 'GL_CCW']))]),
                ('glCullFace', [E(r.choice(['GL_FRONT', 'GL_BACK', 'GL_FRONT_AND_BACK']))]),
                get('GL_SHADE_MODEL', 'glGetIntegerv'), get('GL_FRONT_FACE', 'glGetIntegerv')]

    def polygon_mode(self):
        r = self.r
        return [('glPolygonMode', [E(r.choice(['GL_FRONT', 'GL_BACK', 'GL_FRONT_AND_BACK'])),
                                   E(r.choice(['GL_POINT', 'GL_LINE', 'GL_FILL', 'GL_FILL']))]),
                get('GL_POLYGON_MODE', 'glGetIntegerv')]

    def depth(self):
        r = self.r
        return [('glDepthFunc', [E(r.choice(FUNCS))]), ('glDepthMask', [r.choice([0, 1, 1])]),
                ('glClearDepth', [c01(r)]), get('GL_DEPTH_FUNC', 'glGetIntegerv'), get('GL_DEPTH_WRITEMASK', r=r)]

    def blend(self):
        r = self.r
        return [('glBlendFunc', [E(r.choice(SRC)), E(r.choice(DST))]), ('glEnable', [E('GL_BLEND')]),
                get('GL_BLEND_SRC', 'glGetIntegerv'), get('GL_BLEND_DST', 'glGetIntegerv')]

    def alpha(self):
        r = self.r
        return [('glAlphaFunc', [E(r.choice(FUNCS)), c01(r)]), get('GL_ALPHA_TEST_REF', r=r)]

    def fog(self):
        r = self.r
        mode = r.choice(['GL_LINEAR', 'GL_EXP', 'GL_EXP2'])
        return [('glFogi', [E('GL_FOG_MODE'), E(mode)]), ('glFogf', [E('GL_FOG_DENSITY'), round(r.uniform(0, 2), 3)]),
                ('glFogf', [E('GL_FOG_START'), round(r.uniform(0, 3), 3)]),
                ('glFogf', [E('GL_FOG_END'), round(r.uniform(3, 8), 3)]),
                ('glFogfv', [E('GL_FOG_COLOR'), Arr('f', colour(r))]), ('glEnable', [E('GL_FOG')]),
                get('GL_FOG_MODE', 'glGetIntegerv'), get('GL_FOG_COLOR', r=r)]

    def light(self):
        r = self.r
        light = r.choice(['GL_LIGHT0', 'GL_LIGHT1', 'GL_LIGHT2'])
        calls = [('glLightfv', [E(light), E('GL_POSITION'), Arr('f', vec(r, 3) + [r.choice([0, 1])])]),
                 ('glLightfv', [E(light), E(r.choice(['GL_AMBIENT', 'GL_DIFFUSE', 'GL_SPECULAR'])),
                                Arr('f', colour(r))]), ('glEnable', [E(light)]), ('glEnable', [E('GL_LIGHTING')])]
        if r.random() < 0.3:
            calls += [('glLightf', [E(light), E('GL_SPOT_CUTOFF'), round(r.uniform(10, 90), 2)]),
                      ('glLightf', [E(light), E('GL_SPOT_EXPONENT'), round(r.uniform(0, 40), 2)]),
                      ('glLightfv', [E(light), E('GL_SPOT_DIRECTION'), Arr('f', vec(r))])]
        if r.random() < 0.3:
            calls.append(('glLightf', [E(light), E(r.choice(['GL_CONSTANT_ATTENUATION', 'GL_LINEAR_ATTENUATION',
                                                            'GL_QUADRATIC_ATTENUATION'])), round(r.uniform(0, 2), 3)]))
        calls.append(('glGetLightfv', [E(light), E('GL_POSITION'), Out(4)]))
        return calls

    def light_model(self):
        r = self.r
        return [('glLightModelfv', [E('GL_LIGHT_MODEL_AMBIENT'), Arr('f', colour(r))]),
                ('glLightModeli', [E('GL_LIGHT_MODEL_LOCAL_VIEWER'), r.choice([0, 1])]),
                ('glLightModeli', [E('GL_LIGHT_MODEL_TWO_SIDE'), r.choice([0, 1])]),
                get('GL_LIGHT_MODEL_AMBIENT', r=r)]

    def material(self):
        r = self.r
        face = E(r.choice(['GL_FRONT', 'GL_BACK', 'GL_FRONT_AND_BACK']))
        pname = r.choice(['GL_AMBIENT', 'GL_DIFFUSE', 'GL_SPECULAR', 'GL_EMISSION', 'GL_AMBIENT_AND_DIFFUSE'])
        return [('glMaterialfv', [face, E(pname), Arr('f', colour(r))]),
                ('glMaterialf', [face, E('GL_SHININESS'), round(r.uniform(0, 128), 2)]),
                ('glGetMaterialfv', [E(r.choice(['GL_FRONT', 'GL_BACK'])), E('GL_DIFFUSE'), Out(4)])]

    def color_material(self):
        r = self.r
        return [('glColorMaterial', [E(r.choice(['GL_FRONT', 'GL_BACK', 'GL_FRONT_AND_BACK'])),
                                     E(r.choice(['GL_AMBIENT', 'GL_DIFFUSE', 'GL_SPECULAR', 'GL_EMISSION',
                                                 'GL_AMBIENT_AND_DIFFUSE']))]),
                ('glEnable', [E('GL_COLOR_MATERIAL')]), get('GL_COLOR_MATERIAL_PARAMETER', 'glGetIntegerv')]

    def texture(self):
        r = self.r
        name = r.randrange(1, 4)
        size = r.choice([2, 4, 8])
        fmt, n = r.choice([('GL_RGB', 3), ('GL_RGBA', 4), ('GL_LUMINANCE', 1), ('GL_LUMINANCE_ALPHA', 2),
                           ('GL_ALPHA', 1)])
        internal = r.choice([fmt, n])
        texels = [r.randrange(256) for _ in range(size * size * n)]
        filters = [E(r.choice(['GL_NEAREST', 'GL_LINEAR'])) for _ in range(2)]
        wrap = r.choice(['GL_REPEAT', 'GL_CLAMP'])
        if wrap == 'GL_CLAMP':  # see LIMITS in conformance.py
            filters[0] = filters[1]
        calls = [('glBindTexture', [E('GL_TEXTURE_2D'), name]), ('glPixelStorei', [E('GL_UNPACK_ALIGNMENT'), 1]),
                 ('glTexImage2D', [E('GL_TEXTURE_2D'), 0, E(internal) if isinstance(internal, str) else internal,
                                   size, size, 0, E(fmt), E('GL_UNSIGNED_BYTE'), Arr('b', texels)]),
                 ('glTexParameteri', [E('GL_TEXTURE_2D'), E('GL_TEXTURE_MIN_FILTER'), filters[0]]),
                 ('glTexParameteri', [E('GL_TEXTURE_2D'), E('GL_TEXTURE_MAG_FILTER'), filters[1]]),
                 ('glTexParameteri', [E('GL_TEXTURE_2D'), E(r.choice(['GL_TEXTURE_WRAP_S', 'GL_TEXTURE_WRAP_T'])),
                                      E(wrap)]),
                 ('glTexEnvi', [E('GL_TEXTURE_ENV'), E('GL_TEXTURE_ENV_MODE'),
                                E(r.choice(['GL_MODULATE', 'GL_DECAL', 'GL_BLEND', 'GL_REPLACE']))]),
                 ('glTexEnvfv', [E('GL_TEXTURE_ENV'), E('GL_TEXTURE_ENV_COLOR'), Arr('f', colour(r))]),
                 ('glEnable', [E('GL_TEXTURE_2D')]), get('GL_TEXTURE_BINDING_2D', 'glGetIntegerv'),
                 ('glGetTexLevelParameteriv', [E('GL_TEXTURE_2D'), 0, E('GL_TEXTURE_WIDTH'), Out(1)])]
        self.textures.append(name)
        return calls

    def texgen(self):
        r = self.r
        calls = []
        for coord in r.sample(['GL_S', 'GL_T'], r.randrange(1, 3)):
            mode = r.choice(['GL_OBJECT_LINEAR', 'GL_EYE_LINEAR', 'GL_SPHERE_MAP'])
            calls.append(('glTexGeni', [E(coord), E('GL_TEXTURE_GEN_MODE'), E(mode)]))
            if r.random() < 0.6:
                plane = 'GL_OBJECT_PLANE' if mode == 'GL_OBJECT_LINEAR' else 'GL_EYE_PLANE'
                calls.append(('glTexGenfv', [E(coord), E(plane), Arr('f', vec(r) + [round(r.uniform(-1, 1), 3)])]))
            calls.append(('glEnable', [E('GL_TEXTURE_GEN_' + coord[-1])]))
            calls.append(('glGetTexGenfv', [E(coord), E('GL_EYE_PLANE'), Out(4)]))
            calls.append(('glGetTexGenfv', [E(coord), E('GL_OBJECT_PLANE'), Out(4)]))
        return calls

    def stencil(self):
        r = self.r
        return [('glStencilFunc', [E(r.choice(FUNCS)), r.randrange(4), r.choice([255, 1, 3])]),
                ('glStencilOp', [E(r.choice(STENCIL_OPS)) for _ in range(3)]),
                ('glStencilMask', [r.choice([255, 1, 0])]), ('glClearStencil', [r.randrange(4)]),
                get('GL_STENCIL_FUNC', 'glGetIntegerv'), get('GL_STENCIL_PASS_DEPTH_PASS', 'glGetIntegerv')]

    def scissor(self):
        r = self.r
        return [('glScissor', [r.randrange(32), r.randrange(32), r.randrange(8, 48), r.randrange(8, 48)]),
                get('GL_SCISSOR_BOX', 'glGetIntegerv')]

    def rasterisation(self):
        r = self.r
        calls = [('glLineWidth', [r.choice([1, 1, 2, 3])]), ('glPointSize', [r.choice([1, 2, 4])]),
                 ('glLineStipple', [r.randrange(1, 4), r.randrange(1, 65536)]),
                 ('glPolygonOffset', [round(r.uniform(-2, 2), 2), round(r.uniform(-2, 2), 2)]),
                 get('GL_LINE_WIDTH'), get('GL_LINE_STIPPLE_PATTERN', 'glGetIntegerv')]
        if r.random() < 0.4:
            calls.append(('glPolygonStipple', [Arr('b', [r.randrange(256)] * 4 * 32)]))
        return calls

    def mask(self):
        r = self.r
        return [('glColorMask', [r.choice([0, 1, 1]) for _ in range(4)]),
                get('GL_COLOR_WRITEMASK', 'glGetBooleanv')]

    def clip_plane(self):
        r = self.r
        return [('glClipPlane', [E('GL_CLIP_PLANE0'), Arr('d', vec(r) + [round(r.uniform(-0.5, 0.5), 3)])]),
                ('glEnable', [E('GL_CLIP_PLANE0')]), ('glGetClipPlane', [E('GL_CLIP_PLANE0'), Out(4)])]

    def transform(self):
        r = self.r
        return [r.choice([('glTranslatef', vec(r, 0.5)), ('glRotatef', [round(r.uniform(-180, 180), 2)] + vec(r)),
                          ('glScalef', [round(r.uniform(0.5, 1.5), 3) for _ in range(3)])]),
                get('GL_MODELVIEW_MATRIX', r=r)]

    def texture_matrix(self):
        r = self.r
        return [('glMatrixMode', [E('GL_TEXTURE')]), ('glRotatef', [round(r.uniform(-90, 90), 2), 0, 0, 1]),
                ('glScalef', [round(r.uniform(0.5, 3), 2), round(r.uniform(0.5, 3), 2), 1]),
                ('glMatrixMode', [E('GL_MODELVIEW')]), get('GL_TEXTURE_MATRIX')]

    def clear(self):
        r = self.r
        bits = ['GL_COLOR_BUFFER_BIT'] + r.sample(['GL_DEPTH_BUFFER_BIT', 'GL_STENCIL_BUFFER_BIT'], r.randrange(3))
        return [('glClearColor', colour(r)), ('glClear', [E(*bits)]), get('GL_COLOR_CLEAR_VALUE')]

    def pixel_store(self):
        r = self.r
        return [('glPixelStorei', [E(r.choice(['GL_UNPACK_ALIGNMENT', 'GL_PACK_ALIGNMENT'])), r.choice([1, 2, 4, 8])]),
                ('glPixelStorei', [E(r.choice(['GL_UNPACK_ROW_LENGTH', 'GL_UNPACK_SKIP_ROWS',
                                               'GL_UNPACK_SKIP_PIXELS'])), r.randrange(3)]),
                get('GL_UNPACK_ALIGNMENT', 'glGetIntegerv'), get('GL_UNPACK_ROW_LENGTH', 'glGetIntegerv')]

    def hint(self):
        r = self.r
        return [('glHint', [E(r.choice(['GL_PERSPECTIVE_CORRECTION_HINT', 'GL_POINT_SMOOTH_HINT', 'GL_FOG_HINT'])),
                            E(r.choice(['GL_FASTEST', 'GL_NICEST', 'GL_DONT_CARE']))]),
                get('GL_FOG_HINT', 'glGetIntegerv')]

    # Pushes and pops: what comes back, and what not.
    def push_attrib(self):
        r = self.r
        groups = r.sample(GROUPS, r.randrange(1, 3))
        inner = [self.pick_state()() for _ in range(r.randrange(1, 3))]
        calls = [('glPushAttrib', [E(*groups)])] + [c for m in inner for c in m] + [('glPopAttrib', []), error()]
        # Every value the moves inside set, asked again after the pop.
        calls += [c for m in inner for c in m if c[0].startswith('glGet') or c[0] == 'glIsEnabled']
        return calls

    def push_client(self):
        r = self.r
        inner = self.pixel_store() + self.arrays_state()
        return ([('glPushClientAttrib', [E(r.choice(['GL_CLIENT_PIXEL_STORE_BIT', 'GL_CLIENT_VERTEX_ARRAY_BIT',
                                                      'GL_CLIENT_ALL_ATTRIB_BITS']))])] + inner +
                [('glPopClientAttrib', []), error()] + [c for c in inner if c[0].startswith('glGet')] +
                [('glDisableClientState', [E('GL_COLOR_ARRAY')])])  # an array left on must have memory

    def arrays_state(self):
        return [('glEnableClientState', [E('GL_COLOR_ARRAY')]), get('GL_COLOR_ARRAY', 'glGetIntegerv')]

    def defaults(self):
        """The values GL starts with, asked before anything is set."""
        r = self.r
        return [get(p, r=r) for p, _ in r.sample(STATE, 6)] + [error()]

    # Drawing.
    def corners(self, mode, n):
        """Vertices for `mode`: anywhere for points, lines and triangles; in
        a plane, and convex, for polygons and quads, as GL asks of them."""
        r = self.r
        if mode not in ('GL_POLYGON', 'GL_QUADS', 'GL_QUAD_STRIP'):
            return [vec(r, 0.9) for _ in range(n)]
        centre, u, v = vec(r, 0.3), vec(r, 0.6), vec(r, 0.6)
        at = lambda s, t: [round(centre[k] + s * u[k] + t * v[k], 3) for k in range(3)]
        if mode == 'GL_QUAD_STRIP':  # a strip of parallelograms
            return [at(-1 + 2 * (i // 2) / max(1, n // 2 - 1), i % 2) for i in range(n)]
        out = []
        for _ in range(0, n, 4 if mode == 'GL_QUADS' else n):
            angles = sorted(r.uniform(0, 2 * math.pi) for _ in range(4 if mode == 'GL_QUADS' else n))
            out += [at(math.cos(a), math.sin(a)) for a in angles]
        return out

    def primitive(self):
        r = self.r
        mode = r.choice(PRIMITIVES)
        n = {'GL_POINTS': 6, 'GL_LINES': 6, 'GL_TRIANGLES': 6, 'GL_QUADS': 8,
             'GL_QUAD_STRIP': 6}.get(mode, r.randrange(3, 8))
        calls = [('glBegin', [E(mode)])]
        for corner in self.corners(mode, n):
            if r.random() < 0.4:
                calls.append(('glColor4f', colour(r)))
            if r.random() < 0.3:
                calls.append(('glNormal3f', vec(r)))
            if r.random() < 0.4:
                calls.append(('glTexCoord2f', [round(r.uniform(-1, 2), 3) for _ in range(2)]))
            calls.append(('glVertex3f', corner))
        return attributes_first(calls + [('glEnd', [])]) + [error()]

    def rect(self):
        r = self.r
        return [('glRectf', [round(r.uniform(-1, 0), 3), round(r.uniform(-1, 0), 3), round(r.uniform(0, 1), 3),
                             round(r.uniform(0, 1), 3)])]

    def arrays(self):
        r = self.r
        mode = r.choice(PRIMITIVES)
        n = {'GL_QUADS': 8, 'GL_QUAD_STRIP': 6}.get(mode, r.randrange(3, 9))
        calls = [('glEnableClientState', [E('GL_VERTEX_ARRAY')]),
                 ('glVertexPointer', [3, E('GL_FLOAT'), 0, Arr('f', [v for c in self.corners(mode, n) for v in c])])]
        if r.random() < 0.6:
            calls += [('glEnableClientState', [E('GL_COLOR_ARRAY')]),
                      ('glColorPointer', [4, E('GL_FLOAT'), 0, Arr('f', [c for _ in range(n) for c in colour(r)])])]
        if r.random() < 0.5 or mode in ('GL_POLYGON', 'GL_QUADS', 'GL_QUAD_STRIP'):
            calls.append(('glDrawArrays', [E(mode), 0, n]))
        else:
            calls.append(('glDrawElements', [E(mode), n, E('GL_UNSIGNED_SHORT'),
                                             Arr('S', [r.randrange(n) for _ in range(n)])]))
        # The current colour is indeterminate after a draw from a colour
        # array: a valid program sets it again before it relies on it.
        return calls + [('glDisableClientState', [E('GL_VERTEX_ARRAY')]),
                        ('glDisableClientState', [E('GL_COLOR_ARRAY')]), ('glColor4f', colour(r)), error()]

    def shape(self):
        r = self.r
        # GLUT draws its shapes from arrays of normals, after which GL leaves
        # the current normal indeterminate: a program sets it again.
        return [r.choice([('glutSolidCube', [round(r.uniform(0.3, 1.2), 3)]),
                          ('glutWireCube', [round(r.uniform(0.3, 1.2), 3)]),
                          ('gluSphere', [QUADRIC, round(r.uniform(0.3, 0.9), 3), r.randrange(4, 16),
                                         r.randrange(3, 12)]),
                          ('gluCylinder', [QUADRIC, 0.5, 0.2, 0.8, r.randrange(4, 16), 2]),
                          ('gluDisk', [QUADRIC, 0.1, 0.7, r.randrange(4, 16), 2])]), ('glNormal3f', [0, 0, 1])]

    def bitmap(self):
        r = self.r
        return [('glRasterPos3f', vec(r, 0.8)), get('GL_CURRENT_RASTER_POSITION'),
                ('glPixelStorei', [E('GL_UNPACK_ALIGNMENT'), 1]),
                ('glBitmap', [8, 8, 0, 0, round(r.uniform(-3, 3), 2), 0, Arr('b', [r.randrange(256) for _ in range(8)])]),
                get('GL_CURRENT_RASTER_POSITION'), error()]

    def draw_pixels(self):
        r = self.r
        w, h = r.randrange(1, 9), r.randrange(1, 9)
        return [('glRasterPos2f', [round(r.uniform(-0.9, 0.5), 2), round(r.uniform(-0.9, 0.5), 2)]),
                ('glPixelStorei', [E('GL_UNPACK_ALIGNMENT'), 1]),
                ('glPixelZoom', [r.choice([1, 2, -1]), r.choice([1, 2])]),
                ('glDrawPixels', [w, h, E('GL_RGB'), E('GL_UNSIGNED_BYTE'), Arr('b', [r.randrange(256) for _ in range(w * h * 3)])]),
                ('glPixelZoom', [1, 1]), error()]

    def display_list(self):
        r = self.r
        name = len(self.lists) + 1
        self.lists.append(name)
        inner = [r.choice([self.primitive, self.color, self.transform, self.switch, self.rect])()
                 for _ in range(r.randrange(1, 4))]
        # Queries do not go into lists: they are made at once.
        body = attributes_first([c for m in inner for c in m if not (c[0].startswith('glGet') or c[0] == 'glIsEnabled')])
        # After a list that gave colours inside glBegin and glEnd, Debian 12's
        # Mesa keeps the current colour from before: a program that relies
        # on it sets it again.
        return ([('glNewList', [name, E(r.choice(['GL_COMPILE', 'GL_COMPILE_AND_EXECUTE']))])] + body +
                [('glEndList', []), ('glColor4f', colour(r)), ('glCallList', [name]), ('glColor4f', colour(r)),
                 ('glIsList', [name]), error()])

    def selection(self):
        r = self.r
        calls = [('glSelectBuffer', [4096, SELECT]), ('glRenderMode', [E('GL_SELECT')]), ('glInitNames', []),
                 ('glPushName', [0])]
        for k in range(r.randrange(1, 4)):
            calls += [('glLoadName', [k + 1])] + r.choice([self.primitive, self.rect, self.shape])()
        return calls + [('glRenderMode', [E('GL_RENDER')]), error()]

    def feedback(self):
        r = self.r
        calls = [('glFeedbackBuffer', [8192, E(r.choice(['GL_2D', 'GL_3D', 'GL_3D_COLOR'])), FEEDBACK]),
                 ('glRenderMode', [E('GL_FEEDBACK')])]
        for _ in range(r.randrange(1, 3)):
            calls += r.choice([self.primitive, self.rect])()
        return calls + [('glRenderMode', [E('GL_RENDER')]), error()]

    def pick_state(self):
        return self.r.choice([self.color, self.normal, self.switch, self.shading, self.polygon_mode, self.depth,
                              self.blend, self.alpha, self.fog, self.light, self.light_model, self.material,
                              self.color_material, self.texture, self.texgen, self.stencil, self.scissor,
                              self.rasterisation, self.mask, self.clip_plane, self.transform, self.texture_matrix,
                              self.pixel_store, self.hint])

    def pick(self):
        r = self.r
        kinds = [(self.pick_state(), 10), (self.primitive, 8), (self.rect, 2), (self.arrays, 2), (self.shape, 2),
                 (self.bitmap, 1), (self.draw_pixels, 1), (self.display_list, 2), (self.selection, 1),
                 (self.feedback, 1), (self.push_attrib, 2), (self.push_client, 1), (self.clear, 1)]
        total = sum(w for _, w in kinds)
        x = r.uniform(0, total)
        for move, w in kinds:
            x -= w
            if x <= 0:
                return move
        return kinds[0][0]


def attributes_first(calls):
    """Each primitive with every attribute it sets given before its first
    vertex too: where a normal or texture coordinate first comes midway
    through glBegin and glEnd, Debian 12's Mesa draws some of the vertices
    given before it again in place of later ones (a line loop's, a list's)."""
    out, primitive = [], None
    for call in calls + [('', [])]:
        if call[0] == 'glBegin':
            primitive = [call]
            continue
        if primitive is None:
            out.append(call)
            continue
        primitive.append(call)
        if call[0] == 'glEnd':
            firsts = {}
            for name, args in primitive:
                if name in ('glColor4f', 'glNormal3f', 'glTexCoord2f'):
                    firsts.setdefault(name, (name, args))
            out += [primitive[0]] + list(firsts.values()) + primitive[1:]
            primitive = None
    return out[:-1]


def projection(r):
    calls = [('glMatrixMode', [E('GL_PROJECTION')]), ('glLoadIdentity', [])]
    calls.append(r.choice([('glOrtho', [-1, 1, -1, 1, -2, 2]), ('glFrustum', [-0.5, 0.5, -0.5, 0.5, 1, 5]),
                           ('gluPerspective', [round(r.uniform(30, 90), 1), 1, 0.5, 6])]))
    calls += [('glMatrixMode', [E('GL_MODELVIEW')]), ('glLoadIdentity', [])]
    if calls[2][0] != 'glOrtho':
        calls.append(('glTranslatef', [0, 0, -2.5]))
    return calls


def program(seed, moves=None):
    """Program `seed`: a window, its projection, and a few moves."""
    r = random.Random(seed)
    mode = E(*(['GLUT_RGB', 'GLUT_DOUBLE', 'GLUT_DEPTH'] + (['GLUT_STENCIL'] if r.random() < 0.5 else [])))
    m = Moves(r, mode)
    body = [m.defaults()] if r.random() < 0.3 else []
    body.append(projection(r))
    body.append([('glClearColor', [0.1, 0.2, 0.3, 1]), ('glClear', [E('GL_COLOR_BUFFER_BIT', 'GL_DEPTH_BUFFER_BIT')])])
    for _ in range(moves or r.randrange(4, 16)):
        body.append(m.pick()())
    body.append(m.primitive())  # something drawn in the state the moves left
    return Program(seed, body, mode)


# Every entry point the programs may call, for the runner's table.
ENTRY_POINTS = set()


def _collect():
    for seed in range(400):
        for name, _ in program(seed).calls():
            ENTRY_POINTS.add(name)
    ENTRY_POINTS.update({'glGetDoublev', 'glGetBooleanv', 'glGetIntegerv', 'glGetFloatv', 'glPopClientAttrib'})


_collect()
