#include "scene/primitives.h"

#include <GL/gl.h>

#include "state/viewer_state.h"

void drawBox(float a, float b, float c)
{
    glBegin(GL_POLYGON);  // top, y = 0
    glVertex3f(0, 0, 0);
    glVertex3f(a, 0, 0);
    glVertex3f(a, 0, -b);
    glVertex3f(0, 0, -b);
    glEnd();
    glBegin(GL_POLYGON);  // bottom, y = -c
    glVertex3f(0, -c, 0);
    glVertex3f(a, -c, 0);
    glVertex3f(a, -c, -b);
    glVertex3f(0, -c, -b);
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);  // z = -b, then x = a
    glVertex3f(0, -c, -b);
    glVertex3f(0, 0, -b);
    glVertex3f(a, -c, -b);
    glVertex3f(a, 0, -b);
    glVertex3f(a, -c, 0);
    glVertex3f(a, 0, 0);
    glEnd();
    glBegin(GL_TRIANGLE_STRIP);  // x = 0, then z = 0
    glVertex3f(0, -c, -b);
    glVertex3f(0, 0, -b);
    glVertex3f(0, -c, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(a, -c, 0);
    glVertex3f(a, 0, 0);
    glEnd();
}

void drawRect(float a, float b)
{
    glBegin(GL_POLYGON);
    glVertex3f(0, 0, 0);
    glVertex3f(a, 0, 0);
    glVertex3f(a, -b, 0);
    glVertex3f(0, -b, 0);
    glEnd();
}

const FaceSet wallFaces = {&wallpaperTex, colorYellow, &texStone, colorOrange};
const FaceSet glassFaces = {&texWindow, colorCyan, &texWindow, colorCyan};

static void drawFace(const PanelVertex* vertices, int count, const float* color)
{
    glBegin(GL_POLYGON);
    glColor3fv(color);
    for (int i = 0; i < count; i++) {
        glTexCoord2f(vertices[i].s, vertices[i].t);
        glVertex3f(vertices[i].x, vertices[i].y, vertices[i].z);
    }
    glEnd();
}

void drawTwoSidedPanel(const FaceSet& faces, const PanelVertex* front, const PanelVertex* back, int count)
{
    glBindTexture(GL_TEXTURE_2D, (GLuint)*faces.frontTex);
    glFrontFace(GL_CW);
    drawFace(front, count, faces.frontColor);
    glBindTexture(GL_TEXTURE_2D, (GLuint)*faces.backTex);
    glFrontFace(GL_CCW);
    drawFace(back, count, faces.backColor);
}

void drawRectPanel2(const FaceSet& faces, float x0, float x1, float y0, float y1, float frontS, float backS)
{
    const float z = 1.5f;
    const PanelVertex front[4] = {
        {0, 0, x0, y0, z}, {frontS, 0, x1, y0, z}, {frontS, frontS, x1, y1, z}, {0, frontS, x0, y1, z}};
    const PanelVertex back[4] = {
        {0, 0, x0, y0, z}, {backS, 0, x1, y0, z}, {backS, backS, x1, y1, z}, {0, backS, x0, y1, z}};
    drawTwoSidedPanel(faces, front, back, 4);
}

void drawRectPanel(const FaceSet& faces, float x0, float x1, float y0, float y1, float s)
{
    drawRectPanel2(faces, x0, x1, y0, y1, s, s);
}
