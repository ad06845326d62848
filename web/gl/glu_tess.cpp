// GLU's tessellator on the page: the contours a program gives are kept
// here, and at gluTessEndPolygon handed to libtess (a port of GLU's own
// tessellator, loaded by the page as libtess.min.js), whose begin, vertex,
// edge flag, combine, end and error calls come back as a list that is then
// made to the program's own callbacks, with its own vertex data.
#include <GL/glu.h>
#include <emscripten.h>

#include <vector>

#include "web/gl/gl_notes.h"

namespace {

struct Point {
    double x, y, z;
    void* data;
};

enum Callback { begin, vertex, end, error, edgeFlag, combine, callbacks };  // in GLU_TESS_BEGIN's order

}  // namespace

struct GLUtesselator {
    _GLUfuncptr plain[callbacks] = {};  // GLU_TESS_BEGIN ...
    _GLUfuncptr withData[callbacks] = {};  // GLU_TESS_BEGIN_DATA ...
    double winding = GLU_TESS_WINDING_ODD, boundaryOnly = 0, tolerance = 0;
    double normal[3] = {0, 0, 0};
    void* polygonData = nullptr;
    std::vector<std::vector<Point>> contours;
    bool inPolygon = false, inContour = false;
};

namespace {

// libtess run over the contours: its calls as numbers, kept for tessTake.
EM_JS(int, tessRun, (const double* coords, const int* counts, int contours, double winding, int boundary, double nx,
                     double ny, double nz, int edges, int combines), {
    const E = libtess.gluEnum, t = new libtess.GluTesselator(), out = [];
    let total = 0;
    for (let c = 0; c < contours; c++) total += HEAP32[(counts >> 2) + c];
    t.gluTessProperty(E.GLU_TESS_WINDING_RULE, winding);
    t.gluTessProperty(E.GLU_TESS_BOUNDARY_ONLY, !!boundary);
    t.gluTessNormal(nx, ny, nz);
    t.gluTessCallback(E.GLU_TESS_BEGIN, (type) => out.push(0, type));
    t.gluTessCallback(E.GLU_TESS_VERTEX, (i) => out.push(1, i));
    if (edges) t.gluTessCallback(E.GLU_TESS_EDGE_FLAG, (f) => out.push(2, f ? 1 : 0));
    t.gluTessCallback(E.GLU_TESS_END, () => out.push(3));
    t.gluTessCallback(E.GLU_TESS_ERROR, (e) => out.push(4, e));
    if (combines) t.gluTessCallback(E.GLU_TESS_COMBINE, (p, d, w) => {
        out.push(5, p[0], p[1], p[2]);
        for (let k = 0; k < 4; k++) out.push(d[k] === null || d[k] === undefined ? -1 : d[k]);
        for (let k = 0; k < 4; k++) out.push(w[k] || 0);
        return total++;
    });
    t.gluTessBeginPolygon();
    for (let c = 0, i = 0; c < contours; c++) {
        t.gluTessBeginContour();
        for (let k = 0; k < HEAP32[(counts >> 2) + c]; k++, i++)
            t.gluTessVertex([HEAPF64[(coords >> 3) + 3 * i], HEAPF64[(coords >> 3) + 3 * i + 1], HEAPF64[(coords >> 3) + 3 * i + 2]], i);
        t.gluTessEndContour();
    }
    t.gluTessEndPolygon();
    Module.tessOut = out;
    return out.length;
});
EM_JS(void, tessTake, (double* to), { HEAPF64.set(Module.tessOut, to >> 3); Module.tessOut = null; });

// The program's callback for one of the calls, with its polygon data when it gave the _DATA form.
template <typename Plain, typename WithData, typename... Args>
void call(GLUtesselator* t, Callback which, Args... args)
{
    if (t->withData[which])
        reinterpret_cast<WithData>(t->withData[which])(args..., t->polygonData);
    else if (t->plain[which])
        reinterpret_cast<Plain>(t->plain[which])(args...);
}

void raise(GLUtesselator* t, GLenum code) { call<void (*)(GLenum), void (*)(GLenum, void*)>(t, error, code); }

void run(GLUtesselator* t)
{
    std::vector<double> coords;
    std::vector<int> counts;
    std::vector<void*> data;
    for (const auto& c : t->contours) {
        counts.push_back((int)c.size());
        for (const Point& p : c) {
            coords.insert(coords.end(), {p.x, p.y, p.z});
            data.push_back(p.data);
        }
    }
    const bool edges = t->plain[edgeFlag] || t->withData[edgeFlag];
    const bool combines = t->plain[combine] || t->withData[combine];
    std::vector<double> out((size_t)tessRun(coords.data(), counts.data(), (int)counts.size(), t->winding,
                                            t->boundaryOnly != 0, t->normal[0], t->normal[1], t->normal[2], edges, combines));
    tessTake(out.data());
    for (size_t k = 0; k < out.size();) {
        switch ((int)out[k]) {
        case 0: call<void (*)(GLenum), void (*)(GLenum, void*)>(t, begin, (GLenum)out[k + 1]); k += 2; break;
        case 1: {
            const size_t i = (size_t)out[k + 1];
            call<void (*)(void*), void (*)(void*, void*)>(t, vertex, i < data.size() ? data[i] : nullptr);
            k += 2;
            break;
        }
        case 2: call<void (*)(GLboolean), void (*)(GLboolean, void*)>(t, edgeFlag, (GLboolean)out[k + 1]); k += 2; break;
        case 3: call<void (*)(), void (*)(void*)>(t, end); k += 1; break;
        case 4: raise(t, (GLenum)out[k + 1]); k += 2; break;
        default: {  // combine: the program makes the new vertex's data
            GLdouble at[3] = {out[k + 1], out[k + 2], out[k + 3]};
            void* from[4];
            GLfloat weight[4];
            for (int j = 0; j < 4; j++) {
                const double i = out[k + 4 + j];
                from[j] = i >= 0 && (size_t)i < data.size() ? data[(size_t)i] : nullptr;
                weight[j] = (GLfloat)out[k + 8 + j];
            }
            void* made = nullptr;
            call<void (*)(GLdouble*, void**, GLfloat*, void**), void (*)(GLdouble*, void**, GLfloat*, void**, void*)>(
                t, combine, at, from, weight, &made);
            data.push_back(made);
            k += 12;
        }
        }
    }
}

}  // namespace

