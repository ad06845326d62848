// The entry points of pixels: every form of glRasterPos, glBitmap,
// glDrawPixels, glReadPixels, glCopyPixels, glPixelZoom and
// glPixelTransfer. Bitmaps and images are unpacked when called, so display
// lists keep them as they were then.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <type_traits>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"
#include "web/gl/webgl_draw.h"

using glweb::gl;

namespace {

void rasterPos(float x, float y, float z, float w)
{
    ENTRY("glRasterPos4f", rasterPos, (x, y, z, w));
    if (glweb::outsideBeginEnd())
        gl().rasterPos(x, y, z, w);
}

// glPixelStore's packing: alignment, row length, rows and pixels skipped,
// bytes swapped (and GL_PACK_LSB_FIRST, which only bitmaps would read).
int pack[6] = {4, 0, 0, 0, 0, 0};  // alignment, row length, skip rows, skip pixels, LSB first, swap bytes
const GLenum packNames[6] = {GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH, GL_PACK_SKIP_ROWS, GL_PACK_SKIP_PIXELS,
                             GL_PACK_LSB_FIRST, GL_PACK_SWAP_BYTES};
const GLsizei maxPixelMap = 256;

// glPixelMap: a colour map's values clamped to [0, 1]; an index map's
// size a power of two, as GL asks.
void pixelMap(GLenum map, GLsizei size, const std::function<float(GLsizei)>& value)
{
    if (map < GL_PIXEL_MAP_I_TO_I || map > GL_PIXEL_MAP_A_TO_A)
        return glweb::raise(GL_INVALID_ENUM);
    const bool colour = map >= GL_PIXEL_MAP_I_TO_R;
    const bool fromIndex = map <= GL_PIXEL_MAP_I_TO_A;
    if (size < 1 || size > maxPixelMap || (fromIndex && (size & (size - 1))))
        return glweb::raise(GL_INVALID_VALUE);
    if (!glweb::outsideBeginEnd())
        return;
    std::vector<float>& table = gl().pixelMaps[map - GL_PIXEL_MAP_I_TO_I];
    table.resize((size_t)size);
    for (GLsizei i = 0; i < size; i++)
        table[(size_t)i] = colour ? std::min(std::max(value(i), 0.0f), 1.0f) : value(i);
}

// glGetPixelMap: colours in integers as the type's whole range.
template <typename T>
void getPixelMap(GLenum map, T* values)
{
    if (map < GL_PIXEL_MAP_I_TO_I || map > GL_PIXEL_MAP_A_TO_A)
        return glweb::raise(GL_INVALID_ENUM);
    if (!values)
        return;
    const bool colour = map >= GL_PIXEL_MAP_I_TO_R;
    const double top = std::is_same<T, GLuint>::value ? 4294967295.0 : 65535.0;
    for (float v : gl().pixelMaps[map - GL_PIXEL_MAP_I_TO_I])
        *values++ = std::is_same<T, GLfloat>::value ? (T)v : colour ? (T)std::llround(v * top) : (T)v;
}

// A buffer GL 1.1 names: only those the window has may be chosen (no
// right buffers, no auxiliary ones, a back one when double-buffered).
void chooseBuffer(GLenum mode, GLenum& into, bool drawing)
{
    const bool aux = mode >= GL_AUX0 && mode <= GL_AUX3;
    const bool known = mode == GL_FRONT || mode == GL_BACK || mode == GL_LEFT || mode == GL_RIGHT ||
                       mode == GL_FRONT_AND_BACK || (mode >= GL_FRONT_LEFT && mode <= GL_BACK_RIGHT) || aux ||
                       (drawing && mode == GL_NONE);
    if (!known)
        return glweb::raise(GL_INVALID_ENUM);
    const bool back = mode == GL_BACK || mode == GL_BACK_LEFT || mode == GL_BACK_RIGHT;
    const bool right = mode == GL_RIGHT || mode == GL_FRONT_RIGHT || mode == GL_BACK_RIGHT;
    if (right || aux || (back && !gl().doubleBuffered) || (!drawing && mode == GL_FRONT_AND_BACK))
        return glweb::raise(GL_INVALID_OPERATION);
    if (glweb::outsideBeginEnd())
        into = mode;
}

}  // namespace

