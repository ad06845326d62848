// The inspector's side in the program's module: records a frame, runs it
// again with the page's edits, draws any prefix of its steps with the
// chosen step outlined, from the eye or from outside, and hands the page
// (inspector.js) the record and the starting state as plain numbers, which
// the page writes out.
#include <emscripten.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "web/gl/gl_context.h"
#include "web/gl/gl_web.h"
#include "web/gl/webgl_draw.h"
#include "web/glut/glut_web.h"
#include "web/inspect/pixel_history.h"
#include "web/inspect/record.h"
#include "web/inspect/replay.h"
#include "web/inspect/start_state.h"

// The program's call stack as each step begins, kept by the page and read
// against the line table when the inspector shows it.
EM_JS(void, pageStepBegins, (size_t step), { Module.inspectStack(step); });

void inspect::stepBegins(size_t step)
{
    pageStepBegins(step);
}

// The stacks of the calls that set the starting state, kept from the page's
// start (the inspector's script comes later): a call is kept rarely, at
// initialisation, reshape and a key, never in a frame.
EM_JS(void, pageCallKept, (size_t id), {
    const limit = Error.stackTraceLimit;
    Error.stackTraceLimit = 60;
    (Module.keptStacks = Module.keptStacks || {})[id] = new Error().stack;
    Error.stackTraceLimit = limit;
});
EM_JS(void, pageCallDropped, (size_t id), { delete Module.keptStacks[id]; });

void inspect::callKept(size_t id)
{
    pageCallKept(id);
}

void inspect::callDropped(size_t id)
{
    pageCallDropped(id);
}

// The stacks of a display list's calls as it is compiled, for the line of
// each; the first few thousand of a page's, so that a long list costs its
// compiling little.
EM_JS(void, pageListCallKept, (unsigned list, size_t position), {
    const stacks = Module.listStacks = Module.listStacks || { count: 0 };
    if (stacks.count++ > 4096) return;
    const limit = Error.stackTraceLimit;
    Error.stackTraceLimit = 60;
    (stacks[list] = stacks[list] || [])[position] = new Error().stack;
    Error.stackTraceLimit = limit;
});

void inspect::listCallKept(unsigned list, size_t position)
{
    pageListCallKept(list, position);
}

namespace {

using inspect::lastRecord;
using inspect::Step;

std::vector<int> pixelEntries;  // the last pixel's history, for the page
// What the inspector holds while open, made when it records.
struct Session {
    inspect::Record original;  // the frame as the program drew it
    const std::vector<inspect::KeptCall>* starting;
    glweb::Context frameStart;  // the context's state before it, textures aside
    inspect::Edits edits;
};
std::unique_ptr<Session> session;

const Step* stepAt(int step)
{
    return step >= 0 && (size_t)step < lastRecord().steps.size() ? &lastRecord().steps[(size_t)step] : nullptr;
}

// The outline of a primitive: its edges in the program's order, drawn over
// everything.
void addOutline(glweb::Context& c, const Step& s)
{
    const size_t n = s.landed.size();
    const bool closed = !(s.mode == GL_LINES || s.mode == GL_LINE_STRIP);
    glweb::Command cmd{};
    cmd.kind = glweb::Command::draw;
    cmd.state = {GL_LINES, 0, GL_REPLACE, false, false, {}};
    cmd.first = c.vertices.size();
    for (size_t i = 0; n >= 2 && (i + 1 < n || (closed && i < n)); i++)
        for (size_t k : {i, (i + 1) % n}) {
            glweb::Vertex v = s.landed[k];
            const float magenta[3] = {1, 0.1f, 0.9f};
            std::copy(magenta, magenta + 3, v.color);
            c.vertices.push_back(v);
        }
    cmd.count = c.vertices.size() - cmd.first;
    if (cmd.count)
        c.commands.push_back(cmd);
}

// Into the context, the frame up to and including `step`, the step's
// primitive outlined: false for no such step.
bool prepareUpTo(int step, bool outline)
{
    const Step* s = stepAt(step);
    if (!s)
        return false;
    glweb::Context& c = webContext();
    inspect::frameUpTo(lastRecord(), (size_t)step, c.vertices, c.commands);
    if (outline && s->primitive)
        addOutline(c, *s);
    return true;
}

bool litInShader = false;  // the page's way, kept while the inspector lights every vertex itself

}  // namespace

