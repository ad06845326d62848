// What each argument of each GL and GLU entry point means, as the classic
// tutors explained them, by position: its name, one line of meaning, and
// the step of an arrow key (a tenth of it with Shift). null: a GL name, not
// a number. Where the meaning hangs on a GL name among the arguments, the
// entry is a function of the arguments. A call without an entry here has
// its arguments' names from GL's headers (gl_tables.js). And, for the
// arguments that are GL names, the values GL takes there (CHOICES). Data,
// read by the inspector's cells and state panel.
'use strict';

window.InspectMeanings = (function () {
  const xyz = (what, step) => ['x', 'y', 'z'].map((a) => [a, what + ' ' + a, step]);
  const rgb = (what) => ['red', 'green', 'blue'].map((c) => [c, what + ': ' + c + ', from 0 to 1', 0.05]);
  const COLOURS = { 0x1200: 'ambient colour', 0x1201: 'diffuse colour', 0x1202: 'specular colour',
                    0x1600: 'emitted colour', 0x1602: 'ambient and diffuse colour' };
  const colourOf = (pname) => COLOURS[pname] || 'colour';
  // A light's values by what they set.
  function lightValues(pname) {
    if (pname === 0x1203)
      return [...xyz('the light\u2019s position, taken under the modelview of the moment:', 0.5),
              ['w', '0: a light from a direction, 1: from a point', 1]];
    if (pname === 0x1204) return xyz('the spotlight\u2019s direction:', 0.1);
    if (COLOURS[pname]) return [...rgb('the light\u2019s ' + colourOf(pname)), ['alpha', 'alpha', 0.05]];
    const one = { 0x1205: ['exponent', 'how the spotlight fades from its axis, 0 to 128', 1],
                  0x1206: ['cutoff', 'the spotlight\u2019s half angle in degrees, up to 90, or 180', 5],
                  0x1207: ['constant', 'constant attenuation', 0.1], 0x1208: ['linear', 'linear attenuation', 0.05],
                  0x1209: ['quadratic', 'quadratic attenuation', 0.01] };
    return [one[pname] || ['value', 'the light\u2019s value', 0.1]];
  }
  const FOG = { 0x0B62: ['density', 'the fog\u2019s density, for GL_EXP and GL_EXP2', 0.02],
                0x0B63: ['start', 'where linear fog starts, as a distance from the eye', 0.5],
                0x0B64: ['end', 'where linear fog is whole, as a distance from the eye', 0.5] };
  return {
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
    glLightfv: (a) => [null, null, ...lightValues(a[1])],
    glLightModelfv: (a) => [null, ...(a[0] === 0x0B53 ? [...rgb('the ambient light everywhere'), ['alpha', 'alpha', 0.05]]
                                     : [['value', '1: on, 0: off', 1]])],
    glMaterialfv: (a) => [null, null, ...(a[1] === 0x1601 ? [['shininess', 'how tight the highlight is, 0 to 128', 4]]
                                          : [...rgb('the material\u2019s ' + colourOf(a[1])), ['alpha', 'alpha', 0.05]])],
    glClearColor: [...rgb('the colour the frame is cleared to'), ['alpha', 'alpha, unused here', 0.05]],
    glColor4f: [...rgb('the colour of the vertices that follow'), ['alpha', 'alpha: 1 opaque, 0 clear, when blending', 0.05]],
    glVertex4f: [...xyz('the vertex\u2019s position in object coordinates:', 0.1), ['w', 'the homogeneous w, usually 1', 0.1]],
    glTexCoord4f: [['s', 'texture coordinate across the image', 0.1], ['t', 'texture coordinate up the image', 0.1],
                   ['r', 'third texture coordinate', 0.1], ['q', 'homogeneous texture coordinate, usually 1', 0.1]],
    glRasterPos4f: [...xyz('the raster position, in object coordinates:', 0.1), ['w', 'its homogeneous w', 0.1]],
    glFrustum: [['left', 'the near plane\u2019s left edge, x in eye coordinates', 0.1], ['right', 'its right edge', 0.1],
                ['bottom', 'its bottom edge', 0.1], ['top', 'its top edge', 0.1],
                ['zNear', 'distance from the eye to the near plane, more than 0', 0.05],
                ['zFar', 'distance from the eye to the far plane', 1]],
    gluOrtho2D: [['left', 'the view\u2019s left side, x in eye coordinates', 0.1], ['right', 'its right side', 0.1],
                 ['bottom', 'its bottom', 0.1], ['top', 'its top', 0.1]],
    gluSphere: [['radius', 'the sphere\u2019s radius', 0.1], ['slices', 'divisions around the z axis', 1],
                ['stacks', 'divisions along the z axis', 1]],
    gluCylinder: [['base', 'radius at z = 0', 0.1], ['top', 'radius at z = height', 0.1], ['height', 'length along z', 0.1],
                  ['slices', 'divisions around the z axis', 1], ['stacks', 'divisions along the z axis', 1]],
    glFogfv: (a) => [null, ...(a[0] === 0x0B66 ? [...rgb('the fog\u2019s colour'), ['alpha', 'alpha', 0.05]]
                                : [FOG[a[0]] || ['value', 'the fog\u2019s value', 0.1]])],
    glLineWidth: [['width', 'the lines\u2019 width in pixels', 1]],
    glPointSize: [['size', 'the points\u2019 size in pixels', 1]],
    glRectf: [['x1', 'one corner\u2019s x', 0.1], ['y1', 'its y', 0.1], ['x2', 'the opposite corner\u2019s x', 0.1],
              ['y2', 'its y', 0.1]],
    glutSolidTeapot: [['size', 'the teapot\u2019s size', 0.1]], glutWireTeapot: [['size', 'the teapot\u2019s size', 0.1]],
    glutSolidSphere: [['radius', 'the sphere\u2019s radius', 0.1], ['slices', 'divisions around the z axis', 1],
                      ['stacks', 'divisions along the z axis', 1]],
    glutSolidCube: [['size', 'the length of the cube\u2019s edge', 0.1]],
    glutWireCube: [['size', 'the length of the cube\u2019s edge', 0.1]],
    glutBitmapCharacter: [['character', 'the character\u2019s code', 1]],
    glutStrokeCharacter: [['character', 'the character\u2019s code', 1]],
  };

})();

