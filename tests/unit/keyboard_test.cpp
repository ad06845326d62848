#include "app/camera.h"
#include "app/keyboard.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshStart();
        reshape(800, 600);
        rgl::clearLog();
    }
    void press(unsigned char key, int times = 1)
    {
        for (int i = 0; i < times; i++)
            keyboard(key, 10, 20);
    }
};

TEST_F(KeyboardTest, WallpaperAndFloorWrapAfterFivePresses)
{
    const int wallpapers[] = {5, 6, 7, 8, 4, 5};
    const int floors[] = {10, 11, 12, 13, 9, 10};
    for (int i = 0; i < 6; i++) {
        press('1');
        press('2');
        EXPECT_EQ(wallpaperTex, wallpapers[i]);
        EXPECT_EQ(floorTex, floors[i]);
    }
    EXPECT_EQ(rgl::gl.redisplayRequests, 12);
}

TEST_F(KeyboardTest, DoorSwingsOneDegreeAPressBetweenThirtyAndNinety)
{
    press('3');
    EXPECT_FLOAT_EQ(doorAngle, 31);
    press('3', 59);
    EXPECT_FLOAT_EQ(doorAngle, 90);
    EXPECT_EQ(doorReturning, 1);
    press('3');
    EXPECT_FLOAT_EQ(doorAngle, 89);
    press('3', 59);
    EXPECT_FLOAT_EQ(doorAngle, 30);
    EXPECT_EQ(doorReturning, 0);
    for (int i = 0; i < 1000; i++) {
        press('3');
        ASSERT_GE(doorAngle, 30);
        ASSERT_LE(doorAngle, 90);
        ASSERT_EQ(doorAngle, (float)(int)doorAngle);
    }
}

TEST_F(KeyboardTest, SwitchesFlipTheirFlagAndMirrorTheEnable)
{
    struct Case {
        unsigned char key;
        int* flag;
        GLenum capability;
    };
    const Case cases[] = {{'d', &depthTestOn, GL_DEPTH_TEST}, {'l', &lightingOn, GL_LIGHTING},
                          {'t', &texturingOn, GL_TEXTURE_2D}};
    for (const Case& c : cases) {
        press(c.key);
        EXPECT_EQ(*c.flag, 0) << c.key;
        EXPECT_FALSE(rgl::isEnabled(c.capability)) << c.key;
        EXPECT_EQ(rgl::gl.calls[rgl::gl.calls.size() - 2].name, "glDisable");
        press(c.key);
        EXPECT_EQ(*c.flag, 1) << c.key;
        EXPECT_TRUE(rgl::isEnabled(c.capability)) << c.key;
    }
    press('f');
    EXPECT_EQ(frontFaceCW, 1);
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CW);
    press('f');
    EXPECT_EQ(frontFaceCW, 0);
    EXPECT_EQ(rgl::gl.frontFace, (GLenum)GL_CCW);
}

TEST_F(KeyboardTest, ZoomMultipliesAndDividesInSinglePrecision)
{
    press('z');
    EXPECT_EQ(sceneScale, 1.125f);
    press('z');
    EXPECT_EQ(sceneScale, 1.125f * 1.125f);
    press('x', 3);
    EXPECT_EQ(sceneScale, 1.125f * 1.125f / 1.125f / 1.125f / 1.125f);
}

TEST_F(KeyboardTest, ProjectionSwitchTwiceRestoresPerspectiveAtZFive)
{
    specialKeys(GLUT_KEY_RIGHT, 0, 0);
    specialKeys(GLUT_KEY_UP, 0, 0);
    float x = eyeX;
    press('p');
    EXPECT_EQ(orthoOn, 1);
    EXPECT_FLOAT_EQ(eyeZ, 0);
    EXPECT_EQ(rgl::count("glOrtho"), 1);
    press('p');
    EXPECT_EQ(orthoOn, 0);
    EXPECT_FLOAT_EQ(eyeZ, 5);
    EXPECT_FLOAT_EQ(eyeX, x);
    EXPECT_EQ(rgl::count("gluPerspective"), 1);
    EXPECT_EQ(rgl::gl.viewport[2], 800);
}

TEST_F(KeyboardTest, UnlistedKeysAndUpperCaseOnlyRedraw)
{
    const char* keys = "DFLPTXZ1234567890abceghijkmnorsuvwy !";
    for (const char* k = keys; *k; k++) {
        if (*k == '1' || *k == '2' || *k == '3')
            continue;
        press((unsigned char)*k);
    }
    press(200);
    EXPECT_EQ(rgl::gl.redisplayRequests, rgl::count("glutPostRedisplay"));
    EXPECT_EQ(rgl::callNames(), std::vector<std::string>(rgl::gl.calls.size(), "glutPostRedisplay"));
    EXPECT_EQ(wallpaperTex, 4);
    EXPECT_EQ(orthoOn, 0);
    EXPECT_FLOAT_EQ(sceneScale, 1);
    EXPECT_EQ(depthTestOn, 1);
}

TEST_F(KeyboardTest, QuitKeysExitWithStatusZero)
{
    for (unsigned char key : {(unsigned char)27, (unsigned char)'q', (unsigned char)'Q'})
        EXPECT_EXIT(keyboard(key, 0, 0), ::testing::ExitedWithCode(0), "") << (int)key;
}

TEST_F(KeyboardTest, MenuSwitchesTheViewAndAlwaysRedraws)
{
    menuSelect(50);
    EXPECT_EQ(viewMode, 2);
    menuSelect(7);
    EXPECT_EQ(viewMode, 2);
    menuSelect(49);
    EXPECT_EQ(viewMode, 1);
    menuSelect(49);
    EXPECT_EQ(viewMode, 1);
    EXPECT_EQ(rgl::gl.redisplayRequests, 4);
}

}  // namespace
