// The OpenGL 1.1 and GLU entry points this program calls, on WebGL 1.
//
// Immediate mode is gathered between glBegin and glEnd: each vertex is
// lit (lighting.cpp) and carried to clip space on the CPU, polygons become
// fans and strips triangles, and consecutive primitives that share the
// state WebGL needs (texture, depth test, culling) share one draw call.
// Faces under GL_CW are emitted with their winding reversed, so WebGL
// itself always culls with GL_CCW fronts. The frame's vertices go to WebGL
// in one buffer upload when the frame is flushed.
#include "web/gl_web.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <webgl/webgl1.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <vector>

#include "glcore/matrix.h"
#include "web/lighting.h"

using glcore::Mat4;
using glcore::Vec3;

namespace {

struct Vertex {
    float position[4];  // clip space
    float color[3];     // lit
    float texCoord[2];
};

struct DrawState {
    GLenum mode;  // GL_TRIANGLES or GL_LINES
    GLuint texture;  // WebGL texture, 0 when texturing is off or the texture is incomplete
    GLenum texEnvMode;
    bool depthTest, cullFace;
    bool operator==(const DrawState& o) const
    {
        return mode == o.mode && texture == o.texture && texEnvMode == o.texEnvMode && depthTest == o.depthTest &&
               cullFace == o.cullFace;
    }
};

struct Batch {
    DrawState state;
    size_t first, count;
};

struct Texture {
    GLuint webgl = 0;
    int width = 0, height = 0;
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;  // GL's default: incomplete without mipmaps
};

// GL state, as the entry points below keep it.
glcore::MatrixStacks stacks;
LightingState lighting;
bool lightingOn = false, texturingOn = false, depthTestOn = false, cullFaceOn = false;
GLenum frontFace = GL_CCW;
GLenum texEnvMode = GL_MODULATE;
GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
bool colorMaterialOn = false;
float color[3] = {1, 1, 1};
float texCoord[2] = {0, 0};
GLuint boundName = 0;
int unpackAlignment = 4;
std::map<GLuint, Texture> textures;

// The primitive being gathered and the frame's batches.
bool inBegin = false;
GLenum beginMode = 0;
std::vector<Vertex> primitive;
std::vector<Vertex> frameVertices;
std::vector<Batch> batches;

// WebGL objects and the state last set on them.
GLuint program = 0, buffer = 0;
GLint positionAttrib, colorAttrib, texCoordAttrib, texturingUniform, modulateUniform;
bool webglReady = false;
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

// Made on first use, once the window's context is current.
void prepareWebGL()
{
    if (webglReady)
        return;
    webglReady = true;
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
    emscripten_glEnableVertexAttribArray((GLuint)positionAttrib);
    emscripten_glVertexAttribPointer((GLuint)positionAttrib, 4, GL_FLOAT, GL_FALSE, stride,
                                     (void*)offsetof(Vertex, position));
    emscripten_glEnableVertexAttribArray((GLuint)colorAttrib);
    emscripten_glVertexAttribPointer((GLuint)colorAttrib, 3, GL_FLOAT, GL_FALSE, stride,
                                     (void*)offsetof(Vertex, color));
    emscripten_glEnableVertexAttribArray((GLuint)texCoordAttrib);
    emscripten_glVertexAttribPointer((GLuint)texCoordAttrib, 2, GL_FLOAT, GL_FALSE, stride,
                                     (void*)offsetof(Vertex, texCoord));
    emscripten_glFrontFace(GL_CCW);
    emscripten_glCullFace(GL_BACK);
}

void apply(const DrawState& s)
{
    if (!haveCurrent || s.depthTest != current.depthTest)
        (s.depthTest ? emscripten_glEnable : emscripten_glDisable)(GL_DEPTH_TEST);
    if (!haveCurrent || s.cullFace != current.cullFace)
        (s.cullFace ? emscripten_glEnable : emscripten_glDisable)(GL_CULL_FACE);
    if (!haveCurrent || s.texture != current.texture) {
        emscripten_glUniform1i(texturingUniform, s.texture != 0);
        if (s.texture)
            emscripten_glBindTexture(GL_TEXTURE_2D, s.texture);
    }
    if (!haveCurrent || s.texEnvMode != current.texEnvMode)
        emscripten_glUniform1i(modulateUniform, s.texEnvMode == GL_MODULATE);
    current = s;
    haveCurrent = true;
}

// Sends the gathered batches to WebGL: one upload, one draw per batch.
void flushBatches()
{
    if (batches.empty())
        return;
    prepareWebGL();
    emscripten_glBufferData(GL_ARRAY_BUFFER, (GLsizeiptr)(frameVertices.size() * sizeof(Vertex)),
                            frameVertices.data(), GL_STREAM_DRAW);
    for (const Batch& b : batches) {
        apply(b.state);
        emscripten_glDrawArrays(b.state.mode, (GLint)b.first, (GLsizei)b.count);
        drawCalls++;
    }
    batches.clear();
    frameVertices.clear();
}

DrawState stateFor(GLenum mode)
{
    GLuint texture = 0;
    if (texturingOn) {
        auto it = textures.find(boundName);
        // An incomplete texture turns texturing off, as in OpenGL 1.1.
        if (it != textures.end() && it->second.width > 0 && it->second.height > 0 &&
            (it->second.minFilter == GL_NEAREST || it->second.minFilter == GL_LINEAR))
            texture = it->second.webgl;
    }
    return {mode, texture, texEnvMode, depthTestOn, cullFaceOn};
}

void emit(const DrawState& state, std::initializer_list<const Vertex*> vertices)
{
    if (batches.empty() || !(batches.back().state == state))
        batches.push_back({state, frameVertices.size(), 0});
    for (const Vertex* v : vertices)
        frameVertices.push_back(*v);
    batches.back().count += vertices.size();
}

// One triangle, turned to GL_CCW when its front face is clockwise.
void emitTriangle(const DrawState& state, const Vertex& a, const Vertex& b, const Vertex& c)
{
    if (frontFace == GL_CW)
        emit(state, {&a, &c, &b});
    else
        emit(state, {&a, &b, &c});
}

Texture& boundTexture()
{
    Texture& t = textures[boundName];
    if (t.webgl == 0) {
        prepareWebGL();
        emscripten_glGenTextures(1, &t.webgl);
    }
    emscripten_glBindTexture(GL_TEXTURE_2D, t.webgl);
    haveCurrent = false;  // the draw state's binding is no longer WebGL's
    return t;
}

bool isPowerOfTwo(int n)
{
    return (n & (n - 1)) == 0;
}

int nextPowerOfTwo(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

}  // namespace

int webDrawCalls()
{
    return drawCalls;
}

void webFlush()
{
    flushBatches();
}

extern "C" {

void glMatrixMode(GLenum mode)
{
    stacks.projectionMode = mode == GL_PROJECTION;
}

void glLoadIdentity()
{
    stacks.load(glcore::identity());
}

void glPushMatrix()
{
    stacks.push();
}

void glPopMatrix()
{
    stacks.pop();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z)
{
    stacks.multiplyBy(glcore::translation(x, y, z));
}

void glRotatef(GLfloat angle, GLfloat x, GLfloat y, GLfloat z)
{
    stacks.multiplyBy(glcore::rotation(angle, x, y, z));
}

void glScalef(GLfloat x, GLfloat y, GLfloat z)
{
    stacks.multiplyBy(glcore::scaling(x, y, z));
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear, GLdouble zFar)
{
    stacks.multiplyBy(glcore::ortho(left, right, bottom, top, zNear, zFar));
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar)
{
    stacks.multiplyBy(glcore::perspective(fovy, aspect, zNear, zFar));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY, GLdouble centerZ,
               GLdouble upX, GLdouble upY, GLdouble upZ)
{
    stacks.multiplyBy(glcore::lookAt(eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ));
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    flushBatches();
    emscripten_glViewport(x, y, width, height);
}

void glBegin(GLenum mode)
{
    inBegin = true;
    beginMode = mode;
    primitive.clear();
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z)
{
    if (!inBegin)
        return;
    const Mat4& modelview = stacks.modelview.back();
    Vertex v;
    glcore::transform4(glcore::multiply(stacks.projection.back(), modelview), {x, y, z}, v.position);
    if (lightingOn)
        lightVertex(lighting, modelview, {0, 0, 1}, color, v.color);  // no normal is ever sent
    else
        std::memcpy(v.color, color, sizeof v.color);
    v.texCoord[0] = texCoord[0];
    v.texCoord[1] = texCoord[1];
    primitive.push_back(v);
}

void glEnd()
{
    if (!inBegin)
        return;
    inBegin = false;
    const std::vector<Vertex>& p = primitive;
    const size_t n = p.size();
    if (beginMode == GL_POLYGON || beginMode == GL_TRIANGLE_FAN) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 1; i + 1 < n; i++)
            emitTriangle(s, p[0], p[i], p[i + 1]);
    } else if (beginMode == GL_TRIANGLE_STRIP) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 0; i + 2 < n; i++) {
            if (i % 2 == 0)
                emitTriangle(s, p[i], p[i + 1], p[i + 2]);
            else
                emitTriangle(s, p[i + 1], p[i], p[i + 2]);
        }
    } else if (beginMode == GL_TRIANGLES) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 0; i + 2 < n; i += 3)
            emitTriangle(s, p[i], p[i + 1], p[i + 2]);
    } else if (beginMode == GL_LINE_STRIP || beginMode == GL_LINES) {
        DrawState s = stateFor(GL_LINES);
        size_t step = beginMode == GL_LINES ? 2 : 1;
        for (size_t i = 0; i + 1 < n; i += step)
            emit(s, {&p[i], &p[i + 1]});
    }
}

