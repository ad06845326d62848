/* Teapots: GLUT's teapot in three materials and as a wire frame, lit by one
   light. The teapot is Newell's Bezier patches, so the smooth ones are as
   smooth as the grid GLUT steps across each patch. Space turns them.
   In the gallery, its link opens the inspector on step 9, glutSolidTeapot:
   the gold teapot, from its Bezier patches. */
#include <GL/glut.h>
#include <stdlib.h>

static const struct {
    GLfloat ambient[4], diffuse[4], specular[4], shininess, x, y;
} pots[] = {
    {{0.25f, 0.2f, 0.07f, 1}, {0.75f, 0.6f, 0.23f, 1}, {0.63f, 0.56f, 0.37f, 1}, 51, -1.1f, 0.8f},  /* gold */
    {{0.0f, 0.05f, 0.05f, 1}, {0.4f, 0.5f, 0.5f, 1}, {0.04f, 0.7f, 0.7f, 1}, 10, 1.1f, 0.8f},     /* rubber */
    {{0.1f, 0.0f, 0.0f, 1}, {0.8f, 0.1f, 0.1f, 1}, {0.9f, 0.9f, 0.9f, 1}, 90, -1.1f, -0.8f},      /* plastic */
};
static float turn = 20;

static void init(void)
{
    const GLfloat position[] = {2, 3, 4, 0};
    glClearColor(0.15f, 0.15f, 0.2f, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

static void display(void)
{
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (i = 0; i < 3; i++) {
        glMaterialfv(GL_FRONT, GL_AMBIENT, pots[i].ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, pots[i].diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, pots[i].specular);
        glMaterialf(GL_FRONT, GL_SHININESS, pots[i].shininess);
        glPushMatrix();
        glTranslatef(pots[i].x, pots[i].y, 0);
        glRotatef(turn, 0, 1, 0);
        glutSolidTeapot(0.6);
        glPopMatrix();
    }
    glDisable(GL_LIGHTING); /* the fourth as its patches' grid */
    glColor3f(0.6f, 0.9f, 0.6f);
    glPushMatrix();
    glTranslatef(1.1f, -0.8f, 0);
    glRotatef(turn, 0, 1, 0);
    glutWireTeapot(0.6);
    glPopMatrix();
    glEnable(GL_LIGHTING);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, (double)w / h, 1, 20);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -6);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == ' ') {
        turn += 30;
        glutPostRedisplay();
    } else if (key == 27 || key == 'q') {
        exit(0);
    }
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 320);
    glutCreateWindow("Teapots");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
