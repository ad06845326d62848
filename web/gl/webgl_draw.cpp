// What the GL layer computed, sent to WebGL: each frame's commands (clears
// and draws of transformed, lit and clipped vertices) with the fragment
// state they need, textures uploaded where their images changed, and reads
// of the frame back.
#include "web/gl/webgl_draw.h"
#include "web/gl/webgl_programs.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <map>

namespace {

using glweb::Command;
using glweb::DrawState;
using glweb::Program;
using glweb::programFor;
using glweb::variantOf;
using glweb::Vertex;
using glweb::positionAttrib;
using glweb::colorAttrib;
using glweb::texCoordAttrib;
using glweb::fogAttrib;
using glweb::stippleAttrib;
using glweb::eyeAttrib;
using glweb::normalAttrib;

struct Uploaded {
    GLuint webgl = 0;
    unsigned version = 0;
};

int currentVariant = -1;
GLuint buffer = 0, indexBuffer = 0;
GLuint stippleTexture = 0;  // the polygon stipple, on texture unit 1
GLubyte stippleUploaded[128];
std::map<GLuint, Uploaded> uploaded;  // by the program's texture name
DrawState current{};
bool haveCurrent = false;
int drawCalls = 0;

// Made on first use, and again after the context was lost.
void prepare()
{
    if (buffer)
        return;
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    emscripten_glGenBuffers(1, &indexBuffer);
    emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer);
    const GLsizei stride = sizeof(Vertex);
    const struct {
        GLint attrib, size;
        size_t offset;
    } attributes[] = {{positionAttrib, 4, offsetof(Vertex, position)},
                      {colorAttrib, 4, offsetof(Vertex, color)},
                      {texCoordAttrib, 2, offsetof(Vertex, texCoord)},
                      {fogAttrib, 1, offsetof(Vertex, fog)},
                      {stippleAttrib, 1, offsetof(Vertex, stipple)},
                      {eyeAttrib, 3, offsetof(Vertex, eye)},
                      {normalAttrib, 3, offsetof(Vertex, normal)}};
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
void bindTexture(const glweb::Texture& t, GLuint name)
{
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
    if (changed(&F::clampInfo))
        emscripten_glUniform4fv(p.clampInfo, 1, f.clampInfo);
    if (changed(&F::borderColor))
        emscripten_glUniform4fv(p.borderColor, 1, f.borderColor);
    if (changed(&F::stippleFactor) || changed(&F::linePattern))
        emscripten_glUniform2f(p.lineStipple, (float)f.stippleFactor, (float)f.linePattern);
    p.values = f;
    p.set = true;
}

// The lights of a program that lights, where they differ from its last.
void applyLights(Program& p, const ShaderLights& l)
{
    if (p.litSet && p.litValues == l)
        return;
    emscripten_glUniform4fv(p.material, 6, &l.material[0][0]);
    if (l.count)
        emscripten_glUniform4fv(p.lights, 6 * l.count, &l.lights[0][0][0]);
    p.litValues = l;
    p.litSet = true;
}

void apply(const glweb::Context& context, const DrawState& s)
{
    const int variant = variantOf(s, context.shaderLit);
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
    if (s.textured && (!haveCurrent || !current.textured || s.texture != current.texture ||
                       uploaded[s.texture].version != s.textureVersion))
        if (const glweb::Texture* t = context.textureAt(s.texture, s.textureVersion))
            bindTexture(*t, s.texture);
    applyFragments(s.fragments, haveCurrent ? &current.fragments : nullptr);
    applyUniforms(p, s.fragments);
    if (s.lit >= 0)
        applyLights(p, context.shaderLit[(size_t)s.lit]);
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
    if (!context.indices.empty())
        emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER, (GLsizeiptr)(context.indices.size() * sizeof(uint32_t)),
                                context.indices.data(), GL_STREAM_DRAW);
    for (const Command& c : context.commands) {
        if (c.kind == Command::viewport) {
            emscripten_glViewport(c.rect[0], c.rect[1], c.rect[2], c.rect[3]);
        } else if (c.kind == Command::clear) {
            clear(c);
        } else {
            apply(context, c.state);
            if (c.indexed)
                emscripten_glDrawElements(c.state.mode, (GLsizei)c.count, GL_UNSIGNED_INT, (void*)(c.first * sizeof(uint32_t)));
            else
                emscripten_glDrawArrays(c.state.mode, (GLint)c.first, (GLsizei)c.count);
            drawCalls++;
        }
    }
    context.commands.clear();
    context.vertices.clear();
    context.indices.clear();
    context.shaderLit.clear();
    context.retired.clear();
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
    glweb::forgetPrograms();
    currentVariant = -1;
    buffer = indexBuffer = 0;
    stippleTexture = 0;
    uploaded.clear();
    haveCurrent = false;
}

bool webglWideIndices()
{
    return emscripten_webgl_enable_extension(emscripten_webgl_get_current_context(), "OES_element_index_uint");
}

int webglDrawCalls()
{
    return drawCalls;
}
