// Evaluators' entry points: the maps (their points copied, in lists too),
// the grids, and the calls that evaluate. An evaluated colour, normal or
// texture coordinate goes with its vertex alone: the current ones are put
// back after it.
#include <GL/gl.h>

#include <algorithm>
#include <type_traits>
#include <vector>

#include "web/gl/gl_api.h"

using glweb::gl;

namespace {

template <typename T>
void defineMap(GLenum target, const double domain[4], const int stride[2], const int order[2], const T* points)
{
    if (!glweb::outsideBeginEnd()) return;
    const GLenum error = std::is_same<T, float>::value
                             ? gl().eval.define(target, domain, stride, order, (const float*)points, nullptr)
                             : gl().eval.define(target, domain, stride, order, nullptr, (const double*)points);
    if (error != GL_NO_ERROR) glweb::raise(error);
}

// A map's points, copied for a display list as one tight block.
template <typename T>
std::vector<T> copied(GLenum target, int dimension, const int stride[2], const int order[2], const T* points)
{
    const int size = glweb::Evaluators::components(target);
    std::vector<T> out;
    if (!points || size == 0 || order[0] < 1 || order[0] > 30 || (dimension == 2 && (order[1] < 1 || order[1] > 30)) ||
        stride[0] < size || (dimension == 2 && stride[1] < size))
        return out;
    for (int j = 0; j < (dimension == 2 ? order[1] : 1); ++j)
        for (int i = 0; i < order[0]; ++i)
            for (int c = 0; c < size; ++c) out.push_back(points[i * stride[0] + j * (dimension == 2 ? stride[1] : 0) + c]);
    return out;
}

// A map as the program gave it: kept by a list being compiled, or noted for
// the inspector, with its points in a row (and made again from those), then
// defined. `name` and `numbers` are the call as the inspector shows it.
template <typename T>
void defineGiven(const char* name, std::vector<double> numbers, int dimension, GLenum target, const double* given,
                 const int* strides, const int* givenOrders, const T* points)
{
    double domain[4];
    int orders[2];
    std::copy(given, given + 4, domain);
    std::copy(givenOrders, givenOrders + 2, orders);
    const int size = glweb::Evaluators::components(target);
    const int tight[2] = {size, size * orders[0]};
    const bool listed = glweb::compiling();
    std::vector<T> p;
    if (listed || inspect::active())
        p = copied(target, dimension, strides, orders, points);
    const auto inRow = [=] { defineMap(target, domain, tight, orders, p.empty() ? (const T*)nullptr : p.data()); };
    if (listed && glweb::keep(inRow))
        return;
    NOTED_DIRECT(name, (std::move(numbers)), [inRow](const double*) { inRow(); });
    noted_.keep(p.data(), p.size() * sizeof(T));
    defineMap(target, domain, strides, orders, points);
}

template <typename T>
void map1(GLenum target, T u1, T u2, GLint stride, GLint order, const T* points)
{
    const double domain[4] = {(double)u1, (double)u2, 0, 1};
    const int strides[2] = {stride, 0}, orders[2] = {order, 1};
    defineGiven(std::is_same<T, float>::value ? "glMap1f" : "glMap1d",
                {(double)target, (double)u1, (double)u2, (double)stride, (double)order}, 1, target, domain, strides,
                orders, points);
}

template <typename T>
void map2(GLenum target, T u1, T u2, GLint ustride, GLint uorder, T v1, T v2, GLint vstride, GLint vorder, const T* points)
{
    const double domain[4] = {(double)u1, (double)u2, (double)v1, (double)v2};
    const int strides[2] = {ustride, vstride}, orders[2] = {uorder, vorder};
    defineGiven(std::is_same<T, float>::value ? "glMap2f" : "glMap2d",
                {(double)target, (double)u1, (double)u2, (double)ustride, (double)uorder, (double)v1, (double)v2,
                 (double)vstride, (double)vorder},
                2, target, domain, strides, orders, points);
}

void evalCoord(int dimension, float u, float v)
{
    LISTED(evalCoord(dimension, u, v));
    NOTED_AS(dimension == 1 ? "glEvalCoord1f" : "glEvalCoord2f",
             (dimension == 1 ? std::vector<double>{u} : std::vector<double>{u, v}),
             dimension == 1 ? inspect::redoOf(glEvalCoord1f) : inspect::redoOf(glEvalCoord2f));
    glweb::Context& c = gl();
    const glweb::Evaluated e = c.eval.evaluate(dimension, u, v);
    if (!e.vertex) return;  // without a vertex map, nothing is drawn
    float color[4], texCoord[4];
    const float* cc = c.currentColorRGBA();
    const float* ct = c.currentTexCoordSTRQ();
    std::copy(cc, cc + 4, color);
    std::copy(ct, ct + 4, texCoord);
    const glcore::Vec3 normal = c.currentNormalValue();
    if (e.color) c.color(e.colorValue[0], e.colorValue[1], e.colorValue[2], e.colorValue[3]);
    if (e.normal) c.normal(e.normalValue[0], e.normalValue[1], e.normalValue[2]);
    if (e.texCoord) c.texCoord(e.texCoordValue[0], e.texCoordValue[1], e.texCoordValue[2], e.texCoordValue[3]);
    c.vertex(e.position[0], e.position[1], e.position[2], e.position[3]);
    if (e.color) c.color(color[0], color[1], color[2], color[3]);
    if (e.normal) c.normal(normal.x, normal.y, normal.z);
    if (e.texCoord) c.texCoord(texCoord[0], texCoord[1], texCoord[2], texCoord[3]);
}

// Grid point i (and j): exactly the domain's ends at 0 and at the count.
float along(int k, int i)
{
    const glweb::Evaluators& e = gl().eval;
    const float a = e.grid[2 * k], b = e.grid[2 * k + 1];
    return i == e.gridCount[k] ? b : a + (float)i * (b - a) / (float)e.gridCount[k];
}

void evalPoint(int dimension, int i, int j) { evalCoord(dimension, along(0, i), dimension == 2 ? along(1, j) : 0); }

void mapGrid(int dimension, int un, double u1, double u2, int vn, double v1, double v2)
{
    LISTED(mapGrid(dimension, un, u1, u2, vn, v1, v2));
    NOTED_AS(dimension == 1 ? "glMapGrid1d" : "glMapGrid2d",
             (dimension == 1 ? std::vector<double>{(double)un, u1, u2} : std::vector<double>{(double)un, u1, u2, (double)vn, v1, v2}),
             dimension == 1 ? inspect::redoOf(glMapGrid1d) : inspect::redoOf(glMapGrid2d));
    if (un <= 0 || (dimension == 2 && vn <= 0)) return glweb::raise(GL_INVALID_VALUE);
    glweb::Evaluators& e = gl().eval;
    e.gridCount[0] = un;
    e.grid[0] = (float)u1;
    e.grid[1] = (float)u2;
    if (dimension == 2) {
        e.gridCount[1] = vn;
        e.grid[2] = (float)v1;
        e.grid[3] = (float)v2;
    }
}

template <typename T>
void getMap(GLenum target, GLenum query, T* v)
{
    const glweb::Map* m = gl().eval.map(target);
    if (!m) return glweb::raise(GL_INVALID_ENUM);
    int dimension = 0;
    gl().eval.map(target, &dimension);
    switch (query) {
    case GL_COEFF:
        for (size_t k = 0; k < m->points.size(); ++k) v[k] = (T)m->points[k];
        break;
    case GL_ORDER:
        for (int k = 0; k < dimension; ++k) v[k] = (T)m->order[k];
        break;
    case GL_DOMAIN:
        for (int k = 0; k < 2 * dimension; ++k) v[k] = (T)m->domain[k];
        break;
    default: glweb::raise(GL_INVALID_ENUM);
    }
}

}  // namespace

