#include "web/gl/gl_context.h"

#include <cstring>

namespace glweb {

namespace {

int nextPowerOfTwo(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

}  // namespace

bool Texture::complete() const
{
    return width > 0 && height > 0 && (minFilter == GL_NEAREST || minFilter == GL_LINEAR);
}

void Context::viewport(int x, int y, int width, int height)
{
    Command c{};
    c.kind = Command::viewport;
    c.rect[0] = x;
    c.rect[1] = y;
    c.rect[2] = width;
    c.rect[3] = height;
    std::memcpy(viewportRect, c.rect, sizeof viewportRect);
    commands.push_back(c);
}

void Context::clearColor(float r, float g, float b, float a)
{
    clearRGBA[0] = r;
    clearRGBA[1] = g;
    clearRGBA[2] = b;
    clearRGBA[3] = a;
}

void Context::clear(GLbitfield mask)
{
    Command c{};
    c.kind = Command::clear;
    c.mask = mask;
    std::memcpy(c.clearColor, clearRGBA, sizeof c.clearColor);
    commands.push_back(c);
}

void Context::begin(GLenum mode)
{
    inBegin = true;
    beginMode = mode;
    primitive.clear();
}

void Context::vertex(float x, float y, float z)
{
    if (!inBegin)
        return;
    const glcore::Mat4& modelview = stacks.modelview.back();
    Vertex v;
    glcore::transform4(glcore::multiply(stacks.projection.back(), modelview), {x, y, z}, v.position);
    if (lightingOn)
        lightVertex(lighting, modelview, {0, 0, 1}, currentColor, v.color);  // no normal is ever sent
    else
        std::memcpy(v.color, currentColor, sizeof v.color);
    v.texCoord[0] = currentTexCoord[0];
    v.texCoord[1] = currentTexCoord[1];
    primitive.push_back(v);
}

// Polygons and fans turn about their first vertex; a strip's odd triangles
// swap their first two vertices to keep the strip's winding.
void Context::end()
{
    if (!inBegin)
        return;
    inBegin = false;
    const std::vector<Vertex>& p = primitive;
    const size_t n = p.size();
    if (beginMode == GL_POLYGON || beginMode == GL_TRIANGLE_FAN) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 1; i + 1 < n; i++)
            emitTriangle(s, p[0], p[i], p[i + 1]);
    } else if (beginMode == GL_TRIANGLE_STRIP) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 0; i + 2 < n; i++) {
            if (i % 2 == 0)
                emitTriangle(s, p[i], p[i + 1], p[i + 2]);
            else
                emitTriangle(s, p[i + 1], p[i], p[i + 2]);
        }
    } else if (beginMode == GL_TRIANGLES) {
        DrawState s = stateFor(GL_TRIANGLES);
        for (size_t i = 0; i + 2 < n; i += 3)
            emitTriangle(s, p[i], p[i + 1], p[i + 2]);
    } else if (beginMode == GL_LINE_STRIP || beginMode == GL_LINES) {
        DrawState s = stateFor(GL_LINES);
        size_t step = beginMode == GL_LINES ? 2 : 1;
        for (size_t i = 0; i + 1 < n; i += step)
            emit(s, {&p[i], &p[i + 1]});
    }
}

void Context::texCoord(float s, float t)
{
    currentTexCoord[0] = s;
    currentTexCoord[1] = t;
}

void Context::color(float r, float g, float b)
{
    currentColor[0] = r;
    currentColor[1] = g;
    currentColor[2] = b;
}

void Context::enable(GLenum cap, bool on)
{
    switch (cap) {
    case GL_LIGHTING: lightingOn = on; break;
    case GL_LIGHT0: lighting.light0 = on; break;
    case GL_NORMALIZE: lighting.normalize = on; break;
    case GL_TEXTURE_2D: texturingOn = on; break;
    case GL_DEPTH_TEST: depthTestOn = on; break;
    case GL_CULL_FACE: cullFaceOn = on; break;
    case GL_COLOR_MATERIAL: colorMaterialOn = on; break;
    default: break;
    }
    lighting.colorMaterial = colorMaterialOn && colorMaterialMode == GL_AMBIENT_AND_DIFFUSE;
}

void Context::texParameter(GLenum pname, GLint param)
{
    Texture& t = textures[boundName];
    switch (pname) {
    case GL_TEXTURE_MIN_FILTER: t.minFilter = param; break;
    case GL_TEXTURE_MAG_FILTER: t.magFilter = param; break;
    case GL_TEXTURE_WRAP_S: t.wrapS = param; break;
    case GL_TEXTURE_WRAP_T: t.wrapT = param; break;
    default: return;
    }
    t.version++;
}

void Context::pixelStore(GLenum pname, GLint param)
{
    if (pname == GL_UNPACK_ALIGNMENT && (param == 1 || param == 2 || param == 4 || param == 8))
        unpackAlignment = param;
}

