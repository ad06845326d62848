// The page's frame record and pixel history on the host, through the GL
// layer's real entry points: the record equals what the recording GL sees
// of the same frame, call for call, and the pixel history of the start view
// names the steps a person sees there.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "app/camera.h"
#include "app/keyboard.h"
#include "call_line.h"
#include "glcore/matrix.h"
#include "image/render_init.h"
#include "scene/display.h"
#include "web/gl/gl_web.h"
#include "web/inspect/pixel_history.h"
#include "web/inspect/record.h"
#include "web/inspect/replay.h"
#include "web_stubs.h"

namespace {

using inspect::PixelEntry;

class InspectTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        ASSERT_EQ(chdir(TEXTURE_DIR), 0);
        initScene();
        ASSERT_EQ(chdir(here), 0);
        reshape(800, 600);
    }

    static const inspect::Record& record(const char* keys = "")
    {
        for (const char* k = keys; *k; k++)
            keyboard((unsigned char)*k, 0, 0);
        inspect::start();
        display();
        return inspect::lastRecord();
    }
};

std::string run(const std::string& command)
{
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    char buffer[4096];
    while (pipe && fgets(buffer, sizeof buffer, pipe.get()))
        out += buffer;
    return out;
}

// Each row's keys are pressed after the rows before it, and the last
// presses the toggles back; the recording GL is given all of them from the
// start.
TEST_F(InspectTest, RecordEqualsTheRecordingGLCallForCall)
{
    const char* const rows[] = {"", "dt", "fp", "3l", "12", "dtfpl11112222"};
    std::string pressed;
    for (const char* keys : rows) {
        pressed += keys;
        heldFrames.clear();
        for (size_t step : {3, 101, 318, 602, 903, 1101})
            heldFrames[step] = {};
        const inspect::Record& r = record(keys);
        std::string ours;
        for (const inspect::Call& c : r.calls)
            ours += callLine(c.name, c.args) + "\n";
        const std::string theirs = run(std::string(FRAME_CALLS) + " " + TEXTURE_DIR + " '" + pressed + "'");
        ASSERT_GT(theirs.size(), 1000u) << "frame_calls gave nothing";
        EXPECT_EQ(ours, theirs) << "after the keys '" << pressed << "'";
        // Steps: the clear first, every glBegin ... glEnd one step, the last a glEnd.
        ASSERT_FALSE(r.steps.empty());
        EXPECT_STREQ(r.calls[r.steps.front().firstCall].name, "glClear");
        EXPECT_TRUE(r.steps.back().primitive);
        EXPECT_STREQ(r.calls[r.steps.back().lastCall].name, "glEnd");
        size_t begins = 0, primitives = 0;
        for (const inspect::Call& c : r.calls)
            begins += std::string(c.name) == "glBegin";
        for (const inspect::Step& s : r.steps)
            primitives += s.primitive;
        EXPECT_EQ(primitives, begins) << pressed;
        // A step's picture is the frame drawn up to it: the commands and
        // vertices the layer held as the next step began.
        for (const auto& [next, held] : heldFrames) {
            const std::string name = r.calls[r.steps.at(next).firstCall].name;
            if (name == "glClear" || name == "glViewport")
                continue;  // its own command is already in
            std::vector<glweb::Vertex> vertices;
            std::vector<glweb::Command> commands;
            inspect::frameUpTo(r, next - 1, vertices, commands);
            ASSERT_EQ(vertices.size(), held.vertices.size()) << "step " << next - 1 << ", keys '" << pressed << "'";
            EXPECT_TRUE(vertices.empty() ||
                        std::memcmp(vertices.data(), held.vertices.data(), vertices.size() * sizeof vertices[0]) == 0);
            ASSERT_EQ(commands.size(), held.commands.size()) << "step " << next - 1;
            for (size_t k = 0; k < commands.size(); k++)
                EXPECT_TRUE(commands[k].kind == held.commands[k].kind && commands[k].first == held.commands[k].first &&
                            commands[k].count == held.commands[k].count && commands[k].state == held.commands[k].state)
                    << "step " << next - 1 << ", command " << k;
        }
        // The state of each step is the one in force after it: its vertices
        // land where its matrices take them, a matrix call's step holds the
        // matrix it made.
        for (size_t i = 1; i < r.steps.size(); i++) {
            const inspect::Step& s = r.steps[i];
            const glcore::Mat4 both = glcore::multiply(s.state.projection, s.state.modelview);
            for (size_t v = 0; v < s.given.size(); v++) {
                float clip[4];
                glcore::transform4(both, {s.given[v].x, s.given[v].y, s.given[v].z}, clip);
                for (int k = 0; k < 4; k++)
                    ASSERT_NEAR(clip[k], s.landed[v].position[k], 1e-4f * (1 + std::fabs(clip[k]))) << "step " << i;
            }
            const inspect::Call& c = r.calls[s.firstCall];
            if (std::string(c.name) == "glTranslatef") {
                const glcore::Mat4 made = glcore::multiply(r.steps[i - 1].state.modelview,
                    glcore::translation((float)c.args[0], (float)c.args[1], (float)c.args[2]));
                for (int k = 0; k < 16; k++)
                    ASSERT_FLOAT_EQ(s.state.modelview.m[k], made.m[k]) << "step " << i;
            }
        }
    }
}

