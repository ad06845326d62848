// OpenGL's fixed-function lighting for one vertex, for the parts of it this
// program's state can reach: one light, the light-model ambient, colour
// material, an infinite viewer and one-sided lighting.
#pragma once

#include "glcore/matrix.h"

struct LightingState {
    bool colorMaterial = false;  // GL_COLOR_MATERIAL for GL_FRONT, GL_AMBIENT_AND_DIFFUSE
    bool light0 = false;
    bool normalize = false;
    float modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    float lightAmbient[4] = {0, 0, 0, 1};
    float lightDiffuse[4] = {1, 1, 1, 1};
    float lightSpecular[4] = {1, 1, 1, 1};
    float lightPosition[4] = {0, 0, 1, 0};  // in eye coordinates, as glLightfv stored it
    float matAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    float matDiffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    float matSpecular[4] = {0, 0, 0, 1};
    float matEmission[4] = {0, 0, 0, 1};
    float shininess = 0;
};

// The colour of a vertex whose object-space normal is `normal`, drawn under
// `modelview` with `color` current; clamped to [0, 1] as OpenGL does.
void lightVertex(const LightingState& state, const glcore::Mat4& modelview, glcore::Vec3 normal,
                 const float color[3], float out[3]);
