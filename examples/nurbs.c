/* NURBS: a lit B-spline surface of six by six control points (cubic, so
   three by three Bezier pieces), trimmed by loops in its own (u, v)
   domain: the domain's edge as a piecewise-linear loop counter-clockwise
   (a point every tenth, since each straight piece may be drawn straight),
   a round hole from a rational NURBS circle and a triangular one, both
   clockwise, so that GLU keeps what lies to each loop's left. GLU samples
   it a fixed number of steps per unit of u and v; o shows those samples'
   triangles, c the control points; q ends.
   In the gallery, its link opens the inspector on step 5, gluEndSurface: the
   trimmed surface, made into triangles. */
#include <GL/glut.h>
#include <math.h>
#include <stdlib.h>

static GLUnurbsObj* nurbs;
static GLfloat points[6][6][3];
static GLfloat knots[10] = {0, 0, 0, 0, 1, 2, 3, 3, 3, 3};
static int outline = 0, showPoints = 0;

static void init(void)
{
    const GLfloat position[] = {-1, 2, 4, 0}, diffuse[] = {0.9f, 0.6f, 0.2f, 1}, specular[] = {1, 1, 1, 1};
    int u, v;
    for (u = 0; u < 6; u++) /* a hill with a dip at one corner */
        for (v = 0; v < 6; v++) {
            points[u][v][0] = 1.2f * (u - 2.5f);
            points[u][v][1] = 1.2f * (v - 2.5f);
            points[u][v][2] = (u == 2 || u == 3) && (v == 2 || v == 3) ? 2.5f : (u < 2 && v < 2) ? -1.5f : 0;
        }
    glClearColor(0.08f, 0.1f, 0.14f, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 60);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glEnable(GL_AUTO_NORMAL); /* GLU draws through GL's evaluators: their normals */
    glEnable(GL_NORMALIZE);
    nurbs = gluNewNurbsRenderer();
    gluNurbsProperty(nurbs, GLU_SAMPLING_METHOD, GLU_DOMAIN_DISTANCE);
    gluNurbsProperty(nurbs, GLU_U_STEP, 10);
    gluNurbsProperty(nurbs, GLU_V_STEP, 10);
}

static void trims(void)
{
    static GLfloat edge[121][2];
    static GLfloat triangle[4][2] = {{2.2f, 0.4f}, {2.0f, 0.9f}, {2.6f, 0.6f}, {2.2f, 0.4f}};
    /* A circle of radius 0.45 about (0.9, 2.1), clockwise: nine points,
       the corners weighted by the square root of a half. */
    static GLfloat circleKnots[12] = {0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 4};
    static const GLfloat corner[9][2] = {{1, 0}, {1, -1}, {0, -1}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}};
    GLfloat circle[9][3];
    int i;
    for (i = 0; i <= 120; i++) { /* along each side in turn, 30 pieces a side */
        const GLfloat t = (i % 30) / 10.0f;
        const int side = i / 30;
        edge[i][0] = side == 0 ? t : side == 1 ? 3 : side == 2 ? 3 - t : 0;
        edge[i][1] = side == 0 ? 0 : side == 1 ? t : side == 2 ? 3 : side == 3 ? 3 - t : 0;
    }
    for (i = 0; i < 9; i++) {
        const GLfloat w = i % 2 ? (GLfloat)sqrt(0.5) : 1;
        circle[i][0] = (0.9f + 0.45f * corner[i][0]) * w;
        circle[i][1] = (2.1f + 0.45f * corner[i][1]) * w;
        circle[i][2] = w;
    }
    gluBeginTrim(nurbs);
    gluPwlCurve(nurbs, 121, &edge[0][0], 2, GLU_MAP1_TRIM_2);
    gluEndTrim(nurbs);
    gluBeginTrim(nurbs);
    gluNurbsCurve(nurbs, 12, circleKnots, 3, &circle[0][0], 3, GLU_MAP1_TRIM_3);
    gluEndTrim(nurbs);
    gluBeginTrim(nurbs);
    gluPwlCurve(nurbs, 4, &triangle[0][0], 2, GLU_MAP1_TRIM_2);
    gluEndTrim(nurbs);
}

static void display(void)
{
    int u, v;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(-60, 1, 0, 0);
    glRotatef(25, 0, 0, 1);
    gluNurbsProperty(nurbs, GLU_DISPLAY_MODE, outline ? GLU_OUTLINE_POLYGON : GLU_FILL);
    gluBeginSurface(nurbs);
    gluNurbsSurface(nurbs, 10, knots, 10, knots, 6 * 3, 3, &points[0][0][0], 4, 4, GL_MAP2_VERTEX_3);
    trims();
    gluEndSurface(nurbs);
    if (showPoints) {
        glDisable(GL_LIGHTING);
        glPointSize(5);
        glColor3f(1, 1, 0);
        glBegin(GL_POINTS);
        for (u = 0; u < 6; u++)
            for (v = 0; v < 6; v++)
                glVertex3fv(points[u][v]);
        glEnd();
        glEnable(GL_LIGHTING);
    }
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40, (double)w / h, 3, 30);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -14);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 'o')
        outline = !outline;
    else if (key == 'c')
        showPoints = !showPoints;
    else if (key == 27 || key == 'q')
        exit(0);
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 400);
    glutCreateWindow("NURBS");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
