// The page's GL entry points on the host, as any program calls them: what
// bad input gets (the error GL names, and nothing drawn or kept), and
// display lists against the same calls made directly.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>
#include <GL/glut.h>

#include <cmath>
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "web/gl/gl_api.h"
#include "web/gl/gl_web.h"

namespace {

void drain()
{
    while (glGetError() != GL_NO_ERROR) {
    }
}

// Back to a context as a program finds it: identity matrices, the
// modelview's stack one deep, nothing inside glBegin.
void fresh()
{
    if (glweb::gl().inside())
        glEnd();
    for (GLenum mode : {GL_PROJECTION, GL_TEXTURE, GL_MODELVIEW}) {
        glMatrixMode(mode);
        while (glweb::gl().stackDepth(mode) > 1)
            glPopMatrix();
        glLoadIdentity();
    }
    for (GLenum array : {GL_VERTEX_ARRAY, GL_COLOR_ARRAY})
        glDisableClientState(array);
    glweb::gl().vertices.clear();
    glweb::gl().commands.clear();
    drain();
}

TEST(GLApiTest, BadInputGetsTheErrorGLNamesAndChangesNothing)
{
    const GLubyte pixel[4] = {1, 2, 3, 4};
    const struct {
        const char* what;
        std::function<void()> calls;
        GLenum error;
        std::function<bool()> unchanged;
    } rows[] = {
        {"glEnd without glBegin", [] { glEnd(); }, GL_INVALID_OPERATION, [] { return !glweb::gl().inside(); }},
        {"glBegin inside glBegin", [] { glBegin(GL_POINTS); glBegin(GL_LINES); glVertex2f(0, 0); glEnd(); },
         GL_INVALID_OPERATION, [] { return glweb::gl().commands.size() == 1; }},
        {"a mode glBegin does not know", [] { glBegin(GL_POLYGON + 1); }, GL_INVALID_ENUM,
         [] { return !glweb::gl().inside(); }},
        {"the modelview pushed past 32", [] { for (int i = 0; i < 33; i++) glPushMatrix(); }, GL_STACK_OVERFLOW,
         [] { return glweb::gl().stackDepth(GL_MODELVIEW) == 32; }},
        {"the projection pushed past 2",
         [] { glMatrixMode(GL_PROJECTION); glPushMatrix(); glPushMatrix(); }, GL_STACK_OVERFLOW,
         [] { return glweb::gl().stackDepth(GL_PROJECTION) == 2; }},
        {"a stack popped empty", [] { glPopMatrix(); }, GL_STACK_UNDERFLOW,
         [] { return glweb::gl().stackDepth(GL_MODELVIEW) == 1; }},
        {"a matrix mode GL does not know", [] { glMatrixMode(GL_TEXTURE_2D); }, GL_INVALID_ENUM, nullptr},
        {"an index map of size 3", [] { const GLfloat m[3] = {}; glPixelMapfv(GL_PIXEL_MAP_I_TO_R, 3, m); },
         GL_INVALID_VALUE, [] { GLint n = 0; glGetIntegerv(GL_PIXEL_MAP_I_TO_R_SIZE, &n); return n == 1; }},
        {"a right buffer in a window without one", [] { glDrawBuffer(GL_BACK_RIGHT); }, GL_INVALID_OPERATION,
         [] { GLint b = 0; glGetIntegerv(GL_DRAW_BUFFER, &b); return b == GL_BACK; }},
        {"a switch GL does not know", [] { glEnable(GL_TEXTURE_ENV); }, GL_INVALID_ENUM,
         [] { return !glIsEnabled(GL_TEXTURE_ENV) && glGetError() == GL_INVALID_ENUM; }},
        {"a texture of negative width", [&] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, -1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, pixel); },
         GL_INVALID_VALUE, nullptr},
        {"a texture with a border of 2", [&] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 2, GL_RGB, GL_UNSIGNED_BYTE, pixel); },
         GL_INVALID_VALUE, nullptr},
        {"a texture format GL does not know",
         [&] { glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_VERTEX_ARRAY, GL_UNSIGNED_BYTE, pixel); },
         GL_INVALID_ENUM, nullptr},
        {"a texture of size 0: no error, and no image", [] {
             glBindTexture(GL_TEXTURE_2D, 41);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
         }, GL_NO_ERROR, [] { return glweb::gl().textures[41].pixels.empty() && !glweb::gl().textures[41].complete(); }},
        {"glCopyPixels inside glBegin", [] { glBegin(GL_POINTS); glCopyPixels(0, 0, 1, 1, GL_COLOR); glEnd(); },
         GL_INVALID_OPERATION, [] { return glweb::gl().vertices.empty(); }},
        {"a sub-image of level 1, made without pixels", [&] {
             glBindTexture(GL_TEXTURE_2D, 42);
             glTexImage2D(GL_TEXTURE_2D, 1, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
             glTexSubImage2D(GL_TEXTURE_2D, 1, 1, 1, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, pixel);
         }, GL_NO_ERROR, [] {
             const auto& l = glweb::gl().textures[42].mipmaps.at(0);
             return l.pixels.size() == 16 && l.pixels[12] == 1 && l.pixels[13] == 2 && l.pixels[14] == 3;
         }},
        {"a texture made again, then deleted, after a draw with it", [&] {
             const GLubyte red[3] = {255, 0, 0}, blue[3] = {0, 0, 255};
             glBindTexture(GL_TEXTURE_2D, 43);
             glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, red);
             glEnable(GL_TEXTURE_2D);
             glRectf(0, 0, 1, 1);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, blue);
             glRectf(-1, -1, 0, 0);
             const GLuint name = 43;
             glDeleteTextures(1, &name);
             glDisable(GL_TEXTURE_2D);
         }, GL_NO_ERROR, [] {  // each draw's image as it was when it drew
             const glweb::Context& c = glweb::gl();
             std::vector<int> reds;
             for (const glweb::Command& k : c.commands)
                 if (k.kind == glweb::Command::draw && k.state.textured) {
                     const glweb::Texture* t = c.textureAt(k.state.texture, k.state.textureVersion);
                     reds.push_back(t ? t->pixels.at(0) : -1);
                 }
             return reds == std::vector<int>{255, 0};
         }},
        {"a list begun inside a list", [] { glNewList(5, GL_COMPILE); glNewList(6, GL_COMPILE); glEndList(); },
         GL_INVALID_OPERATION, [] { return glIsList(5) && !glIsList(6); }},
        {"glEndList with no list", [] { glEndList(); }, GL_INVALID_OPERATION, nullptr},
        {"a list of name 0", [] { glNewList(0, GL_COMPILE); }, GL_INVALID_VALUE, nullptr},
        {"a negative range of lists", [] { glGenLists(-1); }, GL_INVALID_VALUE, nullptr},
        // Called inside its own compilation: kept as a call, which then runs
        // into itself only as deep as lists nest (64).
        {"a list calling itself", [] {
             glNewList(9, GL_COMPILE);
             glBegin(GL_POINTS);
             glVertex2f(0, 0);
             glEnd();
             glCallList(9);
             glEndList();
             glCallList(9);
         }, GL_NO_ERROR, [] { return glweb::gl().vertices.size() == 64; }},
        {"a point of size 0", [] { glPointSize(0); }, GL_INVALID_VALUE,
         [] { return glweb::gl().fragments.pointSize == 1; }},
        {"a scissor box of negative width", [] { glScissor(0, 0, -1, 1); }, GL_INVALID_VALUE, nullptr},
        {"a fog density below 0", [] { glFogf(GL_FOG_DENSITY, -1); }, GL_INVALID_VALUE,
         [] { return glweb::gl().fragments.fogDensity == 1; }},
        {"an enabled array without memory", [] {
             glEnableClientState(GL_VERTEX_ARRAY);
             glVertexPointer(3, GL_FLOAT, 0, nullptr);
             glDrawArrays(GL_TRIANGLES, 0, 3);
         }, GL_INVALID_OPERATION, [] { return glweb::gl().vertices.empty() && !glweb::gl().inside(); }},
        {"elements without indices", [] {
             static const GLfloat points[3] = {0, 0, 0};
             glEnableClientState(GL_VERTEX_ARRAY);
             glVertexPointer(3, GL_FLOAT, 0, points);
             glDrawElements(GL_POINTS, 4, GL_UNSIGNED_BYTE, nullptr);
         }, GL_INVALID_OPERATION, [] { return glweb::gl().vertices.empty(); }},
        {"an attribute stack popped empty", [] { glPopAttrib(); }, GL_STACK_UNDERFLOW, nullptr},
        {"a map of order 31", [] { static GLfloat p[31 * 4]; glMap1f(GL_MAP1_VERTEX_4, 0, 1, 4, 31, p); },
         GL_INVALID_VALUE, [] { GLint order = 0; glGetMapiv(GL_MAP1_VERTEX_4, GL_ORDER, &order); return order == 1; }},
        {"a map whose domain is one point", [] { static GLfloat p[6]; glMap1f(GL_MAP1_VERTEX_3, 1, 1, 3, 2, p); },
         GL_INVALID_VALUE, nullptr},
        {"a map's stride shorter than its points", [] { static GLfloat p[12]; glMap2f(GL_MAP2_NORMAL, 0, 1, 2, 2, 0, 1, 6, 2, p); },
         GL_INVALID_VALUE, nullptr},
        {"an accumulation without its buffer", [] { webAccumBuffer(false); glAccum(GL_ACCUM, 1); },
         GL_INVALID_OPERATION, nullptr},
        {"an accumulation GL does not know", [] { glAccum(GL_ADD + 100, 1); }, GL_INVALID_ENUM, nullptr},
        // Returned into a 10 x 10 box at the corner of the 100 x 100 window, past the depth test.
        {"the accumulation returned into the scissor box", [] {
             webAccumBuffer(true);
             glClearAccum(0.25f, 0.25f, 0.25f, 0.25f);
             glEnable(GL_SCISSOR_TEST);
             glScissor(90, 90, 20, 20);
             glClear(GL_ACCUM_BUFFER_BIT);
             glEnable(GL_DEPTH_TEST);
             glAccum(GL_RETURN, 2);
             glDisable(GL_SCISSOR_TEST);
             glDisable(GL_DEPTH_TEST);
             webAccumBuffer(false);
         }, GL_NO_ERROR, [] {
             const auto& v = glweb::gl().vertices;
             bool tested = false;
             for (const glweb::Command& c : glweb::gl().commands)
                 tested = tested || (c.kind == glweb::Command::draw && c.state.depthTest);
             return v.size() == 100 && v[0].color[0] == 128 / 255.0f && !tested;
         }},
        {"a mesh of triangles", [] { glEvalMesh2(GL_TRIANGLES, 0, 1, 0, 1); }, GL_INVALID_ENUM,
         [] { return glweb::gl().vertices.empty() && !glweb::gl().inside(); }},
        // A pop gives back the groups pushed, and only those.
        {"colour buffer and current pushed", [] {
             glColor3f(0, 1, 0);
             glPushAttrib(GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT);
             glEnable(GL_BLEND);
             glBlendFunc(GL_SRC_ALPHA, GL_ONE);
             glColor3f(1, 0, 0);
             glEnable(GL_DEPTH_TEST);  // not in either group
             glPopAttrib();
         }, GL_NO_ERROR, [] {
             const glweb::Fragments& f = glweb::gl().fragments;
             const bool kept = glIsEnabled(GL_DEPTH_TEST);
             glDisable(GL_DEPTH_TEST);
             return !f.blend && f.blendSrc == GL_ONE && f.blendDst == GL_ZERO && glweb::gl().currentColorRGBA()[1] == 1 &&
                    kept;
         }},
        {"lighting pushed", [] {
             const GLfloat red[4] = {1, 0, 0, 1}, grey[4] = {0.8f, 0.8f, 0.8f, 1};
             glDisable(GL_LIGHTING);
             glMaterialfv(GL_FRONT, GL_DIFFUSE, grey);
             glPushAttrib(GL_LIGHTING_BIT);
             glEnable(GL_LIGHTING);
             glEnable(GL_LIGHT3);
             glMaterialfv(GL_FRONT, GL_DIFFUSE, red);
             glPopAttrib();
         }, GL_NO_ERROR, [] {
             const LightingState& l = glweb::gl().lightingState();
             return !glIsEnabled(GL_LIGHTING) && !l.lights[3].enabled && l.material[0].diffuse[1] == 0.8f;
         }},
    };
    for (const auto& r : rows) {
        fresh();
        r.calls();
        EXPECT_EQ(glGetError(), r.error) << r.what;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what << ": the error was not cleared";
        if (r.unchanged)
            EXPECT_TRUE(r.unchanged()) << r.what;
    }
    fresh();
}

