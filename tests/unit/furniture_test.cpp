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

// Failures name the model rather than dump its bytes.
void PrintTo(const ModelCase& m, std::ostream* os)
{
    *os << m.name;
}

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

// Every shape of a model, in drawing order, as its extent in the model's own
// frame: x0, x1, y0, y1, z0, z1 (either way round).
struct Extent {
    float x0, x1, y0, y1, z0, z1;
};
const std::vector<Extent> shapes[] = {
    {{-4, 9, 0, -0.5f, 0, -3}, {-4, 0.5f, -0.5f, -6.9f, 0, -3}, {7, 9, -0.5f, -0.8f, 0, -3},
     {7, 9, -3, -3.3f, 0, -3}, {7, 9, -6.6f, -6.9f, 0, -3}, {7, 9, 3.1f, 2.8f, 0, -3}, {7, 9, 6.1f, 5.8f, 0, -3},
     {7, 9.3f, 6.1f, -6.9f, 0.3f, 0}, {7, 9.3f, 6.1f, -6.9f, -3, -3.3f}, {9, 9.3f, 6.1f, -6.9f, 0, -3}},
    {{2, 6, -2, -2.4f, -1, -5}, {2, 6, 2, -2, -4.6f, -5}, {2, 2.4f, -2.4f, -6.9f, -1, -1.4f},
     {5.6f, 6, -2.4f, -6.9f, -1, -1.4f}, {2, 2.4f, -2.4f, -6.9f, -4.6f, -5}, {5.6f, 6, -2.4f, -6.9f, -4.6f, -5}},
    {{0, 8, 0, -18, 0, 0}, {0, 4, 0, -13, -5, -5}, {4, 8, 0, -13, -5, -5}, {0, 8, -13, -15.5f, -0.01f, -5},
     {0, 8, -15.5f, -18, -0.01f, -5}, {-0.05f, 0.05f, 0, -18, 0, -5}, {8, 8.1f, 0, -18, 0, -5},
     {-0.1f, 8, 0.1f, 0, 0, -5}},
    {{2, 16, -2, -2.5f, -1, -5}, {2, 2.4f, -2.5f, -7, -1, -1.5f}, {15.6f, 16, -2.5f, -7, -1, -1.4f},
     {2.1f, 2.5f, -2.5f, -7, -4.5f, -5}, {15.7f, 16.1f, -2.5f, -7, -4.5f, -5}},
    {{0, 13, 0, -3, 0, -5}, {-0.5f, 0, 2, -3, 0, -5}},
    {{0, 5, 0, -1, 0, -5}, {0, 1, -1, -4, 0, -5}, {4, 5, -1, -4, 0, -5}, {0, 5, -4, -5, 0, -5}, {1, 4, -1, -4, -5, -5}},
};

