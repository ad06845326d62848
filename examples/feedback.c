/* Feedback: in GL_FEEDBACK mode GL draws nothing but writes each primitive
   into a buffer as the window would have received it: transformed,
   lit, clipped to the view volume, in window coordinates. Here a turned
   triangle, two triangles making a kite and two points are drawn, then
   sent again through feedback; what comes back is drawn over them as
   markers and written out, token by token. The point outside the window
   does not come back; the pass-through tokens mark where each shape
   began. Space turns the triangle; q ends.
   In the gallery, its link opens the inspector on step 17, glRenderMode: the
   switch to GL_FEEDBACK. */
#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

static float angle = 20;
static GLfloat buffer[256];
static GLint count;

static void shapes(void)
{
    glPassThrough(1);
    glPushMatrix();
    glTranslatef(90, 190, 0);
    glRotatef(angle, 0, 0, 1);
    glColor3f(0.9f, 0.4f, 0.2f);
    glBegin(GL_TRIANGLES);
    glVertex2f(-50, -40);
    glVertex2f(50, -40);
    glVertex2f(0, 50);
    glEnd();
    glPopMatrix();
    glPassThrough(2);
    glColor3f(0.2f, 0.6f, 0.9f);
    glBegin(GL_TRIANGLES);
    glVertex2f(30, 70);
    glVertex2f(110, 20);
    glVertex2f(130, 80);
    glVertex2f(30, 70);
    glVertex2f(130, 80);
    glVertex2f(90, 110);
    glEnd();
    glPassThrough(3);
    glPointSize(7);
    glColor3f(1, 1, 0.3f);
    glBegin(GL_POINTS);
    glVertex2f(200, 220);
    glVertex2f(-20, 220); /* left of the window */
    glEnd();
}

/* Each polygon's corners and each point, as feedback gave them, marked;
   the buffer written out below, one primitive a line. */
static void report(void)
{
    char line[96];
    const char* c;
    int i = 0, row = 0, k, n;
    glPointSize(5);
    glColor3f(1, 1, 1);
    while (i < count) {
        const int token = (int)buffer[i++];
        int at = 0;
        if (token == GL_PASS_THROUGH_TOKEN) {
            at = sprintf(line, "PASS_THROUGH %g", buffer[i++]);
        } else if (token == GL_POINT_TOKEN || token == GL_POLYGON_TOKEN) {
            n = token == GL_POINT_TOKEN ? 1 : (int)buffer[i++];
            at = sprintf(line, token == GL_POINT_TOKEN ? "POINT" : "POLYGON %d:", n);
            glBegin(GL_POINTS);
            for (k = 0; k < n; k++, i += 2) {
                glVertex2f(buffer[i], buffer[i + 1]);
                if (at < 80)
                    at += sprintf(line + at, " %.0f,%.0f", buffer[i], buffer[i + 1]);
            }
            glEnd();
        } else {
            break; /* no other token is asked for here */
        }
        glRasterPos2f(230, 120.0f - 15 * row++);
        for (c = line; *c; c++)
            glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
    }
}

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT);
    shapes();
    glFeedbackBuffer(256, GL_2D, buffer);
    glRenderMode(GL_FEEDBACK);
    shapes();
    count = glRenderMode(GL_RENDER);
    report();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 560, 0, 280);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == ' ')
        angle += 15;
    else if (key == 27 || key == 'q')
        exit(0);
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(560, 280);
    glutCreateWindow("Feedback");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
