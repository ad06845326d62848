// GLU's NURBS curves and surfaces on the page. Each span of a B-spline is
// turned into its Bezier piece (its blossom at the span's ends), and the
// pieces are evaluated by GL's own evaluators' arithmetic, so that normals,
// colours and texture coordinates come out as glEvalMesh would give them.
// A surface's domain, less what its trimming loops cut away, is cut into
// trapezoids between the loops' edges and then into the sampling grid's
// cells: convex pieces, each a fan of triangles, drawn with GL's own calls
// or handed to the program's callbacks (GLU_NURBS_TESSELLATOR).
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "web/gl/evaluators.h"
#include "web/gl/glu_nurbs.h"

namespace glweb {

using P2 = UV;
using Polygon = UVLoop;

std::vector<Span> spans(const std::vector<double>& knots, int order, int count)
{
    std::vector<Span> out;
    for (int l = order - 1; l < count; l++)
        if (knots[(size_t)l] < knots[(size_t)l + 1])
            out.push_back({knots[(size_t)l], knots[(size_t)l + 1], l});
    return out;
}

// The blossom of the span's points at the arguments `t` (order - 1 of
// them): de Boor's algorithm with a different argument at each step.
static void blossom(const std::vector<double>& knots, int order, const Span& s, const double* points, int dim, int stride,
             const double* t, double* out)
{
    const int p = order - 1, l = s.index;
    std::vector<double> d((size_t)(p + 1) * (size_t)dim);
    for (int i = 0; i <= p; i++)
        for (int c = 0; c < dim; c++)
            d[(size_t)(i * dim + c)] = points[(size_t)((l - p + i) * stride + c)];
    for (int r = 1; r <= p; r++)
        for (int i = p; i >= r; i--) {
            const int k = l - p + i;  // the knot index of d[i]
            const double denom = knots[(size_t)(k + p + 1 - r)] - knots[(size_t)k];
            const double alpha = denom != 0 ? (t[r - 1] - knots[(size_t)k]) / denom : 0;
            for (int c = 0; c < dim; c++)
                d[(size_t)(i * dim + c)] = (1 - alpha) * d[(size_t)((i - 1) * dim + c)] + alpha * d[(size_t)(i * dim + c)];
        }
    std::copy(d.begin() + p * dim, d.begin() + (p + 1) * dim, out);
}

// The span's Bezier points: the blossom at a (order - 1 - j times) and b.
Points bezier(const std::vector<double>& knots, int order, const Span& s, const double* points, int dim, int stride)
{
    Points out((size_t)(order * dim));
    std::vector<double> t((size_t)order);
    for (int j = 0; j < order; j++) {
        for (int r = 0; r < order - 1; r++)
            t[(size_t)r] = r < order - 1 - j ? s.a : s.b;
        blossom(knots, order, s, points, dim, stride, t.data(), &out[(size_t)(j * dim)]);
    }
    return out;
}

// The Bezier patch of a surface over a u span and a v span: order[0] x
// order[1] points, u the faster.
Points patch(const Spline& sp, const Span& su, const Span& sv)
{
    const int d = sp.dim, ou = sp.order[0], ov = sp.order[1];
    Points rows;  // for each control row along v, its u span's Bezier points
    for (int r = 0; r < sp.count[1]; r++) {
        const Points b = bezier(sp.knots[0], ou, su, &sp.points[(size_t)(r * sp.count[0] * d)], d, d);
        rows.insert(rows.end(), b.begin(), b.end());
    }
    Points out((size_t)(ou * ov * d));
    for (int j = 0; j < ou; j++) {
        const Points b = bezier(sp.knots[1], ov, sv, &rows[(size_t)(j * d)], d, ou * d);
        for (int k = 0; k < ov; k++)
            std::copy_n(&b[(size_t)(k * d)], d, &out[(size_t)((k * ou + j) * d)]);
    }
    return out;
}

namespace {

// Cuts a convex polygon to u >= c (`keepAbove`) or u <= c.
Polygon cutAt(const Polygon& in, double c, bool keepAbove)
{
    Polygon out;
    for (size_t i = 0; i < in.size(); i++) {
        const P2 &p = in[i], &q = in[(i + 1) % in.size()];
        const bool pin = keepAbove ? p.u >= c : p.u <= c, qin = keepAbove ? q.u >= c : q.u <= c;
        if (pin)
            out.push_back(p);
        if (pin != qin)
            out.push_back({c, p.v + (q.v - p.v) * (c - p.u) / (q.u - p.u)});
    }
    return out;
}

}  // namespace

// Between each two heights where a loop turns or a grid line runs, the
// loops' edges cross from bottom to top: the bands between crossings where
// the winding is positive are kept, cut at the grid's columns.
std::vector<UVLoop> trimmedPieces(std::vector<UVLoop> loops, double u0, double u1, double v0, double v1, int nu, int nv)
{
    struct Edge {
        P2 a, b;  // a below b
        int up;   // +1 when the loop goes up it
    };
    bool outer = false;
    for (const Polygon& loop : loops) {
        double area = 0;
        for (size_t i = 0; i < loop.size(); i++)
            area += loop[i].u * loop[(i + 1) % loop.size()].v - loop[(i + 1) % loop.size()].u * loop[i].v;
        outer = outer || area > 0;
    }
    if (!outer)
        loops.push_back({{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}});
    std::vector<Edge> edges;
    std::vector<double> ys;
    for (int j = 0; j <= nv; j++)
        ys.push_back(v0 + (v1 - v0) * j / nv);
    for (const Polygon& loop : loops)
        for (size_t i = 0; i < loop.size(); i++) {
            const P2 &p = loop[i], &q = loop[(i + 1) % loop.size()];
            if (p.v != q.v)
                edges.push_back(p.v < q.v ? Edge{p, q, 1} : Edge{q, p, -1});
            if (p.v > v0 && p.v < v1)
                ys.push_back(p.v);
        }
    std::sort(ys.begin(), ys.end());
    std::vector<Polygon> pieces;
    for (size_t k = 0; k + 1 < ys.size(); k++) {
        const double y0 = ys[k], y1 = ys[k + 1], ym = (y0 + y1) / 2;
        if (y1 - y0 < 1e-12)
            continue;
        struct Crossing {
            double x0, x1, xm;
            int up;
        };
        std::vector<Crossing> cross;
        for (const Edge& e : edges)
            if (e.a.v < ym && e.b.v > ym) {
                auto at = [&](double y) { return e.a.u + (e.b.u - e.a.u) * (y - e.a.v) / (e.b.v - e.a.v); };
                cross.push_back({at(y0), at(y1), at(ym), e.up});
            }
        std::sort(cross.begin(), cross.end(), [](const Crossing& a, const Crossing& b) { return a.xm < b.xm; });
        int winding = 0;
        for (size_t c = 0; c + 1 < cross.size(); c++) {
            winding -= cross[c].up;
            if (winding <= 0)
                continue;
            const Crossing &l = cross[c], &r = cross[c + 1];
            const Polygon band = {{l.x0, y0}, {r.x0, y0}, {r.x1, y1}, {l.x1, y1}};
            for (int i = 0; i < nu; i++) {
                const double ua = u0 + (u1 - u0) * i / nu, ub = u0 + (u1 - u0) * (i + 1) / nu;
                if (ub <= std::min(l.x0, l.x1) || ua >= std::max(r.x0, r.x1))
                    continue;
                Polygon piece = cutAt(cutAt(band, ua, true), ub, false);
                if (piece.size() >= 3)
                    pieces.push_back(piece);
            }
        }
    }
    return pieces;
}

}  // namespace glweb
