// The entry points of selection and feedback: the render mode, the
// buffers, the name stack and glPassThrough (select_feedback.cpp reports).
#include <GL/gl.h>

#include "web/gl/gl_api.h"

using glweb::gl;

extern "C" {

GLint glRenderMode(GLenum mode)
{
    NOTED("glRenderMode", glRenderMode, (mode));
    if (mode != GL_RENDER && mode != GL_SELECT && mode != GL_FEEDBACK) {
        glweb::raise(GL_INVALID_ENUM);
        return 0;
    }
    if (!glweb::outsideBeginEnd())
        return 0;
    glweb::Context::RenderState& r = gl().render;
    if ((mode == GL_SELECT && !r.select) || (mode == GL_FEEDBACK && !r.feedback)) {
        glweb::raise(GL_INVALID_OPERATION);
        return 0;
    }
    return gl().renderMode(mode);
}

// Made again into a buffer of the inspector's: the program's may be gone.
void glSelectBuffer(GLsizei size, GLuint* buffer)
{
    NOTED_AS("glSelectBuffer", ((double)size), [](const double* a) {
        static std::vector<GLuint> own;
        own.assign((size_t)std::max(a[0], 0.0), 0);
        glSelectBuffer((GLsizei)a[0], own.data());
    });
    if (size < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (gl().render.mode == GL_SELECT)
        return glweb::raise(GL_INVALID_OPERATION);
    gl().render.select = buffer;
    gl().render.selectSize = (size_t)size;
}

void glFeedbackBuffer(GLsizei size, GLenum type, GLfloat* buffer)
{
    NOTED_AS("glFeedbackBuffer", ((double)size, (double)type), [](const double* a) {
        static std::vector<GLfloat> own;
        own.assign((size_t)std::max(a[0], 0.0), 0);
        glFeedbackBuffer((GLsizei)a[0], (GLenum)a[1], own.data());
    });
    if (size < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (type != GL_2D && type != GL_3D && type != GL_3D_COLOR && type != GL_3D_COLOR_TEXTURE &&
        type != GL_4D_COLOR_TEXTURE)
        return glweb::raise(GL_INVALID_ENUM);
    if (gl().render.mode == GL_FEEDBACK)
        return glweb::raise(GL_INVALID_OPERATION);
    gl().render.feedback = buffer;
    gl().render.feedbackSize = (size_t)size;
    gl().render.feedbackType = type;
}

// The name stack changes only in selection; each change first writes the
// hit of the names before it.
void glInitNames()
{
    ENTRY("glInitNames", glInitNames, ());
    if (gl().render.mode != GL_SELECT)
        return;
    gl().writeHit();
    gl().render.names.clear();
}

void glPushName(GLuint name)
{
    ENTRY("glPushName", glPushName, (name));
    glweb::Context::RenderState& r = gl().render;
    if (r.mode != GL_SELECT)
        return;
    if (r.names.size() >= 64)
        return glweb::raise(GL_STACK_OVERFLOW);
    gl().writeHit();
    r.names.push_back(name);
}

void glPopName()
{
    ENTRY("glPopName", glPopName, ());
    glweb::Context::RenderState& r = gl().render;
    if (r.mode != GL_SELECT)
        return;
    if (r.names.empty())
        return glweb::raise(GL_STACK_UNDERFLOW);
    gl().writeHit();
    r.names.pop_back();
}

void glLoadName(GLuint name)
{
    ENTRY("glLoadName", glLoadName, (name));
    glweb::Context::RenderState& r = gl().render;
    if (r.mode != GL_SELECT)
        return;
    if (r.names.empty())
        return glweb::raise(GL_INVALID_OPERATION);
    gl().writeHit();
    r.names.back() = name;
}

void glPassThrough(GLfloat token)
{
    ENTRY("glPassThrough", glPassThrough, (token));
    if (gl().render.mode != GL_FEEDBACK)
        return;
    gl().feed((float)GL_PASS_THROUGH_TOKEN);
    gl().feed(token);
}

}  // extern "C"
