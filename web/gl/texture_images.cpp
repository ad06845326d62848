// Texture images and parameters: each image unpacked as glPixelStore says,
// turned to RGBA as its internal format keeps it, and widened to powers of
// two by nearest sampling, which leaves what a GL_NEAREST lookup shows
// unchanged (WebGL 1 repeats no other size; Mesa takes any).
#include <algorithm>

#include "web/gl/gl_context.h"
#include "web/gl/pixel_formats.h"

namespace glweb {

namespace {

int nextPowerOfTwo(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

// The base format an internal format keeps (0 for none GL knows).
GLenum baseOf(GLint internal)
{
    switch (internal) {
    case 1: case GL_LUMINANCE: case GL_LUMINANCE4: case GL_LUMINANCE8: case GL_LUMINANCE12: case GL_LUMINANCE16:
        return GL_LUMINANCE;
    case 2: case GL_LUMINANCE_ALPHA: case GL_LUMINANCE4_ALPHA4: case GL_LUMINANCE6_ALPHA2: case GL_LUMINANCE8_ALPHA8:
    case GL_LUMINANCE12_ALPHA4: case GL_LUMINANCE12_ALPHA12: case GL_LUMINANCE16_ALPHA16:
        return GL_LUMINANCE_ALPHA;
    case GL_ALPHA: case GL_ALPHA4: case GL_ALPHA8: case GL_ALPHA12: case GL_ALPHA16: return GL_ALPHA;
    case GL_INTENSITY: case GL_INTENSITY4: case GL_INTENSITY8: case GL_INTENSITY12: case GL_INTENSITY16:
        return GL_INTENSITY;
    case 3: case GL_RGB: case GL_R3_G3_B2: case GL_RGB4: case GL_RGB5: case GL_RGB8: case GL_RGB10: case GL_RGB12:
    case GL_RGB16:
        return GL_RGB;
    case 4: case GL_RGBA: case GL_RGBA2: case GL_RGBA4: case GL_RGB5_A1: case GL_RGBA8: case GL_RGB10_A2:
    case GL_RGBA12: case GL_RGBA16:
        return GL_RGBA;
    default: return 0;
    }
}

// One component as a value from 0 to 1.
float component(const uint8_t* p, GLenum type)
{
    switch (type) {
    case GL_UNSIGNED_BYTE: return *p / 255.0f;
    case GL_BYTE: return std::max(0.0f, (float)*(const int8_t*)p / 127.0f);
    case GL_UNSIGNED_SHORT: { uint16_t v; std::memcpy(&v, p, 2); return v / 65535.0f; }
    case GL_SHORT: { int16_t v; std::memcpy(&v, p, 2); return std::max(0.0f, v / 32767.0f); }
    case GL_UNSIGNED_INT: { uint32_t v; std::memcpy(&v, p, 4); return (float)(v / 4294967295.0); }
    case GL_INT: { int32_t v; std::memcpy(&v, p, 4); return std::max(0.0f, (float)(v / 2147483647.0)); }
    default: { float v; std::memcpy(&v, p, 4); return std::min(std::max(v, 0.0f), 1.0f); }
    }
}

// A pixel of the program's as RGBA, then as the base format keeps it.
void toStored(const uint8_t* p, GLenum format, GLenum type, GLenum base, uint8_t out[4])
{
    if (type == GL_UNSIGNED_BYTE && (format == GL_RGB || format == GL_RGBA) && (base == GL_RGB || base == GL_RGBA)) {
        out[0] = p[0];  // the usual image, as it is: no conversion through floats
        out[1] = p[1];
        out[2] = p[2];
        out[3] = format == GL_RGBA && base == GL_RGBA ? p[3] : 255;
        return;
    }
    const int size = bytesOf(type);
    float c[4] = {0, 0, 0, 1};
    switch (format) {
    case GL_RED: c[0] = component(p, type); break;
    case GL_GREEN: c[1] = component(p, type); break;
    case GL_BLUE: c[2] = component(p, type); break;
    case GL_ALPHA: c[3] = component(p, type); break;
    case GL_LUMINANCE: c[0] = c[1] = c[2] = component(p, type); break;
    case GL_LUMINANCE_ALPHA: c[0] = c[1] = c[2] = component(p, type); c[3] = component(p + size, type); break;
    case GL_BGR: case GL_BGRA:
        for (int i = 0; i < componentsOf(format); i++)
            c[i == 3 ? 3 : 2 - i] = component(p + i * size, type);
        break;
    default:
        for (int i = 0; i < componentsOf(format); i++)
            c[i] = component(p + i * size, type);
    }
    // A luminance or intensity takes red; the channels a format lacks are
    // those its texture environment leaves to the fragment.
    if (base == GL_LUMINANCE || base == GL_LUMINANCE_ALPHA)
        c[1] = c[2] = c[0];
    if (base == GL_INTENSITY)
        c[1] = c[2] = c[3] = c[0];
    if (base == GL_ALPHA)
        c[0] = c[1] = c[2] = 1;
    if (base == GL_RGB || base == GL_LUMINANCE)
        c[3] = 1;
    for (int i = 0; i < 4; i++)
        out[i] = (uint8_t)(c[i] * 255 + 0.5f);
}

}  // namespace

bool Texture::complete() const
{
    if (width <= 0 || height <= 0)
        return false;
    if (!mipmapped())
        return true;
    // Every level down to 1 x 1, each half the one before.
    int w = width, h = height;
    for (const Level& level : mipmaps) {
        w = std::max(1, w / 2);
        h = std::max(1, h / 2);
        if (level.width != w || level.height != h)
            return false;
    }
    return w == 1 && h == 1;
}

void Context::texParameter(GLenum pname, GLint param)
{
    const float value = (float)param;
    texParameterv(pname, &value);
}

void Context::texParameterv(GLenum pname, const float* params)
{
    if (pname != GL_TEXTURE_PRIORITY)
        textureChanges(boundName);
    Texture& t = textures[boundName];
    const GLint param = (GLint)params[0];
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: t.minFilter = param; break;
    case GL_TEXTURE_MAG_FILTER: t.magFilter = param; break;
    case GL_TEXTURE_WRAP_S: t.wrapS = param; break;
    case GL_TEXTURE_WRAP_T: t.wrapT = param; break;
    case GL_TEXTURE_BORDER_COLOR: std::memcpy(t.borderColor, params, sizeof t.borderColor); break;
    case GL_TEXTURE_PRIORITY: t.priority = std::min(std::max(params[0], 0.0f), 1.0f); return;
    default: return;
    }
}

void Context::pixelStore(GLenum pname, GLint param)
{
    switch (pname) {
    case GL_UNPACK_ALIGNMENT:
        if (param == 1 || param == 2 || param == 4 || param == 8)
            unpack[0] = param;
        break;
    case GL_UNPACK_ROW_LENGTH: unpack[1] = std::max(param, 0); break;
    case GL_UNPACK_SKIP_ROWS: unpack[2] = std::max(param, 0); break;
    case GL_UNPACK_SKIP_PIXELS: unpack[3] = std::max(param, 0); break;
    case GL_UNPACK_LSB_FIRST: unpack[4] = param != 0; break;
    case GL_UNPACK_SWAP_BYTES: unpack[5] = param != 0; break;
    default: break;
    }
}

int Context::pixelStoreValue(GLenum pname) const
{
    switch (pname) {
    case GL_UNPACK_ALIGNMENT: return unpack[0];
    case GL_UNPACK_ROW_LENGTH: return unpack[1];
    case GL_UNPACK_SKIP_ROWS: return unpack[2];
    case GL_UNPACK_SKIP_PIXELS: return unpack[3];
    case GL_UNPACK_LSB_FIRST: return unpack[4];
    case GL_UNPACK_SWAP_BYTES: return unpack[5];
    default: return 0;
    }
}

// Level 0 is kept widened to powers of two; a mipmap's smaller levels, which
// GL asks to be powers of two already, as given. No image (a null pointer,
// or a size of 0) leaves the texture incomplete, so texturing is off for it.
namespace {

// The program's image as glPixelStore says to read it: where each pixel
// starts, with its components' bytes swapped when GL_UNPACK_SWAP_BYTES
// asks.
class Unpacked {
public:
    Unpacked(const int unpack[6], int width, GLenum format, GLenum type, const void* pixels)
        : pixelBytes((size_t)componentsOf(format) * (size_t)bytesOf(type)), component((size_t)bytesOf(type)),
          swap(unpack[5] != 0 && bytesOf(type) > 1)
    {
        const size_t align = (size_t)unpack[0];
        const size_t rowPixels = unpack[1] > 0 ? (size_t)unpack[1] : (size_t)width;
        rowBytes = (rowPixels * pixelBytes + align - 1) / align * align;
        src = static_cast<const uint8_t*>(pixels) + (size_t)unpack[2] * rowBytes + (size_t)unpack[3] * pixelBytes;
    }
    const uint8_t* at(size_t x, size_t y)
    {
        const uint8_t* p = src + y * rowBytes + x * pixelBytes;
        if (!swap)
            return p;
        for (size_t b = 0; b < pixelBytes; b++)
            swapped[b] = p[b - b % component + component - 1 - b % component];
        return swapped;
    }

private:
    const uint8_t* src;
    size_t rowBytes = 0, pixelBytes, component;
    bool swap;
    uint8_t swapped[16];
};

}  // namespace

bool Context::texImage2D(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels, GLint level,
                         GLint internalFormat)
{
    const GLenum base = baseOf(internalFormat);
    if (width < 0 || height < 0 || level < 0 || level > 14 || !base || !componentsOf(format) || !bytesOf(type))
        return false;
    textureChanges(boundName);
    Texture& t = textures[boundName];
    // Without pixels the image is made all the same, its texels to be given
    // later (glTexSubImage2D, glCopyTexSubImage2D).
    const bool usable = width > 0 && height > 0;
    const int storedW = usable ? (level ? width : nextPowerOfTwo(width)) : 0;
    const int storedH = usable ? (level ? height : nextPowerOfTwo(height)) : 0;
    std::vector<uint8_t> stored((size_t)storedW * (size_t)storedH * 4, 0);
    if (usable && pixels) {
        Unpacked image(unpack, width, format, type, pixels);
        const size_t w = (size_t)storedW, h = (size_t)storedH;
        for (size_t y = 0; y < h; y++)
            for (size_t x = 0; x < w; x++)
                toStored(image.at(x * (size_t)width / w, y * (size_t)height / h), format, type, base,
                         &stored[(y * w + x) * 4]);
    }
    if (level == 0) {
        t.width = usable ? width : 0;
        t.height = usable ? height : 0;
        t.baseFormat = base;
        t.storedWidth = storedW;
        t.storedHeight = storedH;
        t.pixels = std::move(stored);
    } else {
        if (t.mipmaps.size() < (size_t)level)
            t.mipmaps.resize((size_t)level);
        Texture::Level& l = t.mipmaps[(size_t)level - 1];
        l.width = usable ? width : 0;
        l.height = usable ? height : 0;
        l.pixels = std::move(stored);
    }
    return true;
}

bool Context::texSubImage2D(GLint level, GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type,
                            const void* pixels)
{
    auto it = textures.find(boundName);
    if (it == textures.end() || level < 0 || width < 0 || height < 0 || !componentsOf(format) || !bytesOf(type))
        return false;
    Texture& t = it->second;
    if (level > 0 && (size_t)level > t.mipmaps.size())
        return false;
    // The first level is kept widened to powers of two, a smaller one at its given size.
    Texture::Level* l = level > 0 ? &t.mipmaps[(size_t)level - 1] : nullptr;
    const int gw = l ? l->width : t.width, gh = l ? l->height : t.height;
    const int sw = l ? l->width : t.storedWidth, sh = l ? l->height : t.storedHeight;
    std::vector<uint8_t>& stored = l ? l->pixels : t.pixels;
    if (x < 0 || y < 0 || x + width > gw || y + height > gh)
        return false;
    if (!pixels || width == 0 || height == 0)
        return true;
    textureChanges(boundName);
    Unpacked image(unpack, width, format, type, pixels);
    // Every stored texel whose nearest given texel falls in the rectangle.
    for (int sy = 0; sy < sh; sy++) {
        const int gy = (int)((long)sy * gh / sh);
        if (gy < y || gy >= y + height)
            continue;
        for (int sx = 0; sx < sw; sx++) {
            const int gx = (int)((long)sx * gw / sw);
            if (gx < x || gx >= x + width)
                continue;
            toStored(image.at((size_t)(gx - x), (size_t)(gy - y)), format, type, t.baseFormat,
                     &stored[((size_t)sy * (size_t)sw + (size_t)sx) * 4]);
        }
    }
    return true;
}

bool Context::unpackImage(int width, int height, GLenum format, GLenum type, const void* pixels,
                          std::vector<uint8_t>& rgba) const
{
    if (!componentsOf(format) || !bytesOf(type) || width < 0 || height < 0)
        return false;
    rgba.assign((size_t)width * (size_t)height * 4, 0);
    if (!pixels)
        return true;
    Unpacked image(unpack, width, format, type, pixels);
    for (size_t y = 0; y < (size_t)height; y++)
        for (size_t x = 0; x < (size_t)width; x++)
            toStored(image.at(x, y), format, type, GL_RGBA, &rgba[(y * (size_t)width + x) * 4]);
    return true;
}

// A texture about to change (or go): the frame's draws made with it so far
// keep its image as it is, and it takes a version no texture has had.
void Context::textureChanges(GLuint name)
{
    auto it = textures.find(name);
    if (it == textures.end())
        return;
    for (const Command& c : commands)
        if (c.kind == Command::draw && c.state.textured && c.state.texture == name &&
            c.state.textureVersion == it->second.version) {
            retired[{name, it->second.version}] = it->second;
            break;
        }
    it->second.version = ++textureVersions;
}

const Texture* Context::textureAt(GLuint name, unsigned version) const
{
    auto it = textures.find(name);
    if (it != textures.end() && it->second.version == version)
        return &it->second;
    auto old = retired.find({name, version});
    return old != retired.end() ? &old->second : it != textures.end() ? &it->second : nullptr;
}

void Context::deleteTexture(GLuint name)
{
    textureChanges(name);
    textures.erase(name);
    if (boundName == name)
        boundName = 0;
}

}  // namespace glweb
