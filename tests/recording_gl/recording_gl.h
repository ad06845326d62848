// A stand-in for OpenGL, GLU and GLUT in unit tests. It records every call
// with its arguments and keeps its own matrix stacks, so a test can ask
// where each vertex of a frame lands.
#pragma once

#include <GL/glut.h>

#include "glcore/matrix.h"

#include <map>
#include <string>
#include <vector>

namespace rgl {

// The matrix maths and stacks are the same as the web platform layer's.
using glcore::identity;
using glcore::Mat4;
using glcore::multiply;
using glcore::rotation;
using glcore::scaling;
using glcore::transformPoint;
using glcore::translation;
using glcore::Vec3;

struct Call {
    std::string name;
    std::vector<double> args;
};

struct Vertex {
    Vec3 local;  // as sent
    Vec3 eye;    // after the modelview current at glBegin
    float s, t;
    float color[3];
};

struct Primitive {
    GLenum mode;
    std::vector<Vertex> vertices;
    GLenum frontFace;
    GLuint texture;
    int depth;  // modelview stack depth
    Mat4 modelview;
    size_t firstCall;  // index of the glBegin in the call log
};

struct Texture {
    int width = 0, height = 0;
    bool hasData = false;
    int unpackAlignment = 4;
    std::vector<unsigned char> pixels;  // tightly packed RGB
};

struct State {
    std::vector<Call> calls;
    std::vector<Primitive> primitives;
    std::vector<std::string> errors;  // misuse that real GL would flag

    glcore::MatrixStacks stacks;
    GLenum matrixMode = GL_MODELVIEW;
    bool inBegin = false;

    std::map<GLenum, bool> enabled;
    GLenum frontFace = GL_CCW;
    GLuint boundTexture = 0;
    float color[3] = {1, 1, 1};
    float texCoord[2] = {0, 0};
    int unpackAlignment = 4;
    int viewport[4] = {0, 0, 0, 0};
    std::map<GLuint, Texture> textures;

    int redisplayRequests = 0;
    int swaps = 0;

    std::string windowTitle;
    int windowsCreated = 0;
    unsigned displayMode = 0;
    int windowWidth = 0, windowHeight = 0;
    void (*displayFunc)() = nullptr;
    void (*reshapeFunc)(int, int) = nullptr;
    void (*keyboardFunc)(unsigned char, int, int) = nullptr;
    void (*specialFunc)(int, int, int) = nullptr;
    void (*mouseFunc)(int, int, int, int) = nullptr;
    void (*motionFunc)(int, int) = nullptr;
    void (*menuFunc)(int) = nullptr;
    std::vector<std::pair<std::string, int>> menuEntries;
    int attachedButton = -1;
};

extern State gl;

// Forgets everything: calls, state, stacks, textures.
void reset();
// Forgets the call log and primitives only; state and stacks stay.
void clearLog();

int count(const std::string& name);
std::vector<std::string> callNames();
const Mat4& currentModelview();
int modelviewDepth();
bool isEnabled(GLenum capability);

}  // namespace rgl
