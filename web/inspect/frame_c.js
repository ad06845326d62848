// The inspected frame, edits included, as a small C program that draws the
// same picture on any desktop with GLUT: frame.c, the texture files the
// frame binds, and a Makefile, packed as one tar.gz. The frame is handed in
// as plain data (FrameAsC.files); nothing here reads the page, and GL's
// names are the inspector's. Loaded when the inspector first saves a frame.
'use strict';

window.FrameAsC = (function () {
  const { ENUMS } = window.Inspector;  // GL's names, as the inspector writes them
  const { NAMES, maskText } = window.InspectTables;

  // How each entry point's arguments are written: e an enum, b a mask, i an
  // integer, f a float, d a double; [ makes the rest one array of the kind
  // after it. Ours where the page notes a call otherwise than GL declares
  // it; the rest from GL's headers.
  const OWN_SHAPES = {
    glMatrixMode: 'e', glLoadIdentity: '', glPushMatrix: '', glPopMatrix: '', glTranslatef: 'fff', glRotatef: 'ffff',
    glScalef: 'fff', glOrtho: 'dddddd', gluPerspective: 'dddd', gluLookAt: 'ddddddddd', glViewport: 'iiii',
    glBegin: 'e', glEnd: '', glVertex3f: 'fff', glTexCoord2f: 'ff', glColor3f: 'fff', glColor3fv: '[fff',
    glNormal3f: 'fff', glFrontFace: 'e', glBindTexture: 'ei', glTexParameteri: 'eee', glPixelStorei: 'ei',
    glTexEnvf: 'eee', glLightfv: 'ee[ffff', glLightModelfv: 'e[ffff', glMaterialfv: 'ee[ffff',
    glColorMaterial: 'ee', glShadeModel: 'e', glEnable: 'e', glDisable: 'e', glClearColor: 'ffff', glClear: 'b',
    glMaterialfv: 'ee[ffff', glFogfv: 'e[ffff', glTexEnvfv: 'ee[ffff', glTexParameterfv: 'ee[ffff',
  };
  const LETTERS = { name: 'e', mask: 'b', integer: 'i', float: 'f', double: 'd' };
  const shapeOf = (name) => OWN_SHAPES[name] ?? (NAMES.calls[name] && NAMES.calls[name].map(([, kind]) =>
    (kind.startsWith('pointer ') ? '[' : '') + LETTERS[kind.replace('pointer ', '')]).join(''));

  // The shortest decimal that reads back as the same float (or double).
  function float(v) {
    const f = Math.fround(v);
    let text = String(f);
    for (let p = 1; p <= 9; p++) {
      const t = String(Number(f.toPrecision(p)));
      if (Math.fround(Number(t)) === f) { text = t; break; }
    }
    return (/[.e]/.test(text) ? text : text + '.0') + 'f';
  }
  const double = (v) => { const t = String(v); return /[.e]/.test(t) ? t : t + '.0'; };
  const enumName = (v) => ENUMS[v] || String(v);
  const integer = (x) => String(Math.trunc(x));
  const C_TYPES = { f: 'GLfloat', d: 'GLdouble', i: 'GLint' };

  // A call as C, or null for one that has no C of its own here. `data` is
  // what a call of pixels, bits or points was made with; `out` gathers the
  // arrays it needs, declared before the function it is in, and follows the
  // unpack alignment the rows of a bitmap are padded to.
  function callC(name, args, data, out) {
    const special = data && SPECIAL[name];
    if (special) return special(args, data, out);
    if (name === 'glSelectBuffer' || name === 'glFeedbackBuffer') {
      const array = name === 'glSelectBuffer' ? 'selectBuffer' : 'feedbackBuffer';
      out.decls.push('static ' + (array === 'selectBuffer' ? 'GLuint ' : 'GLfloat ') + array + out.arrays + '[' + integer(args[0]) + '];');
      return name + '(' + integer(args[0]) + (args.length > 1 ? ', ' + enumName(args[1]) : '') + ', ' + array + out.arrays++ + ');';
    }
    const shape = shapeOf(name);
    if (shape === undefined) return null;
    if (name === 'glPixelStorei' && args[0] === 0x0CF5) out.alignment = args[1];  // GL_UNPACK_ALIGNMENT
    const array = shape.indexOf('[');
    const kinds = shape.replace('[', '');
    const text = args.map((a, i) => {
      const k = kinds[i] || kinds[kinds.length - 1] || 'f';
      if (k === 'b') return maskText(a);
      return { e: enumName, i: integer, f: float, d: double }[k](a);
    });
    if (array >= 0) {
      const count = name === 'glMaterialfv' && args[1] === 0x1601 ? 1 : args.length - array;  // GL_SHININESS: one
      const values = text.slice(array, array + count).join(', ');
      text.splice(array, text.length - array, '(const ' + C_TYPES[kinds[array]] + '[]){' + values + '}');
    }
    return name + '(' + text.join(', ') + ');';
  }

  // A static array of the data a call was made with.
  function declare(out, type, prefix, values) {
    const name = prefix + out.arrays++;
    const rows = [];
    for (let i = 0; i < values.length; i += 16) rows.push('    ' + values.slice(i, i + 16).join(', '));
    out.decls.push('static const ' + type + ' ' + name + '[] = {\n' + rows.join(',\n') + '\n};');
    return name;
  }

  // The calls made with data: the data as an array, laid out as the call
  // reads it in the saved program.
  const SPECIAL = {
    glBitmap(args, bits, out) {  // rows of whole bytes, padded to the unpack alignment
      const [width, height] = args, tight = (width + 7) >> 3, row = Math.ceil(tight / out.alignment) * out.alignment;
      const padded = [];
      for (let y = 0; y < height; y++)
        for (let x = 0; x < row; x++) padded.push(x < tight ? bits[y * tight + x] : 0);
      const name = declare(out, 'GLubyte', 'bitmap', padded);
      return 'glBitmap(' + [integer(width), integer(height), ...args.slice(2, 6).map(float), name].join(', ') + ');';
    },
    glDrawPixels(args, rgba, out) {  // as the page unpacked them: RGBA bytes
      return 'glDrawPixels(' + integer(args[0]) + ', ' + integer(args[1]) + ', GL_RGBA, GL_UNSIGNED_BYTE, ' +
             declare(out, 'GLubyte', 'pixels', Array.from(rgba)) + ');';
    },
    glCopyPixels(args, rgba, out) {  // the pixels it copied then
      return SPECIAL.glDrawPixels(args.slice(2), rgba, out);
    },
    glPolygonStipple(args, pattern, out) { return 'glPolygonStipple(' + declare(out, 'GLubyte', 'stipple', Array.from(pattern)) + ');'; },
  };
  // The maps: their points in a row, so their strides are the points' own.
  for (const [name, two] of [['glMap1f', false], ['glMap1d', false], ['glMap2f', true], ['glMap2d', true]]) {
    SPECIAL[name] = (args, bytes, out) => {
      const doubles = name.endsWith('d');
      const points = Array.from(doubles ? new Float64Array(bytes.buffer, bytes.byteOffset, bytes.length >> 3)
                                        : new Float32Array(bytes.buffer, bytes.byteOffset, bytes.length >> 2));
      const number = doubles ? double : float;
      const size = points.length / (two ? args[4] * args[8] : args[4]);
      const a = [enumName(args[0]), number(args[1]), number(args[2]), integer(size), integer(args[4])];
      if (two) a.push(number(args[5]), number(args[6]), integer(size * args[4]), integer(args[8]));
      return name + '(' + a.join(', ') + ', ' + declare(out, doubles ? 'GLdouble' : 'GLfloat', 'points', points.map(number)) + ');';
    };
  }

  const chainText = (chain) => {
    const where = chain[chain.length - 1];
    return chain.map((f) => f.name).join(' > ') + (where && where.line ? '  ' + where.file + ':' + where.line : '');
  };

  // The calls of a function body, under a comment each time the program's
  // chain of functions changes; glBegin ... glEnd indented.
  function body(calls, chainOf, state) {
    const out = [];
    let shown = null, depth = 1;
    calls.forEach((c, i) => {
      const where = chainText(chainOf(i));
      if (where && where !== shown) {
        out.push('    '.repeat(depth) + '/* ' + where.replace(/\*\//g, '* /') + ' */');
        shown = where;
      }
      if (c.name === 'glEnd') depth--;
      const line = callC(c.name, c.args, c.data, state);
      if (line) out.push('    '.repeat(depth) + line);
      if (c.name === 'glBegin') depth++;
    });
    return out.join('\n');
  }

  const READER = String.raw`/* A short reader for the two kinds of BMP file the frame's textures are:
   uncompressed, bottom-up, 24 bits a pixel or 8 with a colour table. The
   pixels come back as RGB rows from the bottom, as glTexImage2D takes them;
   NULL, with the reason on stderr, for a file that is missing or damaged. */
static unsigned char *readBmp(const char *file, int *width, int *height)
{
    unsigned char head[54], table[1024] = {0};
    FILE *f = fopen(file, "rb");
    if (!f) {
        fprintf(stderr, "%s: cannot be opened\n", file);
        return NULL;
    }
    unsigned char *pixels = NULL;
    const char *why = NULL;
    if (fread(head, 1, 54, f) != 54 || head[0] != 'B' || head[1] != 'M')
        why = "not a BMP file";
    unsigned long offset = 0, info = 0, w = 0, h = 0, bits = 0, compression = 0;
    if (!why) {
        offset = head[10] | head[11] << 8 | (unsigned long)head[12] << 16 | (unsigned long)head[13] << 24;
        info = head[14] | head[15] << 8 | (unsigned long)head[16] << 16 | (unsigned long)head[17] << 24;
        w = head[18] | head[19] << 8 | (unsigned long)head[20] << 16 | (unsigned long)head[21] << 24;
        h = head[22] | head[23] << 8 | (unsigned long)head[24] << 16 | (unsigned long)head[25] << 24;
        bits = head[28] | head[29] << 8;
        compression = head[30] | head[31] << 8 | (unsigned long)head[32] << 16 | (unsigned long)head[33] << 24;
        if (info < 40 || compression != 0 || (bits != 8 && bits != 24))
            why = "not an uncompressed 8- or 24-bit BMP file";
        else if (w == 0 || h == 0 || w > 8192 || h > 8192)
            why = "of a size this reader does not take";
    }
    if (!why && bits == 8 && (fseek(f, 14 + (long)info, SEEK_SET) != 0 || fread(table, 4, 256, f) == 0))
        why = "damaged: its colour table cannot be read";
    if (!why) {
        const size_t bytes = bits / 8, row = (w * bytes + 3) / 4 * 4;
        unsigned char *line = malloc(row);
        pixels = malloc(w * h * 3);
        if (!line || !pixels || fseek(f, (long)offset, SEEK_SET) != 0)
            why = "damaged: its pixels cannot be read";
        for (unsigned long y = 0; !why && y < h; y++) {
            if (fread(line, 1, row, f) != row) {
                why = "damaged: its pixels end early";
                break;
            }
            for (unsigned long x = 0; x < w; x++) {
                const unsigned char *p = bits == 8 ? table + 4 * line[x] : line + 3 * x;
                unsigned char *to = pixels + (y * w + x) * 3;
                to[0] = p[2];
                to[1] = p[1];
                to[2] = p[0];
            }
        }
        free(line);
    }
    fclose(f);
    if (why) {
        fprintf(stderr, "%s: %s\n", file, why);
        free(pixels);
        return NULL;
    }
    *width = (int)w;
    *height = (int)h;
    return pixels;
}
`;

  const LOADER = `${READER}
/* The bound texture's image from a file; a file that cannot be read leaves
   the texture without one, and the frame is drawn without it. */
static void loadTexture(const char *file, int mipmapped)
{
    int width, height;
    unsigned char *pixels = readBmp(file, &width, &height);
    if (!pixels)
        return;
    if (mipmapped)
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    else
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    free(pixels);
}

`;

  // The whole program: `frame` is {width, height, starting, calls, chains,
  // textures} with starting and calls as {name, args, chain?}, chains the
  // chain of each call of the frame, and textures as {name, file, params}.
  function program(frame) {
    // The last reshape's calls (the viewport and the projection's run) go to
    // reshape; the rest of the starting state to init.
    const reshape = [], init = [];
    let inProjection = false;
    for (const c of frame.starting) {
      if (c.name === 'glMatrixMode') inProjection = c.args[0] === 0x1701;
      const toReshape = c.name === 'glViewport' || inProjection || c.name === 'glMatrixMode';
      (toReshape ? reshape : init).push(c);
    }
    const bound = init.filter((c) => c.name === 'glBindTexture').pop();
    // The bodies first, for the arrays their calls need; init leaves the
    // unpack alignment at 1 (for the textures).
    const state = { decls: [], arrays: 0, alignment: 4 };
    const initBody = body(init, (i) => init[i].chain || [], state);
    state.alignment = 1;
    const reshapeBody = body(reshape, (i) => reshape[i].chain || [], state);
    const displayBody = body(frame.calls, frame.chains, state);
    const modes = [[2, 'GLUT_DOUBLE'], [4, 'GLUT_ACCUM'], [8, 'GLUT_ALPHA'], [16, 'GLUT_DEPTH'], [32, 'GLUT_STENCIL']];
    const mode = ['GLUT_RGB', ...modes.filter(([bit]) => (frame.displayMode ?? 18) & bit).map(([, n]) => n)].join(' | ');
    const textures = frame.textures.map((t) => [
      '    /* ' + t.file + ' */',
      '    glBindTexture(GL_TEXTURE_2D, ' + t.name + ');',
      ...t.params.map(([pname, value]) => '    glTexParameteri(GL_TEXTURE_2D, ' + enumName(pname) + ', ' + enumName(value) + ');'),
      '    loadTexture("' + t.file + '", ' + (t.mipmapped ? 1 : 0) + ');'].join('\n')).join('\n');
    return `/* One frame of Tarnvale, as the page's frame inspector saw it${frame.edited ? ', with its edits' : ''}:
   every GL call the program made for it, in order, under the program's
   functions that made them. Build and run it with
       make && ./frame
   next to the texture files. q or Escape quits. */
#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

${frame.textures.length ? LOADER : ''}/* The state the frame starts with, and the textures it binds. */
${state.decls.join('\n\n')}${state.decls.length ? '\n\n' : ''}static void init(void)
{
${initBody}
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
${textures}
${bound ? '    ' + callC('glBindTexture', bound.args) + '  /* as the frame starts */' : ''}
}

/* The viewport and projection, as the program's last reshape set them. */
static void reshape(int width, int height)
{
    (void)width;
    (void)height;
${reshapeBody}
}

static void display(void)
{
${displayBody}
    glFlush();
    glutSwapBuffers();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x;
    (void)y;
    if (key == 'q' || key == 27)
        exit(0);
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(${mode});
    glutInitWindowSize(${frame.width}, ${frame.height});
    glutCreateWindow("Tarnvale frame");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
`;
  }

  const MAKEFILE = 'frame: frame.c\n\tcc -std=c99 -Wall -Wextra -o frame frame.c -lglut -lGLU -lGL -lm\n';

  // The archive's files: frame.c, the Makefile, and each texture file.
  function files(frame, textureBytes) {
    const text = new TextEncoder();
    return [{ name: 'frame.c', data: text.encode(program(frame)) }, { name: 'Makefile', data: text.encode(MAKEFILE) },
            ...frame.textures.map((t) => ({ name: t.file, data: t.bytes || textureBytes(t.file) }))];
  }

  // A ustar archive of the files in one folder, gzipped by the browser's
  // own CompressionStream where it has one.
  async function archive(folder, list) {
    const blocks = [];
    const field = (header, at, width, text) => { for (let i = 0; i < text.length && i < width; i++) header[at + i] = text.charCodeAt(i); };
    const octal = (n, width) => n.toString(8).padStart(width - 1, '0');
    for (const { name, data } of list) {
      const header = new Uint8Array(512);
      field(header, 0, 100, folder + '/' + name);
      field(header, 100, 8, '0000644');
      field(header, 108, 8, '0000000');
      field(header, 116, 8, '0000000');
      field(header, 124, 12, octal(data.length, 12));
      field(header, 136, 12, octal(Math.floor(Date.now() / 1000), 12));
      field(header, 148, 8, '        ');
      header[156] = '0'.charCodeAt(0);
      field(header, 257, 6, 'ustar');
      field(header, 263, 2, '00');
      field(header, 148, 8, octal(header.reduce((sum, b) => sum + b, 0), 7) + '\0');
      blocks.push(header, data, new Uint8Array((512 - data.length % 512) % 512));
    }
    blocks.push(new Uint8Array(1024));
    const tar = new Blob(blocks);
    if (!('CompressionStream' in window)) return { name: folder + '.tar', blob: tar };
    return { name: folder + '.tar.gz',
             blob: await new Response(tar.stream().pipeThrough(new CompressionStream('gzip'))).blob() };
  }

  return { program, files, archive, float };
})();
