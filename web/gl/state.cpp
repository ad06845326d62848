// State and errors: the one context, GL's error flag, glGet (its answers in
// get_values.cpp), glIsEnabled, glGetString, hints, and the calls that set
// what fragments meet (depth, blending, alpha, stencil, fog, masks, the
// scissor and the logic operation), the size of points and lines, faces
// and polygon modes.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <type_traits>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"

namespace glweb {

namespace {
GLenum error = GL_NO_ERROR;
}

Context& gl()
{
    static Context context;
    return context;
}

void raise(GLenum e)
{
    if (error == GL_NO_ERROR)
        error = e;
}

bool outsideBeginEnd()
{
    if (!gl().inside())
        return true;
    raise(GL_INVALID_OPERATION);
    return false;
}

}  // namespace glweb

using glweb::gl;

namespace {

template <typename T>
void get(GLenum pname, T* params)
{
    std::vector<double> v;
    if (!params)
        return;
    if (!glweb::getValues(pname, v))
        return glweb::raise(GL_INVALID_ENUM);
    const bool scaled = glweb::scaledAsColour(pname);
    for (size_t i = 0; i < v.size(); i++)
        params[i] = std::is_same<T, GLint>::value ? (T)glweb::integerOf(v[i], scaled) : (T)v[i];
}

}  // namespace

extern "C" {

GLenum glGetError()
{
    const GLenum e = glweb::error;
    glweb::error = GL_NO_ERROR;
    return e;
}

const GLubyte* glGetString(GLenum name)
{
    switch (name) {
    case GL_VENDOR: return (const GLubyte*)"Tarnvale";
    case GL_RENDERER: return (const GLubyte*)"Tarnvale GL 1.1 on WebGL";
    case GL_VERSION: return (const GLubyte*)"1.1 Tarnvale";
    case GL_EXTENSIONS: return (const GLubyte*)"";
    default: glweb::raise(GL_INVALID_ENUM); return nullptr;
    }
}

GLboolean glIsEnabled(GLenum cap)
{
    if (!gl().knownCap(cap))
        glweb::raise(GL_INVALID_ENUM);
    return gl().isEnabled(cap) ? GL_TRUE : GL_FALSE;
}
void glGetFloatv(GLenum pname, GLfloat* params) { get(pname, params); }
void glGetDoublev(GLenum pname, GLdouble* params) { get(pname, params); }
void glGetIntegerv(GLenum pname, GLint* params) { get(pname, params); }

void glGetBooleanv(GLenum pname, GLboolean* params)
{
    std::vector<double> v;
    if (!glweb::getValues(pname, v))
        return glweb::raise(GL_INVALID_ENUM);
    for (size_t i = 0; i < v.size(); i++)
        params[i] = v[i] != 0 ? GL_TRUE : GL_FALSE;
}

// Kept and answered: WebGL draws no differently for any hint.
void glHint(GLenum target, GLenum mode)
{
    ENTRY("glHint", glHint, (target, mode));
    if (target < GL_PERSPECTIVE_CORRECTION_HINT || target > GL_FOG_HINT ||
        (mode != GL_DONT_CARE && mode != GL_FASTEST && mode != GL_NICEST))
        return glweb::raise(GL_INVALID_ENUM);
    if (glweb::outsideBeginEnd())
        gl().hints[target - GL_PERSPECTIVE_CORRECTION_HINT] = mode;
}
void glFinish() { glFlush(); }

// --- Fragments ---

#define FRAGMENTS glweb::Fragments& f = gl().fragments

void glDepthFunc(GLenum func) { ENTRY("glDepthFunc", glDepthFunc, (func)); FRAGMENTS; f.depthFunc = func; }
void glDepthMask(GLboolean flag) { ENTRY("glDepthMask", glDepthMask, (flag)); FRAGMENTS; f.depthMask = flag; }
void glDepthRange(GLclampd zNear, GLclampd zFar)
{
    ENTRY("glDepthRange", glDepthRange, (zNear, zFar));
    FRAGMENTS;
    f.depthRange[0] = (float)std::min(std::max(zNear, 0.0), 1.0);
    f.depthRange[1] = (float)std::min(std::max(zFar, 0.0), 1.0);
}
void glBlendFunc(GLenum src, GLenum dst) { ENTRY("glBlendFunc", glBlendFunc, (src, dst)); FRAGMENTS; f.blendSrc = src; f.blendDst = dst; }
void glAlphaFunc(GLenum func, GLclampf ref)
{
    ENTRY("glAlphaFunc", glAlphaFunc, (func, ref));
    FRAGMENTS;
    f.alphaFunc = func;
    f.alphaRef = std::min(std::max(ref, 0.0f), 1.0f);
}
void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a)
{
    ENTRY("glColorMask", glColorMask, (r, g, b, a));
    FRAGMENTS;
    const GLint m[4] = {r, g, b, a};
    std::copy(m, m + 4, f.colorMask);
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    ENTRY("glScissor", glScissor, (x, y, width, height));
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    FRAGMENTS;
    const GLint box[4] = {x, y, width, height};
    std::copy(box, box + 4, f.scissorBox);
}
void glStencilFunc(GLenum func, GLint ref, GLuint mask)
{
    ENTRY("glStencilFunc", glStencilFunc, (func, ref, mask));
    FRAGMENTS;
    f.stencilFunc = func;
    f.stencilRef = ref;
    f.stencilValueMask = mask;
}
void glStencilOp(GLenum fail, GLenum zfail, GLenum zpass)
{
    ENTRY("glStencilOp", glStencilOp, (fail, zfail, zpass));
    FRAGMENTS;
    f.stencilFail = fail;
    f.stencilDepthFail = zfail;
    f.stencilPass = zpass;
}
void glStencilMask(GLuint mask) { ENTRY("glStencilMask", glStencilMask, (mask)); FRAGMENTS; f.stencilWriteMask = mask; }
void glClearDepth(GLclampd depth) { ENTRY("glClearDepth", glClearDepth, (depth)); gl().clearDepth((float)depth); }
void glClearStencil(GLint s) { ENTRY("glClearStencil", glClearStencil, (s)); gl().clearStencil(s); }

