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

void note(const char* name, std::initializer_list<double> args = {})
{
    inspect::note(context, name, args);
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
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    LISTED(glMatrixMode(mode));
    if (mode != GL_MODELVIEW && mode != GL_PROJECTION && mode != GL_TEXTURE)
        return glweb::raise(GL_INVALID_ENUM);
    context.matrixMode(mode);
    note("glMatrixMode", {(double)mode});
}

void glLoadIdentity() { LISTED(glLoadIdentity()); context.loadIdentity(); note("glLoadIdentity"); }

void glPushMatrix()
{
    LISTED(glPushMatrix());
    if (!context.pushMatrix())
        glweb::raise(GL_STACK_OVERFLOW);
    note("glPushMatrix");
}

void glPopMatrix()
{
    LISTED(glPopMatrix());
    if (!context.popMatrix())
        glweb::raise(GL_STACK_UNDERFLOW);
    note("glPopMatrix");
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    LISTED(glTranslatef(x, y, z));
    context.multiply(glcore::translation(x, y, z));
    note("glTranslatef", {x, y, z});
}

void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z)
{
    LISTED(glRotatef(a, x, y, z));
    context.multiply(glcore::rotation(a, x, y, z));
    note("glRotatef", {a, x, y, z});
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    LISTED(glScalef(x, y, z));
    context.multiply(glcore::scaling(x, y, z));
    note("glScalef", {x, y, z});
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    LISTED(glOrtho(left, right, bottom, top, zNear, zFar));
    context.multiply(glcore::ortho(left, right, bottom, top, zNear, zFar));
    note("glOrtho", {left, right, bottom, top, zNear, zFar});
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    LISTED(gluPerspective(fovy, aspect, zNear, zFar));
    context.multiply(glcore::perspective(fovy, aspect, zNear, zFar));
    note("gluPerspective", {fovy, aspect, zNear, zFar});
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    LISTED(gluLookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
    context.multiply(glcore::lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
    note("gluLookAt", {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ});
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    LISTED(glViewport(x, y, width, height));
    context.viewport(x, y, width, height);
    note("glViewport", {(double)x, (double)y, (double)width, (double)height});
}

void glBegin(GLenum mode)
{
    LISTED(glBegin(mode));
    if (mode > GL_POLYGON)
        return glweb::raise(GL_INVALID_ENUM);
    if (context.inside())
        return glweb::raise(GL_INVALID_OPERATION);
    context.begin(mode);
    note("glBegin", {(double)mode});
}

void glEnd()
{
    LISTED(glEnd());
    if (!context.inside())
        return glweb::raise(GL_INVALID_OPERATION);
    context.end();
    note("glEnd");
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    LISTED(glVertex3f(x, y, z));
    context.vertex(x, y, z);
    note("glVertex3f", {x, y, z});
}

void glTexCoord2f(GLfloat s, GLfloat t) { LISTED(glTexCoord2f(s, t)); context.texCoord(s, t); note("glTexCoord2f", {s, t}); }

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    LISTED(glColor3f(r, g, b));
    context.color(r, g, b);
    note("glColor3f", {r, g, b});
}

void glColor3fv(const GLfloat* v)
{
    const GLfloat r = v[0], g = v[1], b = v[2];
    LISTED(glColor3f(r, g, b));
    context.color(r, g, b);
    note("glColor3fv", {r, g, b});
}

void glFrontFace(GLenum mode) { LISTED(glFrontFace(mode)); context.frontFace(mode); note("glFrontFace", {(double)mode}); }

void glBindTexture(GLenum target, GLuint name)
{
    LISTED(glBindTexture(target, name));
    context.bindTexture(name);
    note("glBindTexture", {(double)target, (double)name});
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    LISTED(glTexParameteri(target, pname, param));
    context.texParameter(pname, param);
    note("glTexParameteri", {(double)target, (double)pname, (double)param});
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
    context.pixelStore(pname, param);
    note("glPixelStorei", {(double)pname, (double)param});
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param)
{
    LISTED(glTexEnvf(target, pname, param));
    if (pname == GL_TEXTURE_ENV_MODE)
        context.texEnvMode((GLenum)param);
    note("glTexEnvf", {(double)target, (double)pname, param});
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    if (target != GL_TEXTURE_2D)
        return glweb::raise(GL_INVALID_ENUM);
    if (border != 0 || !context.texImage2D(width, height, format, type, pixels, level, internalFormat))
        return glweb::raise(width < 0 || height < 0 || border != 0 || level < 0 ? GL_INVALID_VALUE : GL_INVALID_ENUM);
    pageTextureImage(context.snapshot().texture);
    note("glTexImage2D", {(double)target, (double)level, (double)internalFormat, (double)width, (double)height,
                          (double)border, (double)format, (double)type});
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
    context.light(light, pname, v);
    note("glLightfv", {(double)light, (double)pname, v[0], v[1], v[2], v[3]});
}

void glLightModelfv(GLenum pname, const GLfloat* p)
{
    GLfloat v[4] = {0, 0, 0, 0};
    std::copy(p, p + lightValues(pname), v);
    LISTED(glLightModelfv(pname, v));
    context.lightModel(pname, v);
    note("glLightModelfv", {(double)pname, v[0], v[1], v[2], v[3]});
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* given)
{
    GLfloat p[4] = {0, 0, 0, 0};
    std::copy(given, given + lightValues(pname), p);
    LISTED(glMaterialfv(face, pname, p));
    context.material(face, pname, p);
    if (pname == GL_SHININESS)  // one value; the others take four
        note("glMaterialfv", {(double)face, (double)pname, p[0]});
    else
        note("glMaterialfv", {(double)face, (double)pname, p[0], p[1], p[2], p[3]});
}

void glColorMaterial(GLenum face, GLenum mode)
{
    LISTED(glColorMaterial(face, mode));
    context.colorMaterial(face, mode);
    note("glColorMaterial", {(double)face, (double)mode});
}

void glShadeModel(GLenum mode) { LISTED(glShadeModel(mode)); context.shadeModel(mode); note("glShadeModel", {(double)mode}); }
void glEnable(GLenum cap)
{
    LISTED(glEnable(cap));
    if (!context.enable(cap, true))
        return glweb::raise(GL_INVALID_ENUM);
    note("glEnable", {(double)cap});
}
void glDisable(GLenum cap)
{
    LISTED(glDisable(cap));
    if (!context.enable(cap, false))
        return glweb::raise(GL_INVALID_ENUM);
    note("glDisable", {(double)cap});
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    LISTED(glClearColor(r, g, b, a));
    context.clearColor(r, g, b, a);
    note("glClearColor", {r, g, b, a});
}

void glClear(GLbitfield mask)
{
    LISTED(glClear(mask));
    context.clear(mask);
    if (mask & GL_ACCUM_BUFFER_BIT)
        glweb::clearAccum();
    note("glClear", {(double)mask});
}
void glFlush() { note("glFlush"); webFlush(); }

}  // extern "C"
