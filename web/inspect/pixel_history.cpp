#include "web/inspect/pixel_history.h"

#include <cmath>

namespace inspect {

namespace {

struct Point {
    float x, y, z, w;
};

// Keeps the part of a polygon before the near plane (z >= -w), where w > 0.
std::vector<Point> clipNear(const std::vector<Point>& in)
{
    std::vector<Point> out;
    for (size_t i = 0; i < in.size(); i++) {
        const Point& a = in[i];
        const Point& b = in[(i + 1) % in.size()];
        const float da = a.z + a.w, db = b.z + b.w;
        if (da >= 0)
            out.push_back(a);
        if ((da >= 0) != (db >= 0)) {
            const float t = da / (da - db);
            out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z), a.w + t * (b.w - a.w)});
        }
    }
    return out;
}

// Clip space to window coordinates, depth in [0, 1].
Point toWindow(const Point& p, const int* viewport)
{
    return {viewport[0] + (p.x / p.w + 1) * 0.5f * (float)viewport[2],
            viewport[1] + (p.y / p.w + 1) * 0.5f * (float)viewport[3], (p.z / p.w + 1) * 0.5f, 1};
}

// The part of a triangle or line before the near plane, in window
// coordinates.
std::vector<Point> inWindow(const glweb::Vertex* v, int count, const int* viewport)
{
    std::vector<Point> shape;
    for (int i = 0; i < count; i++)
        shape.push_back({v[i].position[0], v[i].position[1], v[i].position[2], v[i].position[3]});
    shape = clipNear(shape);
    for (Point& p : shape)
        p = toWindow(p, viewport);
    return shape;
}

struct Fragment {
    bool covers;
    bool backFacing;
    float depth;
    float alpha = 1;
};

// A triangle's colour alpha at (px, py): its vertices' alphas weighed by
// where the pixel lies between them on the screen.
float alphaAt(const glweb::Vertex* v, const int* viewport, float px, float py)
{
    Point p[3];
    for (int i = 0; i < 3; i++) {
        if (v[i].position[3] <= 0)
            return (v[0].color[3] + v[1].color[3] + v[2].color[3]) / 3;
        p[i] = toWindow({v[i].position[0], v[i].position[1], v[i].position[2], v[i].position[3]}, viewport);
    }
    const float d = (p[1].x - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (p[1].y - p[0].y);
    if (d == 0)
        return v[0].color[3];
    const float u = ((px - p[0].x) * (p[2].y - p[0].y) - (p[2].x - p[0].x) * (py - p[0].y)) / d;
    const float w = ((p[1].x - p[0].x) * (py - p[0].y) - (px - p[0].x) * (p[1].y - p[0].y)) / d;
    return v[0].color[3] + u * (v[1].color[3] - v[0].color[3]) + w * (v[2].color[3] - v[0].color[3]);
}

bool passes(GLenum func, float value, float ref)
{
    switch (func) {
    case GL_NEVER: return false;
    case GL_LESS: return value < ref;
    case GL_EQUAL: return value == ref;
    case GL_LEQUAL: return value <= ref;
    case GL_GREATER: return value > ref;
    case GL_NOTEQUAL: return value != ref;
    case GL_GEQUAL: return value >= ref;
    default: return true;
    }
}

// The fragment a triangle makes at (px, py), if any. Its fronts wind
// counter-clockwise on the screen: the layer turned those of GL_CW.
Fragment triangleAt(const glweb::Vertex* v, const int* viewport, float px, float py)
{
    const std::vector<Point> poly = inWindow(v, 3, viewport);
    if (poly.size() < 3)
        return {false, false, 0};
    float area = 0;
    for (size_t i = 0; i < poly.size(); i++) {
        const Point& a = poly[i];
        const Point& b = poly[(i + 1) % poly.size()];
        area += a.x * b.y - b.x * a.y;
    }
    if (area == 0)
        return {false, false, 0};
    // The clipped polygon is convex: the pixel is inside when it is on the
    // inner side of every edge; its depth comes from the fan triangle it is in.
    const float sign = area > 0 ? 1.0f : -1.0f;
    for (size_t i = 0; i < poly.size(); i++) {
        const Point& a = poly[i];
        const Point& b = poly[(i + 1) % poly.size()];
        if (sign * ((b.x - a.x) * (py - a.y) - (b.y - a.y) * (px - a.x)) < 0)
            return {false, false, 0};
    }
    for (size_t i = 1; i + 1 < poly.size(); i++) {
        const Point &a = poly[0], &b = poly[i], &c = poly[i + 1];
        const float d = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
        if (d == 0)
            continue;
        const float u = ((px - a.x) * (c.y - a.y) - (c.x - a.x) * (py - a.y)) / d;
        const float w = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / d;
        if (u < -1e-5f || w < -1e-5f || u + w > 1 + 1e-5f)
            continue;
        const float depth = a.z + u * (b.z - a.z) + w * (c.z - a.z);
        if (depth < 0 || depth > 1)
            return {false, false, 0};  // beyond the far plane
        return {true, area < 0, depth, alphaAt(v, viewport, px, py)};
    }
    return {false, false, 0};
}

// A line covers the pixels within half a pixel of it.
Fragment lineAt(const glweb::Vertex* v, const int* viewport, float px, float py)
{
    const std::vector<Point> seg = inWindow(v, 2, viewport);
    if (seg.size() < 2)
        return {false, false, 0};
    const Point a = seg[0], b = seg[1];
    const float dx = b.x - a.x, dy = b.y - a.y, length2 = dx * dx + dy * dy;
    float t = length2 > 0 ? ((px - a.x) * dx + (py - a.y) * dy) / length2 : 0;
    t = std::fmin(1.0f, std::fmax(0.0f, t));
    const float ex = a.x + t * dx - px, ey = a.y + t * dy - py;
    if (ex * ex + ey * ey > 0.25f)
        return {false, false, 0};
    return {true, false, a.z + t * (b.z - a.z), v[0].color[3] + t * (v[1].color[3] - v[0].color[3])};
}

}  // namespace

