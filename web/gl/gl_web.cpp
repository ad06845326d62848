// The OpenGL 1.1 and GLU entry points this program calls, on WebGL 1: each
// passes its call to the one GL context (gl_context.cpp), which computes the
// frame; the frame goes to WebGL (webgl_draw.cpp) when it is flushed. Each
// call is also offered to the page's inspector, with its arguments as the
// program passed them (gl_notes.h): every call while it records a frame, and
// between frames those that set the state the next one starts with.
#include "web/gl/gl_web.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "glcore/matrix.h"
#include "web/gl/gl_api.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_notes.h"
#include "web/gl/webgl_draw.h"

namespace {
glweb::Context& context = glweb::gl();

// The vector calls as numbers, for the inspector to make again.
void color3fv(GLfloat r, GLfloat g, GLfloat b)
{
    const GLfloat v[3] = {r, g, b};
    glColor3fv(v);
}
void lightfv(GLenum light, GLenum pname, GLfloat a, GLfloat b, GLfloat c, GLfloat d)
{
    const GLfloat v[4] = {a, b, c, d};
    glLightfv(light, pname, v);
}
void lightModelfv(GLenum pname, GLfloat a, GLfloat b, GLfloat c, GLfloat d)
{
    const GLfloat v[4] = {a, b, c, d};
    glLightModelfv(pname, v);
}
void materialfv(GLenum face, GLenum pname, GLfloat a, GLfloat b, GLfloat c, GLfloat d)
{
    const GLfloat v[4] = {a, b, c, d};
    glMaterialfv(face, pname, v);
}
}  // namespace

#ifdef __EMSCRIPTEN__
// The file the program read the bound texture's image from (glut_web.cpp
// watches the files it opens), for the inspector.
EM_JS(void, pageTextureImage, (GLuint name), { Module.textureFiles[name] = Module.lastOpenedFile; });
#else
static void pageTextureImage(GLuint) {}
#endif

glweb::Context& webContext()
{
    return context;
}

void webWindowMade(int width, int height)
{
    context.attach(width, height);
    context.shaderLighting = webglWideIndices();
}

void webShaderLighting(bool on)
{
    context.shaderLighting = on;
}

void webAccumBuffer(bool present)
{
    context.accum.present = present;
}

void webStencilBuffer(bool present)
{
    context.stencilBuffer = present;
}

void webDoubleBuffer(bool present)
{
    context.doubleBuffered = present;
    context.drawBuffer = context.readBuffer = present ? GL_BACK : GL_FRONT;
}

void webFrameBegins()
{
    inspect::frameBegins();
}

void webFlush()
{
    inspect::finish(context);
    inspect::frameEnds();
    webglDraw(context);
}

int webDrawCalls()
{
    return webglDrawCalls();
}

void webContextRestored()
{
    webglForget();
    context.shaderLighting = context.shaderLighting && webglWideIndices();
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    ENTRY("glMatrixMode", glMatrixMode, (mode));
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE)
        return glweb::raise(GL_INVALID_ENUM);
    context.matrixMode(mode);
}

void glLoadIdentity() { ENTRY("glLoadIdentity", glLoadIdentity, ()); context.loadIdentity(); }

void glPushMatrix()
{
    ENTRY("glPushMatrix", glPushMatrix, ());
    if (!context.pushMatrix())
        glweb::raise(GL_STACK_OVERFLOW);
}

void glPopMatrix()
{
    ENTRY("glPopMatrix", glPopMatrix, ());
    if (!context.popMatrix())
        glweb::raise(GL_STACK_UNDERFLOW);
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    ENTRY("glTranslatef", glTranslatef, (x, y, z));
    context.multiply(glcore::translation(x, y, z));
}

