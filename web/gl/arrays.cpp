// Vertex arrays: the program's own memory, read element by element as
// glArrayElement, glDrawArrays and glDrawElements ask, each element made
// into the calls that give its colour, normal, texture coordinates, edge
// flag and vertex (so display lists keep what the arrays held then).
// Every pointer and interleaved format of OpenGL 1.1; an enabled array
// without memory is GL_INVALID_OPERATION, and nothing is read.
#include <GL/gl.h>

#include <cstring>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_state.h"

namespace {

struct Array {
    bool enabled = false;
    GLint size = 4;
    GLenum type = GL_FLOAT;
    GLsizei stride = 0;
    const GLvoid* pointer = nullptr;
};

struct Arrays {
    Array vertex, normal, color, texCoord, edge, index;
};
Arrays arrays;
// The client stack: each entry with the groups it was pushed with.
struct Client {
    GLbitfield mask;
    Arrays arrays;
    int pack[6], unpack[6];
};
std::vector<Client> clientStack;

int bytesOf(GLenum type)
{
    switch (type) {
    case GL_BYTE: case GL_UNSIGNED_BYTE: return 1;
    case GL_SHORT: case GL_UNSIGNED_SHORT: return 2;
    case GL_DOUBLE: return 8;
    default: return 4;
    }
}

// Component k of element i as a double, integers scaled as glColor scales
// them when `normalized`.
double component(const Array& a, GLint i, int k, bool normalized)
{
    const size_t step = a.stride ? (size_t)a.stride : (size_t)(a.size * bytesOf(a.type));
    const auto* p = static_cast<const unsigned char*>(a.pointer) + (size_t)i * step + (size_t)(k * bytesOf(a.type));
    switch (a.type) {
    case GL_BYTE: { GLbyte v; std::memcpy(&v, p, 1); return normalized ? (2.0 * v + 1) / 255 : v; }
    case GL_UNSIGNED_BYTE: return normalized ? *p / 255.0 : *p;
    case GL_SHORT: { GLshort v; std::memcpy(&v, p, 2); return normalized ? (2.0 * v + 1) / 65535 : v; }
    case GL_UNSIGNED_SHORT: { GLushort v; std::memcpy(&v, p, 2); return normalized ? v / 65535.0 : v; }
    case GL_INT: { GLint v; std::memcpy(&v, p, 4); return normalized ? (2.0 * v + 1) / 4294967295.0 : v; }
    case GL_UNSIGNED_INT: { GLuint v; std::memcpy(&v, p, 4); return normalized ? v / 4294967295.0 : v; }
    case GL_DOUBLE: { GLdouble v; std::memcpy(&v, p, 8); return v; }
    default: { GLfloat v; std::memcpy(&v, p, 4); return v; }
    }
}

bool validType(GLenum type)
{
    switch (type) {
    case GL_BYTE: case GL_UNSIGNED_BYTE: case GL_SHORT: case GL_UNSIGNED_SHORT: case GL_INT: case GL_UNSIGNED_INT:
    case GL_FLOAT: case GL_DOUBLE:
        return true;
    default: return false;
    }
}

void set(Array& a, GLint size, GLenum type, GLsizei stride, const GLvoid* pointer, GLint minSize, GLint maxSize)
{
    if (size < minSize || size > maxSize || stride < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (!validType(type))
        return glweb::raise(GL_INVALID_ENUM);
    a.size = size;
    a.type = type;
    a.stride = stride;
    a.pointer = pointer;
}

Array* arrayOf(GLenum which)
{
    switch (which) {
    case GL_VERTEX_ARRAY: return &arrays.vertex;
    case GL_NORMAL_ARRAY: return &arrays.normal;
    case GL_COLOR_ARRAY: return &arrays.color;
    case GL_TEXTURE_COORD_ARRAY: return &arrays.texCoord;
    case GL_EDGE_FLAG_ARRAY: return &arrays.edge;
    case GL_INDEX_ARRAY: return &arrays.index;
    default: return nullptr;
    }
}

// Whether every enabled array has memory to read.
bool readable()
{
    for (const Array* a : {&arrays.vertex, &arrays.normal, &arrays.color, &arrays.texCoord, &arrays.edge})
        if (a->enabled && !a->pointer) {
            glweb::raise(GL_INVALID_OPERATION);
            return false;
        }
    return true;
}

void element(GLint i)
{
    const Array &c = arrays.color, &n = arrays.normal, &t = arrays.texCoord, &e = arrays.edge, &v = arrays.vertex;
    if (e.enabled)
        glEdgeFlag(component(e, i, 0, false) != 0);
    if (t.enabled) {
        double s[4] = {0, 0, 0, 1};
        for (int k = 0; k < t.size; k++)
            s[k] = component(t, i, k, false);
        glTexCoord4d(s[0], s[1], s[2], s[3]);
    }
    if (c.enabled) {
        double rgba[4] = {0, 0, 0, 1};
        for (int k = 0; k < c.size; k++)
            rgba[k] = component(c, i, k, true);
        glColor4d(rgba[0], rgba[1], rgba[2], rgba[3]);
    }
    if (n.enabled)
        glNormal3d(component(n, i, 0, true), component(n, i, 1, true), component(n, i, 2, true));
    if (v.enabled) {
        double p[4] = {0, 0, 0, 1};
        for (int k = 0; k < v.size; k++)
            p[k] = component(v, i, k, false);
        glVertex4d(p[0], p[1], p[2], p[3]);
    }
}

}  // namespace

extern "C" {

void glVertexPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* p) { NOTED_AS("glVertexPointer", ((double)size, (double)type, (double)stride), nullptr); set(arrays.vertex, size, type, stride, p, 2, 4); }
void glNormalPointer(GLenum type, GLsizei stride, const GLvoid* p) { NOTED_AS("glNormalPointer", ((double)type, (double)stride), nullptr); set(arrays.normal, 3, type, stride, p, 3, 3); }
void glColorPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* p) { NOTED_AS("glColorPointer", ((double)size, (double)type, (double)stride), nullptr); set(arrays.color, size, type, stride, p, 3, 4); }
void glTexCoordPointer(GLint size, GLenum type, GLsizei stride, const GLvoid* p) { NOTED_AS("glTexCoordPointer", ((double)size, (double)type, (double)stride), nullptr); set(arrays.texCoord, size, type, stride, p, 1, 4); }
void glIndexPointer(GLenum type, GLsizei stride, const GLvoid* p) { set(arrays.index, 1, type, stride, p, 1, 1); }
void glEdgeFlagPointer(GLsizei stride, const GLvoid* p) { set(arrays.edge, 1, GL_UNSIGNED_BYTE, stride, p, 1, 1); }

