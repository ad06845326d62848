/* A checkerboard texture with mipmaps: the board made in memory, given
   to GL with gluBuild2DMipmaps, and laid on a floor that runs far away,
   where the trilinear filter (GL_LINEAR_MIPMAP_LINEAR) blends the squares
   to grey instead of letting them shimmer. A sphere beside the board has
   coordinates GL makes itself (glTexGen) from its object's x and y, from
   the eye's, or as a sphere map: g changes which. m, n and l choose the
   filter; r and d the texture environment (replace, or modulate with the
   colour).
   In the gallery, its link opens the inspector on step 4, glBegin: the
   floor, its far squares blended by the mipmaps. */
#include <GL/glut.h>
#include <stdlib.h>

#define SIZE 64
static GLubyte board[SIZE][SIZE][3];
static GLuint texture;
static GLint minFilter = GL_LINEAR_MIPMAP_LINEAR;
static GLint envMode = GL_MODULATE;
static const GLint genModes[3] = {GL_OBJECT_LINEAR, GL_EYE_LINEAR, GL_SPHERE_MAP};
static int genMode = 0;

static void init(void)
{
    int i, j;
    for (i = 0; i < SIZE; i++)
        for (j = 0; j < SIZE; j++) {
            GLubyte c = ((i & 8) ^ (j & 8)) ? 255 : 30;
            board[i][j][0] = c;
            board[i][j][1] = c;
            board[i][j][2] = (GLubyte)(c / 2 + 60);
        }
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, SIZE, SIZE, GL_RGB, GL_UNSIGNED_BYTE, board);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glMatrixMode(GL_MODELVIEW); /* eye planes are taken through the modelview as it is now */
    glLoadIdentity();
    {
        const GLfloat s[4] = {2, 0, 0, 0}, t[4] = {0, 2, 0, 0};
        glTexGenfv(GL_S, GL_OBJECT_PLANE, s);
        glTexGenfv(GL_T, GL_OBJECT_PLANE, t);
        glTexGenfv(GL_S, GL_EYE_PLANE, s);
        glTexGenfv(GL_T, GL_EYE_PLANE, t);
    }
    glClearColor(0.2f, 0.3f, 0.5f, 1);
}

static void display(void)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, envMode);
    glBegin(GL_QUADS); /* the floor, 40 units deep, the board 20 times over */
    glColor3f(1.0f, 0.9f, 0.7f);
    glTexCoord2f(0, 0); glVertex3f(-4, -1, -1);
    glTexCoord2f(2, 0); glVertex3f(4, -1, -1);
    glTexCoord2f(2, 20); glVertex3f(4, -1, -41);
    glTexCoord2f(0, 20); glVertex3f(-4, -1, -41);
    glEnd();
    glBegin(GL_QUADS); /* and the board once, upright */
    glColor3f(0.6f, 1.0f, 0.6f);
    glTexCoord2f(0, 0); glVertex3f(-0.8f, -0.4f, -3);
    glTexCoord2f(1, 0); glVertex3f(0.8f, -0.4f, -3);
    glTexCoord2f(1, 1); glVertex3f(0.8f, 1.2f, -3);
    glTexCoord2f(0, 1); glVertex3f(-0.8f, 1.2f, -3);
    glEnd();
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, genModes[genMode]);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, genModes[genMode]);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glPushMatrix();
    glTranslatef(1.35f, 0.4f, -3.2f);
    glColor3f(1, 0.75f, 0.75f);
    glutSolidSphere(0.45, 24, 16);
    glPopMatrix();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(50.0, (double)w / (h ? h : 1), 0.5, 60.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    switch (key) {
    case 'm': minFilter = GL_LINEAR_MIPMAP_LINEAR; break;
    case 'n': minFilter = GL_NEAREST; break;
    case 'l': minFilter = GL_LINEAR; break;
    case 'r': envMode = GL_REPLACE; break;
    case 'd': envMode = GL_MODULATE; break;
    case 'g': genMode = (genMode + 1) % 3; break;
    case 27: case 'q': exit(0);
    }
    glutPostRedisplay();
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Checkerboard");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