void glFogf(GLenum pname, GLfloat param) { glFogfv(pname, &param); }
void glFogi(GLenum pname, GLint param) { const GLfloat p = (GLfloat)param; glFogfv(pname, &p); }
void glFogiv(GLenum pname, const GLint* params)
{
    GLfloat p[4] = {(GLfloat)params[0], 0, 0, 0};
    if (pname == GL_FOG_COLOR)
        for (int i = 0; i < 4; i++)
            p[i] = (GLfloat)params[i] / 2147483647.0f;
    glFogfv(pname, p);
}
void glFogfv(GLenum pname, const GLfloat* params)
{
    GLfloat p[4] = {params[0], 0, 0, 0};
    if (pname == GL_FOG_COLOR)
        std::copy(params, params + 4, p);
    LISTED(glFogfv(pname, p));
    NOTED_AS("glFogfv", (pname == GL_FOG_COLOR ? std::vector<double>{(double)pname, p[0], p[1], p[2], p[3]}
                                               : std::vector<double>{(double)pname, p[0]}),
             [](const double* a) {
                 const GLfloat v[4] = {(GLfloat)a[1], (GLfloat)a[2], (GLfloat)a[3], (GLfloat)a[4]};
                 glFogfv((GLenum)a[0], v);
             });
    FRAGMENTS;
    switch (pname) {
    case GL_FOG_MODE: f.fogMode = (GLenum)p[0]; break;
    case GL_FOG_DENSITY:
        if (p[0] < 0)
            return glweb::raise(GL_INVALID_VALUE);
        f.fogDensity = p[0];
        break;
    case GL_FOG_START: f.fogStart = p[0]; break;
    case GL_FOG_END: f.fogEnd = p[0]; break;
    case GL_FOG_COLOR: std::copy(p, p + 4, f.fogColor); break;
    case GL_FOG_INDEX: break;
    default: glweb::raise(GL_INVALID_ENUM);
    }
}

// --- Rasterisation ---

void glPointSize(GLfloat size)
{
    ENTRY("glPointSize", glPointSize, (size));
    if (size <= 0)
        return glweb::raise(GL_INVALID_VALUE);
    gl().fragments.pointSize = size;
}
void glLineWidth(GLfloat width)
{
    ENTRY("glLineWidth", glLineWidth, (width));
    if (width <= 0)
        return glweb::raise(GL_INVALID_VALUE);
    gl().fragments.lineWidth = width;
}
void glCullFace(GLenum mode) { ENTRY("glCullFace", glCullFace, (mode)); gl().fragments.cullMode = mode; }
void glPolygonMode(GLenum face, GLenum mode) { ENTRY("glPolygonMode", glPolygonMode, (face, mode)); gl().polygonMode(face, mode); }
void glPolygonOffset(GLfloat factor, GLfloat units)
{
    ENTRY("glPolygonOffset", glPolygonOffset, (factor, units));
    gl().fragments.offsetFactor = factor;
    gl().fragments.offsetUnits = units;
}
void glLineStipple(GLint factor, GLushort pattern)
{
    ENTRY("glLineStipple", glLineStipple, (factor, pattern));
    gl().fragments.stippleFactor = std::clamp(factor, 1, 256);
    gl().fragments.linePattern = pattern;
}
// The pattern set now or by a list, noted either way.
static void setStipple(const std::array<GLubyte, 128>& pattern)
{
    NOTED_DIRECT("glPolygonStipple", (), [pattern](const double*) {
        std::memcpy(gl().fragments.polygonPattern, pattern.data(), pattern.size());
    });
    noted_.keep(pattern.data(), pattern.size());
    std::memcpy(gl().fragments.polygonPattern, pattern.data(), pattern.size());
}

// The pattern as a 32 x 32 bitmap: rows of four bytes whatever the
// alignment, each from its high bit unless the program unpacks LSB first.
void glPolygonStipple(const GLubyte* mask)
{
    if (!mask)
        return;
    std::array<GLubyte, 128> pattern;
    const bool lsbFirst = gl().pixelStoreValue(GL_UNPACK_LSB_FIRST) != 0;
    for (size_t i = 0; i < pattern.size(); i++) {
        GLubyte b = mask[i], r = 0;
        for (int k = 0; k < 8; k++)
            r = (GLubyte)(r << 1 | (b >> k & 1));
        pattern[i] = lsbFirst ? r : b;
    }
    // A list keeps the pattern as unpacked now, not the program's bytes.
    LISTED(setStipple(pattern));
    setStipple(pattern);
}
void glGetPolygonStipple(GLubyte* mask)
{
    if (mask)
        std::memcpy(mask, gl().fragments.polygonPattern, 128);
}
// Logic operations have no WebGL counterpart: kept and answered, and drawn
// as if off (the README says so).
void glLogicOp(GLenum op)
{
    ENTRY("glLogicOp", glLogicOp, (op));
    if (op < GL_CLEAR || op > GL_SET)
        return glweb::raise(GL_INVALID_ENUM);
    if (glweb::outsideBeginEnd())
        gl().logicOpMode = op;
}

}  // extern "C"