void glTexCoord2f(GLfloat s, GLfloat t)
{
    texCoord[0] = s;
    texCoord[1] = t;
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b)
{
    color[0] = r;
    color[1] = g;
    color[2] = b;
}

void glColor3fv(const GLfloat* v)
{
    glColor3f(v[0], v[1], v[2]);
}

void glFrontFace(GLenum mode)
{
    frontFace = mode;
}

void glBindTexture(GLenum, GLuint name)
{
    boundName = name;
}

void glTexParameteri(GLenum target, GLenum pname, GLint param)
{
    flushBatches();
    Texture& t = boundTexture();
    if (pname == GL_TEXTURE_MIN_FILTER)
        t.minFilter = param;
    emscripten_glTexParameteri(target, pname, param);
}

void glTexEnvf(GLenum, GLenum pname, GLfloat param)
{
    if (pname == GL_TEXTURE_ENV_MODE)
        texEnvMode = (GLenum)param;
}

void glPixelStorei(GLenum pname, GLint param)
{
    if (pname == GL_UNPACK_ALIGNMENT)
        unpackAlignment = param;
}

void glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void* pixels)
{
    flushBatches();
    Texture& t = boundTexture();
    t.width = pixels ? width : 0;
    t.height = pixels ? height : 0;
    if (t.width <= 0 || t.height <= 0)
        return;  // no image: the texture stays incomplete
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    if ((isPowerOfTwo(width) && isPowerOfTwo(height)) || format != GL_RGB || type != GL_UNSIGNED_BYTE) {
        emscripten_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
        return;
    }
    // WebGL 1 repeats only power-of-two textures: widen this one by nearest
    // sampling, which leaves what a GL_NEAREST texel lookup shows unchanged.
    int w = nextPowerOfTwo(width), h = nextPowerOfTwo(height);
    const size_t align = (size_t)unpackAlignment;
    size_t rowBytes = ((size_t)width * 3 + align - 1) / align * align;
    std::vector<unsigned char> wide((size_t)w * (size_t)h * 3);
    const unsigned char* src = (const unsigned char*)pixels;
    for (int y = 0; y < h; y++)
        for (int x = 0; x < w; x++)
            std::memcpy(&wide[((size_t)y * (size_t)w + (size_t)x) * 3],
                        src + (size_t)(y * height / h) * rowBytes + (size_t)(x * width / w) * 3, 3);
    emscripten_glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    emscripten_glTexImage2D(target, level, internalFormat, w, h, border, format, type, wide.data());
}

