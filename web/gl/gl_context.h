// What the page's GL layer computes, apart from WebGL: OpenGL 1.1 state as
// the program sets it, immediate-mode primitives assembled into triangles,
// lines and points, lit per vertex and carried to clip space, and the frame
// as an ordered list of commands for the WebGL side (webgl_draw.cpp) to send.
//
// Faces under GL_CW come out with their winding reversed, so the WebGL side
// always culls with GL_CCW fronts. Consecutive primitives that share the
// state WebGL needs share one draw command. Texture images are kept here,
// as RGBA, widened to powers of two, so they can be uploaded again whenever
// WebGL loses them. The chapters: vertices.cpp (begin, end and the current
// vertex), lighting.cpp, texture_images.cpp, and this file's gl_context.cpp (the
// frame's commands, switches and the rest of the state).
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <array>
#include <cstring>
#include <map>
#include <vector>

#include "glcore/matrix.h"
#include "web/gl/accum.h"
#include "web/gl/evaluators.h"
#include "web/gl/lighting.h"

namespace glweb {

struct Vertex {
    float position[4];  // clip space
    float color[4];     // lit
    float texCoord[2];
    float fog;  // distance from the eye, for fog
    float stipple = 0;  // a stippled line's count of pixels so far, times w
    // Where WebGL's vertex shader lights it (its draw's `lit`): its place
    // and normal in eye coordinates, `color` the current colour.
    float eye[3] = {0, 0, 0};
    float normal[3] = {0, 0, 0};
};

// The per-fragment state a draw command is made with, beyond what the
// program's first pages needed: compared byte for byte.
struct Fragments {
    GLenum depthFunc = GL_LESS;
    // Every field four bytes wide, so that no padding takes part in ==.
    GLint depthMask = GL_TRUE;
    GLint colorMask[4] = {GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
    GLint blend = GL_FALSE, alphaTest = GL_FALSE, fog = GL_FALSE, scissor = GL_FALSE, stencil = GL_FALSE;
    GLint polygonOffset = GL_FALSE;
    GLenum blendSrc = GL_ONE, blendDst = GL_ZERO;
    GLenum alphaFunc = GL_ALWAYS;
    float alphaRef = 0;
    GLenum fogMode = GL_EXP;
    float fogDensity = 1, fogStart = 0, fogEnd = 1;
    float fogColor[4] = {0, 0, 0, 0};
    int scissorBox[4] = {0, 0, 0, 0};
    GLenum stencilFunc = GL_ALWAYS;
    int stencilRef = 0;
    GLuint stencilValueMask = ~0u, stencilWriteMask = ~0u;
    GLenum stencilFail = GL_KEEP, stencilDepthFail = GL_KEEP, stencilPass = GL_KEEP;
    GLenum cullMode = GL_BACK;
    float offsetFactor = 0, offsetUnits = 0;
    float pointSize = 1, lineWidth = 1;
    float depthRange[2] = {0, 1};
    float envColor[4] = {0, 0, 0, 0};
    GLenum baseFormat = GL_RGB;  // the bound texture's
    // GL_CLAMP with a linear filter blends the border colour in at the
    // edges, which WebGL's clamping to the edge does not: the texture's
    // stored size, which of s and t are clamped (1 or 0), and its border.
    float clampInfo[4] = {0, 0, 0, 0};
    float borderColor[4] = {0, 0, 0, 0};
    // Stipples: in the context, as set; in a draw's state, only where they
    // apply (lines, filled polygons) and at their defaults elsewhere.
    GLint lineStipple = GL_FALSE, stippleFactor = 1;
    GLuint linePattern = 0xFFFF;
    GLint polygonStipple = GL_FALSE;
    GLubyte polygonPattern[128];  // 32 rows of 32 bits from the bottom, each from its first byte's high bit
    Fragments() { std::memset(polygonPattern, 0xFF, sizeof polygonPattern); }
    bool operator==(const Fragments& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};

struct DrawState {
    GLenum mode;       // GL_TRIANGLES, GL_LINES or GL_POINTS
    GLuint texture;    // the program's texture name, while `textured`; 0 otherwise
    GLenum texEnvMode;
    bool depthTest, cullFace;
    Fragments fragments;
    // Texturing is on and the texture complete: texture 0 too, the one a
    // program that binds none draws with.
    bool textured = false;
    unsigned textureVersion = 0;  // the texture's version then: a frame may change it after
    int lit = -1;  // the frame's shaderLights its vertices are lit with in WebGL, or -1: lit here
    bool operator==(const DrawState& o) const
    {
        return mode == o.mode && texture == o.texture && textureVersion == o.textureVersion && textured == o.textured && texEnvMode == o.texEnvMode && lit == o.lit &&
               depthTest == o.depthTest && cullFace == o.cullFace && fragments == o.fragments;
    }
};

struct Command {
    enum Kind { draw, clear, viewport } kind;
    DrawState state;     // draw: vertices [first, first + count) of the frame
    size_t first, count;
    bool indexed;        // draw: of the frame's indices instead, each a vertex's place
    GLbitfield mask;     // clear
    float clearColor[4];
    float clearDepth;
    int clearStencil;
    GLint colorMask[4];  // clear: what it may write
    GLint depthMask;
    int scissor[4];  // clear: the box it is cut to, when width >= 0
    int rect[4];         // viewport
};

struct Texture {
    int width = 0, height = 0;  // as given; 0 without an image
    GLint minFilter = GL_NEAREST_MIPMAP_LINEAR;  // GL's default: incomplete without mipmaps
    GLint magFilter = GL_LINEAR;
    GLint wrapS = GL_REPEAT, wrapT = GL_REPEAT;
    GLenum baseFormat = GL_RGB;
    float borderColor[4] = {0, 0, 0, 0};
    float priority = 1;
    // The images as WebGL gets them: RGBA rows, tightly packed, each side a
    // power of two (WebGL 1 repeats no other); level 0 here, the smaller
    // levels of a mipmap in `mipmaps`, each half the one before.
    int storedWidth = 0, storedHeight = 0;
    std::vector<uint8_t> pixels;
    struct Level {
        int width = 0, height = 0;  // as given
        std::vector<uint8_t> pixels;  // stored at the given size, a power of two
    };
    std::vector<Level> mipmaps;  // mipmaps[k] is level k + 1
    unsigned version = 0;  // changes with every image or parameter
    bool complete() const;
    bool mipmapped() const { return minFilter != GL_NEAREST && minFilter != GL_LINEAR; }
};

// A vertex with its distances from the six user clip planes.
struct Clipped {
    Vertex vertex;
    float distance[6];
};
class Context;
// What of a polygon (or a line, two vertices) lies inside every user clip
// plane on, and with `volume` inside the view volume too (clipping.cpp).
std::vector<Clipped> clip(const Context& context, std::vector<Clipped> polygon, bool volume);

// The state in force at a moment of the frame, as the program set it.
struct Snapshot {
    glcore::Mat4 modelview, projection;
    int viewport[4];
    bool depthTest, lighting, texturing, cullFace;
    GLenum winding, texEnvMode;
    GLuint texture;  // bound, whether or not texturing is on
    float color[3], texCoord[2];
    float lightPosition[4];  // light 0's, in eye coordinates
};

class Context {
public:
    // The frame so far; taken (and emptied) by the WebGL side at each flush.
    std::vector<Vertex> vertices;
    std::vector<uint32_t> indices;  // the triangles lit in WebGL: each vertex once, shared
    std::vector<Command> commands;
    // The lights the frame's draws with a `lit` have WebGL's vertex shader
    // light them with. Whether it may: the inspector, which reads every
    // vertex's colour, has them all lit here.
    std::vector<ShaderLights> shaderLit;
    bool shaderLighting = false;
    std::map<GLuint, Texture> textures;
    // Textures as the frame's earlier draws used them, changed since; kept
    // until the frame is drawn. Versions are counted over all textures.
    std::map<std::pair<GLuint, unsigned>, Texture> retired;
    unsigned textureVersions = 0;
    void textureChanges(GLuint name);
    const Texture* textureAt(GLuint name, unsigned version) const;

    // Matrices (glcore's stacks, with the texture matrix beside them).
    void matrixMode(GLenum mode);
    void loadIdentity() { load(glcore::identity()); }
    void loadMatrix(const glcore::Mat4& m) { load(m); }
    // false, changing nothing, where GL raises GL_STACK_OVERFLOW or _UNDERFLOW
    bool pushMatrix();
    bool popMatrix();
    void multiply(const glcore::Mat4& m);
    const glcore::Mat4& matrix(GLenum which) const;
    int stackDepth(GLenum which) const;

    void viewport(int x, int y, int width, int height);
    // The context is first made current on a window of this size: its
    // viewport and scissor box are the window's, as WebGL's already are.
    void attach(int width, int height);
    void clearColor(float r, float g, float b, float a);
    void clearDepth(float d) { clearDepthValue = d < 0 ? 0 : d > 1 ? 1 : d; }
    void clearStencil(int s) { clearStencilValue = s; }
    void clear(GLbitfield mask);

    // Vertices (vertices.cpp).
    void begin(GLenum mode);
    void vertex(float x, float y, float z, float w = 1);
    void end();
    void texCoord(float s, float t, float r = 0, float q = 1);
    void color(float r, float g, float b, float a = 1);
    void normal(float x, float y, float z) { currentNormal = {x, y, z}; }
    void edgeFlag(bool flag) { currentEdge = flag; }
    void frontFace(GLenum mode) { winding = mode; }
    void shadeModel(GLenum mode) { flatShading = mode == GL_FLAT; }
    void polygonMode(GLenum face, GLenum mode);
    bool inside() const { return inBegin; }

    // false, changing nothing, for a capability GL does not have
    bool enable(GLenum cap, bool on);
    bool isEnabled(GLenum cap) const;
    bool knownCap(GLenum cap) const;
    // The bit of a switch kept but drawing nothing different here (dithering...), or 0.
    static unsigned keptBitOf(GLenum cap);
    Fragments fragments;  // set by the entry points directly
    Evaluators eval;      // so are the evaluators
    Accumulation accum;   // and the accumulation buffer

    // Textures (textures.cpp).
    void bindTexture(GLuint name) { boundName = name; }
    GLuint boundTexture() const { return boundName; }
    void texParameter(GLenum pname, GLint param);
    void texParameterv(GLenum pname, const float* params);
    void texEnvMode(GLenum mode) { envMode = mode; }
    void pixelStore(GLenum pname, GLint param);
    int pixelStoreValue(GLenum pname) const;
    int unpack[6] = {4, 0, 0, 0, 0, 0};  // alignment, row length, skip rows, skip pixels, LSB first, swap bytes
    // An image of the program's, unpacked as glPixelStore says, as RGBA
    // bytes: false for a format or type GL does not take.
    bool unpackImage(int width, int height, GLenum format, GLenum type, const void* pixels,
                     std::vector<uint8_t>& rgba) const;
    // false, changing nothing, for what GL names GL_INVALID_VALUE or GL_INVALID_ENUM
    bool texImage2D(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels, GLint level = 0,
                    GLint internalFormat = GL_RGB);
    bool texSubImage2D(GLint level, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                       const void* pixels);
    void deleteTexture(GLuint name);

    void light(GLenum light, GLenum pname, const GLfloat* params);
    void lightModel(GLenum pname, const GLfloat* params);
    void material(GLenum pname, const GLfloat* params) { material(GL_FRONT_AND_BACK, pname, params); }
    void material(GLenum face, GLenum pname, const GLfloat* params);
    void colorMaterial(GLenum mode) { colorMaterial(GL_FRONT_AND_BACK, mode); }
    void colorMaterial(GLenum face, GLenum mode);
    const LightingState& lightingState() const { return lighting; }

    const float* currentColorRGBA() const { return currentColor; }
    const float* currentTexCoordSTRQ() const { return currentTexCoord; }
    glcore::Vec3 currentNormalValue() const { return currentNormal; }

    // glPushAttrib and glPopAttrib (attribs.cpp): false where GL raises
    // GL_STACK_OVERFLOW or GL_STACK_UNDERFLOW.
    bool pushAttrib(GLbitfield mask);
    bool popAttrib();
    // What glGet reads of the context's own settings.
    struct Settings {
        GLenum matrixMode, shadeModel, polygonModes[2], colorMaterialFace, colorMaterialMode;
        float clearColor[4], clearDepth;
        int clearStencil;
        bool edge;
        size_t attribDepth;
    };
    Settings settings() const;

    // Pixels (pixels.cpp): the raster position and what is drawn at it.
    struct Raster {
        bool valid = true;
        float window[4] = {0, 0, 0, 1};
        float color[4] = {1, 1, 1, 1};
        float texCoord[4] = {0, 0, 0, 1};
        float distance = 0;
    } raster;
    float pixelZoom[2] = {1, 1};
    float transferScale[4] = {1, 1, 1, 1}, transferBias[4] = {0, 0, 0, 0};
    // glPixelMap's tables from GL_PIXEL_MAP_I_TO_I on; the colour ones
    // (R_TO_R to A_TO_A) look up drawn pixels while GL_MAP_COLOR is on.
    std::vector<float> pixelMaps[10]{{0.f}, {0.f}, {0.f}, {0.f}, {0.f}, {0.f}, {0.f}, {0.f}, {0.f}, {0.f}};
    bool mapColor = false, mapStencil = false;
    float indexShift = 0, indexOffset = 0, depthScale = 1, depthBias = 0;  // kept: nothing here uses them
    // The buffers named for drawing and reading: WebGL has the one canvas.
    GLenum drawBuffer = GL_BACK, readBuffer = GL_BACK;
    bool doubleBuffered = true, stencilBuffer = true;  // as the window has them
    // The hints (GL_PERSPECTIVE_CORRECTION_HINT to GL_FOG_HINT, in that
    // order) and the logic operation: kept and answered; WebGL draws no
    // differently for either.
    GLenum hints[5] = {GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE};
    GLenum logicOpMode = GL_COPY;
    // Colour-index state, kept and answered, drawing nothing in RGBA.
    float currentIndex = 1, clearIndexValue = 0;
    GLuint indexMask = ~0u;
    void rasterPos(float x, float y, float z, float w);
    void rasterWindowPos(float x, float y);
    // Rows of `rowBytes` from the bottom, each bit a pixel from the left.
    void bitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const uint8_t* bits,
                size_t rowBytes);
    // An image as RGBA bytes, rows from the bottom, drawn at the raster position.
    void drawPixels(int width, int height, const std::vector<uint8_t>& rgba);
    // Window pixels written through the colour mask and the scissor alone
    // (the accumulation buffer's return).
    void writePixels(int x, int y, int width, int height, const std::vector<uint8_t>& rgba);

    // Selection and feedback (select_feedback.cpp): while the render mode is
    // not GL_RENDER, primitives are reported instead of drawn.
    struct RenderState {
        GLenum mode = GL_RENDER;
        GLuint* select = nullptr;
        GLfloat* feedback = nullptr;
        size_t selectSize = 0, feedbackSize = 0, size = 0, count = 0;
        GLenum feedbackType = GL_2D;
        bool overflow = false, hit = false;
        GLint hits = 0;
        float minZ = 1, maxZ = 0;
        std::vector<GLuint> names;
    } render;
    GLint renderMode(GLenum mode);
    void writeHit();
    void feed(float value);

    // Texture coordinates generated (texgen.cpp): coordinate 0 to 3 is s to q.
    void texGen(int coord, GLenum pname, const double* params);
    // glTexGen's coordinate k as set: .mode, .objectPlane, .eyePlane.
    const auto& texGenOf(int k) const { return texGens[k]; }
    void generate(const float object[4], const float eye[4], glcore::Vec3 normal, float out[4]) const;

    // User clip planes: given in object coordinates, kept in eye coordinates.
    void clipPlane(int k, const double equation[4]);
    const float* clipPlaneValue(int k) const { return clipPlanes[k]; }
    bool clipPlaneOn(int k) const { return clipPlaneMask & (1u << k); }

    Snapshot snapshot() const;
    // The vertices of the last primitive, as they land in clip space, in the
    // order the program gave them.
    const std::vector<Vertex>& lastPrimitive() const { return primitive; }
    // The draw state a primitive of this mode gets now.
    DrawState stateFor(GLenum mode) const;

private:
    glcore::MatrixStacks stacks;
    std::vector<glcore::Mat4> textureStack{glcore::identity()};
    GLenum matrixModeValue = GL_MODELVIEW;
    LightingState lighting;
    bool lightingOn = false, texturingOn = false, depthTestOn = false, cullFaceOn = false, colorMaterialOn = false;
    bool texture1DOn = false, flatShading = false;
    GLenum winding = GL_CCW;
    GLenum envMode = GL_MODULATE;
    GLenum colorMaterialFace = GL_FRONT_AND_BACK, colorMaterialMode = GL_AMBIENT_AND_DIFFUSE;
    GLenum polygonModes[2] = {GL_FILL, GL_FILL};
    float currentColor[4] = {1, 1, 1, 1};
    float currentTexCoord[4] = {0, 0, 0, 1};
    glcore::Vec3 currentNormal = {0, 0, 1};
    bool currentEdge = true;
    float clearRGBA[4] = {0, 0, 0, 0};
    float clearDepthValue = 1;
    int clearStencilValue = 0;
    GLuint boundName = 0;
    int viewportRect[4] = {0, 0, 0, 0};

    struct TexGen {
        bool on = false;
        GLenum mode = GL_EYE_LINEAR;
        float objectPlane[4] = {0, 0, 0, 0}, eyePlane[4] = {0, 0, 0, 0};
    };
    // s starts on the plane x = 0 and t on y = 0, r and q on none.
    TexGen texGens[4] = {{false, GL_EYE_LINEAR, {1, 0, 0, 0}, {1, 0, 0, 0}},
                         {false, GL_EYE_LINEAR, {0, 1, 0, 0}, {0, 1, 0, 0}}, {}, {}};
    bool texGenOn = false;  // any of them
    float clipPlanes[6][4] = {};
    unsigned clipPlaneMask = 0;
    std::vector<std::array<float, 6>> distances;  // each vertex's from the user clip planes, while any is on
    void emitClipped(const DrawState& state, std::vector<Clipped> polygon);
    void capture(GLenum mode, std::initializer_list<const Vertex*> list);
    DrawState pixelState() const;
    void emitPixel(const DrawState& state, float x, float y, const float color[4]);
    void toWindow(const Vertex& v, float out[4]) const;

    // Switches GL keeps that draw nothing different here (dithering, smoothing,
    // logic operations, line and point offsets): a bit each, from `kept`.
    unsigned keptSwitches = 1;  // dithering starts on
    float stippleCount = 0;  // pixels of the stippled line so far, since glBegin
    bool lineReset = true;   // the stipple begins again: feedback says so at the next line

    bool inBegin = false;
    GLenum beginMode = 0;
    std::vector<Vertex> primitive;
    std::vector<bool> edges;  // each vertex's edge flag
    std::vector<Vertex> backs;  // the same vertices lit on the back, with two-sided lighting
    // Fixed from glBegin to glEnd, where neither the modelview nor a light can change.
    NormalMatrix normals{};
    PreparedLights lights;
    // The state the last command was found to have; forgotten whenever a
    // state is made, since a new one may stand where a gone one stood.
    mutable const DrawState* checked = nullptr;
    size_t checkedCommands = 0;

    // Everything glPushAttrib saves, whatever its mask.
    struct State {
        float color[4], texCoord[4], clearColor[4], clearDepth;
        glcore::Vec3 normal;
        unsigned keptSwitches;
        bool edge, lightingOn, texturingOn, texture1DOn, depthTestOn, cullFaceOn, colorMaterialOn, flatShading;
        LightingState lighting;
        Fragments fragments;
        GLenum colorMaterialFace, colorMaterialMode, winding, polygonModes[2], envMode, matrixMode;
        int clearStencil, viewport[4];
        GLuint bound;
        EvalGroup eval;
        GLenum hints[5], logicOpMode, drawBuffer, readBuffer;
        float transferScale[4], transferBias[4], pixelZoom[2];
        bool mapColor, mapStencil;
        float indexShift, indexOffset, depthScale, depthBias;
        Raster raster;
        float currentIndex, clearIndex, accumClear[4];
        GLuint indexMask;
        TexGen texGens[4];
        float clipPlanes[6][4];
        unsigned clipPlaneMask;
    };
    struct Saved {
        GLbitfield mask;
        State state;
    };
    std::vector<Saved> attribStack;
    State state() const;

    void load(const glcore::Mat4& m);
    std::vector<glcore::Mat4>& currentStack();
    void applyColorMaterial();
    void setMaterial(GLenum face, GLenum pname, const GLfloat* params);
    // Lit in WebGL, from glBegin to glEnd: the index into shaderLit, or -1.
    int litHere = -1;
    int shaderLightsNow();
    void lightHere();
    void assemble();
    Command& drawCommand(const DrawState& state, bool indexed, size_t first);
    void emit(const DrawState& state, std::initializer_list<const Vertex*> list);
    size_t primitiveAt = SIZE_MAX;  // where the primitive's vertices are in `vertices`, once indexed
    void emitIndexed(const DrawState& state, size_t a, size_t b, size_t c);
    void emitTriangle(const DrawState& state, size_t a, size_t b, size_t c, bool flags, size_t provoking = SIZE_MAX);
    void emitOutline(const std::vector<size_t>& ring, bool flags);
    bool clipped(size_t first, size_t count) const;
    void emitCorners(const DrawState& state, const Vertex* corners, const size_t* ids, size_t n);
    void emitLine(const DrawState& state, const Vertex& a, const Vertex& b);
    void stippleAlong(Vertex& a, Vertex& b);
};

}  // namespace glweb
