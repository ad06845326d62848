// The page's GL layer on the host: what it makes of small primitives, and of
// whole frames of the real program against the recording GL.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <cstring>
#include <map>

#include "app/camera.h"
#include "app/keyboard.h"
#include "image/render_init.h"
#include "scene/display.h"
#include "state/viewer_state.h"
#include "test_support.h"
#include "web/gl/gl_context.h"

namespace {

using glweb::Command;
using glweb::Context;

// Vertex i of a primitive sits at x = i, so the output names its inputs.
// Vertex i at (i, i mod 2) times `scale`: outside the view volume from the
// second on, unless scaled inside it.
std::vector<int> sendPrimitive(Context& c, GLenum mode, int n, float scale = 1)
{
    c.begin(mode);
    for (int i = 0; i < n; i++)
        c.vertex((float)i * scale, (float)(i % 2) * scale, 0);
    c.end();
    std::vector<int> order;
    for (const glweb::Vertex& v : c.vertices)
        order.push_back((int)std::lround(v.position[0] / scale));
    return order;
}

TEST(GLContextTest, PrimitivesAssembleAsOpenGLDefinesThem)
{
    const struct {
        const char* what;
        GLenum mode, winding;
        int n;
        std::vector<int> out;  // triangles or line segments, by input vertex
        float scale = 1;
    } rows[] = {
        {"strip of four", GL_TRIANGLE_STRIP, GL_CCW, 4, {0, 1, 2, 2, 1, 3}},
        {"strip of five", GL_TRIANGLE_STRIP, GL_CCW, 5, {0, 1, 2, 2, 1, 3, 2, 3, 4}},
        {"clockwise strip", GL_TRIANGLE_STRIP, GL_CW, 4, {0, 2, 1, 2, 3, 1}},
        {"quad", GL_POLYGON, GL_CCW, 4, {0, 1, 2, 0, 2, 3}},
        {"clockwise quad", GL_POLYGON, GL_CW, 4, {0, 2, 1, 0, 3, 2}},
        {"fan of five", GL_TRIANGLE_FAN, GL_CCW, 5, {0, 1, 2, 0, 2, 3, 0, 3, 4}},
        {"triangles, one vertex over", GL_TRIANGLES, GL_CCW, 7, {0, 1, 2, 3, 4, 5}},
        {"line strip of three", GL_LINE_STRIP, GL_CCW, 3, {0, 1, 1, 2}},
        {"lines, one vertex over", GL_LINES, GL_CCW, 5, {0, 1, 2, 3}},
        {"polygon of two", GL_POLYGON, GL_CCW, 2, {}},
        {"quads inside the view, two and a vertex over: cut from each first corner", GL_QUADS, GL_CCW, 9,
         {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7}, 0.1f},
        {"quads the view clips: cut from each second corner", GL_QUADS, GL_CCW, 8, {0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}},
        {"quad strip of six", GL_QUAD_STRIP, GL_CCW, 6, {0, 1, 3, 2, 0, 3, 2, 3, 5, 4, 2, 5}},
        {"line loop of three", GL_LINE_LOOP, GL_CCW, 3, {0, 1, 1, 2, 2, 0}},
        {"points", GL_POINTS, GL_CCW, 3, {0, 1, 2}},
    };
    for (const auto& r : rows) {
        Context c;
        c.frontFace(r.winding);
        EXPECT_EQ(sendPrimitive(c, r.mode, r.n, r.scale), r.out) << r.what;
        const GLenum drawn = r.mode == GL_POINTS ? GL_POINTS
                             : r.mode == GL_LINE_STRIP || r.mode == GL_LINES || r.mode == GL_LINE_LOOP ? GL_LINES
                                                                                                       : GL_TRIANGLES;
        if (!r.out.empty()) {
            ASSERT_EQ(c.commands.size(), 1u) << r.what;
            EXPECT_EQ(c.commands[0].state.mode, drawn) << r.what;
        }
    }
}

// A textured quad after `between`, then whether it joins the first quad's
// draw command and which texture it is drawn with.
TEST(GLContextTest, RunsThatShareStateShareADrawCommand)
{
    static const unsigned char texel[3 * 4] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    const struct {
        const char* what;
        std::function<void(Context&)> between;
        bool sameCommand;
        int texture;  // drawn with, or -1 for none
    } rows[] = {
        {"nothing", [](Context&) {}, true, 1},
        {"colour and winding", [](Context& c) { c.color(1, 0, 0); c.frontFace(GL_CW); }, true, 1},
        {"another texture", [](Context& c) { c.bindTexture(2); }, false, 2},
        {"texture made without pixels, its texels to come", [](Context& c) { c.bindTexture(3); }, false, 3},
        {"texture with mipmap filter", [](Context& c) { c.bindTexture(4); }, false, -1},
        {"texturing off", [](Context& c) { c.enable(GL_TEXTURE_2D, false); }, false, -1},
        {"texture 0, as a program that binds none has it", [](Context& c) {
             c.bindTexture(0);
             c.texParameter(GL_TEXTURE_MIN_FILTER, GL_NEAREST);
             c.texImage2D(2, 2, GL_RGB, GL_UNSIGNED_BYTE, texel);
         }, false, 0},
        {"depth test off", [](Context& c) { c.enable(GL_DEPTH_TEST, false); }, false, 1},
        {"culling on", [](Context& c) { c.enable(GL_CULL_FACE, true); }, false, 1},
        {"line stipple on: no line drawn", [](Context& c) { c.enable(GL_LINE_STIPPLE, true); }, true, 1},
        {"polygon stipple on", [](Context& c) { c.enable(GL_POLYGON_STIPPLE, true); }, false, 1},
        {"no buffer drawn", [](Context& c) { c.drawBuffer = GL_NONE; }, false, 1},
        {"clear", [](Context& c) { c.clear(GL_COLOR_BUFFER_BIT); }, false, 1},
    };
    for (const auto& r : rows) {
        Context c;
        for (GLuint name : {1u, 2u, 3u, 4u}) {
            c.bindTexture(name);
            if (name != 4)
                c.texParameter(GL_TEXTURE_MIN_FILTER, GL_NEAREST);
            c.pixelStore(GL_UNPACK_ALIGNMENT, 1);
            c.texImage2D(2, 2, GL_RGB, GL_UNSIGNED_BYTE, name == 3 ? nullptr : texel);
        }
        c.bindTexture(1);
        c.enable(GL_TEXTURE_2D, true);
        c.enable(GL_DEPTH_TEST, true);
        sendPrimitive(c, GL_POLYGON, 4);
        r.between(c);
        sendPrimitive(c, GL_POLYGON, 4);
        const Command& last = c.commands.back();
        EXPECT_EQ(c.commands.front().count == 12, r.sameCommand) << r.what;
        EXPECT_EQ(last.kind, Command::draw) << r.what;
        EXPECT_EQ(last.state.textured ? (int)last.state.texture : -1, r.texture) << r.what;
    }
}

// RGB texels as kept: each with an alpha of 1.
std::vector<uint8_t> opaque(const std::vector<uint8_t>& rgb)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        out.insert(out.end(), {rgb[i], rgb[i + 1], rgb[i + 2], 255});
    return out;
}

