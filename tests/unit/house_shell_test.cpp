#include "scene/house_shell.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

// The shell drawn with the scene frame at the identity, so the recorded
// positions are shell-frame positions.
class HouseShellTest : public ::testing::Test {
protected:
    void draw()
    {
        rgl::clearLog();
        drawHouseShell();
        ASSERT_EQ(rgl::gl.primitives.size(), 80u);
    }
    void SetUp() override
    {
        freshStart();
        draw();
    }
    // Panel k: its front polygon and back polygon.
    const rgl::Primitive& front(int k) { return rgl::gl.primitives[(size_t)k * 2]; }
    const rgl::Primitive& back(int k) { return rgl::gl.primitives[(size_t)k * 2 + 1]; }
};

// Panels in drawing order: three bays of nine, then the room pieces.
enum { bay1 = 0, bay2 = 9, bay3 = 18, row1 = 27, row2, row3, floorPiece, row5, row6, row7, row8, doorLeaf, row10, row11a,
       row11b, row11c };

struct Edge {
    const char* what;
    int panel;
    float x0, z0, x1, z1;
    float y;
};

TEST_F(HouseShellTest, BottomEdgesOfBaysAndRoomPiecesInTheShellFrame)
{
    const Edge edges[] = {
        {"bay 1", bay1, 0, 1.5f, 0.3f, 1.5f, -1},
        {"bay 2", bay2, 0.3f, 1.499f, 0.560f, 1.349f, -1},
        {"bay 3", bay3, 0.008f, 1.493f, 0.308f, 1.493f, -1},
        {"row 1", row1, 0.710f, 1.089f, 1.056f, 0.889f, -1},
        {"row 2", row2, -0.425f, 1.744f, 0.008f, 1.494f, -1},
        {"row 3", row3, -1.125f, 0.532f, -0.425f, 1.744f, -1},
        {"row 5", row5, 1.470f, -0.955f, -1.128f, 0.545f, -1},
        {"row 6", row6, 2.465f, 0.769f, 1.465f, -0.963f, -1},
        {"row 7", row7, 1.781f, 1.165f, 2.474f, 0.765f, -1},
        {"row 8", row8, 1.531f, 0.732f, 1.781f, 1.165f, -1},
        {"door leaf", doorLeaf, 1.254f, 0.879f, 1.514f, 0.729f, -1},
        {"row 10", row10, 1.048f, 0.894f, 1.198f, 1.154f, -1},
        {"row 11a", row11a, 1.189f, 1.159f, 1.250f, 1.124f, -1},
        {"row 11b", row11b, 1.501f, 0.979f, 1.631f, 0.904f, -1},
        {"row 11c", row11c, 1.241f, 1.129f, 1.501f, 0.979f, -0.3f},
    };
    for (const Edge& e : edges) {
        for (const rgl::Primitive* p : {&front(e.panel), &back(e.panel)}) {
            EXPECT_TRUE(near3(p->vertices[0].eye, e.x0, e.y, e.z0)) << e.what;
            EXPECT_TRUE(near3(p->vertices[1].eye, e.x1, e.y, e.z1)) << e.what;
        }
    }
}

TEST_F(HouseShellTest, TopsOfWallsAndBays)
{
    EXPECT_NEAR(front(row5).vertices[2].eye.y, -0.09f, 1e-5);
    EXPECT_NEAR(front(row11c).vertices[2].eye.y, -0.09f, 1e-5);
    EXPECT_NEAR(front(bay1 + 8).vertices[2].eye.y, -0.09f, 1e-5);  // head wall
    EXPECT_NEAR(front(doorLeaf).vertices[2].eye.y, -0.3f, 1e-5);
}

TEST_F(HouseShellTest, FloorCornersLieAtYMinusOne)
{
    const float corners[4][2] = {{1.471f, -0.957f}, {2.471f, 0.775f}, {-0.127f, 2.275f}, {-1.127f, 0.543f}};
    for (int i = 0; i < 4; i++)
        EXPECT_TRUE(near3(front(floorPiece).vertices[(size_t)i].eye, corners[i][0], -1, corners[i][1]))
            << "KLMN"[i];
}

TEST_F(HouseShellTest, DoorLeafSwingsAboutItsAxis)
{
    const struct {
        float angle, x0, z0, x1, z1;
    } cases[] = {{30, 1.254f, 0.879f, 1.514f, 0.729f}, {60, 1.694f, 0.147f, 1.844f, -0.113f},
                 {90, 1.708f, -0.707f, 1.708f, -1.007f}};
    for (const auto& c : cases) {
        doorAngle = c.angle;
        rgl::reset();
        draw();
        EXPECT_TRUE(near3(front(doorLeaf).vertices[0].eye, c.x0, -1, c.z0)) << c.angle;
        EXPECT_TRUE(near3(front(doorLeaf).vertices[1].eye, c.x1, -1, c.z1)) << c.angle;
        // The far edge, at (0.7, 1.6) in the turned frame, keeps its
        // distance from the axis at (0.108, -0.307).
        rgl::Vec3 far = front(doorLeaf).vertices[1].eye;
        float dx = far.x - 0.108f, dz = far.z + 0.307f;
        EXPECT_NEAR(dx * dx + dz * dz, 0.7f * 0.7f + 1.6f * 1.6f, 0.005f);
    }
}

