#include "recording_gl.h"

#include <cstring>

namespace rgl {

State gl;

void reset()
{
    gl = State();
}

void clearLog()
{
    gl.calls.clear();
    gl.primitives.clear();
    gl.errors.clear();
}

int count(const std::string& name)
{
    int n = 0;
    for (const Call& c : gl.calls)
        n += c.name == name;
    return n;
}

std::vector<std::string> callNames()
{
    std::vector<std::string> names;
    for (const Call& c : gl.calls)
        names.push_back(c.name);
    return names;
}

const Mat4& currentModelview()
{
    return gl.stacks.modelview.back();
}

int modelviewDepth()
{
    return (int)gl.stacks.modelview.size();
}

bool isEnabled(GLenum capability)
{
    auto it = gl.enabled.find(capability);
    return it != gl.enabled.end() && it->second;
}

static void record(const char* name, std::vector<double> args = {})
{
    gl.calls.push_back({name, std::move(args)});
}

// Most calls are not allowed between glBegin and glEnd.
static void outsideBegin(const char* name)
{
    if (gl.inBegin)
        gl.errors.push_back(std::string(name) + " inside glBegin/glEnd");
}

}  // namespace rgl

using namespace rgl;

extern "C" {

void glMatrixMode(GLenum mode)
{
    record("glMatrixMode", {(double)mode});
    outsideBegin("glMatrixMode");
    gl.matrixMode = mode;
    gl.stacks.projectionMode = mode == GL_PROJECTION;
}

void glLoadIdentity()
{
    record("glLoadIdentity");
    outsideBegin("glLoadIdentity");
    gl.stacks.load(identity());
}

void glPushMatrix()
{
    record("glPushMatrix");
    outsideBegin("glPushMatrix");
    if (!gl.stacks.push())
        gl.errors.push_back("matrix stack overflow");
}

void glPopMatrix()
{
    record("glPopMatrix");
    outsideBegin("glPopMatrix");
    if (!gl.stacks.pop())
        gl.errors.push_back("matrix stack underflow");
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    record("glTranslatef", {x, y, z});
    outsideBegin("glTranslatef");
    gl.stacks.multiplyBy(translation(x, y, z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    record("glRotatef", {angle, x, y, z});
    outsideBegin("glRotatef");
    gl.stacks.multiplyBy(rotation(angle, x, y, z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    record("glScalef", {x, y, z});
    outsideBegin("glScalef");
    gl.stacks.multiplyBy(scaling(x, y, z));
}

void glOrtho(GLdouble l, GLdouble r, GLdouble b, GLdouble t, GLdouble n, GLdouble f)
{
    record("glOrtho", {l, r, b, t, n, f});
    outsideBegin("glOrtho");
    gl.stacks.multiplyBy(glcore::ortho(l, r, b, t, n, f));
}

void glViewport(GLint x, GLint y, GLsizei w, GLsizei h)
{
    record("glViewport", {(double)x, (double)y, (double)w, (double)h});
    gl.viewport[0] = x;
    gl.viewport[1] = y;
    gl.viewport[2] = w;
    gl.viewport[3] = h;
}

void glBegin(GLenum mode)
{
    record("glBegin", {(double)mode});
    outsideBegin("glBegin");
    gl.inBegin = true;
    Primitive p;
    p.mode = mode;
    p.frontFace = gl.frontFace;
    p.texture = gl.boundTexture;
    p.depth = modelviewDepth();
    p.modelview = currentModelview();
    p.firstCall = gl.calls.size() - 1;
    gl.primitives.push_back(p);
}

void glEnd()
{
    record("glEnd");
    if (!gl.inBegin)
        gl.errors.push_back("glEnd without glBegin");
    gl.inBegin = false;
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    record("glVertex3f", {x, y, z});
    if (!gl.inBegin) {
        gl.errors.push_back("glVertex3f outside glBegin/glEnd");
        return;
    }
    Primitive& p = gl.primitives.back();
    Vertex v;
    v.local = {x, y, z};
    v.eye = transformPoint(p.modelview, v.local);
    v.s = gl.texCoord[0];
    v.t = gl.texCoord[1];
    std::memcpy(v.color, gl.color, sizeof v.color);
    p.vertices.push_back(v);
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    record("glTexCoord2f", {s, t});
    gl.texCoord[0] = s;
    gl.texCoord[1] = t;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    record("glColor3f", {r, g, b});
    gl.color[0] = r;
    gl.color[1] = g;
    gl.color[2] = b;
}

void glColor3fv(const GLfloat* v)
{
    record("glColor3fv", {v[0], v[1], v[2]});
    std::memcpy(gl.color, v, sizeof gl.color);
}

void glFrontFace(GLenum mode)
{
    record("glFrontFace", {(double)mode});
    outsideBegin("glFrontFace");
    gl.frontFace = mode;
}

void glBindTexture(GLenum target, GLuint texture)
{
    record("glBindTexture", {(double)target, (double)texture});
    outsideBegin("glBindTexture");
    gl.boundTexture = texture;
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    record("glTexParameteri", {(double)target, (double)pname, (double)param});
}

void glTexEnvf(GLenum target, GLenum pname, GLfloat param)
{
    record("glTexEnvf", {(double)target, (double)pname, param});
}

void glPixelStorei(GLenum pname, GLint param)
{
    record("glPixelStorei", {(double)pname, (double)param});
    if (pname == GL_UNPACK_ALIGNMENT)
        gl.unpackAlignment = param;
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    record("glTexImage2D", {(double)target, (double)level, (double)internalFormat, (double)width, (double)height,
                            (double)border, (double)format, (double)type});
    Texture t;
    t.width = width;
    t.height = height;
    t.unpackAlignment = gl.unpackAlignment;
    if (pixels != nullptr && width > 0 && height > 0) {
        t.hasData = true;
        size_t row = (size_t)width * 3;
        size_t stride = (row + gl.unpackAlignment - 1) / gl.unpackAlignment * gl.unpackAlignment;
        const unsigned char* src = static_cast<const unsigned char*>(pixels);
        for (int y = 0; y < height; y++)
            t.pixels.insert(t.pixels.end(), src + y * stride, src + y * stride + row);
    }
    gl.textures[gl.boundTexture] = t;
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    record("glLightfv", {(double)light, (double)pname, params[0], params[1], params[2], params[3]});
}

void glLightModelfv(GLenum pname, const GLfloat* params)
{
    record("glLightModelfv", {(double)pname, params[0], params[1], params[2], params[3]});
}

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params)
{
    if (pname == GL_SHININESS)
        record("glMaterialfv", {(double)face, (double)pname, params[0]});
    else
        record("glMaterialfv", {(double)face, (double)pname, params[0], params[1], params[2], params[3]});
}

void glColorMaterial(GLenum face, GLenum mode)
{
    record("glColorMaterial", {(double)face, (double)mode});
}

void glShadeModel(GLenum mode)
{
    record("glShadeModel", {(double)mode});
}

void glEnable(GLenum cap)
{
    record("glEnable", {(double)cap});
    outsideBegin("glEnable");
    gl.enabled[cap] = true;
}

void glDisable(GLenum cap)
{
    record("glDisable", {(double)cap});
    outsideBegin("glDisable");
    gl.enabled[cap] = false;
}

void glClear(GLbitfield mask)
{
    record("glClear", {(double)mask});
    outsideBegin("glClear");
}

void glClearColor(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    record("glClearColor", {r, g, b, a});
}

void glFlush()
{
    record("glFlush");
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    record("gluPerspective", {fovy, aspect, zNear, zFar});
    gl.stacks.multiplyBy(glcore::perspective(fovy, aspect, zNear, zFar));
}

void gluLookAt(GLdouble ex, GLdouble ey, GLdouble ez, GLdouble cx, GLdouble cy, GLdouble cz, GLdouble ux,
               GLdouble uy, GLdouble uz)
{
    record("gluLookAt", {ex, ey, ez, cx, cy, cz, ux, uy, uz});
    gl.stacks.multiplyBy(glcore::lookAt(ex, ey, ez, cx, cy, cz, ux, uy, uz));
}

void glutInit(int*, char**)
{
    record("glutInit");
}

void glutInitDisplayMode(unsigned int mode)
{
    record("glutInitDisplayMode", {(double)mode});
    gl.displayMode = mode;
}

void glutInitWindowSize(int width, int height)
{
    record("glutInitWindowSize", {(double)width, (double)height});
    gl.windowWidth = width;
    gl.windowHeight = height;
}

int glutCreateWindow(const char* title)
{
    record("glutCreateWindow");
    gl.windowTitle = title;
    return ++gl.windowsCreated;
}

void glutDisplayFunc(void (*f)())
{
    record("glutDisplayFunc");
    gl.displayFunc = f;
}

void glutReshapeFunc(void (*f)(int, int))
{
    record("glutReshapeFunc");
    gl.reshapeFunc = f;
}

void glutKeyboardFunc(void (*f)(unsigned char, int, int))
{
    record("glutKeyboardFunc");
    gl.keyboardFunc = f;
}

void glutSpecialFunc(void (*f)(int, int, int))
{
    record("glutSpecialFunc");
    gl.specialFunc = f;
}

void glutMouseFunc(void (*f)(int, int, int, int))
{
    record("glutMouseFunc");
    gl.mouseFunc = f;
}

void glutMotionFunc(void (*f)(int, int))
{
    record("glutMotionFunc");
    gl.motionFunc = f;
}

int glutCreateMenu(void (*f)(int))
{
    record("glutCreateMenu");
    gl.menuFunc = f;
    return 1;
}

void glutAddMenuEntry(const char* label, int value)
{
    record("glutAddMenuEntry", {(double)value});
    gl.menuEntries.push_back({label, value});
}

void glutAttachMenu(int button)
{
    record("glutAttachMenu", {(double)button});
    gl.attachedButton = button;
}

void glutMainLoop()
{
    record("glutMainLoop");
}

void glutPostRedisplay()
{
    record("glutPostRedisplay");
    gl.redisplayRequests++;
}

void glutSwapBuffers()
{
    record("glutSwapBuffers");
    gl.swaps++;
}

}  // extern "C"
