// The queries of lights, materials, textures and the texture environment:
// what glLight, glMaterial, glTexParameter, glTexImage and glTexEnv set, in
// floats, or in integers as GL 1.1 gives them (colours scaled to the whole
// range of an int, the rest rounded). A name GL does not know there is
// GL_INVALID_ENUM, and nothing is written. And a texture's images read back.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"

using glweb::gl;

namespace {

// Writes `values` as floats or as GL's integers; `colour`: scaled.
template <typename T>
void put(const std::vector<double>& values, bool colour, T* out)
{
    if (values.empty())
        return glweb::raise(GL_INVALID_ENUM);
    for (size_t k = 0; k < values.size(); k++) {
        if (std::is_same<T, GLint>::value)
            out[k] = (T)glweb::integerOf(values[k], colour);
        else
            out[k] = (T)values[k];
    }
}

std::vector<double> of(const float* v, int n) { return std::vector<double>(v, v + n); }

template <typename T>
void getLight(GLenum light, GLenum pname, T* out)
{
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + LightingState::lightCount)
        return glweb::raise(GL_INVALID_ENUM);
    const Light& l = gl().lightingState().lights[light - GL_LIGHT0];
    const bool colour = pname == GL_AMBIENT || pname == GL_DIFFUSE || pname == GL_SPECULAR;
    switch (pname) {
    case GL_AMBIENT: return put(of(l.ambient, 4), colour, out);
    case GL_DIFFUSE: return put(of(l.diffuse, 4), colour, out);
    case GL_SPECULAR: return put(of(l.specular, 4), colour, out);
    case GL_POSITION: return put(of(l.position, 4), false, out);
    case GL_SPOT_DIRECTION: return put(of(l.spotDirection, 3), false, out);
    case GL_SPOT_EXPONENT: return put({l.spotExponent}, false, out);
    case GL_SPOT_CUTOFF: return put({l.spotCutoff}, false, out);
    case GL_CONSTANT_ATTENUATION: return put({l.attenuation[0]}, false, out);
    case GL_LINEAR_ATTENUATION: return put({l.attenuation[1]}, false, out);
    case GL_QUADRATIC_ATTENUATION: return put({l.attenuation[2]}, false, out);
    default: return put({}, false, out);
    }
}

template <typename T>
void getMaterial(GLenum face, GLenum pname, T* out)
{
    if (face != GL_FRONT && face != GL_BACK)
        return glweb::raise(GL_INVALID_ENUM);
    const Material& m = gl().lightingState().material[face == GL_BACK ? 1 : 0];
    switch (pname) {
    case GL_AMBIENT: return put(of(m.ambient, 4), true, out);
    case GL_DIFFUSE: return put(of(m.diffuse, 4), true, out);
    case GL_SPECULAR: return put(of(m.specular, 4), true, out);
    case GL_EMISSION: return put(of(m.emission, 4), true, out);
    case GL_SHININESS: return put({m.shininess}, false, out);
    default: return put({}, false, out);
    }
}

const glweb::Texture* bound(GLenum target)
{
    if (target != GL_TEXTURE_2D && target != GL_TEXTURE_1D) {
        glweb::raise(GL_INVALID_ENUM);
        return nullptr;
    }
    static const glweb::Texture none;  // texture 0 of a program that made none
    const auto& all = gl().textures;
    const auto it = all.find(gl().boundTexture());
    return it == all.end() ? &none : &it->second;
}

template <typename T>
void getTexParameter(GLenum target, GLenum pname, T* out)
{
    const glweb::Texture* t = bound(target);
    if (!t) return;
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: return put({(double)t->minFilter}, false, out);
    case GL_TEXTURE_MAG_FILTER: return put({(double)t->magFilter}, false, out);
    case GL_TEXTURE_WRAP_S: return put({(double)t->wrapS}, false, out);
    case GL_TEXTURE_WRAP_T: return put({(double)t->wrapT}, false, out);
    case GL_TEXTURE_BORDER_COLOR: return put(of(t->borderColor, 4), true, out);
    case GL_TEXTURE_PRIORITY: return put({t->priority}, false, out);
    case GL_TEXTURE_RESIDENT: return put({1}, false, out);
    default: return put({}, false, out);
    }
}

template <typename T>
void getTexLevelParameter(GLenum target, GLint level, GLenum pname, T* out)
{
    const glweb::Texture* t = bound(target);
    if (!t) return;
    if (level < 0 || level > 12)
        return glweb::raise(GL_INVALID_VALUE);
    int w = 0, h = 0;
    if (level == 0) w = t->width, h = t->height;
    else if ((size_t)level <= t->mipmaps.size()) w = t->mipmaps[(size_t)level - 1].width, h = t->mipmaps[(size_t)level - 1].height;
    switch (pname) {
    case GL_TEXTURE_WIDTH: return put({(double)w}, false, out);
    case GL_TEXTURE_HEIGHT: return put({(double)h}, false, out);
    case GL_TEXTURE_BORDER: return put({0}, false, out);
    case GL_TEXTURE_INTERNAL_FORMAT: return put({(double)(w ? t->baseFormat : 1)}, false, out);
    default: return put({}, false, out);
    }
}

