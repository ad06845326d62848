#include "scene/display.h"

#include <GL/glut.h>

#include "scene/furniture.h"
#include "scene/house_shell.h"
#include "scene/house_structure.h"
#include "scene/outside_piece.h"
#include "scene/primitives.h"
#include "state/viewer_state.h"

namespace {

enum PlacementOp {
    opEnd,
    opTranslate,
    opTurn,  // about the y axis, degrees in x
    opScale,
    opDesk,
    opChair,
    opWardrobe,
    opTable,
    opBed,
    opTelevision,
    opStaircase,
};

struct PlacementStep {
    PlacementOp op;
    float x, y, z;
};

struct Placement {
    bool ownLevel;  // wrapped in its own push and pop
    PlacementStep steps[8];
};

// Where each piece stands in the furniture frame, in drawing order.
const Placement furniturePlacements[] = {
    {true, {{opTranslate, -1, -0.65f, 0.05f}, {opScale, 0.05f, 0.05f, 0.05f}, {opDesk, 0, 0, 0}}},
    {true, {{opTranslate, -0.6f, -0.65f, 0.1f}, {opTurn, 180, 0, 0}, {opScale, 0.05f, 0.05f, 0.05f}, {opChair, 0, 0, 0}}},
    {true,
     {{opTranslate, 1.7f, -0.13f, 1.7f}, {opTurn, 180, 0, 0}, {opScale, 0.08f, 0.045f, 0.025f}, {opWardrobe, 0, 0, 0}}},
    {true, {{opTranslate, -0.1f, -0.65f, 0.95f}, {opScale, 0.06f, 0.05f, 0.08f}, {opTable, 0, 0, 0}}},
    {true,
     {{opTranslate, 0.5f, -0.65f, 0.83f},
      {opTurn, 180, 0, 0},
      {opScale, 0.05f, 0.05f, 0.05f},
      {opChair, 0, 0, 0},
      {opTranslate, -5.3f, 0, 0},
      {opChair, 0, 0, 0}}},
    // Turns the furniture frame itself: everything after stands turned.
    {false, {{opTurn, 180, 0, 0}}},
    {true,
     {{opTranslate, 0.5f, -0.65f, 0.65f},
      {opTranslate, -0.85f, 0, -1.2f},
      {opTurn, 180, 0, 0},
      {opScale, 0.05f, 0.05f, 0.05f},
      {opChair, 0, 0, 0},
      {opTranslate, -5.3f, 0, 0},
      {opChair, 0, 0, 0}}},
    {true, {{opTurn, 90, 0, 0}, {opScale, 0.5f, 0.6f, 0.5f}, {opTranslate, -0.25f, -1.5f, -1.5f}, {opStaircase, 0, 0, 0}}},
    {true, {{opTurn, 180, 0, 0}, {opTranslate, -1.2f, 0.05f, 0.8f}, {opScale, 0.05f, 0.05f, 0.05f}, {opBed, 0, 0, 0}}},
    {true, {{opTranslate, 0.6f, -0.025f, 0.16f}, {opScale, 0.04f, 0.01f, 0.05f}, {opTable, 0, 0, 0}}},
    {true, {{opTranslate, 0.85f, 0.1f, 0.1f}, {opScale, 0.03f, 0.03f, 0.03f}, {opTelevision, 0, 0, 0}}},
};

void runPlacementStep(const PlacementStep& step)
{
    switch (step.op) {
    case opEnd: break;
    case opTranslate: glTranslatef(step.x, step.y, step.z); break;
    case opTurn: glRotatef(step.x, 0, 1, 0); break;
    case opScale: glScalef(step.x, step.y, step.z); break;
    case opDesk: drawDesk(); break;
    case opChair: drawChair(); break;
    case opWardrobe: drawWardrobe(); break;
    case opTable: drawTable(); break;
    case opBed: drawBed(); break;
    case opTelevision: drawTelevision(); break;
    case opStaircase: drawStaircase(); break;
    }
}

}  // namespace

// Fourteen red steps on one base, each 0.1 higher and 0.1 further along +z.
void drawStaircase()
{
    float h = 0.1f;
    for (int i = 0; i < 14; i++) {
        glColor3f(1, 0, 0);
        drawBox(0.5f, 0.1f, h);
        glTranslatef(0, 0.1f, 0.1f);
        h += 0.1f;
    }
}

void placeFurniture()
{
    for (const Placement& placement : furniturePlacements) {
        if (placement.ownLevel)
            glPushMatrix();
        for (const PlacementStep& step : placement.steps) {
            if (step.op == opEnd)
                break;
            runPlacementStep(step);
        }
        if (placement.ownLevel)
            glPopMatrix();
    }
}

// The camera, the drag rotation and the zoom: the scene frame.
void setupCamera()
{
    if (!orthoOn)  // the orthographic view looks along -z with no camera at all
        gluLookAt(eyeX, 0, eyeZ, centerX, 0, centerZ, 0, 1, 0);
    glRotatef(rotX, 1, 0, 0);
    glRotatef(rotY, 0, 1, 0);
    glScalef(sceneScale, sceneScale, sceneScale);
}

// The push, move and pop happen in both views; only the outside view draws.
void placeOutsidePiece()
{
    glPushMatrix();
    glTranslatef(1.75f, 2.31f, -0.5f);
    if (viewMode == 2)
        drawOutsidePiece();
    glPopMatrix();
}

void display()
{
    glutPostRedisplay();  // the picture is redrawn continuously
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    setupCamera();
    drawHouseShell();  // opens two matrix levels, leaves the lifted room frame
    drawHouse();       // leaves the house frame
    placeOutsidePiece();
    glTranslatef(0.5f, 0, 0.1f);  // the furniture frame
    placeFurniture();
    glPopMatrix();  // close the shell's two levels
    glPopMatrix();
    glFlush();
    glutSwapBuffers();
}
