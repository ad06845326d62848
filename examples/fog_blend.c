/* Blending and fog: a row of cubes fades into the fog as it goes away
   (f, F and e choose linear, exp and exp2 fog), and three translucent
   spheres are blended over it, drawn last with the depth buffer read but
   not written, so that each shows what lies behind it; their back faces
   are culled, so that each is blended once.
   In the gallery, its link opens the inspector on step 34, glEnable:
   blending turned on for the spheres. */
#include <GL/glut.h>
#include <stdlib.h>

static GLenum fogMode = GL_LINEAR;

static void init(void)
{
    static const GLfloat fogColour[] = {0.5f, 0.5f, 0.55f, 1}, light[] = {0, 1, 1, 0};
    glClearColor(0.5f, 0.5f, 0.55f, 1);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_FOG);
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.15f);
    glFogf(GL_FOG_START, 4.0f);
    glFogf(GL_FOG_END, 16.0f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

static void display(void)
{
    static const GLfloat tints[3][4] = {{1, 0.2f, 0.2f, 0.4f}, {0.2f, 1, 0.2f, 0.4f}, {0.2f, 0.3f, 1, 0.4f}};
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glFogi(GL_FOG_MODE, fogMode);
    glColor3f(0.9f, 0.6f, 0.2f);
    for (i = 0; i < 6; i++) {
        glPushMatrix();
        glTranslatef(-1.5f + 0.9f * i, -0.6f, -4.0f - 2.2f * i);
        glRotatef(30, 0, 1, 0);
        glutSolidCube(1.0);
        glPopMatrix();
    }
    glEnable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    for (i = 0; i < 3; i++) {
        glColor4fv(tints[i]);
        glPushMatrix();
        glTranslatef(-1.2f + 1.2f * i, 0.5f, -5.0f);
        glutSolidSphere(0.8, 24, 16);
        glPopMatrix();
    }
    glDepthMask(GL_TRUE);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, (double)w / (h ? h : 1), 1.0, 40.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    switch (key) {
    case 'f': fogMode = GL_LINEAR; break;
    case 'F': fogMode = GL_EXP; break;
    case 'e': fogMode = GL_EXP2; break;
    case 27: case 'q': exit(0);
    }
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Fog and blending");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
