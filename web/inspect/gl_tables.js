// The inspector's tables: GL's names for the values a program passes, which
// arguments of each entry point are names, masks or one array, and what each
// argument means (meanings.js), with the one function that writes a call as
// C. Data, read by the rooms of the inspector that show calls and their cells.
'use strict';

window.InspectTables = (function () {
  // GL's names for the values the program passes, and which arguments of
  // each entry point are names, bit masks or one array.
  const NAMES = window.InspectNames || { enums: {}, bits: [], calls: {} };  // from GL's headers (gl_names.py)
  // Ours first, where one value has several names.
  const ENUMS = Object.assign({}, NAMES.enums, {
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
  });
  // [arguments that are names, argument from which on they are one array],
  // ours where a real number names something (glTexParameteri's, glTexEnvf's
  // value), the rest as the headers declare them.
  const OWN_SHAPES = {
    glBegin: [[0]], glEnable: [[0]], glDisable: [[0]], glFrontFace: [[0]], glMatrixMode: [[0]],
    glShadeModel: [[0]], glBindTexture: [[0]], glTexParameteri: [[0, 1, 2]], glTexEnvf: [[0, 1, 2]],
    glPixelStorei: [[0]], glColorMaterial: [[0, 1]], glTexImage2D: [[0, 2, 6, 7]], glLightfv: [[0, 1], 2],
    glLightModelfv: [[0], 1], glMaterialfv: [[0, 1], 2], glColor3fv: [[], 0],
  };
  const SHAPES = new Proxy(OWN_SHAPES, {
    get: (own, name) => own[name] || (NAMES.calls[name] && [
      NAMES.calls[name].flatMap(([, kind], i) => (kind === 'name' ? [i] : [])),
      ...NAMES.calls[name].flatMap(([, kind], i) => (kind.startsWith('pointer') ? [i] : [])).slice(0, 1)]),
  });
  const BUFFER_BITS = [[0x4000, 'GL_COLOR_BUFFER_BIT'], [0x100, 'GL_DEPTH_BUFFER_BIT'], [0x400, 'GL_STENCIL_BUFFER_BIT'],
                       [0x200, 'GL_ACCUM_BUFFER_BIT']];
  // Masks (glClear's, glPushAttrib's) as the names of their bits.
  const MASKS = [...BUFFER_BITS, ...NAMES.bits.filter(([v]) => !BUFFER_BITS.some(([b]) => b === v))];
  const maskText = (a) => MASKS.filter(([bit]) => a & bit).map(([, n]) => n).join(' | ') || number(a);

  // Each argument's meaning: ours (meanings.js), or else its name as the
  // headers give it, with the step of an integer or of a real number.
  const MEANINGS = new Proxy(window.InspectMeanings, {
    get: (own, name) => own[name] || (NAMES.calls[name] && NAMES.calls[name].flatMap(([param, kind]) => {
      if (kind.startsWith('pointer')) return [...Array(16).keys()].map((k) => [param + '[' + k + ']', 'value ' + k + ' of ' + param, 0.1]);
      if (kind === 'name' || kind === 'mask') return [null];
      return [[param, param + ' of ' + name, kind === 'integer' ? 1 : 0.1]];
    })),
  });
  const meaningsOf = (name, args) => {
    const m = MEANINGS[name] || [];
    return typeof m === 'function' ? m(args) : m;
  };
  const CHOICES = window.InspectChoices || {};
  const SWITCHED = ['glEnable', 'glDisable'];

  const number = (v) => String(Number(v.toPrecision(6)));  // as the program wrote it: 0.05, not 0.0500000007
  const enumName = (v) => ENUMS[v] || number(v);

  function callText(name, args) {
    const [names, arrayFrom] = SHAPES[name] || [[]];
    const text = args.map((a, i) => {
      if ((NAMES.calls[name] || [])[i]?.[1] === 'mask' || name === 'glClear') return maskText(a);
      return names.includes(i) ? enumName(a) : number(a);
    });
    if (arrayFrom !== undefined && arrayFrom < text.length) {
      text[arrayFrom] = '{' + text[arrayFrom];
      text[text.length - 1] += '}';
    }
    return name + '(' + text.join(', ') + ')';
  }

  return { NAMES, ENUMS, SHAPES, BUFFER_BITS, MASKS, MEANINGS, CHOICES, SWITCHED, number, enumName, maskText, meaningsOf,
           callText };
})();
