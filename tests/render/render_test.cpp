// Render tests: the program's real window and initialisation on Mesa under
// Xvfb, checked by reading back what a person would see.
#include <gtest/gtest.h>

#include <cmath>

#include "app/camera.h"
#include "app/keyboard.h"
#include "render/render_fixture.h"
#include "scene/primitives.h"
#include "state/viewer_state.h"

namespace {

const Rgb8 black = {0, 0, 0};

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!openRealWindow())
            GTEST_FAIL() << "no display: run under xvfb-run";
        resetView();
    }
    // Texturing and lighting off: every face shows its own flat colour.
    void flatColours()
    {
        keyboard('t', 0, 0);
        keyboard('l', 0, 0);
    }
    // The orthographic view, turned so that it looks straight down (or up).
    void lookFromAbove(float angle = 90)
    {
        keyboard('p', 0, 0);
        rotX = angle;
    }
    void standAt(float x, float z, float heading)
    {
        viewAngle = heading;
        eyeX = x;
        eyeZ = z;
        updateLookAt(0);
    }
};

TEST_F(RenderTest, BackgroundIsBlackAndTheHouseFillsPartOfTheWindow)
{
    Frame f = drawFrame();
    ASSERT_EQ(f.width, 800);
    ASSERT_EQ(f.height, 600);
    EXPECT_EQ(f.at(0, 0).r + f.at(0, 0).g + f.at(0, 0).b, 0);
    EXPECT_EQ(f.at(799, 599).r + f.at(799, 599).g, 0);
    int drawn = f.countNot(black, 0);
    EXPECT_GT(drawn, 800 * 600 / 10);
    EXPECT_LT(drawn, 800 * 600 * 9 / 10);
}

TEST_F(RenderTest, WallsAreOrangeFromOutsideAndYellowFromInside)
{
    flatColours();
    const Rgb8 orange = toRgb8(colorOrange), yellow = toRgb8(colorYellow), cyan = toRgb8(colorCyan);
    Frame outside = drawFrame();  // from the start, in front of the window side
    EXPECT_GT(outside.count(orange), 20000);
    EXPECT_GT(outside.count(orange), 4 * outside.count(yellow));
    EXPECT_GT(outside.count(cyan), 500);  // the panes

    standAt(0.46f, 0.43f, 0);  // in the middle of the upper storey
    Frame inside = drawFrame();
    EXPECT_GT(inside.count(yellow), 50000);
    EXPECT_GT(inside.count(yellow), 4 * inside.count(orange));

    standAt(0.46f, 0.43f, 3.14159f);  // turned round, towards the window side
    EXPECT_GT(drawFrame().count(cyan), 2000);
}

TEST_F(RenderTest, FromAboveTheFloorsAreGreenAndTheOutsidePieceOnlyInOutsideView)
{
    flatColours();
    lookFromAbove();
    const Rgb8 green = toRgb8(colorGreen), leaf = toRgb8(colorLeaf), pink = toRgb8(colorPink);
    Frame inside = drawFrame();
    EXPECT_GT(inside.count(green), 2000);
    EXPECT_GT(inside.count(leaf), 2000);
    EXPECT_EQ(inside.count(pink), 0);

    keyboard('2', 0, 0);  // nothing of the flat colours depends on the texture
    menuSelect(50);
    Frame outside = drawFrame();
    EXPECT_GT(outside.count(pink), 20000);
    EXPECT_LT(outside.count(green), inside.count(green));

    rotX = -90;  // from below the floor's grey underside hides the piece ...
    Frame below = drawFrame();
    EXPECT_GT(below.count(toRgb8(colorGrey)), 20000);
    EXPECT_EQ(below.count(pink), 0);
    keyboard('d', 0, 0);  // ... but without the depth test the piece, drawn later, shows its white face
    below = drawFrame();
    EXPECT_GT(below.count(toRgb8(colorWhite), 0), 20000);
    EXPECT_EQ(below.count(pink), 0);
}

TEST_F(RenderTest, StaircaseIsRedAndTheFurnitureShowsItsOwnColours)
{
    flatColours();
    lookFromAbove();
    Frame f = drawFrame();
    // The house is small in this view: a few hundred pixels make a piece.
    EXPECT_GT(f.count({255, 0, 0}), 400);    // staircase
    EXPECT_GT(f.count({214, 189, 15}), 10);  // desk top
    EXPECT_GT(f.count({87, 214, 219}), 10);  // shelf tower
    EXPECT_GT(f.count({64, 92, 176}), 800);  // tables
    EXPECT_GT(f.count({94, 89, 51}), 400);   // bed
    EXPECT_GT(f.count({60, 192, 54}), 50);   // television
    EXPECT_GT(f.count({163, 84, 66}), 400);  // chairs
}

TEST_F(RenderTest, LightingNeverMakesAFlatColourDarker)
{
    keyboard('t', 0, 0);
    Frame lit = drawFrame();
    keyboard('l', 0, 0);
    Frame flat = drawFrame();
    int darker = 0, drawn = 0;
    for (size_t i = 0; i < lit.rgb.size(); i += 3) {
        bool isDrawn = flat.rgb[i] + flat.rgb[i + 1] + flat.rgb[i + 2] > 0;
        drawn += isDrawn;
        for (int c = 0; c < 3; c++)
            darker += isDrawn && lit.rgb[i + (size_t)c] + 2 < flat.rgb[i + (size_t)c];
    }
    EXPECT_GT(drawn, 10000);
    EXPECT_EQ(darker, 0);
}