// Kept as tightly packed RGB, widened to powers of two by nearest sampling,
// which leaves what a GL_NEAREST texel lookup shows unchanged. Only the
// program's own format, GL_RGB in bytes, is taken; no image leaves the
// texture incomplete, so texturing is off for it, as in OpenGL 1.1.
void Context::texImage2D(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels)
{
    Texture& t = textures[boundName];
    t.version++;
    const bool usable = pixels && width > 0 && height > 0 && format == GL_RGB && type == GL_UNSIGNED_BYTE;
    t.width = usable ? width : 0;
    t.height = usable ? height : 0;
    t.storedWidth = usable ? nextPowerOfTwo(width) : 0;
    t.storedHeight = usable ? nextPowerOfTwo(height) : 0;
    t.pixels.assign((size_t)t.storedWidth * (size_t)t.storedHeight * 3, 0);
    if (!usable)
        return;
    const size_t align = (size_t)unpackAlignment;
    const size_t rowBytes = ((size_t)width * 3 + align - 1) / align * align;
    const auto* src = static_cast<const uint8_t*>(pixels);
    const size_t w = (size_t)t.storedWidth, h = (size_t)t.storedHeight;
    for (size_t y = 0; y < h; y++) {
        const uint8_t* row = src + y * (size_t)height / h * rowBytes;
        for (size_t x = 0; x < w; x++)
            std::memcpy(&t.pixels[(y * w + x) * 3], row + x * (size_t)width / w * 3, 3);
    }
}

void Context::light(GLenum which, GLenum pname, const GLfloat* params)
{
    if (which != GL_LIGHT0)
        return;
    if (pname == GL_POSITION) {
        // Stored in eye coordinates, under the modelview current now.
        const glcore::Mat4& m = stacks.modelview.back();
        for (int i = 0; i < 4; i++)
            lighting.lightPosition[i] =
                m.m[i] * params[0] + m.m[4 + i] * params[1] + m.m[8 + i] * params[2] + m.m[12 + i] * params[3];
    } else if (pname == GL_AMBIENT) {
        std::memcpy(lighting.lightAmbient, params, sizeof lighting.lightAmbient);
    } else if (pname == GL_DIFFUSE) {
        std::memcpy(lighting.lightDiffuse, params, sizeof lighting.lightDiffuse);
    } else if (pname == GL_SPECULAR) {
        std::memcpy(lighting.lightSpecular, params, sizeof lighting.lightSpecular);
    }
}

void Context::lightModel(GLenum pname, const GLfloat* params)
{
    if (pname == GL_LIGHT_MODEL_AMBIENT)
        std::memcpy(lighting.modelAmbient, params, sizeof lighting.modelAmbient);
}

void Context::material(GLenum pname, const GLfloat* params)
{
    switch (pname) {
    case GL_AMBIENT: std::memcpy(lighting.matAmbient, params, sizeof lighting.matAmbient); break;
    case GL_DIFFUSE: std::memcpy(lighting.matDiffuse, params, sizeof lighting.matDiffuse); break;
    case GL_AMBIENT_AND_DIFFUSE:
        std::memcpy(lighting.matAmbient, params, sizeof lighting.matAmbient);
        std::memcpy(lighting.matDiffuse, params, sizeof lighting.matDiffuse);
        break;
    case GL_SPECULAR: std::memcpy(lighting.matSpecular, params, sizeof lighting.matSpecular); break;
    case GL_EMISSION: std::memcpy(lighting.matEmission, params, sizeof lighting.matEmission); break;
    case GL_SHININESS: lighting.shininess = params[0]; break;
    default: break;
    }
}

void Context::colorMaterial(GLenum mode)
{
    colorMaterialMode = mode;
    lighting.colorMaterial = colorMaterialOn && colorMaterialMode == GL_AMBIENT_AND_DIFFUSE;
}

Snapshot Context::snapshot() const
{
    Snapshot s{};
    s.modelview = stacks.modelview.back();
    s.projection = stacks.projection.back();
    std::memcpy(s.viewport, viewportRect, sizeof s.viewport);
    s.depthTest = depthTestOn;
    s.lighting = lightingOn;
    s.texturing = texturingOn;
    s.cullFace = cullFaceOn;
    s.winding = winding;
    s.texEnvMode = envMode;
    s.texture = boundName;
    std::memcpy(s.color, currentColor, sizeof s.color);
    std::memcpy(s.texCoord, currentTexCoord, sizeof s.texCoord);
    std::memcpy(s.lightPosition, lighting.lightPosition, sizeof s.lightPosition);
    return s;
}

DrawState Context::stateFor(GLenum mode) const
{
    GLuint texture = 0;
    if (texturingOn) {
        auto it = textures.find(boundName);
        if (it != textures.end() && it->second.complete())
            texture = boundName;
    }
    return {mode, texture, envMode, depthTestOn, cullFaceOn};
}

void Context::emit(const DrawState& state, std::initializer_list<const Vertex*> list)
{
    Command* last = commands.empty() ? nullptr : &commands.back();
    if (!last || last->kind != Command::draw || !(last->state == state)) {
        Command c{};
        c.kind = Command::draw;
        c.state = state;
        c.first = vertices.size();
        commands.push_back(c);
        last = &commands.back();
    }
    for (const Vertex* v : list)
        vertices.push_back(*v);
    last->count += list.size();
}

// One triangle, turned to GL_CCW when its front face is clockwise.
void Context::emitTriangle(const DrawState& state, const Vertex& a, const Vertex& b, const Vertex& c)
{
    if (winding == GL_CW)
        emit(state, {&a, &c, &b});
    else
        emit(state, {&a, &b, &c});
}

}  // namespace glweb
