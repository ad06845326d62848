// GLU's NURBS entry points: the renderer's properties and callbacks, and
// the curves, surfaces and trimming loops a program describes, drawn at
// gluEndCurve and gluEndSurface (glu_nurbs_draw.cpp).
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <vector>

#include "web/gl/evaluators.h"
#include "web/gl/gl_notes.h"
#include "web/gl/glu_nurbs.h"

using glweb::Points;
using glweb::Span;
using glweb::Spline;
using glweb::UV;
using glweb::UVLoop;

namespace {

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
        glweb::reportNurbs(n, error);
    return !error;
}

int dimensionOf(GLenum type)
{
    return type == GLU_MAP1_TRIM_2 ? 2 : type == GLU_MAP1_TRIM_3 ? 3 : glweb::Evaluators::components(type);
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
    default: glweb::reportNurbs(n, GLU_INVALID_ENUM); break;
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
    default: glweb::reportNurbs(n, GLU_INVALID_ENUM); break;
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
        glweb::reportNurbs(n, GLU_INVALID_ENUM);
}

void gluNurbsCallbackData(GLUnurbs* n, GLvoid* data) { n->userData = data; }

void gluBeginCurve(GLUnurbs* n)
{
    n->inCurve = true;
    n->splines.clear();
}

void gluEndCurve(GLUnurbs* n)
{
    NOTED_AS("gluEndCurve", (), nullptr);  // the object's primitives are noted inside it
    if (n->inCurve)
        glweb::drawNurbsCurve(n);
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
    NOTED_AS("gluEndSurface", (), nullptr);  // the object's primitives are noted inside it
    if (n->inSurface)
        glweb::drawNurbsSurface(n);
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
    if (!n->inTrim || (type != GLU_MAP1_TRIM_2 && type != GLU_MAP1_TRIM_3) || count < 0 || stride < dimensionOf(type) ||
        (count > 0 && !data))
        return glweb::reportNurbs(n, GLU_INVALID_ENUM);
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
    const bool curveMap = type == GLU_MAP1_TRIM_2 || type == GLU_MAP1_TRIM_3 || type < GL_MAP2_COLOR_4;
    if (!dim || !curveMap || stride < dim || !knots || !points)
        return glweb::reportNurbs(n, GLU_INVALID_ENUM);
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
    if (!dim || type < GL_MAP2_COLOR_4 || sStride < dim || tStride < dim || !sKnots || !tKnots || !points)
        return glweb::reportNurbs(n, GLU_INVALID_ENUM);
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
