// The OpenGL 1.1 and GLU entry points this program calls, on WebGL 1: each
// passes its call to the one GL context (gl_context.cpp), which computes the
// frame; the frame goes to WebGL (webgl_draw.cpp) when it is flushed.
#include "web/gl_web.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "glcore/matrix.h"
#include "web/gl_context.h"
#include "web/webgl_draw.h"

namespace {
glweb::Context context;
}  // namespace

void webFlush()
{
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

void glMatrixMode(GLenum mode) { context.matrixMode(mode); }
void glLoadIdentity() { context.loadIdentity(); }
void glPushMatrix() { context.pushMatrix(); }
void glPopMatrix() { context.popMatrix(); }
void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { context.multiply(glcore::translation(x, y, z)); }
void glRotatef(GLfloat a, GLfloat x, GLfloat y, GLfloat z) { context.multiply(glcore::rotation(a, x, y, z)); }
void glScalef(GLfloat x, GLfloat y, GLfloat z) { context.multiply(glcore::scaling(x, y, z)); }

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    context.multiply(glcore::ortho(left, right, bottom, top, zNear, zFar));
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    context.multiply(glcore::perspective(fovy, aspect, zNear, zFar));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    context.multiply(glcore::lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) { context.viewport(x, y, width, height); }
void glBegin(GLenum mode) { context.begin(mode); }
void glEnd() { context.end(); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { context.vertex(x, y, z); }
void glTexCoord2f(GLfloat s, GLfloat t) { context.texCoord(s, t); }
void glColor3f(GLfloat r, GLfloat g, GLfloat b) { context.color(r, g, b); }
void glColor3fv(const GLfloat* v) { context.color(v[0], v[1], v[2]); }
void glFrontFace(GLenum mode) { context.frontFace(mode); }
void glBindTexture(GLenum, GLuint name) { context.bindTexture(name); }
void glTexParameteri(GLenum, GLenum pname, GLint param) { context.texParameter(pname, param); }
void glPixelStorei(GLenum pname, GLint param) { context.pixelStore(pname, param); }

void glTexEnvf(GLenum, GLenum pname, GLfloat param)
{
    if (pname == GL_TEXTURE_ENV_MODE)
        context.texEnvMode((GLenum)param);
}

void glTexImage2D(GLenum, GLint, GLint, GLsizei width, GLsizei height, GLint, GLenum format, GLenum type,
                  const void* pixels)
{
    context.texImage2D(width, height, format, type, pixels);
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) { context.light(light, pname, params); }
void glLightModelfv(GLenum pname, const GLfloat* params) { context.lightModel(pname, params); }
void glMaterialfv(GLenum, GLenum pname, const GLfloat* params) { context.material(pname, params); }
void glColorMaterial(GLenum, GLenum mode) { context.colorMaterial(mode); }
void glShadeModel(GLenum) {}  // smooth shading is what the shader pair does
void glEnable(GLenum cap) { context.enable(cap, true); }
void glDisable(GLenum cap) { context.enable(cap, false); }
void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) { context.clearColor(r, g, b, a); }
void glClear(GLbitfield mask) { context.clear(mask); }
void glFlush() { webFlush(); }

}  // extern "C"
