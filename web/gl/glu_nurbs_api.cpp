// GLU's NURBS entry points: the renderer's properties and callbacks, the
// curves, surfaces and trimming loops a program describes, and their
// drawing at gluEndCurve and gluEndSurface, with GL's calls or, in
// GLU_NURBS_TESSELLATOR mode, with the program's callbacks.
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
    std::vector<Spline> splines;  // of the curve or surface being described
    std::vector<UVLoop> loops;    // its trimming loops
};

namespace {

enum { beginCall, vertexCall, normalCall, colorCall, texCoordCall, endCall };

void report(GLUnurbs* n, GLenum error)
{
    if (n->error)
        reinterpret_cast<void (*)(GLenum)>(n->error)(error);
}

bool knotsValid(GLUnurbs* n, const GLfloat* knots, int knotCount, int order)
{
    GLenum error = 0;
    if (order < 2 || order > 30)  // the evaluators' largest order
        error = GLU_NURBS_ERROR1;
    else if (knotCount < 2 * order)
        error = GLU_NURBS_ERROR2;
    for (int i = 1; !error && i < knotCount; i++)
        if (knots[i] < knots[i - 1])
            error = GLU_NURBS_ERROR4;
    if (!error && !(knots[order - 1] < knots[knotCount - order]))
        error = GLU_NURBS_ERROR3;
    if (error)
        report(n, error);
    return !error;
}

int dimensionOf(GLenum type)
{
    return type == GLU_MAP1_TRIM_2 ? 2 : type == GLU_MAP1_TRIM_3 ? 3 : glweb::Evaluators::components(type);
}

// A control point where sampling measures it: in window pixels, or for the
// OBJECT_ methods in object space.
std::array<double, 3> measured(const GLUnurbs* n, const double* p, int dim)
{
    const double w = dim == 4 && p[3] != 0 ? p[3] : 1;
    const double x[4] = {p[0] / w, dim > 1 ? p[1] / w : 0, dim > 2 ? p[2] / w : 0, 1};
    if (n->method == GLU_OBJECT_PATH_LENGTH || n->method == GLU_OBJECT_PARAMETRIC_ERROR)
        return {x[0], x[1], x[2]};
    double eye[4] = {}, clip[4] = {};
    for (int r = 0; r < 4; r++)
        for (int k = 0; k < 4; k++)
            eye[r] += n->model[k * 4 + r] * x[k];
    for (int r = 0; r < 4; r++)
        for (int k = 0; k < 4; k++)
            clip[r] += n->proj[k * 4 + r] * eye[k];
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
        double eye[4] = {}, clip[4] = {};
        for (int r = 0; r < 4; r++)
            for (int k = 0; k < 4; k++)
                eye[r] += n->model[k * 4 + r] * x[k];
        for (int r = 0; r < 4; r++)
            for (int k = 0; k < 4; k++)
                clip[r] += n->proj[k * 4 + r] * eye[k];
        unsigned out = 0;
        for (int c = 0; c < 3; c++)
            out |= (clip[c] < -clip[3] ? 1u : 0u) << (2 * c) | (clip[c] > clip[3] ? 1u : 0u) << (2 * c + 1);
        all &= out;
    }
    return all != 0;
}

void drawCurve(GLUnurbs* n)
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

void drawSurface(GLUnurbs* n)
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

// A trimming piece's points, in the loop being built (w divided out).
void addToLoop(GLUnurbs* n, double u, double v, double w)
{
    if (n->loops.empty() || w == 0)
        return;
    const UV p{u / w, v / w};
    UVLoop& loop = n->loops.back();
    if (loop.empty() || loop.back().u != p.u || loop.back().v != p.v)
        loop.push_back(p);
}

}  // namespace

