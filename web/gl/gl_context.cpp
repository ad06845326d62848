// The context's matrices, the frame's commands, the switches and the
// lighting parameters; what a draw command is made with.
#include "web/gl/gl_context.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace glweb {

// --- Matrices ---

// The texture stack's depth, beside glcore's 32 and 2.
static const size_t textureStackDepth = 2;

void Context::matrixMode(GLenum mode)
{
    matrixModeValue = mode;
    stacks.projectionMode = mode == GL_PROJECTION;
}

std::vector<glcore::Mat4>& Context::currentStack()
{
    if (matrixModeValue == GL_TEXTURE)
        return textureStack;
    return stacks.current();
}

void Context::load(const glcore::Mat4& m)
{
    currentStack().back() = m;
}

void Context::multiply(const glcore::Mat4& m)
{
    glcore::Mat4& top = currentStack().back();
    top = glcore::multiply(top, m);
}

bool Context::pushMatrix()
{
    if (matrixModeValue != GL_TEXTURE)
        return stacks.push();
    if (textureStack.size() >= textureStackDepth)
        return false;
    textureStack.push_back(textureStack.back());
    return true;
}

bool Context::popMatrix()
{
    if (matrixModeValue != GL_TEXTURE)
        return stacks.pop();
    if (textureStack.size() <= 1)
        return false;
    textureStack.pop_back();
    return true;
}

const glcore::Mat4& Context::matrix(GLenum which) const
{
    return which == GL_PROJECTION ? stacks.projection.back()
           : which == GL_TEXTURE  ? textureStack.back()
                                  : stacks.modelview.back();
}

int Context::stackDepth(GLenum which) const
{
    return (int)(which == GL_PROJECTION ? stacks.projection.size()
                 : which == GL_TEXTURE  ? textureStack.size()
                                        : stacks.modelview.size());
}

// --- The frame's commands ---

void Context::viewport(int x, int y, int width, int height)
{
    Command c{};
    c.kind = Command::viewport;
    c.rect[0] = x;
    c.rect[1] = y;
    c.rect[2] = width;
    c.rect[3] = height;
    std::memcpy(viewportRect, c.rect, sizeof viewportRect);
    commands.push_back(c);
}

void Context::attach(int width, int height)
{
    const int box[4] = {0, 0, width, height};
    std::memcpy(viewportRect, box, sizeof viewportRect);
    std::memcpy(fragments.scissorBox, box, sizeof box);
}

void Context::clearColor(float r, float g, float b, float a)
{
    const float rgba[4] = {r, g, b, a};
    for (int i = 0; i < 4; i++)
        clearRGBA[i] = rgba[i] < 0 ? 0 : rgba[i] > 1 ? 1 : rgba[i];
}

// Cut to the scissor box and written through the masks, as GL clears.
void Context::clear(GLbitfield mask)
{
    Command c{};
    c.kind = Command::clear;
    c.mask = mask;
    std::memcpy(c.clearColor, clearRGBA, sizeof c.clearColor);
    c.clearDepth = clearDepthValue;
    c.clearStencil = clearStencilValue;
    std::memcpy(c.colorMask, fragments.colorMask, sizeof c.colorMask);
    if (drawBuffer == GL_NONE)  // no colour buffer to clear
        std::fill(c.colorMask, c.colorMask + 4, GL_FALSE);
    c.depthMask = fragments.depthMask;
    for (int i = 0; i < 4; i++)
        c.scissor[i] = fragments.scissor ? fragments.scissorBox[i] : -1;
    commands.push_back(c);
}

// --- Switches ---

namespace {
const GLenum kept[] = {GL_DITHER, GL_POINT_SMOOTH, GL_LINE_SMOOTH, GL_POLYGON_SMOOTH, GL_COLOR_LOGIC_OP,
                       GL_INDEX_LOGIC_OP, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT};
}  // namespace

unsigned Context::keptBitOf(GLenum cap)
{
    for (unsigned i = 0; i < sizeof kept / sizeof kept[0]; i++)
        if (kept[i] == cap)
            return 1u << i;
    return 0;
}

namespace {
const auto keptBit = Context::keptBitOf;
}  // namespace