extern "C" {

#define RASTER(suffix, T)                                                                               \
    void glRasterPos2##suffix(T x, T y) { rasterPos((float)x, (float)y, 0, 1); }                         \
    void glRasterPos3##suffix(T x, T y, T z) { rasterPos((float)x, (float)y, (float)z, 1); }             \
    void glRasterPos4##suffix(T x, T y, T z, T w) { rasterPos((float)x, (float)y, (float)z, (float)w); } \
    void glRasterPos2##suffix##v(const T* v) { rasterPos((float)v[0], (float)v[1], 0, 1); }              \
    void glRasterPos3##suffix##v(const T* v) { rasterPos((float)v[0], (float)v[1], (float)v[2], 1); }    \
    void glRasterPos4##suffix##v(const T* v) { rasterPos((float)v[0], (float)v[1], (float)v[2], (float)v[3]); }
RASTER(s, GLshort)
RASTER(i, GLint)
RASTER(f, GLfloat)
RASTER(d, GLdouble)

namespace {

// A bitmap unpacked: drawn now, or later by a list, noted either way.
void drawBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
                const std::vector<GLubyte>& bits, bool any, size_t tight)
{
    NOTED_DIRECT("glBitmap", ((double)width, (double)height, xorig, yorig, xmove, ymove), [=](const double* a) {
        gl().bitmap(width, height, (float)a[2], (float)a[3], (float)a[4], (float)a[5], any ? bits.data() : nullptr, tight);
    });
    noted_.keep(bits.data(), any ? bits.size() : 0);
    if (glweb::outsideBeginEnd())
        gl().bitmap(width, height, xorig, yorig, xmove, ymove, any ? bits.data() : nullptr, tight);
}

void drawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const std::vector<uint8_t>& rgba)
{
    NOTED_DIRECT("glDrawPixels", ((double)width, (double)height, (double)format, (double)type),
                 [=](const double*) { gl().drawPixels(width, height, rgba); });
    noted_.keep(rgba.data(), rgba.size());
    if (glweb::outsideBeginEnd())
        gl().drawPixels(width, height, rgba);
}

}  // namespace

void glBitmap(GLsizei width, GLsizei height, GLfloat xorig, GLfloat yorig, GLfloat xmove, GLfloat ymove,
              const GLubyte* bitmap)
{
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    // The bits as tight rows, each from its first byte's high bit, unpacked
    // as glPixelStore says: rows of the row length (or the width) in whole
    // bytes at the alignment, past the skipped rows and pixels, each byte
    // from its low bit first under GL_UNPACK_LSB_FIRST.
    const int* store = gl().unpack;  // alignment, row length, skip rows, skip pixels, LSB first
    const size_t align = (size_t)store[0], rowPixels = store[1] > 0 ? (size_t)store[1] : (size_t)width;
    const size_t given = ((rowPixels + 7) / 8 + align - 1) / align * align;
    const size_t tight = (size_t)(width + 7) / 8;
    std::vector<GLubyte> bits(tight * (size_t)height);
    for (size_t j = 0; bitmap && j < (size_t)height; j++)
        for (size_t i = 0; i < (size_t)width; i++) {
            const size_t at = i + (size_t)store[3];
            const GLubyte byte = bitmap[((size_t)store[2] + j) * given + at / 8];
            if (byte & (store[4] ? 1 << (at % 8) : 0x80 >> (at % 8)))
                bits[j * tight + i / 8] |= (GLubyte)(0x80 >> (i % 8));
        }
    const bool any = bitmap != nullptr;
    // A list's bitmap is noted when the list draws it, as the program's own.
    LISTED(drawBitmap(width, height, xorig, yorig, xmove, ymove, bits, any, tight));
    drawBitmap(width, height, xorig, yorig, xmove, ymove, bits, any, tight);
}

