// What GLU's NURBS compute apart from drawing: B-splines as Bezier pieces,
// and the trimmed domain of a surface's piece cut into the sampling grid's
// cells.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

namespace glweb {

using Points = std::vector<double>;  // control points of `dim` numbers each

// A B-spline as given: knots, points, order, and the map type it feeds.
struct Spline {
    GLenum type;
    int dim, order[2], count[2];  // along u (s), along v (t)
    std::vector<double> knots[2];
    Points points;  // u the faster
};

// One span of a knot vector where it is a single Bezier piece.
struct Span {
    double a, b;
    int index;  // the knot at a: points index - order + 1 .. index
};

// The spans of nonzero length within the spline's domain.
std::vector<Span> spans(const std::vector<double>& knots, int order, int count);
// A span's Bezier points (`order` of them) from the spline's points, each
// `dim` numbers, `stride` apart.
Points bezier(const std::vector<double>& knots, int order, const Span& s, const double* points, int dim, int stride);
// A surface's Bezier patch over a u span and a v span: order[0] x order[1]
// points, u the faster.
Points patch(const Spline& sp, const Span& su, const Span& sv);

struct UV {
    double u, v;
};
using UVLoop = std::vector<UV>;

// The part of the rectangle [u0, u1] x [v0, v1] the loops keep, cut by a
// grid of nu x nv cells into convex pieces, each counter-clockwise. What
// lies to the left of a loop is kept (inside a counter-clockwise one,
// outside a clockwise one); with no counter-clockwise loop, the
// rectangle's own edge is the outer one.
std::vector<UVLoop> trimmedPieces(std::vector<UVLoop> loops, double u0, double u1, double v0, double v1, int nu,
                                  int nv);

}  // namespace glweb

// A NURBS renderer: its properties and callbacks, and the curve or surface
// being described.
struct GLUnurbs {
    float tolerance = 50, parametricTolerance = 0.5f, uStep = 100, vStep = 100;
    GLenum displayMode = GLU_FILL, method = GLU_PATH_LENGTH, mode = GLU_NURBS_RENDERER;
    bool culling = false, autoLoad = true;
    double model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double proj[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    GLint view[4] = {0, 0, 1, 1};
    _GLUfuncptr callbacks[6] = {};  // GLU_NURBS_BEGIN ... GLU_NURBS_END
    _GLUfuncptr withData[6] = {};   // GLU_NURBS_BEGIN_DATA ... GLU_NURBS_END_DATA
    _GLUfuncptr error = nullptr;
    void* userData = nullptr;
    bool inCurve = false, inSurface = false, inTrim = false;
    std::vector<glweb::Spline> splines;  // of the curve or surface being described
    std::vector<glweb::UVLoop> loops;    // its trimming loops
};

namespace glweb {

// Each drawn as the renderer's properties say, with GL's calls or its callbacks.
void drawNurbsCurve(GLUnurbs* n);
void drawNurbsSurface(GLUnurbs* n);
// The error to the renderer's error callback, if it has one.
void reportNurbs(GLUnurbs* n, GLenum error);

}  // namespace glweb
