// The inspector's tables: GL's names for the values a program passes, which
// arguments of each entry point are names, masks or one array, and what each
// argument means, with the one function that writes a call as C. Data, read
// by the rooms of the inspector that show calls and their cells.
'use strict';

window.InspectTables = (function () {
  // GL's names for the values the program passes, and which arguments of
  // each entry point are names, bit masks or one array.
  const ENUMS = {
    0x0000: 'GL_POINTS', 0x0001: 'GL_LINES', 0x0002: 'GL_LINE_LOOP', 0x0003: 'GL_LINE_STRIP',
    0x0004: 'GL_TRIANGLES', 0x0005: 'GL_TRIANGLE_STRIP', 0x0006: 'GL_TRIANGLE_FAN', 0x0007: 'GL_QUADS',
    0x0008: 'GL_QUAD_STRIP', 0x0009: 'GL_POLYGON', 0x0900: 'GL_CW', 0x0901: 'GL_CCW', 0x0B71: 'GL_DEPTH_TEST',
    0x0B50: 'GL_LIGHTING', 0x0DE1: 'GL_TEXTURE_2D', 0x0B44: 'GL_CULL_FACE', 0x4000: 'GL_LIGHT0',
    0x0BA1: 'GL_NORMALIZE', 0x0B57: 'GL_COLOR_MATERIAL', 0x1700: 'GL_MODELVIEW', 0x1701: 'GL_PROJECTION',
    0x2300: 'GL_TEXTURE_ENV', 0x2200: 'GL_TEXTURE_ENV_MODE', 0x1E01: 'GL_REPLACE', 0x2100: 'GL_MODULATE',
    0x2101: 'GL_DECAL', 0x0404: 'GL_FRONT', 0x0405: 'GL_BACK', 0x0408: 'GL_FRONT_AND_BACK',
    0x1602: 'GL_AMBIENT_AND_DIFFUSE', 0x1200: 'GL_AMBIENT', 0x1201: 'GL_DIFFUSE', 0x1202: 'GL_SPECULAR',
    0x1203: 'GL_POSITION', 0x1601: 'GL_SHININESS', 0x1600: 'GL_EMISSION', 0x0B53: 'GL_LIGHT_MODEL_AMBIENT',
    0x0CF5: 'GL_UNPACK_ALIGNMENT', 0x2800: 'GL_TEXTURE_MAG_FILTER', 0x2801: 'GL_TEXTURE_MIN_FILTER',
    0x2802: 'GL_TEXTURE_WRAP_S', 0x2803: 'GL_TEXTURE_WRAP_T', 0x2600: 'GL_NEAREST', 0x2601: 'GL_LINEAR',
    0x2901: 'GL_REPEAT', 0x1907: 'GL_RGB', 0x1401: 'GL_UNSIGNED_BYTE', 0x1D01: 'GL_SMOOTH', 0x1D00: 'GL_FLAT',
    0x2900: 'GL_CLAMP', 0x2700: 'GL_NEAREST_MIPMAP_NEAREST', 0x2701: 'GL_LINEAR_MIPMAP_NEAREST',
    0x2702: 'GL_NEAREST_MIPMAP_LINEAR', 0x2703: 'GL_LINEAR_MIPMAP_LINEAR',
  };
  const SHAPES = {  // [arguments that are names, argument from which on they are one array]
    glBegin: [[0]], glEnable: [[0]], glDisable: [[0]], glFrontFace: [[0]], glMatrixMode: [[0]],
    glShadeModel: [[0]], glBindTexture: [[0]], glTexParameteri: [[0, 1, 2]], glTexEnvf: [[0, 1, 2]],
    glPixelStorei: [[0]], glColorMaterial: [[0, 1]], glTexImage2D: [[0, 2, 6, 7]], glLightfv: [[0, 1], 2],
    glLightModelfv: [[0], 1], glMaterialfv: [[0, 1], 2], glColor3fv: [[], 0],
  };
  const BUFFER_BITS = [[0x4000, 'GL_COLOR_BUFFER_BIT'], [0x100, 'GL_DEPTH_BUFFER_BIT'], [0x400, 'GL_STENCIL_BUFFER_BIT']];

  // What each argument of an entry point means, as the classic tutors
  // explained them, by position: its name, one line of meaning, and the step
  // of an arrow key (a tenth of it with Shift). null: a GL name, not a number.
  const xyz = (what, step) => ['x', 'y', 'z'].map((a) => [a, what + ' ' + a, step]);
  const rgb = (what) => ['red', 'green', 'blue'].map((c) => [c, what + ': ' + c + ', from 0 to 1', 0.05]);
  const MEANINGS = {
    glTranslatef: xyz('distance moved along', 0.1),
    glRotatef: [['angle', 'angle in degrees, counter-clockwise about the axis (x, y, z)', 5],
                ...xyz('the axis\u2019s', 0.1)],
    glScalef: xyz('factor of scale along', 0.1),
    gluLookAt: [...xyz('the eye\u2019s position:', 0.1).map(([a, m, s]) => ['eye' + a.toUpperCase(), m, s]),
                ...xyz('the point looked at:', 0.1).map(([a, m, s]) => ['center' + a.toUpperCase(), m, s]),
                ...xyz('which way is up:', 0.1).map(([a, m, s]) => ['up' + a.toUpperCase(), m, s])],
    gluPerspective: [['fovy', 'field of view in degrees, from the bottom of the view to its top', 5],
                     ['aspect', 'width of the view over its height', 0.1],
                     ['zNear', 'distance from the eye to the near plane, more than 0', 0.05],
                     ['zFar', 'distance from the eye to the far plane', 5]],
    glOrtho: [['left', 'the box\u2019s left side, x in eye coordinates', 0.1], ['right', 'its right side', 0.1],
              ['bottom', 'its bottom, y in eye coordinates', 0.1], ['top', 'its top', 0.1],
              ['zNear', 'its near side, as a distance before the eye (negative: behind it)', 0.1],
              ['zFar', 'its far side, as a distance before the eye', 0.1]],
    glViewport: [['x', 'the viewport\u2019s left edge, in window pixels', 10],
                 ['y', 'its bottom edge, in window pixels from the bottom', 10],
                 ['width', 'its width in pixels', 10], ['height', 'its height in pixels', 10]],
    glColor3f: rgb('the colour of the vertices that follow'),
    glColor3fv: rgb('the colour of the vertices that follow'),
    glNormal3f: xyz('the normal of the vertices that follow:', 0.1),
    glTexCoord2f: [['s', 'texture coordinate across the image: 0 to 1 spans it once', 0.1],
                   ['t', 'texture coordinate up the image: 0 to 1 spans it once', 0.1]],
    glVertex3f: xyz('the vertex\u2019s position in object coordinates:', 0.1),
    glLightfv: [null, null, ...xyz('the light\u2019s position, taken under the modelview of the moment:', 0.5),
                ['w', '0: a light from a direction, 1: from a point', 1]],
    glLightModelfv: [null, ...rgb('the ambient light everywhere'), ['alpha', 'alpha, unused here', 0.05]],
    glMaterialfv: [null, null, ...rgb('the material\u2019s colour'), ['alpha', 'alpha, unused here', 0.05]],
    glClearColor: [...rgb('the colour the frame is cleared to'), ['alpha', 'alpha, unused here', 0.05]],
  };
  const SWITCHED = ['glEnable', 'glDisable'];

  const number = (v) => String(Number(v.toPrecision(6)));  // as the program wrote it: 0.05, not 0.0500000007
  const enumName = (v) => ENUMS[v] || number(v);

  function callText(name, args) {
    const [names, arrayFrom] = SHAPES[name] || [[]];
    const text = args.map((a, i) => {
      if (name === 'glClear') return BUFFER_BITS.filter(([bit]) => a & bit).map(([, n]) => n).join(' | ') || number(a);
      return names.includes(i) ? enumName(a) : number(a);
    });
    if (arrayFrom !== undefined && arrayFrom < text.length) {
      text[arrayFrom] = '{' + text[arrayFrom];
      text[text.length - 1] += '}';
    }
    return name + '(' + text.join(', ') + ')';
  }

  return { ENUMS, SHAPES, BUFFER_BITS, MEANINGS, SWITCHED, number, enumName, callText };
})();
