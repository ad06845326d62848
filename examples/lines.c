/* Points, lines and polygons: point sizes, line widths, a line loop, and
   polygons drawn filled, as their edges and as their corners
   (glPolygonMode), with an edge flag hiding an inner edge, and flat
   shading taking each face's colour from the vertex GL names; below, line
   stipples (a pattern of 16 bits, each repeated `factor` times, counted on
   along a strip) and a polygon stipple (32 x 32 bits fixed to the window).
   In the gallery, its link opens the inspector on step 29, glPolygonMode:
   polygons drawn as their edges. */
#include <GL/glut.h>
#include <stdlib.h>

static GLubyte stripes[32 * 4]; /* diagonal stripes, 4 pixels wide */

static void init(void)
{
    int x, y;
    for (y = 0; y < 32; y++)
        for (x = 0; x < 32; x++)
            if ((x + y) / 4 % 2 == 0) /* the first pixel of a row is a byte's highest bit */
                stripes[y * 4 + x / 8] |= (GLubyte)(0x80 >> (x % 8));
}

static void stipples(void)
{
    static const GLushort patterns[3] = {0x00FF, 0x0C0F, 0xAAAA};
    int i;
    glEnable(GL_LINE_STIPPLE);
    for (i = 0; i < 3; i++) { /* dashes, dash-dot, dots; each bit repeated i + 1 times */
        glLineStipple(i + 1, patterns[i]);
        glLineWidth(i == 1 ? 3.0f : 1.0f);
        glColor3f(1, 1, 1);
        glBegin(GL_LINE_STRIP);
        glVertex2f(270, 12.0f + 16 * i);
        glVertex2f(330, 12.0f + 16 * i);
        glVertex2f(390, 20.0f + 16 * i);
        glEnd();
    }
    glLineWidth(1);
    glDisable(GL_LINE_STIPPLE);
    glEnable(GL_POLYGON_STIPPLE);
    glPolygonStipple(stripes);
    glColor3f(1, 0.8f, 0.3f);
    glRectf(120, 10, 250, 50);
    glDisable(GL_POLYGON_STIPPLE);
}

static void display(void)
{
    int i;
    glClear(GL_COLOR_BUFFER_BIT);
    for (i = 1; i <= 5; i++) { /* points of sizes 1 to 9 */
        glPointSize(2.0f * i - 1);
        glBegin(GL_POINTS);
        glColor3f(1, 1, 0.2f * i);
        glVertex2f(20.0f + 30 * i, 270);
        glEnd();
    }
    for (i = 1; i <= 5; i++) { /* lines 1 to 5 pixels wide */
        glLineWidth((GLfloat)i);
        glBegin(GL_LINES);
        glColor3f(0.2f * i, 1, 1);
        glVertex2f(220, 280.0f - 12 * i);
        glVertex2f(380, 250.0f - 12 * i);
        glEnd();
    }
    glLineWidth(1);
    glColor3f(1, 0.5f, 0.2f);
    glBegin(GL_LINE_LOOP);
    for (i = 0; i < 5; i++)
        glVertex2f(60 + 40 * (float)(i % 2), 120 + 25.0f * i);
    glEnd();
    glShadeModel(GL_FLAT);
    for (i = 0; i < 3; i++) { /* filled, edges, corners */
        glPolygonMode(GL_FRONT_AND_BACK, i == 0 ? GL_FILL : i == 1 ? GL_LINE : GL_POINT);
        glPointSize(4);
        glBegin(GL_QUADS);
        glColor3f(0.9f, 0.2f, 0.2f);
        glVertex2f(150.0f + 80 * i, 60);
        glVertex2f(210.0f + 80 * i, 60);
        glColor3f(0.2f, 0.4f, 1.0f);
        glVertex2f(210.0f + 80 * i, 180);
        glVertex2f(150.0f + 80 * i, 180);
        glEnd();
    }
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    glBegin(GL_TRIANGLES); /* two triangles making a square; the diagonal's edges flagged off */
    glColor3f(0.3f, 1, 0.3f);
    glEdgeFlag(GL_TRUE);
    glVertex2f(20, 20);
    glVertex2f(100, 20);
    glEdgeFlag(GL_FALSE);
    glVertex2f(100, 80);
    glEdgeFlag(GL_FALSE);
    glVertex2f(20, 20);
    glEdgeFlag(GL_TRUE);
    glVertex2f(100, 80);
    glVertex2f(20, 80);
    glEnd();
    glEdgeFlag(GL_TRUE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glShadeModel(GL_SMOOTH);
    stipples();
    glFlush();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, 400, 0, 300);
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
    glutInitDisplayMode(GLUT_SINGLE | GLUT_RGB);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Points, lines and polygons");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