// Every vertex of every primitive lands where the state at its step takes it.
void expectLandedByTheirMatrices(const inspect::Record& r, const char* what)
{
    for (size_t i = 0; i < r.steps.size(); i++) {
        const inspect::Step& s = r.steps[i];
        const glcore::Mat4 both = glcore::multiply(s.state.projection, s.state.modelview);
        ASSERT_EQ(s.landed.size(), s.leftOut ? 0 : s.given.size()) << what << ", step " << i;
        for (size_t v = 0; v < s.landed.size(); v++) {
            float clip[4];
            glcore::transform4(both, {s.given[v].x, s.given[v].y, s.given[v].z}, clip);
            for (int k = 0; k < 4; k++)
                ASSERT_NEAR(clip[k], s.landed[v].position[k], 1e-4f * (1 + std::fabs(clip[k]))) << what << ", step " << i;
        }
    }
}

size_t findCall(const inspect::Record& r, const char* name, std::vector<double> args, size_t from = 0)
{
    for (size_t i = from; i < r.calls.size(); i++)
        if (r.calls[i].name == std::string(name) && (args.empty() || r.calls[i].args == args))
            return i;
    return r.calls.size();
}

size_t stepOf(const inspect::Record& r, size_t call)
{
    for (size_t i = 0; i < r.steps.size(); i++)
        if (r.steps[i].firstCall <= call && call <= r.steps[i].lastCall)
            return i;
    return r.steps.size();
}

