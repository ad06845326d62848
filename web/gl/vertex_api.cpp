// Every form of the calls that give a vertex and its current colour,
// normal, texture coordinates and edge flag (2, 3 or 4 components; bytes,
// shorts, ints, floats and doubles; one by one or as a vector), glRect, and
// the float and double forms of the matrix calls, and the user clip
// planes. Each form becomes one call of four floats, which display lists
// keep; GL 1.1's conversions of integer colours and normals to [-1, 1] are
// its own.
#include <GL/gl.h>
#include <GL/glu.h>

#include "glcore/matrix.h"
#include "web/gl/gl_api.h"

using glweb::gl;

namespace {

void vertex(float x, float y, float z, float w)
{
    ENTRY("glVertex4f", vertex, (x, y, z, w));
    gl().vertex(x, y, z, w);
}

void color(float r, float g, float b, float a)
{
    ENTRY("glColor4f", color, (r, g, b, a));
    gl().color(r, g, b, a);
}

void normal(float x, float y, float z)
{
    ENTRY("glNormal3f", normal, (x, y, z));
    gl().normal(x, y, z);
}

void texCoord(float s, float t, float r, float q)
{
    ENTRY("glTexCoord4f", texCoord, (s, t, r, q));
    gl().texCoord(s, t, r, q);
}

// Integer colour and normal components as GL 1.1 takes them.
float ub(GLubyte c) { return c / 255.0f; }
float sb(GLbyte c) { return (2.0f * c + 1) / 255.0f; }
float us(GLushort c) { return c / 65535.0f; }
float ss(GLshort c) { return (2.0f * c + 1) / 65535.0f; }
float ui(GLuint c) { return (float)(c / 4294967295.0); }
float si(GLint c) { return (float)((2.0 * c + 1) / 4294967295.0); }
float same(double c) { return (float)c; }

void multiply(const glcore::Mat4& m)
{
    gl().multiply(m);
}

// A matrix call made again from its sixteen numbers.
inspect::Redo matrixCall(void (*call)(const GLfloat*))
{
    return [call](const double* a) {
        GLfloat m[16];
        for (int i = 0; i < 16; i++)
            m[i] = (GLfloat)a[i];
        call(m);
    };
}

}  // namespace

extern "C" {

// glVertex: 2, 3 and 4 components of shorts, ints, floats and doubles.
#define VERTEX(suffix, T)                                                                         \
    void glVertex2##suffix(T x, T y) { vertex((float)x, (float)y, 0, 1); }                         \
    void glVertex4##suffix(T x, T y, T z, T w) { vertex((float)x, (float)y, (float)z, (float)w); } \
    void glVertex2##suffix##v(const T* v) { vertex((float)v[0], (float)v[1], 0, 1); }              \
    void glVertex3##suffix##v(const T* v) { glVertex3f((float)v[0], (float)v[1], (float)v[2]); }   \
    void glVertex4##suffix##v(const T* v) { vertex((float)v[0], (float)v[1], (float)v[2], (float)v[3]); }
VERTEX(s, GLshort)
VERTEX(i, GLint)
VERTEX(f, GLfloat)
VERTEX(d, GLdouble)
void glVertex3s(GLshort x, GLshort y, GLshort z) { glVertex3f(x, y, z); }
void glVertex3i(GLint x, GLint y, GLint z) { glVertex3f((float)x, (float)y, (float)z); }
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) { glVertex3f((float)x, (float)y, (float)z); }

// glTexCoord: 1 to 4 components.
#define TEXCOORD(suffix, T)                                                                          \
    void glTexCoord1##suffix(T s) { texCoord((float)s, 0, 0, 1); }                                     \
    void glTexCoord3##suffix(T s, T t, T r) { texCoord((float)s, (float)t, (float)r, 1); }             \
    void glTexCoord4##suffix(T s, T t, T r, T q) { texCoord((float)s, (float)t, (float)r, (float)q); } \
    void glTexCoord1##suffix##v(const T* v) { texCoord((float)v[0], 0, 0, 1); }                        \
    void glTexCoord2##suffix##v(const T* v) { glTexCoord2f((float)v[0], (float)v[1]); }                \
    void glTexCoord3##suffix##v(const T* v) { texCoord((float)v[0], (float)v[1], (float)v[2], 1); }    \
    void glTexCoord4##suffix##v(const T* v) { texCoord((float)v[0], (float)v[1], (float)v[2], (float)v[3]); }
