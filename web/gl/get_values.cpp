// glGet's answers: every value of GL 1.1's state tables that glGet gives,
// as numbers, read from the context and from the chapters that keep their
// own (lists, arrays, packing).
#include <GL/gl.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"

namespace glweb {

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
    // A mask's bits are the stencil buffer's: 8 of them, or all without one.
    case GL_STENCIL_VALUE_MASK: put({(double)(f.stencilValueMask & (c.stencilBuffer ? 0xFFu : ~0u))}); break;
    case GL_STENCIL_WRITEMASK: put({(double)(f.stencilWriteMask & (c.stencilBuffer ? 0xFFu : ~0u))}); break;
    case GL_UNPACK_ALIGNMENT: case GL_UNPACK_ROW_LENGTH: case GL_UNPACK_SKIP_ROWS: case GL_UNPACK_SKIP_PIXELS:
    case GL_UNPACK_LSB_FIRST: case GL_UNPACK_SWAP_BYTES:
        put({(double)c.pixelStoreValue(pname)});
        break;
    case GL_CURRENT_RASTER_POSITION: out.assign(c.raster.window, c.raster.window + 4); break;
    case GL_CURRENT_RASTER_POSITION_VALID: put({(double)c.raster.valid}); break;
    case GL_CURRENT_RASTER_COLOR: out.assign(c.raster.color, c.raster.color + 4); break;
    case GL_CURRENT_RASTER_DISTANCE: put({c.raster.distance}); break;
    case GL_ZOOM_X: put({c.pixelZoom[0]}); break;
    case GL_ZOOM_Y: put({c.pixelZoom[1]}); break;
    case GL_RED_BITS: case GL_GREEN_BITS: case GL_BLUE_BITS: put({8}); break;
    case GL_ALPHA_BITS: put({0}); break;  // the canvas keeps no alpha: it would show through to the page
    case GL_STENCIL_BITS: put({c.stencilBuffer ? 8.0 : 0.0}); break;
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
    case GL_PERSPECTIVE_CORRECTION_HINT: case GL_POINT_SMOOTH_HINT: case GL_LINE_SMOOTH_HINT:
    case GL_POLYGON_SMOOTH_HINT: case GL_FOG_HINT:
        put({(double)c.hints[pname - GL_PERSPECTIVE_CORRECTION_HINT]});
        break;
    case GL_LOGIC_OP_MODE: put({(double)c.logicOpMode}); break;
    case GL_MAP_STENCIL: put({(double)c.mapStencil}); break;
    case GL_INDEX_SHIFT: put({c.indexShift}); break;
    case GL_INDEX_OFFSET: put({c.indexOffset}); break;
    case GL_DEPTH_SCALE: put({c.depthScale}); break;
    case GL_DEPTH_BIAS: put({c.depthBias}); break;
    case GL_CURRENT_RASTER_INDEX: put({1}); break;
    case GL_CURRENT_RASTER_TEXTURE_COORDS: out.assign(c.raster.texCoord, c.raster.texCoord + 4); break;
    case GL_TEXTURE_BINDING_1D: put({(double)c.boundTexture()}); break;
    case GL_FOG_INDEX: put({0}); break;
    case GL_POINT_SIZE_GRANULARITY: case GL_LINE_WIDTH_GRANULARITY: put({0.125}); break;
    case GL_INDEX_BITS: put({0}); break;
    case GL_SELECTION_BUFFER_SIZE: put({(double)c.render.selectSize}); break;
    case GL_FEEDBACK_BUFFER_SIZE: put({(double)c.render.feedbackSize}); break;
    case GL_FEEDBACK_BUFFER_TYPE: put({(double)c.render.feedbackType}); break;
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
        if (!listState(pname, out) && !arrayState(pname, out) && !packState(pname, out)) {
            if (c.knownCap(pname)) {
                put({(double)c.isEnabled(pname)});
                return true;
            }
            return false;
        }
    }
    return true;
}

GLint integerOf(double value, bool scaled)
{
    // In 64 bits (a long has 32 on the page), then to GL's int: a mask of all ones is -1.
    if (scaled)  // 1 is the greatest GLint, -1 the least but one, as drivers map them
        return (GLint)(std::min(std::max(value, -1.0), 1.0) * 2147483647.0);
    return (GLint)(uint32_t)std::llround(std::min(std::max(value, -2147483648.0), 4294967295.0));
}

bool scaledAsColour(GLenum pname)
{
    switch (pname) {
    case GL_CURRENT_COLOR: case GL_CURRENT_RASTER_COLOR: case GL_FOG_COLOR: case GL_COLOR_CLEAR_VALUE:
    case GL_LIGHT_MODEL_AMBIENT: case GL_ACCUM_CLEAR_VALUE: case GL_CURRENT_NORMAL: case GL_DEPTH_RANGE:
    case GL_DEPTH_CLEAR_VALUE: case GL_ALPHA_TEST_REF:
        return true;
    default:
        return false;
    }
}

}  // namespace glweb
