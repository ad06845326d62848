#include <cmath>
#include <functional>

#include "scene/house_shell.h"
#include "scene/house_structure.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

// drawHouse with the entry frame at the identity: recorded positions are
// entry-frame positions.
class HouseStructureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshStart();
        drawHouse();
        ASSERT_EQ(rgl::gl.primitives.size(), 82u);
    }
    const rgl::Primitive& front(int k) { return rgl::gl.primitives[(size_t)k * 2]; }
    const rgl::Primitive& back(int k) { return rgl::gl.primitives[(size_t)k * 2 + 1]; }
};

enum { f1 = 0, f2, bay1, bay2 = bay1 + 9, bay3 = bay2 + 9, w1 = bay3 + 9 };

TEST_F(HouseStructureTest, BottomEdgesOfBaysAndWallsInTheEntryFrame)
{
    const struct {
        const char* what;
        int panel;
        float x0, z0, x1, z1, y;
    } edges[] = {
        {"bay 1", bay1, 0.290f, 1.499f, 0.550f, 1.349f, -1.5f},
        {"bay 2", bay2, 0.549f, 1.348f, 0.699f, 1.088f, -1.5f},
        {"bay 3", bay3, 0.294f, 1.489f, 0.553f, 1.339f, -1.5f},
        {"W1", w1, 0.699f, 0.788f, 0.899f, 0.442f, -1.5f},
        {"W2", w1 + 1, 0.044f, 1.923f, 0.294f, 1.490f, -1.5f},
        {"W3", w1 + 2, -1.168f, 1.223f, 0.044f, 1.923f, -1.5f},
        {"W4", w1 + 3, 0.336f, -1.362f, -1.164f, 1.236f, -1.5f},
        {"W5", w1 + 4, 2.059f, -0.367f, 0.327f, -1.367f, -1.5f},
        {"W6", w1 + 5, 1.665f, 0.318f, 2.065f, -0.375f, -1.5f},
        {"W7", w1 + 6, 1.232f, 0.068f, 1.665f, 0.318f, -1.5f},
        {"W8", w1 + 7, 1.179f, 0.557f, 1.329f, 0.297f, -1.5f},
        {"W9", w1 + 8, 0.894f, 0.450f, 1.154f, 0.600f, -1.5f},
        {"W10", w1 + 9, 1.149f, 0.609f, 1.184f, 0.549f, -1.5f},
        {"W11", w1 + 10, 1.329f, 0.297f, 1.404f, 0.167f, -1.5f},
        {"W12", w1 + 11, 1.179f, 0.557f, 1.329f, 0.297f, -0.8f},
    };
    for (const auto& e : edges) {
        EXPECT_TRUE(near3(front(e.panel).vertices[0].eye, e.x0, e.y, e.z0)) << e.what;
        EXPECT_TRUE(near3(front(e.panel).vertices[1].eye, e.x1, e.y, e.z1)) << e.what;
    }
    EXPECT_NEAR(front(w1 + 7).vertices[2].eye.y, -0.8f, 1e-5);   // W8 fills the doorway
    EXPECT_NEAR(front(w1 + 3).vertices[2].eye.y, -0.59f, 1e-5);  // wall tops
}

TEST_F(HouseStructureTest, FloorSlabCorners)
{
    const float f1Corners[4][2] = {{0.087f, -0.150f}, {0.781f, 1.053f}, {-0.431f, 1.753f}, {-1.126f, 0.550f}};
    const float f2Corners[4][2] = {{0.757f, 1.010f}, {0.536f, 1.369f}, {0.320f, 1.494f}, {-0.083f, 1.495f}};
    for (int i = 0; i < 4; i++) {
        EXPECT_TRUE(near3(front(f1).vertices[(size_t)i].eye, f1Corners[i][0], -1.5f, f1Corners[i][1])) << i;
        EXPECT_TRUE(near3(front(f2).vertices[(size_t)i].eye, f2Corners[i][0], -1.5f, f2Corners[i][1])) << i;
        EXPECT_TRUE(near3(back(f2).vertices[(size_t)i].eye, f2Corners[i][0], -1.5f, f2Corners[i][1])) << i;
    }
    // Seen from below the slab reaches 0.01 further at F1's third corner.
    EXPECT_EQ(front(f1).vertices[2].local.x, 1.389f);
    EXPECT_EQ(back(f1).vertices[2].local.x, 1.399f);
    EXPECT_EQ(back(f1).vertices[1].local.x, 1.389f);
    // Front faces up: colorLeaf above, colorWhite below, floor texture both.
    EXPECT_EQ(front(f1).vertices[0].color[1], colorLeaf[1]);
    EXPECT_EQ(back(f1).vertices[0].color[1], colorWhite[1]);
    EXPECT_EQ(front(f2).texture, (GLuint)floorTex);
    EXPECT_EQ(back(f2).texture, (GLuint)floorTex);
}

TEST_F(HouseStructureTest, LeavesTheHouseFrameAtTheSameDepth)
{
    EXPECT_EQ(rgl::modelviewDepth(), 1);
    rgl::Mat4 expected = rgl::multiply(rgl::translation(-0.46f, -0.5f, 0.2f), rgl::rotation(30, 0, 1, 0));
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(rgl::currentModelview().m[i], expected.m[i], 1e-6) << i;
    EXPECT_TRUE(rgl::isEnabled(GL_CULL_FACE));
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CCW);
    EXPECT_EQ(rgl::gl.boundTexture, (GLuint)texStone);
    EXPECT_EQ(rgl::gl.color[0], colorOrange[0]);
    EXPECT_EQ(rgl::gl.texCoord[1], 0.7f);
    EXPECT_TRUE(rgl::gl.errors.empty());
}