TEST_P(FurnitureModelTest, EveryShapeFillsItsExtent)
{
    const ModelCase& m = GetParam();
    size_t index = 0;  // GetParam is a copy: find the row by its model
    while (models[index].draw != m.draw)
        index++;
    const std::vector<Extent>& expected = shapes[index];
    freshStart();
    m.draw();
    // A box is two polygons and two strips, a rectangle one polygon; the
    // antenna's line strip is no shape.
    const auto& prims = rgl::gl.primitives;
    size_t shape = 0;
    for (size_t i = 0; i < prims.size() && prims[i].mode == GL_POLYGON; shape++) {
        size_t n = (i + 2 < prims.size() && prims[i + 2].mode == GL_TRIANGLE_STRIP) ? 4 : 1;
        rgl::Vec3 lo = prims[i].vertices[0].eye, hi = lo;
        for (size_t k = i; k < i + n; k++)
            for (const rgl::Vertex& v : prims[k].vertices) {
                lo = {std::min(lo.x, v.eye.x), std::min(lo.y, v.eye.y), std::min(lo.z, v.eye.z)};
                hi = {std::max(hi.x, v.eye.x), std::max(hi.y, v.eye.y), std::max(hi.z, v.eye.z)};
            }
        i += n;
        ASSERT_LT(shape, expected.size()) << m.name << ": more shapes than the table";
        const Extent& e = expected[shape];
        EXPECT_TRUE(near3(lo, std::min(e.x0, e.x1), std::min(e.y0, e.y1), std::min(e.z0, e.z1), 1e-4f))
            << m.name << " shape " << shape;
        EXPECT_TRUE(near3(hi, std::max(e.x0, e.x1), std::max(e.y0, e.y1), std::max(e.z0, e.z1), 1e-4f))
            << m.name << " shape " << shape;
    }
    EXPECT_EQ(shape, expected.size()) << m.name;
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
// undoing it finds where the model's origin stands and where its unit axes
// point, which shows every move, turn and scale of its placement.
struct Placed {
    const char* what;
    int primitives;  // how many the model sends
    float firstMove[3];
    float origin[3];   // in the furniture frame
    float axes[3][3];  // the model's x, y and z unit vectors there
};

TEST(FurnitureTest, PlacedModelsStandWhereTheFurnitureFrameSaysInOrder)
{
    const Placed placed[] = {
        {"desk", 40, {-4, 0, 0}, {-1, -0.65f, 0.05f},
         {{0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, 0.05f}}},
        {"chair 1", 24, {2, -2, -1}, {-0.6f, -0.65f, 0.1f},
         {{-0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, -0.05f}}},
        {"wardrobe", 23, {0, 0, 0}, {1.7f, -0.13f, 1.7f},
         {{-0.08f, 0, 0}, {0, 0.045f, 0}, {0, 0, -0.025f}}},
        {"table 1", 20, {2, -2, -1}, {-0.1f, -0.65f, 0.95f},
         {{0.06f, 0, 0}, {0, 0.05f, 0}, {0, 0, 0.08f}}},
        {"chair 2", 24, {2, -2, -1}, {0.5f, -0.65f, 0.83f},
         {{-0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, -0.05f}}},
        {"chair 3", 24, {2, -2, -1}, {0.765f, -0.65f, 0.83f},
         {{-0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, -0.05f}}},
        {"chair 4", 24, {2, -2, -1}, {0.35f, -0.65f, 0.55f},
         {{0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, 0.05f}}},
        {"chair 5", 24, {2, -2, -1}, {0.085f, -0.65f, 0.55f},
         {{0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, 0.05f}}},
        {"staircase", 56, {0, 0, 0}, {0.75f, -0.9f, -0.125f},
         {{0, 0, 0.5f}, {0, 0.6f, 0}, {-0.5f, 0, 0}}},
        {"bed", 8, {0, 0, 0}, {-1.2f, 0.05f, 0.8f},
         {{0.05f, 0, 0}, {0, 0.05f, 0}, {0, 0, 0.05f}}},
        {"table 2", 20, {2, -2, -1}, {-0.6f, -0.025f, -0.16f},
         {{-0.04f, 0, 0}, {0, 0.01f, 0}, {0, 0, -0.05f}}},
        {"television", 18, {0, 0, 0}, {-0.85f, 0.1f, -0.1f},
         {{-0.03f, 0, 0}, {0, 0.03f, 0}, {0, 0, -0.03f}}},
    };
    freshStart();
    placeFurniture();
    size_t index = 0;
    for (const Placed& p : placed) {
        ASSERT_LT(index, rgl::gl.primitives.size()) << p.what;
        const rgl::Primitive& first = rgl::gl.primitives[index];
        rgl::Vec3 origin = place(first.modelview, -p.firstMove[0], -p.firstMove[1], -p.firstMove[2]);
        EXPECT_TRUE(near3(origin, p.origin[0], p.origin[1], p.origin[2], 1e-4f)) << p.what;
        const rgl::Mat4 model =
            rgl::multiply(first.modelview, rgl::translation(-p.firstMove[0], -p.firstMove[1], -p.firstMove[2]));
        for (int a = 0; a < 3; a++) {
            rgl::Vec3 tip = place(model, a == 0, a == 1, a == 2);
            rgl::Vec3 axis = {tip.x - origin.x, tip.y - origin.y, tip.z - origin.z};
            EXPECT_TRUE(near3(axis, p.axes[a][0], p.axes[a][1], p.axes[a][2], 1e-5f)) << p.what << " axis " << a;
        }
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
