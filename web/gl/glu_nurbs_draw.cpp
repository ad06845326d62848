// GLU's NURBS drawn: each curve or surface sampled piece by piece (by
// pixels, object-space length, error or domain steps), its maps evaluated
// where asked by the evaluators' own arithmetic, and each vertex given to
// GL or, in GLU_NURBS_TESSELLATOR mode, to the program's callbacks.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "web/gl/evaluators.h"
#include "web/gl/glu_nurbs.h"

using glweb::Points;
using glweb::Span;
using glweb::Spline;
using glweb::UV;
using glweb::UVLoop;

namespace {

enum { beginCall, vertexCall, normalCall, colorCall, texCoordCall, endCall };

// A point through the renderer's modelview and projection.
void toClip(const GLUnurbs* n, const double x[4], double clip[4])
{
    double eye[4] = {};
    for (int r = 0; r < 4; r++)
        for (int k = 0; k < 4; k++)
            eye[r] += n->model[k * 4 + r] * x[k];
    for (int r = 0; r < 4; r++) {
        clip[r] = 0;
        for (int k = 0; k < 4; k++)
            clip[r] += n->proj[k * 4 + r] * eye[k];
    }
}

// A control point where sampling measures it: in window pixels, or for the
// OBJECT_ methods in object space.
std::array<double, 3> measured(const GLUnurbs* n, const double* p, int dim)
{
    const double w = dim == 4 && p[3] != 0 ? p[3] : 1;
    const double x[4] = {p[0] / w, dim > 1 ? p[1] / w : 0, dim > 2 ? p[2] / w : 0, 1};
    if (n->method == GLU_OBJECT_PATH_LENGTH || n->method == GLU_OBJECT_PARAMETRIC_ERROR)
        return {x[0], x[1], x[2]};
    double clip[4];
    toClip(n, x, clip);
    const double cw = clip[3] != 0 ? clip[3] : 1;
    return {(clip[0] / cw + 1) * n->view[2] / 2, (clip[1] / cw + 1) * n->view[3] / 2, 0};
}

// How many steps a Bezier piece takes across its domain along one
// direction: `rows` rows of `order` points, `along` apart within a row and
// `across` apart between rows.
int steps(const GLUnurbs* n, const Points& pts, int dim, int order, int rows, int along, int across, double range,
          float perUnit)
{
    if (n->method == GLU_DOMAIN_DISTANCE)
        return std::min(std::max(1, (int)std::ceil(range * perUnit)), 256);
    const bool path = n->method == GLU_PATH_LENGTH || n->method == GLU_OBJECT_PATH_LENGTH;
    double most = 0;
    for (int r = 0; r < rows; r++) {
        std::vector<std::array<double, 3>> q;
        for (int i = 0; i < order; i++)
            q.push_back(measured(n, &pts[(size_t)((r * across + i * along) * dim)], dim));
        double value = 0;
        for (size_t i = 0; i + 1 < q.size(); i++) {
            double d = 0;
            for (size_t c = 0; c < 3; c++) {
                const double e = path ? q[i + 1][c] - q[i][c] : i + 2 < q.size() ? q[i + 2][c] - 2 * q[i + 1][c] + q[i][c] : 0;
                d += e * e;
            }
            value = path ? value + std::sqrt(d) : std::max(value, std::sqrt(d));
        }
        most = std::max(most, value);
    }
    // Chords of a Bezier of degree p stray from it by at most p(p - 1)/8 of
    // its points' largest second difference, over the steps squared.
    const double count = path ? most / std::max(n->tolerance, 1e-3f)
                              : std::sqrt((order - 1) * (order - 2) / 8.0 * most / std::max(n->parametricTolerance, 1e-3f));
    return std::min(std::max(1, (int)std::ceil(count)), 256);
}

// The maps of a curve or surface evaluated where asked, each from the
// Bezier piece its own knots put there, by GL's evaluators' arithmetic.
struct Evaluation {
    GLUnurbs* n;
    int dimension;  // 1 for curves, 2 for surfaces
    glweb::Evaluators ev;
    std::vector<std::vector<Span>> spanList[2];
    std::vector<std::array<int, 2>> current;  // each spline's piece defined in `ev`

