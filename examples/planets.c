/* Planets turning on an idle callback: a sun, a planet that turns about
   it and about itself, and a moon about the planet, each placed by the
   matrices pushed and popped around it. Space stops and starts the
   turning (the idle callback taken away and given back); 0 goes back to
   the first day; d and y step a day and a year.
   In the gallery, its link opens the inspector on step 8, glRotatef: the
   planet's turn about itself, inside its own push. */
#include <GL/glut.h>
#include <stdlib.h>

static int day = 0, spinning = 1;

static void idle(void)
{
    day = (day + 1) % 3650;
    glutPostRedisplay();
}

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glColor3f(1.0f, 0.8f, 0.2f);
    glutWireSphere(1.0, 20, 16); /* the sun */
    glRotatef(360.0f * (day % 365) / 365.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(2.6f, 0.0f, 0.0f);
    glPushMatrix();
    glRotatef(360.0f * (day % 10) / 10.0f, 0.0f, 1.0f, 0.0f);
    glColor3f(0.3f, 0.6f, 1.0f);
    glutWireSphere(0.3, 12, 8); /* the planet, turning about itself */
    glPopMatrix();
    glRotatef(360.0f * (day % 28) / 28.0f, 0.0f, 1.0f, 0.0f);
    glTranslatef(0.6f, 0.0f, 0.0f);
    glColor3f(0.8f, 0.8f, 0.8f);
    glutWireSphere(0.08, 8, 6); /* the moon */
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, (double)w / (h ? h : 1), 1.0, 30.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 3.0, 7.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    switch (key) {
    case ' ':
        spinning = !spinning;
        glutIdleFunc(spinning ? idle : NULL);
        break;
    case '0': day = 0; break;
    case 'd': day = (day + 1) % 3650; break;
    case 'y': day = (day + 365) % 3650; break;
    case 27: case 'q': exit(0);
    }
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Planets");
    glEnable(GL_DEPTH_TEST);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutIdleFunc(idle);
    glutMainLoop();
    return 0;
}