// Nearest sampling to powers of two: columns are picked by the width and
// rows by the height, each row read past its padding to four bytes; each
// texel kept as RGBA as its internal format keeps it.
TEST(GLContextTest, ImagesAreKeptWidenedToPowersOfTwo)
{
    const float half[3] = {0.5f, 1, 0};
    std::vector<uint8_t> floats(sizeof half);
    std::memcpy(floats.data(), half, sizeof half);
    const struct {
        const char* what;
        int width, height;
        GLenum format, type;
        GLint internal;
        std::vector<uint8_t> image, expected;
        int storedWidth, storedHeight;
    } rows[] = {
        // Stored columns 0..3 take columns 0, 0, 1, 2.
        {"three texels a row, two rows", 3, 2, GL_RGB, GL_UNSIGNED_BYTE, GL_RGB,
         {10, 11, 12, 20, 21, 22, 30, 31, 32, 0, 0, 0, 40, 41, 42, 50, 51, 52, 60, 61, 62, 0, 0, 0},
         opaque({10, 11, 12, 10, 11, 12, 20, 21, 22, 30, 31, 32, 40, 41, 42, 40, 41, 42, 50, 51, 52, 60, 61, 62}), 4, 2},
        // Taller than wide, as the door is: stored rows 0..3 take rows 0, 0, 1, 2.
        {"one texel a row, three rows", 1, 3, GL_RGB, GL_UNSIGNED_BYTE, GL_RGB, {10, 11, 12, 0, 20, 21, 22, 0, 30, 31, 32, 0},
         opaque({10, 11, 12, 10, 11, 12, 20, 21, 22, 30, 31, 32}), 1, 4},
        {"luminance", 2, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, GL_LUMINANCE, {10, 200, 0, 0},
         {10, 10, 10, 255, 200, 200, 200, 255}, 2, 1},
        {"alpha: white of that alpha", 1, 1, GL_ALPHA, GL_UNSIGNED_BYTE, GL_ALPHA, {77, 0, 0, 0}, {255, 255, 255, 77}, 1, 1},
        {"RGBA", 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, GL_RGBA8, {1, 2, 3, 4}, {1, 2, 3, 4}, 1, 1},
        {"RGBA kept as RGB", 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, 3, {1, 2, 3, 4}, {1, 2, 3, 255}, 1, 1},
        {"intensity from luminance", 1, 1, GL_LUMINANCE, GL_UNSIGNED_BYTE, GL_INTENSITY, {90, 0, 0, 0}, {90, 90, 90, 90}, 1, 1},
        {"floats", 1, 1, GL_RGB, GL_FLOAT, GL_RGB, floats, {128, 255, 0, 255}, 1, 1},
    };
    for (const auto& r : rows) {
        Context c;
        c.bindTexture(7);
        ASSERT_TRUE(c.texImage2D(r.width, r.height, r.format, r.type, r.image.data(), 0, r.internal)) << r.what;
        const glweb::Texture& t = c.textures[7];
        ASSERT_EQ(t.storedWidth, r.storedWidth) << r.what;
        ASSERT_EQ(t.storedHeight, r.storedHeight) << r.what;
        EXPECT_EQ(t.pixels, r.expected) << r.what;
        // GL's default minifying filter wants mipmaps: a 1 x 1 image is one.
        EXPECT_EQ(t.complete(), r.width == 1 && r.height == 1) << r.what;
    }
}

