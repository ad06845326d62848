// glAccum and glClearAccum. The buffer covers the window (the scissor box
// when the scissor test is on); GL_ACCUM and GL_LOAD read the frame drawn so
// far back from WebGL, and GL_RETURN writes its pixels through the colour
// mask and the scissor alone, past every other fragment test.
#include <GL/gl.h>

#include <algorithm>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/webgl_draw.h"

using glweb::gl;

namespace {

// The box the operation covers, with the buffer fitted to the window.
void box(int out[4])
{
    int w = 0, h = 0;
    webglWindowSize(&w, &h);
    glweb::Context& c = gl();
    c.accum.fit(w, h);
    const int whole[4] = {0, 0, w, h};
    std::copy(whole, whole + 4, out);
    if (c.fragments.scissor) {
        const int* s = c.fragments.scissorBox;
        out[0] = std::max(s[0], 0), out[1] = std::max(s[1], 0);
        out[2] = std::max(std::min(s[0] + s[2], w) - out[0], 0), out[3] = std::max(std::min(s[1] + s[3], h) - out[1], 0);
    }
}

}  // namespace

namespace glweb {

void clearAccum()
{
    if (!gl().accum.present)
        return;
    int b[4];
    box(b);
    gl().accum.clear(b);
}

}  // namespace glweb

extern "C" {

void glClearAccum(GLfloat r, GLfloat g, GLfloat b, GLfloat a)
{
    ENTRY("glClearAccum", glClearAccum, (r, g, b, a));
    const GLfloat v[4] = {r, g, b, a};
    for (int k = 0; k < 4; k++)
        gl().accum.clearValue[k] = std::min(std::max(v[k], -1.0f), 1.0f);
}

void glAccum(GLenum op, GLfloat value)
{
    ENTRY("glAccum", glAccum, (op, value));
    if (op != GL_ACCUM && op != GL_LOAD && op != GL_ADD && op != GL_MULT && op != GL_RETURN)
        return glweb::raise(GL_INVALID_ENUM);
    if (!gl().accum.present)
        return glweb::raise(GL_INVALID_OPERATION);
    if (!glweb::outsideBeginEnd())
        return;
    int b[4];
    box(b);
    std::vector<uint8_t> rgba((size_t)b[2] * (size_t)b[3] * 4, 0);
    if (op == GL_ACCUM || op == GL_LOAD)
        webglReadPixels(gl(), b[0], b[1], b[2], b[3], rgba.data());
    gl().accum.apply(op, value, b, rgba.data());
    if (op == GL_RETURN)
        gl().writePixels(b[0], b[1], b[2], b[3], rgba);
}

}  // extern "C"
