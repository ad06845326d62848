// Vertices and primitives: the current colour, normal and texture
// coordinates, each vertex lit and carried to clip space as it is given,
// and glEnd's assembly of the primitive into triangles, lines or points,
// faces told apart, shaded flat or smooth, filled or drawn as their edges.
#include <algorithm>
#include <cmath>

#include "web/gl/gl_context.h"

namespace glweb {

namespace {

void times(const glcore::Mat4& m, const float in[4], float out[4])
{
    for (int r = 0; r < 4; r++)
        out[r] = m.m[r] * in[0] + m.m[4 + r] * in[1] + m.m[8 + r] * in[2] + m.m[12 + r] * in[3];
}

// Twice the triangle's signed area on the screen, times the product of its
// w's: its sign is the orientation of what of it lies before the eye.
float orientation(const Vertex& a, const Vertex& b, const Vertex& c)
{
    const float* p = a.position;
    const float* q = b.position;
    const float* r = c.position;
    return p[0] * (q[1] * r[3] - q[3] * r[1]) - p[1] * (q[0] * r[3] - q[3] * r[0]) + p[3] * (q[0] * r[1] - q[1] * r[0]);
}

const glcore::Mat4 identity = glcore::identity();

}  // namespace

void Context::begin(GLenum mode)
{
    inBegin = true;
    beginMode = mode;
    stippleCount = 0, lineReset = true;
    primitive.clear();
    backs.clear();
    edges.clear();
    distances.clear();
    normals = normalMatrix(stacks.modelview.back());
    prepareLights(lighting, lights);
    litHere = shaderLightsNow();
}

// The frame's lights for this primitive in WebGL's vertex shader, where it
// lights as here: lit on one side, smooth, and drawn in render mode with no
// clip plane, which all take the colour of every vertex here.
int Context::shaderLightsNow()
{
    if (!shaderLighting || !lightingOn || lighting.twoSide || flatShading || render.mode != GL_RENDER || clipPlaneMask)
        return -1;
    const GLenum modes[] = {0, GL_AMBIENT, GL_DIFFUSE, GL_AMBIENT_AND_DIFFUSE, GL_SPECULAR, GL_EMISSION};
    int tracked = 0;
    for (int i = 1; i < 6 && colorMaterialOn && colorMaterialFace != GL_BACK; i++)
        tracked = modes[i] == colorMaterialMode ? i : tracked;
    const ShaderLights now = shaderLights(lighting, tracked);
    if (shaderLit.empty() || !(shaderLit.back() == now))
        shaderLit.push_back(now);
    return (int)shaderLit.size() - 1;
}

// The material changes within glBegin and glEnd: the vertices so far are
// lit here, each with its colour as colour material takes it, and the
// rest as they come.
void Context::lightHere()
{
    if (litHere < 0)
        return;
    litHere = -1;
    const float given[4] = {currentColor[0], currentColor[1], currentColor[2], currentColor[3]};
    for (Vertex& v : primitive) {
        std::memcpy(currentColor, v.color, sizeof currentColor);
        if (colorMaterialOn)
            applyColorMaterial();
        const float eye[4] = {v.eye[0], v.eye[1], v.eye[2], 1};
        lightVertex(lighting, 0, eye, {v.normal[0], v.normal[1], v.normal[2]}, v.color, &lights);
    }
    color(given[0], given[1], given[2], given[3]);
}

void Context::texCoord(float s, float t, float r, float q)
{
    currentTexCoord[0] = s;
    currentTexCoord[1] = t;
    currentTexCoord[2] = r;
    currentTexCoord[3] = q;
}

void Context::color(float r, float g, float b, float a)
{
    currentColor[0] = r;
    currentColor[1] = g;
    currentColor[2] = b;
    currentColor[3] = a;
    if (colorMaterialOn)
        applyColorMaterial();
}

void Context::polygonMode(GLenum face, GLenum mode)
{
    if (face != GL_BACK)
        polygonModes[0] = mode;
    if (face != GL_FRONT)
        polygonModes[1] = mode;
}

void Context::vertex(float x, float y, float z, float w)
{
    if (!inBegin)
        return;
    const glcore::Mat4& modelview = stacks.modelview.back();
    const float object[4] = {x, y, z, w};
    float eye[4];
    times(modelview, object, eye);
    Vertex v;
    times(stacks.projection.back(), eye, v.position);
    if (litHere >= 0) {
        const glcore::Vec3 n = eyeNormal(normals, currentNormal);
        const float ew = eye[3] != 0 ? eye[3] : 1;
        for (int i = 0; i < 3; i++)
            v.eye[i] = eye[i] / ew;
        v.normal[0] = n.x, v.normal[1] = n.y, v.normal[2] = n.z;
        std::memcpy(v.color, currentColor, sizeof v.color);
    } else if (lightingOn) {
        const glcore::Vec3 n = eyeNormal(normals, currentNormal);
        lightVertex(lighting, 0, eye, n, v.color, &lights);
        if (lighting.twoSide) {
            Vertex back = v;
            lightVertex(lighting, 1, eye, {-n.x, -n.y, -n.z}, back.color, &lights);
            backs.push_back(back);
        }
    } else {
        std::memcpy(v.color, currentColor, sizeof v.color);
    }
    if (!texGenOn && currentTexCoord[3] == 1 && std::memcmp(&textureStack.back(), &identity, sizeof identity) == 0) {
        v.texCoord[0] = currentTexCoord[0];  // the usual case, exactly as given
        v.texCoord[1] = currentTexCoord[1];
    } else {
        float given[4], t[4];
        if (texGenOn)
            generate(object, eye, eyeNormal(normals, currentNormal), given);
        else
            std::memcpy(given, currentTexCoord, sizeof given);
        times(textureStack.back(), given, t);
        const float q = t[3] != 0 ? t[3] : 1;
        v.texCoord[0] = t[0] / q;
        v.texCoord[1] = t[1] / q;
    }
    v.fog = std::fabs(eye[3] != 0 ? eye[2] / eye[3] : eye[2]);
    if (clipPlaneMask) {
        std::array<float, 6> d{};
        for (int k = 0; k < 6; k++)
            d[(size_t)k] = clipPlanes[k][0] * eye[0] + clipPlanes[k][1] * eye[1] + clipPlanes[k][2] * eye[2] +
                           clipPlanes[k][3] * eye[3];
        distances.push_back(d);
    }
    primitive.push_back(v);
    edges.push_back(currentEdge);
}

// One filled triangle, or its edges or corners under glPolygonMode (with
// `flags`, only the edges whose first vertex's edge flag is set); shaded
// flat, it takes the colour of `provoking` (`c` unless given), or of a
// polygon's first vertex.
void Context::emitTriangle(const DrawState& state, size_t a, size_t b, size_t c, bool flags, size_t provoking)
{
    if (provoking == SIZE_MAX)
        provoking = c;
    if (state.lit >= 0 && polygonModes[0] == GL_FILL && polygonModes[1] == GL_FILL) {
        if (winding == GL_CW)  // lit in WebGL: one side, smooth, no clip plane
            emitIndexed(state, a, c, b);
        else
            emitIndexed(state, a, b, c);
        return;
    }
    const size_t ids[3] = {a, b, c};
    const bool front = (orientation(primitive[a], primitive[b], primitive[c]) > 0) == (winding == GL_CCW);
    const std::vector<Vertex>& lit = !front && !backs.empty() ? backs : primitive;
    Vertex v[3];
    for (int i = 0; i < 3; i++)
        v[i] = lit[ids[i]];
    if (flatShading)  // the face's last vertex, a polygon's first
        for (int i = 0; i < 3; i++)
            std::memcpy(v[i].color, lit[beginMode == GL_POLYGON ? 0 : provoking].color, sizeof v[i].color);
    const GLenum mode = polygonModes[front ? 0 : 1];
    const GLenum cullMode = fragments.cullMode;
    if (render.mode != GL_RENDER && cullFaceOn && (cullMode == GL_FRONT_AND_BACK || (cullMode == GL_BACK) != front))
        return;  // culled before it is reported, as WebGL would before drawing
    if (mode == GL_FILL && clipPlaneMask && distances.size() == primitive.size()) {
        std::vector<Clipped> polygon;
        for (int i = 0; i < 3; i++) {
            polygon.push_back({v[i], {}});
            std::copy(distances[ids[i]].begin(), distances[ids[i]].end(), polygon.back().distance);
        }
        emitClipped(state, std::move(polygon));
        return;
    }
    if (mode == GL_FILL) {
        if (winding == GL_CW)
            emit(state, {&v[0], &v[2], &v[1]});
        else
            emit(state, {&v[0], &v[1], &v[2]});
        return;
    }
    const GLenum culled = fragments.cullMode;
    if (cullFaceOn && (culled == GL_FRONT_AND_BACK || (culled == GL_BACK) != front))
        return;
    DrawState s = stateFor(mode == GL_LINE ? GL_LINES : GL_POINTS);
    stippleCount = 0, lineReset = true;
    if (mode == GL_POINT)
        return emitCorners(s, v, ids, 3);
    for (int i = 0; i < 3; i++)
        if (!flags || edges[ids[i]])
            emitLine(s, v[i], v[(i + 1) % 3]);
}

// A polygon drawn as its corners: those of what the user clip planes on
// leave of it. `ids` are the corners' places in the primitive.
void Context::emitCorners(const DrawState& state, const Vertex* corners, const size_t* ids, size_t n)
{
    std::vector<Clipped> polygon;
    for (size_t i = 0; i < n; i++) {
        polygon.push_back({corners[i], {}});
        if (distances.size() == primitive.size())
            std::copy(distances[ids[i]].begin(), distances[ids[i]].end(), polygon.back().distance);
    }
    if (clipPlaneMask && distances.size() == primitive.size())
        polygon = clip(*this, std::move(polygon), false);
    for (const Clipped& c : polygon)
        emit(state, {&c.vertex});
}

// A line, as WebGL draws it when one pixel wide; wider, as the
// parallelogram GL draws: widened across its minor axis.
void Context::emitLine(const DrawState& state, const Vertex& a0, const Vertex& b0)
{
    Vertex a = a0, b = b0;
    if (clipPlaneMask && distances.size() == primitive.size()) {
        // Which of the primitive's vertices these are: their distances with them.
        std::vector<Clipped> line(2);
        for (int e = 0; e < 2; e++) {
            const Vertex& given = e ? b0 : a0;
            line[(size_t)e].vertex = given;
            for (size_t i = 0; i < primitive.size(); i++)
                if (std::memcmp(primitive[i].position, given.position, sizeof given.position) == 0)
                    std::copy(distances[i].begin(), distances[i].end(), line[(size_t)e].distance);
        }
        line = clip(*this, std::move(line), false);
        if (line.size() != 2)
            return;
        a = line[0].vertex;
        b = line[1].vertex;
    }
    if (state.fragments.lineStipple)
        stippleAlong(a, b);
    const float width = fragments.lineWidth;
    if (width <= 1.5f || render.mode != GL_RENDER || a.position[3] <= 0 || b.position[3] <= 0 || viewportRect[2] <= 0 || viewportRect[3] <= 0) {
        emit(state, {&a, &b});
        return;
    }
    const float dx = (b.position[0] / b.position[3] - a.position[0] / a.position[3]) * (float)viewportRect[2];
    const float dy = (b.position[1] / b.position[3] - a.position[1] / a.position[3]) * (float)viewportRect[3];
    const bool xMajor = std::fabs(dx) >= std::fabs(dy);
    const int axis = xMajor ? 1 : 0;
    const float half = width / (float)(xMajor ? viewportRect[3] : viewportRect[2]);  // in NDC
    Vertex q[4] = {a, a, b, b};
    q[0].position[axis] -= half * a.position[3];
    q[1].position[axis] += half * a.position[3];
    q[2].position[axis] -= half * b.position[3];
    q[3].position[axis] += half * b.position[3];
    DrawState s = state;  // its stipple with it
    s.mode = GL_TRIANGLES;
    s.cullFace = false;
    s.fragments.polygonOffset = GL_FALSE;
    emit(s, {&q[0], &q[2], &q[1], &q[1], &q[2], &q[3]});
}

// The stipple's count at each end of a line, in pixels along its major
// axis, carried times w so that WebGL's interpolation, which divides by w,
// gives it back evenly spaced on the screen.
void Context::stippleAlong(Vertex& a, Vertex& b)
{
    const float aw = a.position[3], bw = b.position[3];
    float length = 0;
    if (aw > 0 && bw > 0) {
        const float dx = (b.position[0] / bw - a.position[0] / aw) * (float)viewportRect[2] / 2;
        const float dy = (b.position[1] / bw - a.position[1] / aw) * (float)viewportRect[3] / 2;
        length = std::max(std::fabs(dx), std::fabs(dy));
    }
    a.stipple = stippleCount * aw;
    stippleCount += length;
    b.stipple = stippleCount * bw;
}

// The corners of a polygon, a quad or a quad strip's quad, drawn as its
// own edges or corners (not its triangles') under glPolygonMode.
void Context::emitOutline(const std::vector<size_t>& ring, bool flags)
{
    const bool front = (orientation(primitive[ring[0]], primitive[ring[1]], primitive[ring[2]]) > 0) == (winding == GL_CCW);
    const GLenum culled = fragments.cullMode;
    if (cullFaceOn && (culled == GL_FRONT_AND_BACK || (culled == GL_BACK) != front))
        return;
    const GLenum mode = polygonModes[front ? 0 : 1];
    // A flat face's colour: a polygon's first vertex, a quad's last, a
    // strip's quad's fourth (its ring goes round it: i, i + 1, i + 3, i + 2).
    const size_t n = ring.size();
    const size_t provoking = beginMode == GL_POLYGON ? ring[0] : beginMode == GL_QUAD_STRIP ? ring[2] : ring[n - 1];
    if (mode == GL_FILL) {
        const DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 1; i + 1 < n; i++)
            emitTriangle(s, ring[0], ring[i], ring[i + 1], false, provoking);
        return;
    }
    const std::vector<Vertex>& lit = !front && !backs.empty() ? backs : primitive;
    const DrawState s = stateFor(mode == GL_LINE ? GL_LINES : GL_POINTS);
    stippleCount = 0, lineReset = true;
    if (mode == GL_POINT) {
        std::vector<Vertex> corners;
        for (size_t i : ring) {
            corners.push_back(lit[i]);
            if (flatShading)
                std::memcpy(corners.back().color, lit[provoking].color, sizeof corners.back().color);
        }
        return emitCorners(s, corners.data(), ring.data(), n);
    }
    for (size_t i = 0; i < n; i++) {
        Vertex p = lit[ring[i]], q = lit[ring[(i + 1) % n]];
        if (flatShading) {
            std::memcpy(p.color, lit[provoking].color, sizeof p.color);
            std::memcpy(q.color, lit[provoking].color, sizeof q.color);
        }
        if (!flags || edges[ring[i]])
            emitLine(s, p, q);
    }
}