template <typename T>
void getTexEnv(GLenum target, GLenum pname, T* out)
{
    if (target != GL_TEXTURE_ENV)
        return glweb::raise(GL_INVALID_ENUM);
    if (pname == GL_TEXTURE_ENV_MODE) return put({(double)gl().snapshot().texEnvMode}, false, out);
    if (pname == GL_TEXTURE_ENV_COLOR) return put(of(gl().fragments.envColor, 4), true, out);
    put({}, false, out);
}

template <typename T>
void getTexGen(GLenum coord, GLenum pname, T* out)
{
    const int k = coord == GL_S ? 0 : coord == GL_T ? 1 : coord == GL_R ? 2 : coord == GL_Q ? 3 : -1;
    if (k < 0)
        return glweb::raise(GL_INVALID_ENUM);
    const auto& g = gl().texGenOf(k);
    if (pname == GL_TEXTURE_GEN_MODE) return put({(double)g.mode}, false, out);
    if (pname == GL_OBJECT_PLANE) return put(of(g.objectPlane, 4), false, out);
    if (pname == GL_EYE_PLANE) return put(of(g.eyePlane, 4), false, out);
    put({}, false, out);
}

}  // namespace

extern "C" {

void glGetLightfv(GLenum light, GLenum pname, GLfloat* out) { getLight(light, pname, out); }
void glGetLightiv(GLenum light, GLenum pname, GLint* out) { getLight(light, pname, out); }
void glGetMaterialfv(GLenum face, GLenum pname, GLfloat* out) { getMaterial(face, pname, out); }
void glGetMaterialiv(GLenum face, GLenum pname, GLint* out) { getMaterial(face, pname, out); }
void glGetTexParameterfv(GLenum target, GLenum pname, GLfloat* out) { getTexParameter(target, pname, out); }
void glGetTexParameteriv(GLenum target, GLenum pname, GLint* out) { getTexParameter(target, pname, out); }
void glGetTexLevelParameterfv(GLenum target, GLint level, GLenum pname, GLfloat* out)
{
    getTexLevelParameter(target, level, pname, out);
}
void glGetTexLevelParameteriv(GLenum target, GLint level, GLenum pname, GLint* out)
{
    getTexLevelParameter(target, level, pname, out);
}
void glGetTexEnvfv(GLenum target, GLenum pname, GLfloat* out) { getTexEnv(target, pname, out); }
void glGetTexEnviv(GLenum target, GLenum pname, GLint* out) { getTexEnv(target, pname, out); }
void glGetTexGendv(GLenum coord, GLenum pname, GLdouble* out) { getTexGen(coord, pname, out); }
void glGetTexGenfv(GLenum coord, GLenum pname, GLfloat* out) { getTexGen(coord, pname, out); }
void glGetTexGeniv(GLenum coord, GLenum pname, GLint* out) { getTexGen(coord, pname, out); }

// A level's image at the size it was given (kept widened to powers of two,
// it is read back nearest), packed as glReadPixels packs.
void glGetTexImage(GLenum target, GLint level, GLenum format, GLenum type, GLvoid* pixels)
{
    const glweb::Texture* t = bound(target);
    if (!t) return;
    if (level < 0 || level > 12)
        return glweb::raise(GL_INVALID_VALUE);
    if (!glweb::packedSize(format, type) || format == GL_DEPTH_COMPONENT)
        return glweb::raise(GL_INVALID_ENUM);
    int w = t->width, h = t->height, sw = t->storedWidth, sh = t->storedHeight;
    const std::vector<uint8_t>* stored = &t->pixels;
    if (level > 0) {
        if ((size_t)level > t->mipmaps.size())
            return;
        const glweb::Texture::Level& l = t->mipmaps[(size_t)level - 1];
        w = sw = l.width, h = sh = l.height, stored = &l.pixels;
    }
    if (w <= 0 || h <= 0 || !pixels || stored->size() < (size_t)sw * (size_t)sh * 4)
        return;
    std::vector<uint8_t> rgba((size_t)w * (size_t)h * 4);
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++)
            std::copy_n(&(*stored)[((size_t)(j * sh / h) * (size_t)sw + (size_t)(i * sw / w)) * 4], 4,
                        &rgba[((size_t)j * (size_t)w + (size_t)i) * 4]);
    glweb::packPixels(rgba, w, h, format, type, pixels, false);
}

}  // extern "C"