void glEnableClientState(GLenum which)
{
    NOTED("glEnableClientState", glEnableClientState, (which));
    if (Array* a = arrayOf(which))
        a->enabled = true;
    else
        glweb::raise(GL_INVALID_ENUM);
}

void glDisableClientState(GLenum which)
{
    NOTED("glDisableClientState", glDisableClientState, (which));
    if (Array* a = arrayOf(which))
        a->enabled = false;
    else
        glweb::raise(GL_INVALID_ENUM);
}

void glPushClientAttrib(GLbitfield mask)
{
    NOTED("glPushClientAttrib", glPushClientAttrib, (mask));
    if (clientStack.size() >= glweb::maxClientStackDepth)
        return glweb::raise(GL_STACK_OVERFLOW);
    Client c{mask, arrays, {}, {}};
    std::memcpy(c.pack, glweb::packValues(), sizeof c.pack);
    std::memcpy(c.unpack, glweb::gl().unpack, sizeof c.unpack);
    clientStack.push_back(c);
}

void glPopClientAttrib()
{
    NOTED("glPopClientAttrib", glPopClientAttrib, ());
    if (clientStack.empty())
        return glweb::raise(GL_STACK_UNDERFLOW);
    const Client& c = clientStack.back();
    if (c.mask & GL_CLIENT_VERTEX_ARRAY_BIT)
        arrays = c.arrays;
    if (c.mask & GL_CLIENT_PIXEL_STORE_BIT) {
        std::memcpy(glweb::packValues(), c.pack, sizeof c.pack);
        std::memcpy(glweb::gl().unpack, c.unpack, sizeof c.unpack);
    }
    clientStack.pop_back();
}

