/* Picking by selection: nine squares at different depths, each drawn under
   a name of its own. To pick, the scene is drawn again in GL_SELECT mode
   through gluPickMatrix, which narrows the view to a few pixels about the
   pointer; GL draws nothing then but returns a hit record for each name
   whose square reached those pixels, with its least and greatest depth,
   and the hit with the least depth is the square in front. Click a
   square, or move the cross with the arrow keys and press space; q ends.
   In the gallery, its link opens the inspector on step 4, glBegin: the first
   square. */
#include <GL/glut.h>
#include <stdio.h>
#include <stdlib.h>

static int picked[9], lastHits = 0, lastName = -1;
static int crossX = 200, crossY = 150; /* in window pixels, from the top */

/* Square i at column i % 3 and row i / 3, overlapping its neighbours,
   each row and column a little nearer than the one before. */
static void squares(GLenum mode)
{
    int i;
    for (i = 0; i < 9; i++) {
        const float x = 80 + 120.0f * (i % 3), y = 60 + 90.0f * (i / 3), z = 0.5f * (i % 3 + i / 3);
        if (mode == GL_SELECT)
            glLoadName((GLuint)i);
        if (picked[i])
            glColor3f(1, 0.55f, 0.1f);
        else
            glColor3f(0.2f + 0.08f * i, 0.35f, 0.8f - 0.05f * i);
        glBegin(GL_QUADS);
        glVertex3f(x - 70, y - 50, z);
        glVertex3f(x + 70, y - 50, z);
        glVertex3f(x + 70, y + 50, z);
        glVertex3f(x - 70, y + 50, z);
        glEnd();
    }
}

static void projection(void)
{
    glOrtho(0, 400, 0, 300, -5, 5);
}

static void pick(int x, int y)
{
    GLuint hits[64], *record = hits, nearest = 0xFFFFFFFFu;
    GLint viewport[4], n, k;
    glGetIntegerv(GL_VIEWPORT, viewport);
    glSelectBuffer(64, hits);
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(0);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluPickMatrix(x, viewport[3] - y, 4, 4, viewport); /* window y runs up */
    projection();
    squares(GL_SELECT);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    n = glRenderMode(GL_RENDER);
    lastHits = n;
    lastName = -1;
    for (k = 0; k < n; k++) { /* names, least depth, greatest depth, the names */
        if (record[1] < nearest) {
            nearest = record[1];
            lastName = (int)record[3];
        }
        record += 3 + record[0];
    }
    if (lastName >= 0)
        picked[lastName] = !picked[lastName];
    glutPostRedisplay();
}

static void display(void)
{
    char line[64];
    const char* c;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    squares(GL_RENDER);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glBegin(GL_LINES); /* the cross */
    glVertex2f(crossX - 8.0f, 300.0f - crossY);
    glVertex2f(crossX + 8.0f, 300.0f - crossY);
    glVertex2f((GLfloat)crossX, 292.0f - crossY);
    glVertex2f((GLfloat)crossX, 308.0f - crossY);
    glEnd();
    sprintf(line, "hits %d, picked %d", lastHits, lastName);
    glRasterPos2f(8, 286);
    for (c = line; *c; c++)
        glutBitmapCharacter(GLUT_BITMAP_8_BY_13, *c);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    projection();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void mouse(int button, int state, int x, int y)
{
    if (button == GLUT_LEFT_BUTTON && state == GLUT_DOWN) {
        crossX = x;
        crossY = y;
        pick(x, y);
    }
}

static void special(int key, int x, int y)
{
    (void)x, (void)y;
    crossX += key == GLUT_KEY_RIGHT ? 10 : key == GLUT_KEY_LEFT ? -10 : 0;
    crossY += key == GLUT_KEY_DOWN ? 10 : key == GLUT_KEY_UP ? -10 : 0;
    glutPostRedisplay();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == ' ')
        pick(crossX, crossY);
    else if (key == 27 || key == 'q')
        exit(0);
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Picking");
    glutSetCursor(GLUT_CURSOR_CROSSHAIR);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(mouse);
    glutSpecialFunc(special);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
