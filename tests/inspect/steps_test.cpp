// Every kind of call that draws, in a frame of its own, through the GL
// layer's real entry points: the steps the record makes of it, each step's
// picture the frame the layer held at that point, and the frame made again
// unedited the same call for call, vertex for vertex and command for command.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "call_line.h"
#include "web/gl/gl_web.h"
#include "web/inspect/record.h"
#include "web/inspect/replay.h"
#include "web/inspect/pixel_history.h"
#include "web_stubs.h"

namespace {

// The steps as "name" or, for a step whose vertices are shown, "name:count";
// "@position" after one a display list made, "#bytes" after one that keeps
// the data it was made with, "(select)" after one made in selection mode.
std::string stepsOf(const inspect::Record& r)
{
    std::string out;
    for (const inspect::Step& s : r.steps) {
        out += out.empty() ? "" : " ";
        out += r.calls[s.firstCall].name;
        if (r.calls[s.firstCall].list)
            out += "@" + std::to_string(r.calls[s.firstCall].listPosition);
        if (!s.given.empty())
            out += ":" + std::to_string(s.given.size());
        if (!r.calls[s.firstCall].data.empty())
            out += "#" + std::to_string(r.calls[s.firstCall].data.size());
        if (s.selecting)
            out += "(select)";
    }
    return out;
}

// The state a row's frame starts from, whatever the rows before left.
void unlitAndUnmoved()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (GLenum cap : {GL_LIGHTING, GL_TEXTURE_2D, GL_DEPTH_TEST, GL_CULL_FACE})
        glDisable(cap);
}

std::string callsOf(const inspect::Record& r)
{
    std::string out;
    for (const inspect::Call& c : r.calls)
        out += std::string(c.level, ' ') + callLine(c.name, c.args) + "\n";
    return out;
}

void expectSameFrame(const std::vector<glweb::Vertex>& v, const std::vector<glweb::Command>& c,
                     const std::vector<glweb::Vertex>& heldV, const std::vector<glweb::Command>& heldC,
                     const std::string& what)
{
    ASSERT_EQ(v.size(), heldV.size()) << what;
    EXPECT_TRUE(v.empty() || std::memcmp(v.data(), heldV.data(), v.size() * sizeof v[0]) == 0) << what;
    ASSERT_EQ(c.size(), heldC.size()) << what;
    for (size_t k = 0; k < c.size(); k++)
        EXPECT_TRUE(c[k].kind == heldC[k].kind && c[k].first == heldC[k].first && c[k].count == heldC[k].count &&
                    c[k].state == heldC[k].state)
            << what << ", command " << k;
}