TEST_F(RenderTest, FloorKeyBringsTheChequerTextureOnScreen)
{
    lookFromAbove();
    // bottom2.bmp is black and white tiles: these exact texels only come from it.
    const Rgb8 blackTile = {30, 30, 34}, whiteTile = {235, 235, 228};
    Frame planks = drawFrame();
    EXPECT_EQ(planks.count(blackTile, 0) + planks.count(whiteTile, 0), 0);
    keyboard('2', 0, 0);
    Frame tiles = drawFrame();
    EXPECT_GT(tiles.count(blackTile, 0), 2000);
    EXPECT_GT(tiles.count(whiteTile, 0), 2000);
}

TEST_F(RenderTest, WallpaperKeyChangesTheInsideWallsAndFivePressesComeBack)
{
    standAt(0.46f, 0.43f, 0);
    Frame first = drawFrame();
    keyboard('1', 0, 0);
    Frame second = drawFrame();
    int changed = 0;
    for (size_t i = 0; i < first.rgb.size(); i++)
        changed += first.rgb[i] != second.rgb[i];
    EXPECT_GT(changed, 50000);
    for (int i = 0; i < 4; i++)
        keyboard('1', 0, 0);
    EXPECT_EQ(drawFrame().rgb, first.rgb);
}

TEST_F(RenderTest, ProjectionSwitchChangesThePictureAndSwitchesBack)
{
    Frame perspective = drawFrame();
    keyboard('p', 0, 0);
    Frame ortho = drawFrame();
    EXPECT_NE(ortho.rgb, perspective.rgb);
    specialKeys(GLUT_KEY_UP, 0, 0);  // walking shows nothing in this mode
    EXPECT_EQ(drawFrame().rgb, ortho.rgb);
    keyboard('p', 0, 0);  // back at z = 5, x kept
    EXPECT_EQ(drawFrame().rgb, perspective.rgb);
}

// Draws by hand with a camera of its own, flat colours, culling on.
class CullingTest : public RenderTest {
protected:
    void SetUp() override
    {
        RenderTest::SetUp();
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_LIGHTING);
    }
    void TearDown() override
    {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_LIGHTING);
        glFrontFace(GL_CCW);
        resetView();
    }
    void look(float x, float y, float z, float cx, float cy, float cz)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(40, 800.0 / 600.0, 0.1, 100);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(x, y, z, cx, cy, cz, 0, 1, 0);
    }
};

TEST_F(CullingTest, BoxShowsFromOneOctantOrTheOtherByWinding)
{
    struct Case {
        GLenum winding;
        float side;  // +1: the octant of +x, +y, -z; -1: the opposite one
        bool seen;
    } cases[] = {{GL_CCW, 1, true}, {GL_CCW, -1, false}, {GL_CW, 1, false}, {GL_CW, -1, true}};
    for (const Case& c : cases) {
        look(0.5f + 3 * c.side, -0.5f + 3 * c.side, -0.5f - 3 * c.side, 0.5f, -0.5f, -0.5f);
        glFrontFace(c.winding);
        glColor3f(1, 1, 1);
        drawBox(1, 1, 1);
        int white = readBack().count({255, 255, 255}, 0);
        if (c.seen)
            EXPECT_GT(white, 5000) << c.winding << " " << c.side;
        else
            EXPECT_EQ(white, 0) << c.winding << " " << c.side;
    }
}

TEST_F(CullingTest, NearFacesOfTheBoxHideTheFarOnes)
{
    look(3.5f, 2.5f, -3.5f, 0.5f, -0.5f, -0.5f);
    glFrontFace(GL_CCW);
    glColor3f(1, 0, 0);
    drawBox(1, 1, 1);  // every face passes; depth keeps the near three
    Frame f = readBack();
    // The top (y = 0) is seen from above: the view centre is on a near face.
    EXPECT_EQ(f.at(400, 300).r, 255);
    EXPECT_GT(f.count({255, 0, 0}, 0), 5000);
}

TEST_F(CullingTest, RectShowsOnlyFromMinusZUnderCounterClockwise)
{
    struct Case {
        GLenum winding;
        float z;
        bool seen;
    } cases[] = {{GL_CCW, -4, true}, {GL_CCW, 4, false}, {GL_CW, -4, false}, {GL_CW, 4, true}};
    for (const Case& c : cases) {
        look(1, -0.5f, c.z, 1, -0.5f, 0);
        glFrontFace(c.winding);
        glColor3f(0, 0, 1);
        drawRect(2, 1);
        int blue = readBack().count({0, 0, 255}, 0);
        if (c.seen)
            EXPECT_GT(blue, 5000);
        else
            EXPECT_EQ(blue, 0);
    }
}

TEST_F(CullingTest, PanelShowsItsFrontColourFromMinusZAndItsBackFromPlusZ)
{
    for (GLenum before : {GL_CW, GL_CCW}) {
        for (float z : {-2.0f, 5.0f}) {
            look(0.5f, 0.5f, z, 0.5f, 0.5f, 1.5f);
            glFrontFace(before);
            drawRectPanel(wallFaces, 0, 1, 0, 1, 1);
            Frame f = readBack();
            Rgb8 expected = toRgb8(z < 1.5f ? colorYellow : colorOrange);
            Rgb8 other = toRgb8(z < 1.5f ? colorOrange : colorYellow);
            EXPECT_GT(f.count(expected), 5000) << before << " " << z;
            EXPECT_EQ(f.count(other), 0) << before << " " << z;
        }
    }
}

}  // namespace
