/* Runs generated GL programs, each in a new window of its own, and prints
   what each asked GL for and the picture it left. The same source runs on
   the desktop (freeglut and Mesa) and on the page, so the two outputs can
   be compared line for line.

   A program is a block of lines: "program WIDTH HEIGHT DISPLAY_MODE", then
   one call a line, "end". A call is its name and its arguments: numbers;
   "[ ... ]" an array (its element type the parameter's, or given before
   the bracket: f[, d[, i[, u[, b[, s[, S[, B[); "#N" the buffer a query
   writes, N values of which are printed; "@select", "@feedback" the
   buffers those modes fill; "Q" the program's quadric.
       runner PROGRAMS_FILE */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "dispatch.h"

#define MAX_ARGS 12
#define MAX_ARRAYS 256

static GLuint selectBuffer[4096];
static GLfloat feedbackBuffer[8192];
static union {
    double d[8192];
    float f[16384];
    GLint i[16384];
    GLubyte b[65536];
} out;
static void* arrays[MAX_ARRAYS];  /* kept to the program's end: arrays may point into them */
static int arrayCount;
static GLenum renderMode = GL_RENDER;

static const Entry* find(const char* name)
{
    int lo = 0, hi = entryCount - 1;
    while (lo <= hi) {
        const int mid = (lo + hi) / 2, c = strcmp(name, entries[mid].name);
        if (c == 0)
            return &entries[mid];
        if (c < 0)
            hi = mid - 1;
        else
            lo = mid + 1;
    }
    return NULL;
}

static size_t elementSize(char e)
{
    switch (e) {
    case 'd': return 8;
    case 'f': case 'i': case 'u': return 4;
    case 's': case 'S': return 2;
    default: return 1;
    }
}

static void store(void* at, char e, size_t k, double v)
{
    switch (e) {
    case 'd': ((GLdouble*)at)[k] = v; break;
    case 'f': ((GLfloat*)at)[k] = (GLfloat)v; break;
    case 'i': ((GLint*)at)[k] = (GLint)v; break;
    case 'u': ((GLuint*)at)[k] = (GLuint)v; break;
    case 's': ((GLshort*)at)[k] = (GLshort)v; break;
    case 'S': ((GLushort*)at)[k] = (GLushort)v; break;
    case 'B': ((GLbyte*)at)[k] = (GLbyte)v; break;
    default: ((GLubyte*)at)[k] = (GLubyte)v; break;
    }
}

static double load(char e, size_t k)
{
    switch (e) {
    case 'd': return out.d[k];
    case 'f': return out.f[k];
    case 'i': case 'u': return e == 'u' ? (double)(GLuint)out.i[k] : out.i[k];
    default: return out.b[k];
    }
}

/* The next whitespace-separated word of *line, or NULL. */
static char* word(char** line)
{
    char* s = *line;
    while (*s == ' ' || *s == '\t')
        s++;
    if (!*s || *s == '\n')
        return NULL;
    char* start = s;
    while (*s && *s != ' ' && *s != '\t' && *s != '\n')
        s++;
    if (*s)
        *s++ = 0;
    *line = s;
    return start;
}

/* An array's numbers up to "]", as elements of `e`. */
static void* readArray(char** line, char e)
{
    double values[4096];
    size_t n = 0;
    for (char* w; (w = word(line)) && strcmp(w, "]") != 0;)
        if (n < sizeof values / sizeof values[0])
            values[n++] = strtod(w, NULL);
    void* a = calloc(n + 16, 8);
    for (size_t k = 0; k < n; k++)
        store(a, e, k, values[k]);
    if (arrayCount < MAX_ARRAYS)
        arrays[arrayCount++] = a;
    return a;
}

static void printValue(double v)
{
    printf(" %.9g", v == 0 ? 0.0 : v);  /* no -0 */
}

/* After glRenderMode: what the mode left behind wrote into its buffer. */
static void printRendered(GLenum left, int count)
{
    if (count < 0) {
        printf(" overflow");
        return;
    }
    if (left == GL_SELECT) {
        size_t at = 0;
        for (int hit = 0; hit < count && at + 3 <= sizeof selectBuffer / sizeof selectBuffer[0]; hit++) {
            const GLuint names = selectBuffer[at];
            printf(" | %u", names);
            printValue(selectBuffer[at + 1] / 4294967295.0);
            printValue(selectBuffer[at + 2] / 4294967295.0);
            for (GLuint k = 0; k < names && at + 3 + k < sizeof selectBuffer / sizeof selectBuffer[0]; k++)
                printf(" %u", selectBuffer[at + 3 + k]);
            at += 3 + names;
        }
    } else if (left == GL_FEEDBACK) {
        for (int k = 0; k < count && k < (int)(sizeof feedbackBuffer / sizeof feedbackBuffer[0]); k++)
            printValue(feedbackBuffer[k]);
    }
}

