#include <algorithm>
#include <cmath>

#include "scene/display.h"
#include "scene/furniture.h"
#include "test_support.h"

namespace {

struct ModelCase {
    const char* name;
    void (*draw)();
    int boxes, rects;
    float lowestY;
    float color[3];  // left current
};

const ModelCase models[] = {
    {"desk", drawDesk, 10, 0, -6.9f, {0.34f, 0.84f, 0.86f}},
    {"chair", drawChair, 6, 0, -6.9f, {0.64f, 0.33f, 0.26f}},
    {"wardrobe", drawWardrobe, 5, 3, -18, {0.95f, 0.74f, 0.75f}},
    {"table", drawTable, 5, 0, -7, {0.25f, 0.36f, 0.69f}},
    {"bed", drawBed, 2, 0, -3, {0.37f, 0.35f, 0.2f}},
    {"television", drawTelevision, 4, 1, -5, {0.235f, 0.754f, 0.21f}},
};

class FurnitureModelTest : public ::testing::TestWithParam<ModelCase> {};

TEST_P(FurnitureModelTest, CountsLowestFaceColourAndMatrix)
{
    const ModelCase& m = GetParam();
    freshStart();
    glTranslatef(3, -2, 1);
    glRotatef(40, 0, 1, 0);
    const rgl::Mat4 before = rgl::currentModelview();
    glLoadIdentity();
    glTranslatef(3, -2, 1);
    glRotatef(40, 0, 1, 0);
    rgl::clearLog();
    m.draw();

    int strips = 0, polygons = 0;
    float lowest = 1e9f;
    for (const rgl::Primitive& p : rgl::gl.primitives) {
        strips += p.mode == GL_TRIANGLE_STRIP;
        polygons += p.mode == GL_POLYGON;
        for (const rgl::Vertex& v : p.vertices) {
            rgl::Vec3 model = v.local;
            // Back into the model's own frame: apply the primitive's matrix,
            // then undo the caller's placement.
            rgl::Vec3 world = rgl::transformPoint(p.modelview, model);
            rgl::Mat4 undo = rgl::multiply(rgl::rotation(-40, 0, 1, 0), rgl::translation(-3, 2, -1));
            lowest = std::min(lowest, rgl::transformPoint(undo, world).y);
        }
    }
    EXPECT_EQ(strips / 2, m.boxes);
    EXPECT_EQ(polygons - strips, m.rects);  // a box has as many polygons as strips
    EXPECT_NEAR(lowest, m.lowestY, 1e-4);
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(rgl::gl.color[i], m.color[i]);
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(rgl::currentModelview().m[i], before.m[i], 1e-6);
    EXPECT_EQ(rgl::modelviewDepth(), 1);
    EXPECT_EQ(rgl::count("glBindTexture") + rgl::count("glTexCoord2f") + rgl::count("glFrontFace"), 0);
    EXPECT_TRUE(rgl::gl.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(AllModels, FurnitureModelTest, ::testing::ValuesIn(models),
                         [](const ::testing::TestParamInfo<ModelCase>& info) { return std::string(info.param.name); });

TEST(FurnitureTest, TelevisionAntennaLiesInTheCallersFrame)
{
    freshStart();
    glTranslatef(10, 20, 30);
    rgl::clearLog();
    drawTelevision();
    const rgl::Primitive& antenna = rgl::gl.primitives.back();
    EXPECT_EQ(antenna.mode, (GLenum)GL_LINE_STRIP);
    ASSERT_EQ(antenna.vertices.size(), 3u);
    EXPECT_TRUE(near3(antenna.vertices[0].eye, 11, 21.5f, 27.5f));
    EXPECT_TRUE(near3(antenna.vertices[1].eye, 12.5f, 20, 27.5f));
    EXPECT_TRUE(near3(antenna.vertices[2].eye, 14, 21.5f, 27.5f));
    EXPECT_EQ(antenna.vertices[0].color[1], 0.754f);  // set inside glBegin
    // Drawn after the model's final pop.
    const auto& calls = rgl::gl.calls;
    EXPECT_EQ(calls[antenna.firstCall - 1].name, "glPopMatrix");
    EXPECT_EQ(calls[antenna.firstCall + 1].name, "glColor3f");
}

// Each model's first primitive is drawn after a known move inside the model;
// undoing it finds where the model's origin stands.
struct Placed {
    const char* what;
    int primitives;  // how many the model sends
    float firstMove[3];
    float origin[3];  // in the furniture frame
};

TEST(FurnitureTest, PlacedModelsStandWhereTheFurnitureFrameSaysInOrder)
{
    const Placed placed[] = {
        {"desk", 40, {-4, 0, 0}, {-1, -0.65f, 0.05f}},
        {"chair 1", 24, {2, -2, -1}, {-0.6f, -0.65f, 0.1f}},
        {"wardrobe", 23, {0, 0, 0}, {1.7f, -0.13f, 1.7f}},
        {"table 1", 20, {2, -2, -1}, {-0.1f, -0.65f, 0.95f}},
        {"chair 2", 24, {2, -2, -1}, {0.5f, -0.65f, 0.83f}},
        {"chair 3", 24, {2, -2, -1}, {0.765f, -0.65f, 0.83f}},
        {"chair 4", 24, {2, -2, -1}, {0.35f, -0.65f, 0.55f}},
        {"chair 5", 24, {2, -2, -1}, {0.085f, -0.65f, 0.55f}},
        {"staircase", 56, {0, 0, 0}, {0.75f, -0.9f, -0.125f}},
        {"bed", 8, {0, 0, 0}, {-1.2f, 0.05f, 0.8f}},
        {"table 2", 20, {2, -2, -1}, {-0.6f, -0.025f, -0.16f}},
        {"television", 18, {0, 0, 0}, {-0.85f, 0.1f, -0.1f}},
    };
    freshStart();
    placeFurniture();
    size_t index = 0;
    for (const Placed& p : placed) {
        ASSERT_LT(index, rgl::gl.primitives.size()) << p.what;
        const rgl::Primitive& first = rgl::gl.primitives[index];
        rgl::Vec3 origin = place(first.modelview, -p.firstMove[0], -p.firstMove[1], -p.firstMove[2]);
        EXPECT_TRUE(near3(origin, p.origin[0], p.origin[1], p.origin[2], 1e-4f)) << p.what;
        index += (size_t)p.primitives;
    }
    EXPECT_EQ(index, rgl::gl.primitives.size());
    // The turn of group 6 stays on the furniture frame itself.
    EXPECT_TRUE(near3(place(rgl::currentModelview(), 1, 0, 0), -1, 0, 0, 1e-5f));
    EXPECT_EQ(rgl::modelviewDepth(), 1);
}

TEST(FurnitureTest, StaircaseStepsAreScaledIntoTheFurnitureFrame)
{
    freshStart();
    placeFurniture();
    // Step 0 of the staircase: 40 + 24 + 23 + 20 + 4 * 24 primitives in.
    size_t first = 40 + 24 + 23 + 20 + 4 * 24;
    const rgl::Primitive& top0 = rgl::gl.primitives[first];
    const rgl::Primitive& top13 = rgl::gl.primitives[first + 13 * 4];
    const rgl::Primitive& bottom13 = rgl::gl.primitives[first + 13 * 4 + 1];
    // Each step 0.06 higher in the furniture frame, all on one base.
    EXPECT_NEAR(top13.vertices[0].eye.y - top0.vertices[0].eye.y, 13 * 0.06f, 1e-5);
    EXPECT_NEAR(top13.vertices[0].eye.y - bottom13.vertices[0].eye.y, 1.4f * 0.6f, 1e-5);
}

}  // namespace
