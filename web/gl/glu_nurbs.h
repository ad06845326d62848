// What GLU's NURBS compute apart from drawing: B-splines as Bezier pieces,
// and the trimmed domain of a surface's piece cut into the sampling grid's
// cells.
#pragma once

#include <GL/gl.h>

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
