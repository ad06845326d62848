/* A robot arm built as a hierarchy of GLUT solids: a base, a shoulder, an
   upper arm, an elbow, a forearm and two fingers, each placed by the
   matrices of the parts it hangs from. Each part is drawn inside its own
   glPushMatrix and glPopMatrix, so that scaling a cube into an arm's
   shape does not scale the parts beyond it, while a turn at the shoulder
   carries the elbow and the fingers along. s and S turn the shoulder, e
   and E the elbow, f and F open and close the fingers; q ends.
   In the gallery, its link opens the inspector on step 25, glutSolidCube:
   the forearm, scaled inside its own push. */
#include <GL/glut.h>
#include <stdlib.h>

static int shoulder = 30, elbow = 60, grip = 20;

static void init(void)
{
    static const GLfloat light[] = {1, 2, 3, 0}, white[] = {1, 1, 1, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT, GL_SPECULAR, white);
    glMaterialf(GL_FRONT, GL_SHININESS, 30.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_NORMALIZE); /* the cubes are scaled, their normals with them */
    glClearColor(0.15f, 0.15f, 0.18f, 1);
}

/* A cube stretched to a part `length` long along x, from where it hangs. */
static void part(GLfloat length, GLfloat thickness)
{
    glPushMatrix();
    glTranslatef(length / 2, 0, 0);
    glScalef(length, thickness, thickness);
    glutSolidCube(1.0);
    glPopMatrix();
}

static void finger(GLfloat turn)
{
    glPushMatrix();
    glRotatef(turn, 0, 0, 1);
    part(0.6f, 0.12f);
    glPopMatrix();
}

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(-1.2f, -1.5f, 0);
    glColor3f(0.4f, 0.4f, 0.45f);
    glPushMatrix(); /* the base, flattened */
    glScalef(1.6f, 0.3f, 1.2f);
    glutSolidCube(1.0);
    glPopMatrix();
    glTranslatef(0, 0.15f, 0);
    glRotatef((GLfloat)shoulder, 0, 0, 1);
    glColor3f(0.9f, 0.6f, 0.1f);
    glutSolidSphere(0.3, 20, 12); /* the shoulder */
    part(2.0f, 0.4f);             /* the upper arm */
    glTranslatef(2.0f, 0, 0);
    glRotatef((GLfloat)elbow, 0, 0, 1);
    glColor3f(0.2f, 0.6f, 0.9f);
    glutSolidSphere(0.25, 20, 12); /* the elbow */
    part(1.6f, 0.3f);              /* the forearm */
    glTranslatef(1.6f, 0, 0);
    glColor3f(0.8f, 0.8f, 0.8f);
    finger((GLfloat)grip);
    finger((GLfloat)-grip);
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, (double)w / (h ? h : 1), 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(1.0, 1.5, 5.5, 0.3, 0.2, 0.0, 0.0, 1.0, 0.0);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    switch (key) {
    case 's': shoulder = (shoulder + 5) % 360; break;
    case 'S': shoulder = (shoulder + 355) % 360; break;
    case 'e': elbow = (elbow + 5) % 360; break;
    case 'E': elbow = (elbow + 355) % 360; break;
    case 'f': if (grip < 60) grip += 5; break;
    case 'F': if (grip > 0) grip -= 5; break;
    case 27:
    case 'q': exit(0);
    default: return;
    }
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Robot arm");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
