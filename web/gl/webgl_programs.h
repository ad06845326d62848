// The WebGL programs the page draws with (webgl_programs.cpp).
#pragma once

#include <GLES2/gl2.h>

#include "web/gl/gl_context.h"

namespace glweb {

// One WebGL program for each kind of fragment work a draw asks for, made
// when first needed: a shader that branches on uniforms costs a software
// rasteriser on every pixel, one compiled for its case does not.
struct Program {
    GLuint id = 0;
    GLint envColor, fogParams, fogColor, alphaRef, pointSize, lineStipple, clampInfo, borderColor;
    GLint material, lights;  // where it lights
    bool set = false;       // its uniforms hold `values`
    glweb::Fragments values;
    bool litSet = false;  // and `litValues` where it lights
    ShaderLights litValues;
};
const GLint positionAttrib = 0, colorAttrib = 1, texCoordAttrib = 2, fogAttrib = 3, stippleAttrib = 4, eyeAttrib = 5, normalAttrib = 6;

// What a draw's fragments need, as one number: texturing, its environment
// and format, fog, the alpha test's function, the stipples, and where the
// vertex shader lights, how many lights and what colour material tracks.
int variantOf(const DrawState& s, const std::vector<ShaderLights>& lit);
// The program for a variant, compiled and linked when first asked for.
Program& programFor(int variant);
// WebGL's programs are gone with a lost context: made again when asked.
void forgetPrograms();

}  // namespace glweb
