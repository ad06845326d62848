// OpenGL 1.1's lighting equation for one vertex: eight lights (directional
// or positional, spots with their exponent and cut-off, constant, linear
// and quadratic attenuation), the light model's ambient, an infinite or a
// local viewer, and the material of the side lit. Colour material is the
// context's part: it writes the current colour into the material.
#pragma once

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
