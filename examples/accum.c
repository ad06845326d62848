/* Antialiasing and motion blur with the accumulation buffer: the scene is
   drawn eight times, each with the projection moved by less than a pixel
   and the ring turned a little further, and each picture added to the
   accumulation buffer at an eighth of its weight; the sum, returned to the
   colour buffer, has soft edges, and with m a ring blurred along its
   turn. a switches between that picture and one drawn once.
   In the gallery, its link opens the inspector on step 19, glAccum: the
   first picture added at an eighth of its weight. */
#include <GL/glut.h>
#include <stdlib.h>

static const float jitter[8][2] = { /* in pixels, spread over one */
    {0.0625f, 0.4375f}, {0.3125f, 0.6875f}, {0.5625f, 0.0625f}, {0.8125f, 0.3125f},
    {0.1875f, 0.9375f}, {0.4375f, 0.1875f}, {0.6875f, 0.5625f}, {0.9375f, 0.8125f}};
static int smooth = 1, blur = 0, width = 360, height = 270;

static void scene(int pass)
{
    const GLfloat red[] = {0.9f, 0.2f, 0.1f, 1}, blue[] = {0.2f, 0.4f, 0.9f, 1};
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(25, 1, 0, 0);
    glRotatef(30, 0, 1, 0);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, red);
    glutSolidCube(1.2);
    glTranslatef(1.3f, 0.2f, -0.5f);
    glRotatef(blur ? 6.0f * pass : 0, 0, 0, 1);
    glTranslatef(0.3f, 0, 0);
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, blue);
    glutSolidTorus(0.15, 0.5, 12, 24);
    glPopMatrix();
}

/* The projection moved by (dx, dy) pixels, for one of the pictures. */
static void project(float dx, float dy)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslatef(2 * dx / width, 2 * dy / height, 0);
    gluPerspective(35, (double)width / height, 1, 20);
    glMatrixMode(GL_MODELVIEW);
}

static void display(void)
{
    int i;
    if (!smooth) {
        project(0, 0);
        scene(0);
    } else {
        glClear(GL_ACCUM_BUFFER_BIT);
        for (i = 0; i < 8; i++) {
            project(jitter[i][0] - 0.5f, jitter[i][1] - 0.5f);
            scene(i);
            glAccum(GL_ACCUM, 1.0f / 8);
        }
        glAccum(GL_RETURN, 1.0f);
    }
    glutSwapBuffers();
}

static void init(void)
{
    const GLfloat position[] = {1, 2, 3, 0};
    glClearColor(0.9f, 0.9f, 0.85f, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
}

static void reshape(int w, int h)
{
    width = w, height = h;
    glViewport(0, 0, w, h);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(-0.5f, 0, -5);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 'a' || key == 'm') {
        if (key == 'a')
            smooth = !smooth;
        else
            blur = !blur;
        glutPostRedisplay();
    } else if (key == 27 || key == 'q') {
        exit(0);
    }
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH | GLUT_ACCUM);
    glutInitWindowSize(360, 270);
    glutCreateWindow("Accumulation");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