TEST_F(HouseStructureTest, BaysShowTheWindowOnBothSidesButTheirHeads)
{
    for (int bay : {bay1, bay2, bay3})
        for (int k = 0; k < 9; k++) {
            bool head = k == 8;
            EXPECT_EQ(front(bay + k).texture, (GLuint)(head ? wallpaperTex : texWindow)) << bay << " " << k;
            EXPECT_EQ(back(bay + k).texture, (GLuint)(head ? texStone : texWindow)) << bay << " " << k;
        }
    EXPECT_EQ(front(bay2 + 7).vertices[2].s, 0.2f);
    EXPECT_EQ(back(bay2 + 7).vertices[2].s, 0.1f);
    for (int w = w1; w < w1 + 12; w++) {
        EXPECT_EQ(front(w).texture, (GLuint)wallpaperTex);
        EXPECT_EQ(back(w).texture, (GLuint)texStone);
    }
}

TEST(HouseStructureLayoutTest, UpperStoreyIsTheShellTurnedAndMoved)
{
    // In the frame the shell leaves, the upper storey's walls are the shell's
    // own walls turned 30 degrees about y and moved by (-0.452, 0.9, 0.193).
    freshStart();
    drawHouse();
    rgl::Mat4 m = rgl::multiply(rgl::translation(-0.452f, 0.9f, 0.193f), rgl::rotation(30, 0, 1, 0));
    // W4 against the shell's back wall (row 5), in shell-frame coordinates.
    rgl::Vec3 w4 = rgl::gl.primitives[(size_t)(w1 + 3) * 2].vertices[0].eye;
    rgl::Vec3 w4Shell = {w4.x + 0.00801f, w4.y + 1.4f, w4.z - 0.00670f};
    EXPECT_TRUE(near3(w4Shell, place(m, 1.470f, -1, -0.955f).x, -0.1f, place(m, 1.470f, -1, -0.955f).z, 0.003f));
}

// Every window bay of both storeys: its nine panels, in the bay's own plane,
// cover the 0.3 by 0.91 bay once everywhere but the open strip between the
// upper pane and the head (0.71 to 0.72 up), which nothing covers.
TEST(WindowBayTest, NinePanelsTileEachBayButTheOpenStrip)
{
    const struct {
        const char* storey;
        std::function<void()> draw;
        int firstBay;  // panel index
    } storeys[] = {{"ground level", drawHouseShell, 0}, {"upper storey", drawHouse, 2}};
    auto sub = [](rgl::Vec3 a, rgl::Vec3 b) { return rgl::Vec3{a.x - b.x, a.y - b.y, a.z - b.z}; };
    auto dot = [](rgl::Vec3 a, rgl::Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; };
    auto unit = [&](rgl::Vec3 a) {
        float n = std::sqrt(dot(a, a));
        return rgl::Vec3{a.x / n, a.y / n, a.z / n};
    };
    const float step = 0.0025f;  // sample at cell centres, never on an edge
    for (const auto& storey : storeys) {
        freshStart();
        storey.draw();
        for (int bay = 0; bay < 3; bay++) {
            const int first = storey.firstBay + bay * 9;
            const std::vector<rgl::Vertex>& sill = rgl::gl.primitives[(size_t)first * 2].vertices;
            const rgl::Vec3 origin = sill[0].eye, across = unit(sub(sill[1].eye, origin)),
                            up = unit(sub(sill[3].eye, origin));
            const rgl::Vec3 normal = {across.y * up.z - across.z * up.y, across.z * up.x - across.x * up.z,
                                      across.x * up.y - across.y * up.x};
            struct Rect {
                float u0, u1, w0, w1;
            };
            std::vector<Rect> panels;
            for (int k = 0; k < 9; k++) {
                Rect r{1e9f, -1e9f, 1e9f, -1e9f};
                for (const rgl::Vertex& v : rgl::gl.primitives[(size_t)(first + k) * 2].vertices) {
                    const rgl::Vec3 d = sub(v.eye, origin);
                    EXPECT_NEAR(dot(d, normal), 0, 1e-5) << storey.storey << " bay " << bay + 1 << " panel " << k;
                    r = {std::fmin(r.u0, dot(d, across)), std::fmax(r.u1, dot(d, across)),
                         std::fmin(r.w0, dot(d, up)), std::fmax(r.w1, dot(d, up))};
                }
                EXPECT_TRUE(r.u0 > -1e-4f && r.u1 < 0.3001f && r.w0 > -1e-4f && r.w1 < 0.9101f)
                    << storey.storey << " bay " << bay + 1 << " panel " << k << " leaves the bay";
                panels.push_back(r);
            }
            int wrong = 0;
            for (float u = step / 2; u < 0.3f; u += step)
                for (float w = step / 2; w < 0.91f; w += step) {
                    int covers = 0;
                    for (const Rect& r : panels)
                        covers += u > r.u0 && u < r.u1 && w > r.w0 && w < r.w1;
                    const bool strip = w > 0.71f && w < 0.72f;
                    wrong += covers != (strip ? 0 : 1);
                }
            EXPECT_EQ(wrong, 0) << storey.storey << " bay " << bay + 1 << ": points covered other than once";
        }
    }
}

}  // namespace
