#include "web/gl/webgl_draw.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

using glweb::Command;
using glweb::DrawState;
using glweb::Vertex;

struct Uploaded {
    GLuint webgl = 0;
    unsigned version = 0;
};

// One WebGL program for each kind of fragment work a draw asks for, made
// when first needed: a shader that branches on uniforms costs a software
// rasteriser on every pixel, one compiled for its case does not.
struct Program {
    GLuint id = 0;
    GLint envColor, fogParams, fogColor, alphaRef, pointSize, lineStipple;
    bool set = false;       // its uniforms hold `values`
    glweb::Fragments values;
};
std::map<int, Program> programs;  // by variantOf()
int currentVariant = -1;
GLuint buffer = 0;
const GLint positionAttrib = 0, colorAttrib = 1, texCoordAttrib = 2, fogAttrib = 3, stippleAttrib = 4;
GLuint stippleTexture = 0;  // the polygon stipple, on texture unit 1
GLubyte stippleUploaded[128];
std::map<GLuint, Uploaded> uploaded;  // by the program's texture name
DrawState current{};
bool haveCurrent = false;
int drawCalls = 0;

// Varyings only for what the draw uses: each costs a software rasteriser
// on every pixel.
const char* const vertexShader = R"(
attribute vec4 position;
attribute vec4 color;
attribute vec2 texCoord;
attribute float fog;
attribute float stipple;
uniform float pointSize;
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
void main() {
    gl_Position = position;
    gl_PointSize = pointSize;
    vColor = color;
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
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D texture;
uniform vec4 envColor;
uniform vec3 fogParams;  // density, start, end
uniform vec4 fogColor;
uniform float alphaRef;
uniform vec2 lineStipple;  // repeat factor, pattern
uniform sampler2D polygonStipple;
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
    vec4 t = texture2D(texture, vTexCoord);
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
    const char* parts[] = {defines, source};
    emscripten_glShaderSource(shader, 2, parts, nullptr);
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

// What a draw's fragments need, as one number: texturing, its environment
// and format, fog, the alpha test's function (7: always), and the stipples.
int variantOf(const DrawState& s)
{
    const glweb::Fragments& f = s.fragments;
    const int texturing = s.texture != 0;
    const int env = texturing ? envCode(s.texEnvMode) : 0, format = texturing ? formatCode(f.baseFormat) : 0;
    const int fog = !f.fog ? 0 : f.fogMode == GL_LINEAR ? 1 : f.fogMode == GL_EXP2 ? 3 : 2;
    const int alpha = f.alphaTest ? (int)(f.alphaFunc - GL_NEVER) & 7 : 7;
    return texturing | env << 1 | format << 3 | fog << 6 | alpha << 8 | (f.lineStipple ? 1 << 11 : 0) |
           (f.polygonStipple ? 1 << 12 : 0);
}

Program& programFor(int variant)
{
    Program& p = programs[variant];
    if (p.id)
        return p;
    char defines[200];
    std::snprintf(defines, sizeof defines, "#define TEXTURING %d\n#define ENV %d\n#define FORMAT %d\n#define FOG %d\n"
                  "#define ALPHA %d\n#define LINE_STIPPLE %d\n#define POLYGON_STIPPLE %d\n", variant & 1,
                  variant >> 1 & 3, variant >> 3 & 7, variant >> 6 & 3, variant >> 8 & 7, variant >> 11 & 1,
                  variant >> 12 & 1);
    p.id = emscripten_glCreateProgram();
    emscripten_glAttachShader(p.id, compile(GL_VERTEX_SHADER, defines, vertexShader));
    emscripten_glAttachShader(p.id, compile(GL_FRAGMENT_SHADER, defines, fragmentShader));
    const struct {
        GLint attrib;
        const char* name;
    } attributes[] = {{positionAttrib, "position"}, {colorAttrib, "color"}, {texCoordAttrib, "texCoord"},
                      {fogAttrib, "fog"}, {stippleAttrib, "stipple"}};
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
                 {&p.alphaRef, "alphaRef"}, {&p.pointSize, "pointSize"}, {&p.lineStipple, "lineStipple"}};
    for (const auto& n : names)
        *n.at = emscripten_glGetUniformLocation(p.id, n.name);
    return p;
}