// What user clip planes leave of a triangle, and the texture coordinates
// glTexGen gives a vertex: each row's calls, then a look at what was drawn.
TEST(GLApiTest, ClipPlanesTexGenAndEvaluatorsGiveTheirVertices)
{
    const GLdouble right[4] = {1, 0, 0, 0};  // x >= 0
    auto triangle = [] {
        glBegin(GL_TRIANGLES);
        glVertex2f(-1, 0); glVertex2f(3, 0); glVertex2f(3, 1);
        glEnd();
    };
    auto point = [](float x, float y, float z) {
        glBegin(GL_POINTS);
        glVertex3f(x, y, z);
        glEnd();
    };
    auto texCoord = [](int k) { return glweb::gl().vertices.at(0).texCoord[k]; };
    auto near = [](const float* v, std::array<float, 3> want) {
        return std::fabs(v[0] - want[0]) < 1e-5f && std::fabs(v[1] - want[1]) < 1e-5f && std::fabs(v[2] - want[2]) < 1e-5f;
    };
    static const GLfloat cubic[4][3] = {{0, 0, 0}, {1, 2, 0}, {2, 2, 0}, {3, 0, 0}};  // over u in [2, 4]
    static const GLfloat plane[2][2][3] = {{{0, 0, 0}, {1, 0, 0}}, {{0, 1, 0}, {1, 1, 0}}};  // u along x, v along y
    auto curve = [] { glMap1f(GL_MAP1_VERTEX_3, 2, 4, 3, 4, &cubic[0][0]); glEnable(GL_MAP1_VERTEX_3); };
    auto surface = [] { glMap2f(GL_MAP2_VERTEX_3, 0, 1, 3, 2, 0, 1, 6, 2, &plane[0][0][0]); glEnable(GL_MAP2_VERTEX_3); };
    const float root2 = std::sqrt(2.0f);
    auto stipples = [] {
        std::vector<float> counts;
        for (const auto& v : glweb::gl().vertices)
            counts.push_back(v.stipple / v.position[3]);
        return counts;
    };
    const struct {
        const char* what;
        std::function<void()> calls;
        std::function<bool()> holds;
    } rows[] = {
        // Cut at (0, 0) and (0, 0.25): a quadrilateral, two triangles.
        {"a triangle across x = 0", [&] { glClipPlane(GL_CLIP_PLANE0, right); glEnable(GL_CLIP_PLANE0); triangle(); },
         [] {
             const auto& v = glweb::gl().vertices;
             bool right = v.size() == 6, cutAtQuarter = false;
             for (const glweb::Vertex& p : v) {
                 right = right && p.position[0] >= -1e-6f;
                 cutAtQuarter = cutAtQuarter || (std::fabs(p.position[0]) < 1e-6f && std::fabs(p.position[1] - 0.25f) < 1e-6f);
             }
             return right && cutAtQuarter;
         }},
        // Its corners: (3, 0), (3, 1), and the cuts (0, 0) and (0, 0.25).
        {"a triangle across x = 0 drawn as its corners", [&] {
             glClipPlane(GL_CLIP_PLANE0, right);
             glEnable(GL_CLIP_PLANE0);
             glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
             triangle();
             glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
         }, [] {
             const auto& v = glweb::gl().vertices;
             bool right = v.size() == 4;
             for (const glweb::Vertex& p : v)
                 right = right && p.position[0] >= -1e-6f;
             return right;
         }},
        {"a plane given four to the right", [&] {
             glTranslatef(4, 0, 0);
             glClipPlane(GL_CLIP_PLANE0, right);
             glLoadIdentity();
             glEnable(GL_CLIP_PLANE0);
             triangle();
         }, [] { return glweb::gl().vertices.empty(); }},
        {"s from an object plane", [&] {
             const GLfloat plane[4] = {2, 0, 0, 0.5f};
             glTexGenfv(GL_S, GL_OBJECT_PLANE, plane);
             glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_OBJECT_LINEAR);
             glEnable(GL_TEXTURE_GEN_S);
             point(1, 0, 0);
         }, [&] { return texCoord(0) == 2.5f; }},
        {"t from an eye plane, seen moved", [&] {
             const GLfloat plane[4] = {0, 1, 0, 0};
             glTexGenfv(GL_T, GL_EYE_PLANE, plane);
             glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
             glEnable(GL_TEXTURE_GEN_T);
             glTranslatef(0, 3, 0);
             point(0, 1, 0);
         }, [&] { return texCoord(1) == 4; }},
        // At (0, 0, -1) facing (0, 1, 1): the eye's ray reflects to +y.
        {"a sphere map", [&] {
             glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
             glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
             glEnable(GL_TEXTURE_GEN_S);
             glEnable(GL_TEXTURE_GEN_T);
             glNormal3f(0, 1, 1);
             point(0, 0, -1);
         }, [&] { return std::fabs(texCoord(0) - 0.5f) < 1e-6f && std::fabs(texCoord(1) - (0.5f + 1 / (2 * root2))) < 1e-6f; }},
        // The Bernstein weights of a cubic at a quarter: 27, 27, 9 and 1 in 64.
        {"a cubic a quarter along its domain", [&] { curve(); glBegin(GL_POINTS); glEvalCoord1f(2.5f); glEnd(); },
         [&] { return near(glweb::gl().vertices.at(0).position, {0.75f, 1.125f, 0}); }},
        {"a colour map colours its vertex alone", [&] {
             static const GLfloat fade[2][4] = {{1, 0, 0, 1}, {0, 0, 1, 1}};
             curve();
             glMap1f(GL_MAP1_COLOR_4, 2, 4, 4, 2, &fade[0][0]);
             glEnable(GL_MAP1_COLOR_4);
             glColor3f(0, 1, 0);
             glBegin(GL_POINTS);
             glEvalCoord1f(2.5f);
             glEnd();
         }, [&] { return near(glweb::gl().vertices.at(0).color, {0.75f, 0, 0.25f}) && glweb::gl().currentColorRGBA()[1] == 1; }},
        // Lit by a light along +z: the same colour as the normal +z gives, not -z's.
        {"a surface's normal from its partials", [&] {
             static const GLfloat along[4] = {0, 0, 1, 0}, white[4] = {1, 1, 1, 1};
             surface();
             glLightfv(GL_LIGHT0, GL_POSITION, along);
             glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
             glEnable(GL_LIGHTING);
             glEnable(GL_LIGHT0);
             glBegin(GL_POINTS);
             for (GLfloat z : {1.0f, -1.0f}) {
                 glNormal3f(0, 0, z);
                 glVertex3f(0.3f, 0.6f, 0);
             }
             glEnd();
             glEnable(GL_AUTO_NORMAL);
             glBegin(GL_POINTS);
             glEvalCoord2f(0.3f, 0.6f);
             glEnd();
         }, [&] {
             const auto& v = glweb::gl().vertices;
             return v.size() == 3 && near(v[2].color, {v[0].color[0], v[0].color[1], v[0].color[2]}) &&
                    !near(v[2].color, {v[1].color[0], v[1].color[1], v[1].color[2]}) &&
                    near(v[2].position, {0.3f, 0.6f, 0}) && glweb::gl().currentNormalValue().z == -1;
         }},
        {"a mesh of 3 by 2 filled", [&] {
             surface();
             glMapGrid2f(3, 0, 1, 2, 0, 1);
             glEvalMesh2(GL_FILL, 0, 3, 0, 2);
         }, [&] { return glweb::gl().vertices.size() == 6 * 2 * 3 && near(glweb::gl().vertices.back().position, {1, 1, 0}); }},
        {"a light and a material asked back", [] {
             const GLfloat diffuse[4] = {0.5f, 0.25f, 1, 1};
             glLightfv(GL_LIGHT2, GL_DIFFUSE, diffuse);
             glLightf(GL_LIGHT2, GL_SPOT_CUTOFF, 30);
             glMaterialf(GL_BACK, GL_SHININESS, 12);
         }, [] {
             GLfloat f[4] = {}, cutoff = 0, shininess = 0;
             GLint i[4] = {}, untouched = 7;
             glGetLightfv(GL_LIGHT2, GL_DIFFUSE, f);
             glGetLightiv(GL_LIGHT2, GL_DIFFUSE, i);
             glGetLightfv(GL_LIGHT2, GL_SPOT_CUTOFF, &cutoff);
             glGetMaterialfv(GL_BACK, GL_SHININESS, &shininess);
             glGetLightiv(GL_LIGHT0 + 8, GL_DIFFUSE, &untouched);
             const bool refused = glGetError() == GL_INVALID_ENUM && untouched == 7;
             return f[1] == 0.25f && i[0] == 1073741823 && i[2] == 2147483647 && cutoff == 30 && shininess == 12 && refused;
         }},
        {"a texture's parameters and size asked back", [] {
             static const GLubyte texels[4 * 2 * 3] = {};
             glBindTexture(GL_TEXTURE_2D, 43);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 4, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, texels);
             glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
         }, [] {
             GLint min = 0, width = 0, height = 0;
             glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
             glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
             glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
             glBindTexture(GL_TEXTURE_2D, 0);
             return min == GL_LINEAR && width == 4 && height == 2;
         }},
        // Counted in window pixels along the major axis (the window is 100
        // wide): on along a strip, from 0 again for each of GL_LINES' lines.
        {"a stippled strip counts on from line to line", [] {
             glViewport(0, 0, 100, 100);
             glEnable(GL_LINE_STIPPLE);
             glBegin(GL_LINE_STRIP);
             glVertex2f(-1, 0); glVertex2f(1, 0); glVertex2f(1, 1);
             glEnd();
             glDisable(GL_LINE_STIPPLE);
         }, [&] { return stipples() == std::vector<float>{0, 100, 100, 150}; }},
        {"stippled lines count each from 0", [] {
             glViewport(0, 0, 100, 100);
             glEnable(GL_LINE_STIPPLE);
             glBegin(GL_LINES);
             glVertex2f(-1, 0); glVertex2f(1, 0); glVertex2f(1, 0); glVertex2f(1, 1);
             glEnd();
             glDisable(GL_LINE_STIPPLE);
         }, [&] { return stipples() == std::vector<float>{0, 100, 0, 50}; }},
        {"a list's mesh stepped by the grid at its call", [&] {
             curve();
             glNewList(12, GL_COMPILE);
             glEvalMesh1(GL_POINT, 0, 4);
             glEndList();
             glMapGrid1f(4, 2, 4);
             glCallList(12);
         }, [&] { return glweb::gl().vertices.size() == 5 && near(glweb::gl().vertices.back().position, {3, 0, 0}); }},
    };
    for (const auto& r : rows) {
        fresh();
        r.calls();
        EXPECT_TRUE(r.holds()) << r.what;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what;
        for (GLenum cap : {GL_CLIP_PLANE0, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_MAP1_VERTEX_3, GL_MAP1_COLOR_4,
                           GL_MAP2_VERTEX_3, GL_AUTO_NORMAL, GL_LIGHTING, GL_LIGHT0})
            glDisable(cap);
        glNormal3f(0, 0, 1);
    }
    fresh();
}