std::vector<PixelEntry> pixelHistory(const Record& record, int x, int y)
{
    const float px = (float)x + 0.5f, py = (float)y + 0.5f;
    std::vector<PixelEntry> entries;
    float depth = 1;           // as cleared
    size_t depthStep = 0;      // the step whose fragment wrote it
    bool depthWritten = false;
    long lastDrawn = -1;       // entry
    for (size_t i = 0; i < record.steps.size(); i++) {
        const Step& s = record.steps[i];
        if (!s.primitive)
            continue;
        const bool lines = s.drawState.mode == GL_LINES;
        const size_t size = lines ? 2 : 3;
        // Every fragment the step makes there, in its order: a closed
        // shape has one facing away and one facing the eye.
        bool reached = false, passed = false, hidden = false, alphaFailed = false;
        const glweb::Fragments& fs = s.drawState.fragments;
        float at = 0;
        size_t behind = 0;
        for (size_t v = s.firstVertex; v + size <= s.endVertex; v += size) {
            const Fragment f = lines ? lineAt(&record.vertices[v], s.state.viewport, px, py)
                                     : triangleAt(&record.vertices[v], s.state.viewport, px, py);
            if (!f.covers)
                continue;
            if (!reached)
                at = f.depth;
            reached = true;
            if (f.backFacing && s.drawState.cullFace)
                continue;
            if (fs.alphaTest && !passes(fs.alphaFunc, std::fmin(std::fmax(f.alpha, 0.0f), 1.0f), fs.alphaRef)) {
                alphaFailed = true;
                continue;
            }
            if (s.drawState.depthTest && !passes(fs.depthFunc, f.depth, depth)) {
                hidden = true;
                behind = depthWritten ? depthStep : i;
                continue;
            }
            // No depth is written while the test is off, nor under glDepthMask(GL_FALSE).
            if (s.drawState.depthTest && fs.depthMask) {
                depth = f.depth;
                depthStep = i;
                depthWritten = true;
            }
            passed = true;
            at = f.depth;
        }
        if (!reached)
            continue;
        PixelEntry e{PixelEntry::seen, i, 0, at};
        if (passed) {
            // What was there shows through a blend that keeps some of it.
            if (lastDrawn >= 0) {
                const bool through = fs.blend && fs.blendDst != GL_ZERO;
                entries[(size_t)lastDrawn].fate = through ? PixelEntry::blended : PixelEntry::covered;
                entries[(size_t)lastDrawn].other = i;
            }
            lastDrawn = (long)entries.size();
        } else if (hidden) {
            e.fate = PixelEntry::hidden;
            e.other = behind;
        } else {
            e.fate = alphaFailed ? PixelEntry::alphaFailed : PixelEntry::culled;
        }
        entries.push_back(e);
    }
    return entries;
}

}  // namespace inspect