// Made on first use, and again after the context was lost.
void prepare()
{
    if (buffer)
        return;
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = sizeof(Vertex);
    const struct {
        GLint attrib, size;
        size_t offset;
    } attributes[] = {{positionAttrib, 4, offsetof(Vertex, position)},
                      {colorAttrib, 4, offsetof(Vertex, color)},
                      {texCoordAttrib, 2, offsetof(Vertex, texCoord)},
                      {fogAttrib, 1, offsetof(Vertex, fog)},
                      {stippleAttrib, 1, offsetof(Vertex, stipple)}};
    for (const auto& a : attributes) {
        emscripten_glEnableVertexAttribArray((GLuint)a.attrib);
        emscripten_glVertexAttribPointer((GLuint)a.attrib, a.size, GL_FLOAT, GL_FALSE, stride, (void*)a.offset);
    }
    emscripten_glFrontFace(GL_CCW);
    emscripten_glCullFace(GL_BACK);
    haveCurrent = false;
    currentVariant = -1;
}

// Binds the texture, uploading its image first if WebGL lacks this version.
void bindTexture(const glweb::Context& context, GLuint name)
{
    const glweb::Texture& t = context.textures.at(name);
    Uploaded& u = uploaded[name];
    if (u.webgl == 0)
        emscripten_glGenTextures(1, &u.webgl);
    emscripten_glBindTexture(GL_TEXTURE_2D, u.webgl);
    if (u.version == t.version)
        return;
    u.version = t.version;
    // A mipmap whose smaller levels were not all given is drawn from its
    // first level alone, as GL draws no incomplete texture.
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, t.minFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, t.magFilter);
    const GLint wraps[2] = {t.wrapS, t.wrapT};
    for (int i = 0; i < 2; i++)  // WebGL has no GL_CLAMP: its edge comes closest
        emscripten_glTexParameteri(GL_TEXTURE_2D, i ? GL_TEXTURE_WRAP_T : GL_TEXTURE_WRAP_S,
                                   wraps[i] == GL_REPEAT ? GL_REPEAT : GL_CLAMP_TO_EDGE);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, t.storedWidth, t.storedHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                            t.pixels.data());
    if (t.mipmapped()) {
        // The given levels under the widened first one: a level's size
        // is the first's halved as often as its number.
        int w = t.storedWidth, h = t.storedHeight;
        for (size_t k = 0; k < t.mipmaps.size() && (w > 1 || h > 1); k++) {
            w = w > 1 ? w / 2 : 1;
            h = h > 1 ? h / 2 : 1;
            const glweb::Texture::Level& l = t.mipmaps[k];
            if (l.width == w && l.height == h)
                emscripten_glTexImage2D(GL_TEXTURE_2D, (GLint)k + 1, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                                        l.pixels.data());
        }
        if (w > 1 || h > 1 || t.storedWidth != t.width || t.storedHeight != t.height)
            emscripten_glGenerateMipmap(GL_TEXTURE_2D);
    }
}

// The polygon stipple as a 32 x 32 texture, a byte a bit, where it changed.
void uploadStipple(const GLubyte pattern[128])
{
    if (stippleTexture && std::memcmp(pattern, stippleUploaded, sizeof stippleUploaded) == 0)
        return;
    std::memcpy(stippleUploaded, pattern, sizeof stippleUploaded);
    GLubyte texels[32 * 32];
    for (int i = 0; i < 32 * 32; i++)
        texels[i] = pattern[i / 8] >> (7 - i % 8) & 1 ? 255 : 0;
    emscripten_glActiveTexture(GL_TEXTURE1);
    if (!stippleTexture) {
        emscripten_glGenTextures(1, &stippleTexture);
        emscripten_glBindTexture(GL_TEXTURE_2D, stippleTexture);
        for (GLenum p : {GL_TEXTURE_MIN_FILTER, GL_TEXTURE_MAG_FILTER})
            emscripten_glTexParameteri(GL_TEXTURE_2D, p, GL_NEAREST);
        for (GLenum p : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T})
            emscripten_glTexParameteri(GL_TEXTURE_2D, p, GL_CLAMP_TO_EDGE);
    }
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 32, 32, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, texels);
    emscripten_glActiveTexture(GL_TEXTURE0);
}

