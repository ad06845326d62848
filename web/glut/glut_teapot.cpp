// GLUT's teapot: Newell's Bezier patches (written at build time by
// make_teapot.py) drawn with GL's own evaluators, normals from the
// surface's partials, a texture coordinate square over each patch. It
// stands on the y axis, spout towards +x, as GLUT's always has.
#include <GL/glut.h>

#include <vector>

#include "web/gl/gl_notes.h"

extern const int teapotPatches[32][16];
extern const float teapotPoints[][3];

namespace {

const int solidGrid = 7, wireGrid = 10;  // steps across each patch

// A program's own map, kept while the teapot uses its target.
struct KeptMap {
    GLenum target;
    int size;
    GLint order[2] = {1, 1};
    GLfloat domain[4] = {0, 1, 0, 1};
    std::vector<GLfloat> points;
    explicit KeptMap(GLenum t, int size) : target(t), size(size)
    {
        glGetMapiv(t, GL_ORDER, order);
        glGetMapfv(t, GL_DOMAIN, domain);
        points.resize((size_t)(order[0] * order[1] * size));
        glGetMapfv(t, GL_COEFF, points.data());
    }
    ~KeptMap()
    {
        glMap2f(target, domain[0], domain[1], size, order[0], domain[2], domain[3], size * order[0], order[1],
                points.data());
    }
};

void teapot(GLdouble size, GLenum mode)
{
    static const GLfloat corners[2][2][2] = {{{0, 0}, {1, 0}}, {{0, 1}, {1, 1}}};
    const KeptMap vertices(GL_MAP2_VERTEX_3, 3), texCoords(GL_MAP2_TEXTURE_COORD_2, 2);
    glPushAttrib(GL_ENABLE_BIT | GL_EVAL_BIT);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glEnable(GL_MAP2_VERTEX_3);
    glEnable(GL_MAP2_TEXTURE_COORD_2);
    glPushMatrix();
    glRotatef(270, 1, 0, 0);  // the patches have z up
    glScalef(0.5f * (GLfloat)size, 0.5f * (GLfloat)size, 0.5f * (GLfloat)size);
    glTranslatef(0, 0, -1.575f);  // its height, 0 to 3.15, centred
    glMap2f(GL_MAP2_TEXTURE_COORD_2, 0, 1, 2, 2, 0, 1, 4, 2, &corners[0][0][0]);
    const int g = mode == GL_FILL ? solidGrid : wireGrid;
    glMapGrid2f(g, 0, 1, g, 0, 1);
    for (const auto& patch : teapotPatches) {
        GLfloat p[16][3];
        for (int k = 0; k < 16; ++k)
            for (int c = 0; c < 3; ++c) p[k][c] = teapotPoints[patch[k]][c];
        glMap2f(GL_MAP2_VERTEX_3, 0, 1, 3, 4, 0, 1, 12, 4, &p[0][0]);
        glEvalMesh2(mode, 0, g, 0, g);
    }
    glPopMatrix();
    glPopAttrib();
}

}  // namespace

extern "C" {

void glutSolidTeapot(GLdouble size)
{
    NOTED("glutSolidTeapot", glutSolidTeapot, (size));
    teapot(size, GL_FILL);
}
void glutWireTeapot(GLdouble size)
{
    NOTED("glutWireTeapot", glutWireTeapot, (size));
    teapot(size, GL_LINE);
}

}  // extern "C"
