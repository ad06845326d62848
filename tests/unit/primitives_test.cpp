#include "scene/primitives.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

struct V {
    float x, y, z;
};

void expectVertices(const rgl::Primitive& p, GLenum mode, const std::vector<V>& expected)
{
    EXPECT_EQ(p.mode, mode);
    ASSERT_EQ(p.vertices.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(p.vertices[i].local.x, expected[i].x) << i;
        EXPECT_EQ(p.vertices[i].local.y, expected[i].y) << i;
        EXPECT_EQ(p.vertices[i].local.z, expected[i].z) << i;
    }
}

TEST(PrimitivesTest, BoxSendsFourPrimitivesInTheFixedOrder)
{
    freshStart();
    drawBox(2, 3, 4);
    ASSERT_EQ(rgl::gl.primitives.size(), 4u);
    expectVertices(rgl::gl.primitives[0], GL_POLYGON, {{0, 0, 0}, {2, 0, 0}, {2, 0, -3}, {0, 0, -3}});
    expectVertices(rgl::gl.primitives[1], GL_POLYGON, {{0, -4, 0}, {2, -4, 0}, {2, -4, -3}, {0, -4, -3}});
    expectVertices(rgl::gl.primitives[2], GL_TRIANGLE_STRIP,
                   {{0, -4, -3}, {0, 0, -3}, {2, -4, -3}, {2, 0, -3}, {2, -4, 0}, {2, 0, 0}});
    expectVertices(rgl::gl.primitives[3], GL_TRIANGLE_STRIP,
                   {{0, -4, -3}, {0, 0, -3}, {0, -4, 0}, {0, 0, 0}, {2, -4, 0}, {2, 0, 0}});
    // Nothing but geometry: colour, texture and winding are the caller's.
    EXPECT_EQ(rgl::count("glVertex3f"), 20);
    EXPECT_EQ(rgl::count("glColor3f") + rgl::count("glTexCoord2f") + rgl::count("glFrontFace"), 0);
}

TEST(PrimitivesTest, RectIsOnePolygonInThePlaneZZero)
{
    freshStart();
    drawRect(2, 1);
    ASSERT_EQ(rgl::gl.primitives.size(), 1u);
    expectVertices(rgl::gl.primitives[0], GL_POLYGON, {{0, 0, 0}, {2, 0, 0}, {2, -1, 0}, {0, -1, 0}});
}

class PanelTest : public ::testing::TestWithParam<GLenum> {
protected:
    void SetUp() override
    {
        freshStart();
        glFrontFace(GetParam());
        rgl::clearLog();
    }
};

TEST_P(PanelTest, FrontUnderClockwiseThenBackUnderCounterClockwise)
{
    drawRectPanel(wallFaces, 0, 0.3f, -1, -0.5f, 1.5f);
    std::vector<std::string> face = {"glBegin",     "glColor3fv",   "glTexCoord2f", "glVertex3f", "glTexCoord2f",
                                     "glVertex3f",  "glTexCoord2f", "glVertex3f",   "glTexCoord2f", "glVertex3f",
                                     "glEnd"};
    std::vector<std::string> expected = {"glBindTexture", "glFrontFace"};
    expected.insert(expected.end(), face.begin(), face.end());
    expected.push_back("glBindTexture");
    expected.push_back("glFrontFace");
    expected.insert(expected.end(), face.begin(), face.end());
    EXPECT_EQ(rgl::callNames(), expected);

    ASSERT_EQ(rgl::gl.primitives.size(), 2u);
    const rgl::Primitive& front = rgl::gl.primitives[0];
    const rgl::Primitive& back = rgl::gl.primitives[1];
    EXPECT_EQ(front.frontFace, (GLenum)GL_CW);
    EXPECT_EQ(front.texture, 4u);
    EXPECT_EQ(front.vertices[0].color[0], colorYellow[0]);
    EXPECT_EQ(back.frontFace, (GLenum)GL_CCW);
    EXPECT_EQ(back.texture, 1u);
    EXPECT_EQ(back.vertices[0].color[1], colorOrange[1]);
    const float st[4][2] = {{0, 0}, {1.5f, 0}, {1.5f, 1.5f}, {0, 1.5f}};
    const float xy[4][2] = {{0, -1}, {0.3f, -1}, {0.3f, -0.5f}, {0, -0.5f}};
    for (const rgl::Primitive* p : {&front, &back})
        for (int i = 0; i < 4; i++) {
            EXPECT_EQ(p->vertices[i].s, st[i][0]);
            EXPECT_EQ(p->vertices[i].t, st[i][1]);
            EXPECT_EQ(p->vertices[i].local.x, xy[i][0]);
            EXPECT_EQ(p->vertices[i].local.y, xy[i][1]);
            EXPECT_EQ(p->vertices[i].local.z, 1.5f);
        }

    // What the panel leaves behind, whatever the winding before it.
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CCW);
    EXPECT_EQ(rgl::gl.boundTexture, 1u);
    EXPECT_EQ(rgl::gl.color[0], colorOrange[0]);
    EXPECT_EQ(rgl::gl.texCoord[0], 0);
    EXPECT_EQ(rgl::gl.texCoord[1], 1.5f);
}

INSTANTIATE_TEST_SUITE_P(WhicheverWindingBefore, PanelTest, ::testing::Values(GL_CW, GL_CCW),
                         [](const ::testing::TestParamInfo<GLenum>& info) {
                             return std::string(info.param == GL_CW ? "CW" : "CCW");
                         });

TEST(PrimitivesTest, PanelFacesMayRepeatTheTextureDifferently)
{
    freshStart();
    drawRectPanel2(wallFaces, 0, 0.3f, -0.4f, -0.39f, 0.2f, 0.1f);
    EXPECT_EQ(rgl::gl.primitives[0].vertices[2].s, 0.2f);
    EXPECT_EQ(rgl::gl.primitives[1].vertices[2].s, 0.1f);
}

TEST(PrimitivesTest, PanelReadsTheTextureNamesAtEachBind)
{
    freshStart();
    wallpaperTex = 7;
    texStone = 3;
    drawRectPanel(wallFaces, 0, 1, 0, 1, 1);
    EXPECT_EQ(rgl::gl.primitives[0].texture, 7u);
    EXPECT_EQ(rgl::gl.primitives[1].texture, 3u);
    texStone = 1;
}

}  // namespace
