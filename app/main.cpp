// Tarnvale: a walk-through of a small furnished house.
#include <GL/glut.h>

#include "app/window.h"
#include "image/render_init.h"

int main(int argc, char** argv)
{
    openWindow(&argc, argv);
    initScene();  // needs the window's GL context
    glutMainLoop();
    return 0;
}