extern "C" {

// Draws the frame once more, noting every call: the number of steps.
EMSCRIPTEN_KEEPALIVE int inspectRecord()
{
    glweb::Context& c = webContext();
    // Recorded again while open (the window was resized): the program's own
    // state, with the starting state as it is now, the new reshape's included.
    if (session)
        inspect::replay(c, session->frameStart, session->original, inspect::startingCalls(), {}, true);
    else
        litInShader = c.shaderLighting;
    c.shaderLighting = false;  // every vertex's colour is read here
    session = std::make_unique<Session>();
    session->frameStart = inspect::stateOf(c);
    session->starting = &inspect::startingCalls();
    inspect::start();
    webDisplayNow();
    // Kept as the program drew it; what the page reads is the same frame
    // run again, as every edit will be.
    session->original = inspect::takeRecord();
    inspect::replay(c, session->frameStart, session->original, *session->starting, {});
    return (int)lastRecord().steps.size();
}

// The context as the program left it, for the house to go on from: the
// program's own frame, run once more.
EMSCRIPTEN_KEEPALIVE void inspectClose()
{
    if (session)
        inspect::replay(webContext(), session->frameStart, session->original, *session->starting, {});
    if (session)
        webContext().shaderLighting = litInShader;
    session.reset();
}

EMSCRIPTEN_KEEPALIVE int inspectStartCount()
{
    return session ? (int)session->starting->size() : 0;
}

EMSCRIPTEN_KEEPALIVE const char* inspectStartName(int i)
{
    return session->starting->at((size_t)i).call.name;
}

EMSCRIPTEN_KEEPALIVE const double* inspectStartArgs(int i, int* count)
{
    const std::vector<double>& args = session->starting->at((size_t)i).call.args;
    *count = (int)args.size();
    return args.data();
}

EMSCRIPTEN_KEEPALIVE int inspectStartId(int i)
{
    return (int)session->starting->at((size_t)i).id;
}

// The page's edits, given anew before each run: a call's arguments, a
// glEnable or glDisable in place of the other, a step left out. `start`
// says whether `call` is a starting call or one of the frame's.
EMSCRIPTEN_KEEPALIVE void inspectEditsClear()
{
    session->edits = {};
}

EMSCRIPTEN_KEEPALIVE void inspectEditArgs(int start, int call, const double* args, int count)
{
    (start ? session->edits.starting : session->edits.frame).args.push_back({(size_t)call, {args, args + count}});
}

EMSCRIPTEN_KEEPALIVE void inspectEditEnable(int start, int call, int on)
{
    (start ? session->edits.starting : session->edits.frame).enable.push_back({(size_t)call, on != 0});
}

EMSCRIPTEN_KEEPALIVE void inspectLeaveOut(int step)
{
    session->edits.leftOut.push_back((size_t)step);
}

// The whole GL state at a step, for the state panel: the frame run again
// with its edits up to `step` and the context left there for the page's
// queries (inspectQuery), until inspectStateDone gives back the edited
// frame and the context as they were.
namespace {
struct Held {
    inspect::Record record;
    glweb::Context context;
};
std::unique_ptr<Held> held;
}  // namespace

EMSCRIPTEN_KEEPALIVE void inspectStateAt(int step)
{
    glweb::Context& c = webContext();
    held = std::make_unique<Held>(Held{inspect::takeRecord(), inspect::stateOf(c)});
    inspect::replay(c, session->frameStart, session->original, *session->starting, session->edits, false, (size_t)step);
}

// One query of the state: `kind` 0 glIsEnabled(a), 1 glGetDoublev(a), 2
// glGetLightfv(GL_LIGHT0 + a, b), 3 glGetMaterialfv(a, b), 4
// glGetTexEnvfv(GL_TEXTURE_ENV, a), 5 glGetTexGendv(a, b); its values into
// `out` (room for 16).
EMSCRIPTEN_KEEPALIVE void inspectQuery(int kind, int a, int b, double* out)
{
    GLfloat f[16] = {};
    std::fill(out, out + 16, 0.0);
    switch (kind) {
    case 0: out[0] = glIsEnabled((GLenum)a); return;
    case 1: glGetDoublev((GLenum)a, out); return;
    case 2: glGetLightfv(GL_LIGHT0 + (GLenum)a, (GLenum)b, f); break;
    case 3: glGetMaterialfv((GLenum)a, (GLenum)b, f); break;
    case 4: glGetTexEnvfv(GL_TEXTURE_ENV, (GLenum)a, f); break;
    case 5: glGetTexGendv((GLenum)a, (GLenum)b, out); return;
    default: return;
    }
    std::copy(f, f + 16, out);
}

EMSCRIPTEN_KEEPALIVE void inspectStateDone()
{
    if (!held)
        return;
    inspect::restoreState(webContext(), held->context);
    inspect::putRecord(std::move(held->record));
    held.reset();
}

// The recorded frame run again with the edits: the number of steps.
EMSCRIPTEN_KEEPALIVE int inspectReplay()
{
    inspect::replay(webContext(), session->frameStart, session->original, *session->starting, session->edits);
    return (int)lastRecord().steps.size();
}


// A step: its first and last call, whether it is a primitive, its mode and
// its number of vertices, into `out`.
EMSCRIPTEN_KEEPALIVE void inspectStep(int step, int* out)
{
    const Step* s = stepAt(step);
    if (!s)
        return;
    const int values[] = {(int)s->firstCall, (int)s->lastCall, s->primitive, (int)s->mode, (int)s->given.size()};
    std::copy(values, values + 5, out);
}

// The state in force once `step` is done, as 50 numbers: modelview and
// projection (column by column), viewport, depth test, lighting, texturing,
// face culling, front face, bound texture, environment mode, current colour,
// light position.
EMSCRIPTEN_KEEPALIVE void inspectState(int step, float* out)
{
    const Step* s = stepAt(step);
    if (!s)
        return;
    const glweb::Snapshot& st = s->state;
    out = std::copy(st.modelview.m, st.modelview.m + 16, out);
    out = std::copy(st.projection.m, st.projection.m + 16, out);
    out = std::copy(st.viewport, st.viewport + 4, out);
    const float flags[] = {(float)st.depthTest, (float)st.lighting, (float)st.texturing, (float)st.cullFace,
                           (float)st.winding,   (float)st.texture,  (float)st.texEnvMode};
    out = std::copy(flags, flags + 7, out);
    out = std::copy(st.color, st.color + 3, out);
    std::copy(st.lightPosition, st.lightPosition + 4, out);
}

// A primitive's vertices, 12 numbers each: object x, y, z, texture s, t,
// colour r, g, b as the program gave them, then clip x, y, z, w as they land.
EMSCRIPTEN_KEEPALIVE void inspectVertices(int step, float* out)
{
    const Step* s = stepAt(step);
    if (!s)
        return;
    for (size_t i = 0; i < s->given.size(); i++) {
        const inspect::GivenVertex& g = s->given[i];
        const float given[] = {g.x, g.y, g.z, g.s, g.t, g.color[0], g.color[1], g.color[2]};
        out = std::copy(given, given + 8, out);
        const float* p = i < s->landed.size() ? s->landed[i].position : nullptr;
        for (int k = 0; k < 4; k++)
            *out++ = p ? p[k] : 0;
    }
}

// The frame up to and including `step`, the step's primitive outlined.
EMSCRIPTEN_KEEPALIVE void inspectDrawTo(int step, int outline)
{
    if (prepareUpTo(step, outline))
        webglDraw(webContext());
}

// The frame up to `step` seen from outside: each vertex taken from the
// eye's clip space by `m` (16 numbers, column by column: the outside
// camera's projection and view times the inverse of the eye's projection),
// every face shown, what lies outside the eye's view volume dimmed, and
// `count` lines added over it, 7 numbers an end (clip x, y, z, w and colour).
EMSCRIPTEN_KEEPALIVE void inspectDrawThrough(int step, const float* m, int outline, const float* lines, int count)
{
    if (!prepareUpTo(step, outline))
        return;
    glweb::Context& c = webContext();
    for (glweb::Vertex& v : c.vertices) {
        const float* p = v.position;
        const bool inside = std::fabs(p[0]) <= p[3] && std::fabs(p[1]) <= p[3] && std::fabs(p[2]) <= p[3];
        float out[4];
        for (int r = 0; r < 4; r++)
            out[r] = m[r] * p[0] + m[4 + r] * p[1] + m[8 + r] * p[2] + m[12 + r] * p[3];
        std::copy(out, out + 4, v.position);
        for (float& k : v.color)
            k *= inside ? 1 : 0.3f;
    }
    for (glweb::Command& cmd : c.commands) {
        cmd.state.depthTest = true;
        cmd.state.cullFace = false;
        std::fill(cmd.clearColor, cmd.clearColor + 3, 0.12f);
    }
    glweb::Command added{};
    added.kind = glweb::Command::draw;
    added.state = {GL_LINES, 0, GL_REPLACE, true, false, {}};
    added.first = c.vertices.size();
    added.count = (size_t)count * 2;
    for (int i = 0; i < count * 2; i++, lines += 7)
        c.vertices.push_back({{lines[0], lines[1], lines[2], lines[3]}, {lines[4], lines[5], lines[6], 1}, {0, 0}, 0});
    c.commands.push_back(added);
    webglDraw(c);
}

// The history of the pixel (x, y), counted from the window's top left:
// the number of entries. inspectPixelEntries then holds them, four numbers
// each: step, fate (0 seen, 1 covered, 2 hidden, 3 culled, 4 failed the alpha
// test, 5 blended under), the other step,
// and the depth in millionths.
EMSCRIPTEN_KEEPALIVE int inspectPixel(int x, int y)
{
    std::vector<int>& out = pixelEntries;
    const int height = lastRecord().steps.empty() ? 0 : lastRecord().steps[0].state.viewport[3];
    const std::vector<inspect::PixelEntry> entries = inspect::pixelHistory(lastRecord(), x, height - 1 - y);
    out.clear();
    for (const inspect::PixelEntry& e : entries) {
        const int values[] = {(int)e.step, (int)e.fate, (int)e.other, (int)(e.depth * 1e6f)};
        out.insert(out.end(), values, values + 4);
    }
    return (int)entries.size();
}

EMSCRIPTEN_KEEPALIVE const int* inspectPixelEntries()
{
    return pixelEntries.data();
}

// The bytes the module's heap holds in use: what an opening must give back.
EMSCRIPTEN_KEEPALIVE size_t inspectHeapInUse()
{
    return mallinfo().uordblks;
}

}  // extern "C"
