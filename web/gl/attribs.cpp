// glPushAttrib and glPopAttrib: the state of every group saved whole, and
// only the groups the push named given back by the pop.
#include <GL/gl.h>

#include <algorithm>

#include "web/gl/gl_api.h"

namespace glweb {

bool Context::pushAttrib(GLbitfield mask)
{
    if (attribStack.size() >= 16)
        return false;
    attribStack.push_back({mask, state()});
    return true;
}

bool Context::popAttrib()
{
    if (attribStack.empty())
        return false;
    const GLbitfield m = attribStack.back().mask;
    const State s = attribStack.back().state;
    attribStack.pop_back();
    Fragments& f = fragments;
    const Fragments& g = s.fragments;
    // Switches that draw nothing different here, each in the groups GL puts it in.
    auto keep = [&](std::initializer_list<GLenum> caps) {
        for (GLenum cap : caps)
            enable(cap, s.keptSwitches & keptBitOf(cap));
    };
    if (m & GL_CURRENT_BIT) {
        std::memcpy(currentColor, s.color, sizeof currentColor);
        std::memcpy(currentTexCoord, s.texCoord, sizeof currentTexCoord);
        currentNormal = s.normal;
        currentEdge = s.edge;
        currentIndex = s.currentIndex;
        raster = s.raster;
    }
    if (m & (GL_ENABLE_BIT | GL_LIGHTING_BIT)) {
        lightingOn = s.lightingOn;
        colorMaterialOn = s.colorMaterialOn;
        for (int i = 0; i < LightingState::lightCount; i++)
            lighting.lights[i].enabled = s.lighting.lights[i].enabled;
    }
    if (m & GL_ENABLE_BIT) {
        texturingOn = s.texturingOn;
        texture1DOn = s.texture1DOn;
        depthTestOn = s.depthTestOn;
        cullFaceOn = s.cullFaceOn;
        lighting.normalize = s.lighting.normalize;
        f.blend = g.blend, f.alphaTest = g.alphaTest, f.fog = g.fog, f.scissor = g.scissor, f.stencil = g.stencil;
        f.polygonOffset = g.polygonOffset, f.lineStipple = g.lineStipple, f.polygonStipple = g.polygonStipple;
        keptSwitches = s.keptSwitches;
    }
    if (m & GL_LIGHTING_BIT) {
        const bool normalize = lighting.normalize;
        lighting = s.lighting;
        lighting.normalize = normalize;
        colorMaterialFace = s.colorMaterialFace;
        colorMaterialMode = s.colorMaterialMode;
        flatShading = s.flatShading;
    }
    if (m & GL_COLOR_BUFFER_BIT) {
        f.alphaTest = g.alphaTest, f.alphaFunc = g.alphaFunc, f.alphaRef = g.alphaRef;
        f.blend = g.blend, f.blendSrc = g.blendSrc, f.blendDst = g.blendDst;
        std::memcpy(f.colorMask, g.colorMask, sizeof f.colorMask);
        std::memcpy(clearRGBA, s.clearColor, sizeof clearRGBA);
        logicOpMode = s.logicOpMode, drawBuffer = s.drawBuffer;
        clearIndexValue = s.clearIndex, indexMask = s.indexMask;
        keep({GL_DITHER, GL_COLOR_LOGIC_OP, GL_INDEX_LOGIC_OP});
    }
    if (m & GL_ACCUM_BUFFER_BIT)
        std::memcpy(accum.clearValue, s.accumClear, sizeof accum.clearValue);
    if (m & GL_HINT_BIT)
        std::memcpy(hints, s.hints, sizeof hints);
    if (m & GL_PIXEL_MODE_BIT) {
        std::memcpy(transferScale, s.transferScale, sizeof transferScale);
        std::memcpy(transferBias, s.transferBias, sizeof transferBias);
        std::memcpy(pixelZoom, s.pixelZoom, sizeof pixelZoom);
        mapColor = s.mapColor, readBuffer = s.readBuffer, mapStencil = s.mapStencil;
        indexShift = s.indexShift, indexOffset = s.indexOffset, depthScale = s.depthScale, depthBias = s.depthBias;
    }
    if (m & GL_DEPTH_BUFFER_BIT) {
        depthTestOn = s.depthTestOn;
        f.depthFunc = g.depthFunc, f.depthMask = g.depthMask;
        clearDepthValue = s.clearDepth;
    }
    if (m & GL_FOG_BIT) {
        f.fog = g.fog, f.fogMode = g.fogMode, f.fogDensity = g.fogDensity, f.fogStart = g.fogStart, f.fogEnd = g.fogEnd;
        std::memcpy(f.fogColor, g.fogColor, sizeof f.fogColor);
    }
    if (m & GL_POLYGON_BIT) {
        cullFaceOn = s.cullFaceOn;
        f.cullMode = g.cullMode;
        winding = s.winding;
        f.polygonStipple = g.polygonStipple;
        polygonModes[0] = s.polygonModes[0], polygonModes[1] = s.polygonModes[1];
        f.polygonOffset = g.polygonOffset, f.offsetFactor = g.offsetFactor, f.offsetUnits = g.offsetUnits;
        keep({GL_POLYGON_SMOOTH, GL_POLYGON_OFFSET_LINE, GL_POLYGON_OFFSET_POINT});
    }
    if (m & GL_POINT_BIT) {
        f.pointSize = g.pointSize;
        keep({GL_POINT_SMOOTH});
    }
    if (m & GL_LINE_BIT) {
        f.lineWidth = g.lineWidth, f.lineStipple = g.lineStipple;
        f.stippleFactor = g.stippleFactor, f.linePattern = g.linePattern;
        keep({GL_LINE_SMOOTH});
    }
    if (m & GL_POLYGON_STIPPLE_BIT)
        std::memcpy(f.polygonPattern, g.polygonPattern, sizeof f.polygonPattern);
    if (m & GL_SCISSOR_BIT) {
        f.scissor = g.scissor;
        std::memcpy(f.scissorBox, g.scissorBox, sizeof f.scissorBox);
    }
    if (m & GL_STENCIL_BUFFER_BIT) {
        f.stencil = g.stencil, f.stencilFunc = g.stencilFunc, f.stencilRef = g.stencilRef;
        f.stencilValueMask = g.stencilValueMask, f.stencilWriteMask = g.stencilWriteMask;
        f.stencilFail = g.stencilFail, f.stencilDepthFail = g.stencilDepthFail, f.stencilPass = g.stencilPass;
        clearStencilValue = s.clearStencil;
    }
    if (m & GL_TEXTURE_BIT) {
        boundName = s.bound;
        envMode = s.envMode;
        texturingOn = s.texturingOn;
        texture1DOn = s.texture1DOn;
        std::memcpy(f.envColor, g.envColor, sizeof f.envColor);
        std::copy(s.texGens, s.texGens + 4, texGens);
    }
    if (m & (GL_ENABLE_BIT | GL_TEXTURE_BIT))
        for (int k = 0; k < 4; k++)
            enable(GL_TEXTURE_GEN_S + (GLenum)k, s.texGens[k].on);
    if (m & (GL_ENABLE_BIT | GL_TRANSFORM_BIT))
        clipPlaneMask = s.clipPlaneMask;
    if (m & GL_TRANSFORM_BIT)
        std::memcpy(clipPlanes, s.clipPlanes, sizeof clipPlanes);
    if (m & (GL_ENABLE_BIT | GL_EVAL_BIT)) {
        std::memcpy(eval.enabled, s.eval.enabled, sizeof eval.enabled);
        eval.autoNormal = s.eval.autoNormal;
    }
    if (m & GL_EVAL_BIT)
        static_cast<EvalGroup&>(eval) = s.eval;
    if (m & GL_TRANSFORM_BIT) {
        matrixMode(s.matrixMode);
        lighting.normalize = s.lighting.normalize;
    }
    if (m & GL_VIEWPORT_BIT) {
        std::memcpy(f.depthRange, g.depthRange, sizeof f.depthRange);
        if (std::memcmp(viewportRect, s.viewport, sizeof viewportRect) != 0)
            viewport(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3]);
    }
    return true;
}