    Evaluation(GLUnurbs* nurbs, int dim) : n(nurbs), dimension(dim)
    {
        ev.autoNormal = dim == 2 && glIsEnabled(GL_AUTO_NORMAL);
        for (const Spline& s : n->splines) {
            for (int d = 0; d < 2; d++)
                spanList[d].push_back(d < dim ? glweb::spans(s.knots[d], s.order[d], s.count[d])
                                              : std::vector<Span>{{0, 1, 0}});
            current.push_back({-1, -1});
            ev.enable(s.type, true);
        }
    }

    static int find(const std::vector<Span>& list, double t, int now)
    {
        if (now >= 0 && list[(size_t)now].a <= t && t <= list[(size_t)now].b)
            return now;
        for (size_t i = 0; i < list.size(); i++)
            if (t <= list[i].b || i + 1 == list.size())
                return (int)i;
        return 0;
    }

    // The piece of spline k over spans i (u) and j (v), given to `ev`.
    void define(size_t k, int i, int j)
    {
        if (current[k][0] == i && current[k][1] == j)
            return;
        current[k] = {i, j};
        const Spline& s = n->splines[k];
        const Span &su = spanList[0][k][(size_t)i], &sv = spanList[1][k][(size_t)j];
        const Points pts = dimension == 2 ? glweb::patch(s, su, sv)
                                          : glweb::bezier(s.knots[0], s.order[0], su, s.points.data(), s.dim, s.dim);
        const double domain[4] = {su.a, su.b, sv.a, sv.b};
        const int stride[2] = {s.dim, s.dim * s.order[0]}, order[2] = {s.order[0], s.order[1]};
        ev.define(s.type, domain, stride, order, nullptr, pts.data());
    }

    glweb::Evaluated at(double u, double v)
    {
        for (size_t k = 0; k < n->splines.size(); k++)
            define(k, find(spanList[0][k], u, current[k][0]), find(spanList[1][k], v, current[k][1]));
        return ev.evaluate(dimension, (float)u, (float)v);
    }
};

// One vertex, to GL or to the program's callbacks.
void emit(GLUnurbs* n, const glweb::Evaluated& e)
{
    if (!e.vertex)
        return;  // as glEvalCoord gives no vertex without a vertex map
    if (n->mode == GLU_NURBS_RENDERER) {
        if (e.color) glColor4fv(e.colorValue);
        if (e.texCoord) glTexCoord4fv(e.texCoordValue);
        if (e.normal) glNormal3fv(e.normalValue);
        glVertex4fv(e.position);
        return;
    }
    const float w = e.position[3] != 0 ? e.position[3] : 1;
    GLfloat position[3] = {e.position[0] / w, e.position[1] / w, e.position[2] / w};
    GLfloat normal[3] = {e.normalValue[0], e.normalValue[1], e.normalValue[2]};
    GLfloat color[4] = {e.colorValue[0], e.colorValue[1], e.colorValue[2], e.colorValue[3]};
    GLfloat texCoord[4] = {e.texCoordValue[0], e.texCoordValue[1], e.texCoordValue[2], e.texCoordValue[3]};
    const struct {
        bool given;
        int call;
        GLfloat* values;
    } parts[] = {{e.normal, normalCall, normal}, {e.color, colorCall, color}, {e.texCoord, texCoordCall, texCoord},
                 {true, vertexCall, position}};
    for (const auto& p : parts) {
        if (!p.given) continue;
        if (auto f = n->callbacks[p.call]) reinterpret_cast<void (*)(GLfloat*)>(f)(p.values);
        if (auto f = n->withData[p.call]) reinterpret_cast<void (*)(GLfloat*, void*)>(f)(p.values, n->userData);
    }
}

void begin(GLUnurbs* n, GLenum mode)
{
    if (n->mode == GLU_NURBS_RENDERER)
        return glBegin(mode);
    if (auto f = n->callbacks[beginCall]) reinterpret_cast<void (*)(GLenum)>(f)(mode);
    if (auto f = n->withData[beginCall]) reinterpret_cast<void (*)(GLenum, void*)>(f)(mode, n->userData);
}

void end(GLUnurbs* n)
{
    if (n->mode == GLU_NURBS_RENDERER)
        return glEnd();
    if (auto f = n->callbacks[endCall]) reinterpret_cast<void (*)()>(f)();
    if (auto f = n->withData[endCall]) reinterpret_cast<void (*)(void*)>(f)(n->userData);
}

const Spline* vertexSpline(const GLUnurbs* n)
{
    for (const Spline& s : n->splines)
        if (s.type == GL_MAP1_VERTEX_3 || s.type == GL_MAP1_VERTEX_4 || s.type == GL_MAP2_VERTEX_3 ||
            s.type == GL_MAP2_VERTEX_4)
            return &s;
    return nullptr;
}

void loadMatrices(GLUnurbs* n)
{
    if (!n->autoLoad)
        return;
    glGetDoublev(GL_MODELVIEW_MATRIX, n->model);
    glGetDoublev(GL_PROJECTION_MATRIX, n->proj);
    glGetIntegerv(GL_VIEWPORT, n->view);
}

// Whether every point of a piece lies beyond one side of the view volume.
bool culled(const GLUnurbs* n, const Points& pts, int dim)
{
    if (!n->culling)
        return false;
    unsigned all = 63;
    for (size_t i = 0; i + (size_t)dim <= pts.size(); i += (size_t)dim) {
        const double x[4] = {pts[i], pts[i + 1], dim > 2 ? pts[i + 2] : 0, dim == 4 ? pts[i + 3] : 1};
        double clip[4];
        toClip(n, x, clip);
        unsigned out = 0;
        for (int c = 0; c < 3; c++)
            out |= (clip[c] < -clip[3] ? 1u : 0u) << (2 * c) | (clip[c] > clip[3] ? 1u : 0u) << (2 * c + 1);
        all &= out;
    }
    return all != 0;
}

}  // namespace