// A triangle cut by the user clip planes, drawn as the fan of what is left.
void Context::emitClipped(const DrawState& state, std::vector<Clipped> polygon)
{
    polygon = clip(*this, std::move(polygon), false);
    for (size_t i = 1; i + 1 < polygon.size(); i++) {
        const Vertex* a = &polygon[0].vertex;
        const Vertex* b = &polygon[i].vertex;
        const Vertex* c = &polygon[i + 1].vertex;
        if (winding == GL_CW)
            emit(state, {a, c, b});
        else
            emit(state, {a, b, c});
    }
}

// Whether any of `count` vertices from `first` lies outside the view
// volume or a user clip plane on.
bool Context::clipped(size_t first, size_t count) const
{
    for (size_t i = first; i < first + count && i < primitive.size(); i++) {
        const float* p = primitive[i].position;
        for (int axis = 0; axis < 3; axis++)
            if (p[axis] > p[3] || p[axis] < -p[3])
                return true;
        for (int k = 0; k < 6 && i < distances.size(); k++)
            if (clipPlaneOn(k) && distances[i][(size_t)k] < 0)
                return true;
    }
    return false;
}

// Polygons and fans turn about their first vertex; a strip's odd triangles
// swap their first two vertices to keep the strip's winding. Each triangle
// is listed with the vertex that colours a flat face last.
void Context::end()
{
    if (!inBegin)
        return;
    inBegin = false;
    checked = nullptr;  // this glEnd's states are new
    assemble();
    litHere = -1;
    primitiveAt = SIZE_MAX;
}