extern "C" {

GLUnurbs* gluNewNurbsRenderer() { return new GLUnurbs; }
void gluDeleteNurbsRenderer(GLUnurbs* n) { delete n; }

void gluNurbsProperty(GLUnurbs* n, GLenum property, GLfloat value)
{
    switch (property) {
    case GLU_SAMPLING_TOLERANCE: n->tolerance = value; break;
    case GLU_PARAMETRIC_TOLERANCE: n->parametricTolerance = value; break;
    case GLU_U_STEP: n->uStep = value; break;
    case GLU_V_STEP: n->vStep = value; break;
    case GLU_DISPLAY_MODE: n->displayMode = (GLenum)value; break;
    case GLU_SAMPLING_METHOD: n->method = (GLenum)value; break;
    case GLU_NURBS_MODE: n->mode = (GLenum)value; break;
    case GLU_CULLING: n->culling = value != 0; break;
    case GLU_AUTO_LOAD_MATRIX: n->autoLoad = value != 0; break;
    default: report(n, GLU_INVALID_ENUM); break;
    }
}

void gluGetNurbsProperty(GLUnurbs* n, GLenum property, GLfloat* value)
{
    switch (property) {
    case GLU_SAMPLING_TOLERANCE: *value = n->tolerance; break;
    case GLU_PARAMETRIC_TOLERANCE: *value = n->parametricTolerance; break;
    case GLU_U_STEP: *value = n->uStep; break;
    case GLU_V_STEP: *value = n->vStep; break;
    case GLU_DISPLAY_MODE: *value = (GLfloat)n->displayMode; break;
    case GLU_SAMPLING_METHOD: *value = (GLfloat)n->method; break;
    case GLU_NURBS_MODE: *value = (GLfloat)n->mode; break;
    case GLU_CULLING: *value = n->culling; break;
    case GLU_AUTO_LOAD_MATRIX: *value = n->autoLoad; break;
    default: report(n, GLU_INVALID_ENUM); break;
    }
}

void gluLoadSamplingMatrices(GLUnurbs* n, const GLfloat model[16], const GLfloat proj[16], const GLint view[4])
{
    std::copy(model, model + 16, n->model);
    std::copy(proj, proj + 16, n->proj);
    std::copy(view, view + 4, n->view);
}

void gluNurbsCallback(GLUnurbs* n, GLenum which, _GLUfuncptr f)
{
    if (which == GLU_NURBS_ERROR)
        n->error = f;
    else if (which >= GLU_NURBS_BEGIN && which <= GLU_NURBS_END)
        n->callbacks[which - GLU_NURBS_BEGIN] = f;
    else if (which >= GLU_NURBS_BEGIN_DATA && which <= GLU_NURBS_END_DATA)
        n->withData[which - GLU_NURBS_BEGIN_DATA] = f;
    else
        report(n, GLU_INVALID_ENUM);
}

void gluNurbsCallbackData(GLUnurbs* n, GLvoid* data) { n->userData = data; }

void gluBeginCurve(GLUnurbs* n)
{
    n->inCurve = true;
    n->splines.clear();
}

void gluEndCurve(GLUnurbs* n)
{
    if (n->inCurve)
        drawCurve(n);
    n->inCurve = false;
    n->splines.clear();
}

void gluBeginSurface(GLUnurbs* n)
{
    n->inSurface = true;
    n->splines.clear();
    n->loops.clear();
}

void gluEndSurface(GLUnurbs* n)
{
    if (n->inSurface)
        drawSurface(n);
    n->inSurface = false;
    n->splines.clear();
    n->loops.clear();
}

void gluBeginTrim(GLUnurbs* n)
{
    if (!n->inSurface)
        return;
    n->inTrim = true;
    n->loops.emplace_back();
}

void gluEndTrim(GLUnurbs* n)
{
    if (n->inTrim && !n->loops.empty()) {
        UVLoop& loop = n->loops.back();
        if (loop.size() > 1 && loop.front().u == loop.back().u && loop.front().v == loop.back().v)
            loop.pop_back();
        if (loop.size() < 3)
            n->loops.pop_back();
    }
    n->inTrim = false;
}

void gluPwlCurve(GLUnurbs* n, GLint count, GLfloat* data, GLint stride, GLenum type)
{
    if (!n->inTrim || (type != GLU_MAP1_TRIM_2 && type != GLU_MAP1_TRIM_3) || count < 0 || stride < dimensionOf(type))
        return report(n, GLU_INVALID_ENUM);
    for (GLint i = 0; i < count; i++) {
        const GLfloat* p = data + (size_t)i * (size_t)stride;
        addToLoop(n, p[0], p[1], type == GLU_MAP1_TRIM_3 ? p[2] : 1);
    }
}

// Inside a trimming loop, the curve is sampled into it; otherwise it is a
// map of the curve being described.
void gluNurbsCurve(GLUnurbs* n, GLint knotCount, GLfloat* knots, GLint stride, GLfloat* points, GLint order, GLenum type)
{
    const int dim = dimensionOf(type);
    if (!dim || stride < dim)
        return report(n, GLU_INVALID_ENUM);
    if (!knotsValid(n, knots, knotCount, order))
        return;
    Spline s{type, dim, {order, 1}, {knotCount - order, 1}, {{knots, knots + knotCount}, {0, 1}}, {}};
    for (int i = 0; i < s.count[0]; i++)
        s.points.insert(s.points.end(), points + (size_t)i * (size_t)stride, points + (size_t)i * (size_t)stride + dim);
    if (!n->inTrim) {
        if (n->inCurve)
            n->splines.push_back(s);
        return;
    }
    for (const Span& span : glweb::spans(s.knots[0], order, s.count[0])) {
        const Points b = glweb::bezier(s.knots[0], order, span, s.points.data(), dim, dim);
        const int count = 8 * (order - 1);
        for (int i = 0; i <= count; i++) {
            // de Casteljau at the step's parameter
            Points d = b;
            const double t = (double)i / count;
            for (int r = 1; r < order; r++)
                for (int j = 0; j < order - r; j++)
                    for (int c = 0; c < dim; c++)
                        d[(size_t)(j * dim + c)] = (1 - t) * d[(size_t)(j * dim + c)] + t * d[(size_t)((j + 1) * dim + c)];
            addToLoop(n, d[0], d[1], dim == 3 ? d[2] : 1);
        }
    }
}

void gluNurbsSurface(GLUnurbs* n, GLint sKnotCount, GLfloat* sKnots, GLint tKnotCount, GLfloat* tKnots, GLint sStride,
                     GLint tStride, GLfloat* points, GLint sOrder, GLint tOrder, GLenum type)
{
    const int dim = glweb::Evaluators::components(type);
    if (!dim || type < GL_MAP2_COLOR_4 || sStride < dim || tStride < dim)
        return report(n, GLU_INVALID_ENUM);
    if (!knotsValid(n, sKnots, sKnotCount, sOrder) || !knotsValid(n, tKnots, tKnotCount, tOrder))
        return;
    Spline s{type, dim, {sOrder, tOrder}, {sKnotCount - sOrder, tKnotCount - tOrder},
             {{sKnots, sKnots + sKnotCount}, {tKnots, tKnots + tKnotCount}}, {}};
    for (int j = 0; j < s.count[1]; j++)
        for (int i = 0; i < s.count[0]; i++) {
            const GLfloat* p = points + (size_t)i * (size_t)sStride + (size_t)j * (size_t)tStride;
            s.points.insert(s.points.end(), p, p + dim);
        }
    const bool alone = !n->inSurface;  // a surface described without gluBeginSurface
    if (alone)
        gluBeginSurface(n);
    n->splines.push_back(s);
    if (alone)
        gluEndSurface(n);
}

}  // extern "C"
