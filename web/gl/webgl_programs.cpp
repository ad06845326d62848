// The WebGL programs the page draws with: one for each kind of fragment
// work a draw asks for (texturing and its environment, fog, the alpha
// test, the stipples), compiled from one vertex and one fragment shader
// with that kind's defines when first needed.
#include "web/gl/webgl_programs.h"

#include <webgl/webgl1.h>

#include <cstdio>
#include <map>

namespace glweb {

namespace {

std::map<int, Program> programs;  // by variantOf()

// What the vertex shader hands the fragment shader: varyings only for what
// the draw uses, since each costs a software rasteriser on every pixel.
const char* const varyings = R"(
varying vec4 vColor;
#if TEXTURING
varying vec2 vTexCoord;
#endif
#if FOG
varying float vFog;
#endif
#if LINE_STIPPLE
varying vec2 vStipple;
#endif
)";

// A fragment shader's floats, before anything it declares.
const char* const fragmentPrecision = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
)";

// Each light's part of the lighting equation, light k of the lit() below,
// written out for its kind, since a software rasteriser runs a loop over
// the lights as a loop: a directional light with no spot seen from
// infinitely far, its direction and half-way vector computed by the page,
// and any other light. Each a line, as GLSL ES continues none.
const char* const lightMacros =
    "#define DIRECTIONAL(k) { float nDotL = max(dot(n, lights[6 * k + 3].xyz), 0.0), s = 0.0;"
    " if (nDotL > 0.0 && specular.rgb != vec3(0.0)) { float nDotH = max(dot(n, lights[6 * k + 4].xyz), 0.0);"
    " s = material[5].x == 0.0 ? 1.0 : nDotH > 0.0 ? pow(nDotH, material[5].x) : 0.0; }"
    " c += ambient.rgb * lights[6 * k].rgb + nDotL * diffuse.rgb * lights[6 * k + 1].rgb +"
    " s * specular.rgb * lights[6 * k + 2].rgb; }\n"
    "#define GENERAL(k) { vec4 p = lights[6 * k + 3], spot = lights[6 * k + 4], att = lights[6 * k + 5];"
    " vec3 toLight = unit(p.xyz); float f = 1.0;"
    " if (p.w != 0.0) { vec3 d = p.xyz / p.w - eye; float distance = length(d);"
    " f = 1.0 / (att.x + att.y * distance + att.z * distance * distance); toLight = unit(d); }"
    " if (spot.w > -1.5) { float cosine = -dot(toLight, spot.xyz);"
    " f *= cosine >= spot.w ? (att.w == 0.0 ? 1.0 : pow(max(cosine, 0.0), att.w)) : 0.0; }"
    " float nDotL = max(dot(n, toLight), 0.0), s = 0.0;"
    " if (nDotL > 0.0 && specular.rgb != vec3(0.0)) {"
    " vec3 toEye = material[5].y > 0.5 ? unit(-eye) : vec3(0.0, 0.0, 1.0);"
    " float nDotH = max(dot(n, unit(toLight + toEye)), 0.0);"
    " s = material[5].x == 0.0 ? 1.0 : nDotH > 0.0 ? pow(nDotH, material[5].x) : 0.0; }"
    " c += f * (ambient.rgb * lights[6 * k].rgb + nDotL * diffuse.rgb * lights[6 * k + 1].rgb +"
    " s * specular.rgb * lights[6 * k + 2].rgb); }\n";

// Where it lights (LIT), lit() is the lighting equation for the vertex at
// `eye` with the eye-space `normal`, as the GL layer's own, colour material
// putting the vertex's colour in the parameter it tracks (CM: 1 ambient,
// 2 diffuse, 3 both, 4 specular, 5 emission). `material` holds the
// emission, ambient, diffuse and specular, the model's ambient, and
// (shininess, local viewer, normalize); `lights` six vectors a light: its
// ambient, diffuse and specular, then its position, spot, and attenuation
// and spot exponent, or a directional light's direction and half-way
// vector. The comments stay out of the shader's text, which every page
// carries.
const char* const vertexShader = R"(
attribute vec4 position;
attribute vec4 color;
attribute vec2 texCoord;
attribute float fog;
attribute float stipple;
uniform float pointSize;
#if LIT
attribute vec3 eye;
attribute vec3 normal;
uniform vec4 material[6];
#if LIGHTS
uniform vec4 lights[6 * LIGHTS];
#endif
vec3 unit(vec3 v) {
    float l = length(v);
    return l == 0.0 ? v : v / l;
}
vec4 lit(vec4 given) {
    vec4 emission = material[0], ambient = material[1], diffuse = material[2], specular = material[3];
#if CM == 1 || CM == 3
    ambient = given;
#endif
#if CM == 2 || CM == 3
    diffuse = given;
#endif
#if CM == 4
    specular = given;
#elif CM == 5
    emission = given;
#endif
    vec3 n = material[5].z > 0.5 ? unit(normal) : normal;
    vec3 c = emission.rgb + ambient.rgb * material[4].rgb;
    EACH_LIGHT
    return vec4(clamp(c, 0.0, 1.0), clamp(diffuse.a, 0.0, 1.0));
}
#endif
void main() {
    gl_Position = position;
    gl_PointSize = pointSize;
#if LIT
    vColor = lit(color);
#else
    vColor = color;
#endif
#if TEXTURING
    vTexCoord = texCoord;
#endif
#if FOG
    vFog = fog;
#endif
#if LINE_STIPPLE
    vStipple = vec2(stipple, position.w);
#endif
})";

