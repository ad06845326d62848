/* A crowd of lit spheres turning on an idle callback, and the frame rate
   they are drawn at: every vertex of every sphere is lit by two lights, so
   the count of vertices a frame is what the rate answers to. Like the
   classic gears, it prints how many frames it drew every five seconds;
   + and - add and remove a row of spheres, space stops and starts the
   turning, 0 turns them back to where they began.
   In the gallery, its link opens the inspector on step 6, glutSolidSphere:
   the first sphere, every vertex lit. */
#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

static int rows = 6, frames = 0, lastReport = 0, turning = 1;
static float angle = 0;

static void init(void)
{
    static const GLfloat warm[] = {1.0f, 0.9f, 0.7f, 1}, cool[] = {0.3f, 0.4f, 0.8f, 1};
    static const GLfloat from1[] = {1, 1, 1, 0}, from2[] = {-1, -0.5f, 0.5f, 0};
    static const GLfloat white[] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, warm);
    glLightfv(GL_LIGHT0, GL_POSITION, from1);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, cool);
    glLightfv(GL_LIGHT1, GL_POSITION, from2);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHT1);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMaterialf(GL_FRONT, GL_SHININESS, 30);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glClearColor(0.1f, 0.1f, 0.12f, 1);
}

static void idle(void)
{
    int now = glutGet(GLUT_ELAPSED_TIME);
    angle += 1.0f;
    frames++;
    if (now - lastReport >= 5000) {
        printf("%d frames in %.1f seconds = %.1f FPS\n", frames, (now - lastReport) / 1000.0,
               frames * 1000.0 / (now - lastReport));
        fflush(stdout);
        frames = 0;
        lastReport = now;
    }
    glutPostRedisplay();
}

static void display(void)
{
    int i, j;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    for (i = 0; i < rows; i++)
        for (j = 0; j < 8; j++) {
            glPushMatrix();
            glTranslatef(-3.5f + j, -0.5f * (rows - 1) + i, -10 - (i % 2));
            glRotatef(angle + 20 * (i * 8 + j), 0.3f, 1, 0);
            glColor3f(0.3f + 0.1f * j, 0.9f - 0.12f * i, 0.5f);
            glutSolidSphere(0.45, 24, 16);
            glPopMatrix();
        }
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, (double)w / (h ? h : 1), 1.0, 30.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == '+' && rows < 12)
        rows++;
    if (key == '-' && rows > 1)
        rows--;
    if (key == ' ') {
        turning = !turning;
        glutIdleFunc(turning ? idle : NULL);
    }
    if (key == '0')
        angle = 0;
    if (key == 27 || key == 'q')
        exit(0);
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(640, 480);
    glutCreateWindow("Crowd");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);
    lastReport = glutGet(GLUT_ELAPSED_TIME);
    glutMainLoop();
    return 0;
}