// Selection and feedback under identity matrices in a 100 x 100 viewport:
// what glRenderMode returns and what the buffers hold, nothing drawn.
TEST(GLApiTest, SelectionAndFeedbackReportWhatWouldBeDrawn)
{
    GLuint hits[8];
    GLfloat fed[16];
    auto depth = [](double z) { return (double)(GLuint)std::lround(z * 4294967295.0); };
    auto point = [](float x, float y, float z) { glBegin(GL_POINTS); glVertex3f(x, y, z); glEnd(); };
    const struct {
        const char* what;
        GLenum mode;
        std::function<void()> draw;
        GLint returned;
        std::vector<double> values;  // the buffer's first values
    } rows[] = {
        // The point at z = 0.5 lies at window depth 0.75; the one at x = 2 is outside.
        {"a name hit, a name missed", GL_SELECT, [&] {
             glInitNames();
             glPushName(7);
             point(0, 0, 0.5f);
             glLoadName(8);
             point(2, 0, 0);
             glPopName();
         }, 1, {1, depth(0.75), depth(0.75), 7}},
        // Cut by the right side (x = 1) where z = 0.5: depths from 0.5 to 0.75.
        {"a line through the right side", GL_SELECT, [&] {
             glInitNames();
             glPushName(3);
             glBegin(GL_LINES); glVertex3f(0, 0, 0); glVertex3f(2, 0, 1); glEnd();
         }, 1, {1, depth(0.5), depth(0.75), 3}},
        {"a back face culled is no hit", GL_SELECT, [&] {
             glEnable(GL_CULL_FACE);
             glInitNames();
             glPushName(4);
             glBegin(GL_TRIANGLES); glVertex2f(0, 0); glVertex2f(0, 0.5f); glVertex2f(0.5f, 0); glEnd();
             glDisable(GL_CULL_FACE);
         }, 0, {}},
        {"more hits than the buffer holds", GL_SELECT, [&] {
             glRenderMode(GL_RENDER);
             glSelectBuffer(5, hits);
             glRenderMode(GL_SELECT);
             glInitNames();
             for (GLuint n = 1; n <= 2; n++) {
                 glPushName(n);
                 point(0, 0, 0);
                 glPopName();
             }
         }, -1, {}},
        {"a line in a buffer of four", GL_FEEDBACK, [&] {
             glRenderMode(GL_RENDER);
             glFeedbackBuffer(4, GL_3D, fed);
             fed[4] = -7;
             glRenderMode(GL_FEEDBACK);
             glBegin(GL_LINES); glVertex3f(-0.5f, 0, 0); glVertex3f(0.5f, 0, 0); glEnd();
         }, -1, {GL_LINE_RESET_TOKEN, 25, 50, 0.5, -7}},
        {"a point with its colour", GL_FEEDBACK, [&] {
             glRenderMode(GL_RENDER);
             glFeedbackBuffer(16, GL_3D_COLOR, fed);
             glRenderMode(GL_FEEDBACK);
             glColor4f(1, 0.5f, 0.25f, 1);
             point(0.5f, 0, 0);
             glColor4f(1, 1, 1, 1);
         }, 8, {GL_POINT_TOKEN, 75, 50, 0.5, 1, 0.5, 0.25, 1}},
        {"a line and a pass-through", GL_FEEDBACK, [&] {
             glBegin(GL_LINES); glVertex3f(-0.5f, 0, 0); glVertex3f(0.5f, 0, 0); glEnd();
             glPassThrough(3);
         }, 9, {GL_LINE_RESET_TOKEN, 25, 50, 0.5, 75, 50, 0.5, GL_PASS_THROUGH_TOKEN, 3}},
        // The stipple begins again only at the strip's first line.
        {"a strip of two lines", GL_FEEDBACK, [&] {
             glBegin(GL_LINE_STRIP); glVertex3f(-0.5f, 0, 0); glVertex3f(0.5f, 0, 0); glVertex3f(0.5f, 0.5f, 0); glEnd();
         }, 14, {GL_LINE_RESET_TOKEN, 25, 50, 0.5, 75, 50, 0.5, GL_LINE_TOKEN, 75, 50, 0.5, 75, 75, 0.5}},
    };
    for (const auto& r : rows) {
        fresh();
        glViewport(0, 0, 100, 100);
        glSelectBuffer(8, hits);
        glFeedbackBuffer(16, GL_3D, fed);
        glRenderMode(r.mode);
        r.draw();
        EXPECT_EQ(glRenderMode(GL_RENDER), r.returned) << r.what;
        for (size_t i = 0; i < r.values.size(); i++)
            EXPECT_EQ(r.mode == GL_SELECT ? (double)hits[i] : (double)fed[i], r.values[i]) << r.what << ", value " << i;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what;
        bool drawn = false;
        for (const glweb::Command& c : glweb::gl().commands)
            drawn = drawn || c.kind == glweb::Command::draw;
        EXPECT_FALSE(drawn) << r.what;
    }
    fresh();
}

