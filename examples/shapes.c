/* GLUT's shapes: the cube, the cone, the torus and the four other regular
   solids, solid and lit in the top row, as wire frames below, each with
   the normals GLUT gives it. The arrow keys turn them all.
   In the gallery, its link opens the inspector on step 8, glutSolidCube: the
   cube and its normals. */
#include <GL/glut.h>
#include <stdlib.h>

static float turnX = 20, turnY = 30;

static void shape(int which, int solid)
{
    switch (which) {
    case 0: solid ? glutSolidCube(1.0) : glutWireCube(1.0); break;
    case 1: solid ? glutSolidCone(0.5, 1.0, 16, 4) : glutWireCone(0.5, 1.0, 16, 4); break;
    case 2: solid ? glutSolidTorus(0.15, 0.45, 12, 24) : glutWireTorus(0.15, 0.45, 12, 24); break;
    case 3: glScalef(0.5f, 0.5f, 0.5f); solid ? glutSolidTetrahedron() : glutWireTetrahedron(); break;
    case 4: glScalef(0.6f, 0.6f, 0.6f); solid ? glutSolidOctahedron() : glutWireOctahedron(); break;
    case 5: glScalef(0.6f, 0.6f, 0.6f); solid ? glutSolidIcosahedron() : glutWireIcosahedron(); break;
    case 6: glScalef(0.35f, 0.35f, 0.35f); solid ? glutSolidDodecahedron() : glutWireDodecahedron(); break;
    }
}

static void display(void)
{
    int i, solid;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (solid = 1; solid >= 0; solid--) {
        if (solid)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        for (i = 0; i < 7; i++) {
            glPushMatrix();
            glTranslatef(-4.2f + 1.4f * i, solid ? 0.8f : -0.8f, -8);
            glRotatef(turnX, 1, 0, 0);
            glRotatef(turnY, 0, 1, 0);
            glColor3f(0.9f, 0.7f - 0.08f * i, 0.3f + 0.1f * i);
            shape(i, solid);
            glPopMatrix();
        }
    }
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, (double)w / (h ? h : 1), 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void special(int key, int x, int y)
{
    (void)x, (void)y;
    if (key == GLUT_KEY_LEFT) turnY -= 10;
    if (key == GLUT_KEY_RIGHT) turnY += 10;
    if (key == GLUT_KEY_UP) turnX -= 10;
    if (key == GLUT_KEY_DOWN) turnX += 10;
    glutPostRedisplay();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 27 || key == 'q')
        exit(0);
}

int main(int argc, char** argv)
{
    static const GLfloat light[] = {1, 1, 2, 0};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(560, 220);
    glutCreateWindow("Shapes");
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE);
    glClearColor(0.12f, 0.12f, 0.15f, 1);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutSpecialFunc(special);
    glutMainLoop();
    return 0;
}
