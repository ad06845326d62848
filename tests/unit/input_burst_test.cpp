#include <random>

#include "app/camera.h"
#include "app/keyboard.h"
#include "scene/display.h"
#include "state/viewer_state.h"
#include "test_support.h"

namespace {

// Thousands of random presses, drags, resizes and menu choices: the state
// never leaves its ranges and every frame still balances the matrix stack.
TEST(InputBurstTest, StateStaysInRangeAndFramesStayBalanced)
{
    freshStart();
    reshape(800, 600);
    std::mt19937 random(20261207);
    const unsigned char keys[] = {'1', '2', '3', 'd', 'f', 'l', 'p', 't', 'x', 'z', 'D', 'P', 'a', ' '};
    const int specials[] = {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN, GLUT_KEY_F5};
    for (int i = 0; i < 20000; i++) {
        switch (random() % 6) {
        case 0:
        case 1: keyboard(keys[random() % sizeof keys], 0, 0); break;
        case 2: specialKeys(specials[random() % 5], 0, 0); break;
        case 3: mouse((int)(random() % 3), (int)(random() % 2), (int)(random() % 800), (int)(random() % 600)); break;
        case 4: motion((int)(random() % 800), (int)(random() % 600)); break;
        case 5: i % 50 == 0 ? reshape((int)(random() % 2000), (int)(random() % 1200)) : menuSelect(49 + (int)(random() % 3)); break;
        }
        ASSERT_GE(wallpaperTex, 4);
        ASSERT_LE(wallpaperTex, 8);
        ASSERT_GE(floorTex, 9);
        ASSERT_LE(floorTex, 13);
        ASSERT_GE(doorAngle, 30);
        ASSERT_LE(doorAngle, 90);
        ASSERT_EQ(doorAngle, (float)(int)doorAngle);
        ASSERT_TRUE(viewMode == 1 || viewMode == 2);
        for (int flag : {orthoOn, frontFaceCW, depthTestOn, texturingOn, lightingOn})
            ASSERT_TRUE(flag == 0 || flag == 1);
        ASSERT_TRUE(mouseState == 0 || mouseState == -1);
        ASSERT_GT(winHeight, 0);
        if (i % 1000 == 0) {
            rgl::clearLog();
            display();
            ASSERT_EQ(rgl::modelviewDepth(), 1);
            ASSERT_TRUE(rgl::gl.errors.empty()) << rgl::gl.errors.front();
        }
    }
    // Flags mirror what GL was told.
    EXPECT_EQ(rgl::isEnabled(GL_DEPTH_TEST), depthTestOn == 1);
    EXPECT_EQ(rgl::isEnabled(GL_TEXTURE_2D), texturingOn == 1);
    EXPECT_EQ(rgl::isEnabled(GL_LIGHTING), lightingOn == 1);
}

}  // namespace