// The raster position, and bitmaps and pixels drawn at it in a 100 x 100
// viewport under identity matrices: each set bit or pixel a point at the
// middle of its window pixel.
TEST(GLApiTest, BitmapsAndPixelsLandOnTheirWindowPixels)
{
    auto pixelsDrawn = [] {  // the points drawn
        std::vector<std::array<float, 5>> out;  // window x, y, red, green, blue
        for (const glweb::Command& c : glweb::gl().commands)
            for (size_t i = c.first; c.kind == glweb::Command::draw && c.state.mode == GL_POINTS && i < c.first + c.count; i++) {
                const glweb::Vertex& v = glweb::gl().vertices[i];
                out.push_back({(v.position[0] + 1) * 50 - 0.5f, (v.position[1] + 1) * 50 - 0.5f, v.color[0], v.color[1],
                               v.color[2]});
            }
        return out;
    };
    const GLubyte bits[2] = {0x81, 0x18};  // rows from the bottom: columns 0 and 7, then 3 and 4
    const GLubyte image[6] = {255, 0, 0, 0, 255, 0};
    const struct {
        const char* what;
        std::function<void()> calls;
        std::vector<std::array<float, 5>> drawn;
        float rasterX;
    } rows[] = {
        {"a bitmap, and the position moved on", [&] {
             glColor3f(0, 0, 1);
             glRasterPos2f(0, 0);
             glBitmap(8, 2, 1, 0, 10, 0, bits);
         }, {{49, 50, 0, 0, 1}, {56, 50, 0, 0, 1}, {52, 51, 0, 0, 1}, {53, 51, 0, 0, 1}}, 60},
        {"a bitmap at a position outside", [&] {
             glRasterPos2f(2, 0);
             glBitmap(8, 2, 0, 0, 10, 0, bits);
         }, {}, -1},
        {"two pixels zoomed twice across, red halved", [&] {
             glRasterPos2f(0, 0);
             glPixelZoom(2, 1);
             glPixelTransferf(GL_RED_SCALE, 0.5f);
             glDrawPixels(2, 1, GL_RGB, GL_UNSIGNED_BYTE, image);
             glPixelZoom(1, 1);
             glPixelTransferf(GL_RED_SCALE, 1);
         }, {{50, 50, 0.5f, 0, 0}, {51, 50, 0.5f, 0, 0}, {52, 50, 0, 1, 0}, {53, 50, 0, 1, 0}}, 50},
        {"pixels after a triangle: points of their own", [&] {
             glBegin(GL_TRIANGLES);
             glVertex2f(-1, -1), glVertex2f(-0.5f, -1), glVertex2f(-1, -0.5f);
             glEnd();
             glRasterPos2f(0, 0);
             glDrawPixels(2, 1, GL_RGB, GL_UNSIGNED_BYTE, image);
         }, {{50, 50, 1, 0, 0}, {51, 50, 0, 1, 0}}, 50},
        // Bit 0 of the byte is skipped: bits 1 and 2 are the pixels, low first.
        {"a bitmap from its low bits, past a skipped pixel, in rows of 16", [&] {
             const GLubyte low[4] = {0x06, 0, 0xFF, 0xFF};
             glColor3f(1, 0, 0);
             glRasterPos2f(0, 0);
             glPixelStorei(GL_UNPACK_LSB_FIRST, 1);
             glPixelStorei(GL_UNPACK_SKIP_PIXELS, 1);
             glPixelStorei(GL_UNPACK_ROW_LENGTH, 16);
             glBitmap(2, 1, 0, 0, 0, 0, low);
             glPixelStorei(GL_UNPACK_LSB_FIRST, 0);
             glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
             glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
         }, {{50, 50, 1, 0, 0}, {51, 50, 1, 0, 0}}, 50},
        // Copied when called: compiling it reads nothing, which would send
        // the frame so far away first.
        {"pixels copied in a list", [&] {
             glRasterPos2f(0, 0);
             glDrawPixels(1, 1, GL_RGB, GL_UNSIGNED_BYTE, image);
             glNewList(7, GL_COMPILE);
             glCopyPixels(0, 0, 1, 1, GL_COLOR);
             glEndList();
         }, {{50, 50, 1, 0, 0}}, 50},
        // Red looked up in a map of two, green in one of four: 1 -> 0.2, 0 -> 0.
        {"two pixels through colour maps", [&] {
             const GLfloat red[2] = {0.75f, 0.25f}, green[4] = {0, 0.1f, 0.6f, 0.2f};
             glRasterPos2f(0, 0);
             glPixelMapfv(GL_PIXEL_MAP_R_TO_R, 2, red);
             glPixelMapfv(GL_PIXEL_MAP_G_TO_G, 4, green);
             glPixelTransferi(GL_MAP_COLOR, GL_TRUE);
             glDrawPixels(2, 1, GL_RGB, GL_UNSIGNED_BYTE, image);
             glPixelTransferi(GL_MAP_COLOR, GL_FALSE);
         }, {{50, 50, 0.25f, 0, 0}, {51, 50, 0.75f, 0.2f, 0}}, 50},
    };
    for (const auto& r : rows) {
        fresh();
        glViewport(0, 0, 100, 100);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        r.calls();
        const auto drawn = pixelsDrawn();
        ASSERT_EQ(drawn.size(), r.drawn.size()) << r.what;
        for (size_t i = 0; i < drawn.size(); i++)
            for (int k = 0; k < 5; k++)
                EXPECT_NEAR(drawn[i][(size_t)k], r.drawn[i][(size_t)k], 1e-4f) << r.what << ", pixel " << i;
        GLfloat raster[4];
        GLint valid = 0;
        glGetFloatv(GL_CURRENT_RASTER_POSITION, raster);
        glGetIntegerv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
        EXPECT_EQ(valid != 0, r.rasterX >= 0) << r.what;
        if (valid)
            EXPECT_EQ(raster[0], r.rasterX) << r.what;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glColor3f(1, 1, 1);
    fresh();
}

// GLUT's solid shapes and GLU's quadrics under identity matrices: how many
// triangles each is, and every one wound to face away from the shape's
// inside (a convex shape's centre, the torus's ring), as culling needs.
TEST(GLApiTest, ShapesHaveTheirFacesAndFaceOutwards)
{
    using Centre = std::function<std::array<float, 3>(const float*)>;
    const Centre origin = [](const float*) { return std::array<float, 3>{0, 0, 0}; };
    const Centre ring = [](const float* p) {  // the torus's tube runs round a ring of radius 0.5
        const float a = std::atan2(p[1], p[0]);
        return std::array<float, 3>{0.5f * std::cos(a), 0.5f * std::sin(a), 0};
    };
    const Centre axis = [](const float* p) { return std::array<float, 3>{0, 0, p[2]}; };
    GLUquadric* q = gluNewQuadric();
    const struct {
        const char* what;
        std::function<void()> draw;
        size_t triangles;
        Centre inside;
    } rows[] = {
        {"cube", [] { glutSolidCube(1); }, 12, origin},
        {"tetrahedron", [] { glutSolidTetrahedron(); }, 4, origin},
        {"octahedron", [] { glutSolidOctahedron(); }, 8, origin},
        {"icosahedron", [] { glutSolidIcosahedron(); }, 20, origin},
        {"dodecahedron: twelve pentagons", [] { glutSolidDodecahedron(); }, 36, origin},
        {"sphere", [] { glutSolidSphere(0.5, 8, 6); }, 8 + 8 + 2 * 8 * 4, origin},  // caps as fans
        {"torus", [] { glutSolidTorus(0.1, 0.5, 6, 8); }, 2 * 6 * 8, ring},
        {"cylinder", [&] { gluCylinder(q, 0.5, 0.5, 1, 8, 2); }, 2 * 8 * 2, axis},
    };
    for (const auto& r : rows) {
        fresh();
        r.draw();
        const auto& v = glweb::gl().vertices;
        ASSERT_EQ(v.size(), 3 * r.triangles) << r.what;
        size_t inward = 0;
        for (size_t t = 0; t < v.size(); t += 3) {
            const float* a = v[t].position;
            const float* b = v[t + 1].position;
            const float* c = v[t + 2].position;
            const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const float n[3] = {u[1] * w[2] - u[2] * w[1], u[2] * w[0] - u[0] * w[2], u[0] * w[1] - u[1] * w[0]};
            const float m[3] = {(a[0] + b[0] + c[0]) / 3, (a[1] + b[1] + c[1]) / 3, (a[2] + b[2] + c[2]) / 3};
            const std::array<float, 3> in = r.inside(m);
            if (n[0] * n[0] + n[1] * n[1] + n[2] * n[2] < 1e-10f)
                continue;  // a strip's triangle at a pole, of no area
            if (n[0] * (m[0] - in[0]) + n[1] * (m[1] - in[1]) + n[2] * (m[2] - in[2]) <= 0)
                inward++;
        }
        EXPECT_EQ(inward, 0u) << r.what;
    }
    gluDeleteQuadric(q);
    fresh();
}

// GLU's helpers, each against what it must give back.
TEST(GLApiTest, GLUProjectsScalesAndBuildsMipmaps)
{
    const GLdouble model[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5, -0.25, -5, 1};
    GLdouble proj[16];
    const GLint view[4] = {10, 20, 300, 200};
    const struct {
        const char* what;
        std::function<bool()> holds;
    } rows[] = {
        {"a point projected and unprojected comes back", [&] {
             glMatrixMode(GL_PROJECTION);
             glLoadIdentity();
             gluPerspective(50, 1.5, 1, 20);
             glGetDoublev(GL_PROJECTION_MATRIX, proj);
             GLdouble wx, wy, wz, x, y, z;
             return gluProject(0.3, 0.2, 1, model, proj, view, &wx, &wy, &wz) &&
                    gluUnProject(wx, wy, wz, model, proj, view, &x, &y, &z) && std::fabs(x - 0.3) < 1e-5 &&
                    std::fabs(y - 0.2) < 1e-5 && std::fabs(z - 1) < 1e-5 && wx > view[0] && wx < view[0] + view[2];
         }},
        {"the eye's axis lands in the viewport's middle", [&] {
             const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
             GLdouble wx, wy, wz;
             gluProject(0, 0, -2, identity, proj, view, &wx, &wy, &wz);
             return std::fabs(wx - 160) < 1e-9 && std::fabs(wy - 120) < 1e-9;
         }},
        {"the picking region fills the clip volume", [&] {
             glMatrixMode(GL_PROJECTION);
             glLoadIdentity();
             GLint v[4] = {0, 0, 100, 100};
             gluPickMatrix(75, 25, 10, 10, v);  // centred on window (75, 25): normalised (0.5, -0.5)
             GLdouble pick[16];
             glGetDoublev(GL_PROJECTION_MATRIX, pick);
             const double x = pick[0] * 0.5 + pick[12], y = pick[5] * -0.5 + pick[13], edge = pick[0] * 0.6 + pick[12];
             return std::fabs(x) < 1e-6 && std::fabs(y) < 1e-6 && std::fabs(edge - 1) < 1e-6;
         }},
        {"a 2 x 2 image scaled to 1 x 1 is its average", [] {
             const GLubyte image[8] = {0, 100, 0, 0, 200, 40, 0, 0};  // rows of two luminances, padded to four bytes
             GLubyte out[4] = {};
             glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
             return gluScaleImage(GL_LUMINANCE, 2, 2, GL_UNSIGNED_BYTE, image, 1, 1, GL_UNSIGNED_BYTE, out) == 0 &&
                    out[0] == 85;
         }},
        {"mipmaps built are complete", [] {
             const GLubyte image[4 * 2 * 3] = {};
             glBindTexture(GL_TEXTURE_2D, 77);
             glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
             glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
             const bool built = gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 4, 2, GL_RGB, GL_UNSIGNED_BYTE, image) == 0;
             glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
             const glweb::Texture& t = glweb::gl().textures[77];
             return built && t.complete() && t.mipmaps.size() == 2;
         }},
        {"unprojected with w and a depth range: the clip point's own", [&] {
             GLdouble wx, wy, wz, x, y, z, w;
             gluProject(0.3, 0.2, 1, model, proj, view, &wx, &wy, &wz);
             return gluUnProject4(wx, wy, 0.25 + wz / 2, 1, model, proj, view, 0.25, 0.75, &x, &y, &z, &w) &&
                    std::fabs(x / w - 0.3) < 1e-5 && std::fabs(y / w - 0.2) < 1e-5 && std::fabs(z / w - 1) < 1e-5;
         }},
        // Shorts given big-end first: 0xFF00, read as 254 of 255, not 1.
        {"a texel of shorts with their bytes swapped", [] {
             const GLubyte texel[2] = {0xFF, 0x00};
             glBindTexture(GL_TEXTURE_2D, 79);
             glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_TRUE);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 1, 1, 0, GL_LUMINANCE, GL_UNSIGNED_SHORT, texel);
             glPixelStorei(GL_UNPACK_SWAP_BYTES, GL_FALSE);
             return glweb::gl().textures[79].pixels.at(0) == 254;
         }},
        // Packed two pixels on from the start of a row of three.
        {"an image read back past the pixels it skips", [] {
             const GLubyte texels[8] = {10, 20, 30, 40, 50, 60, 70, 80};
             GLubyte out[12] = {};
             glBindTexture(GL_TEXTURE_2D, 80);
             glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
             glPixelStorei(GL_PACK_ROW_LENGTH, 3);
             glPixelStorei(GL_PACK_SKIP_PIXELS, 1);
             glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, out);
             glPixelStorei(GL_PACK_ROW_LENGTH, 0);
             glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
             return out[3] == 0 && out[4] == 10 && out[11] == 80;
         }},
        {"levels 1 to 2 of an image given as level 1", [] {
             const GLubyte image[4 * 4] = {};
             glBindTexture(GL_TEXTURE_2D, 78);
             glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
             const bool built = gluBuild2DMipmapLevels(GL_TEXTURE_2D, GL_LUMINANCE, 4, 4, GL_LUMINANCE,
                                                       GL_UNSIGNED_BYTE, 1, 1, 2, image) == 0;
             const bool refused = gluBuild2DMipmapLevels(GL_TEXTURE_2D, GL_LUMINANCE, 4, 4, GL_LUMINANCE,
                                                         GL_UNSIGNED_BYTE, 1, 1, 4, image) == GLU_INVALID_VALUE;
             glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
             const glweb::Texture& t = glweb::gl().textures[78];
             return built && refused && t.width == 0 && t.mipmaps.size() == 2 && t.mipmaps[0].width == 4 &&
                    t.mipmaps[1].width == 2;
         }},
        {"an extension found only whole", [] {
             const GLubyte* list = (const GLubyte*)"GL_EXT_abgr GL_EXT_blend_color";
             return gluCheckExtension((const GLubyte*)"GL_EXT_blend_color", list) &&
                    !gluCheckExtension((const GLubyte*)"GL_EXT_blend", list);
         }},
        {"errors in words", [] {
             return std::string((const char*)gluErrorString(GL_STACK_OVERFLOW)) == "stack overflow" &&
                    gluErrorString(GLU_NURBS_ERROR4) && gluErrorString(GLU_NURBS_ERROR37) &&
                    gluErrorString(GLU_TESS_ERROR8) && gluErrorString(12345) == nullptr;
         }},
    };
    for (const auto& r : rows) {
        fresh();
        EXPECT_TRUE(r.holds()) << r.what;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what;
    }
    fresh();
}

