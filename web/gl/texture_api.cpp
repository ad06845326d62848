// Texture objects and their images beyond the program's first calls:
// names made, deleted and asked after, one-dimensional images (kept as
// images one texel high), sub-images, and every form of glTexParameter,
// glTexEnv, glTexGen and glPixelStore, and images copied from the frame.
#include <GL/gl.h>

#include <algorithm>
#include <functional>
#include <set>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/webgl_draw.h"

using glweb::gl;

namespace {
std::set<GLuint> names;  // made by glGenTextures or bound, and not deleted
GLuint nextName = 1;

// The frame's pixels in a box, as it is now, given to `give` as tightly
// packed RGBA whatever the program's unpacking: false if `give` refused.
bool fromFrame(GLint x, GLint y, GLsizei width, GLsizei height, const std::function<bool(const uint8_t*)>& give)
{
    if (!glweb::outsideBeginEnd())
        return true;
    std::vector<uint8_t> rgba((size_t)width * (size_t)height * 4, 0);
    webglReadPixels(gl(), x, y, width, height, rgba.data());
    glweb::Context& c = gl();
    const GLenum stores[5] = {GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, GL_UNPACK_SKIP_ROWS, GL_UNPACK_SKIP_PIXELS,
                              GL_UNPACK_LSB_FIRST};
    int kept[5];
    for (int k = 0; k < 5; k++)
        kept[k] = c.pixelStoreValue(stores[k]), c.pixelStore(stores[k], k == 0 ? 1 : 0);
    const bool taken = give(rgba.data());
    for (int k = 0; k < 5; k++)
        c.pixelStore(stores[k], kept[k]);
    return taken;
}
}  // namespace

