// Selection and feedback: with glRenderMode, primitives are not drawn but
// clipped to the view volume and reported, each hit of the names on the
// name stack with the least and greatest depth it reached, or each
// primitive's window coordinates, colours and texture coordinates in the
// feedback buffer. Natural here: every vertex is already in clip space.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "web/gl/gl_context.h"

namespace glweb {

namespace {

// A window-space depth as selection writes it: 0 to 2^32 - 1 (rounded in
// 64 bits: a long has only 32 on the page).
GLuint depthOf(float z)
{
    return (GLuint)std::llround(std::min(std::max(z, 0.0f), 1.0f) * 4294967295.0);
}

}  // namespace

// The window coordinates of a clipped vertex, z in the depth range.
void Context::toWindow(const Vertex& v, float out[4]) const
{
    const float w = v.position[3];
    const Fragments& f = fragments;
    out[0] = (float)viewportRect[0] + (v.position[0] / w + 1) / 2 * (float)viewportRect[2];
    out[1] = (float)viewportRect[1] + (v.position[1] / w + 1) / 2 * (float)viewportRect[3];
    out[2] = f.depthRange[0] + (v.position[2] / w + 1) / 2 * (f.depthRange[1] - f.depthRange[0]);
    out[3] = 1 / w;
}

void Context::capture(GLenum mode, std::initializer_list<const Vertex*> list)
{
    std::vector<Clipped> polygon;
    for (const Vertex* v : list)
        polygon.push_back({*v, {}});
    if (polygon.size() > 1)
        polygon = clip(*this, std::move(polygon), true);
    else if (!polygon.empty()) {  // a point: inside or not
        const float* p = polygon[0].vertex.position;
        for (int axis = 0; axis < 3; axis++)
            if (p[axis] > p[3] || p[axis] < -p[3])
                polygon.clear();
    }
    if (polygon.empty())
        return;
    if (render.mode == GL_SELECT) {
        for (const Clipped& c : polygon) {
            float w[4];
            toWindow(c.vertex, w);
            render.minZ = std::min(render.minZ, w[2]);
            render.maxZ = std::max(render.maxZ, w[2]);
        }
        render.hit = true;
        return;
    }
    GLenum token = mode == GL_POINTS ? GL_POINT_TOKEN : mode == GL_LINES ? GL_LINE_TOKEN : GL_POLYGON_TOKEN;
    if (mode == GL_LINES && lineReset)
        token = GL_LINE_RESET_TOKEN, lineReset = false;
    feed((float)token);
    if (token == GL_POLYGON_TOKEN)
        feed((float)polygon.size());
    for (const Clipped& c : polygon) {
        float w[4];
        toWindow(c.vertex, w);
        const GLenum t = render.feedbackType;
        feed(w[0]);
        feed(w[1]);
        if (t != GL_2D)
            feed(w[2]);
        if (t == GL_4D_COLOR_TEXTURE)
            feed(w[3]);
        if (t == GL_3D_COLOR || t == GL_3D_COLOR_TEXTURE || t == GL_4D_COLOR_TEXTURE)
            for (float k : c.vertex.color)
                feed(k);
        if (t == GL_3D_COLOR_TEXTURE || t == GL_4D_COLOR_TEXTURE) {
            feed(c.vertex.texCoord[0]);
            feed(c.vertex.texCoord[1]);
            feed(0);
            feed(1);
        }
    }
}

void Context::feed(float value)
{
    if (render.count < render.size)
        render.feedback[render.count] = value;
    else
        render.overflow = true;
    render.count++;
}

// The hit so far, if any, as a record of the names on the stack.
void Context::writeHit()
{
    if (!render.hit)
        return;
    const GLuint record[3] = {(GLuint)render.names.size(), depthOf(render.minZ), depthOf(render.maxZ)};
    std::vector<GLuint> values(record, record + 3);
    values.insert(values.end(), render.names.begin(), render.names.end());
    for (GLuint v : values) {
        if (render.count < render.size)
            render.select[render.count] = v;
        else
            render.overflow = true;
        render.count++;
    }
    render.hits++;
    render.hit = false;
    render.minZ = 1;
    render.maxZ = 0;
}

GLint Context::renderMode(GLenum mode)
{
    GLint result = 0;
    if (render.mode == GL_SELECT) {
        writeHit();
        result = render.overflow ? -1 : render.hits;
    } else if (render.mode == GL_FEEDBACK) {
        result = render.overflow ? -1 : (GLint)render.count;
    }
    const RenderState kept = render;
    render = RenderState();
    render.mode = mode;
    render.select = kept.select;
    render.feedback = kept.feedback;
    render.feedbackType = kept.feedbackType;
    render.size = mode == GL_SELECT ? kept.selectSize : mode == GL_FEEDBACK ? kept.feedbackSize : 0;
    render.selectSize = kept.selectSize;
    render.feedbackSize = kept.feedbackSize;
    return result;
}

}  // namespace glweb
