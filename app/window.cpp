#include "app/window.h"

#include <GL/glut.h>

#include "app/camera.h"
#include "app/keyboard.h"
#include "scene/display.h"

void openWindow(int* argc, char** argv)
{
    // freeglut must be initialised before a window can exist.
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutCreateWindow("Tarnvale");

    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(specialKeys);
    glutMouseFunc(mouse);
    glutMotionFunc(motion);

    glutCreateMenu(menuSelect);
    glutAddMenuEntry(insideMenuLabel, '1');
    glutAddMenuEntry(outsideMenuLabel, '2');
    glutAttachMenu(GLUT_RIGHT_BUTTON);
}
