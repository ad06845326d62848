// Pixels: the raster position, transformed and clipped like a vertex and
// kept with its colour; bitmaps and pixel rectangles drawn at it, each set
// bit or pixel a point of its own (a rectangle of points under
// glPixelZoom), their colours through the pixel transfer's scale and bias.
#include <algorithm>
#include <cmath>

#include "web/gl/gl_context.h"

namespace glweb {

void Context::rasterPos(float x, float y, float z, float w)
{
    const float object[4] = {x, y, z, w};
    const glcore::Mat4& mv = stacks.modelview.back();
    float eye[4], clip[4];
    for (int r = 0; r < 4; r++)
        eye[r] = mv.m[r] * object[0] + mv.m[4 + r] * object[1] + mv.m[8 + r] * object[2] + mv.m[12 + r] * object[3];
    const glcore::Mat4& p = stacks.projection.back();
    for (int r = 0; r < 4; r++)
        clip[r] = p.m[r] * eye[0] + p.m[4 + r] * eye[1] + p.m[8 + r] * eye[2] + p.m[12 + r] * eye[3];
    raster.valid = clip[3] > 0;
    for (int axis = 0; axis < 3 && raster.valid; axis++)
        raster.valid = std::fabs(clip[axis]) <= clip[3];
    for (int k = 0; k < 6 && raster.valid; k++)
        raster.valid = !clipPlaneOn(k) || clipPlanes[k][0] * eye[0] + clipPlanes[k][1] * eye[1] +
                                                  clipPlanes[k][2] * eye[2] + clipPlanes[k][3] * eye[3] >= 0;
    if (!raster.valid)
        return;
    Vertex v{};
    std::memcpy(v.position, clip, sizeof clip);
    toWindow(v, raster.window);
    raster.window[3] = clip[3];  // the raster position keeps its clip w
    raster.distance = std::fabs(eye[2]);
    const glcore::Mat4& t = textureStack.back();
    for (int r = 0; r < 4; r++)
        raster.texCoord[r] = t.m[r] * currentTexCoord[0] + t.m[4 + r] * currentTexCoord[1] + t.m[8 + r] * currentTexCoord[2] +
                             t.m[12 + r] * currentTexCoord[3];
    if (lightingOn)
        lightVertex(lighting, 0, eye, eyeNormal(mv, currentNormal), raster.color);
    else
        std::memcpy(raster.color, currentColor, sizeof raster.color);
}

void Context::rasterWindowPos(float x, float y)
{
    raster.window[0] = x;
    raster.window[1] = y;
}

// A point at the middle of window pixel (x, y), at the raster position's
// depth, in the colour given.
void Context::emitPixel(const DrawState& state, float x, float y, const float color[4])
{
    const float vw = (float)std::max(viewportRect[2], 1), vh = (float)std::max(viewportRect[3], 1);
    const float n = fragments.depthRange[0], f = fragments.depthRange[1];
    Vertex v;
    v.position[0] = (x + 0.5f - (float)viewportRect[0]) / vw * 2 - 1;
    v.position[1] = (y + 0.5f - (float)viewportRect[1]) / vh * 2 - 1;
    v.position[2] = f != n ? (raster.window[2] - n) / (f - n) * 2 - 1 : 0;
    v.position[3] = 1;
    std::memcpy(v.color, color, sizeof v.color);
    // Textured, where texturing is on, at the raster position's coordinates.
    const float q = raster.texCoord[3] != 0 ? raster.texCoord[3] : 1;
    v.texCoord[0] = raster.texCoord[0] / q;
    v.texCoord[1] = raster.texCoord[1] / q;
    v.fog = raster.distance;
    emit(state, {&v});
}

// What pixels are drawn with: one-pixel points, textured as a point at the
// raster position would be.
DrawState Context::pixelState() const
{
    DrawState s = stateFor(GL_POINTS);
    s.fragments.pointSize = 1;
    return s;
}

void Context::bitmap(int width, int height, float xorig, float yorig, float xmove, float ymove, const uint8_t* bits,
                     size_t rowBytes)
{
    if (!raster.valid)
        return;
    if (bits && width > 0 && height > 0) {
        const DrawState s = pixelState();
        const float x0 = std::floor(raster.window[0] - xorig), y0 = std::floor(raster.window[1] - yorig);
        for (int j = 0; j < height; j++)
            for (int i = 0; i < width; i++)
                if (bits[(size_t)j * rowBytes + (size_t)i / 8] & (0x80 >> (i % 8)))
                    emitPixel(s, x0 + (float)i, y0 + (float)j, raster.color);
    }
    raster.window[0] += xmove;
    raster.window[1] += ymove;
}

void Context::drawPixels(int width, int height, const std::vector<uint8_t>& rgba)
{
    if (!raster.valid || width <= 0 || height <= 0)
        return;
    const DrawState s = pixelState();
    const float zx = pixelZoom[0], zy = pixelZoom[1];
    for (int j = 0; j < height; j++)
        for (int i = 0; i < width; i++) {
            float c[4];
            for (int k = 0; k < 4; k++) {
                const float v = rgba[((size_t)j * (size_t)width + (size_t)i) * 4 + (size_t)k] / 255.0f;
                c[k] = std::min(std::max(v * transferScale[k] + transferBias[k], 0.0f), 1.0f);
                if (mapColor) {
                    const std::vector<float>& map = pixelMaps[GL_PIXEL_MAP_R_TO_R - GL_PIXEL_MAP_I_TO_I + k];
                    c[k] = map[(size_t)std::lround(c[k] * (float)(map.size() - 1))];
                }
            }
            // The pixels whose middles fall in the zoomed pixel's rectangle.
            const float left = raster.window[0] + zx * (float)i, right = left + zx;
            const float bottom = raster.window[1] + zy * (float)j, top = bottom + zy;
            for (float y = std::ceil(std::min(bottom, top) - 0.5f); y + 0.5f < std::max(bottom, top); y++)
                for (float x = std::ceil(std::min(left, right) - 0.5f); x + 0.5f < std::max(left, right); x++)
                    emitPixel(s, x, y, c);
        }
}

void Context::writePixels(int x, int y, int width, int height, const std::vector<uint8_t>& rgba)
{
    DrawState s = pixelState();
    s.texture = 0;
    s.textured = false;
    s.depthTest = s.cullFace = false;
    Fragments& f = s.fragments;
    f.blend = f.alphaTest = f.fog = f.stencil = f.polygonOffset = GL_FALSE;
    // Placed in a viewport of the whole box, the program's put back after.
    int kept[4];
    std::memcpy(kept, viewportRect, sizeof kept);
    const float keptRaster = raster.window[2];
    viewport(x, y, width, height);
    raster.window[2] = 0;
    for (int j = 0; j < height; j++)
        for (int i = 0; i < width; i++) {
            const uint8_t* p = &rgba[((size_t)j * (size_t)width + (size_t)i) * 4];
            const float c[4] = {p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f, p[3] / 255.0f};
            emitPixel(s, (float)(x + i), (float)(y + j), c);
        }
    raster.window[2] = keptRaster;
    viewport(kept[0], kept[1], kept[2], kept[3]);
}

}  // namespace glweb