// The values GL takes for an argument that is a GL name, by entry point and
// argument: the cells offer them as a choice.
window.InspectChoices = (function () {
  const FUNCS = [0x0200, 0x0201, 0x0202, 0x0203, 0x0204, 0x0205, 0x0206, 0x0207];  // GL_NEVER ... GL_ALWAYS
  const FACTORS = [0, 1, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0305, 0x0306, 0x0307, 0x0308];
  const FACES = [0x0404, 0x0405, 0x0408];
  return {
    glBegin: { 0: [...Array(10).keys()] },
    glFrontFace: { 0: [0x0900, 0x0901] },
    glShadeModel: { 0: [0x1D00, 0x1D01] },
    glMatrixMode: { 0: [0x1700, 0x1701, 0x1702] },
    glCullFace: { 0: FACES },
    glPolygonMode: { 0: FACES, 1: [0x1B00, 0x1B01, 0x1B02] },
    glDepthFunc: { 0: FUNCS },
    glAlphaFunc: { 0: FUNCS },
    glBlendFunc: { 0: FACTORS, 1: FACTORS },
    glColorMaterial: { 0: FACES, 1: [0x1200, 0x1201, 0x1202, 0x1600, 0x1602] },
    glTexEnvf: { 2: [0x2100, 0x2101, 0x0BE2, 0x1E01] },
    glTexParameteri: { 2: [0x2600, 0x2601, 0x2700, 0x2701, 0x2702, 0x2703, 0x2900, 0x2901] },
  };
})();
