// GLU's NURBS on the page: B-splines as their Bezier pieces, trimmed
// domains as pieces of the grid, and surfaces handed back as triangles.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "web/gl/glu_nurbs.h"

namespace {

double area(const glweb::UVLoop& p)
{
    double a = 0;
    for (size_t i = 0; i < p.size(); i++)
        a += p[i].u * p[(i + 1) % p.size()].v - p[(i + 1) % p.size()].u * p[i].v;
    return a / 2;
}

}  // namespace

// A span's Bezier points equal the B-spline's own on that span.
TEST(GLUNurbsTest, SpansBecomeTheirBezierPieces)
{
    const struct {
        const char* what;
        std::vector<double> knots, points;
        int order;
        std::vector<std::vector<double>> bezier;  // for each span
    } rows[] = {
        {"a clamped cubic: its own points", {0, 0, 0, 0, 1, 1, 1, 1}, {0, 3, 1, 5}, 4, {{0, 3, 1, 5}}},
        {"a uniform quadratic: midpoints and the middle point", {0, 1, 2, 3, 4, 5}, {0, 4, 8}, 3, {{2, 4, 6}}},
        {"a clamped quadratic of two spans", {0, 0, 0, 1, 2, 2, 2}, {0, 2, 4, 8}, 3, {{0, 2, 3}, {3, 4, 8}}},
        {"a repeated knot: an empty span skipped", {0, 0, 1, 1, 2, 2}, {0, 1, 5, 7}, 2, {{0, 1}, {5, 7}}},
    };
    for (const auto& r : rows) {
        const int count = (int)r.knots.size() - r.order;
        const auto spans = glweb::spans(r.knots, r.order, count);
        ASSERT_EQ(spans.size(), r.bezier.size()) << r.what;
        for (size_t k = 0; k < spans.size(); k++) {
            const auto b = glweb::bezier(r.knots, r.order, spans[k], r.points.data(), 1, 1);
            for (size_t j = 0; j < b.size(); j++)
                EXPECT_NEAR(b[j], r.bezier[k][j], 1e-12) << r.what << ", span " << k << ", point " << j;
        }
    }
}

// The unit square, 2 x 2 cells: what each loop keeps, by area, and the
// pieces: cut where a grid line runs or a loop turns.
TEST(GLUNurbsTest, TrimmingLoopsKeepWhatLiesToTheirLeft)
{
    const glweb::UVLoop square = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    const glweb::UVLoop hole = {{0.2, 0.2}, {0.2, 0.4}, {0.4, 0.4}, {0.4, 0.2}};         // clockwise
    const glweb::UVLoop island = {{0.25, 0.25}, {0.75, 0.25}, {0.5, 0.75}};               // counter-clockwise
    const glweb::UVLoop across = {{0.1, 0.1}, {0.9, 0.1}, {0.9, 0.2}, {0.1, 0.2}};        // in two cells
    const struct {
        const char* what;
        std::vector<glweb::UVLoop> loops;
        double area;
        size_t pieces;
    } rows[] = {
        {"no loop: the grid's cells", {}, 1, 4},
        {"the domain's edge", {square}, 1, 4},
        {"a hole in one cell, the domain implied", {hole}, 0.96, 9},
        {"a hole in the domain", {square, hole}, 0.96, 9},
        {"an island", {island}, 0.125, 4},
        {"a band across a column line", {across}, 0.08, 2},
    };
    for (const auto& r : rows) {
        const auto pieces = glweb::trimmedPieces(r.loops, 0, 1, 0, 1, 2, 2);
        double total = 0;
        for (const auto& p : pieces) {
            EXPECT_GT(area(p), 0) << r.what << ": counter-clockwise";
            total += area(p);
        }
        EXPECT_NEAR(total, r.area, 1e-9) << r.what;
        EXPECT_EQ(pieces.size(), r.pieces) << r.what;
    }
}

// In tessellator mode, a bilinear patch comes back as triangles on it and
// a curve as its points; decreasing knots, no points or a surface's map
// for a curve are an error, and nothing comes back.
TEST(GLUNurbsTest, SurfacesComeBackAsTrianglesOnThem)
{
    static std::vector<std::vector<float>> vertices;
    static std::vector<GLenum> errors;
    GLfloat knots[4] = {0, 0, 1, 1}, bad[4] = {0, 1, 0.5f, 1};
    GLfloat points[2][2][3] = {{{0, 0, 0}, {2, 0, 0}}, {{0, 2, 1}, {2, 2, 1}}};  // z = y / 2
    GLUnurbs* n = gluNewNurbsRenderer();
    gluNurbsProperty(n, GLU_NURBS_MODE, GLU_NURBS_TESSELLATOR);
    gluNurbsProperty(n, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
    gluNurbsProperty(n, GLU_U_STEP, 3);
    gluNurbsProperty(n, GLU_V_STEP, 2);
    gluNurbsCallback(n, GLU_NURBS_VERTEX, (_GLUfuncptr)(void (*)(GLfloat*))[](GLfloat* v) {
        vertices.push_back({v[0], v[1], v[2]});
    });
    gluNurbsCallback(n, GLU_NURBS_ERROR, (_GLUfuncptr)(void (*)(GLenum))[](GLenum e) { errors.push_back(e); });
    gluBeginSurface(n);
    gluNurbsSurface(n, 4, knots, 4, knots, 3, 6, &points[0][0][0], 2, 2, GL_MAP2_VERTEX_3);
    gluEndSurface(n);
    EXPECT_EQ(vertices.size(), 3u * 2 * 3 * 2);  // 3 x 2 cells, two triangles each
    for (const auto& v : vertices)
        EXPECT_NEAR(v[2], v[1] / 2, 1e-6);
    vertices.clear();
    gluBeginSurface(n);
    gluNurbsSurface(n, 4, bad, 4, knots, 3, 6, &points[0][0][0], 2, 2, GL_MAP2_VERTEX_3);
    gluEndSurface(n);
    gluBeginSurface(n);
    gluNurbsSurface(n, 4, knots, 4, knots, 3, 6, nullptr, 2, 2, GL_MAP2_VERTEX_3);  // no points: refused
    gluEndSurface(n);
    gluBeginCurve(n);
    gluNurbsCurve(n, 4, knots, 3, &points[0][0][0], 2, GL_MAP2_VERTEX_3);  // a surface's map: refused
    gluEndCurve(n);
    EXPECT_TRUE(vertices.empty());
    EXPECT_EQ(errors, (std::vector<GLenum>{GLU_NURBS_ERROR4, GLU_INVALID_ENUM, GLU_INVALID_ENUM}));
    // A cubic Bezier as a clamped curve: 3 steps, from its first point to its last.
    GLfloat cubicKnots[8] = {0, 0, 0, 0, 1, 1, 1, 1}, cubic[4][3] = {{0, 0, 0}, {1, 2, 0}, {2, 2, 0}, {3, 0, 0}};
    gluBeginCurve(n);
    gluNurbsCurve(n, 8, cubicKnots, 3, &cubic[0][0], 4, GL_MAP1_VERTEX_3);
    gluEndCurve(n);
    ASSERT_EQ(vertices.size(), 4u);
    EXPECT_EQ(vertices.front(), (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(vertices.back(), (std::vector<float>{3, 0, 0}));
    EXPECT_NEAR(vertices[1][1], 2 * 3 * (1.0f / 3) * (2.0f / 3) * (2.0f / 3) + 2 * 3 * (1.0f / 9) * (2.0f / 3), 1e-5);
    gluDeleteNurbsRenderer(n);
}
