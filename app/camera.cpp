#include "app/camera.h"

#include <GL/glut.h>

#include <cmath>

#include "state/viewer_state.h"

void updateLookAt(int key)
{
    float theta = viewAngle;
    if (key == GLUT_KEY_UP) {
        eyeZ = eyeZ - std::cos(theta) * walkStep;
        eyeX = eyeX + std::sin(theta) * walkStep;
    } else if (key == GLUT_KEY_DOWN) {
        eyeZ = eyeZ + std::cos(theta) * walkStep;
        eyeX = eyeX - std::sin(theta) * walkStep;
    }
    centerZ = eyeZ - std::cos(theta);
    centerX = eyeX + std::sin(theta);
}

void specialKeys(int key, int, int)
{
    if (key < GLUT_KEY_LEFT || key > GLUT_KEY_DOWN)
        return;  // function keys, Home and the like do nothing at all
    if (key == GLUT_KEY_LEFT)
        viewAngle = viewAngle - turnStep;
    else if (key == GLUT_KEY_RIGHT)
        viewAngle = viewAngle + turnStep;
    updateLookAt(key);
    glutPostRedisplay();
}

void reshape(int width, int height)
{
    if (height == 0)
        return;  // a minimised window keeps the last real size
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (orthoOn) {
        glOrtho(-orthoExtent, orthoExtent, -orthoExtent, orthoExtent, -orthoExtent, orthoExtent);
        eyeZ = 0.0f;  // unused: the frame applies no look-at in this mode
    } else {
        gluPerspective(60.0, (double)width / (double)height, 0.01, 100.0);
        eyeZ = 5.0f;
        updateLookAt(0);
    }
    glMatrixMode(GL_MODELVIEW);  // display relies on finding this mode
    winWidth = width;
    winHeight = height;
}

void mouse(int button, int state, int x, int y)
{
    if (button != GLUT_LEFT_BUTTON)
        return;
    if (state == GLUT_DOWN) {
        mouseState = 0;
        lastMouseX = x;
        lastMouseY = y;
    } else if (state == GLUT_UP) {
        mouseState = -1;
    } else {
        return;
    }
    glutPostRedisplay();
}

void motion(int x, int y)
{
    if (mouseState != 0)
        return;
    // Five pixels of drag turn the scene by one degree.
    rotY = (float)(rotY - (lastMouseX - x) / 5.0);
    rotX = (float)(rotX - (lastMouseY - y) / 5.0);
    glutPostRedisplay();
    lastMouseX = x;
    lastMouseY = y;
}
