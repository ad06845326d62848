// The inspected frame, edits included, as a small C program that draws the
// same picture on any desktop with GLUT: frame.c, the texture files the
// frame binds, and a Makefile, packed as one tar.gz. The frame is handed in
// as plain data (FrameAsC.files); nothing here reads the page, and GL's
// names are the inspector's. Loaded when the inspector first saves a frame.
'use strict';

window.FrameAsC = (function () {
  const { ENUMS, BUFFER_BITS } = window.Inspector;  // GL's names, as the inspector writes them

  // How each entry point's arguments are written: e an enum, i an integer,
  // f a float, d a double; a trailing [ makes the rest one GLfloat array.
  const SHAPES = {
    glMatrixMode: 'e', glLoadIdentity: '', glPushMatrix: '', glPopMatrix: '', glTranslatef: 'fff', glRotatef: 'ffff',
    glScalef: 'fff', glOrtho: 'dddddd', gluPerspective: 'dddd', gluLookAt: 'ddddddddd', glViewport: 'iiii',
    glBegin: 'e', glEnd: '', glVertex3f: 'fff', glTexCoord2f: 'ff', glColor3f: 'fff', glColor3fv: '[fff',
    glNormal3f: 'fff', glFrontFace: 'e', glBindTexture: 'ei', glTexParameteri: 'eee', glPixelStorei: 'ei',
    glTexEnvf: 'eee', glLightfv: 'ee[ffff', glLightModelfv: 'e[ffff', glMaterialfv: 'ee[ffff',
    glColorMaterial: 'ee', glShadeModel: 'e', glEnable: 'e', glDisable: 'e', glClearColor: 'ffff', glClear: 'b',
  };

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

  function callC(name, args) {
    const shape = SHAPES[name];
    if (shape === undefined) return null;
    const array = shape.indexOf('[');
    const kinds = shape.replace('[', '');
    const text = args.map((a, i) => {
      const k = kinds[i] || 'f';
      if (k === 'b') return BUFFER_BITS.filter(([bit]) => a & bit).map(([, n]) => n).join(' | ') || String(a);
      return { e: enumName, i: (x) => String(Math.trunc(x)), f: float, d: double }[k](a);
    });
    if (array >= 0) {
      const count = name === 'glMaterialfv' && args[1] === 0x1601 ? 1 : args.length - array;  // GL_SHININESS: one
      const values = text.slice(array, array + count).join(', ');
      text.splice(array, text.length - array, '(const GLfloat[]){' + values + '}');
    }
    return name + '(' + text.join(', ') + ');';
  }

  const chainText = (chain) => {
    const where = chain[chain.length - 1];
    return chain.map((f) => f.name).join(' > ') + (where && where.line ? '  ' + where.file + ':' + where.line : '');
  };

  // The calls of a function body, under a comment each time the program's
  // chain of functions changes; glBegin ... glEnd indented.
  function body(calls, chainOf) {
    const out = [];
    let shown = null, depth = 1;
    calls.forEach((c, i) => {
      const where = chainText(chainOf(i));
      if (where && where !== shown) {
        out.push('    '.repeat(depth) + '/* ' + where.replace(/\*\//g, '* /') + ' */');
        shown = where;
      }
      if (c.name === 'glEnd') depth--;
      const line = callC(c.name, c.args);
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
    const textures = frame.textures.map((t) => [
      '    /* ' + t.file + ' */',
      '    glBindTexture(GL_TEXTURE_2D, ' + t.name + ');',
      ...t.params.map(([pname, value]) => '    glTexParameteri(GL_TEXTURE_2D, ' + enumName(pname) + ', ' + enumName(value) + ');'),
      '    loadTexture("' + t.file + '");'].join('\n')).join('\n');
    return `/* One frame of Tarnvale, as the page's frame inspector saw it${frame.edited ? ', with its edits' : ''}:
   every GL call the program made for it, in order, under the program's
   functions that made them. Build and run it with
       make && ./frame
   next to the texture files. q or Escape quits. */
#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

${READER}
/* The bound texture's image from a file; a file that cannot be read leaves
   the texture without one, and the frame is drawn without it. */
static void loadTexture(const char *file)
{
    int width, height;
    unsigned char *pixels = readBmp(file, &width, &height);
    if (!pixels)
        return;
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    free(pixels);
}

/* The state the frame starts with, and the textures it binds. */
static void init(void)
{
${body(init, (i) => init[i].chain || [])}
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
${textures}
${bound ? '    ' + callC('glBindTexture', bound.args) + '  /* as the frame starts */' : ''}
}

/* The viewport and projection, as the program's last reshape set them. */
static void reshape(int width, int height)
{
    (void)width;
    (void)height;
${body(reshape, (i) => reshape[i].chain || [])}
}

static void display(void)
{
${body(frame.calls, frame.chains)}
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
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
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
            ...frame.textures.map((t) => ({ name: t.file, data: textureBytes(t.file) }))];
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