// Each row's calls drawn once directly and once through a list or arrays:
// the same vertices and colours.
TEST(GLApiTest, ListsAndArraysDrawWhatTheirCallsDraw)
{
    const GLubyte names[2] = {1, 2};
    static const GLfloat corners[] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    static const GLubyte colours[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
    static const GLushort order[] = {0, 1, 2, 2, 1, 3};
    const struct {
        const char* what;
        std::function<void()> direct, listed;
    } rows[] = {
        {"a coloured, moved triangle", [] {
             glColor3f(1, 0, 0);
             glTranslatef(1, 2, 3);
             glBegin(GL_TRIANGLES);
             glVertex3f(0, 0, 0); glVertex3f(1, 0, 0); glVertex3f(0, 1, 0);
             glEnd();
         }, [] {
             glNewList(20, GL_COMPILE);
             glColor3f(1, 0, 0);
             glTranslatef(1, 2, 3);
             glBegin(GL_TRIANGLES);
             glVertex3f(0, 0, 0); glVertex3f(1, 0, 0); glVertex3f(0, 1, 0);
             glEnd();
             glEndList();
             glCallList(20);
         }},
        {"compiled and run at once", [] {
             glBegin(GL_LINES); glVertex2f(0, 0); glVertex2f(1, 1); glEnd();
         }, [] {
             glNewList(21, GL_COMPILE_AND_EXECUTE);
             glBegin(GL_LINES); glVertex2f(0, 0); glVertex2f(1, 1); glEnd();
             glEndList();
         }},
        // The list called while another is compiled and run is kept as
        // its call alone, not its calls too.
        {"a list called into another", [] {
             for (int i = 0; i < 2; i++) {
                 glBegin(GL_POINTS); glVertex2f(0, 0); glEnd();
             }
         }, [] {
             glNewList(40, GL_COMPILE);
             glBegin(GL_POINTS); glVertex2f(0, 0); glEnd();
             glEndList();
             glNewList(41, GL_COMPILE_AND_EXECUTE);
             glCallList(40);
             glEndList();
             glCallList(41);
         }},
        {"arrays by their elements", [] {
             glBegin(GL_TRIANGLES);
             for (int i : {0, 1, 2, 2, 1, 3}) {
                 glColor3ubv(&colours[3 * i]);
                 glVertex3fv(&corners[3 * i]);
             }
             glEnd();
         }, [] {
             glEnableClientState(GL_VERTEX_ARRAY);
             glEnableClientState(GL_COLOR_ARRAY);
             glVertexPointer(3, GL_FLOAT, 0, corners);
             glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours);
             glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_SHORT, order);
         }},
        {"interleaved byte colours and vertices", [] {
             glBegin(GL_LINES);
             glColor3f(1, 0, 0); glVertex3f(0, 0, 0);
             glColor3f(0, 0, 1); glVertex3f(1, 1, 0);
             glEnd();
         }, [] {
             static unsigned char both[32];  // four bytes of colour, then three floats, a vertex
             const GLubyte colours[2][4] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
             const GLfloat corners[2][3] = {{0, 0, 0}, {1, 1, 0}};
             for (int i = 0; i < 2; i++) {
                 std::memcpy(both + 16 * i, colours[i], 4);
                 std::memcpy(both + 16 * i + 4, corners[i], 12);
             }
             glInterleavedArrays(GL_C4UB_V3F, 0, both);
             glDrawArrays(GL_LINES, 0, 2);
         }},
        {"lists named by two bytes each", [] {
             glBegin(GL_POINTS); glVertex2f(0, 0); glEnd();
             glBegin(GL_POINTS); glVertex2f(1, 0); glEnd();
         }, [] {
             static const GLubyte names[4] = {1, 2, 1, 3};  // 258 and 259
             glNewList(258, GL_COMPILE); glBegin(GL_POINTS); glVertex2f(0, 0); glEnd(); glEndList();
             glNewList(259, GL_COMPILE); glBegin(GL_POINTS); glVertex2f(1, 0); glEnd(); glEndList();
             glCallLists(2, GL_2_BYTES, names);
         }},
        {"two lists by glCallLists from a base", [] {
             glTranslatef(1, 0, 0);
             glRotatef(90, 0, 0, 1);
             glBegin(GL_POINTS); glVertex2f(1, 0); glEnd();
         }, [&] {
             glNewList(31, GL_COMPILE);
             glTranslatef(1, 0, 0);
             glEndList();
             glNewList(32, GL_COMPILE);
             glRotatef(90, 0, 0, 1);
             glCallList(33);  // nested, and made after this list
             glEndList();
             glNewList(33, GL_COMPILE);
             glBegin(GL_POINTS); glVertex2f(1, 0); glEnd();
             glEndList();
             glListBase(30);
             glCallLists(2, GL_UNSIGNED_BYTE, names);
             glListBase(0);
         }},
    };
    for (const auto& r : rows) {
        fresh();
        r.direct();
        const std::vector<glweb::Vertex> direct = glweb::gl().vertices;
        fresh();
        r.listed();
        const std::vector<glweb::Vertex>& listed = glweb::gl().vertices;
        ASSERT_EQ(listed.size(), direct.size()) << r.what;
        ASSERT_FALSE(direct.empty()) << r.what;
        for (size_t i = 0; i < direct.size(); i++)
            for (int k = 0; k < 4; k++) {
                EXPECT_FLOAT_EQ(listed[i].position[k], direct[i].position[k]) << r.what << ", vertex " << i;
                EXPECT_FLOAT_EQ(listed[i].color[k], direct[i].color[k]) << r.what << ", vertex " << i;
            }
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << r.what;
    }
    fresh();
}

}  // namespace

