#include "scene/furniture.h"

#include <GL/gl.h>

#include "scene/primitives.h"

// A desk with a pedestal at its left end and a shelf tower at its right.
void drawDesk()
{
    glPushMatrix();
    glColor3f(0.84f, 0.74f, 0.06f);
    glTranslatef(-4, 0, 0);
    drawBox(13, 3, 0.5f);  // desk top
    glColor3f(0.34f, 0.74f, 0.06f);
    glTranslatef(0, -0.5f, 0);
    drawBox(4.5f, 3, 6.4f);  // pedestal
    glTranslatef(11, 0, 0);
    drawBox(2, 3, 0.3f);  // shelf 1
    glTranslatef(0, -2.5f, 0);
    drawBox(2, 3, 0.3f);  // shelf 2
    glTranslatef(0, -3.6f, 0);
    drawBox(2, 3, 0.3f);  // shelf 3, the bottom
    glTranslatef(0, 9.7f, 0);
    drawBox(2, 3, 0.3f);  // shelf 4
    glTranslatef(0, 3, 0);
    drawBox(2, 3, 0.3f);  // shelf 5, the top
    glColor3f(0.34f, 0.84f, 0.86f);
    glTranslatef(0, 0, 0.3f);
    drawBox(2.3f, 0.3f, 13);  // tower panel, z = 0 side
    glTranslatef(0, 0, -3.3f);
    drawBox(2.3f, 0.3f, 13);  // tower panel, z = -3 side
    glTranslatef(2, 0, 3);
    drawBox(0.3f, 3, 13);  // tower end panel
    glPopMatrix();
}

// A chair facing +z: seat, backrest on the -z edge, four legs.
void drawChair()
{
    glPushMatrix();
    glTranslatef(2, -2, -1);
    glColor3f(0.64f, 0.33f, 0.26f);
    drawBox(4, 4, 0.4f);  // seat
    glTranslatef(0, 4, -3.6f);
    drawBox(4, 0.4f, 4);  // backrest
    glTranslatef(0, -4.4f, 3.6f);
    drawBox(0.4f, 0.4f, 4.5f);  // front legs
    glTranslatef(3.6f, 0, 0);
    drawBox(0.4f, 0.4f, 4.5f);
    glPushMatrix();
    glTranslatef(-3.6f, 0, -3.6f);
    drawBox(0.4f, 0.4f, 4.5f);  // back legs
    glTranslatef(3.6f, 0, 0);
    drawBox(0.4f, 0.4f, 4.5f);
    glPopMatrix();
    glPopMatrix();
}

// A wardrobe: back panel, two doors, two drawers, sides and top.
void drawWardrobe()
{
    glPushMatrix();
    glColor3f(0.17f, 0.26f, 0.75f);
    drawRect(8, 18);  // back panel
    glColor3f(0.17f, 0.66f, 0.75f);
    glTranslatef(0, 0, -5);
    glPushMatrix();
    drawRect(4, 13);  // left door
    glPopMatrix();
    glTranslatef(4, 0, 0);
    glPushMatrix();
    drawRect(4, 13);  // right door
    glPopMatrix();
    // The drawers start 0.01 off the back so their fronts meet the doors' plane.
    glTranslatef(-4, -13, 4.99f);
    glColor3f(0.77f, 0.66f, 0.75f);
    drawBox(8, 4.99f, 2.5f);  // upper drawer
    glTranslatef(0, -2.5f, 0);
    drawBox(8, 4.99f, 2.5f);  // lower drawer
    glPopMatrix();
    glPushMatrix();
    glColor3f(0.95f, 0.74f, 0.75f);
    glTranslatef(-0.05f, 0, 0);
    drawBox(0.1f, 5, 18);  // left side
    glTranslatef(8.05f, 0, 0);
    drawBox(0.1f, 5, 18);  // right side
    glTranslatef(-8.1f, 0.1f, 0);
    drawBox(8.1f, 5, 0.1f);  // top
    glPopMatrix();
}

// A table: a 14 by 4 top on four legs.
void drawTable()
{
    glPushMatrix();
    glTranslatef(2, -2, -1);
    glColor3f(0.25f, 0.36f, 0.69f);
    drawBox(14, 4, 0.5f);  // top
    glTranslatef(0, -0.5f, 0);
    drawBox(0.4f, 0.5f, 4.5f);  // front legs
    glTranslatef(13.6f, 0, 0);
    drawBox(0.4f, 0.4f, 4.5f);
    glPushMatrix();
    glTranslatef(-13.5f, 0, -3.5f);
    drawBox(0.4f, 0.5f, 4.5f);  // back legs
    glTranslatef(13.6f, 0, 0);
    drawBox(0.4f, 0.5f, 4.5f);
    glPopMatrix();
    glPopMatrix();
}

// A bed: the base and a headboard at its -x end.
void drawBed()
{
    glPushMatrix();
    glColor3f(0.37f, 0.35f, 0.2f);
    drawBox(13, 5, 3);  // base
    glTranslatef(-0.5f, 2, 0);
    drawBox(0.5f, 5, 5);  // headboard
    glPopMatrix();
}

// A television: a cabinet framing a grey screen, and a V-shaped antenna.
void drawTelevision()
{
    glPushMatrix();
    glColor3f(0.235f, 0.754f, 0.21f);
    drawBox(5, 5, 1);  // top
    glTranslatef(0, -1, 0);
    drawBox(1, 5, 3);  // left side
    glTranslatef(4, 0, 0);
    drawBox(1, 5, 3);  // right side
    glTranslatef(-4, -3, 0);
    drawBox(5, 5, 1);  // bottom
    glColor3f(0.7f, 0.7f, 0.7f);
    glTranslatef(1, 3, -5);
    drawRect(3, 3);  // screen
    glPopMatrix();
    // The antenna is drawn in the caller's frame, which is the model's own.
    glBegin(GL_LINE_STRIP);
    glColor3f(0.235f, 0.754f, 0.21f);
    glVertex3f(1, 1.5f, -2.5f);
    glVertex3f(2.5f, 0, -2.5f);
    glVertex3f(4, 1.5f, -2.5f);
    glEnd();
}