Context::Settings Context::settings() const
{
    Settings s{matrixModeValue, (GLenum)(flatShading ? GL_FLAT : GL_SMOOTH), {polygonModes[0], polygonModes[1]},
               colorMaterialFace, colorMaterialMode, {}, clearDepthValue, clearStencilValue, currentEdge,
               attribStack.size()};
    std::memcpy(s.clearColor, clearRGBA, sizeof s.clearColor);
    return s;
}

Context::State Context::state() const
{
    State s;
    std::memcpy(s.color, currentColor, sizeof s.color);
    std::memcpy(s.texCoord, currentTexCoord, sizeof s.texCoord);
    s.normal = currentNormal;
    s.edge = currentEdge;
    s.keptSwitches = keptSwitches;
    s.lighting = lighting;
    s.fragments = fragments;
    s.eval = eval;
    s.lightingOn = lightingOn, s.texturingOn = texturingOn, s.texture1DOn = texture1DOn;
    s.depthTestOn = depthTestOn, s.cullFaceOn = cullFaceOn, s.colorMaterialOn = colorMaterialOn;
    s.flatShading = flatShading;
    s.colorMaterialFace = colorMaterialFace, s.colorMaterialMode = colorMaterialMode;
    std::memcpy(s.clearColor, clearRGBA, sizeof s.clearColor);
    s.clearDepth = clearDepthValue;
    s.clearStencil = clearStencilValue;
    s.winding = winding;
    s.polygonModes[0] = polygonModes[0], s.polygonModes[1] = polygonModes[1];
    s.bound = boundName;
    s.envMode = envMode;
    s.matrixMode = matrixModeValue;
    std::memcpy(s.viewport, viewportRect, sizeof s.viewport);
    std::memcpy(s.hints, hints, sizeof s.hints);
    s.logicOpMode = logicOpMode, s.drawBuffer = drawBuffer, s.readBuffer = readBuffer, s.mapColor = mapColor;
    std::memcpy(s.transferScale, transferScale, sizeof s.transferScale);
    std::memcpy(s.transferBias, transferBias, sizeof s.transferBias);
    std::memcpy(s.pixelZoom, pixelZoom, sizeof s.pixelZoom);
    s.mapStencil = mapStencil;
    s.indexShift = indexShift, s.indexOffset = indexOffset, s.depthScale = depthScale, s.depthBias = depthBias;
    s.raster = raster;
    s.currentIndex = currentIndex, s.clearIndex = clearIndexValue, s.indexMask = indexMask;
    std::memcpy(s.accumClear, accum.clearValue, sizeof s.accumClear);
    std::copy(texGens, texGens + 4, s.texGens);
    std::memcpy(s.clipPlanes, clipPlanes, sizeof s.clipPlanes);
    s.clipPlaneMask = clipPlaneMask;
    return s;
}

}  // namespace glweb

extern "C" {

void glPushAttrib(GLbitfield mask)
{
    ENTRY("glPushAttrib", glPushAttrib, (mask));
    if (glweb::outsideBeginEnd() && !glweb::gl().pushAttrib(mask))
        glweb::raise(GL_STACK_OVERFLOW);
}

void glPopAttrib()
{
    ENTRY("glPopAttrib", glPopAttrib, ());
    if (glweb::outsideBeginEnd() && !glweb::gl().popAttrib())
        glweb::raise(GL_STACK_UNDERFLOW);
}

}  // extern "C"
