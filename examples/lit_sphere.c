/* A lit sphere and its materials: the same sphere four times under one
   white light, each with a material of its own. Ambient is the colour in
   shadow, diffuse the colour facing the light, specular the highlight
   (its size set by the shininess), emission a glow that needs no light.
   In the gallery, its link opens the inspector on step 6, glMaterialfv: the
   first sphere's ambient colour. */
#include <GL/glut.h>
#include <stdlib.h>

static const GLfloat lightPosition[] = {2.0f, 3.0f, 4.0f, 0.0f};

static const struct {
    GLfloat ambient[4], diffuse[4], specular[4], emission[4], shininess;
} materials[4] = {
    {{0.1f, 0.0f, 0.0f, 1}, {0.7f, 0.1f, 0.1f, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, 0},            /* matt red */
    {{0.1f, 0.1f, 0.0f, 1}, {0.6f, 0.5f, 0.1f, 1}, {1, 1, 1, 1}, {0, 0, 0, 1}, 80},           /* polished gold */
    {{0.0f, 0.1f, 0.1f, 1}, {0.1f, 0.5f, 0.6f, 1}, {0.6f, 0.6f, 0.6f, 1}, {0, 0, 0, 1}, 10},  /* wide highlight */
    {{0.0f, 0.0f, 0.0f, 1}, {0.2f, 0.2f, 0.2f, 1}, {0, 0, 0, 1}, {0.1f, 0.4f, 0.1f, 1}, 0},   /* green glow */
};

static void init(void)
{
    glClearColor(0.1f, 0.1f, 0.15f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
}

static void display(void)
{
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, lightPosition); /* fixed to the eye */
    for (i = 0; i < 4; i++) {
        glPushMatrix();
        glTranslatef(-3.0f + 2.0f * i, 0.0f, -8.0f);
        glMaterialfv(GL_FRONT, GL_AMBIENT, materials[i].ambient);
        glMaterialfv(GL_FRONT, GL_DIFFUSE, materials[i].diffuse);
        glMaterialfv(GL_FRONT, GL_SPECULAR, materials[i].specular);
        glMaterialfv(GL_FRONT, GL_EMISSION, materials[i].emission);
        glMaterialf(GL_FRONT, GL_SHININESS, materials[i].shininess);
        glutSolidSphere(0.9, 32, 24);
        glPopMatrix();
    }
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(40.0, (double)w / (h ? h : 1), 1.0, 20.0);
    glMatrixMode(GL_MODELVIEW);
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
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(480, 200);
    glutCreateWindow("Materials");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