bool Context::knownCap(GLenum cap) const
{
    bool on = false;
    if (eval.isEnabled(cap, on) || keptBit(cap) || (cap >= GL_TEXTURE_GEN_S && cap <= GL_TEXTURE_GEN_Q) ||
        (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5) || (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + LightingState::lightCount))
        return true;
    switch (cap) {
    case GL_LIGHTING: case GL_NORMALIZE: case GL_TEXTURE_2D: case GL_TEXTURE_1D: case GL_DEPTH_TEST: case GL_CULL_FACE:
    case GL_COLOR_MATERIAL: case GL_BLEND: case GL_ALPHA_TEST: case GL_FOG: case GL_SCISSOR_TEST: case GL_STENCIL_TEST:
    case GL_POLYGON_OFFSET_FILL: case GL_LINE_STIPPLE: case GL_POLYGON_STIPPLE:
        return true;
    default:
        return false;
    }
}

bool Context::enable(GLenum cap, bool on)
{
    const GLint b = on ? GL_TRUE : GL_FALSE;
    if (!knownCap(cap))
        return false;
    if (eval.enable(cap, on))
        return true;
    if (const unsigned bit = keptBit(cap)) {
        keptSwitches = on ? keptSwitches | bit : keptSwitches & ~bit;
        return true;
    }
    if (cap >= GL_TEXTURE_GEN_S && cap <= GL_TEXTURE_GEN_Q) {
        texGens[cap - GL_TEXTURE_GEN_S].on = on;
        texGenOn = texGens[0].on || texGens[1].on || texGens[2].on || texGens[3].on;
        return true;
    }
    if (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5) {
        const unsigned bit = 1u << (cap - GL_CLIP_PLANE0);
        clipPlaneMask = on ? clipPlaneMask | bit : clipPlaneMask & ~bit;
        return true;
    }
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + LightingState::lightCount) {
        lighting.lights[cap - GL_LIGHT0].enabled = on;
        return true;
    }
    switch (cap) {
    case GL_LIGHTING: lightingOn = on; break;
    case GL_NORMALIZE: lighting.normalize = on; break;
    case GL_TEXTURE_2D: texturingOn = on; break;
    case GL_TEXTURE_1D: texture1DOn = on; break;
    case GL_DEPTH_TEST: depthTestOn = on; break;
    case GL_CULL_FACE: cullFaceOn = on; break;
    case GL_COLOR_MATERIAL:
        colorMaterialOn = on;
        if (on)
            applyColorMaterial();
        break;
    case GL_BLEND: fragments.blend = b; break;
    case GL_ALPHA_TEST: fragments.alphaTest = b; break;
    case GL_FOG: fragments.fog = b; break;
    case GL_SCISSOR_TEST: fragments.scissor = b; break;
    case GL_STENCIL_TEST: fragments.stencil = b; break;
    case GL_POLYGON_OFFSET_FILL: fragments.polygonOffset = b; break;
    case GL_LINE_STIPPLE: fragments.lineStipple = b; break;
    case GL_POLYGON_STIPPLE: fragments.polygonStipple = b; break;
    default: break;
    }
    return true;
}

void Context::clipPlane(int k, const double e[4])
{
    // The plane p is kept as p times the inverse of the modelview, so that
    // a point's eye coordinates give its distance.
    const glcore::Mat4& m = stacks.modelview.back();
    double inverse[16];
    double mm[16];
    for (int i = 0; i < 16; i++)
        mm[i] = m.m[i];
    if (!glcore::invert(mm, inverse))
        return;
    for (int c = 0; c < 4; c++)
        clipPlanes[k][c] = (float)(e[0] * inverse[c * 4] + e[1] * inverse[c * 4 + 1] + e[2] * inverse[c * 4 + 2] +
                                   e[3] * inverse[c * 4 + 3]);
}

bool Context::isEnabled(GLenum cap) const
{
    bool on = false;
    if (eval.isEnabled(cap, on))
        return on;
    if (const unsigned bit = keptBit(cap))
        return keptSwitches & bit;
    if (cap >= GL_TEXTURE_GEN_S && cap <= GL_TEXTURE_GEN_Q)
        return texGens[cap - GL_TEXTURE_GEN_S].on;
    if (cap >= GL_CLIP_PLANE0 && cap <= GL_CLIP_PLANE5)
        return clipPlaneOn((int)(cap - GL_CLIP_PLANE0));
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + LightingState::lightCount)
        return lighting.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
    case GL_LIGHTING: return lightingOn;
    case GL_NORMALIZE: return lighting.normalize;
    case GL_TEXTURE_2D: return texturingOn;
    case GL_TEXTURE_1D: return texture1DOn;
    case GL_DEPTH_TEST: return depthTestOn;
    case GL_CULL_FACE: return cullFaceOn;
    case GL_COLOR_MATERIAL: return colorMaterialOn;
    case GL_BLEND: return fragments.blend;
    case GL_ALPHA_TEST: return fragments.alphaTest;
    case GL_FOG: return fragments.fog;
    case GL_SCISSOR_TEST: return fragments.scissor;
    case GL_STENCIL_TEST: return fragments.stencil;
    case GL_POLYGON_OFFSET_FILL: return fragments.polygonOffset;
    case GL_LINE_STIPPLE: return fragments.lineStipple;
    case GL_POLYGON_STIPPLE: return fragments.polygonStipple;
    default: return false;
    }
}