// The frame run again through the GL layer: unedited, call for call and
// vertex for vertex the same; each kind of edit lands where the state's
// matrices put it, and only there.
TEST_F(InspectTest, FrameRunAgainFollowsItsEdits)
{
    glweb::Context& context = webContext();
    const glweb::Context frameStart = inspect::stateOf(context);
    const inspect::Record original = record();
    const std::vector<inspect::KeptCall> starting = inspect::startingCalls();
    size_t perspective = 0;
    while (perspective < starting.size() && starting[perspective].call.name != std::string("gluPerspective"))
        perspective++;
    ASSERT_LT(perspective, starting.size()) << "the reshape's projection is not among the starting calls";
    // Each of the lighting's calls is kept, a material's pieces apart.
    for (const auto& [name, pname] : {std::pair<std::string, double>{"glLightModelfv", GL_LIGHT_MODEL_AMBIENT},
                                      {"glLightfv", GL_POSITION}, {"glMaterialfv", GL_SPECULAR},
                                      {"glMaterialfv", GL_SHININESS}}) {
        bool kept = false;
        for (const inspect::KeptCall& k : starting) {
            const std::vector<double>& a = k.call.args;
            kept = kept || (k.call.name == name && (name == "glLightModelfv" ? a[0] : a[1]) == pname);
        }
        EXPECT_TRUE(kept) << name << " " << pname << " is not among the starting calls";
    }
    const size_t door = findCall(original, "glRotatef", {30, 0, 1, 0}, findCall(original, "glTranslatef", {0.1f, 0, -0.3f}));
    const size_t doorPanel = stepOf(original, findCall(original, "glBegin", {}, door));
    const size_t cull = findCall(original, "glEnable", {GL_CULL_FACE});
    const size_t bind = findCall(original, "glBindTexture", {GL_TEXTURE_2D, 3});
    const size_t vertex = findCall(original, "glVertex3f", {}, original.steps[doorPanel].firstCall);
    ASSERT_STREQ(original.calls[vertex].name, "glVertex3f");

    const auto callsOf = [](const inspect::Record& r) {
        std::string out;
        for (const inspect::Call& c : r.calls)
            out += callLine(c.name, c.args) + "\n";
        return out;
    };
    const struct {
        const char* what;
        inspect::Edits edits;
    } rows[] = {
        {"nothing", {}},
        {"the door turned to 60 degrees", {{{{door, {60, 0, 1, 0}}}, {}}, {}, {}}},
        {"face culling turned off", {{{}, {{cull, false}}}, {}, {}}},
        {"the floor's texture on the door", {{{{bind, {GL_TEXTURE_2D, 9}}}, {}}, {}, {}}},
        {"a vertex of the door moved", {{{{vertex, {0.5, 0.5, 0.5}}}, {}}, {}, {}}},
        {"a field of view of 90 degrees", {{}, {{{perspective, {90, 800.0 / 600, 0.01, 100}}}, {}}, {}}},
        {"the door left out", {{}, {}, {doorPanel}}},
        {"the door's turn left out", {{}, {}, {stepOf(original, door)}}},
        {"the starting state run again", {}},
    };
    for (const auto& row : rows) {
        const std::string what = row.what;
        inspect::replay(context, frameStart, original, starting, row.edits, what == "the starting state run again");
        const inspect::Record& r = inspect::lastRecord();
        ASSERT_EQ(r.steps.size(), original.steps.size()) << row.what;
        expectLandedByTheirMatrices(r, row.what);
        const inspect::Step& panel = r.steps[doorPanel];
        if (what == "nothing" || what == "the starting state run again") {
            EXPECT_EQ(callsOf(r), callsOf(original));
            ASSERT_EQ(r.vertices.size(), original.vertices.size());
            EXPECT_EQ(0, std::memcmp(r.vertices.data(), original.vertices.data(), r.vertices.size() * sizeof r.vertices[0]));
            if (what != "nothing")
                continue;  // the starting state's viewport comes before the frame's commands
            ASSERT_EQ(r.commands.size(), original.commands.size());
            for (size_t k = 0; k < r.commands.size(); k++)
                EXPECT_TRUE(r.commands[k].state == original.commands[k].state && r.commands[k].count == original.commands[k].count);
        } else if (what == "the door turned to 60 degrees") {
            const inspect::Step& turn = r.steps[stepOf(r, door)];
            const glcore::Mat4 made = glcore::multiply(r.steps[stepOf(r, door) - 1].state.modelview,
                                                       glcore::rotation(60, 0, 1, 0));
            for (int k = 0; k < 16; k++)
                EXPECT_FLOAT_EQ(turn.state.modelview.m[k], made.m[k]);
            EXPECT_NE(std::memcmp(panel.landed.data(), original.steps[doorPanel].landed.data(), sizeof panel.landed[0]), 0);
        } else if (what == "face culling turned off") {
            EXPECT_FALSE(r.steps[stepOf(r, cull)].state.cullFace);
            EXPECT_FALSE(r.steps[stepOf(r, findCall(r, "glBegin", {}, cull))].drawState.cullFace);
        } else if (what == "the floor's texture on the door") {
            EXPECT_EQ(r.steps[stepOf(r, bind)].state.texture, 9u);
            EXPECT_EQ(r.steps[stepOf(r, findCall(r, "glBegin", {}, bind))].drawState.texture, 9u);
        } else if (what == "a vertex of the door moved") {
            EXPECT_EQ(panel.given[0].x, 0.5f);
        } else if (what == "a field of view of 90 degrees") {
            const glcore::Mat4 p = glcore::perspective(90, 800.0 / 600, 0.01, 100);
            for (int k = 0; k < 16; k++)
                EXPECT_FLOAT_EQ(panel.state.projection.m[k], p.m[k]);
        } else if (what == "the door's turn left out") {
            EXPECT_TRUE(r.steps[stepOf(r, door)].leftOut);
            EXPECT_NE(std::memcmp(panel.landed.data(), original.steps[doorPanel].landed.data(), sizeof panel.landed[0]), 0);
        } else if (what == "the door left out") {
            EXPECT_TRUE(panel.leftOut);
            EXPECT_EQ(r.vertices.size() + 3 * (original.steps[doorPanel].given.size() - 2), original.vertices.size());
        }
    }
    inspect::replay(context, frameStart, original, starting, {});  // as the program left it
}

