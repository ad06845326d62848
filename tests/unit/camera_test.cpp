#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/camera.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

class CameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshStart();
        reshape(800, 600);  // GLUT's first reshape
        rgl::clearLog();
        rgl::gl.redisplayRequests = 0;
    }
};

TEST_F(CameraTest, FirstReshapePutsTheEyeAtZFiveLookingDownMinusZ)
{
    EXPECT_FLOAT_EQ(eyeX, 0);
    EXPECT_FLOAT_EQ(eyeZ, 5);
    EXPECT_FLOAT_EQ(centerX, 0);
    EXPECT_FLOAT_EQ(centerZ, 4);
    EXPECT_EQ(winWidth, 800);
    EXPECT_EQ(winHeight, 600);
    EXPECT_EQ(rgl::gl.matrixMode, (GLenum)GL_MODELVIEW);
}

TEST_F(CameraTest, ReshapeCallsInOrder)
{
    reshape(640, 480);
    ASSERT_EQ(rgl::callNames(), (std::vector<std::string>{"glClear", "glViewport", "glMatrixMode", "glLoadIdentity",
                                                          "gluPerspective", "glMatrixMode"}));
    const rgl::Call& persp = rgl::gl.calls[4];
    EXPECT_DOUBLE_EQ(persp.args[0], 60);
    EXPECT_DOUBLE_EQ(persp.args[1], 640.0 / 480.0);  // not integer division
    EXPECT_DOUBLE_EQ(persp.args[2], 0.01);
    EXPECT_DOUBLE_EQ(persp.args[3], 100);
    EXPECT_EQ(rgl::gl.viewport[2], 640);
    EXPECT_EQ(rgl::gl.viewport[3], 480);
}

TEST_F(CameraTest, OrthographicReshapeUsesTheFixedCubeAndZeroesEyeZ)
{
    centerX = 0.3f;
    orthoOn = 1;
    reshape(1000, 300);
    ASSERT_GT(rgl::gl.calls.size(), 4u);
    const rgl::Call& ortho = rgl::gl.calls[4];
    ASSERT_EQ(ortho.name, "glOrtho");
    EXPECT_EQ(ortho.args, (std::vector<double>{-5, 5, -5, 5, -5, 5}));
    EXPECT_FLOAT_EQ(eyeZ, 0);
    EXPECT_FLOAT_EQ(centerX, 0.3f);  // the centre is not recomputed
    EXPECT_EQ(rgl::gl.matrixMode, (GLenum)GL_MODELVIEW);
}

TEST_F(CameraTest, ArrowKeysWalkAndTurn)
{
    struct Case {
        const char* what;
        int turnsRight;
        int key;
        float eyeX, eyeZ, centerX, centerZ;
    };
    const float s = std::sin(1.5f), c = std::cos(1.5f);
    const Case cases[] = {
        {"up from the start", 0, GLUT_KEY_UP, 0, 4.875f, 0, 3.875f},
        {"down from the start", 0, GLUT_KEY_DOWN, 0, 5.125f, 0, 4.125f},
        {"right from the start", 0, GLUT_KEY_RIGHT, 0, 5, std::sin(0.125f), 5 - std::cos(0.125f)},
        {"left from the start", 0, GLUT_KEY_LEFT, 0, 5, -std::sin(0.125f), 5 - std::cos(0.125f)},
        {"twelve rights then up", 12, GLUT_KEY_UP, 0.125f * s, 5 - 0.125f * c, 0.125f * s + s, 5 - 0.125f * c - c},
        {"twelve rights then down", 12, GLUT_KEY_DOWN, -0.125f * s, 5 + 0.125f * c, -0.125f * s + s, 5 + 0.125f * c - c},
        {"twelve lefts then down", -12, GLUT_KEY_DOWN, 0.125f * s, 5 + 0.125f * c, 0.125f * s - s, 5 + 0.125f * c - c},
    };
    for (const Case& k : cases) {
        SetUp();
        for (int i = 0; i < std::abs(k.turnsRight); i++)
            specialKeys(k.turnsRight > 0 ? GLUT_KEY_RIGHT : GLUT_KEY_LEFT, 0, 0);
        specialKeys(k.key, 0, 0);
        EXPECT_NEAR(eyeX, k.eyeX, 1e-5) << k.what;
        EXPECT_NEAR(eyeZ, k.eyeZ, 1e-5) << k.what;
        EXPECT_NEAR(centerX, k.centerX, 1e-5) << k.what;
        EXPECT_NEAR(centerZ, k.centerZ, 1e-5) << k.what;
        EXPECT_GE(rgl::gl.redisplayRequests, 1) << k.what;
    }
    EXPECT_NEAR(centerX, 0.125f * s - s, 1e-5);
    EXPECT_GT(eyeX, 0.12f);  // facing almost straight towards -x, one step back goes +x
}

