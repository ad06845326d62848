// Evaluators, as GL 1.1 defines them: a map of order n is the sum of its
// points weighted by the Bernstein polynomials of degree n - 1 at
// (u - u1) / (u2 - u1); a two-dimensional map the same in u and in v. With
// GL_AUTO_NORMAL, a surface's normal is its two partial derivatives'
// cross product, made unit length.
#include "web/gl/evaluators.h"

#include <algorithm>

#include <cmath>

namespace glweb {

namespace {

const int sizes[Evaluators::targets] = {4, 1, 3, 1, 2, 3, 4, 3, 4};
const float starts[Evaluators::targets][4] = {{1, 1, 1, 1}, {1}, {0, 0, 1}, {0}, {0, 0}, {0, 0, 0},
                                              {0, 0, 0, 1}, {0, 0, 0}, {0, 0, 0, 1}};
const int maxOrder = 30;  // GL_MAX_EVAL_ORDER

enum { color4, index1, normal3, tex1, tex2, tex3, tex4, vertex3, vertex4 };

// The Bernstein weights of degree n at t and their derivatives in t.
void bernstein(int order, float t, float* b, float* db)
{
    const int n = order - 1;
    // Degree n - 1 first, for the derivatives: d/dt B(i, n) = n (B(i-1, n-1) - B(i, n-1)).
    // On the stack: a teapot asks for thousands a frame.
    float lower[maxOrder] = {}, cur[maxOrder] = {};
    cur[0] = 1;
    for (int k = 1; k <= n; ++k) {
        if (k == n) std::copy(cur, cur + order, lower);
        for (int i = k; i >= 0; --i) cur[i] = (i < k ? cur[i] * (1 - t) : 0) + (i > 0 ? cur[i - 1] * t : 0);
    }
    for (int i = 0; i <= n; ++i) {
        b[i] = cur[i];
        db[i] = n == 0 ? 0 : (float)n * ((i > 0 ? lower[i - 1] : 0) - (i < n ? lower[i] : 0));
    }
}

// One map at (u, v): its value and its partials in the map's own units.
void point(const Map& m, int size, int dimension, float u, float v, float* out, float* du, float* dv)
{
    const float s = (u - m.domain[0]) / (m.domain[1] - m.domain[0]);
    const float t = dimension == 2 ? (v - m.domain[2]) / (m.domain[3] - m.domain[2]) : 0;
    float bu[maxOrder], dbu[maxOrder], bv[maxOrder] = {1}, dbv[maxOrder] = {0};
    bernstein(m.order[0], s, bu, dbu);
    if (dimension == 2) bernstein(m.order[1], t, bv, dbv);
    const int nv = dimension == 2 ? m.order[1] : 1;
    for (int c = 0; c < size; ++c) out[c] = du[c] = dv[c] = 0;
    const float uRange = m.domain[1] - m.domain[0], vRange = m.domain[3] - m.domain[2];
    for (int j = 0; j < nv; ++j)
        for (int i = 0; i < m.order[0]; ++i) {
            const float* p = &m.points[(size_t)(j * m.order[0] + i) * (size_t)size];
            const float w = bu[i] * bv[j], wu = dbu[i] * bv[j], wv = bu[i] * dbv[j];
            for (int c = 0; c < size; ++c) {
                out[c] += w * p[c];
                du[c] += wu * p[c];
                dv[c] += wv * p[c];
            }
        }
    for (int c = 0; c < size; ++c) {  // the partials in the map's units: divided once, not once a term
        du[c] /= uRange;
        dv[c] = dimension == 2 ? dv[c] / vRange : 0;
    }
}

}  // namespace

Evaluators::Evaluators()
{
    for (auto& dimension : maps)
        for (int k = 0; k < targets; ++k) dimension[k].points.assign(starts[k], starts[k] + sizes[k]);
}

Map* Evaluators::map(GLenum target, int* dimension)
{
    for (int d = 0; d < 2; ++d) {
        const GLenum first = d == 0 ? GL_MAP1_COLOR_4 : GL_MAP2_COLOR_4;
        if (target >= first && target < first + targets) {
            if (dimension) *dimension = d + 1;
            return &maps[d][target - first];
        }
    }
    return nullptr;
}

int Evaluators::components(GLenum target)
{
    for (GLenum first : {GL_MAP1_COLOR_4, GL_MAP2_COLOR_4})
        if (target >= first && target < first + targets) return sizes[target - first];
    return 0;
}

GLenum Evaluators::define(GLenum target, const double domain[4], const int stride[2], const int order[2],
                          const float* points, const double* pointsD)
{
    int dimension = 0;
    Map* m = map(target, &dimension);
    if (!m) return GL_INVALID_ENUM;
    const int size = components(target);
    for (int d = 0; d < dimension; ++d)
        if (domain[2 * d] == domain[2 * d + 1] || stride[d] < size || order[d] < 1 || order[d] > maxOrder)
            return GL_INVALID_VALUE;
    if (!points && !pointsD) return GL_INVALID_VALUE;
    Map next;
    next.order[0] = order[0];
    next.order[1] = dimension == 2 ? order[1] : 1;
    for (int k = 0; k < 4; ++k) next.domain[k] = dimension == 2 || k < 2 ? (float)domain[k] : (float)(k - 2);
    for (int j = 0; j < next.order[1]; ++j)
        for (int i = 0; i < next.order[0]; ++i)
            for (int c = 0; c < size; ++c) {
                const size_t at = (size_t)i * (size_t)stride[0] + (size_t)j * (size_t)(dimension == 2 ? stride[1] : 0) + c;
                next.points.push_back(points ? points[at] : (float)pointsD[at]);
            }
    *m = std::move(next);
    return GL_NO_ERROR;
}

bool Evaluators::enable(GLenum cap, bool on)
{
    if (cap == GL_AUTO_NORMAL) {
        autoNormal = on;
        return true;
    }
    int dimension = 0;
    if (!map(cap, &dimension)) return false;
    const unsigned bit = 1u << (cap - (dimension == 1 ? GL_MAP1_COLOR_4 : GL_MAP2_COLOR_4));
    enabled[dimension - 1] = on ? enabled[dimension - 1] | bit : enabled[dimension - 1] & ~bit;
    return true;
}

bool Evaluators::isEnabled(GLenum cap, bool& on) const
{
    if (cap == GL_AUTO_NORMAL) {
        on = autoNormal;
        return true;
    }
    for (int d = 0; d < 2; ++d) {
        const GLenum first = d == 0 ? GL_MAP1_COLOR_4 : GL_MAP2_COLOR_4;
        if (cap >= first && cap < first + targets) {
            on = enabled[d] & (1u << (cap - first));
            return true;
        }
    }
    return false;
}

Evaluated Evaluators::evaluate(int dimension, float u, float v) const
{
    Evaluated e;
    const unsigned on = enabled[dimension - 1];
    const Map* ms = maps[dimension - 1];
    float value[4], du[4], dv[4];
    auto has = [&](int k) { return (on >> k) & 1u; };
    const int vertex = has(vertex4) ? vertex4 : has(vertex3) ? vertex3 : -1;  // the four-component map wins
    if (vertex >= 0) {
        point(ms[vertex], sizes[vertex], dimension, u, v, value, du, dv);
        e.vertex = true;
        for (int c = 0; c < sizes[vertex]; ++c) e.position[c] = value[c];
        if (dimension == 2 && autoNormal) {
            if (vertex == vertex4) {  // the partials of (x, y, z) / w
                for (int c = 0; c < 3; ++c) {
                    du[c] = (du[c] * value[3] - value[c] * du[3]) / (value[3] * value[3]);
                    dv[c] = (dv[c] * value[3] - value[c] * dv[3]) / (value[3] * value[3]);
                }
            }
            const float n[3] = {du[1] * dv[2] - du[2] * dv[1], du[2] * dv[0] - du[0] * dv[2], du[0] * dv[1] - du[1] * dv[0]};
            const float l = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
            e.normal = true;
            for (int c = 0; c < 3; ++c) e.normalValue[c] = l > 0 ? n[c] / l : n[c];
        }
    }
    if (!e.normal && has(normal3)) {
        point(ms[normal3], 3, dimension, u, v, e.normalValue, du, dv);
        e.normal = true;
    }
    if (has(color4)) {
        point(ms[color4], 4, dimension, u, v, e.colorValue, du, dv);
        e.color = true;
    }
    for (int k = tex4; k >= tex1; --k)  // the map of the most coordinates wins
        if (has(k)) {
            point(ms[k], sizes[k], dimension, u, v, e.texCoordValue, du, dv);
            e.texCoord = true;
            break;
        }
    return e;
}

}  // namespace glweb