extern "C" {

void glMap1f(GLenum t, GLfloat u1, GLfloat u2, GLint stride, GLint order, const GLfloat* p) { map1(t, u1, u2, stride, order, p); }
void glMap1d(GLenum t, GLdouble u1, GLdouble u2, GLint stride, GLint order, const GLdouble* p) { map1(t, u1, u2, stride, order, p); }
void glMap2f(GLenum t, GLfloat u1, GLfloat u2, GLint us, GLint uo, GLfloat v1, GLfloat v2, GLint vs, GLint vo, const GLfloat* p)
{
    map2(t, u1, u2, us, uo, v1, v2, vs, vo, p);
}
void glMap2d(GLenum t, GLdouble u1, GLdouble u2, GLint us, GLint uo, GLdouble v1, GLdouble v2, GLint vs, GLint vo,
             const GLdouble* p)
{
    map2(t, u1, u2, us, uo, v1, v2, vs, vo, p);
}

void glMapGrid1f(GLint un, GLfloat u1, GLfloat u2) { mapGrid(1, un, u1, u2, 0, 0, 0); }
void glMapGrid1d(GLint un, GLdouble u1, GLdouble u2) { mapGrid(1, un, u1, u2, 0, 0, 0); }
void glMapGrid2f(GLint un, GLfloat u1, GLfloat u2, GLint vn, GLfloat v1, GLfloat v2) { mapGrid(2, un, u1, u2, vn, v1, v2); }
void glMapGrid2d(GLint un, GLdouble u1, GLdouble u2, GLint vn, GLdouble v1, GLdouble v2) { mapGrid(2, un, u1, u2, vn, v1, v2); }

void glEvalCoord1f(GLfloat u) { evalCoord(1, u, 0); }
void glEvalCoord1d(GLdouble u) { evalCoord(1, (float)u, 0); }
void glEvalCoord1fv(const GLfloat* u) { evalCoord(1, u[0], 0); }
void glEvalCoord1dv(const GLdouble* u) { evalCoord(1, (float)u[0], 0); }
void glEvalCoord2f(GLfloat u, GLfloat v) { evalCoord(2, u, v); }
void glEvalCoord2d(GLdouble u, GLdouble v) { evalCoord(2, (float)u, (float)v); }
void glEvalCoord2fv(const GLfloat* u) { evalCoord(2, u[0], u[1]); }
void glEvalCoord2dv(const GLdouble* u) { evalCoord(2, (float)u[0], (float)u[1]); }
void glEvalPoint1(GLint i) { evalPoint(1, i, 0); }
void glEvalPoint2(GLint i, GLint j) { evalPoint(2, i, j); }

void glEvalMesh1(GLenum mode, GLint i1, GLint i2)
{
    ENTRY("glEvalMesh1", glEvalMesh1, (mode, i1, i2));
    if (mode != GL_POINT && mode != GL_LINE) return glweb::raise(GL_INVALID_ENUM);
    glweb::Unlisted made;  // of the calls below, kept as one
    glBegin(mode == GL_POINT ? GL_POINTS : GL_LINE_STRIP);
    for (GLint i = i1; i <= i2; ++i) glEvalPoint1(i);
    glEnd();
}

void glEvalMesh2(GLenum mode, GLint i1, GLint i2, GLint j1, GLint j2)
{
    ENTRY("glEvalMesh2", glEvalMesh2, (mode, i1, i2, j1, j2));
    if (mode != GL_POINT && mode != GL_LINE && mode != GL_FILL) return glweb::raise(GL_INVALID_ENUM);
    glweb::Unlisted made;
    if (mode == GL_FILL) {  // a quad strip for each row
        for (GLint j = j1; j < j2; ++j) {
            glBegin(GL_QUAD_STRIP);
            for (GLint i = i1; i <= i2; ++i) {
                glEvalPoint2(i, j);
                glEvalPoint2(i, j + 1);
            }
            glEnd();
        }
    } else if (mode == GL_LINE) {  // a strip along each row, then each column
        for (GLint j = j1; j <= j2; ++j) {
            glBegin(GL_LINE_STRIP);
            for (GLint i = i1; i <= i2; ++i) glEvalPoint2(i, j);
            glEnd();
        }
        for (GLint i = i1; i <= i2; ++i) {
            glBegin(GL_LINE_STRIP);
            for (GLint j = j1; j <= j2; ++j) glEvalPoint2(i, j);
            glEnd();
        }
    } else {
        glBegin(GL_POINTS);
        for (GLint j = j1; j <= j2; ++j)
            for (GLint i = i1; i <= i2; ++i) glEvalPoint2(i, j);
        glEnd();
    }
}

void glGetMapfv(GLenum target, GLenum query, GLfloat* v) { getMap(target, query, v); }
void glGetMapdv(GLenum target, GLenum query, GLdouble* v) { getMap(target, query, v); }
void glGetMapiv(GLenum target, GLenum query, GLint* v) { getMap(target, query, v); }

}  // extern "C"
