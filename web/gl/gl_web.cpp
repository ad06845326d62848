// The OpenGL 1.1 and GLU entry points this program calls, on WebGL 1: each
// passes its call to the one GL context (gl_context.cpp), which computes the
// frame; the frame goes to WebGL (webgl_draw.cpp) when it is flushed. Each
// call is also offered to the page's inspector, with its arguments as the
// program passed them (gl_notes.h): every call while it records a frame, and
// between frames those that set the state the next one starts with.
#include "web/gl/gl_web.h"

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

#include "glcore/matrix.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_notes.h"
#include "web/gl/webgl_draw.h"

namespace {
glweb::Context context;

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

void glMatrixMode(GLenum mode) { context.matrixMode(mode); note("glMatrixMode", {(double)mode}); }
void glLoadIdentity() { context.loadIdentity(); note("glLoadIdentity"); }
void glPushMatrix() { context.pushMatrix(); note("glPushMatrix"); }
void glPopMatrix() { context.popMatrix(); note("glPopMatrix"); }

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    context.multiply(glcore::translation(x, y, z));
    note("glTranslatef", {x, y, z});
}

void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z)
{
    context.multiply(glcore::rotation(a, x, y, z));
    note("glRotatef", {a, x, y, z});
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    context.multiply(glcore::scaling(x, y, z));
    note("glScalef", {x, y, z});
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    context.multiply(glcore::ortho(left, right, bottom, top, zNear, zFar));
    note("glOrtho", {left, right, bottom, top, zNear, zFar});
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    context.multiply(glcore::perspective(fovy, aspect, zNear, zFar));
    note("gluPerspective", {fovy, aspect, zNear, zFar});
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    context.multiply(glcore::lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
    note("gluLookAt", {eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ});
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    context.viewport(x, y, width, height);
    note("glViewport", {(double)x, (double)y, (double)width, (double)height});
}

void glBegin(GLenum mode) { context.begin(mode); note("glBegin", {(double)mode}); }
void glEnd() { context.end(); note("glEnd"); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { context.vertex(x, y, z); note("glVertex3f", {x, y, z}); }
void glTexCoord2f(GLfloat s, GLfloat t) { context.texCoord(s, t); note("glTexCoord2f", {s, t}); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { context.color(r, g, b); note("glColor3f", {r, g, b}); }
void glColor3fv(const GLfloat* v) { context.color(v[0], v[1], v[2]); note("glColor3fv", {v[0], v[1], v[2]}); }
void glFrontFace(GLenum mode) { context.frontFace(mode); note("glFrontFace", {(double)mode}); }

void glBindTexture(GLenum target, GLuint name)
{
    context.bindTexture(name);
    note("glBindTexture", {(double)target, (double)name});
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    context.texParameter(pname, param);
    note("glTexParameteri", {(double)target, (double)pname, (double)param});
}

void glPixelStorei(GLenum pname, GLint param)
{
    context.pixelStore(pname, param);
    note("glPixelStorei", {(double)pname, (double)param});
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param)
{
    if (pname == GL_TEXTURE_ENV_MODE)
        context.texEnvMode((GLenum)param);
    note("glTexEnvf", {(double)target, (double)pname, param});
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    context.texImage2D(width, height, format, type, pixels);
    pageTextureImage(context.snapshot().texture);
    note("glTexImage2D", {(double)target, (double)level, (double)internalFormat, (double)width, (double)height,
                          (double)border, (double)format, (double)type});
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* p)
{
    context.light(light, pname, p);
    note("glLightfv", {(double)light, (double)pname, p[0], p[1], p[2], p[3]});
}

void glLightModelfv(GLenum pname, const GLfloat* p)
{
    context.lightModel(pname, p);
    note("glLightModelfv", {(double)pname, p[0], p[1], p[2], p[3]});
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* p)
{
    context.material(pname, p);
    if (pname == GL_SHININESS)  // one value; the others take four
        note("glMaterialfv", {(double)face, (double)pname, p[0]});
    else
        note("glMaterialfv", {(double)face, (double)pname, p[0], p[1], p[2], p[3]});
}

void glColorMaterial(GLenum face, GLenum mode)
{
    context.colorMaterial(mode);
    note("glColorMaterial", {(double)face, (double)mode});
}

void glShadeModel(GLenum mode) { note("glShadeModel", {(double)mode}); }  // smooth shading is what the shader pair does
void glEnable(GLenum cap) { context.enable(cap, true); note("glEnable", {(double)cap}); }
void glDisable(GLenum cap) { context.enable(cap, false); note("glDisable", {(double)cap}); }

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    context.clearColor(r, g, b, a);
    note("glClearColor", {r, g, b, a});
}

void glClear(GLbitfield mask) { context.clear(mask); note("glClear", {(double)mask}); }
void glFlush() { note("glFlush"); webFlush(); }

}  // extern "C"