// --- Lighting's parameters ---

void Context::light(GLenum which, GLenum pname, const GLfloat* params)
{
    if (which < GL_LIGHT0 || which >= GL_LIGHT0 + LightingState::lightCount)
        return;
    Light& l = lighting.lights[which - GL_LIGHT0];
    const glcore::Mat4& m = stacks.modelview.back();
    switch (pname) {
    case GL_POSITION:  // stored in eye coordinates, under the modelview current now
        for (int i = 0; i < 4; i++)
            l.position[i] = m.m[i] * params[0] + m.m[4 + i] * params[1] + m.m[8 + i] * params[2] + m.m[12 + i] * params[3];
        break;
    case GL_SPOT_DIRECTION:  // a direction: the upper 3 x 3 alone
        for (int i = 0; i < 3; i++)
            l.spotDirection[i] = m.m[i] * params[0] + m.m[4 + i] * params[1] + m.m[8 + i] * params[2];
        break;
    case GL_AMBIENT: std::memcpy(l.ambient, params, sizeof l.ambient); break;
    case GL_DIFFUSE: std::memcpy(l.diffuse, params, sizeof l.diffuse); break;
    case GL_SPECULAR: std::memcpy(l.specular, params, sizeof l.specular); break;
    case GL_SPOT_EXPONENT: l.spotExponent = params[0]; break;
    case GL_SPOT_CUTOFF: l.spotCutoff = params[0]; break;
    case GL_CONSTANT_ATTENUATION: l.attenuation[0] = params[0]; break;
    case GL_LINEAR_ATTENUATION: l.attenuation[1] = params[0]; break;
    case GL_QUADRATIC_ATTENUATION: l.attenuation[2] = params[0]; break;
    default: break;
    }
}

void Context::lightModel(GLenum pname, const GLfloat* params)
{
    if (pname == GL_LIGHT_MODEL_AMBIENT)
        std::memcpy(lighting.modelAmbient, params, sizeof lighting.modelAmbient);
    else if (pname == GL_LIGHT_MODEL_LOCAL_VIEWER)
        lighting.localViewer = params[0] != 0;
    else if (pname == GL_LIGHT_MODEL_TWO_SIDE)
        lighting.twoSide = params[0] != 0;
}

void Context::material(GLenum face, GLenum pname, const GLfloat* params)
{
    if (inBegin)
        lightHere();
    setMaterial(face, pname, params);
}

void Context::setMaterial(GLenum face, GLenum pname, const GLfloat* params)
{
    for (int side = 0; side < 2; side++) {
        if ((side == 0 && face == GL_BACK) || (side == 1 && face == GL_FRONT))
            continue;
        Material& m = lighting.material[side];
        switch (pname) {
        case GL_AMBIENT: std::memcpy(m.ambient, params, sizeof m.ambient); break;
        case GL_DIFFUSE: std::memcpy(m.diffuse, params, sizeof m.diffuse); break;
        case GL_AMBIENT_AND_DIFFUSE:
            std::memcpy(m.ambient, params, sizeof m.ambient);
            std::memcpy(m.diffuse, params, sizeof m.diffuse);
            break;
        case GL_SPECULAR: std::memcpy(m.specular, params, sizeof m.specular); break;
        case GL_EMISSION: std::memcpy(m.emission, params, sizeof m.emission); break;
        case GL_SHININESS: m.shininess = params[0]; break;
        default: break;
        }
    }
}

void Context::colorMaterial(GLenum face, GLenum mode)
{
    colorMaterialFace = face;
    colorMaterialMode = mode;
    if (colorMaterialOn)
        applyColorMaterial();
}

// While colour material is on, the current colour is the material's
// chosen parameter, and stays so when it goes off.
void Context::applyColorMaterial()
{
    setMaterial(colorMaterialFace, colorMaterialMode, currentColor);
}

// --- What the inspector and WebGL see ---