// The fragment state WebGL keeps, set where it changes.
void applyFragments(const glweb::Fragments& f, const glweb::Fragments* was)
{
    auto changed = [&](auto member) { return !was || std::memcmp(&(f.*member), &(was->*member), sizeof(f.*member)); };
    using F = glweb::Fragments;
    if (changed(&F::depthFunc))
        emscripten_glDepthFunc(f.depthFunc);
    if (changed(&F::depthMask))
        emscripten_glDepthMask((GLboolean)f.depthMask);
    if (changed(&F::colorMask))
        emscripten_glColorMask((GLboolean)f.colorMask[0], (GLboolean)f.colorMask[1], (GLboolean)f.colorMask[2],
                               (GLboolean)f.colorMask[3]);
    if (changed(&F::blend))
        (f.blend ? emscripten_glEnable : emscripten_glDisable)(GL_BLEND);
    if (changed(&F::blendSrc) || changed(&F::blendDst))
        emscripten_glBlendFunc(f.blendSrc, f.blendDst);
    if (changed(&F::scissor))
        (f.scissor ? emscripten_glEnable : emscripten_glDisable)(GL_SCISSOR_TEST);
    if (changed(&F::scissorBox))
        emscripten_glScissor(f.scissorBox[0], f.scissorBox[1], f.scissorBox[2], f.scissorBox[3]);
    if (changed(&F::stencil))
        (f.stencil ? emscripten_glEnable : emscripten_glDisable)(GL_STENCIL_TEST);
    if (changed(&F::stencilFunc) || changed(&F::stencilRef) || changed(&F::stencilValueMask))
        emscripten_glStencilFunc(f.stencilFunc, f.stencilRef, f.stencilValueMask);
    if (changed(&F::stencilFail) || changed(&F::stencilDepthFail) || changed(&F::stencilPass))
        emscripten_glStencilOp(f.stencilFail, f.stencilDepthFail, f.stencilPass);
    if (changed(&F::stencilWriteMask))
        emscripten_glStencilMask(f.stencilWriteMask);
    if (changed(&F::cullMode))
        emscripten_glCullFace(f.cullMode);
    if (changed(&F::polygonOffset))
        (f.polygonOffset ? emscripten_glEnable : emscripten_glDisable)(GL_POLYGON_OFFSET_FILL);
    if (changed(&F::offsetFactor) || changed(&F::offsetUnits))
        emscripten_glPolygonOffset(f.offsetFactor, f.offsetUnits);
    if (changed(&F::depthRange))
        emscripten_glDepthRangef(f.depthRange[0], f.depthRange[1]);
}

// A program's own uniforms, where they differ from what it was last given.
void applyUniforms(Program& p, const glweb::Fragments& f)
{
    const glweb::Fragments* was = p.set ? &p.values : nullptr;
    auto changed = [&](auto member) { return !was || std::memcmp(&(f.*member), &(was->*member), sizeof(f.*member)); };
    using F = glweb::Fragments;
    if (changed(&F::envColor))
        emscripten_glUniform4fv(p.envColor, 1, f.envColor);
    if (changed(&F::fogDensity) || changed(&F::fogStart) || changed(&F::fogEnd))
        emscripten_glUniform3f(p.fogParams, f.fogDensity, f.fogStart, f.fogEnd);
    if (changed(&F::fogColor))
        emscripten_glUniform4fv(p.fogColor, 1, f.fogColor);
    if (changed(&F::alphaRef))
        emscripten_glUniform1f(p.alphaRef, f.alphaRef);
    if (changed(&F::pointSize))
        emscripten_glUniform1f(p.pointSize, f.pointSize);
    if (changed(&F::stippleFactor) || changed(&F::linePattern))
        emscripten_glUniform2f(p.lineStipple, (float)f.stippleFactor, (float)f.linePattern);
    p.values = f;
    p.set = true;
}

