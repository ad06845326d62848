// GLU's helpers beyond the camera: images scaled and built into mipmaps,
// points projected and unprojected, the picking matrix, and the strings.
#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "glcore/matrix.h"
#include "web/gl/gl_notes.h"
#include "web/gl/pixel_formats.h"

namespace {

using glweb::componentsOf;

int largestPowerOfTwoAtMost(int n)
{
    int p = 1;
    while (p * 2 <= n)
        p *= 2;
    return p;
}

void times(const double m[16], const double in[4], double out[4])
{
    for (int r = 0; r < 4; r++)
        out[r] = m[r] * in[0] + m[4 + r] * in[1] + m[8 + r] * in[2] + m[12 + r] * in[3];
}

// The inverse of the projection times the modelview: false if it has none.
bool invertBoth(const GLdouble model[16], const GLdouble proj[16], double inverse[16])
{
    double both[16];
    for (int c = 0; c < 4; c++)
        for (int r = 0; r < 4; r++) {
            both[c * 4 + r] = 0;
            for (int k = 0; k < 4; k++)
                both[c * 4 + r] += proj[k * 4 + r] * model[c * 4 + k];
        }
    return glcore::invert(both, inverse);
}

}  // namespace

extern "C" {

const GLubyte* gluErrorString(GLenum error)
{
    static const struct {
        GLenum error;
        const char* text;
    } texts[] = {
        {GL_NO_ERROR, "no error"},
        {GL_INVALID_ENUM, "invalid enumerant"},
        {GL_INVALID_VALUE, "invalid value"},
        {GL_INVALID_OPERATION, "invalid operation"},
        {GL_STACK_OVERFLOW, "stack overflow"},
        {GL_STACK_UNDERFLOW, "stack underflow"},
        {GL_OUT_OF_MEMORY, "out of memory"},
        {GLU_INVALID_ENUM, "invalid enumerant"},
        {GLU_INVALID_VALUE, "invalid value"},
        {GLU_OUT_OF_MEMORY, "out of memory"},
        {GLU_INVALID_OPERATION, "invalid operation"},
        {GLU_NURBS_ERROR1, "the spline's order is not supported"},
        {GLU_NURBS_ERROR2, "too few knots for the spline's order"},
        {GLU_NURBS_ERROR3, "the knots leave no range to draw"},
        {GLU_NURBS_ERROR4, "the knots decrease"},
        {GLU_TESS_MISSING_BEGIN_POLYGON, "gluTessBeginPolygon is missing"},
        {GLU_TESS_MISSING_BEGIN_CONTOUR, "gluTessBeginContour is missing"},
        {GLU_TESS_MISSING_END_POLYGON, "gluTessEndPolygon is missing"},
        {GLU_TESS_MISSING_END_CONTOUR, "gluTessEndContour is missing"},
        {GLU_TESS_COORD_TOO_LARGE, "a coordinate is too large"},
        {GLU_TESS_NEED_COMBINE_CALLBACK, "crossing edges need a combine callback"},
    };
    for (const auto& t : texts)
        if (t.error == error)
            return (const GLubyte*)t.text;
    // The rest of GLU's numbered NURBS and tessellator errors, which a
    // program may print from its error callback.
    if (error >= GLU_NURBS_ERROR1 && error <= GLU_NURBS_ERROR37)
        return (const GLubyte*)"NURBS error";
    if (error >= GLU_TESS_ERROR1 && error <= GLU_TESS_ERROR8)
        return (const GLubyte*)"tessellation error";
    return nullptr;
}

const GLubyte* gluGetString(GLenum name)
{
    if (name == GLU_VERSION)
        return (const GLubyte*)"1.3";
    if (name == GLU_EXTENSIONS)
        return (const GLubyte*)"";
    return nullptr;
}

// Each output pixel the average of the input pixels its area covers
// (a box filter), or the nearest one when enlarging.
GLint gluScaleImage(GLenum format, GLint wIn, GLint hIn, GLenum typeIn, const void* dataIn, GLint wOut, GLint hOut,
                    GLenum typeOut, GLvoid* dataOut)
{
    const int n = componentsOf(format);
    if (!n)
        return GLU_INVALID_ENUM;
    if (wIn < 0 || hIn < 0 || wOut < 0 || hOut < 0)
        return GLU_INVALID_VALUE;
    if ((typeIn != GL_UNSIGNED_BYTE && typeIn != GL_FLOAT) || (typeOut != GL_UNSIGNED_BYTE && typeOut != GL_FLOAT))
        return GLU_INVALID_ENUM;
    if (wIn == 0 || hIn == 0 || wOut == 0 || hOut == 0)
        return 0;
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    auto rowBytes = [&](int w, GLenum type) {
        const size_t bytes = (size_t)w * (size_t)n * (type == GL_FLOAT ? 4 : 1);
        return (bytes + (size_t)align - 1) / (size_t)align * (size_t)align;
    };
    auto read = [&](int x, int y, int k) {
        const auto* row = static_cast<const unsigned char*>(dataIn) + (size_t)y * rowBytes(wIn, typeIn);
        if (typeIn == GL_FLOAT)
            return (double)reinterpret_cast<const float*>(row)[x * n + k];
        return row[x * n + k] / 255.0;
    };
    for (int y = 0; y < hOut; y++)
        for (int x = 0; x < wOut; x++) {
            const int x0 = x * wIn / wOut, x1 = std::max(x0 + 1, (x + 1) * wIn / wOut);
            const int y0 = y * hIn / hOut, y1 = std::max(y0 + 1, (y + 1) * hIn / hOut);
            for (int k = 0; k < n; k++) {
                double sum = 0;
                for (int yy = y0; yy < y1; yy++)
                    for (int xx = x0; xx < x1; xx++)
                        sum += read(xx, yy, k);
                const double v = sum / ((x1 - x0) * (y1 - y0));
                auto* row = static_cast<unsigned char*>(dataOut) + (size_t)y * rowBytes(wOut, typeOut);
                if (typeOut == GL_FLOAT)
                    reinterpret_cast<float*>(row)[x * n + k] = (float)v;
                else
                    row[x * n + k] = (unsigned char)std::lround(std::min(std::max(v, 0.0), 1.0) * 255);
            }
        }
    return 0;
}

// Levels from `userLevel` (the image as given, its sides powers of two)
// down to 1 x 1, each the box-filtered half of the one before; those from
// `base` to `max` given to GL.
static GLint buildLevels(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,
                  GLint userLevel, GLint base, GLint max, const void* data)
{
    const int n = componentsOf(format);
    if (!n || (type != GL_UNSIGNED_BYTE && type != GL_FLOAT))
        return GLU_INVALID_ENUM;
    int levels = 0;
    while ((1 << levels) < std::max(width, height))
        levels++;
    if (width < 1 || height < 1 || userLevel < 0 || base < userLevel || max < base || max > userLevel + levels)
        return GLU_INVALID_VALUE;
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    const size_t size = (size_t)(type == GL_FLOAT ? 4 : 1) * (size_t)n;
    int w = width, h = height;
    std::vector<unsigned char> image(((size_t)w * size + (size_t)align) * (size_t)h);
    gluScaleImage(format, w, h, type, data, w, h, type, image.data());  // read with the program's unpacking
    for (GLint level = userLevel; level <= max; level++) {
        if (level >= base && target == GL_TEXTURE_1D)
            glTexImage1D(target, level, internalFormat, w, 0, format, type, image.data());
        else if (level >= base)
            glTexImage2D(target, level, internalFormat, w, h, 0, format, type, image.data());
        const int w2 = std::max(1, w / 2), h2 = std::max(1, h / 2);
        std::vector<unsigned char> half(((size_t)w2 * size + (size_t)align) * (size_t)h2);
        gluScaleImage(format, w, h, type, image.data(), w2, h2, type, half.data());
        image.swap(half);
        w = w2;
        h = h2;
    }
    return 0;
}

// The image scaled to powers of two no larger than it, then every level.
static GLint buildMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format, GLenum type,
                   const void* data)
{
    const int n = componentsOf(format);
    if (!n || (type != GL_UNSIGNED_BYTE && type != GL_FLOAT))
        return GLU_INVALID_ENUM;
    if (width < 1 || height < 1)
        return GLU_INVALID_VALUE;
    GLint align = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    const int w = largestPowerOfTwoAtMost(width), h = largestPowerOfTwoAtMost(height);
    const size_t size = (size_t)(type == GL_FLOAT ? 4 : 1) * (size_t)n;
    std::vector<unsigned char> image(((size_t)w * size + (size_t)align) * (size_t)h);
    gluScaleImage(format, width, height, type, data, w, h, type, image.data());
    int levels = 0;
    while ((1 << levels) < std::max(w, h))
        levels++;
    return buildLevels(target, internalFormat, w, h, format, type, 0, 0, levels, image.data());
}