TEXCOORD(s, GLshort)
TEXCOORD(i, GLint)
TEXCOORD(f, GLfloat)
TEXCOORD(d, GLdouble)
void glTexCoord2s(GLshort s, GLshort t) { glTexCoord2f(s, t); }
void glTexCoord2i(GLint s, GLint t) { glTexCoord2f((float)s, (float)t); }
void glTexCoord2d(GLdouble s, GLdouble t) { glTexCoord2f((float)s, (float)t); }

// glColor: 3 and 4 components of every type, integers scaled to [0, 1].
#define COLOR(suffix, T, conv)                                                              \
    void glColor4##suffix(T r, T g, T b, T a) { color(conv(r), conv(g), conv(b), conv(a)); } \
    void glColor4##suffix##v(const T* v) { color(conv(v[0]), conv(v[1]), conv(v[2]), conv(v[3])); }
#define COLOR3(suffix, T, conv)                                                             \
    void glColor3##suffix(T r, T g, T b) { glColor3f(conv(r), conv(g), conv(b)); }           \
    void glColor3##suffix##v(const T* v) { glColor3f(conv(v[0]), conv(v[1]), conv(v[2])); }
COLOR(b, GLbyte, sb)
COLOR(ub, GLubyte, ub)
COLOR(s, GLshort, ss)
COLOR(us, GLushort, us)
COLOR(i, GLint, si)
COLOR(ui, GLuint, ui)
COLOR(f, GLfloat, same)
COLOR(d, GLdouble, same)
COLOR3(b, GLbyte, sb)
COLOR3(ub, GLubyte, ub)
COLOR3(s, GLshort, ss)
COLOR3(us, GLushort, us)
COLOR3(i, GLint, si)
COLOR3(ui, GLuint, ui)
COLOR3(d, GLdouble, same)

// glNormal: signed integers scaled to [-1, 1].
#define NORMAL(suffix, T, conv)                                                          \
    void glNormal3##suffix(T x, T y, T z) { normal(conv(x), conv(y), conv(z)); }          \
    void glNormal3##suffix##v(const T* v) { normal(conv(v[0]), conv(v[1]), conv(v[2])); }
NORMAL(b, GLbyte, sb)
NORMAL(s, GLshort, ss)
NORMAL(i, GLint, si)
NORMAL(f, GLfloat, same)
NORMAL(d, GLdouble, same)

void glEdgeFlag(GLboolean flag)
{
    ENTRY("glEdgeFlag", glEdgeFlag, (flag));
    gl().edgeFlag(flag != 0);
}
void glEdgeFlagv(const GLboolean* flag) { glEdgeFlag(*flag); }