void glGetPointerv(GLenum pname, GLvoid** params)
{
    if (pname == GL_SELECTION_BUFFER_POINTER || pname == GL_FEEDBACK_BUFFER_POINTER) {
        const auto& r = glweb::gl().render;
        *params = pname == GL_SELECTION_BUFFER_POINTER ? (GLvoid*)r.select : (GLvoid*)r.feedback;
        return;
    }
    const Array* a = pname == GL_VERTEX_ARRAY_POINTER ? &arrays.vertex : pname == GL_NORMAL_ARRAY_POINTER ? &arrays.normal
                     : pname == GL_COLOR_ARRAY_POINTER ? &arrays.color : pname == GL_TEXTURE_COORD_ARRAY_POINTER ? &arrays.texCoord
                     : pname == GL_EDGE_FLAG_ARRAY_POINTER ? &arrays.edge : pname == GL_INDEX_ARRAY_POINTER ? &arrays.index : nullptr;
    if (!a)
        return glweb::raise(GL_INVALID_ENUM);
    *params = const_cast<GLvoid*>(a->pointer);
}

// The calls below are noted with the calls each element makes; the arrays
// themselves stay the program's, so only those are made again.
void glArrayElement(GLint i)
{
    NOTED("glArrayElement", glArrayElement, (i));
    if (readable())
        element(i);
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    NOTED("glDrawArrays", glDrawArrays, (mode, first, count));
    if (count < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (mode > GL_POLYGON)
        return glweb::raise(GL_INVALID_ENUM);
    if (!glweb::outsideBeginEnd() || !readable())
        return;
    glBegin(mode);
    for (GLsizei k = 0; k < count; k++)
        element(first + k);
    glEnd();
}

void glDrawElements(GLenum mode, GLsizei count, GLenum type, const GLvoid* indices)
{
    NOTED_AS("glDrawElements", ((double)mode, (double)count, (double)type), nullptr);
    if (count < 0)
        return glweb::raise(GL_INVALID_VALUE);
    if (mode > GL_POLYGON || (type != GL_UNSIGNED_BYTE && type != GL_UNSIGNED_SHORT && type != GL_UNSIGNED_INT))
        return glweb::raise(GL_INVALID_ENUM);
    if (!glweb::outsideBeginEnd() || !readable())
        return;
    if (!indices && count > 0)
        return glweb::raise(GL_INVALID_OPERATION);
    glBegin(mode);
    for (GLsizei k = 0; k < count; k++) {
        const auto* p = static_cast<const unsigned char*>(indices);
        GLuint i;
        if (type == GL_UNSIGNED_BYTE) {
            i = p[k];
        } else if (type == GL_UNSIGNED_SHORT) {
            GLushort s;
            std::memcpy(&s, p + 2 * k, 2);
            i = s;
        } else {
            std::memcpy(&i, p + 4 * k, 4);
        }
        element((GLint)i);
    }
    glEnd();
}

// GL 1.1's fourteen interleaved layouts: which arrays, their sizes, and
// where each begins in an element of floats (colours of GL_C4UB_* in bytes).
void glInterleavedArrays(GLenum format, GLsizei stride, const GLvoid* pointer)
{
    static const struct {
        GLenum format;
        int texCoords, colors, normals, vertices;
        bool byteColor;
    } layouts[] = {
        {GL_V2F, 0, 0, 0, 2, false},          {GL_V3F, 0, 0, 0, 3, false},
        {GL_C4UB_V2F, 0, 4, 0, 2, true},      {GL_C4UB_V3F, 0, 4, 0, 3, true},
        {GL_C3F_V3F, 0, 3, 0, 3, false},      {GL_N3F_V3F, 0, 0, 3, 3, false},
        {GL_C4F_N3F_V3F, 0, 4, 3, 3, false},  {GL_T2F_V3F, 2, 0, 0, 3, false},
        {GL_T4F_V4F, 4, 0, 0, 4, false},      {GL_T2F_C4UB_V3F, 2, 4, 0, 3, true},
        {GL_T2F_C3F_V3F, 2, 3, 0, 3, false},  {GL_T2F_N3F_V3F, 2, 0, 3, 3, false},
        {GL_T2F_C4F_N3F_V3F, 2, 4, 3, 3, false}, {GL_T4F_C4F_N3F_V4F, 4, 4, 3, 4, false},
    };
    for (const auto& l : layouts) {
        if (l.format != format)
            continue;
        if (stride < 0)
            return glweb::raise(GL_INVALID_VALUE);
        const int colorBytes = l.colors ? (l.byteColor ? 4 : 4 * l.colors) : 0;
        const int size = 4 * l.texCoords + colorBytes + 4 * l.normals + 4 * l.vertices;
        const GLsizei s = stride ? stride : size;
        const auto* p = static_cast<const unsigned char*>(pointer);
        arrays.edge.enabled = arrays.index.enabled = false;
        arrays.texCoord.enabled = l.texCoords > 0;
        arrays.color.enabled = l.colors > 0;
        arrays.normal.enabled = l.normals > 0;
        arrays.vertex.enabled = true;
        int at = 0;
        if (l.texCoords)
            arrays.texCoord = {true, l.texCoords, GL_FLOAT, s, p + at};
        at += 4 * l.texCoords;
        if (l.colors)
            arrays.color = {true, l.colors, l.byteColor ? (GLenum)GL_UNSIGNED_BYTE : (GLenum)GL_FLOAT, s, p + at};
        at += colorBytes;
        if (l.normals)
            arrays.normal = {true, 3, GL_FLOAT, s, p + at};
        at += 4 * l.normals;
        arrays.vertex = {true, l.vertices, GL_FLOAT, s, p + at};
        return;
    }
    glweb::raise(GL_INVALID_ENUM);
}

}  // extern "C"

