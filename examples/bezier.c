/* Evaluators: a Bezier curve of four control points drawn by glMap1 and
   glEvalMesh1 beside its control polygon, three points on it from
   glEvalCoord1, and a lit Bezier surface of four
   by four points whose normals GL works out itself (GL_AUTO_NORMAL),
   drawn filled or as its grid (w), finer or coarser with + and -.
   In the gallery, its link opens the inspector on step 4, glEvalMesh1: the
   curve evaluated at 31 points. */
#include <GL/glut.h>
#include <stdlib.h>

static const GLfloat curve[4][3] = {{-1.8f, -0.6f, 0}, {-1.4f, 0.9f, 0}, {-0.6f, -0.9f, 0}, {-0.2f, 0.6f, 0}};
static GLfloat surface[4][4][3];
static int steps = 8, wire = 0;

static void init(void)
{
    const GLfloat position[] = {1, 2, 3, 0}, diffuse[] = {0.3f, 0.6f, 1, 1}, specular[] = {1, 1, 1, 1};
    int i, j;
    for (i = 0; i < 4; i++)
        for (j = 0; j < 4; j++) {
            surface[i][j][0] = 0.5f * (i - 1.5f);
            surface[i][j][1] = 0.5f * (j - 1.5f);
            surface[i][j][2] = ((i == 1 || i == 2) && (j == 1 || j == 2)) ? 1.2f : -0.3f;
        }
    glClearColor(0.1f, 0.1f, 0.1f, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glEnable(GL_LIGHT0);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 40);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 4, &curve[0][0]);
    glMap2f(GL_MAP2_VERTEX_3, 0, 1, 3, 4, 0, 1, 12, 4, &surface[0][0][0]);
    glEnable(GL_MAP1_VERTEX_3);
    glEnable(GL_MAP2_VERTEX_3);
}

static void display(void)
{
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 0.3f); /* the curve, from 30 points on it */
    glMapGrid1f(30, 0, 1);
    glEvalMesh1(GL_LINE, 0, 30);
    glPointSize(5); /* its control points and polygon */
    glColor3f(1, 0.3f, 0.3f);
    glBegin(GL_POINTS);
    for (i = 0; i < 4; i++)
        glVertex3fv(curve[i]);
    glEnd();
    glColor3f(0.5f, 0.5f, 0.5f);
    glBegin(GL_LINE_STRIP);
    for (i = 0; i < 4; i++)
        glVertex3fv(curve[i]);
    glEnd();
    glColor3f(0.3f, 1, 0.3f); /* points on the curve at a quarter, a half and three quarters */
    glBegin(GL_POINTS);
    for (i = 1; i < 4; i++)
        glEvalCoord1f(i / 4.0f);
    glEnd();
    glPushMatrix(); /* the surface */
    glTranslatef(1.1f, 0, 0);
    glRotatef(-60, 1, 0, 0);
    glRotatef(20, 0, 0, 1);
    glEnable(GL_LIGHTING);
    glMapGrid2f(steps, 0, 1, steps, 0, 1);
    glEvalMesh2(wire ? GL_LINE : GL_FILL, 0, steps, 0, steps);
    glDisable(GL_LIGHTING);
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-2.1, 2.1, -1.5, 1.5, -5, 5);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 'w')
        wire = !wire;
    else if (key == '+' && steps < 40)
        steps *= 2;
    else if (key == '-' && steps > 1)
        steps /= 2;
    else if (key == 27 || key == 'q')
        exit(0);
    glutPostRedisplay();
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(420, 300);
    glutCreateWindow("Bezier");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