// What glGet gives back of what a call set, and the call undone after.
TEST(GLApiTest, GetGivesBackWhatWasSet)
{
    const struct {
        GLenum pname;
        std::function<void()> set, undo;
        std::vector<double> want;
    } rows[] = {
        {GL_MATRIX_MODE, [] { glMatrixMode(GL_PROJECTION); }, [] { glMatrixMode(GL_MODELVIEW); }, {GL_PROJECTION}},
        {GL_SHADE_MODEL, [] { glShadeModel(GL_FLAT); }, [] { glShadeModel(GL_SMOOTH); }, {GL_FLAT}},
        {GL_POLYGON_MODE, [] { glPolygonMode(GL_BACK, GL_LINE); }, [] { glPolygonMode(GL_BACK, GL_FILL); },
         {GL_FILL, GL_LINE}},
        {GL_COLOR_CLEAR_VALUE, [] { glClearColor(0.25f, 0.5f, 1, 0); }, [] { glClearColor(0, 0, 0, 0); },
         {0.25, 0.5, 1, 0}},
        {GL_LIGHT_MODEL_TWO_SIDE, [] { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1); },
         [] { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0); }, {1}},
        {GL_ATTRIB_STACK_DEPTH, [] { glPushAttrib(GL_CURRENT_BIT); }, [] { glPopAttrib(); }, {1}},
        {GL_CLIP_PLANE3, [] { glEnable(GL_CLIP_PLANE3); }, [] { glDisable(GL_CLIP_PLANE3); }, {1}},
        {GL_MAP2_VERTEX_3, [] { glEnable(GL_MAP2_VERTEX_3); }, [] { glDisable(GL_MAP2_VERTEX_3); }, {1}},
        {GL_LINE_STIPPLE_REPEAT, [] { glLineStipple(300, 0xF0F0); }, [] { glLineStipple(1, 0xFFFF); }, {256}},
        {GL_LINE_STIPPLE_PATTERN, [] { glLineStipple(2, 0xF0F0); }, [] { glLineStipple(1, 0xFFFF); }, {0xF0F0}},
        {GL_DITHER, [] {}, [] {}, {1}},
        {GL_PIXEL_MAP_B_TO_B_SIZE, [] { const GLushort m[3] = {0, 65535, 0}; glPixelMapusv(GL_PIXEL_MAP_B_TO_B, 3, m); },
         [] { const GLfloat m[1] = {0}; glPixelMapfv(GL_PIXEL_MAP_B_TO_B, 1, m); }, {3}},
        {GL_DRAW_BUFFER, [] { glDrawBuffer(GL_FRONT); }, [] { glDrawBuffer(GL_BACK); }, {GL_FRONT}},
        {GL_CURRENT_INDEX, [] { glIndexi(3); }, [] { glIndexi(1); }, {3}},
        {GL_VERTEX_ARRAY_SIZE, [] { static GLfloat v[2]; glVertexPointer(2, GL_FLOAT, 8, v); },
         [] { glVertexPointer(4, GL_FLOAT, 0, nullptr); }, {2}},
        {GL_LOGIC_OP_MODE, [] { glLogicOp(GL_XOR); }, [] { glLogicOp(GL_COPY); }, {GL_XOR}},
        {GL_STENCIL_BITS, [] { webStencilBuffer(false); }, [] { webStencilBuffer(true); }, {0}},
        {GL_FOG_HINT, [] { glPushAttrib(GL_HINT_BIT); glHint(GL_FOG_HINT, GL_NICEST); glPopAttrib(); },
         [] {}, {GL_DONT_CARE}},
        {GL_PACK_ROW_LENGTH, [] { glPixelStorei(GL_PACK_ROW_LENGTH, 8); }, [] { glPixelStorei(GL_PACK_ROW_LENGTH, 0); }, {8}},
        {GL_CURRENT_RASTER_TEXTURE_COORDS, [] {
             glMatrixMode(GL_TEXTURE); glScalef(2, 1, 1); glMatrixMode(GL_MODELVIEW);
             glTexCoord2f(0.25f, 0.5f); glRasterPos2f(0, 0);
         }, [] { glTexCoord4f(0, 0, 0, 1); }, {0.5, 0.5, 0, 1}},
        {GL_POLYGON_STIPPLE, [] { glEnable(GL_POLYGON_STIPPLE); }, [] { glDisable(GL_POLYGON_STIPPLE); }, {1}},
    };
    for (const auto& r : rows) {
        fresh();
        r.set();
        std::vector<double> got(16, -1);
        glGetDoublev(r.pname, got.data());
        got.resize(r.want.size());
        EXPECT_EQ(got, r.want) << "pname " << r.pname;
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "pname " << r.pname;
        r.undo();
    }
    fresh();
}