extern "C" {

void glGenTextures(GLsizei n, GLuint* out)
{
    if (n < 0)
        return glweb::raise(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < n; i++) {
        while (names.count(nextName) || gl().textures.count(nextName))
            nextName++;
        names.insert(nextName);
        out[i] = nextName++;
    }
}

void glDeleteTextures(GLsizei n, const GLuint* which)
{
    if (n < 0)
        return glweb::raise(GL_INVALID_VALUE);
    for (GLsizei i = 0; i < n; i++) {
        names.erase(which[i]);
        if (which[i])
            gl().deleteTexture(which[i]);
    }
}

GLboolean glIsTexture(GLuint name)
{
    return name && (names.count(name) || gl().textures.count(name)) ? GL_TRUE : GL_FALSE;
}

void glPrioritizeTextures(GLsizei n, const GLuint* which, const GLclampf* priorities)
{
    for (GLsizei i = 0; i < n; i++) {
        auto it = gl().textures.find(which[i]);
        if (it != gl().textures.end())
            it->second.priority = priorities[i] < 0 ? 0 : priorities[i] > 1 ? 1 : priorities[i];
    }
}

// Every texture lives in the page's memory, and WebGL's: all resident.
GLboolean glAreTexturesResident(GLsizei n, const GLuint*, GLboolean* residences)
{
    for (GLsizei i = 0; i < n; i++)
        residences[i] = GL_TRUE;
    return GL_TRUE;
}

void glTexImage1D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLint border, GLenum format,
                  GLenum type, const GLvoid* pixels)
{
    NOTED_AS("glTexImage1D", ((double)target, (double)level, (double)internalFormat, (double)width, (double)border,
                               (double)format, (double)type), nullptr);
    if (target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    if (border != 0 || width < 0 || level < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (!gl().texImage2D(width, 1, format, type, pixels, level, internalFormat))
        glweb::raise(GL_INVALID_ENUM);
}

void glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format,
                     GLenum type, const GLvoid* pixels)
{
    NOTED_AS("glTexSubImage2D", ((double)target, (double)level, (double)x, (double)y, (double)width, (double)height,
                                  (double)format, (double)type), nullptr);
    if (target != GL_TEXTURE_2D)
        return glweb::raise(GL_INVALID_ENUM);
    if (!gl().texSubImage2D(level, x, y, width, height, format, type, pixels))
        glweb::raise(GL_INVALID_VALUE);
}

void glTexSubImage1D(GLenum target, GLint level, GLint x, GLsizei width, GLenum format, GLenum type,
                     const GLvoid* pixels)
{
    if (target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    if (!gl().texSubImage2D(level, x, 0, width, 1, format, type, pixels))
        glweb::raise(GL_INVALID_VALUE);
}

void glTexParameterf(GLenum target, GLenum pname, GLfloat param) { glTexParameterfv(target, pname, &param); }
void glTexParameteriv(GLenum target, GLenum pname, const GLint* params)
{
    GLfloat p[4] = {(GLfloat)params[0], 0, 0, 0};
    if (pname == GL_TEXTURE_BORDER_COLOR)
        for (int i = 0; i < 4; i++)
            p[i] = (GLfloat)(params[i] / 2147483647.0);
    glTexParameterfv(target, pname, p);
}
void glTexParameterfv(GLenum target, GLenum pname, const GLfloat* params)
{
    if (pname != GL_TEXTURE_BORDER_COLOR && pname != GL_TEXTURE_PRIORITY)
        return glTexParameteri(target, pname, (GLint)params[0]);
    GLfloat p[4] = {params[0], 0, 0, 0};
    if (pname == GL_TEXTURE_BORDER_COLOR)
        for (int i = 0; i < 4; i++)
            p[i] = params[i];
    LISTED(glTexParameterfv(target, pname, p));
    NOTED_AS("glTexParameterfv", ((double)target, (double)pname, p[0], p[1], p[2], p[3]), glweb::fourValues(glTexParameterfv));
    if (target != GL_TEXTURE_1D && target != GL_TEXTURE_2D)
        return glweb::raise(GL_INVALID_ENUM);
    gl().texParameterv(pname, p);
}

void glTexEnvi(GLenum target, GLenum pname, GLint param) { glTexEnvf(target, pname, (GLfloat)param); }
void glTexEnviv(GLenum target, GLenum pname, const GLint* params)
{
    GLfloat p[4] = {(GLfloat)params[0], 0, 0, 0};
    if (pname == GL_TEXTURE_ENV_COLOR)
        for (int i = 0; i < 4; i++)
            p[i] = (GLfloat)(params[i] / 2147483647.0);
    glTexEnvfv(target, pname, p);
}
void glTexEnvfv(GLenum target, GLenum pname, const GLfloat* params)
{
    if (pname != GL_TEXTURE_ENV_COLOR)
        return glTexEnvf(target, pname, params[0]);
    const GLfloat r = params[0], g = params[1], b = params[2], a = params[3];
    const GLfloat c[4] = {r, g, b, a};
    LISTED(glTexEnvfv(target, pname, c));
    NOTED_AS("glTexEnvfv", ((double)target, (double)pname, r, g, b, a), glweb::fourValues(glTexEnvfv));
    for (int i = 0; i < 4; i++)
        gl().fragments.envColor[i] = c[i] < 0 ? 0 : c[i] > 1 ? 1 : c[i];
}

// --- Texture coordinates generated ---
void glTexGendv(GLenum coord, GLenum pname, const GLdouble* params)
{
    const int k = coord == GL_S ? 0 : coord == GL_T ? 1 : coord == GL_R ? 2 : coord == GL_Q ? 3 : -1;
    const GLdouble p[4] = {params[0], pname == GL_TEXTURE_GEN_MODE ? 0 : params[1],
                           pname == GL_TEXTURE_GEN_MODE ? 0 : params[2], pname == GL_TEXTURE_GEN_MODE ? 0 : params[3]};
    LISTED(glTexGendv(coord, pname, p));
    NOTED_AS("glTexGendv", ((double)coord, (double)pname, p[0], p[1], p[2], p[3]), glweb::fourValues(glTexGendv));
    if (k < 0 || (pname != GL_TEXTURE_GEN_MODE && pname != GL_OBJECT_PLANE && pname != GL_EYE_PLANE))
        return glweb::raise(GL_INVALID_ENUM);
    if (pname == GL_TEXTURE_GEN_MODE && p[0] != GL_OBJECT_LINEAR && p[0] != GL_EYE_LINEAR &&
        !(p[0] == GL_SPHERE_MAP && k < 2))
        return glweb::raise(GL_INVALID_ENUM);
    glweb::gl().texGen(k, pname, p);
}

void glTexGend(GLenum coord, GLenum pname, GLdouble param) { glTexGendv(coord, pname, &param); }
void glTexGenf(GLenum coord, GLenum pname, GLfloat param) { const GLdouble p = param; glTexGendv(coord, pname, &p); }
void glTexGeni(GLenum coord, GLenum pname, GLint param) { const GLdouble p = param; glTexGendv(coord, pname, &p); }

void glTexGenfv(GLenum coord, GLenum pname, const GLfloat* params)
{
    GLdouble p[4] = {params[0], 0, 0, 0};
    for (int i = 1; i < 4 && pname != GL_TEXTURE_GEN_MODE; i++)
        p[i] = params[i];
    glTexGendv(coord, pname, p);
}

void glTexGeniv(GLenum coord, GLenum pname, const GLint* params)
{
    GLdouble p[4] = {(GLdouble)params[0], 0, 0, 0};
    for (int i = 1; i < 4 && pname != GL_TEXTURE_GEN_MODE; i++)
        p[i] = params[i];
    glTexGendv(coord, pname, p);
}

void glPixelStoref(GLenum pname, GLfloat param) { glPixelStorei(pname, (GLint)param); }

// --- Images copied from the frame ---
void glCopyTexImage2D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y, GLsizei width,
                      GLsizei height, GLint border)
{
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    if (width < 0 || height < 0 || border != 0 || level < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (!fromFrame(x, y, width, height, [&](const uint8_t* rgba) {
            return gl().texImage2D(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba, level, (GLint)internalFormat);
        }))
        glweb::raise(GL_INVALID_ENUM);
}

void glCopyTexImage1D(GLenum target, GLint level, GLenum internalFormat, GLint x, GLint y, GLsizei width, GLint border)
{
    if (target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    glCopyTexImage2D(target, level, internalFormat, x, y, width, 1, border);
}

void glCopyTexSubImage2D(GLenum target, GLint level, GLint xoffset, GLint yoffset, GLint x, GLint y, GLsizei width,
                         GLsizei height)
{
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    if (width < 0 || height < 0 || !fromFrame(x, y, width, height, [&](const uint8_t* rgba) {
            return gl().texSubImage2D(level, xoffset, yoffset, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        }))
        glweb::raise(GL_INVALID_VALUE);
}

void glCopyTexSubImage1D(GLenum target, GLint level, GLint xoffset, GLint x, GLint y, GLsizei width)
{
    if (target != GL_TEXTURE_1D)
        return glweb::raise(GL_INVALID_ENUM);
    glCopyTexSubImage2D(target, level, xoffset, 0, x, y, width, 1);
}

}  // extern "C"