// Shaded flat, a face takes the colour of the vertex GL names: a polygon's
// first, every other primitive's last (vertex i is coloured i / 10).
TEST(GLContextTest, FlatFacesTakeTheColourOfTheVertexGLNames)
{
    const struct {
        const char* what;
        GLenum mode;
        int n;
        std::vector<float> reds;  // of each vertex drawn, in tenths
    } rows[] = {
        {"polygon: its first", GL_POLYGON, 4, {0, 0, 0, 0, 0, 0}},
        {"triangles: each one's last", GL_TRIANGLES, 6, {2, 2, 2, 5, 5, 5}},
        {"strip: each triangle's last", GL_TRIANGLE_STRIP, 4, {2, 2, 2, 3, 3, 3}},
        {"quad: its last", GL_QUADS, 4, {3, 3, 3, 3, 3, 3}},
        {"lines: each one's second", GL_LINE_STRIP, 3, {1, 1, 2, 2}},
    };
    for (const auto& r : rows) {
        Context c;
        c.shadeModel(GL_FLAT);
        c.begin(r.mode);
        for (int i = 0; i < r.n; i++) {
            c.color((float)i / 10, 0, 0);
            c.vertex((float)i, (float)(i % 2), 0);
        }
        c.end();
        std::vector<float> reds;
        for (const glweb::Vertex& v : c.vertices)
            reds.push_back(std::round(v.color[0] * 10));
        EXPECT_EQ(reds, r.reds) << r.what;
    }
}