TEST_F(CameraTest, OtherSpecialKeysAreIgnoredEntirely)
{
    for (int key : {GLUT_KEY_F1, GLUT_KEY_HOME, GLUT_KEY_PAGE_UP, GLUT_KEY_END, 99, 104}) {
        specialKeys(key, 0, 0);
    }
    EXPECT_FLOAT_EQ(viewAngle, 0);
    EXPECT_FLOAT_EQ(eyeZ, 5);
    EXPECT_EQ(rgl::gl.redisplayRequests, 0);
    EXPECT_TRUE(rgl::gl.calls.empty());
}

TEST_F(CameraTest, ResizeAfterWalkingResetsEyeZButKeepsXAndHeading)
{
    specialKeys(GLUT_KEY_RIGHT, 0, 0);
    specialKeys(GLUT_KEY_UP, 0, 0);
    specialKeys(GLUT_KEY_UP, 0, 0);
    float x = eyeX;
    reshape(1024, 768);
    EXPECT_FLOAT_EQ(eyeZ, 5);
    EXPECT_FLOAT_EQ(eyeX, x);
    EXPECT_FLOAT_EQ(viewAngle, 0.125f);
    EXPECT_FLOAT_EQ(centerX, x + std::sin(0.125f));
    EXPECT_FLOAT_EQ(centerZ, 5 - std::cos(0.125f));
}

TEST_F(CameraTest, ZeroHeightReshapeChangesNothing)
{
    specialKeys(GLUT_KEY_UP, 0, 0);
    rgl::clearLog();
    rgl::Mat4 projection = rgl::gl.stacks.projection.back();
    reshape(300, 0);
    EXPECT_TRUE(rgl::gl.calls.empty());
    EXPECT_FLOAT_EQ(eyeZ, 4.875f);
    EXPECT_EQ(winWidth, 800);
    EXPECT_EQ(winHeight, 600);
    EXPECT_EQ(0, std::memcmp(&projection, &rgl::gl.stacks.projection.back(), sizeof projection));
}

TEST_F(CameraTest, LeftDragTurnsTheSceneFivePixelsADegree)
{
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 100, 100);
    EXPECT_EQ(mouseState, 0);
    motion(110, 95);
    EXPECT_FLOAT_EQ(rotY, 2);
    EXPECT_FLOAT_EQ(rotX, -1);
    EXPECT_EQ(lastMouseX, 110);
    EXPECT_EQ(lastMouseY, 95);
    motion(113, 95);  // a fraction of a degree is kept
    EXPECT_FLOAT_EQ(rotY, 2.6f);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 113, 95);
    EXPECT_EQ(mouseState, -1);
    int requests = rgl::gl.redisplayRequests;
    motion(200, 200);  // released: no turn
    EXPECT_FLOAT_EQ(rotY, 2.6f);
    EXPECT_EQ(rgl::gl.redisplayRequests, requests);
}

TEST_F(CameraTest, DragBeforeAnyPressTurnsBecauseTheStartStateIsHeld)
{
    motion(5, 0);  // lastMouse starts at (0, 0)
    EXPECT_FLOAT_EQ(rotY, 1);
}

TEST_F(CameraTest, NonLeftButtonsChangeNothingAndRequestNoRedisplay)
{
    for (int button : {GLUT_MIDDLE_BUTTON, GLUT_RIGHT_BUTTON, 3, 4}) {
        mouse(button, GLUT_DOWN, 50, 60);
        mouse(button, GLUT_UP, 50, 60);
    }
    EXPECT_EQ(lastMouseX, 0);
    EXPECT_EQ(mouseState, 0);
    EXPECT_EQ(rgl::gl.redisplayRequests, 0);
}

}  // namespace