void glLightfv(GLenum light, GLenum pname, const GLfloat* params)
{
    if (light != GL_LIGHT0)
        return;
    if (pname == GL_POSITION) {
        // Stored in eye coordinates, under the modelview current now.
        const Mat4& m = stacks.modelview.back();
        for (int i = 0; i < 4; i++)
            lighting.lightPosition[i] =
                m.m[i] * params[0] + m.m[4 + i] * params[1] + m.m[8 + i] * params[2] + m.m[12 + i] * params[3];
    } else if (pname == GL_AMBIENT) {
        std::memcpy(lighting.lightAmbient, params, sizeof lighting.lightAmbient);
    } else if (pname == GL_DIFFUSE) {
        std::memcpy(lighting.lightDiffuse, params, sizeof lighting.lightDiffuse);
    } else if (pname == GL_SPECULAR) {
        std::memcpy(lighting.lightSpecular, params, sizeof lighting.lightSpecular);
    }
}

void glLightModelfv(GLenum pname, const GLfloat* params)
{
    if (pname == GL_LIGHT_MODEL_AMBIENT)
        std::memcpy(lighting.modelAmbient, params, sizeof lighting.modelAmbient);
}

void glMaterialfv(GLenum, GLenum pname, const GLfloat* params)
{
    switch (pname) {
    case GL_AMBIENT: std::memcpy(lighting.matAmbient, params, sizeof lighting.matAmbient); break;
    case GL_DIFFUSE: std::memcpy(lighting.matDiffuse, params, sizeof lighting.matDiffuse); break;
    case GL_AMBIENT_AND_DIFFUSE:
        std::memcpy(lighting.matAmbient, params, sizeof lighting.matAmbient);
        std::memcpy(lighting.matDiffuse, params, sizeof lighting.matDiffuse);
        break;
    case GL_SPECULAR: std::memcpy(lighting.matSpecular, params, sizeof lighting.matSpecular); break;
    case GL_EMISSION: std::memcpy(lighting.matEmission, params, sizeof lighting.matEmission); break;
    case GL_SHININESS: lighting.shininess = params[0]; break;
    default: break;
    }
}

