/* GLU's tessellator: a five-pointed star drawn as one contour that crosses
   itself, filled by the odd winding rule (its middle left empty) and by
   the non-zero rule (filled whole), and a square with a square hole, two
   contours of opposite turn. The tessellator makes triangles of them,
   calling back for each vertex and for each new vertex where edges cross.
   In the gallery, its link opens the inspector on step 5, gluTessEndPolygon:
   the star, filled by the odd winding rule. */
#include <GL/glut.h>
#include <math.h>
#include <stdlib.h>

#ifndef CALLBACK
#define CALLBACK
#endif

static GLdouble star[5][3], square[8][3] = {{260, 40, 0}, {380, 40, 0}, {380, 160, 0}, {260, 160, 0},
                                            {290, 70, 0}, {290, 130, 0}, {350, 130, 0}, {350, 70, 0}};
static GLdouble made[64][3];
static int madeCount = 0;

static void CALLBACK vertex(void *data) { glVertex3dv((const GLdouble *)data); }

static void CALLBACK combine(GLdouble at[3], void *from[4], GLfloat weight[4], void **out)
{
    (void)from, (void)weight;
    if (madeCount == 64) {
        *out = NULL;
        return;
    }
    made[madeCount][0] = at[0], made[madeCount][1] = at[1], made[madeCount][2] = at[2];
    *out = made[madeCount++];
}

static void fill(GLUtesselator *t, GLdouble winding, GLdouble (*points)[3], int first, int count)
{
    int i;
    gluTessProperty(t, GLU_TESS_WINDING_RULE, winding);
    gluTessBeginPolygon(t, NULL);
    gluTessBeginContour(t);
    for (i = first; i < first + count; i++) {
        if (points == square && i == 4) {
            gluTessEndContour(t);
            gluTessBeginContour(t);
        }
        gluTessVertex(t, points[i], points[i]);
    }
    gluTessEndContour(t);
    gluTessEndPolygon(t);
}

static void display(void)
{
    GLUtesselator *t = gluNewTess();
    int i;
    gluTessCallback(t, GLU_TESS_BEGIN, (_GLUfuncptr)glBegin);
    gluTessCallback(t, GLU_TESS_VERTEX, (_GLUfuncptr)vertex);
    gluTessCallback(t, GLU_TESS_END, (_GLUfuncptr)glEnd);
    gluTessCallback(t, GLU_TESS_COMBINE, (_GLUfuncptr)combine);
    madeCount = 0;
    glClear(GL_COLOR_BUFFER_BIT);
    for (i = 0; i < 2; i++) { /* the star, by each rule */
        glPushMatrix();
        glTranslatef(i ? 140.0f : 0.0f, 0, 0);
        glColor3f(i ? 0.3f : 1, i ? 0.8f : 0.8f, i ? 1 : 0.2f);
        fill(t, i ? GLU_TESS_WINDING_NONZERO : GLU_TESS_WINDING_ODD, star, 0, 5);
        glPopMatrix();
    }
    glColor3f(0.9f, 0.4f, 0.3f);
    fill(t, GLU_TESS_WINDING_ODD, square, 0, 8);
    gluDeleteTess(t);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 400, 0, 200);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 27 || key == 'q')
        exit(0);
}

int main(int argc, char **argv)
{
    int i;
    for (i = 0; i < 5; i++) { /* every second point of a pentagon: a star */
        const double a = 1.5707963 + i * 4 * 3.14159265 / 5;
        star[i][0] = 65 + 55 * cos(a), star[i][1] = 100 + 55 * sin(a), star[i][2] = 0;
    }
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(400, 200);
    glutCreateWindow("Tessellation");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
