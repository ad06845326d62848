#include "app/keyboard.h"

#include <GL/glut.h>

#include <cstdlib>

#include "app/camera.h"
#include "state/viewer_state.h"

// One press of '3': swing the door a degree, turning back at 30 and 90.
void doorStep()
{
    if (doorReturning == 0) {
        doorAngle = doorAngle + 1.0f;
        if (doorAngle >= 90.0f)
            doorReturning = 1;
    } else if (doorReturning == 1) {
        doorAngle = doorAngle - 1.0f;
        if (doorAngle <= 30.0f)
            doorReturning = 0;
    }
}

static void setEnable(GLenum capability, int on)
{
    if (on)
        glEnable(capability);
    else
        glDisable(capability);
}

void keyboard(unsigned char key, int, int)
{
    switch (key) {
    case 27:
    case 'Q':
    case 'q':
        exit(0);
    case '1':
        wallpaperTex = wallpaperTex + 1;
        if (wallpaperTex == 9)
            wallpaperTex = 4;
        break;
    case '2':
        floorTex = floorTex + 1;
        if (floorTex == 14)
            floorTex = 9;
        break;
    case '3':
        doorStep();
        break;
    case 'd':
        depthTestOn = !depthTestOn;
        setEnable(GL_DEPTH_TEST, depthTestOn);
        break;
    case 'f':
        frontFaceCW = !frontFaceCW;
        glFrontFace(frontFaceCW ? GL_CW : GL_CCW);
        break;
    case 'l':
        lightingOn = !lightingOn;
        setEnable(GL_LIGHTING, lightingOn);
        break;
    case 'p':
        orthoOn = !orthoOn;
        reshape(winWidth, winHeight);
        break;
    case 't':
        texturingOn = !texturingOn;
        setEnable(GL_TEXTURE_2D, texturingOn);
        break;
    case 'x':
        sceneScale = sceneScale / zoomFactor;
        break;
    case 'z':
        sceneScale = sceneScale * zoomFactor;
        break;
    default:
        break;
    }
    glutPostRedisplay();
}

void menuSelect(int value)
{
    if (value == '1')
        viewMode = 1;
    else if (value == '2')
        viewMode = 2;
    glutPostRedisplay();
}