GLint gluBuild2DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                        GLenum type, const void* data)
{
    return buildMipmaps(target, internalFormat, width, height, format, type, data);
}

GLint gluBuild1DMipmaps(GLenum target, GLint internalFormat, GLsizei width, GLenum format, GLenum type,
                        const void* data)
{
    return buildMipmaps(target, internalFormat, width, 1, format, type, data);
}

GLint gluBuild2DMipmapLevels(GLenum target, GLint internalFormat, GLsizei width, GLsizei height, GLenum format,
                             GLenum type, GLint userLevel, GLint base, GLint max, const void* data)
{
    return buildLevels(target, internalFormat, width, height, format, type, userLevel, base, max, data);
}

GLint gluBuild1DMipmapLevels(GLenum target, GLint internalFormat, GLsizei width, GLenum format, GLenum type,
                             GLint userLevel, GLint base, GLint max, const void* data)
{
    return buildLevels(target, internalFormat, width, 1, format, type, userLevel, base, max, data);
}

GLboolean gluCheckExtension(const GLubyte* name, const GLubyte* list)
{
    if (!name || !list)
        return GL_FALSE;
    const std::string want(reinterpret_cast<const char*>(name)), all(reinterpret_cast<const char*>(list));
    for (size_t at = 0; at < all.size();) {
        const size_t end = std::min(all.find(' ', at), all.size());
        if (all.compare(at, end - at, want) == 0 && end - at == want.size())
            return GL_TRUE;
        at = end + 1;
    }
    return GL_FALSE;
}

