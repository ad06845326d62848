// The scalar and integer forms of glLight, glLightModel and glMaterial:
// each becomes the float vector form, integers of colours scaled as GL
// 1.1 scales them.
#include <GL/gl.h>

#include "web/gl/gl_api.h"

namespace {

bool isColour(GLenum pname)
{
    return pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR || pname == GL_EMISSION ||
           pname == GL_AMBIENT_AND_DIFFUSE || pname == GL_LIGHT_MODEL_AMBIENT;
}

int count(GLenum pname)
{
    return isColour(pname) || pname == GL_POSITION ? 4 : pname == GL_SPOT_DIRECTION ? 3 : 1;
}

void floats(GLenum pname, const GLint* in, GLfloat out[4])
{
    for (int i = 0; i < count(pname); i++)
        out[i] = isColour(pname) ? (GLfloat)((2.0 * in[i] + 1) / 4294967295.0) : (GLfloat)in[i];
}

}  // namespace

extern "C" {

void glLightf(GLenum light, GLenum pname, GLfloat param) { const GLfloat p[4] = {param}; glLightfv(light, pname, p); }
void glLighti(GLenum light, GLenum pname, GLint param) { glLightf(light, pname, (GLfloat)param); }
void glLightiv(GLenum light, GLenum pname, const GLint* params)
{
    GLfloat p[4] = {0, 0, 0, 0};
    floats(pname, params, p);
    glLightfv(light, pname, p);
}

void glLightModelf(GLenum pname, GLfloat param) { const GLfloat p[4] = {param}; glLightModelfv(pname, p); }
void glLightModeli(GLenum pname, GLint param) { glLightModelf(pname, (GLfloat)param); }
void glLightModeliv(GLenum pname, const GLint* params)
{
    GLfloat p[4] = {0, 0, 0, 0};
    floats(pname, params, p);
    glLightModelfv(pname, p);
}

void glMaterialf(GLenum face, GLenum pname, GLfloat param) { const GLfloat p[4] = {param}; glMaterialfv(face, pname, p); }
void glMateriali(GLenum face, GLenum pname, GLint param) { glMaterialf(face, pname, (GLfloat)param); }
void glMaterialiv(GLenum face, GLenum pname, const GLint* params)
{
    GLfloat p[4] = {0, 0, 0, 0};
    floats(pname, params, p);
    glMaterialfv(face, pname, p);
}

}  // extern "C"