// What a primitive becomes under the state that changes its drawing: each
// row's setup, a square (0, 0) to (1, 1) counter-clockwise (or a line),
// and the pieces it is drawn as: their mode, count and a look at them.
TEST(GLContextTest, PolygonModesWideLinesAndTwoSidesDrawAsGLSays)
{
    auto square = [&](Context& c, bool clockwise) {
        c.begin(GL_POLYGON);
        const float x[4] = {0, 1, 1, 0}, y[4] = {0, 0, 1, 1};
        for (int k = 0; k < 4; k++) {
            const int i = clockwise ? 3 - k : k;
            c.vertex(x[i], y[i], 0);
        }
        c.end();
    };
    const struct {
        const char* what;
        std::function<void(Context&)> draw;
        GLenum mode;
        size_t vertices;
        std::function<bool(const std::vector<glweb::Vertex>&)> holds;
    } rows[] = {
        {"edges: its four sides, not the diagonal", [&](Context& c) { c.polygonMode(GL_FRONT_AND_BACK, GL_LINE); square(c, false); },
         GL_LINES, 8, nullptr},
        {"an edge flag off: three sides", [&](Context& c) {
             c.polygonMode(GL_FRONT_AND_BACK, GL_LINE);
             c.begin(GL_POLYGON);
             c.vertex(0, 0, 0); c.edgeFlag(false); c.vertex(1, 0, 0); c.edgeFlag(true); c.vertex(1, 1, 0); c.vertex(0, 1, 0);
             c.end();
         }, GL_LINES, 6, nullptr},
        {"corners", [&](Context& c) { c.polygonMode(GL_FRONT, GL_POINT); square(c, false); }, GL_POINTS, 4, nullptr},
        {"edges of a back face, culled", [&](Context& c) {
             c.polygonMode(GL_BACK, GL_LINE);
             c.enable(GL_CULL_FACE, true);
             square(c, true);
         }, GL_LINES, 0, nullptr},
        {"back faces as edges, front faces filled", [&](Context& c) {
             c.polygonMode(GL_BACK, GL_LINE);
             square(c, false);
         }, GL_TRIANGLES, 6, nullptr},
        // x-major, 3 pixels wide in a 100 x 100 viewport: a parallelogram
        // 0.06 high in normalised coordinates, as wide as the line.
        {"a wide line", [&](Context& c) {
             c.viewport(0, 0, 100, 100);
             c.fragments.lineWidth = 3;
             c.begin(GL_LINES); c.vertex(-0.5f, 0, 0); c.vertex(0.5f, 0.1f, 0); c.end();
         }, GL_TRIANGLES, 6, [](const std::vector<glweb::Vertex>& v) {
             float low = 1, high = -1;
             for (const glweb::Vertex& p : v)
                 if (p.position[0] == -0.5f)
                     low = std::min(low, p.position[1]), high = std::max(high, p.position[1]);
             return std::fabs(high - low - 0.06f) < 1e-6f;
         }},
        // Two-sided: a face seen from behind takes the back's colour.
        {"a back face lit by the back's material", [&](Context& c) {
             const float blue[4] = {0, 0, 1, 1}, on[1] = {1};
             c.material(GL_BACK, GL_DIFFUSE, blue);
             c.lightModel(GL_LIGHT_MODEL_TWO_SIDE, on);
             c.enable(GL_LIGHTING, true);
             c.enable(GL_LIGHT0, true);
             c.normal(0, 0, -1);
             square(c, true);
         }, GL_TRIANGLES, 6, [](const std::vector<glweb::Vertex>& v) { return v[0].color[0] < 0.1f && v[0].color[2] > 0.9f; }},
    };
    for (const auto& r : rows) {
        Context c;
        r.draw(c);
        size_t count = 0;
        for (const Command& cmd : c.commands)
            if (cmd.kind == Command::draw) {
                EXPECT_EQ(cmd.state.mode, r.mode) << r.what;
                count += cmd.count;
            }
        EXPECT_EQ(count, r.vertices) << r.what;
        if (r.holds && count)
            EXPECT_TRUE(r.holds(c.vertices)) << r.what;
    }
}