// OpenGL 1.1's texture environment for each base format (FORMAT 0 RGB,
// 1 RGBA, 2 alpha, 3 luminance, 4 luminance and alpha, 5 intensity; the
// stored texel has what a format lacks as 1, alpha's colour as 1), fog by
// the fragment's distance from the eye, and the alpha test, each compiled
// in only when the draw has it.
const char* const fragmentShader = R"(
uniform sampler2D texture;
uniform vec4 envColor;
uniform vec3 fogParams;  // density, start, end
uniform vec4 fogColor;
uniform float alphaRef;
uniform vec2 lineStipple;  // repeat factor, pattern
uniform sampler2D polygonStipple;
uniform vec4 clampInfo;  // width, height, s clamped, t clamped
uniform vec4 borderColor;
void main() {
#if LINE_STIPPLE
    // Bit (count / factor) mod 16 of the pattern, the count in whole pixels.
    float bit = mod(floor(floor(vStipple.x / vStipple.y) / lineStipple.x), 16.0);
    if (mod(floor(lineStipple.y / exp2(bit)), 2.0) < 0.5) discard;
#endif
#if POLYGON_STIPPLE
    if (texture2D(polygonStipple, (mod(floor(gl_FragCoord.xy), 32.0) + 0.5) / 32.0).r < 0.5) discard;
#endif
    vec4 c = vColor;
#if TEXTURING
#if BORDER
    // GL_CLAMP: the coordinates clamped to [0, 1], and the share of a
    // linear filter's texels that lie past the edge taken from the border.
    vec2 st = mix(vTexCoord, clamp(vTexCoord, 0.0, 1.0), clampInfo.zw);
    vec2 u = st * clampInfo.xy;
    vec2 past = clamp(max(u - (clampInfo.xy - 0.5), 0.5 - u), 0.0, 0.5) * clampInfo.zw;
    vec4 t = mix(borderColor, texture2D(texture, st), (1.0 - past.x) * (1.0 - past.y));
#else
    vec4 t = texture2D(texture, vTexCoord);
#endif
#define HAS_ALPHA (FORMAT == 1 || FORMAT == 2 || FORMAT == 4 || FORMAT == 5)
#define HAS_COLOR (FORMAT != 2)
#if ENV == 0
    c = c * t;
#elif ENV == 1
#if HAS_COLOR
    c.rgb = t.rgb;
#endif
#if HAS_ALPHA
    c.a = t.a;
#endif
#elif ENV == 2
#if FORMAT == 0
    c.rgb = t.rgb;
#elif FORMAT == 1
    c.rgb = mix(c.rgb, t.rgb, t.a);
#endif
#else
#if HAS_COLOR
    c.rgb = mix(c.rgb, envColor.rgb, t.rgb);
#endif
#if FORMAT == 5
    c.a = mix(c.a, envColor.a, t.a);
#elif HAS_ALPHA
    c.a *= t.a;
#endif
#endif
#endif
#if FOG == 1
    c.rgb = mix(fogColor.rgb, c.rgb, clamp((fogParams.z - vFog) / (fogParams.z - fogParams.y), 0.0, 1.0));
#elif FOG == 2
    c.rgb = mix(fogColor.rgb, c.rgb, clamp(exp(-fogParams.x * vFog), 0.0, 1.0));
#elif FOG == 3
    c.rgb = mix(fogColor.rgb, c.rgb, clamp(exp(-(fogParams.x * vFog) * (fogParams.x * vFog)), 0.0, 1.0));
#endif
#if ALPHA == 0
    discard;
#elif ALPHA == 1
    if (!(c.a < alphaRef)) discard;
#elif ALPHA == 2
    if (!(c.a == alphaRef)) discard;
#elif ALPHA == 3
    if (!(c.a <= alphaRef)) discard;
#elif ALPHA == 4
    if (!(c.a > alphaRef)) discard;
#elif ALPHA == 5
    if (!(c.a != alphaRef)) discard;
#elif ALPHA == 6
    if (!(c.a >= alphaRef)) discard;
#endif
    gl_FragColor = c;
})";

GLuint compile(GLenum type, const char* defines, const char* source)
{
    GLuint shader = emscripten_glCreateShader(type);
    const char* parts[] = {defines, type == GL_FRAGMENT_SHADER ? fragmentPrecision : lightMacros, varyings, source};
    emscripten_glShaderSource(shader, 4, parts, nullptr);
    emscripten_glCompileShader(shader);
    GLint ok = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[512];
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
    }
    return shader;
}

