#include "scene/house_shell.h"

#include <GL/gl.h>

#include "scene/house_parts.h"
#include "state/viewer_state.h"

static const FaceSet floorFaces = {&floorTex, colorGreen, &floorTex, colorGrey};
static const FaceSet doorFaces = {&texDoor, colorBrown, &texDoor, colorBrown};
static const BayFaces shellBayFaces = {&wallFaces, &glassFaces, &wallFaces};

// The 2 by 3 floor, laid flat at y = -1 with its front face up.
static void drawGroundFloor()
{
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    glTranslatef(1.03f, -0.7f, -0.5f);
    glRotatef(60, 0, 0, 1);
    drawRectPanel(floorFaces, 0, 2, -0.5f, 2.5f, 1.5f);
    glPopMatrix();
}

// The leaf turns about the vertical axis through (0.1, -0.3) of the room frame.
static void drawDoorLeaf()
{
    glPushMatrix();
    glPushMatrix();
    glTranslatef(0.1f, 0, -0.3f);
    glRotatef(doorAngle, 0, 1, 0);
    glTranslatef(0.4f, -0.5f, 0.1f);
    drawRectPanel(doorFaces, 0, 0.3f, -0.5f, 0.2f, 1);
    glPopMatrix();
    glPopMatrix();
}

void drawHouseShell()
{
    glEnable(GL_CULL_FACE);
    glPushMatrix();  // both levels are closed by display at the end of the frame
    glPushMatrix();
    drawWindowSide(shellBayFaces);  // leaves the room frame current
    drawRoomWall(roomWalls[wallWindowSide]);
    drawRoomWall(roomWalls[wallWindowSideEnd]);
    drawRoomWall(roomWalls[wallEndMN]);
    drawGroundFloor();
    drawRoomWall(roomWalls[wallBackKN]);
    drawRoomWall(roomWalls[wallEndLK]);
    drawRoomWall(roomWalls[wallWindowSideL]);
    drawRoomWall(roomWalls[wallCross]);
    drawDoorLeaf();
    drawRoomWall(roomWalls[wallReturn]);
    drawEntranceWall();
    glTranslatef(0, 1.4f, 0);  // the upper storey stands here
}
