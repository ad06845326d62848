/* Two texture objects: two textures made in memory, bricks and a target
   of rings, each given its name by glGenTextures and its image and
   filters once, while it is bound. Drawing then only binds the one a face
   needs: the cube's sides take the bricks and its top and bottom the
   rings, and a floor beneath takes the rings again, repeated. Each object
   keeps its own filters: the bricks are magnified as blocks
   (GL_NEAREST), the rings smoothly (GL_LINEAR). Space turns the cube; q
   ends.
   In the gallery, its link opens the inspector on step 9, glBindTexture:
   the rings bound for the cube's top and bottom. */
#include <GL/glut.h>
#include <math.h>
#include <stdlib.h>

#define SIZE 32
static GLubyte bricks[SIZE][SIZE][3], rings[SIZE][SIZE][3];
static GLuint textures[2];
static float turn = 30;

static void makeImages(void)
{
    int x, y;
    for (y = 0; y < SIZE; y++)
        for (x = 0; x < SIZE; x++) {
            /* bricks 16 by 8, each row shifted by half a brick, mortar between */
            int shift = (y / 8) % 2 ? 8 : 0, mortar = y % 8 == 0 || (x + shift) % 16 == 0;
            double r = sqrt((x - 15.5) * (x - 15.5) + (y - 15.5) * (y - 15.5));
            bricks[y][x][0] = (GLubyte)(mortar ? 200 : 160 + (x * 7 + y * 3) % 40);
            bricks[y][x][1] = (GLubyte)(mortar ? 200 : 60);
            bricks[y][x][2] = (GLubyte)(mortar ? 190 : 40);
            rings[y][x][0] = rings[y][x][1] = (GLubyte)((int)(r / 3) % 2 ? 240 : 40);
            rings[y][x][2] = 255;
        }
}

static void init(void)
{
    static const GLubyte* images[2] = {&bricks[0][0][0], &rings[0][0][0]};
    static const GLint filters[2] = {GL_NEAREST, GL_LINEAR};
    int i;
    makeImages();
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glGenTextures(2, textures);
    for (i = 0; i < 2; i++) {
        glBindTexture(GL_TEXTURE_2D, textures[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters[i]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, SIZE, SIZE, 0, GL_RGB, GL_UNSIGNED_BYTE, images[i]);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.2f, 0.25f, 0.3f, 1);
}

/* A square face of the cube, its corners' texture coordinates 0 to 1. */
static void face(const GLfloat corners[4][3])
{
    static const GLfloat st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    int i;
    glBegin(GL_QUADS);
    for (i = 0; i < 4; i++) {
        glTexCoord2fv(st[i]);
        glVertex3fv(corners[i]);
    }
    glEnd();
}

static void display(void)
{
    static const GLfloat sides[4][4][3] = {
        {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},     {{1, -1, 1}, {1, -1, -1}, {1, 1, -1}, {1, 1, 1}},
        {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}, {{-1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}}};
    static const GLfloat ends[2][4][3] = {{{-1, 1, 1}, {1, 1, 1}, {1, 1, -1}, {-1, 1, -1}},
                                          {{-1, -1, -1}, {1, -1, -1}, {1, -1, 1}, {-1, -1, 1}}};
    int i;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glRotatef(turn, 0, 1, 0);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    for (i = 0; i < 4; i++)
        face(sides[i]);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    for (i = 0; i < 2; i++)
        face(ends[i]);
    glPopMatrix();
    glBegin(GL_QUADS); /* the floor, the rings repeated four times each way */
    glTexCoord2f(0, 0); glVertex3f(-4, -1.5f, 4);
    glTexCoord2f(4, 0); glVertex3f(4, -1.5f, 4);
    glTexCoord2f(4, 4); glVertex3f(4, -1.5f, -4);
    glTexCoord2f(0, 4); glVertex3f(-4, -1.5f, -4);
    glEnd();
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
    gluLookAt(0.0, 2.5, 6.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 27 || key == 'q')
        exit(0);
    if (key == ' ') {
        turn += 15;
        glutPostRedisplay();
    }
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB | GLUT_DEPTH);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Two textures");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