int formatCode(GLenum base)
{
    switch (base) {
    case GL_RGBA: return 1;
    case GL_ALPHA: return 2;
    case GL_LUMINANCE: return 3;
    case GL_LUMINANCE_ALPHA: return 4;
    case GL_INTENSITY: return 5;
    default: return 0;
    }
}

int envCode(GLenum mode)
{
    return mode == GL_REPLACE ? 1 : mode == GL_DECAL ? 2 : mode == GL_BLEND ? 3 : 0;
}

}  // namespace

// What a draw's fragments need, as one number: texturing, its environment
// and format, fog, the alpha test's function (7: always), and the stipples.
int variantOf(const DrawState& s, const std::vector<ShaderLights>& lit)
{
    const glweb::Fragments& f = s.fragments;
    const int texturing = s.textured;
    const int env = texturing ? envCode(s.texEnvMode) : 0, format = texturing ? formatCode(f.baseFormat) : 0;
    const int fog = !f.fog ? 0 : f.fogMode == GL_LINEAR ? 1 : f.fogMode == GL_EXP2 ? 3 : 2;
    const int alpha = f.alphaTest ? (int)(f.alphaFunc - GL_NEVER) & 7 : 7;
    return texturing | env << 1 | format << 3 | fog << 6 | alpha << 8 | (f.lineStipple ? 1 << 11 : 0) |
           (f.polygonStipple ? 1 << 12 : 0) | (texturing && (f.clampInfo[2] != 0 || f.clampInfo[3] != 0) ? 1 << 13 : 0) |
           (s.lit >= 0 ? lit[(size_t)s.lit].count << 14 | lit[(size_t)s.lit].colorMaterial << 18 | 1 << 21 |
                             lit[(size_t)s.lit].directional << 22 : 0);
}

Program& programFor(int variant)
{
    Program& p = programs[variant];
    if (p.id)
        return p;
    char each[8 * 16] = "";  // "DIRECTIONAL(k) " or "GENERAL(k) " for each light
    for (int k = 0, at = 0; k < (variant >> 14 & 15); k++)
        at += std::snprintf(each + at, sizeof each - (size_t)at, "%s(%d) ", variant >> (22 + k) & 1 ? "DIRECTIONAL" : "GENERAL", k);
    char defines[500];
    std::snprintf(defines, sizeof defines, "#define EACH_LIGHT %s\n" "#define TEXTURING %d\n#define ENV %d\n#define FORMAT %d\n#define FOG %d\n"
                  "#define ALPHA %d\n#define LINE_STIPPLE %d\n#define POLYGON_STIPPLE %d\n#define BORDER %d\n"
                  "#define LIT %d\n#define LIGHTS %d\n#define CM %d\n",
                  each, variant & 1, variant >> 1 & 3, variant >> 3 & 7, variant >> 6 & 3, variant >> 8 & 7,
                  variant >> 11 & 1, variant >> 12 & 1, variant >> 13 & 1, variant >> 21 & 1, variant >> 14 & 15, variant >> 18 & 7);
    p.id = emscripten_glCreateProgram();
    emscripten_glAttachShader(p.id, compile(GL_VERTEX_SHADER, defines, vertexShader));
    emscripten_glAttachShader(p.id, compile(GL_FRAGMENT_SHADER, defines, fragmentShader));
    const struct {
        GLint attrib;
        const char* name;
    } attributes[] = {{positionAttrib, "position"}, {colorAttrib, "color"}, {texCoordAttrib, "texCoord"},
                      {fogAttrib, "fog"}, {stippleAttrib, "stipple"}, {eyeAttrib, "eye"}, {normalAttrib, "normal"}};
    for (const auto& a : attributes)
        emscripten_glBindAttribLocation(p.id, (GLuint)a.attrib, a.name);
    emscripten_glLinkProgram(p.id);
    emscripten_glUseProgram(p.id);
    emscripten_glUniform1i(emscripten_glGetUniformLocation(p.id, "texture"), 0);
    emscripten_glUniform1i(emscripten_glGetUniformLocation(p.id, "polygonStipple"), 1);
    const struct {
        GLint* at;
        const char* name;
    } names[] = {{&p.envColor, "envColor"}, {&p.fogParams, "fogParams"}, {&p.fogColor, "fogColor"},
                 {&p.alphaRef, "alphaRef"}, {&p.pointSize, "pointSize"}, {&p.lineStipple, "lineStipple"},
                 {&p.clampInfo, "clampInfo"}, {&p.borderColor, "borderColor"}, {&p.material, "material"},
                 {&p.lights, "lights"}};
    for (const auto& n : names)
        *n.at = emscripten_glGetUniformLocation(p.id, n.name);
    return p;
}

void forgetPrograms()
{
    programs.clear();
}

}  // namespace glweb