void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const GLvoid* pixels)
{
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (format == GL_DEPTH_COMPONENT || format == GL_STENCIL_INDEX)
        return;  // WebGL 1 writes neither from pixels
    std::vector<uint8_t> rgba;
    if (!gl().unpackImage(width, height, format, type, pixels, rgba))
        return glweb::raise(GL_INVALID_ENUM);
    LISTED(drawPixels(width, height, format, type, rgba));
    drawPixels(width, height, format, type, rgba);
}

void glPixelZoom(GLfloat x, GLfloat y)
{
    ENTRY("glPixelZoom", glPixelZoom, (x, y));
    gl().pixelZoom[0] = x;
    gl().pixelZoom[1] = y;
}

void glPixelTransferf(GLenum pname, GLfloat value)
{
    ENTRY("glPixelTransferf", glPixelTransferf, (pname, value));
    glweb::Context& c = gl();
    switch (pname) {
    case GL_MAP_COLOR: c.mapColor = value != 0; return;
    case GL_MAP_STENCIL: c.mapStencil = value != 0; return;
    case GL_INDEX_SHIFT: c.indexShift = value; return;
    case GL_INDEX_OFFSET: c.indexOffset = value; return;
    case GL_DEPTH_SCALE: c.depthScale = value; return;
    case GL_DEPTH_BIAS: c.depthBias = value; return;
    default: break;
    }
    const GLenum scales[4] = {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE};
    const GLenum biases[4] = {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS};
    for (int k = 0; k < 4; k++) {
        if (pname == scales[k])
            return void(c.transferScale[k] = value);
        if (pname == biases[k])
            return void(c.transferBias[k] = value);
    }
    glweb::raise(GL_INVALID_ENUM);
}

void glPixelTransferi(GLenum pname, GLint value) { glPixelTransferf(pname, (GLfloat)value); }

// The frame so far is drawn first, so that what is read is what the
// program drew before it asked.
void glReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, GLvoid* pixels)
{
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (!glweb::packedSize(format, type))
        return glweb::raise(GL_INVALID_ENUM);
    if (!glweb::outsideBeginEnd() || !pixels)
        return;
    std::vector<uint8_t> rgba((size_t)width * (size_t)height * 4, 0);
    if (format != GL_DEPTH_COMPONENT)
        webglReadPixels(gl(), x, y, width, height, rgba.data());
    glweb::packPixels(rgba, width, height, format, type, pixels, true);
}

void glCopyPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum type)
{
    LISTED(glCopyPixels(x, y, width, height, type));  // a list copies when it is called
    if (width < 0 || height < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (type != GL_COLOR && type != GL_DEPTH && type != GL_STENCIL)
        return glweb::raise(GL_INVALID_ENUM);
    if (!glweb::outsideBeginEnd() || type != GL_COLOR)
        return;  // depth and stencil: WebGL 1 reads neither
    std::vector<uint8_t> rgba((size_t)width * (size_t)height * 4, 0);
    webglReadPixels(gl(), x, y, width, height, rgba.data());
    // Made again as the pixels it copied then.
    NOTED_DIRECT("glCopyPixels", ((double)x, (double)y, (double)width, (double)height, (double)type),
             [=](const double*) { gl().drawPixels(width, height, rgba); });
    noted_.keep(rgba.data(), rgba.size());
    gl().drawPixels(width, height, rgba);
}

// A list keeps its own copy of the values.
#define PIXEL_MAP(suffix, T, scale)                                                                       \
    void glPixelMap##suffix(GLenum map, GLsizei size, const T* values)                                    \
    {                                                                                                     \
        if (!values)                                                                                      \
            return;                                                                                       \
        if (glweb::compiling()) {                                                                         \
            const std::vector<T> kept(values, values + std::max(size, 0));                                \
            if (glweb::keep([=] { glPixelMap##suffix(map, size, kept.data()); }))                         \
                return;                                                                                   \
        }                                                                                                 \
        const bool colour = map >= GL_PIXEL_MAP_I_TO_R && map <= GL_PIXEL_MAP_A_TO_A;                     \
        pixelMap(map, size, [&](GLsizei i) { return (float)(colour ? values[i] / (scale) : values[i]); }); \
    }                                                                                                     \
    void glGetPixelMap##suffix(GLenum map, T* values) { getPixelMap(map, values); }
PIXEL_MAP(fv, GLfloat, 1.0)
PIXEL_MAP(uiv, GLuint, 4294967295.0)
PIXEL_MAP(usv, GLushort, 65535.0)

void glDrawBuffer(GLenum mode)
{
    ENTRY("glDrawBuffer", glDrawBuffer, (mode));
    chooseBuffer(mode, gl().drawBuffer, true);
}

void glReadBuffer(GLenum mode) { chooseBuffer(mode, gl().readBuffer, false); }

}  // extern "C"

// The pack alignment, beside the unpack state the context keeps.
namespace glweb {
int packedSize(GLenum format, GLenum type)
{
    const int n = format == GL_RGBA ? 4 : format == GL_RGB ? 3 : format == GL_LUMINANCE_ALPHA ? 2
                : (format == GL_RED || format == GL_GREEN || format == GL_BLUE || format == GL_ALPHA ||
                   format == GL_LUMINANCE || format == GL_DEPTH_COMPONENT) ? 1 : 0;
    return type == GL_UNSIGNED_BYTE ? n : type == GL_FLOAT ? 4 * n : 0;
}

void packPixels(const std::vector<uint8_t>& rgba, int width, int height, GLenum format, GLenum type, void* pixels,
                bool frame)
{
    const size_t size = type == GL_FLOAT ? 4 : 1, n = (size_t)packedSize(format, type) / size;
    const size_t align = (size_t)pack[0], rowPixels = pack[1] > 0 ? (size_t)pack[1] : (size_t)width;
    const size_t row = (rowPixels * n * size + align - 1) / align * align;
    pixels = static_cast<uint8_t*>(pixels) + (size_t)pack[2] * row + (size_t)pack[3] * n * size;
    for (size_t j = 0; j < (size_t)height; j++)
        for (size_t i = 0; i < (size_t)width; i++) {
            const uint8_t* p = &rgba[(j * (size_t)width + i) * 4];
            float c[4];
            for (int k = 0; k < 4; k++)
                c[k] = p[k] / 255.0f;
            float out[4] = {c[0], c[1], c[2], c[3]};
            // Luminance read from the frame is the sum of its colours, from a texture its red.
            if (format == GL_LUMINANCE || format == GL_LUMINANCE_ALPHA)
                out[0] = frame ? std::min(1.0f, c[0] + c[1] + c[2]) : c[0], out[1] = c[3];
            else if (format == GL_GREEN) out[0] = c[1];
            else if (format == GL_BLUE) out[0] = c[2];
            else if (format == GL_ALPHA) out[0] = c[3];
            else if (format == GL_DEPTH_COMPONENT) out[0] = 0;  // WebGL 1 reads no depth
            auto* to = static_cast<uint8_t*>(pixels) + j * row + i * n * size;
            for (size_t k = 0; k < n; k++) {
                if (type == GL_FLOAT) {
                    std::memcpy(to + k * 4, &out[k], 4);
                    if (pack[5])
                        std::reverse(to + k * 4, to + k * 4 + 4);
                } else
                    to[k] = (uint8_t)(out[k] * 255 + 0.5f);
            }
        }
}

int* packValues()
{
    return pack;
}

bool packStore(GLenum pname, GLint param)
{
    for (int k = 0; k < 6; k++) {
        if (pname != packNames[k])
            continue;
        if (k == 0 && param != 1 && param != 2 && param != 4 && param != 8)
            raise(GL_INVALID_VALUE);
        else if (k > 0 && k < 4 && param < 0)
            raise(GL_INVALID_VALUE);
        else
            pack[k] = k >= 4 ? param != 0 : param;
        return true;
    }
    return false;
}

bool packState(GLenum pname, std::vector<double>& out)
{
    for (int k = 0; k < 6; k++)
        if (pname == packNames[k]) {
            out = {(double)pack[k]};
            return true;
        }
    return false;
}
}  // namespace glweb