void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z)
{
    ENTRY("glRotatef", glRotatef, (a, x, y, z));
    context.multiply(glcore::rotation(a, x, y, z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    ENTRY("glScalef", glScalef, (x, y, z));
    context.multiply(glcore::scaling(x, y, z));
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    ENTRY("glOrtho", glOrtho, (left, right, bottom, top, zNear, zFar));
    context.multiply(glcore::ortho(left, right, bottom, top, zNear, zFar));
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    ENTRY("gluPerspective", gluPerspective, (fovy, aspect, zNear, zFar));
    context.multiply(glcore::perspective(fovy, aspect, zNear, zFar));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    ENTRY("gluLookAt", gluLookAt, (eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
    context.multiply(glcore::lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    ENTRY("glViewport", glViewport, (x, y, width, height));
    context.viewport(x, y, width, height);
}

void glBegin(GLenum mode)
{
    ENTRY("glBegin", glBegin, (mode));
    if (mode > GL_POLYGON)
        return glweb::raise(GL_INVALID_ENUM);
    if (context.inside())
        return glweb::raise(GL_INVALID_OPERATION);
    context.begin(mode);
}

void glEnd()
{
    ENTRY("glEnd", glEnd, ());
    if (!context.inside())
        return glweb::raise(GL_INVALID_OPERATION);
    context.end();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    ENTRY("glVertex3f", glVertex3f, (x, y, z));
    context.vertex(x, y, z);
}

void glTexCoord2f(GLfloat s, GLfloat t) { ENTRY("glTexCoord2f", glTexCoord2f, (s, t)); context.texCoord(s, t); }

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    ENTRY("glColor3f", glColor3f, (r, g, b));
    context.color(r, g, b);
}

void glColor3fv(const GLfloat* v)
{
    const GLfloat r = v[0], g = v[1], b = v[2];
    LISTED(glColor3f(r, g, b));
    NOTED("glColor3fv", color3fv, (r, g, b));
    context.color(r, g, b);
}

void glFrontFace(GLenum mode) { ENTRY("glFrontFace", glFrontFace, (mode)); context.frontFace(mode); }

void glBindTexture(GLenum target, GLuint name)
{
    ENTRY("glBindTexture", glBindTexture, (target, name));
    context.bindTexture(name);
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    ENTRY("glTexParameteri", glTexParameteri, (target, pname, param));
    context.texParameter(pname, param);
}

void glPixelStorei(GLenum pname, GLint param)
{
    if (glweb::packStore(pname, param))
        return;
    if (pname != GL_UNPACK_ALIGNMENT && pname != GL_UNPACK_ROW_LENGTH && pname != GL_UNPACK_SKIP_ROWS &&
        pname != GL_UNPACK_SKIP_PIXELS && pname != GL_UNPACK_LSB_FIRST && pname != GL_UNPACK_SWAP_BYTES)
        return glweb::raise(GL_INVALID_ENUM);
    if ((pname == GL_UNPACK_ALIGNMENT && param != 1 && param != 2 && param != 4 && param != 8) ||
        (pname != GL_UNPACK_ALIGNMENT && pname != GL_UNPACK_LSB_FIRST && pname != GL_UNPACK_SWAP_BYTES && param < 0))
        return glweb::raise(GL_INVALID_VALUE);
    NOTED("glPixelStorei", glPixelStorei, (pname, param));
    context.pixelStore(pname, param);
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param)
{
    ENTRY("glTexEnvf", glTexEnvf, (target, pname, param));
    if (pname == GL_TEXTURE_ENV_MODE)
        context.texEnvMode((GLenum)param);
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    if (target != GL_TEXTURE_2D)
        return glweb::raise(GL_INVALID_ENUM);
    if (border != 0 || !context.texImage2D(width, height, format, type, pixels, level, internalFormat))
        return glweb::raise(width < 0 || height < 0 || border != 0 || level < 0 ? GL_INVALID_VALUE : GL_INVALID_ENUM);
    pageTextureImage(context.snapshot().texture);
    // Not made again: the texture keeps the image it was given.
    NOTED_AS("glTexImage2D", ((double)target, (double)level, (double)internalFormat, (double)width, (double)height,
                               (double)border, (double)format, (double)type), nullptr);
}

// How many values a vector parameter of lighting has.
static int lightValues(GLenum pname)
{
    switch (pname) {
    case GL_AMBIENT: case GL_DIFFUSE: case GL_SPECULAR: case GL_POSITION: case GL_EMISSION:
    case GL_AMBIENT_AND_DIFFUSE: case GL_LIGHT_MODEL_AMBIENT:
        return 4;
    case GL_SPOT_DIRECTION: return 3;
    default: return 1;
    }
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* p)
{
    GLfloat v[4] = {0, 0, 0, 0};
    std::copy(p, p + lightValues(pname), v);
    LISTED(glLightfv(light, pname, v));
    NOTED("glLightfv", lightfv, (light, pname, v[0], v[1], v[2], v[3]));
    context.light(light, pname, v);
}

void glLightModelfv(GLenum pname, const GLfloat* p)
{
    GLfloat v[4] = {0, 0, 0, 0};
    std::copy(p, p + lightValues(pname), v);
    LISTED(glLightModelfv(pname, v));
    NOTED("glLightModelfv", lightModelfv, (pname, v[0], v[1], v[2], v[3]));
    context.lightModel(pname, v);
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* given)
{
    GLfloat p[4] = {0, 0, 0, 0};
    std::copy(given, given + lightValues(pname), p);
    LISTED(glMaterialfv(face, pname, p));
    // Shininess is one value; the others take four.
    NOTED_AS("glMaterialfv", (pname == GL_SHININESS ? std::vector<double>{(double)face, (double)pname, p[0]}
                                                     : std::vector<double>{(double)face, (double)pname, p[0], p[1], p[2], p[3]}),
             inspect::redoOf(materialfv));
    context.material(face, pname, p);
}

void glColorMaterial(GLenum face, GLenum mode)
{
    ENTRY("glColorMaterial", glColorMaterial, (face, mode));
    context.colorMaterial(face, mode);
}

void glShadeModel(GLenum mode) { ENTRY("glShadeModel", glShadeModel, (mode)); context.shadeModel(mode); }
void glEnable(GLenum cap)
{
    ENTRY("glEnable", glEnable, (cap));
    if (!context.enable(cap, true))
        return glweb::raise(GL_INVALID_ENUM);
}
void glDisable(GLenum cap)
{
    ENTRY("glDisable", glDisable, (cap));
    if (!context.enable(cap, false))
        return glweb::raise(GL_INVALID_ENUM);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    ENTRY("glClearColor", glClearColor, (r, g, b, a));
    context.clearColor(r, g, b, a);
}

void glClear(GLbitfield mask)
{
    ENTRY("glClear", glClear, (mask));
    context.clear(mask);
    if (mask & GL_ACCUM_BUFFER_BIT)
        glweb::clearAccum();
}
void glFlush()
{
    NOTED_AS("glFlush", (), nullptr);  // sends the frame: never made again
    webFlush();
}
}  // extern "C"