void glColorMaterial(GLenum, GLenum mode)
{
    colorMaterialMode = mode;
    lighting.colorMaterial = colorMaterialOn && colorMaterialMode == GL_AMBIENT_AND_DIFFUSE;
}

void glShadeModel(GLenum)
{
    // Smooth shading is what the shader pair does.
}

static void setCapability(GLenum cap, bool on)
{
    switch (cap) {
    case GL_LIGHTING: lightingOn = on; break;
    case GL_LIGHT0: lighting.light0 = on; break;
    case GL_NORMALIZE: lighting.normalize = on; break;
    case GL_TEXTURE_2D: texturingOn = on; break;
    case GL_DEPTH_TEST: depthTestOn = on; break;
    case GL_CULL_FACE: cullFaceOn = on; break;
    case GL_COLOR_MATERIAL:
        colorMaterialOn = on;
        lighting.colorMaterial = colorMaterialOn && colorMaterialMode == GL_AMBIENT_AND_DIFFUSE;
        break;
    default: break;
    }
}

void glEnable(GLenum cap)
{
    setCapability(cap, true);
}

void glDisable(GLenum cap)
{
    setCapability(cap, false);
}

void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a)
{
    prepareWebGL();
    emscripten_glClearColor(r, g, b, a);
}

void glClear(GLbitfield mask)
{
    flushBatches();
    prepareWebGL();
    // The depth test's enable does not matter to a clear, but WebGL's depth
    // mask must be on, which it always is here.
    emscripten_glClear(mask);
}

void glFlush()
{
    flushBatches();
}

}  // extern "C"
