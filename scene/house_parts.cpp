#include "scene/house_parts.h"

#include <GL/gl.h>

namespace {

enum BayMove {
    bayNoMove,    // drawn where the bay stands
    bayLift,      // translated without a level of its own: stays in force
    bayOwnLevel,  // translated inside its own push and pop
};
enum BayFace { bayFrame, bayPane, bayHead };

struct BayPanel {
    BayMove move;
    float tx, ty, tz;
    float x0, x1, y0, y1;
    float frontS, backS;
    BayFace face;
};

const BayPanel bayPanels[9] = {
    {bayNoMove, 0, 0, 0, 0, 0.3f, -1, -0.5f, 1, 1, bayFrame},                            // sill wall
    {bayNoMove, 0, 0, 0, 0, 0.05f, -0.5f, -0.4f, 0.2f, 0.2f, bayFrame},                  // left jamb, lower
    {bayNoMove, 0, 0, 0, 0.05f, 0.25f, -0.5f, -0.4f, 1, 1, bayPane},                     // lower pane
    {bayLift, 0, 0.11f, 0, 0.05f, 0.25f, -0.5f, -0.4f, 1, 1, bayPane},                   // upper pane
    {bayOwnLevel, 0, 0, 0, 0, 0.05f, -0.5f, -0.4f, 0.2f, 0.2f, bayFrame},                // left jamb, upper
    {bayOwnLevel, 0.25f, 0, 0, 0, 0.05f, -0.5f, -0.4f, 0.2f, 0.2f, bayFrame},            // right jamb, upper
    {bayOwnLevel, 0.25f, -0.11f, 0, 0, 0.05f, -0.5f, -0.4f, 0.2f, 0.2f, bayFrame},       // right jamb, lower
    {bayOwnLevel, 0, -0.11f, 0, 0, 0.3f, -0.4f, -0.39f, 0.2f, 0.1f, bayFrame},           // bar between panes
    {bayOwnLevel, 0, -1.1f, 0, 0, 0.3f, 0.71f, 0.9f, 0.7f, 0.7f, bayHead},               // head wall
};

}  // namespace

const RoomWall roomWalls[roomWallCount] = {
    {30, 0.06f, -0.5f, -0.2f, 0.4f, 0.41f, 1.5f},      // window side, between the bays and the entrance
    {30, -1.25f, -0.5f, -0.2f, 0.5f, 0.41f, 1.5f},     // window side, from end wall M-N to the bays
    {-60, -0.1f, -0.5f, -0.25f, 1.4f, 0.41f, 1.5f},    // end wall M-N, the 1.4 next to N
    {-150, -1.74f, -0.5f, -1.41f, 3, 0.41f, 1.5f},     // back wall, K to N
    {-240, -1.9f, -0.5f, 0.24f, 2, 0.41f, 1.5f},       // end wall, L to K
    {30, 0.95f, -0.5f, 0.401f, 0.8f, 0.41f, 1.5f},     // window side, from the cross wall to L
    {-60, 1.401f, -0.5f, -2.45f, 0.5f, 0.41f, 1.5f},   // cross wall beside the entrance
    {-60, 1.3f, -0.5f, -1.95f, 0.3f, 0.41f, 1.5f},     // return wall to the entrance wall
};

void drawWindowBay(const BayFaces& faces)
{
    for (const BayPanel& p : bayPanels) {
        if (p.move == bayLift)
            glTranslatef(p.tx, p.ty, p.tz);
        if (p.move == bayOwnLevel) {
            glPushMatrix();
            if (p.tx != 0 || p.ty != 0 || p.tz != 0)
                glTranslatef(p.tx, p.ty, p.tz);
        }
        const FaceSet* set = p.face == bayFrame ? faces.frame : p.face == bayPane ? faces.pane : faces.head;
        drawRectPanel2(*set, p.x0, p.x1, p.y0, p.y1, p.frontS, p.backS);
        if (p.move == bayOwnLevel)
            glPopMatrix();
    }
}

void drawWindowSide(const BayFaces& faces)
{
    drawWindowBay(faces);  // bay 1: its lift stays in force from here on
    glTranslatef(-0.45f, -0.11f, 0.2f);
    glRotatef(30, 0, 1, 0);
    glPushMatrix();
    drawWindowBay(faces);  // bay 2, turned back along the window side
    glPopMatrix();
    glTranslatef(0.5f, 0, 0.05f);
    glRotatef(-30, 0, 1, 0);
    glPushMatrix();
    drawWindowBay(faces);  // bay 3, almost on top of bay 1
    glPopMatrix();
}

void drawRoomWall(const RoomWall& wall)
{
    glPushMatrix();
    glRotatef(wall.turn, 0, 1, 0);
    glTranslatef(wall.tx, wall.ty, wall.tz);
    drawRectPanel(wallFaces, 0, wall.width, -0.5f, wall.top, wall.s);
    glPopMatrix();
}

void drawEntranceWall()
{
    glPushMatrix();
    glRotatef(30, 0, 1, 0);
    glTranslatef(0.44f, -0.5f, 0.1f);
    drawRectPanel(wallFaces, 0, 0.07f, -0.5f, 0.41f, 1.5f);  // left of the doorway
    glTranslatef(0.36f, 0, 0);
    drawRectPanel(wallFaces, 0, 0.15f, -0.5f, 0.41f, 1.5f);  // right of the doorway
    glTranslatef(-0.3f, 0.7f, 0);
    drawRectPanel(wallFaces, 0, 0.3f, -0.5f, -0.29f, 0.7f);  // lintel
    glPopMatrix();
}
