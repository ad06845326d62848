#include "scene/outside_piece.h"

#include <GL/gl.h>

#include "scene/primitives.h"
#include "state/viewer_state.h"

// The faces show texture names 14 and 4 themselves, not the wallpaper choice.
static const int outsideTopTex = 14;
static const int outsideBottomTex = 4;
static const FaceSet outsideFaces = {&outsideTopTex, colorPink, &outsideBottomTex, colorWhite};

// Its outline follows the shell's outer walls. It is star-shaped about
// vertex 1, so the polygon's fan from there fills it exactly.
static const PanelVertex outline[12] = {
    {0, 0, 0.45f, -0.5f, 1.5f}, {1, 0, 2.46f, -0.5f, 1.5f}, {1, 0, 2.46f, 0.3f, 1.5f},  {1, 0, 2.15f, 0.3f, 1.5f},
    {1, 0, 2.15f, 0.81f, 1.5f}, {1, 0, 1.85f, 0.79f, 1.5f}, {1, 0, 1.85f, 1.18f, 1.5f}, {1, 0, 1.99f, 1.45f, 1.5f},
    {1, 0, 1.99f, 1.75f, 1.5f}, {1, 0, 1.85f, 2, 1.5f},     {1, 1, 1.85f, 2.5f, 1.5f},  {0, 1, 0.45f, 2.5f, 1.5f},
};

void drawOutsidePiece()
{
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    glRotatef(90, 0, 0, 1);
    drawTwoSidedPanel(outsideFaces, outline, outline, 12);
    glPopMatrix();
}
