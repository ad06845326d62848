/* Rings from a display list: one ring is compiled once into a list, with
   its material, and the list is called for each ring of the chain, under a
   different rotation and colour each time. Calling a list replays its
   calls; what was set outside it (the colour here, through colour
   material) still applies.
   In the gallery, its link opens the inspector on step 7, glCallList: the
   list called for the first ring. */
#include <GL/glut.h>
#include <stdlib.h>

static GLuint ring;

static void init(void)
{
    static const GLfloat white[] = {1, 1, 1, 1}, light[] = {1, 1, 2, 0};
    ring = glGenLists(1);
    glNewList(ring, GL_COMPILE);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMaterialf(GL_FRONT, GL_SHININESS, 40.0f);
    glutSolidTorus(0.15, 0.7, 16, 40);
    glEndList();
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(0.05f, 0.05f, 0.1f, 1);
}

static void display(void)
{
    static const GLfloat colours[5][3] = {{0.9f, 0.2f, 0.2f}, {0.9f, 0.8f, 0.2f}, {0.2f, 0.8f, 0.3f},
                                          {0.2f, 0.5f, 0.9f}, {0.7f, 0.3f, 0.8f}};
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(-2.4f, 0, 0);
    for (i = 0; i < 5; i++) {
        glColor3fv(colours[i]);
        glPushMatrix();
        glRotatef(i % 2 ? 90.0f : 20.0f, 1, 0, 0);
        glCallList(ring);
        glPopMatrix();
        glTranslatef(1.2f, 0, 0);
    }
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-3.6, 3.6, -3.6 * h / (w ? w : 1), 3.6 * h / (w ? w : 1), -10, 10);
    glMatrixMode(GL_MODELVIEW);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 27 || key == 'q')
        exit(0);
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(480, 240);
    glutCreateWindow("Rings");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