// The arrays' state as glGet gives it.
namespace glweb {
bool arrayState(GLenum pname, std::vector<double>& out)
{
    const struct {
        const Array* array;
        GLenum on, size, type, stride;
    } table[] = {
        {&arrays.vertex, GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE, GL_VERTEX_ARRAY_STRIDE},
        {&arrays.normal, GL_NORMAL_ARRAY, 0, GL_NORMAL_ARRAY_TYPE, GL_NORMAL_ARRAY_STRIDE},
        {&arrays.color, GL_COLOR_ARRAY, GL_COLOR_ARRAY_SIZE, GL_COLOR_ARRAY_TYPE, GL_COLOR_ARRAY_STRIDE},
        {&arrays.index, GL_INDEX_ARRAY, 0, GL_INDEX_ARRAY_TYPE, GL_INDEX_ARRAY_STRIDE},
        {&arrays.texCoord, GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_SIZE, GL_TEXTURE_COORD_ARRAY_TYPE,
         GL_TEXTURE_COORD_ARRAY_STRIDE},
        {&arrays.edge, GL_EDGE_FLAG_ARRAY, 0, 0, GL_EDGE_FLAG_ARRAY_STRIDE},
    };
    for (const auto& t : table) {
        const Array& a = *t.array;
        if (pname == t.on) out = {(double)a.enabled};
        else if (t.size && pname == t.size) out = {(double)a.size};
        else if (t.type && pname == t.type) out = {(double)a.type};
        else if (pname == t.stride) out = {(double)a.stride};
        else continue;
        return true;
    }
    if (pname == GL_CLIENT_ATTRIB_STACK_DEPTH) out = {(double)clientStack.size()};
    else if (pname == GL_MAX_CLIENT_ATTRIB_STACK_DEPTH) out = {(double)maxClientStackDepth};
    else return false;
    return true;
}
}  // namespace glweb