/* One call: its name, then its arguments as the parameters' kinds say. */
static void call(char* line, int number, GLUquadric* quadric)
{
    char* name = word(&line);
    const Entry* e = name ? find(name) : NULL;
    if (!e) {
        printf("%d unknown %s\n", number, name ? name : "");
        return;
    }
    Arg a[MAX_ARGS];
    memset(a, 0, sizeof a);
    char kinds[64];
    snprintf(kinds, sizeof kinds, "%s", e->kinds);
    char* k = kinds;
    int printed = -1;
    char printedAs = 'f';
    for (int i = 0; i < MAX_ARGS; i++) {
        char* kind = word(&k);
        if (!kind)
            break;
        char* w = word(&line);
        if (!w)
            break;
        if (kind[0] == 'q') {
            a[i].p = quadric;
        } else if (kind[0] == 'o' && w[0] == '#') {
            printed = atoi(w + 1);
            printedAs = kind[1] == 'v' ? 'f' : kind[1];
            if ((size_t)printed * elementSize(printedAs) > sizeof out)
                printed = 0;
            memset(&out, 0, sizeof out);
            a[i].p = &out;
        } else if (strcmp(w, "@select") == 0) {
            a[i].p = selectBuffer;
        } else if (strcmp(w, "@feedback") == 0) {
            a[i].p = feedbackBuffer;
        } else if (w[0] == '[' || (w[0] && w[1] == '[')) {
            a[i].p = readArray(&line, w[0] == '[' ? (kind[1] == 'v' ? 'b' : kind[1]) : w[0]);
        } else {
            a[i].n = strtod(w, NULL);
        }
    }
    const GLenum left = renderMode;
    if (strcmp(name, "glRenderMode") == 0)
        renderMode = (GLenum)a[0].n;
    Result r = {0, 0};
    e->call(a, &r);
    if (!r.returned && printed < 0)
        return;
    printf("%d %s", number, name);
    if (r.returned)
        printValue(r.ret);
    if (strcmp(name, "glRenderMode") == 0)
        printRendered(left, (int)r.ret);
    for (int i = 0; i < printed; i++)
        printValue(load(printedAs, (size_t)i));
    printf("\n");
}

/* What the program left in the window, read whatever it set for reading. */
static void picture(int width, int height, unsigned mode)
{
    if (renderMode != GL_RENDER)
        glRenderMode(GL_RENDER);
    const GLenum stores[] = {GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS, GL_PACK_SWAP_BYTES,
                             GL_PACK_LSB_FIRST};
    for (size_t i = 0; i < sizeof stores / sizeof stores[0]; i++)
        glPixelStorei(stores[i], 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    const GLenum scales[] = {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE};
    const GLenum biases[] = {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS};
    for (int i = 0; i < 4; i++) {
        glPixelTransferf(scales[i], 1);
        glPixelTransferf(biases[i], 0);
    }
    glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
    glReadBuffer(mode & GLUT_DOUBLE ? GL_BACK : GL_FRONT);
    unsigned char* rgb = malloc((size_t)width * (size_t)height * 3);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    printf("pixels %d %d ", width, height);
    for (int i = 0; i < width * height * 3; i++)
        printf("%02x", rgb[i]);
    printf("\n");
    free(rgb);
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    FILE* f = argc > 1 ? fopen(argv[1], "r") : NULL;
    if (!f) {
        fprintf(stderr, "usage: %s PROGRAMS_FILE\n", argv[0]);
        return 2;
    }
    static char line[1 << 16];
    int width = 64, height = 64, window = 0, number = 0;
    unsigned mode = GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH;
    GLUquadric* quadric = NULL;
    while (fgets(line, sizeof line, f)) {
        if (strncmp(line, "program", 7) == 0) {
            sscanf(line + 7, "%d %d %u", &width, &height, &mode);
            glutInitDisplayMode(mode);
            glutInitWindowSize(width, height);
            window = glutCreateWindow("Conformance");
            quadric = gluNewQuadric();
            renderMode = GL_RENDER;
            number = 0;
            printf("program\n");
        } else if (strncmp(line, "end", 3) == 0 && window) {
            glFinish();
            picture(width, height, mode);
            fflush(stdout);
            gluDeleteQuadric(quadric);
            for (int i = 0; i < arrayCount; i++)
                free(arrays[i]);
            arrayCount = 0;
            glutDestroyWindow(window);
            window = 0;
        } else if (window && line[0] != '#' && line[0] != '\n') {
            call(line, number++, quadric);
        }
    }
    fclose(f);
    return 0;
}
