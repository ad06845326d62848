// Evaluators: GL's one- and two-dimensional Bezier maps, the grids that
// step across them, and what a point of the enabled maps gives a vertex.
#pragma once

#include <GL/gl.h>

#include <vector>

namespace glweb {

struct Map {
    int order[2] = {1, 1};               // along u, along v
    float domain[4] = {0, 1, 0, 1};      // u1, u2, v1, v2
    std::vector<float> points;           // order[0] x order[1] points, u the faster
};

// What one evaluation gives: each value only when its map is enabled.
struct Evaluated {
    bool vertex = false, normal = false, color = false, texCoord = false;
    float position[4] = {0, 0, 0, 1}, normalValue[3] = {0, 0, 1}, colorValue[4] = {1, 1, 1, 1};
    float texCoordValue[4] = {0, 0, 0, 1};
};

// What glPushAttrib's GL_EVAL_BIT saves: all but the maps.
struct EvalGroup {
    unsigned enabled[2] = {0, 0};  // a bit for each target, one- and two-dimensional
    bool autoNormal = false;
    int gridCount[2] = {1, 1};
    float grid[4] = {0, 1, 0, 1};  // u1, u2, v1, v2
};

struct Evaluators : EvalGroup {
    static const int targets = 9;  // GL_MAPn_COLOR_4 to GL_MAPn_VERTEX_4, in order
    Map maps[2][targets];          // [0] one-dimensional, [1] two

    Evaluators();
    // The map a target names, with its dimension (1 or 2); null for no map.
    Map* map(GLenum target, int* dimension = nullptr);
    static int components(GLenum target);  // 0 for a name that is no map
    // GL_NO_ERROR, or the error GL names for these arguments.
    GLenum define(GLenum target, const double domain[4], const int stride[2], const int order[2],
                  const float* points, const double* pointsD);
    bool enable(GLenum cap, bool on);
    bool isEnabled(GLenum cap, bool& on) const;
    Evaluated evaluate(int dimension, float u, float v) const;
};

}  // namespace glweb
