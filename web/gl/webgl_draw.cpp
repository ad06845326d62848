#include "web/gl/webgl_draw.h"

#include <webgl/webgl1.h>

#include <cstddef>
#include <cstdio>
#include <map>

namespace {

using glweb::Command;
using glweb::DrawState;
using glweb::Vertex;

struct Uploaded {
    GLuint webgl = 0;
    unsigned version = 0;
};

GLuint program = 0, buffer = 0;
GLint positionAttrib, colorAttrib, texCoordAttrib, texturingUniform, modulateUniform;
std::map<GLuint, Uploaded> uploaded;  // by the program's texture name
DrawState current{};
bool haveCurrent = false;
int drawCalls = 0;

const char* const vertexShader = R"(
attribute vec4 position;
attribute vec3 color;
attribute vec2 texCoord;
varying vec3 vColor;
varying vec2 vTexCoord;
void main() {
    gl_Position = position;
    vColor = color;
    vTexCoord = texCoord;
})";

// GL_REPLACE takes the texture's colour; GL_MODULATE multiplies it in.
const char* const fragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D texture;
uniform bool texturing;
uniform bool modulate;
varying vec3 vColor;
varying vec2 vTexCoord;
void main() {
    vec3 c = vColor;
    if (texturing) {
        vec3 t = texture2D(texture, vTexCoord).rgb;
        c = modulate ? c * t : t;
    }
    gl_FragColor = vec4(c, 1.0);
})";

GLuint compile(GLenum type, const char* source)
{
    GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
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

// Made on first use, and again after the context was lost.
void prepare()
{
    if (program)
        return;
    program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, compile(GL_VERTEX_SHADER, vertexShader));
    emscripten_glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragmentShader));
    emscripten_glLinkProgram(program);
    emscripten_glUseProgram(program);
    positionAttrib = emscripten_glGetAttribLocation(program, "position");
    colorAttrib = emscripten_glGetAttribLocation(program, "color");
    texCoordAttrib = emscripten_glGetAttribLocation(program, "texCoord");
    texturingUniform = emscripten_glGetUniformLocation(program, "texturing");
    modulateUniform = emscripten_glGetUniformLocation(program, "modulate");
    emscripten_glUniform1i(emscripten_glGetUniformLocation(program, "texture"), 0);
    emscripten_glGenBuffers(1, &buffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const GLsizei stride = sizeof(Vertex);
    const struct {
        GLint attrib, size;
        size_t offset;
    } attributes[] = {{positionAttrib, 4, offsetof(Vertex, position)},
                      {colorAttrib, 3, offsetof(Vertex, color)},
                      {texCoordAttrib, 2, offsetof(Vertex, texCoord)}};
    for (const auto& a : attributes) {
        emscripten_glEnableVertexAttribArray((GLuint)a.attrib);
        emscripten_glVertexAttribPointer((GLuint)a.attrib, a.size, GL_FLOAT, GL_FALSE, stride, (void*)a.offset);
    }
    emscripten_glFrontFace(GL_CCW);
    emscripten_glCullFace(GL_BACK);
    haveCurrent = false;
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
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, t.minFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, t.magFilter);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, t.wrapS);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, t.wrapT);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, t.storedWidth, t.storedHeight, 0, GL_RGB, GL_UNSIGNED_BYTE,
                            t.pixels.data());
}

void apply(const glweb::Context& context, const DrawState& s)
{
    if (!haveCurrent || s.depthTest != current.depthTest)
        (s.depthTest ? emscripten_glEnable : emscripten_glDisable)(GL_DEPTH_TEST);
    if (!haveCurrent || s.cullFace != current.cullFace)
        (s.cullFace ? emscripten_glEnable : emscripten_glDisable)(GL_CULL_FACE);
    if (!haveCurrent || (s.texture != 0) != (current.texture != 0))
        emscripten_glUniform1i(texturingUniform, s.texture != 0);
    if (s.texture && (!haveCurrent || s.texture != current.texture ||
                      uploaded[s.texture].version != context.textures.at(s.texture).version))
        bindTexture(context, s.texture);
    if (!haveCurrent || s.texEnvMode != current.texEnvMode)
        emscripten_glUniform1i(modulateUniform, s.texEnvMode == GL_MODULATE);
    current = s;
    haveCurrent = true;
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
            emscripten_glClearColor(c.clearColor[0], c.clearColor[1], c.clearColor[2], c.clearColor[3]);
            emscripten_glClear(c.mask);  // WebGL's depth mask is always on here
        } else {
            apply(context, c.state);
            emscripten_glDrawArrays(c.state.mode, (GLint)c.first, (GLsizei)c.count);
            drawCalls++;
        }
    }
    context.commands.clear();
    context.vertices.clear();
}

void webglForget()
{
    program = 0;
    buffer = 0;
    uploaded.clear();
    haveCurrent = false;
}

int webglDrawCalls()
{
    return drawCalls;
}