TEST_F(HouseShellTest, LeavesTheLiftedRoomFrameTwoLevelsUp)
{
    EXPECT_EQ(rgl::modelviewDepth(), 3);
    const rgl::Mat4& m = rgl::currentModelview();
    EXPECT_TRUE(near3(place(m, 0, 0, 0), 0.00801f, 1.4f, -0.00670f, 2e-5f));
    EXPECT_TRUE(near3(place(m, 1, 0, 0), 1.00801f, 1.4f, -0.00670f, 2e-5f));  // no turn
    EXPECT_TRUE(near3(place(m, 0, 0, 1), 0.00801f, 1.4f, 0.99330f, 2e-5f));
    // The room pieces are drawn in the room frame itself.
    const rgl::Mat4& room = rgl::gl.primitives[(size_t)bay3 * 2].modelview;
    EXPECT_TRUE(near3(place(room, 0, 0, 0), 0.00801f, 0, -0.00670f, 2e-5f));
}

TEST_F(HouseShellTest, StateLeftBehindComesFromTheLintelsBackFace)
{
    EXPECT_TRUE(rgl::isEnabled(GL_CULL_FACE));
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CCW);
    EXPECT_EQ(rgl::gl.boundTexture, (GLuint)texStone);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(rgl::gl.color[i], colorOrange[i]);
    EXPECT_EQ(rgl::gl.texCoord[0], 0);
    EXPECT_EQ(rgl::gl.texCoord[1], 0.7f);
    EXPECT_EQ(rgl::gl.calls.front().name, "glEnable");
    EXPECT_TRUE(rgl::gl.errors.empty());
}

TEST_F(HouseShellTest, FaceSetsOfEveryPiece)
{
    auto expectFaces = [&](int panel, int frontTex, const float* frontColor, int backTex, const float* backColor) {
        EXPECT_EQ(front(panel).texture, (GLuint)frontTex) << panel;
        EXPECT_EQ(back(panel).texture, (GLuint)backTex) << panel;
        EXPECT_EQ(front(panel).vertices[0].color[0], frontColor[0]) << panel;
        EXPECT_EQ(front(panel).vertices[0].color[1], frontColor[1]) << panel;
        EXPECT_EQ(back(panel).vertices[0].color[1], backColor[1]) << panel;
        EXPECT_EQ(front(panel).frontFace, (GLenum)GL_CW) << panel;
        EXPECT_EQ(back(panel).frontFace, (GLenum)GL_CCW) << panel;
    };
    for (int bay : {bay1, bay2, bay3})
        for (int k = 0; k < 9; k++) {
            if (k == 2 || k == 3)
                expectFaces(bay + k, texWindow, colorCyan, texWindow, colorCyan);
            else
                expectFaces(bay + k, wallpaperTex, colorYellow, texStone, colorOrange);
        }
    for (int panel = row1; panel <= row11c; panel++) {
        if (panel == floorPiece)
            expectFaces(panel, floorTex, colorGreen, floorTex, colorGrey);
        else if (panel == doorLeaf)
            expectFaces(panel, texDoor, colorBrown, texDoor, colorBrown);
        else
            expectFaces(panel, wallpaperTex, colorYellow, texStone, colorOrange);
    }
    // The bar between the panes repeats 0.2 in front and 0.1 behind.
    EXPECT_EQ(front(bay1 + 7).vertices[2].s, 0.2f);
    EXPECT_EQ(back(bay1 + 7).vertices[2].s, 0.1f);
}

TEST_F(HouseShellTest, WallpaperAndFloorChangesShowOnEveryFace)
{
    wallpaperTex = 8;
    floorTex = 12;
    draw();
    for (int panel = 0; panel < 40; panel++) {
        GLuint t = front(panel).texture;
        EXPECT_TRUE(t == 8 || t == 12 || t == (GLuint)texWindow || t == (GLuint)texDoor) << panel;
    }
    EXPECT_EQ(back(floorPiece).texture, 12u);
}

TEST_F(HouseShellTest, FrontFacesLookIntoTheHouse)
{
    // Seen from the floor's centre, every wall's vertices run clockwise:
    // its front face (GL_CW) is the one drawn.
    const rgl::Vec3 inside = {0.672f, -0.5f, 0.659f};
    for (int panel : {row1, row2, row3, row5, row6, row7, row11a, row11b}) {
        const auto& v = front(panel).vertices;
        float ax = v[1].eye.x - v[0].eye.x, az = v[1].eye.z - v[0].eye.z;
        float bx = inside.x - v[0].eye.x, bz = inside.z - v[0].eye.z;
        // The panel's local +z is edge x up; the inside lies towards -z.
        EXPECT_GT(az * bx - ax * bz, 0) << panel;
    }
}

}  // namespace
