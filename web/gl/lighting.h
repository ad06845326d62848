// OpenGL 1.1's lighting equation for one vertex: eight lights (directional
// or positional, spots with their exponent and cut-off, constant, linear
// and quadratic attenuation), the light model's ambient, an infinite or a
// local viewer, and the material of the side lit. Colour material is the
// context's part: it writes the current colour into the material.
#pragma once

#include <cstring>

#include "glcore/matrix.h"

struct Light {
    bool enabled = false;
    float ambient[4] = {0, 0, 0, 1};
    float diffuse[4] = {0, 0, 0, 1};   // GL_LIGHT0's is white
    float specular[4] = {0, 0, 0, 1};  // GL_LIGHT0's is white
    float position[4] = {0, 0, 1, 0};  // in eye coordinates, as glLightfv stored it
    float spotDirection[3] = {0, 0, -1};  // in eye coordinates
    float spotExponent = 0, spotCutoff = 180;
    float attenuation[3] = {1, 0, 0};  // constant, linear, quadratic
};

struct Material {
    float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    float diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float specular[4] = {0, 0, 0, 1};
    float emission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

struct LightingState {
    static constexpr int lightCount = 8;
    Light lights[lightCount];
    Material material[2];  // front, back
    float modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool localViewer = false, twoSide = false, normalize = false;
    LightingState();
};

// The inverse transpose of the modelview's upper 3 x 3, which takes
// normals to eye coordinates (the identity for a singular one).
struct NormalMatrix {
    float m[9];  // row by row
};
NormalMatrix normalMatrix(const glcore::Mat4& modelview);
glcore::Vec3 eyeNormal(const NormalMatrix& m, glcore::Vec3 normal);
glcore::Vec3 eyeNormal(const glcore::Mat4& modelview, glcore::Vec3 normal);

// What of the lights stays the same for every vertex of a primitive (no
// light changes between glBegin and glEnd): the lights on, and a
// directional light's unit direction and, for an infinite viewer, its
// half-way vector.
struct PreparedLights {
    int count = 0;
    struct {
        const Light* light;
        bool directional;
        glcore::Vec3 unit, half;
    } on[LightingState::lightCount];
};
void prepareLights(const LightingState& state, PreparedLights& out);

// The colour of a vertex at `eye` (eye coordinates, w included) with the
// eye-space `normal`, lit on `side` (0 front, 1 back: the caller gives the
// back the normal reversed); clamped to [0, 1], alpha the diffuse's.
// `prepared`, when given, is prepareLights' of the same state.
void lightVertex(const LightingState& state, int side, const float eye[4], glcore::Vec3 normal, float out[4],
                 const PreparedLights* prepared = nullptr);

// The lighting equation's inputs as WebGL's vertex shader takes them: the
// material, the model's ambient, and each light on as six vectors. The
// parameter colour material tracks is the vertex's colour, left out here,
// so that primitives of different colours share one draw.
struct ShaderLights {
    int count = 0;
    int colorMaterial = 0;  // 0 none, 1 ambient, 2 diffuse, 3 both, 4 specular, 5 emission
    // Bit k: light k is directional with no spot, seen from infinitely far,
    // and given as its unit direction and half-way vector in place of its
    // position and spot.
    int directional = 0;
    // emission, ambient, diffuse, specular, the model's ambient, and
    // (shininess, local viewer, normalize, 0)
    float material[6][4] = {};
    // ambient, diffuse, specular, position, spot (unit direction, cosine of
    // the cut-off or -2 for none), (constant, linear, quadratic attenuation,
    // spot exponent)
    float lights[LightingState::lightCount][6][4] = {};
    bool operator==(const ShaderLights& o) const { return std::memcmp(this, &o, sizeof o) == 0; }
};
// The front's inputs, `colorMaterial` the code above for what colour
// material tracks on the front.
ShaderLights shaderLights(const LightingState& state, int colorMaterial);