extern "C" {

GLUtesselator* gluNewTess(void) { return new GLUtesselator; }
void gluDeleteTess(GLUtesselator* t) { delete t; }

void gluTessCallback(GLUtesselator* t, GLenum which, _GLUfuncptr fn)
{
    if (!t) return;
    if (which >= GLU_TESS_BEGIN && which <= GLU_TESS_COMBINE)
        t->plain[which - GLU_TESS_BEGIN] = fn;
    else if (which >= GLU_TESS_BEGIN_DATA && which <= GLU_TESS_COMBINE_DATA)
        t->withData[which - GLU_TESS_BEGIN_DATA] = fn;
    else
        raise(t, GLU_INVALID_ENUM);
}

void gluTessProperty(GLUtesselator* t, GLenum which, GLdouble value)
{
    if (!t) return;
    if (which == GLU_TESS_WINDING_RULE && value >= GLU_TESS_WINDING_ODD && value <= GLU_TESS_WINDING_ABS_GEQ_TWO)
        t->winding = value;
    else if (which == GLU_TESS_BOUNDARY_ONLY)
        t->boundaryOnly = value != 0;
    else if (which == GLU_TESS_TOLERANCE && value >= 0 && value <= 1)
        t->tolerance = value;
    else
        raise(t, which == GLU_TESS_WINDING_RULE || which == GLU_TESS_TOLERANCE ? GLU_INVALID_VALUE : GLU_INVALID_ENUM);
}

void gluGetTessProperty(GLUtesselator* t, GLenum which, GLdouble* value)
{
    if (!t || !value) return;
    if (which == GLU_TESS_WINDING_RULE) *value = t->winding;
    else if (which == GLU_TESS_BOUNDARY_ONLY) *value = t->boundaryOnly;
    else if (which == GLU_TESS_TOLERANCE) *value = t->tolerance;
    else raise(t, GLU_INVALID_ENUM);
}

void gluTessNormal(GLUtesselator* t, GLdouble x, GLdouble y, GLdouble z)
{
    if (t) t->normal[0] = x, t->normal[1] = y, t->normal[2] = z;
}

void gluTessBeginPolygon(GLUtesselator* t, GLvoid* data)
{
    if (!t) return;
    t->contours.clear();
    t->polygonData = data;
    t->inPolygon = true;
    t->inContour = false;
}

void gluTessBeginContour(GLUtesselator* t)
{
    if (!t) return;
    if (!t->inPolygon) return raise(t, GLU_TESS_MISSING_BEGIN_POLYGON);
    t->contours.emplace_back();
    t->inContour = true;
}

void gluTessVertex(GLUtesselator* t, GLdouble* location, GLvoid* data)
{
    if (!t || !location) return;
    if (!t->inContour) return raise(t, GLU_TESS_MISSING_BEGIN_CONTOUR);
    t->contours.back().push_back({location[0], location[1], location[2], data});
}

void gluTessEndContour(GLUtesselator* t)
{
    if (!t) return;
    if (!t->inContour) return raise(t, GLU_TESS_MISSING_BEGIN_CONTOUR);
    t->inContour = false;
}

void gluTessEndPolygon(GLUtesselator* t)
{
    NOTED_AS("gluTessEndPolygon", (), nullptr);  // the object's primitives are noted inside it
    if (!t) return;
    if (!t->inPolygon) return raise(t, GLU_TESS_MISSING_BEGIN_POLYGON);
    if (t->inContour) raise(t, GLU_TESS_MISSING_END_CONTOUR);
    t->inPolygon = t->inContour = false;
    run(t);
}

// GLU 1.1's names for the same: a polygon whose contours follow one another.
void gluBeginPolygon(GLUtesselator* t)
{
    gluTessBeginPolygon(t, nullptr);
    gluTessBeginContour(t);
}

void gluNextContour(GLUtesselator* t, GLenum)
{
    gluTessEndContour(t);
    gluTessBeginContour(t);
}

void gluEndPolygon(GLUtesselator* t)
{
    gluTessEndContour(t);
    gluTessEndPolygon(t);
}

}  // extern "C"