// A pixel of the start view (from the window's top left): the texture the
// step seen there has bound (0: nothing reaches it), and whether some step
// there is hidden by the depth test, culled as a back face, or drawn and
// then covered. The last row presses d: the depth test is off, nothing is
// hidden, and the wallpaper of a wall behind, drawn last, is seen.
TEST_F(InspectTest, PixelHistoryNamesTheStepsSeenThere)
{
    const struct {
        const char* what;
        const char* keys;
        int x, y;
        GLuint seenTexture;
        bool hidden, culled, covered, line;  // line: a line strip reached it
    } rows[] = {
        {"the stone front", "", 340, 380, 1, true, true, false, false},
        {"the door", "", 575, 380, 3, false, true, true, false},
        {"the floor", "", 420, 460, 9, false, true, false, false},
        {"the window", "", 460, 220, 2, true, true, false, false},
        {"a wall drawn over a nearer one", "", 500, 260, 1, true, true, true, false},
        {"the sky", "", 100, 100, 0, false, false, false, false},
        {"the stone front, depth test off", "d", 340, 380, 4, false, true, true, false},
        {"the television's antenna, behind the front", "", 312, 183, 1, true, true, false, true},
    };
    for (const auto& r : rows) {
        const inspect::Record& rec = record(r.keys);
        const std::vector<PixelEntry> history = inspect::pixelHistory(rec, r.x, 599 - r.y);
        int seen = 0;
        bool hidden = false, culled = false, covered = false, line = false;
        for (size_t i = 0; i < history.size(); i++) {
            const PixelEntry& e = history[i];
            const inspect::Step& step = rec.steps[e.step];
            ASSERT_TRUE(step.primitive) << r.what;
            ASSERT_TRUE(i == 0 || history[i - 1].step < e.step) << r.what << ": not in drawing order";
            line |= step.mode == GL_LINE_STRIP;
            if (e.fate == PixelEntry::seen) {
                seen++;
                EXPECT_EQ(step.state.texture, r.seenTexture) << r.what;
            }
            if (e.fate == PixelEntry::hidden) {
                hidden = true;
                EXPECT_LT(e.other, e.step) << r.what << ": hidden behind a later step";
                EXPECT_TRUE(step.drawState.depthTest) << r.what;
            }
            if (e.fate == PixelEntry::covered) {
                covered = true;
                EXPECT_GT(e.other, e.step) << r.what << ": covered by an earlier step";
            }
            if (e.fate == PixelEntry::culled) {
                culled = true;
                EXPECT_TRUE(step.drawState.cullFace) << r.what;
            }
        }
        EXPECT_EQ(seen, r.seenTexture ? 1 : 0) << r.what;
        EXPECT_EQ(hidden, r.hidden) << r.what;
        EXPECT_EQ(culled, r.culled) << r.what;
        EXPECT_EQ(covered, r.covered) << r.what;
        EXPECT_EQ(line, r.line) << r.what;
        if (*r.keys)
            record(r.keys);  // back as it was
    }
}

}  // namespace
