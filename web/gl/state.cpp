// State and errors: the one context, GL's error flag, glGet, glIsEnabled,
// glGetString, and the calls that set what fragments meet (depth, blending,
// alpha, stencil, fog, masks and the scissor), the size of points and
// lines, faces and polygon modes.
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
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

// Each value glGet answers, as numbers; false for a name it does not know.
bool getValues(GLenum pname, std::vector<double>& out)
{
    Context& c = gl();
    const Fragments& f = c.fragments;
    out.clear();
    auto put = [&](std::initializer_list<double> v) { out.insert(out.end(), v); };
    auto matrix = [&](GLenum which) { const glcore::Mat4& m = c.matrix(which); out.assign(m.m, m.m + 16); };
    const Snapshot s = c.snapshot();
    const Context::Settings set = c.settings();
    switch (pname) {
    case GL_MODELVIEW_MATRIX: matrix(GL_MODELVIEW); break;
    case GL_PROJECTION_MATRIX: matrix(GL_PROJECTION); break;
    case GL_TEXTURE_MATRIX: matrix(GL_TEXTURE); break;
    case GL_MODELVIEW_STACK_DEPTH: put({(double)c.stackDepth(GL_MODELVIEW)}); break;
    case GL_PROJECTION_STACK_DEPTH: put({(double)c.stackDepth(GL_PROJECTION)}); break;
    case GL_TEXTURE_STACK_DEPTH: put({(double)c.stackDepth(GL_TEXTURE)}); break;
    case GL_MAX_MODELVIEW_STACK_DEPTH: put({32}); break;
    case GL_MAX_PROJECTION_STACK_DEPTH: case GL_MAX_TEXTURE_STACK_DEPTH: put({2}); break;
    case GL_MAX_LIGHTS: put({LightingState::lightCount}); break;
    case GL_MAX_CLIP_PLANES: put({6}); break;
    case GL_MAX_TEXTURE_SIZE: put({4096}); break;
    case GL_MAX_LIST_NESTING: put({64}); break;
    case GL_MAX_NAME_STACK_DEPTH: put({64}); break;
    case GL_MAX_ATTRIB_STACK_DEPTH: put({16}); break;
    case GL_MAX_VIEWPORT_DIMS: put({4096, 4096}); break;
    case GL_VIEWPORT: out.assign(s.viewport, s.viewport + 4); break;
    case GL_CURRENT_COLOR: out.assign(c.currentColorRGBA(), c.currentColorRGBA() + 4); break;
    case GL_CURRENT_TEXTURE_COORDS: out.assign(c.currentTexCoordSTRQ(), c.currentTexCoordSTRQ() + 4); break;
    case GL_CURRENT_NORMAL: {
        const glcore::Vec3 n = c.currentNormalValue();
        put({n.x, n.y, n.z});
        break;
    }
    case GL_MAP1_GRID_DOMAIN: out.assign(c.eval.grid, c.eval.grid + 2); break;
    case GL_MAP2_GRID_DOMAIN: out.assign(c.eval.grid, c.eval.grid + 4); break;
    case GL_MAP1_GRID_SEGMENTS: put({(double)c.eval.gridCount[0]}); break;
    case GL_MAP2_GRID_SEGMENTS: put({(double)c.eval.gridCount[0], (double)c.eval.gridCount[1]}); break;
    case GL_MAX_EVAL_ORDER: put({30}); break;
    case GL_ACCUM_RED_BITS: case GL_ACCUM_GREEN_BITS: case GL_ACCUM_BLUE_BITS: case GL_ACCUM_ALPHA_BITS:
        put({c.accum.present ? 16.0 : 0.0});  // as Mesa's: a float here holds at least as much
        break;
    case GL_ACCUM_CLEAR_VALUE: out.assign(c.accum.clearValue, c.accum.clearValue + 4); break;
    case GL_DEPTH_FUNC: put({(double)f.depthFunc}); break;
    case GL_DEPTH_WRITEMASK: put({(double)f.depthMask}); break;
    case GL_COLOR_WRITEMASK: out.assign(f.colorMask, f.colorMask + 4); break;
    case GL_BLEND_SRC: put({(double)f.blendSrc}); break;
    case GL_BLEND_DST: put({(double)f.blendDst}); break;
    case GL_ALPHA_TEST_FUNC: put({(double)f.alphaFunc}); break;
    case GL_ALPHA_TEST_REF: put({f.alphaRef}); break;
    case GL_FOG_MODE: put({(double)f.fogMode}); break;
    case GL_FOG_DENSITY: put({f.fogDensity}); break;
    case GL_FOG_START: put({f.fogStart}); break;
    case GL_FOG_END: put({f.fogEnd}); break;
    case GL_FOG_COLOR: out.assign(f.fogColor, f.fogColor + 4); break;
    case GL_SCISSOR_BOX: out.assign(f.scissorBox, f.scissorBox + 4); break;
    case GL_CULL_FACE_MODE: put({(double)f.cullMode}); break;
    case GL_FRONT_FACE: put({(double)s.winding}); break;
    case GL_POINT_SIZE: put({f.pointSize}); break;
    case GL_LINE_WIDTH: put({f.lineWidth}); break;
    case GL_LINE_STIPPLE_PATTERN: put({(double)f.linePattern}); break;
    case GL_LINE_STIPPLE_REPEAT: put({(double)f.stippleFactor}); break;
    case GL_DEPTH_RANGE: out.assign(f.depthRange, f.depthRange + 2); break;
    case GL_POLYGON_OFFSET_FACTOR: put({f.offsetFactor}); break;
    case GL_POLYGON_OFFSET_UNITS: put({f.offsetUnits}); break;
    case GL_TEXTURE_BINDING_2D: put({(double)c.boundTexture()}); break;
    case GL_STENCIL_FUNC: put({(double)f.stencilFunc}); break;
    case GL_STENCIL_REF: put({(double)f.stencilRef}); break;
    case GL_STENCIL_VALUE_MASK: put({(double)f.stencilValueMask}); break;
    case GL_STENCIL_WRITEMASK: put({(double)f.stencilWriteMask}); break;
    case GL_UNPACK_ALIGNMENT: case GL_UNPACK_ROW_LENGTH: case GL_UNPACK_SKIP_ROWS: case GL_UNPACK_SKIP_PIXELS:
    case GL_UNPACK_LSB_FIRST:
        put({(double)c.pixelStoreValue(pname)});
        break;
    case GL_CURRENT_RASTER_POSITION: out.assign(c.raster.window, c.raster.window + 4); break;
    case GL_CURRENT_RASTER_POSITION_VALID: put({(double)c.raster.valid}); break;
    case GL_CURRENT_RASTER_COLOR: out.assign(c.raster.color, c.raster.color + 4); break;
    case GL_CURRENT_RASTER_DISTANCE: put({c.raster.distance}); break;
    case GL_ZOOM_X: put({c.pixelZoom[0]}); break;
    case GL_ZOOM_Y: put({c.pixelZoom[1]}); break;
    case GL_RED_BITS: case GL_GREEN_BITS: case GL_BLUE_BITS: case GL_ALPHA_BITS: case GL_STENCIL_BITS: put({8}); break;
    case GL_DEPTH_BITS: put({24}); break;
    case GL_RGBA_MODE: put({1}); break;
    case GL_DOUBLEBUFFER: put({(double)c.doubleBuffered}); break;
    case GL_DRAW_BUFFER: put({(double)c.drawBuffer}); break;
    case GL_READ_BUFFER: put({(double)c.readBuffer}); break;
    case GL_MAP_COLOR: put({(double)c.mapColor}); break;
    case GL_MAX_PIXEL_MAP_TABLE: put({256}); break;
    case GL_RED_SCALE: case GL_GREEN_SCALE: case GL_BLUE_SCALE: case GL_ALPHA_SCALE:
        put({c.transferScale[pname == GL_RED_SCALE ? 0 : pname == GL_GREEN_SCALE ? 1 : pname == GL_BLUE_SCALE ? 2 : 3]});
        break;
    case GL_RED_BIAS: case GL_GREEN_BIAS: case GL_BLUE_BIAS: case GL_ALPHA_BIAS:
        put({c.transferBias[pname == GL_RED_BIAS ? 0 : pname == GL_GREEN_BIAS ? 1 : pname == GL_BLUE_BIAS ? 2 : 3]});
        break;
    case GL_CURRENT_INDEX: put({c.currentIndex}); break;
    case GL_INDEX_CLEAR_VALUE: put({c.clearIndexValue}); break;
    case GL_INDEX_WRITEMASK: put({(double)c.indexMask}); break;
    case GL_INDEX_MODE: case GL_STEREO: case GL_AUX_BUFFERS: put({0}); break;
    case GL_MATRIX_MODE: put({(double)set.matrixMode}); break;
    case GL_SHADE_MODEL: put({(double)set.shadeModel}); break;
    case GL_POLYGON_MODE: put({(double)set.polygonModes[0], (double)set.polygonModes[1]}); break;
    case GL_COLOR_MATERIAL_FACE: put({(double)set.colorMaterialFace}); break;
    case GL_COLOR_MATERIAL_PARAMETER: put({(double)set.colorMaterialMode}); break;
    case GL_COLOR_CLEAR_VALUE: out.assign(set.clearColor, set.clearColor + 4); break;
    case GL_DEPTH_CLEAR_VALUE: put({set.clearDepth}); break;
    case GL_STENCIL_CLEAR_VALUE: put({(double)set.clearStencil}); break;
    case GL_EDGE_FLAG: put({(double)set.edge}); break;
    case GL_ATTRIB_STACK_DEPTH: put({(double)set.attribDepth}); break;
    case GL_LIGHT_MODEL_AMBIENT: out.assign(c.lightingState().modelAmbient, c.lightingState().modelAmbient + 4); break;
    case GL_LIGHT_MODEL_LOCAL_VIEWER: put({(double)c.lightingState().localViewer}); break;
    case GL_LIGHT_MODEL_TWO_SIDE: put({(double)c.lightingState().twoSide}); break;
    case GL_STENCIL_FAIL: put({(double)f.stencilFail}); break;
    case GL_STENCIL_PASS_DEPTH_FAIL: put({(double)f.stencilDepthFail}); break;
    case GL_STENCIL_PASS_DEPTH_PASS: put({(double)f.stencilPass}); break;
    case GL_NAME_STACK_DEPTH: put({(double)c.render.names.size()}); break;
    case GL_RENDER_MODE: put({(double)c.render.mode}); break;
    case GL_POINT_SIZE_RANGE: case GL_LINE_WIDTH_RANGE: put({1, 64}); break;
    case GL_SUBPIXEL_BITS: put({4}); break;
    case GL_PIXEL_MAP_I_TO_I_SIZE: case GL_PIXEL_MAP_S_TO_S_SIZE: case GL_PIXEL_MAP_I_TO_R_SIZE:
    case GL_PIXEL_MAP_I_TO_G_SIZE: case GL_PIXEL_MAP_I_TO_B_SIZE: case GL_PIXEL_MAP_I_TO_A_SIZE:
    case GL_PIXEL_MAP_R_TO_R_SIZE: case GL_PIXEL_MAP_G_TO_G_SIZE: case GL_PIXEL_MAP_B_TO_B_SIZE:
    case GL_PIXEL_MAP_A_TO_A_SIZE:
        put({(double)c.pixelMaps[pname - GL_PIXEL_MAP_I_TO_I_SIZE].size()});
        break;
    default:
        if (!listState(pname, out)) {
            if (c.knownCap(pname)) {
                put({(double)c.isEnabled(pname)});
                return true;
            }
            return false;
        }
    }
    return true;
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
    for (size_t i = 0; i < v.size(); i++)
        params[i] = (T)v[i];
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

void glHint(GLenum, GLenum) {}  // every hint is GL_DONT_CARE's answer here
void glFinish() { glFlush(); }

// --- Fragments ---

#define FRAGMENTS glweb::Fragments& f = gl().fragments

void glDepthFunc(GLenum func) { LISTED(glDepthFunc(func)); FRAGMENTS; f.depthFunc = func; }
void glDepthMask(GLboolean flag) { LISTED(glDepthMask(flag)); FRAGMENTS; f.depthMask = flag; }
void glDepthRange(GLclampd zNear, GLclampd zFar)
{
    LISTED(glDepthRange(zNear, zFar));
    FRAGMENTS;
    f.depthRange[0] = (float)std::min(std::max(zNear, 0.0), 1.0);
    f.depthRange[1] = (float)std::min(std::max(zFar, 0.0), 1.0);
}
void glBlendFunc(GLenum src, GLenum dst) { LISTED(glBlendFunc(src, dst)); FRAGMENTS; f.blendSrc = src; f.blendDst = dst; }
void glAlphaFunc(GLenum func, GLclampf ref)
{
    LISTED(glAlphaFunc(func, ref));
    FRAGMENTS;
    f.alphaFunc = func;
    f.alphaRef = std::min(std::max(ref, 0.0f), 1.0f);
}
void glColorMask(GLboolean r, GLboolean g, GLboolean b, GLboolean a)
{
    LISTED(glColorMask(r, g, b, a));
    FRAGMENTS;
    const GLint m[4] = {r, g, b, a};
    std::copy(m, m + 4, f.colorMask);
}
void glScissor(GLint x, GLint y, GLsizei width, GLsizei height)
{
    LISTED(glScissor(x, y, width, height));
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    FRAGMENTS;
    const GLint box[4] = {x, y, width, height};
    std::copy(box, box + 4, f.scissorBox);
}
void glStencilFunc(GLenum func, GLint ref, GLuint mask)
{
    LISTED(glStencilFunc(func, ref, mask));
    FRAGMENTS;
    f.stencilFunc = func;
    f.stencilRef = ref;
    f.stencilValueMask = mask;
}
void glStencilOp(GLenum fail, GLenum zfail, GLenum zpass)
{
    LISTED(glStencilOp(fail, zfail, zpass));
    FRAGMENTS;
    f.stencilFail = fail;
    f.stencilDepthFail = zfail;
    f.stencilPass = zpass;
}
void glStencilMask(GLuint mask) { LISTED(glStencilMask(mask)); FRAGMENTS; f.stencilWriteMask = mask; }
void glClearDepth(GLclampd depth) { LISTED(glClearDepth(depth)); gl().clearDepth((float)depth); }
void glClearStencil(GLint s) { LISTED(glClearStencil(s)); gl().clearStencil(s); }

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
    LISTED(glPointSize(size));
    if (size <= 0)
        return glweb::raise(GL_INVALID_VALUE);
    gl().fragments.pointSize = size;
}
void glLineWidth(GLfloat width)
{
    LISTED(glLineWidth(width));
    if (width <= 0)
        return glweb::raise(GL_INVALID_VALUE);
    gl().fragments.lineWidth = width;
}
void glCullFace(GLenum mode) { LISTED(glCullFace(mode)); gl().fragments.cullMode = mode; }
void glPolygonMode(GLenum face, GLenum mode) { LISTED(glPolygonMode(face, mode)); gl().polygonMode(face, mode); }
void glPolygonOffset(GLfloat factor, GLfloat units)
{
    LISTED(glPolygonOffset(factor, units));
    gl().fragments.offsetFactor = factor;
    gl().fragments.offsetUnits = units;
}
void glLineStipple(GLint factor, GLushort pattern)
{
    LISTED(glLineStipple(factor, pattern));
    gl().fragments.stippleFactor = std::clamp(factor, 1, 256);
    gl().fragments.linePattern = pattern;
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
    LISTED(std::memcpy(gl().fragments.polygonPattern, pattern.data(), pattern.size()));
    std::memcpy(gl().fragments.polygonPattern, pattern.data(), pattern.size());
}
void glGetPolygonStipple(GLubyte* mask)
{
    if (mask)
        std::memcpy(mask, gl().fragments.polygonPattern, 128);
}
// Logic operations have no WebGL counterpart: accepted, and drawn as if
// off (the README says so).
void glLogicOp(GLenum) {}

}  // extern "C"