Snapshot Context::snapshot() const
{
    Snapshot s{};
    s.modelview = stacks.modelview.back();
    s.projection = stacks.projection.back();
    std::memcpy(s.viewport, viewportRect, sizeof s.viewport);
    s.depthTest = depthTestOn;
    s.lighting = lightingOn;
    s.texturing = texturingOn;
    s.cullFace = cullFaceOn;
    s.winding = winding;
    s.texEnvMode = envMode;
    s.texture = boundName;
    std::memcpy(s.color, currentColor, sizeof s.color);
    std::memcpy(s.texCoord, currentTexCoord, sizeof s.texCoord);
    std::memcpy(s.lightPosition, lighting.lights[0].position, sizeof s.lightPosition);
    return s;
}

DrawState Context::stateFor(GLenum mode) const
{
    checked = nullptr;
    bool textured = false;
    if (texturingOn || texture1DOn) {
        auto it = textures.find(boundName);
        textured = it != textures.end() && it->second.complete();
    }
    const GLuint texture = textured ? boundName : 0;
    DrawState s{mode, texture, envMode, depthTestOn, cullFaceOn, fragments};
    s.textured = textured;
    s.textureVersion = textured ? textures.at(texture).version : 0;
    s.lit = litHere;
    Fragments& f = s.fragments;
    f.baseFormat = textured ? textures.at(texture).baseFormat : GL_RGB;
    if (textured) {
        const Texture& t = textures.at(texture);
        // WebGL 1 tells a shader nothing of minifying: the magnification
        // filter decides, which is the one small textures are drawn with.
        const bool linear = t.magFilter == GL_LINEAR;
        const float info[4] = {(float)t.storedWidth, (float)t.storedHeight, t.wrapS == GL_CLAMP ? 1.f : 0.f,
                               t.wrapT == GL_CLAMP ? 1.f : 0.f};
        if (linear && (info[2] != 0 || info[3] != 0)) {
            std::memcpy(f.clampInfo, info, sizeof info);
            std::memcpy(f.borderColor, t.borderColor, sizeof f.borderColor);
        }
    }
    if (drawBuffer == GL_NONE)  // drawn for depth and stencil alone
        std::fill(f.colorMask, f.colorMask + 4, GL_FALSE);
    // Each stipple only where it applies, so that it splits no other draw.
    const Fragments plain;
    if (mode != GL_LINES || !f.lineStipple)
        f.lineStipple = GL_FALSE, f.stippleFactor = plain.stippleFactor, f.linePattern = plain.linePattern;
    if (mode != GL_TRIANGLES || !f.polygonStipple) {
        f.polygonStipple = GL_FALSE;
        std::memcpy(f.polygonPattern, plain.polygonPattern, sizeof f.polygonPattern);
    }
    return s;
}

// The draw command the next piece joins: the last, where it has the same
// state and draws the same way (of vertices, or of indices), else a new
// one from `first`. A primitive's pieces come with the one state glEnd
// made for them: only the first is compared with the last command's
// (checked, reset by glEnd).
Command& Context::drawCommand(const DrawState& state, bool indexed, size_t first)
{
    Command* last = commands.empty() ? nullptr : &commands.back();
    const bool known = checked == &state && checkedCommands == commands.size() && last->indexed == indexed;
    if (!known && (!last || last->kind != Command::draw || last->indexed != indexed || !(last->state == state))) {
        Command c{};
        c.kind = Command::draw;
        c.state = state;
        c.indexed = indexed;
        c.first = first;
        commands.push_back(c);
        last = &commands.back();
    }
    checked = &state;
    checkedCommands = commands.size();
    return *last;
}

void Context::emit(const DrawState& state, std::initializer_list<const Vertex*> list)
{
    if (render.mode != GL_RENDER)
        return capture(state.mode, list);
    Command& command = drawCommand(state, false, vertices.size());
    for (const Vertex* v : list)
        vertices.push_back(*v);
    command.count += list.size();
}

// A triangle of the primitive's vertices, lit in WebGL: the primitive's
// vertices go to the frame once, and its triangles name them, so that
// WebGL's vertex shader lights each vertex once, not once a triangle.
void Context::emitIndexed(const DrawState& state, size_t a, size_t b, size_t c)
{
    if (primitiveAt == SIZE_MAX) {
        primitiveAt = vertices.size();
        for (const Vertex& v : primitive)  // push_back, as emit's: no second copy of vector's code in the page
            vertices.push_back(v);
    }
    Command& command = drawCommand(state, true, indices.size());
    for (size_t i : {a, b, c})
        indices.push_back((uint32_t)(primitiveAt + i));
    command.count += 3;
}

}  // namespace glweb
