// What the page's GL layer computes, apart from WebGL: OpenGL 1.1 state as
// the program sets it, immediate-mode primitives assembled into triangles
// and lines, lit per vertex and carried to clip space, and the frame as an
// ordered list of commands for the WebGL side (webgl_draw.cpp) to send.
//
// Faces under GL_CW come out with their winding reversed, so the WebGL side
// always culls with GL_CCW fronts. Consecutive primitives that share the
// state WebGL needs share one draw command. Texture images are kept here,
// widened to powers of two, so they can be uploaded again whenever WebGL
// loses them.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "glcore/matrix.h"
#include "web/gl/lighting.h"

namespace glweb {

struct Vertex {
    float position[4];  // clip space
    float color[3];     // lit
    float texCoord[2];
};

struct DrawState {
    GLenum mode;       // GL_TRIANGLES or GL_LINES
    GLuint texture;    // the program's texture name; 0 when texturing is off or the texture incomplete
    GLenum texEnvMode;
    bool depthTest, cullFace;
    bool operator==(const DrawState& o) const
    {
        return mode == o.mode && texture == o.texture && texEnvMode == o.texEnvMode && depthTest == o.depthTest &&
               cullFace == o.cullFace;
    }
};

struct Command {
    enum Kind { draw, clear, viewport } kind;
    DrawState state;     // draw: vertices [first, first + count) of the frame
    size_t first, count;
    GLbitfield mask;     // clear
    float clearColor[4];
    int rect[4];         // viewport
};

struct Texture {
    int width = 0, height = 0;  // as given; 0 without an image
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;  // GL's default: incomplete without mipmaps
    GLint magFilter = GL_LINEAR;
    GLint wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    // The image as WebGL gets it: RGB rows, tightly packed, each side a power
    // of two (WebGL 1 repeats no other).
    int storedWidth = 0, storedHeight = 0;
    std::vector<uint8_t> pixels;
    unsigned version = 0;  // changes with every image or parameter
    bool complete() const;
};

// The state in force at a moment of the frame, as the program set it.
struct Snapshot {
    glcore::Mat4 modelview, projection;
    int viewport[4];
    bool depthTest, lighting, texturing, cullFace;
    GLenum winding, texEnvMode;
    GLuint texture;  // bound, whether or not texturing is on
    float color[3], texCoord[2];
    float lightPosition[4];  // in eye coordinates
};

class Context {
public:
    // The frame so far; taken (and emptied) by the WebGL side at each flush.
    std::vector<Vertex> vertices;
    std::vector<Command> commands;
    std::map<GLuint, Texture> textures;

    void matrixMode(GLenum mode) { stacks.projectionMode = mode == GL_PROJECTION; }
    void loadIdentity() { stacks.load(glcore::identity()); }
    void loadMatrix(const glcore::Mat4& m) { stacks.load(m); }
    void pushMatrix() { stacks.push(); }
    void popMatrix() { stacks.pop(); }
    void multiply(const glcore::Mat4& m) { stacks.multiplyBy(m); }

    void viewport(int x, int y, int width, int height);
    void clearColor(float r, float g, float b, float a);
    void clear(GLbitfield mask);

    void begin(GLenum mode);
    void vertex(float x, float y, float z);
    void end();
    void texCoord(float s, float t);
    void color(float r, float g, float b);
    void frontFace(GLenum mode) { winding = mode; }
    void enable(GLenum cap, bool on);

    void bindTexture(GLuint name) { boundName = name; }
    void texParameter(GLenum pname, GLint param);
    void texEnvMode(GLenum mode) { envMode = mode; }
    void pixelStore(GLenum pname, GLint param);
    void texImage2D(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels);

    void light(GLenum light, GLenum pname, const GLfloat* params);
    void lightModel(GLenum pname, const GLfloat* params);
    void material(GLenum pname, const GLfloat* params);
    void colorMaterial(GLenum mode);

    Snapshot snapshot() const;
    // The vertices of the last primitive, as they land in clip space, in the
    // order the program gave them.
    const std::vector<Vertex>& lastPrimitive() const { return primitive; }
    // The draw state a primitive of this mode gets now.
    DrawState stateFor(GLenum mode) const;

private:
    glcore::MatrixStacks stacks;
    LightingState lighting;
    bool lightingOn = false, texturingOn = false, depthTestOn = false, cullFaceOn = false, colorMaterialOn = false;
    GLenum winding = GL_CCW;
    GLenum envMode = GL_MODULATE;
    GLenum colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    float currentColor[3] = {1, 1, 1};
    float currentTexCoord[2] = {0, 0};
    float clearRGBA[4] = {0, 0, 0, 0};
    GLuint boundName = 0;
    int unpackAlignment = 4;
    int viewportRect[4] = {0, 0, 0, 0};

    bool inBegin = false;
    GLenum beginMode = 0;
    std::vector<Vertex> primitive;

    void emit(const DrawState& state, std::initializer_list<const Vertex*> list);
    void emitTriangle(const DrawState& state, const Vertex& a, const Vertex& b, const Vertex& c);
};

}  // namespace glweb