TEST(InspectSteps, EveryKindOfDrawingIsStepsThatDrawAsTheFrameDid)
{
    static const GLfloat triangles[] = {0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, -1, 0};
    static const GLubyte bits[8] = {0xff, 0x81, 0x81, 0x81, 0x81, 0x81, 0x81, 0xff};
    static GLubyte pixels[4 * 4 * 4];
    for (size_t i = 0; i < sizeof pixels; i++)
        pixels[i] = (GLubyte)(i * 37);
    static const GLfloat curve[] = {-1, -1, 0, -0.5f, 1, 0, 0.5f, -1, 0, 1, 1, 0};
    static GLuint hits[64];
    const GLuint list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glColor3f(1, 0, 0);
    glBegin(GL_TRIANGLES);
    glVertex3f(0, 0, 0);
    glVertex3f(0.5f, 0, 0);
    glVertex3f(0, 0.5f, 0);
    glEnd();
    glTranslatef(0.1f, 0, 0);
    glBegin(GL_LINES);
    glVertex2f(0, 0);
    glVertex2f(1, 1);
    glEnd();
    glEndList();
    // A font's lists, and one of the calls a list keeps already worked out.
    static const GLfloat moved[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.25f, 0, 0, 1};
    static GLubyte stripes[128];
    const GLuint glyphs = glGenLists(2);
    glNewList(glyphs, GL_COMPILE);
    glBitmap(8, 8, 0, 0, 10, 0, bits);
    glEndList();
    glNewList(glyphs + 1, GL_COMPILE);
    glLoadMatrixf(moved);
    glMultMatrixf(moved);
    glPolygonStipple(stripes);
    glDrawPixels(4, 4, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glEndList();
    GLUquadric* quadric = gluNewQuadric();

    const struct {
        const char* what;
        std::function<void()> draw;
        const char* steps;
    } rows[] = {
        {"a list called twice", [&] { glCallList(list); glCallList(list); },
         "glClear glCallList glColor3f@0 glBegin@1:3 glTranslatef@6 glBegin@7:2 glCallList glColor3f@0 glBegin@1:3 "
         "glTranslatef@6 glBegin@7:2"},
        {"vertex arrays",
         [] {
             glVertexPointer(3, GL_FLOAT, 0, triangles);
             glEnableClientState(GL_VERTEX_ARRAY);
             glDrawArrays(GL_TRIANGLES, 0, 6);
             glDisableClientState(GL_VERTEX_ARRAY);
         },
         "glClear glVertexPointer glEnableClientState glDrawArrays:6"},
        {"bitmaps", [] { glRasterPos2f(0, 0); glBitmap(8, 8, 0, 0, 10, 0, bits); glBitmap(8, 8, 0, 0, 10, 0, bits); },
         "glClear glRasterPos4f glBitmap#8 glBitmap#8"},
        {"lists through glListBase and glCallLists",
         [&] {
             static const GLubyte names[3] = {0, 1, 0};
             glRasterPos2f(0, 0);
             glListBase(glyphs);
             glCallLists(3, GL_UNSIGNED_BYTE, names);
             glListBase(0);  // as GL starts, for the tests after
         },
         "glClear glRasterPos4f glListBase glCallLists glCallList glBitmap@0#8 glCallList glLoadMatrixf@0 "
         "glMultMatrixf@1 glPolygonStipple@2#128 glDrawPixels@3#64 glCallList glBitmap@0#8"},
        {"pixels", [] { glRasterPos2f(-0.5f, 0); glDrawPixels(4, 4, GL_RGBA, GL_UNSIGNED_BYTE, pixels); },
         "glClear glRasterPos4f glDrawPixels#64"},
        {"an evaluator mesh",
         [] {
             glMap1f(GL_MAP1_VERTEX_3, 0, 1, 3, 4, curve);
             glEnable(GL_MAP1_VERTEX_3);
             glMapGrid1f(8, 0, 1);
             glEvalMesh1(GL_LINE, 0, 8);
             glDisable(GL_MAP1_VERTEX_3);
         },
         "glClear glMap1f#48 glEnable glMapGrid1d glEvalMesh1"},
        {"a quadric", [&] { gluSphere(quadric, 0.5, 8, 4); }, "glClear gluSphere"},
        {"selection, then the same drawn",
         [] {
             glSelectBuffer(64, hits);
             glRenderMode(GL_SELECT);
             glPushName(7);
             glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
             glRenderMode(GL_RENDER);
             glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
         },
         "glClear glSelectBuffer glRenderMode glPushName(select) glRectf(select) glRenderMode(select) glRectf:4"},
    };
    glweb::Context& context = webContext();
    for (const auto& row : rows) {
        unlitAndUnmoved();
        const glweb::Context frameStart = inspect::stateOf(context);
        heldFrames.clear();
        for (size_t k = 1; k < 16; k++)
            heldFrames[k] = {};
        inspect::start();
        glClear(GL_COLOR_BUFFER_BIT);
        row.draw();
        const std::vector<glweb::Vertex> drawnV = context.vertices;
        const std::vector<glweb::Command> drawnC = context.commands;
        glFlush();
        const inspect::Record original = inspect::takeRecord();
        EXPECT_EQ(stepsOf(original), row.steps) << row.what;
        ASSERT_FALSE(original.steps.empty()) << row.what;
        // A step's picture is the frame as the layer held it when the next began.
        for (size_t k = 1; k < original.steps.size(); k++) {
            std::vector<glweb::Vertex> v;
            std::vector<glweb::Command> c;
            inspect::frameUpTo(original, k - 1, v, c);
            expectSameFrame(v, c, heldFrames[k].vertices, heldFrames[k].commands,
                            std::string(row.what) + ", up to step " + std::to_string(k - 1));
        }
        std::vector<glweb::Vertex> v;
        std::vector<glweb::Command> c;
        inspect::frameUpTo(original, original.steps.size() - 1, v, c);
        expectSameFrame(v, c, drawnV, drawnC, std::string(row.what) + ", the last step");

        inspect::replay(context, frameStart, original, {}, {});
        const inspect::Record& again = inspect::lastRecord();
        EXPECT_EQ(callsOf(again), callsOf(original)) << row.what;
        EXPECT_EQ(stepsOf(again), row.steps) << row.what;
        expectSameFrame(again.vertices, again.commands, original.vertices, original.commands,
                        std::string(row.what) + ", made again");
        // Made again through a middle step only: the context as it stood there.
        const size_t middle = original.steps.size() / 2;
        inspect::replay(context, frameStart, original, {}, {}, false, middle);
        const glweb::Snapshot there = context.snapshot(), recorded = original.steps[middle].state;
        EXPECT_EQ(std::memcmp(there.modelview.m, recorded.modelview.m, sizeof there.modelview.m), 0) << row.what;
        EXPECT_EQ(std::memcmp(there.color, recorded.color, sizeof there.color), 0) << row.what;
        EXPECT_EQ(inspect::lastRecord().calls.size(), original.steps[middle].lastCall + 1) << row.what;
        // Left out, a drawing step draws nothing and the rest is drawn as before.
        inspect::Edits out;
        out.leftOut = {original.steps.size() - 1};
        inspect::replay(context, frameStart, original, {}, out);
        EXPECT_EQ(inspect::lastRecord().vertices.size(), original.steps.back().firstVertex) << row.what;
        EXPECT_EQ(callsOf(inspect::lastRecord()), callsOf(original)) << row.what;
        // The first step after the clear left out takes what was made inside it along.
        out.leftOut = {1};
        inspect::replay(context, frameStart, original, {}, out);
        const size_t end = original.calls[original.steps[1].firstCall].end;
        for (size_t k = 1; k < original.steps.size(); k++)
            EXPECT_EQ(inspect::lastRecord().steps[k].leftOut, original.steps[k].firstCall < end) << row.what << ", step " << k;
    }
    gluDeleteQuadric(quadric);
    glDeleteLists(list, 1);
    glDeleteLists(glyphs, 2);
}

// The middle pixel of two squares, one over the other: what became of each.
TEST(InspectSteps, PixelHistoryTellsBlendingAndTheAlphaTest)
{
    const auto depthTested = [](GLenum func, GLboolean mask) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(func);
        glDepthMask(mask);
    };
    const auto square = [](float r, float g, float b, float a) {
        glColor4f(r, g, b, a);
        glRectf(-0.5f, -0.5f, 0.5f, 0.5f);
    };
    const struct {
        const char* what;
        std::function<void()> draw;
        const char* fates;
    } rows[] = {
        {"opaque over opaque", [&] { square(1, 0, 0, 1); square(0, 0, 1, 1); }, "covered seen"},
        {"blended over opaque",
         [&] {
             square(1, 0, 0, 1);
             glEnable(GL_BLEND);
             glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
             square(0, 0, 1, 0.5f);
             glDisable(GL_BLEND);
         },
         "blended seen"},
        {"failing the alpha test",
         [&] {
             square(1, 0, 0, 1);
             glEnable(GL_ALPHA_TEST);
             glAlphaFunc(GL_GREATER, 0.5f);
             square(0, 0, 1, 0.2f);
             glDisable(GL_ALPHA_TEST);
         },
         "seen alpha"},
        // Two squares at one depth: the depth function and mask decide the second.
        {"same depth, GL_LEQUAL", [&] { depthTested(GL_LEQUAL, GL_TRUE); square(1, 0, 0, 1); square(0, 0, 1, 1); },
         "covered seen"},
        {"same depth, the first's depth not written",
         [&] {
             depthTested(GL_LESS, GL_FALSE);
             square(1, 0, 0, 1);
             glDepthMask(GL_TRUE);
             square(0, 0, 1, 1);
         },
         "covered seen"},
        {"GL_GREATER hides what is nearer than the cleared depth",
         [&] { depthTested(GL_GREATER, GL_TRUE); square(1, 0, 0, 1); }, "hidden"},
    };
    const char* const names[] = {"seen", "covered", "hidden", "culled", "alpha", "blended"};
    for (const auto& row : rows) {
        glViewport(0, 0, 100, 100);
        unlitAndUnmoved();
        inspect::start();
        glClear(GL_COLOR_BUFFER_BIT);
        row.draw();
        glFlush();
        std::string fates;
        for (const inspect::PixelEntry& e : inspect::pixelHistory(inspect::lastRecord(), 50, 50))
            fates += (fates.empty() ? "" : " ") + std::string(names[e.fate]);
        EXPECT_EQ(fates, row.fates) << row.what;
        glDisable(GL_DEPTH_TEST);  // as GL starts, for the next row
        glDepthFunc(GL_LESS);
        glDepthMask(GL_TRUE);
    }
    glBlendFunc(GL_ONE, GL_ZERO);  // as GL starts, for the tests after
    glAlphaFunc(GL_ALWAYS, 0);
    glColor4f(1, 1, 1, 1);
}

}  // namespace