void apply(const glweb::Context& context, const DrawState& s)
{
    const int variant = variantOf(s);
    Program& p = programFor(variant);
    if (variant != currentVariant) {
        emscripten_glUseProgram(p.id);
        currentVariant = variant;
    }
    if (!haveCurrent || s.depthTest != current.depthTest)
        (s.depthTest ? emscripten_glEnable : emscripten_glDisable)(GL_DEPTH_TEST);
    if (!haveCurrent || s.cullFace != current.cullFace)
        (s.cullFace ? emscripten_glEnable : emscripten_glDisable)(GL_CULL_FACE);
    if (s.fragments.polygonStipple)
        uploadStipple(s.fragments.polygonPattern);
    if (s.texture && (!haveCurrent || s.texture != current.texture ||
                      uploaded[s.texture].version != context.textures.at(s.texture).version))
        bindTexture(context, s.texture);
    applyFragments(s.fragments, haveCurrent ? &current.fragments : nullptr);
    applyUniforms(p, s.fragments);
    current = s;
    haveCurrent = true;
}

// A clear through the masks and the scissor box in force when it was made;
// what the draws after it need is set again by their own state.
void clear(const Command& c)
{
    emscripten_glClearColor(c.clearColor[0], c.clearColor[1], c.clearColor[2], c.clearColor[3]);
    emscripten_glClearDepthf(c.clearDepth);
    emscripten_glClearStencil(c.clearStencil);
    emscripten_glColorMask((GLboolean)c.colorMask[0], (GLboolean)c.colorMask[1], (GLboolean)c.colorMask[2],
                           (GLboolean)c.colorMask[3]);
    emscripten_glDepthMask((GLboolean)c.depthMask);
    if (c.scissor[2] >= 0) {
        emscripten_glEnable(GL_SCISSOR_TEST);
        emscripten_glScissor(c.scissor[0], c.scissor[1], c.scissor[2], c.scissor[3]);
    } else {
        emscripten_glDisable(GL_SCISSOR_TEST);
    }
    emscripten_glClear(c.mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT));
    haveCurrent = false;  // the masks and the scissor again at the next draw
}

}  // namespace

void webglDraw(glweb::Context& context)
{
    if (context.commands.empty())
        return;
    prepare();
    if (!context.vertices.empty())
        emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(context.vertices.size() * sizeof(Vertex)),
                                context.vertices.data(), GL_STREAM_DRAW);
    for (const Command& c : context.commands) {
        if (c.kind == Command::viewport) {
            emscripten_glViewport(c.rect[0], c.rect[1], c.rect[2], c.rect[3]);
        } else if (c.kind == Command::clear) {
            clear(c);
        } else {
            apply(context, c.state);
            emscripten_glDrawArrays(c.state.mode, (GLint)c.first, (GLsizei)c.count);
            drawCalls++;
        }
    }
    context.commands.clear();
    context.vertices.clear();
}

void webglReadPixels(glweb::Context& context, int x, int y, int width, int height, unsigned char* rgba)
{
    webglDraw(context);
    emscripten_glPixelStorei(GL_PACK_ALIGNMENT, 1);
    emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}

void webglWindowSize(int* width, int* height)
{
    emscripten_webgl_get_drawing_buffer_size(emscripten_webgl_get_current_context(), width, height);
}

void webglForget()
{
    programs.clear();
    currentVariant = -1;
    buffer = 0;
    stippleTexture = 0;
    uploaded.clear();
    haveCurrent = false;
}

int webglDrawCalls()
{
    return drawCalls;
}
