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

// A normal taken to eye coordinates by the inverse transpose of the
// modelview's upper 3 x 3.
glcore::Vec3 eyeNormal(const glcore::Mat4& modelview, glcore::Vec3 normal);

// The colour of a vertex at `eye` (eye coordinates, w included) with the
// eye-space `normal`, lit on `side` (0 front, 1 back: the caller gives the
// back the normal reversed); clamped to [0, 1], alpha the diffuse's.
void lightVertex(const LightingState& state, int side, const float eye[4], glcore::Vec3 normal, float out[4]);
