#include "scene/house_structure.h"

#include <GL/gl.h>

#include "scene/house_parts.h"
#include "state/viewer_state.h"

static const FaceSet upperFloorFaces = {&floorTex, colorLeaf, &floorTex, colorWhite};
static const BayFaces upperBayFaces = {&glassFaces, &glassFaces, &wallFaces};

// The fixed panel that stands where the ground level has its doorway.
static const RoomWall doorwayFill = {30, 0.5f, -0.5f, 0.1f, 0.3f, 0.2f, 1};

static void drawFloorSlab()
{
    const PanelVertex f1[4] = {
        {0, 0, 0, -0.5f, 1.5f}, {1.5f, 0, 1.389f, -0.5f, 1.5f}, {1.5f, 1.5f, 1.389f, 0.9f, 1.5f}, {0, 1.5f, 0, 0.9f, 1.5f}};
    // Seen from below the slab reaches 0.01 further at its third corner.
    const PanelVertex f1Back[4] = {
        {0, 0, 0, -0.5f, 1.5f}, {1.5f, 0, 1.389f, -0.5f, 1.5f}, {1.5f, 1.5f, 1.399f, 0.9f, 1.5f}, {0, 1.5f, 0, 0.9f, 1.5f}};
    const PanelVertex f2[4] = {
        {0, 0, 0, -0.75f, 1.5f}, {1.5f, 0, 0.2f, -0.38f, 1.5f}, {1.5f, 1.5f, 0.2f, -0.13f, 1.5f}, {0, 1.5f, 0, 0.22f, 1.5f}};
    glPushMatrix();
    glRotatef(90, 1, 0, 0);
    glRotatef(60, 0, 0, 1);
    glTranslatef(0, 0.4f, 0);
    drawTwoSidedPanel(upperFloorFaces, f1, f1Back, 4);
    glTranslatef(1.34f, 0.25f, 0);
    drawTwoSidedPanel(upperFloorFaces, f2, f2, 4);
    glPopMatrix();
}

void drawHouse()
{
    glEnable(GL_CULL_FACE);
    glTranslatef(0, 0, -0.1f);  // stays in force after the return
    drawFloorSlab();
    glTranslatef(-0.46f, -0.5f, 0.3f);  // so do this move and turn
    glRotatef(30, 0, 1, 0);
    glPushMatrix();
    drawWindowSide(upperBayFaces);
    drawRoomWall(roomWalls[wallWindowSide]);
    drawRoomWall(roomWalls[wallWindowSideEnd]);
    drawRoomWall(roomWalls[wallEndMN]);
    drawRoomWall(roomWalls[wallBackKN]);
    drawRoomWall(roomWalls[wallEndLK]);
    drawRoomWall(roomWalls[wallWindowSideL]);
    drawRoomWall(roomWalls[wallCross]);
    drawRoomWall(doorwayFill);
    drawRoomWall(roomWalls[wallReturn]);
    drawEntranceWall();
    glPopMatrix();
}
