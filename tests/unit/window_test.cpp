#include "app/camera.h"
#include "app/keyboard.h"
#include "app/window.h"
#include "scene/display.h"
#include "test_support.h"

namespace {

TEST(WindowTest, StartUpCallsInOrder)
{
    freshStart();
    int argc = 1;
    char name[] = "tarnvale";
    char* argv[] = {name, nullptr};
    openWindow(&argc, argv);
    EXPECT_EQ(rgl::callNames(),
              (std::vector<std::string>{"glutInit", "glutInitDisplayMode", "glutInitWindowSize", "glutCreateWindow",
                                        "glutDisplayFunc", "glutReshapeFunc", "glutKeyboardFunc", "glutSpecialFunc",
                                        "glutMouseFunc", "glutMotionFunc", "glutCreateMenu", "glutAddMenuEntry",
                                        "glutAddMenuEntry", "glutAttachMenu"}));
    EXPECT_EQ(rgl::gl.displayMode, 18u);  // RGB, double-buffered, depth
    EXPECT_EQ(rgl::gl.windowWidth, 800);
    EXPECT_EQ(rgl::gl.windowHeight, 600);
    EXPECT_EQ(rgl::gl.windowTitle, "Tarnvale");
    EXPECT_EQ(rgl::gl.displayFunc, &display);
    EXPECT_EQ(rgl::gl.reshapeFunc, &reshape);
    EXPECT_EQ(rgl::gl.keyboardFunc, &keyboard);
    EXPECT_EQ(rgl::gl.specialFunc, &specialKeys);
    EXPECT_EQ(rgl::gl.mouseFunc, &mouse);
    EXPECT_EQ(rgl::gl.motionFunc, &motion);
    EXPECT_EQ(rgl::gl.menuFunc, &menuSelect);
    ASSERT_EQ(rgl::gl.menuEntries.size(), 2u);
    EXPECT_EQ(rgl::gl.menuEntries[0], (std::pair<std::string, int>{"Inside (jip an)", 49}));
    EXPECT_EQ(rgl::gl.menuEntries[1], (std::pair<std::string, int>{"Outside (jip bak)", 50}));
    EXPECT_EQ(rgl::gl.attachedButton, GLUT_RIGHT_BUTTON);
}

TEST(WindowTest, MenuLabelsArePlainLatin1)
{
    // freeglut's bitmap fonts draw only Latin-1: anything else is garbage.
    for (const char* label : {insideMenuLabel, outsideMenuLabel})
        for (const char* c = label; *c; c++)
            EXPECT_LT((unsigned char)*c, 0x80) << label;
}

}  // namespace
