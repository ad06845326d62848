/* Text through a font list: each printable character of two of GLUT's
   bitmap fonts is compiled once into a display list of its own, the list
   numbered by the character's code from a base (glGenLists gives the
   base). A string is then drawn by one glCallLists: each of its bytes is
   a list's number, counted from the base glListBase sets, so the same
   string comes out in the other font by changing the base alone. Space
   swaps the fonts of the last two lines; q ends.
   In the gallery, its link opens the inspector on step 5, glCallLists: a
   line of text, a list for each character. */
#include <GL/glut.h>
#include <stdlib.h>
#include <string.h>

#define FIRST 32 /* the printable characters, space to tilde */
#define COUNT 95
static GLuint fixedFont, romanFont;
static int swapped = 0;

/* The lists base + c, each drawing character c and moving the raster
   position on by its width, as a font's lists do. */
static GLuint makeFont(void* font)
{
    GLuint base = glGenLists(FIRST + COUNT);
    int c;
    for (c = FIRST; c < FIRST + COUNT; c++) {
        glNewList(base + c, GL_COMPILE);
        glutBitmapCharacter(font, c);
        glEndList();
    }
    return base;
}

static void init(void)
{
    fixedFont = makeFont(GLUT_BITMAP_9_BY_15);
    romanFont = makeFont(GLUT_BITMAP_TIMES_ROMAN_24);
    glClearColor(0.1f, 0.12f, 0.2f, 1);
}

static void line(GLuint font, int y, const char* s)
{
    glRasterPos2i(12, y);
    glListBase(font);
    glCallLists((GLsizei)strlen(s), GL_UNSIGNED_BYTE, s);
}

static void display(void)
{
    const char* same = "One string, two fonts: ~{[(|)]}~";
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 0.85f, 0.3f);
    line(romanFont, 250, "A font as display lists");
    glColor3f(0.85f, 0.9f, 1.0f);
    line(fixedFont, 215, "glCallLists(n, GL_UNSIGNED_BYTE, text)");
    line(fixedFont, 195, "draws list base + text[i] for each i.");
    glColor3f(0.5f, 1.0f, 0.6f);
    line(swapped ? romanFont : fixedFont, 140, same);
    glColor3f(1.0f, 0.6f, 0.8f);
    line(swapped ? fixedFont : romanFont, 100, same);
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, w, 0, h);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 27 || key == 'q')
        exit(0);
    if (key == ' ') {
        swapped = !swapped;
        glutPostRedisplay();
    }
}

int main(int argc, char** argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(440, 280);
    glutCreateWindow("Font list");
    init();
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