// A mipmap is complete with every level down to 1 x 1, each half the one
// before; otherwise texturing is off for it.
TEST(GLContextTest, MipmapsAreCompleteWithEveryLevel)
{
    const std::vector<uint8_t> texels(4 * 4 * 3, 200);
    const struct {
        const char* what;
        std::vector<std::pair<int, int>> levels;  // sizes of levels 1, 2, ...
        bool complete;
    } rows[] = {
        {"4 x 2, then 2 x 1, 1 x 1", {{2, 1}, {1, 1}}, true},
        {"the last level missing", {{2, 1}}, false},
        {"a level of the wrong size", {{2, 2}, {1, 1}}, false},
    };
    for (const auto& r : rows) {
        Context c;
        c.bindTexture(3);
        c.texParameter(GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
        const uint8_t red[3] = {255, 0, 0};  // a texel changed in place: its stored copy follows
        c.texImage2D(4, 1, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        ASSERT_TRUE(c.texSubImage2D(0, 1, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, red)) << r.what;
        EXPECT_EQ(c.textures[3].pixels, (std::vector<uint8_t>{200, 200, 200, 255, 255, 0, 0, 255, 200, 200, 200, 255, 200,
                                                              200, 200, 255})) << r.what;
        EXPECT_FALSE(c.texSubImage2D(0, 4, 0, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, red)) << r.what << ": outside the image";
        c.texImage2D(4, 2, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        for (size_t k = 0; k < r.levels.size(); k++)
            c.texImage2D(r.levels[k].first, r.levels[k].second, GL_RGB, GL_UNSIGNED_BYTE, texels.data(), (GLint)k + 1);
        EXPECT_EQ(c.textures[3].complete(), r.complete) << r.what;
        c.enable(GL_TEXTURE_2D, true);
        EXPECT_EQ(c.stateFor(GL_TRIANGLES).texture, r.complete ? 3u : 0u) << r.what;
    }
}

TEST(GLContextTest, VerticesAreLitWhileLightingIsOn)
{
    // No light: the model's ambient times the material's, which follows the colour.
    Context c;
    const float ambient[4] = {0.5f, 0.5f, 0.5f, 1};
    c.lightModel(GL_LIGHT_MODEL_AMBIENT, ambient);
    c.enable(GL_COLOR_MATERIAL, true);
    c.enable(GL_LIGHTING, true);
    c.color(1, 0.5f, 0);
    sendPrimitive(c, GL_POLYGON, 3);
    EXPECT_EQ(std::vector<float>(c.vertices[0].color, c.vertices[0].color + 3), (std::vector<float>{0.5f, 0.25f, 0}));
}

// Where WebGL's vertex shader may light: a primitive lit so carries its
// colour, eye position and normal; where it may not, or the material
// changes within the primitive, it is lit here, as with no shader.
TEST(GLContextTest, LitInTheShaderOnlyWhereItLightsAsHere)
{
    static const float red[4] = {1, 0, 0, 1}, on = 1;
    static const double plane[4] = {1, 0, 0, 5};
    const struct {
        const char* what;
        std::function<void(Context&)> set, within;  // before glBegin; after its first vertex
        bool inShader;
    } rows[] = {
        {"lighting on", [](Context&) {}, nullptr, true},
        {"lighting off", [](Context& c) { c.enable(GL_LIGHTING, false); }, nullptr, false},
        {"two sides", [](Context& c) { c.lightModel(GL_LIGHT_MODEL_TWO_SIDE, &on); }, nullptr, false},
        {"flat", [](Context& c) { c.shadeModel(GL_FLAT); }, nullptr, false},
        {"a clip plane", [](Context& c) { c.clipPlane(0, plane); c.enable(GL_CLIP_PLANE0, true); }, nullptr, false},
        {"feedback", [](Context& c) { static GLfloat b[64]; c.render.feedback = b; c.render.feedbackSize = 64;
             c.renderMode(GL_FEEDBACK); }, nullptr, false},
        {"the material within", [](Context&) {}, [](Context& c) { c.material(GL_DIFFUSE, red); }, false},
    };
    for (const auto& r : rows) {
        Context c[2];  // lit in the shader where it may, and here
        for (int k = 0; k < 2; k++) {
            c[k].shaderLighting = k == 0;
            c[k].enable(GL_LIGHTING, true);
            c[k].enable(GL_LIGHT0, true);
            c[k].enable(GL_COLOR_MATERIAL, true);
            r.set(c[k]);
            for (float green : {0.2f, 0.8f}) {  // two colours: one draw, one set of lights
                c[k].color(0.5f, green, 0);
                c[k].begin(GL_TRIANGLES);
                for (int i = 0; i < 3; i++) {
                    c[k].normal(0, (float)i / 2, 1);
                    c[k].vertex((float)i, (float)(i % 2), 0);
                    if (r.within && i == 0)
                        r.within(c[k]);
                }
                c[k].end();
            }
        }
        if (c[1].commands.empty())
            continue;  // fed back: nothing drawn
        ASSERT_EQ(c[0].commands.size(), 1u) << r.what;
        EXPECT_EQ(c[0].commands[0].state.lit, r.inShader ? 0 : -1) << r.what;
        if (r.inShader) {
            EXPECT_EQ(c[0].shaderLit.size(), 1u);
            EXPECT_EQ(c[0].vertices[3].color[1], 0.8f);  // the colour as given
            EXPECT_EQ(c[0].vertices[2].normal[1], 1.f);
            EXPECT_EQ(c[0].shaderLit[0].material[2][0], 0);  // diffuse: the vertex's
            EXPECT_EQ(c[0].shaderLit[0].count, 1);
            continue;
        }
        for (size_t i = 0; i < c[1].vertices.size(); i++)
            EXPECT_EQ(std::memcmp(c[0].vertices[i].color, c[1].vertices[i].color, sizeof(float[4])), 0) << r.what;
    }
    // A strip lit in the shader: each vertex sent once, its triangles naming them.
    Context strip;
    strip.shaderLighting = true;
    strip.enable(GL_LIGHTING, true);
    sendPrimitive(strip, GL_TRIANGLE_STRIP, 4, 0.1f);
    EXPECT_EQ(strip.vertices.size(), 4u);
    EXPECT_EQ(strip.indices, (std::vector<uint32_t>{0, 1, 2, 2, 1, 3}));
}

// Feeds the recorded calls to a context, as the page's entry points would.
// Each glClear starts a frame, so the context ends holding the last one.
void replay(Context& c, const std::vector<rgl::Call>& calls)
{
    using Args = const std::vector<double>&;
    auto f = [](Args a, size_t i) { return (float)a[i]; };
    auto params = [](Args a, size_t from) {  // a vector parameter, as floats
        std::array<float, 4> p{};
        for (size_t i = from; i < a.size() && i - from < 4; i++)
            p[i - from] = (float)a[i];
        return p;
    };
    GLuint bound = 0;
    const std::map<std::string, std::function<void(Args)>> entry = {
        {"glMatrixMode", [&](Args a) { c.matrixMode((GLenum)a[0]); }},
        {"glLoadIdentity", [&](Args) { c.loadIdentity(); }},
        {"glPushMatrix", [&](Args) { c.pushMatrix(); }},
        {"glPopMatrix", [&](Args) { c.popMatrix(); }},
        {"glTranslatef", [&](Args a) { c.multiply(glcore::translation(f(a, 0), f(a, 1), f(a, 2))); }},
        {"glRotatef", [&](Args a) { c.multiply(glcore::rotation(f(a, 0), f(a, 1), f(a, 2), f(a, 3))); }},
        {"glScalef", [&](Args a) { c.multiply(glcore::scaling(f(a, 0), f(a, 1), f(a, 2))); }},
        {"glOrtho", [&](Args a) { c.multiply(glcore::ortho(a[0], a[1], a[2], a[3], a[4], a[5])); }},
        {"gluPerspective", [&](Args a) { c.multiply(glcore::perspective(a[0], a[1], a[2], a[3])); }},
        {"gluLookAt",
         [&](Args a) { c.multiply(glcore::lookAt(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8])); }},
        {"glViewport", [&](Args a) { c.viewport((int)a[0], (int)a[1], (int)a[2], (int)a[3]); }},
        {"glBegin", [&](Args a) { c.begin((GLenum)a[0]); }},
        {"glEnd", [&](Args) { c.end(); }},
        {"glVertex3f", [&](Args a) { c.vertex(f(a, 0), f(a, 1), f(a, 2)); }},
        {"glTexCoord2f", [&](Args a) { c.texCoord(f(a, 0), f(a, 1)); }},
        {"glColor3f", [&](Args a) { c.color(f(a, 0), f(a, 1), f(a, 2)); }},
        {"glColor3fv", [&](Args a) { c.color(f(a, 0), f(a, 1), f(a, 2)); }},
        {"glFrontFace", [&](Args a) { c.frontFace((GLenum)a[0]); }},
        {"glBindTexture", [&](Args a) { c.bindTexture(bound = (GLuint)a[1]); }},
        {"glTexParameteri", [&](Args a) { c.texParameter((GLenum)a[1], (GLint)a[2]); }},
        {"glTexEnvf", [&](Args a) { c.texEnvMode((GLenum)a[2]); }},
        {"glPixelStorei", [&](Args a) { c.pixelStore((GLenum)a[0], (GLint)a[1]); }},
        {"glTexImage2D",
         [&](Args a) {
             const rgl::Texture& t = rgl::gl.textures[bound];  // recorded tightly packed
             c.pixelStore(GL_UNPACK_ALIGNMENT, 1);
             c.texImage2D((GLsizei)a[3], (GLsizei)a[4], (GLenum)a[6], (GLenum)a[7],
                          t.hasData ? t.pixels.data() : nullptr);
         }},
        {"glLightfv", [&](Args a) { c.light((GLenum)a[0], (GLenum)a[1], params(a, 2).data()); }},
        {"glLightModelfv", [&](Args a) { c.lightModel((GLenum)a[0], params(a, 1).data()); }},
        {"glMaterialfv", [&](Args a) { c.material((GLenum)a[1], params(a, 2).data()); }},
        {"glColorMaterial", [&](Args a) { c.colorMaterial((GLenum)a[1]); }},
        {"glEnable", [&](Args a) { c.enable((GLenum)a[0], true); }},
        {"glDisable", [&](Args a) { c.enable((GLenum)a[0], false); }},
        {"glClearColor", [&](Args a) { c.clearColor(f(a, 0), f(a, 1), f(a, 2), f(a, 3)); }},
        {"glClear",
         [&](Args a) {
             c.vertices.clear();
             c.commands.clear();
             c.clear((GLbitfield)a[0]);
         }},
    };
    for (const rgl::Call& call : calls) {
        auto it = entry.find(call.name);
        if (it != entry.end())
            it->second(call.args);
        else
            ASSERT_TRUE(call.name.rfind("glut", 0) == 0 || call.name == "glShadeModel" || call.name == "glFlush")
                << "no replay for " << call.name;
    }
}

// Twice the signed area of a triangle in normalised device coordinates:
// positive when counter-clockwise on the screen.
float screenArea(const float* a, const float* b, const float* c)
{
    const float ax = a[0] / a[3], ay = a[1] / a[3], bx = b[0] / b[3], by = b[1] / b[3], cx = c[0] / c[3],
                cy = c[1] / c[3];
    return (bx - ax) * (cy - ay) - (cx - ax) * (by - ay);
}

struct Expected {
    float position[4];
    const rgl::Vertex* recorded;
};

bool sameVertex(const Expected& e, const glweb::Vertex& v, bool colours)
{
    for (int i = 0; i < 4; i++)
        if (std::fabs(e.position[i] - v.position[i]) > 1e-4f * (1 + std::fabs(e.position[i])))
            return false;
    return e.recorded->s == v.texCoord[0] && e.recorded->t == v.texCoord[1] &&
           (!colours || std::equal(v.color, v.color + 3, e.recorded->color));
}

// The vertices of piece k of a primitive, as OpenGL assembles each mode.
std::vector<size_t> piece(GLenum mode, size_t k)
{
    switch (mode) {
    case GL_LINES: return {2 * k, 2 * k + 1};
    case GL_LINE_STRIP: return {k, k + 1};
    case GL_TRIANGLES: return {3 * k, 3 * k + 1, 3 * k + 2};
    case GL_TRIANGLE_STRIP: return {k, k + 1, k + 2};
    default: return {0, k + 1, k + 2};  // polygons and fans
    }
}

// The whole frame, primitive by primitive: the layer's triangles and lines
// against those OpenGL assembles from the same recorded primitives.
void expectSameFrame(const Context& c, bool texturing, bool lit, const std::string& what)
{
    size_t frameStart = 0;
    for (size_t i = 0; i < rgl::gl.calls.size(); i++)
        if (rgl::gl.calls[i].name == "glClear")
            frameStart = i;
    std::vector<const glweb::DrawState*> stateOf;
    for (const Command& cmd : c.commands)
        if (cmd.kind == Command::draw)
            stateOf.insert(stateOf.end(), cmd.count, &cmd.state);
    ASSERT_EQ(stateOf.size(), c.vertices.size()) << what;

    const rgl::Mat4& projection = rgl::gl.stacks.projection.back();
    size_t next = 0, facingChecked = 0;
    for (const rgl::Primitive* p : primitivesFrom(frameStart)) {
        std::vector<Expected> in;
        for (const rgl::Vertex& v : p->vertices) {
            in.push_back({{}, &v});
            glcore::transform4(glcore::multiply(projection, p->modelview), v.local, in.back().position);
        }
        const bool lines = p->mode == GL_LINE_STRIP || p->mode == GL_LINES;
        const std::string where = what + ", primitive at call " + std::to_string(p->firstCall);
        for (size_t k = 0; piece(p->mode, k).back() < in.size(); k++) {
            const std::vector<size_t> at = piece(p->mode, k);
            ASSERT_LE(next + at.size(), c.vertices.size()) << where << ": too few vertices";
            const glweb::Vertex* out = &c.vertices[next];
            ASSERT_EQ(stateOf[next]->mode, (GLenum)(lines ? GL_LINES : GL_TRIANGLES)) << where;
            EXPECT_EQ(stateOf[next]->texture, texturing ? p->texture : 0u) << where;
            next += at.size();
            for (size_t i : at)  // the same vertices, in any order for a triangle
                EXPECT_TRUE(std::any_of(out, out + at.size(), [&](const glweb::Vertex& v) {
                    return sameVertex(in[i], v, !lit);
                })) << where << ", piece " << k;
            // Front-facing or not, where all three vertices are before the eye.
            if (lines || in[at[0]].position[3] <= 0 || in[at[1]].position[3] <= 0 || in[at[2]].position[3] <= 0)
                continue;
            float area = screenArea(in[at[0]].position, in[at[1]].position, in[at[2]].position);
            if (p->mode == GL_TRIANGLE_STRIP && k % 2 == 1)
                area = -area;  // odd triangles of a strip wind the other way
            if (std::fabs(area) < 1e-6f)
                continue;
            EXPECT_EQ(screenArea(out[0].position, out[1].position, out[2].position) > 0,
                      (area > 0) == (p->frontFace == GL_CCW))
                << where << ", triangle " << k;
            facingChecked++;
        }
    }
    EXPECT_EQ(next, c.vertices.size()) << what << ": vertices left over";
    EXPECT_GT(facingChecked, 500u) << what;
}

TEST(GLContextFrameTest, WholeFramesMatchTheRecordingGL)
{
    const struct {
        const char* what;
        std::function<void()> steps;
    } rows[] = {
        {"start", [] {}},
        {"untextured and unlit, turned",
         [] {
             keyboard('t', 0, 0);
             keyboard('l', 0, 0);
             specialKeys(GLUT_KEY_LEFT, 0, 0);
         }},
        {"walked in, depth test off, winding flipped",
         [] {
             for (int i = 0; i < 30; i++)
                 specialKeys(GLUT_KEY_UP, 0, 0);
             keyboard('d', 0, 0);
             keyboard('f', 0, 0);
         }},
        {"outside, orthographic, dragged",
         [] {
             menuSelect(2);
             keyboard('p', 0, 0);
             mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
             motion(460, 420);
         }},
    };
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    for (const auto& r : rows) {
        freshStart();
        ASSERT_EQ(chdir(TEXTURE_DIR), 0);
        initScene();
        ASSERT_EQ(chdir(previous), 0);
        reshape(800, 600);
        r.steps();
        display();
        Context c;
        replay(c, rgl::gl.calls);
        expectSameFrame(c, texturingOn, lightingOn, r.what);
    }
}

}  // namespace

// The accumulation buffer over a window of two pixels, the operation on
// the first (or, with `outside`, on a box reaching past the window's right).
TEST(GLContextTest, AccumulationOperationsAreGLs)
{
    const struct {
        const char* what;
        GLenum op;
        float value, start;
        uint8_t color;  // read by ACCUM and LOAD
        float accumulated;  // after
        int written;        // by RETURN, -1 for none
        bool outside;
    } rows[] = {
        {"accum adds value x colour", GL_ACCUM, 0.5f, 0.25f, 255, 0.75f, -1, false},
        {"load sets value x colour", GL_LOAD, 0.5f, 0.9f, 51, 0.1f, -1, false},
        {"add adds the value", GL_ADD, -0.25f, 0.5f, 0, 0.25f, -1, false},
        {"mult scales", GL_MULT, 2, 0.3f, 0, 0.6f, -1, false},
        {"return writes value x accumulated", GL_RETURN, 2, 0.3f, 0, 0.3f, 153, false},
        {"return clamps at 1", GL_RETURN, 2, 0.8f, 0, 0.8f, 255, false},
        {"return clamps at 0", GL_RETURN, 1, -0.5f, 0, -0.5f, 0, false},
        {"a box past the window's edge", GL_ADD, 1, 0, 0, 0, -1, true},
    };
    for (const auto& r : rows) {
        glweb::Accumulation a;
        a.fit(2, 1);
        const int window[4] = {0, 0, 2, 1};
        a.clearValue[0] = a.clearValue[1] = a.clearValue[2] = a.clearValue[3] = r.start;
        a.clear(window);
        const int first[4] = {0, 0, 1, 1}, past[4] = {1, 0, 4, 1};
        std::vector<uint8_t> color(16, r.color);
        a.apply(r.op, r.value, r.outside ? past : first, color.data());
        if (r.outside) {
            EXPECT_EQ(a.values, (std::vector<float>{0, 0, 0, 0, 1, 1, 1, 1})) << r.what;
            continue;
        }
        EXPECT_NEAR(a.values[0], r.accumulated, 1e-6f) << r.what;
        EXPECT_EQ(a.values[4], r.start) << r.what << ": the second pixel was touched";
        if (r.written >= 0)
            EXPECT_EQ(color[0], r.written) << r.what;
    }
}