// A rectangle is the polygon of its four corners, counter-clockwise from (x1, y1).
#define RECT(suffix, T)                                  \
    void glRect##suffix(T x1, T y1, T x2, T y2)          \
    {                                                    \
        NOTED("glRect" #suffix, glRect##suffix, (x1, y1, x2, y2)); \
        if (!glweb::outsideBeginEnd())                   \
            return;                                      \
        glBegin(GL_POLYGON);                             \
        glVertex2##suffix(x1, y1);                       \
        glVertex2##suffix(x2, y1);                       \
        glVertex2##suffix(x2, y2);                       \
        glVertex2##suffix(x1, y2);                       \
        glEnd();                                         \
    }                                                    \
    void glRect##suffix##v(const T* a, const T* b) { glRect##suffix(a[0], a[1], b[0], b[1]); }
RECT(s, GLshort)
RECT(i, GLint)
RECT(f, GLfloat)
RECT(d, GLdouble)

// --- Matrices in float and double ---

void glTranslated(GLdouble x, GLdouble y, GLdouble z) { glTranslatef((float)x, (float)y, (float)z); }
void glRotated(GLdouble a, GLdouble x, GLdouble y, GLdouble z) { glRotatef((float)a, (float)x, (float)y, (float)z); }
void glScaled(GLdouble x, GLdouble y, GLdouble z) { glScalef((float)x, (float)y, (float)z); }

static glcore::Mat4 matrixOf(const GLfloat* m)
{
    glcore::Mat4 out;
    for (int i = 0; i < 16; i++)
        out.m[i] = m[i];
    return out;
}

void glLoadMatrixf(const GLfloat* m)
{
    const glcore::Mat4 a = matrixOf(m);
    LISTED(glLoadMatrixf(a.m));  // noted when the list loads it
    NOTED_AS("glLoadMatrixf", (m, m + 16), matrixCall(glLoadMatrixf));
    gl().loadMatrix(a);
}

void glMultMatrixf(const GLfloat* m)
{
    const glcore::Mat4 a = matrixOf(m);
    LISTED(glMultMatrixf(a.m));
    NOTED_AS("glMultMatrixf", (m, m + 16), matrixCall(glMultMatrixf));
    multiply(a);
}

void glLoadMatrixd(const GLdouble* m)
{
    GLfloat f[16];
    for (int i = 0; i < 16; i++)
        f[i] = (GLfloat)m[i];
    glLoadMatrixf(f);
}

void glMultMatrixd(const GLdouble* m)
{
    GLfloat f[16];
    for (int i = 0; i < 16; i++)
        f[i] = (GLfloat)m[i];
    glMultMatrixf(f);
}

void glFrustum(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    NOTED("glFrustum", glFrustum, (l, r, b, t, n, f));
    if (n <= 0 || f <= 0 || l == r || b == t || n == f)
        return glweb::raise(GL_INVALID_VALUE);
    const GLdouble m[16] = {2 * n / (r - l), 0, 0, 0, 0, 2 * n / (t - b), 0, 0, (r + l) / (r - l), (t + b) / (t - b),
                            -(f + n) / (f - n), -1, 0, 0, -2 * f * n / (f - n), 0};
    glMultMatrixd(m);
}

// --- User clip planes ---
void glClipPlane(GLenum plane, const GLdouble* equation)
{
    const GLdouble e[4] = {equation[0], equation[1], equation[2], equation[3]};
    LISTED(glClipPlane(plane, e));
    NOTED_AS("glClipPlane", ((double)plane, e[0], e[1], e[2], e[3]), [](const double* a) {
        const GLdouble v[4] = {a[1], a[2], a[3], a[4]};
        glClipPlane((GLenum)a[0], v);
    });
    if (plane < GL_CLIP_PLANE0 || plane > GL_CLIP_PLANE5)
        return glweb::raise(GL_INVALID_ENUM);
    glweb::gl().clipPlane((int)(plane - GL_CLIP_PLANE0), e);
}

void glGetClipPlane(GLenum plane, GLdouble* equation)
{
    if (plane < GL_CLIP_PLANE0 || plane > GL_CLIP_PLANE5)
        return glweb::raise(GL_INVALID_ENUM);
    const float* p = glweb::gl().clipPlaneValue((int)(plane - GL_CLIP_PLANE0));
    for (int i = 0; i < 4; i++)
        equation[i] = p[i];
}

// --- Colour indices: kept and answered; in RGBA they draw nothing ---
#define INDEX(suffix, T)                                                \
    void glIndex##suffix(T c) { glIndexf((GLfloat)c); }                 \
    void glIndex##suffix##v(const T* c) { glIndexf((GLfloat)c[0]); }
void glIndexf(GLfloat c)
{
    ENTRY("glIndexf", glIndexf, (c));
    glweb::gl().currentIndex = c;
}
void glIndexfv(const GLfloat* c) { glIndexf(c[0]); }
INDEX(d, GLdouble)
INDEX(i, GLint)
INDEX(s, GLshort)
INDEX(ub, GLubyte)

void glClearIndex(GLfloat c)
{
    ENTRY("glClearIndex", glClearIndex, (c));
    if (glweb::outsideBeginEnd())
        glweb::gl().clearIndexValue = c;
}

void glIndexMask(GLuint mask)
{
    ENTRY("glIndexMask", glIndexMask, (mask));
    if (glweb::outsideBeginEnd())
        glweb::gl().indexMask = mask;
}

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top)
{
    NOTED("gluOrtho2D", gluOrtho2D, (left, right, bottom, top));
    glOrtho(left, right, bottom, top, -1, 1);
}

}  // extern "C"
