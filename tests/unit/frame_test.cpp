#include <algorithm>

#include "app/camera.h"
#include "scene/display.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshStart();
        reshape(800, 600);
        rgl::clearLog();
    }
};

std::vector<std::string> head(size_t n)
{
    std::vector<std::string> names = rgl::callNames();
    names.resize(std::min(n, names.size()));
    return names;
}

std::vector<std::string> tail(size_t n)
{
    std::vector<std::string> names = rgl::callNames();
    return std::vector<std::string>(names.end() - (long)std::min(n, names.size()), names.end());
}

TEST_F(FrameTest, PerspectiveFrameStepsInOrder)
{
    display();
    ASSERT_EQ(head(10), (std::vector<std::string>{"glutPostRedisplay", "glClear", "glLoadIdentity", "gluLookAt",
                                                  "glRotatef", "glRotatef", "glScalef", "glEnable", "glPushMatrix",
                                                  "glPushMatrix"}));
    EXPECT_EQ(tail(4), (std::vector<std::string>{"glPopMatrix", "glPopMatrix", "glFlush", "glutSwapBuffers"}));
    EXPECT_EQ(rgl::gl.calls[1].args[0], (double)(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    EXPECT_EQ(rgl::gl.calls[4].args, (std::vector<double>{0, 1, 0, 0}));
    EXPECT_EQ(rgl::gl.calls[5].args, (std::vector<double>{0, 0, 1, 0}));
    EXPECT_EQ(rgl::gl.calls[6].args, (std::vector<double>{1, 1, 1}));
    EXPECT_TRUE(rgl::gl.errors.empty()) << rgl::gl.errors.front();
}

TEST_F(FrameTest, FirstFrameSeesTheEyeAtZFive)
{
    display();
    ASSERT_EQ(head(4).back(), "gluLookAt");
    EXPECT_EQ(rgl::gl.calls[3].args, (std::vector<double>{0, 0, 5, 0, 0, 4, 0, 1, 0}));
}

TEST_F(FrameTest, OrthographicFrameHasNoCamera)
{
    orthoOn = 1;
    reshape(800, 600);
    specialKeys(GLUT_KEY_UP, 0, 0);  // walking shows nothing in this mode
    rgl::clearLog();
    display();
    EXPECT_EQ(head(6), (std::vector<std::string>{"glutPostRedisplay", "glClear", "glLoadIdentity", "glRotatef",
                                                 "glRotatef", "glScalef"}));
    EXPECT_EQ(rgl::count("gluLookAt"), 0);
}

TEST_F(FrameTest, DragAndZoomBuildTheSceneFrame)
{
    // The scene frame composed by hand: camera, drag rotations, zoom.
    gluLookAt(0, 0, 5, 0, 0, 4, 0, 1, 0);
    glRotatef(20, 1, 0, 0);
    glRotatef(-35, 0, 1, 0);
    glScalef(1.5f, 1.5f, 1.5f);
    const rgl::Mat4 sceneFrame = rgl::currentModelview();
    glLoadIdentity();
    rgl::clearLog();

    rotX = 20;
    rotY = -35;
    sceneScale = 1.5f;
    display();
    // The shell's first panel, bay 1's sill, is drawn in the scene frame itself.
    const rgl::Mat4& sill = rgl::gl.primitives.front().modelview;
    for (int i = 0; i < 16; i++)
        EXPECT_NEAR(sill.m[i], sceneFrame.m[i], 1e-5) << i;
}

TEST_F(FrameTest, StackDepthIsTheSameAfterAnyNumberOfFrames)
{
    for (int frame = 0; frame < 50; frame++) {
        viewMode = (signed char)(frame % 2 + 1);
        orthoOn = frame % 3 == 0;
        display();
        ASSERT_EQ(rgl::modelviewDepth(), 1) << frame;
        ASSERT_EQ(rgl::gl.stacks.projection.size(), 1u);
    }
    EXPECT_TRUE(rgl::gl.errors.empty());
    EXPECT_EQ(rgl::gl.swaps, 50);
}

TEST_F(FrameTest, InsideViewStillPushesAndMovesForTheOutsidePiece)
{
    display();
    const auto& calls = rgl::gl.calls;
    auto it = std::find_if(calls.begin(), calls.end(), [](const rgl::Call& c) {
        return c.name == "glTranslatef" && c.args == std::vector<double>{1.75f, 2.31f, -0.5f};
    });
    ASSERT_NE(it, calls.end());
    EXPECT_EQ((it - 1)->name, "glPushMatrix");
    EXPECT_EQ((it + 1)->name, "glPopMatrix");
    EXPECT_EQ((it + 2)->name, "glTranslatef");  // into the furniture frame
    EXPECT_EQ((it + 2)->args, (std::vector<double>{0.5f, 0, 0.1f}));
}

TEST_F(FrameTest, OutsideViewDrawsOneTwelveCorneredPanelMore)
{
    display();
    size_t inside = rgl::gl.primitives.size();
    rgl::clearLog();
    viewMode = 2;
    display();
    EXPECT_EQ(rgl::gl.primitives.size(), inside + 2);
    size_t twelve = std::count_if(rgl::gl.primitives.begin(), rgl::gl.primitives.end(),
                                  [](const rgl::Primitive& p) { return p.vertices.size() == 12; });
    EXPECT_EQ(twelve, 2u);
}

TEST_F(FrameTest, StaircaseHasFourteenRedStepsOnOneBase)
{
    glLoadIdentity();
    rgl::clearLog();
    drawStaircase();
    ASSERT_EQ(rgl::gl.primitives.size(), 14u * 4);
    float highest = -1;
    for (int step = 0; step < 14; step++) {
        const rgl::Primitive& top = rgl::gl.primitives[(size_t)step * 4];
        const rgl::Primitive& bottom = rgl::gl.primitives[(size_t)step * 4 + 1];
        EXPECT_NEAR(bottom.vertices[0].eye.y, -0.1f, 1e-5) << step;  // one common base
        EXPECT_NEAR(top.vertices[0].eye.y, 0.1f * (float)step, 1e-5) << step;
        EXPECT_NEAR(top.vertices[0].eye.z, 0.1f * (float)step, 1e-5) << step;
        EXPECT_EQ(top.vertices[0].color[0], 1);
        EXPECT_EQ(top.vertices[0].color[1], 0);
        highest = top.vertices[0].eye.y;
    }
    EXPECT_NEAR(highest - (-0.1f), 1.4f, 1e-5);
    EXPECT_EQ(rgl::count("glColor3f"), 14);
}

}  // namespace