GLint gluProject(GLdouble x, GLdouble y, GLdouble z, const GLdouble model[16], const GLdouble proj[16],
                 const GLint view[4], GLdouble* wx, GLdouble* wy, GLdouble* wz)
{
    const double object[4] = {x, y, z, 1};
    double eye[4], clip[4];
    times(model, object, eye);
    times(proj, eye, clip);
    if (clip[3] == 0)
        return GL_FALSE;
    *wx = view[0] + view[2] * (clip[0] / clip[3] + 1) / 2;
    *wy = view[1] + view[3] * (clip[1] / clip[3] + 1) / 2;
    *wz = (clip[2] / clip[3] + 1) / 2;
    return GL_TRUE;
}

GLint gluUnProject(GLdouble wx, GLdouble wy, GLdouble wz, const GLdouble model[16], const GLdouble proj[16],
                   const GLint view[4], GLdouble* x, GLdouble* y, GLdouble* z)
{
    double inverse[16];
    if (!invertBoth(model, proj, inverse) || view[2] == 0 || view[3] == 0)
        return GL_FALSE;
    const double ndc[4] = {(wx - view[0]) / view[2] * 2 - 1, (wy - view[1]) / view[3] * 2 - 1, wz * 2 - 1, 1};
    double out[4];
    times(inverse, ndc, out);
    if (out[3] == 0)
        return GL_FALSE;
    *x = out[0] / out[3];
    *y = out[1] / out[3];
    *z = out[2] / out[3];
    return GL_TRUE;
}

GLint gluUnProject4(GLdouble wx, GLdouble wy, GLdouble wz, GLdouble clipW, const GLdouble model[16],
                    const GLdouble proj[16], const GLint view[4], GLdouble nearVal, GLdouble farVal, GLdouble* x,
                    GLdouble* y, GLdouble* z, GLdouble* w)
{
    double inverse[16];
    if (!invertBoth(model, proj, inverse) || view[2] == 0 || view[3] == 0 || farVal == nearVal)
        return GL_FALSE;
    const double ndc[4] = {(wx - view[0]) / view[2] * 2 - 1, (wy - view[1]) / view[3] * 2 - 1,
                           (wz - nearVal) / (farVal - nearVal) * 2 - 1, clipW};
    double out[4];
    times(inverse, ndc, out);
    *x = out[0], *y = out[1], *z = out[2], *w = out[3];
    return GL_TRUE;
}

// Multiplies by the matrix that maps the picking region to the whole of
// the clip volume.
void gluPickMatrix(GLdouble x, GLdouble y, GLdouble width, GLdouble height, GLint view[4])
{
    NOTED_AS("gluPickMatrix", (x, y, width, height, (double)view[0], (double)view[1], (double)view[2], (double)view[3]),
             [](const double* a) {
                 GLint v[4] = {(GLint)a[4], (GLint)a[5], (GLint)a[6], (GLint)a[7]};
                 gluPickMatrix(a[0], a[1], a[2], a[3], v);
             });
    if (width <= 0 || height <= 0)
        return;
    glTranslated((view[2] - 2 * (x - view[0])) / width, (view[3] - 2 * (y - view[1])) / height, 0);
    glScaled(view[2] / width, view[3] / height, 1);
}

}  // extern "C"
