#include <cmath>
#include <cstring>

#include "scene/display.h"
#include "scene/outside_piece.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

TEST(OutsidePieceTest, TwelveCornersInTheShellFrame)
{
    freshStart();
    orthoOn = 1;  // no camera: the scene frame, and so the shell frame, is the identity
    viewMode = 2;
    display();
    const rgl::Primitive* top = nullptr;
    const rgl::Primitive* bottom = nullptr;
    for (const rgl::Primitive& p : rgl::gl.primitives)
        if (p.vertices.size() == 12)
            (top ? bottom : top) = &p;
    ASSERT_TRUE(top && bottom);
    const float expected[12][3] = {
        {1.472f, 1.710f, -0.975f}, {2.477f, 1.710f, 0.766f}, {1.784f, 1.710f, 1.166f}, {1.629f, 1.710f, 0.897f},
        {1.187f, 1.710f, 1.152f},  {1.054f, 1.710f, 0.882f}, {0.717f, 1.710f, 1.077f}, {0.553f, 1.710f, 1.334f},
        {0.293f, 1.710f, 1.484f},  {0.007f, 1.710f, 1.487f}, {-0.427f, 1.710f, 1.737f}, {-1.127f, 1.710f, 0.525f},
    };
    for (int i = 0; i < 12; i++) {
        EXPECT_TRUE(near3(top->vertices[(size_t)i].eye, expected[i][0], expected[i][1], expected[i][2])) << i + 1;
        EXPECT_TRUE(near3(bottom->vertices[(size_t)i].eye, expected[i][0], expected[i][1], expected[i][2])) << i + 1;
    }
    EXPECT_EQ(top->texture, 14u);
    EXPECT_EQ(bottom->texture, 4u);
    EXPECT_EQ(top->frontFace, (GLenum)GL_CW);
    EXPECT_EQ(top->vertices[0].color[1], colorPink[1]);
    EXPECT_EQ(bottom->vertices[0].color[1], colorWhite[1]);
    orthoOn = 0;
}

TEST(OutsidePieceTest, TextureCoordinatesAndStateLeft)
{
    freshStart();
    wallpaperTex = 7;  // the lower face keeps showing texture 4
    const rgl::Mat4 before = rgl::currentModelview();
    drawOutsidePiece();
    const rgl::Primitive& p = rgl::gl.primitives.back();
    EXPECT_EQ(p.texture, 4u);
    const float st[12][2] = {{0, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 0},
                             {1, 0}, {1, 0}, {1, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (size_t i = 0; i < 12; i++) {
        EXPECT_EQ(p.vertices[i].s, st[i][0]);
        EXPECT_EQ(p.vertices[i].t, st[i][1]);
    }
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CCW);
    EXPECT_EQ(rgl::gl.boundTexture, 4u);
    EXPECT_EQ(rgl::gl.color[0], colorWhite[0]);
    EXPECT_EQ(rgl::gl.texCoord[0], 0);
    EXPECT_EQ(rgl::gl.texCoord[1], 1);
    EXPECT_EQ(0, std::memcmp(&before, &rgl::currentModelview(), sizeof before));
    EXPECT_EQ(rgl::modelviewDepth(), 1);
}

TEST(OutsidePieceTest, FanFromTheFirstCornerFillsTheOutlineWithoutOverlap)
{
    freshStart();
    drawOutsidePiece();
    const auto& v = rgl::gl.primitives.front().vertices;
    // The piece is flat; work in its own plane (local x, y).
    auto cross = [&](size_t a, size_t b, size_t c) {
        return (v[b].local.x - v[a].local.x) * (v[c].local.y - v[a].local.y) -
               (v[b].local.y - v[a].local.y) * (v[c].local.x - v[a].local.x);
    };
    double sweep = 0;
    for (size_t k = 1; k + 1 < 12; k++) {
        // Every fan triangle turns the same way: the corners follow one
        // another at strictly increasing angles seen from corner 1 ...
        EXPECT_GT(cross(0, k, k + 1), 0) << k + 1;
        double a1 = std::atan2(v[k].local.y - v[0].local.y, v[k].local.x - v[0].local.x);
        double a2 = std::atan2(v[k + 1].local.y - v[0].local.y, v[k + 1].local.x - v[0].local.x);
        sweep += a2 - a1;
    }
    // ... and all of them together turn less than half a circle, so no two
    // triangles overlap and none leaves the outline.
    EXPECT_GT(sweep, 0);
    EXPECT_LT(sweep, 3.14159265);
    // The outline is not convex: it turns inwards at corners 4, 6, 7 and 10.
    int inward = 0;
    for (size_t k = 0; k < 12; k++)
        inward += cross(k, (k + 1) % 12, (k + 2) % 12) < 0;
    EXPECT_EQ(inward, 4);
}

}  // namespace