void glweb::drawNurbsCurve(GLUnurbs* n)
{
    const Spline* s = vertexSpline(n);
    if (!s)
        return;
    loadMatrices(n);
    Evaluation e(n, 1);
    begin(n, GL_LINE_STRIP);
    for (const Span& span : glweb::spans(s->knots[0], s->order[0], s->count[0])) {
        const Points pts = glweb::bezier(s->knots[0], s->order[0], span, s->points.data(), s->dim, s->dim);
        const int count = steps(n, pts, s->dim, s->order[0], 1, 1, 0, span.b - span.a, n->uStep);
        for (int i = span.a == s->knots[0][(size_t)s->order[0] - 1] ? 0 : 1; i <= count; i++)
            emit(n, e.at(span.a + (span.b - span.a) * i / count, 0));
    }
    end(n);
}

void glweb::drawNurbsSurface(GLUnurbs* n)
{
    const Spline* s = vertexSpline(n);
    if (!s)
        return;
    loadMatrices(n);
    Evaluation e(n, 2);
    const std::vector<Span> us = glweb::spans(s->knots[0], s->order[0], s->count[0]);
    const std::vector<Span> vs = glweb::spans(s->knots[1], s->order[1], s->count[1]);
    const int ou = s->order[0], ov = s->order[1];
    for (const Span& sv : vs)
        for (const Span& su : us) {
            const Points pts = glweb::patch(*s, su, sv);
            if (culled(n, pts, s->dim))
                continue;
            const int nu = steps(n, pts, s->dim, ou, ov, 1, ou, su.b - su.a, n->uStep);
            const int nv = steps(n, pts, s->dim, ov, ou, ou, 1, sv.b - sv.a, n->vStep);
            if (n->displayMode == GLU_OUTLINE_PATCH) {
                const std::vector<UVLoop> outline =
                    n->loops.empty() ? std::vector<UVLoop>{{{su.a, sv.a}, {su.b, sv.a}, {su.b, sv.b}, {su.a, sv.b}}}
                                     : n->loops;
                for (const UVLoop& loop : outline) {
                    begin(n, GL_LINE_LOOP);
                    for (const UV& p : loop)
                        emit(n, e.at(p.u, p.v));
                    end(n);
                }
                if (!n->loops.empty())
                    return;  // the loops drawn once, over the whole surface
                continue;
            }
            const bool fill = n->displayMode == GLU_FILL;
            if (fill)
                begin(n, GL_TRIANGLES);
            for (const UVLoop& piece : glweb::trimmedPieces(n->loops, su.a, su.b, sv.a, sv.b, nu, nv))
                for (size_t i = 1; i + 1 < piece.size(); i++) {
                    if (!fill)
                        begin(n, GL_LINE_LOOP);
                    for (const UV& p : {piece[0], piece[i], piece[i + 1]})
                        emit(n, e.at(p.u, p.v));
                    if (!fill)
                        end(n);
                }
            if (fill)
                end(n);
        }
}

void glweb::reportNurbs(GLUnurbs* n, GLenum error)
{
    if (n->error)
        reinterpret_cast<void (*)(GLenum)>(n->error)(error);
}
