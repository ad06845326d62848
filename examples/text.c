/* Text: GLUT's seven bitmap fonts, each a line at a raster position, one
   centred with glutBitmapLength; and its two stroke fonts, which are lines
   in model space, so they scale, turn and take a line width like any
   other geometry.
   In the gallery, its link opens the inspector on step 4,
   glutBitmapCharacter: a character of a bitmap font at the raster position. */
#include <GL/glut.h>
#include <stdlib.h>
#include <string.h>

static const struct {
    void *font;
    const char *name;
} fonts[] = {
    {GLUT_BITMAP_8_BY_13, "8 by 13: The quick brown fox's `tail'"},
    {GLUT_BITMAP_9_BY_15, "9 by 15: jumps over"},
    {GLUT_BITMAP_TIMES_ROMAN_10, "Times Roman 10: the lazy dog's back, 0123456789"},
    {GLUT_BITMAP_TIMES_ROMAN_24, "Times Roman 24: Wg"},
    {GLUT_BITMAP_HELVETICA_10, "Helvetica 10: !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
    {GLUT_BITMAP_HELVETICA_12, "Helvetica 12: ABCDEFGHIJKLMNOPQRSTUVWXYZ"},
    {GLUT_BITMAP_HELVETICA_18, "Helvetica 18: abcdefghijklm"},
};
static float turn = 0;

static void bitmapText(void *font, const char *s)
{
    for (; *s; s++)
        glutBitmapCharacter(font, *s);
}

static void strokeText(void *font, const char *s)
{
    for (; *s; s++)
        glutStrokeCharacter(font, *s);
}

static void display(void)
{
    const char *title = "GLUT's fonts";
    int i, y = 270;
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 0.4f);
    glRasterPos2i((400 - glutBitmapLength(GLUT_BITMAP_HELVETICA_18, (const unsigned char *)title)) / 2, 280);
    bitmapText(GLUT_BITMAP_HELVETICA_18, title);
    glColor3f(0.9f, 0.9f, 0.9f);
    for (i = 0; i < (int)(sizeof fonts / sizeof fonts[0]); i++) {
        y -= 24;
        glRasterPos2i(10, y);
        bitmapText(fonts[i].font, fonts[i].name);
    }
    glPushMatrix(); /* stroke text: a tenth of its font units, turned */
    glTranslatef(20, 40, 0);
    glRotatef(turn, 0, 0, 1);
    glScalef(0.25f, 0.25f, 1);
    glLineWidth(2);
    glColor3f(0.4f, 0.8f, 1);
    strokeText(GLUT_STROKE_ROMAN, "Roman");
    glPopMatrix();
    glPushMatrix();
    glTranslatef(220, 40, 0);
    glScalef(0.2f, 0.2f, 1);
    glLineWidth(1);
    glColor3f(1, 0.6f, 0.4f);
    strokeText(GLUT_STROKE_MONO_ROMAN, "Mono");
    glPopMatrix();
    glutSwapBuffers();
}

static void reshape(int w, int h)
{
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 400, 0, 300, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

static void keyboard(unsigned char key, int x, int y)
{
    (void)x, (void)y;
    if (key == 't') { /* the stroke text turns; bitmaps never do */
        turn += 10;
        glutPostRedisplay();
    } else if (key == 27 || key == 'q') {
        exit(0);
    }
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(400, 300);
    glutCreateWindow("Text");
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    return 0;
}