void Context::assemble()
{
    const size_t n = primitive.size();
    const GLenum m = beginMode;
    const bool outlined = polygonModes[0] != GL_FILL || polygonModes[1] != GL_FILL;
    if (outlined && (m == GL_POLYGON || m == GL_QUADS || m == GL_QUAD_STRIP)) {
        if (m == GL_POLYGON && n >= 3) {
            std::vector<size_t> ring(n);
            for (size_t i = 0; i < n; i++)
                ring[i] = i;
            emitOutline(ring, true);
        }
        for (size_t i = 0; m == GL_QUADS && i + 3 < n; i += 4)
            emitOutline({i, i + 1, i + 2, i + 3}, true);
        for (size_t i = 0; m == GL_QUAD_STRIP && i + 3 < n; i += 2)
            emitOutline({i, i + 1, i + 3, i + 2}, false);
        return;
    }
    const DrawState s = stateFor(GL_TRIANGLES);
    const bool flags = m == GL_TRIANGLES || m == GL_POLYGON || m == GL_QUADS;
    if (m == GL_POLYGON || m == GL_TRIANGLE_FAN) {
        for (size_t i = 1; i + 1 < n; i++)
            emitTriangle(s, 0, i, i + 1, flags);
    } else if (m == GL_TRIANGLE_STRIP) {
        for (size_t i = 0; i + 2 < n; i++) {
            if (i % 2 == 0)
                emitTriangle(s, i, i + 1, i + 2, false);
            else
                emitTriangle(s, i + 1, i, i + 2, false);
        }
    } else if (m == GL_TRIANGLES) {
        for (size_t i = 0; i + 2 < n; i += 3)
            emitTriangle(s, i, i + 1, i + 2, true);
    } else if (m == GL_QUADS) {
        // Cut as Mesa cuts it, so that its colours blend the same way: along
        // the diagonal from its first corner, or from its second where it is
        // clipped; flat, it is its last's.
        for (size_t i = 0; i + 3 < n; i += 4) {
            if (clipped(i, 4)) {
                emitTriangle(s, i, i + 1, i + 3, false);
                emitTriangle(s, i + 1, i + 2, i + 3, false);
            } else {
                emitTriangle(s, i, i + 1, i + 2, false, i + 3);
                emitTriangle(s, i, i + 2, i + 3, false);
            }
        }
    } else if (m == GL_QUAD_STRIP) {
        for (size_t i = 0; i + 3 < n; i += 2) {
            emitTriangle(s, i, i + 1, i + 3, false);
            emitTriangle(s, i + 2, i, i + 3, false);
        }
    } else if (m == GL_LINES || m == GL_LINE_STRIP || m == GL_LINE_LOOP) {
        const DrawState lines = stateFor(GL_LINES);
        const size_t step = m == GL_LINES ? 2 : 1;
        auto line = [&](size_t i, size_t j) {
            if (m == GL_LINES)
                stippleCount = 0, lineReset = true;
            Vertex a = primitive[i], b = primitive[j];
            if (flatShading)
                std::memcpy(a.color, b.color, sizeof a.color);
            emitLine(lines, a, b);
        };
        for (size_t i = 0; i + 1 < n; i += step)
            line(i, i + 1);
        if (m == GL_LINE_LOOP && n > 2)
            line(n - 1, 0);
    } else if (m == GL_POINTS) {
        const DrawState points = stateFor(GL_POINTS);
        for (size_t i = 0; i < n; i++) {
            bool inside = true;
            for (int k = 0; k < 6 && i < distances.size(); k++)
                inside = inside && (!clipPlaneOn(k) || distances[i][(size_t)k] >= 0);
            if (inside)
                emit(points, {&primitive[i]});
        }
    }
}

}  // namespace glweb
