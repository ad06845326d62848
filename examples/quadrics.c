/* GLU's quadrics: a sphere, a cylinder narrowing to a cone, a disk with a
   hole and a partial disk, each drawn four ways (filled and lit, as lines,
   as a silhouette and as points) by the quadric object's draw style.
   In the gallery, its link opens the inspector on step 8, gluSphere: the
   sphere, filled and lit. */
#include <GL/glut.h>
#include <stdlib.h>

static GLUquadric* quadric;

static void init(void)
{
    static const GLfloat light[] = {1, 2, 3, 0};
    quadric = gluNewQuadric();
    gluQuadricNormals(quadric, GLU_SMOOTH);
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.1f, 0.1f, 0.1f, 1);
}

static void display(void)
{
    static const GLenum styles[4] = {GLU_FILL, GLU_LINE, GLU_SILHOUETTE, GLU_POINT};
    int row, column;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPointSize(2);
    for (row = 0; row < 4; row++) {
        gluQuadricDrawStyle(quadric, styles[row]);
        if (row == 0)
            glEnable(GL_LIGHTING);
        else
            glDisable(GL_LIGHTING);
        glColor3f(0.4f + 0.15f * row, 0.8f - 0.15f * row, 0.5f);
        for (column = 0; column < 4; column++) {
            glPushMatrix();
            glTranslatef(-3.0f + 2.0f * column, 2.4f - 1.6f * row, -10);
            glRotatef(-60, 1, 0, 0);
            switch (column) {
            case 0: gluSphere(quadric, 0.7, 16, 12); break;
            case 1: glTranslatef(0, 0, -0.6f); gluCylinder(quadric, 0.6, 0.1, 1.2, 16, 4); break;
            case 2: gluDisk(quadric, 0.3, 0.8, 20, 3); break;
            case 3: gluPartialDisk(quadric, 0.2, 0.8, 16, 3, 30, 240); break;
            }
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
    glFrustum(-0.5 * w / (h ? h : 1), 0.5 * w / (h ? h : 1), -0.5, 0.5, 1.5, 30);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
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
    glutInitWindowSize(400, 360);
    glutCreateWindow("Quadrics");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
