// Clipping on the CPU, where WebGL cannot: primitives cut by the six user
// clip planes (glClipPlane, in eye coordinates), and, for selection and
// feedback, by the view volume, every attribute of a new vertex carried in
// proportion (Sutherland and Hodgman's polygon clipping).
#include <GL/gl.h>

#include <functional>

#include "web/gl/gl_context.h"

namespace glweb {

namespace {

Vertex between(const Vertex& a, const Vertex& b, float t)
{
    Vertex v;
    for (int i = 0; i < 4; i++) {
        v.position[i] = a.position[i] + t * (b.position[i] - a.position[i]);
        v.color[i] = a.color[i] + t * (b.color[i] - a.color[i]);
    }
    for (int i = 0; i < 2; i++)
        v.texCoord[i] = a.texCoord[i] + t * (b.texCoord[i] - a.texCoord[i]);
    v.fog = a.fog + t * (b.fog - a.fog);
    return v;
}

// The distance functions a primitive is kept inside of: each user plane
// on, and with `volume` the six sides of the view volume.
std::vector<std::function<float(const Clipped&)>> sides(const Context& c, bool volume)
{
    std::vector<std::function<float(const Clipped&)>> out;
    for (int k = 0; k < 6; k++)
        if (c.clipPlaneOn(k))
            out.push_back([k](const Clipped& v) { return v.distance[k]; });
    if (volume)
        for (int axis = 0; axis < 3; axis++)
            for (float sign : {1.0f, -1.0f})
                out.push_back([axis, sign](const Clipped& v) { return v.vertex.position[3] + sign * v.vertex.position[axis]; });
    return out;
}

}  // namespace

// Polygons and lines (a polygon of two) kept where every side is >= 0.
std::vector<Clipped> clip(const Context& context, std::vector<Clipped> polygon, bool volume)
{
    const bool line = polygon.size() == 2;
    for (const auto& side : sides(context, volume)) {
        std::vector<Clipped> out;
        const size_t n = polygon.size();
        for (size_t i = 0; i < n && !polygon.empty(); i++) {
            if (line && i == 1)
                break;
            const Clipped& a = polygon[i];
            const Clipped& b = polygon[(i + 1) % n];
            const float da = side(a), db = side(b);
            if (da >= 0)
                out.push_back(a);
            if ((da >= 0) != (db >= 0)) {
                const float t = da / (da - db);
                Clipped v{between(a.vertex, b.vertex, t), {}};
                for (int k = 0; k < 6; k++)
                    v.distance[k] = a.distance[k] + t * (b.distance[k] - a.distance[k]);
                out.push_back(v);
            }
            if (line && db >= 0)
                out.push_back(b);
        }
        polygon.swap(out);
        if (polygon.empty())
            break;
    }
    return polygon;
}

}  // namespace glweb
