// The page's key names and canvas sizes as GLUT gives them to the program:
// every key of the key table makes the one callback value it must, and only
// a new size is a resize.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include "web/glut/glut_input.h"

namespace {

TEST(GlutInputTest, EveryKeyOfTheKeyTableMakesItsOneCall)
{
    const struct {
        const char* key;
        int special;
        unsigned char ascii;
    } rows[] = {
        {"ArrowUp", GLUT_KEY_UP, 0}, {"ArrowDown", GLUT_KEY_DOWN, 0}, {"ArrowLeft", GLUT_KEY_LEFT, 0},
        {"ArrowRight", GLUT_KEY_RIGHT, 0}, {"z", 0, 'z'}, {"x", 0, 'x'}, {"p", 0, 'p'}, {"1", 0, '1'},
        {"2", 0, '2'}, {"3", 0, '3'}, {"d", 0, 'd'}, {"l", 0, 'l'}, {"t", 0, 't'}, {"f", 0, 'f'}, {"q", 0, 'q'},
        {"Q", 0, 'Q'}, {"Escape", 0, 27}, {"F1", GLUT_KEY_F1, 0}, {"Shift", 0, 0}, {"\xc3\xa9", 0, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(specialKey(r.key), r.special) << r.key;
        EXPECT_EQ(asciiKey(r.key), r.ascii) << r.key;
    }
}

TEST(GlutInputTest, OnlyANewSizeIsAResize)
{
    const struct {
        int width, height;
        bool resized;
    } rows[] = {{800, 600, false}, {1688, 780, true}, {800, 520, true}, {640, 600, true}, {0, 600, false},
                {800, 0, false}};
    for (const auto& r : rows)
        EXPECT_EQ(windowResized(r.width, r.height, 800, 600), r.resized) << r.width << " x " << r.height;
}

}  // namespace
