#include "web/inspect/start_state.h"

#include <GL/gl.h>

#include <cstring>
#include <utility>

#include "web/gl/gl_context.h"
#include "web/gl/gl_notes.h"

namespace inspect {

namespace {

// What a call sets, of which one is kept: the entry point (glColor3fv counts
// as glColor3f) and up to two of its first arguments; a matrix run is kept
// as one kind, its mode's.
struct Kind {
    const char* name;
    int args, a0, a1;
    bool operator==(const Kind& o) const
    {
        return std::strcmp(name, o.name) == 0 && args == o.args && a0 == o.a0 && a1 == o.a1;
    }
};

struct Kept {
    KeptCall kept;
    Kind kind;
};

std::vector<Kept> kept;
std::vector<KeptCall> calls;  // what startingCalls() gives
size_t nextId = 1;
GLenum matrixMode = GL_MODELVIEW;

bool is(const char* name, const char* entryPoint)
{
    return std::strcmp(name, entryPoint) == 0;
}

// Each entry point that sets what the next frame starts with, with how many
// of its first arguments tell one piece of state from another.
const struct {
    const char* name;
    int args;
} kinds[] = {
    {"glEnable", 1},      {"glDisable", 1},       {"glLightfv", 2},     {"glMaterialfv", 2},  {"glLightModelfv", 1},
    {"glTexEnvf", 2},     {"glMatrixMode", 0},    {"glViewport", 0},    {"glFrontFace", 0},   {"glBindTexture", 0},
    {"glClearColor", 0},  {"glColorMaterial", 0}, {"glShadeModel", 0},  {"glColor3f", 0},     {"glColor3fv", 0},
    {"glTexCoord2f", 0},  {"glColor4f", 0},       {"glNormal3f", 0},    {"glTexCoord4f", 0},  {"glFogfv", 1},
    {"glBlendFunc", 0},   {"glDepthFunc", 0},     {"glAlphaFunc", 0},   {"glCullFace", 0},    {"glPolygonMode", 1},
    {"glLineWidth", 0},   {"glPointSize", 0},     {"glHint", 1},        {"glTexEnvfv", 2},    {"glTexGendv", 2},
    {"glClearDepth", 0},  {"glClipPlane", 1},     {"glLineStipple", 0}, {"glDepthMask", 0},   {"glColorMask", 0},
    {"glStencilFunc", 0}, {"glStencilOp", 0},     {"glClearAccum", 0},  {"glPixelZoom", 0},   {"glRasterPos4f", 0},
};
const char* const matrixCalls[] = {"glLoadIdentity", "glPushMatrix",   "glPopMatrix", "glTranslatef",  "glRotatef",
                                   "glScalef",       "glOrtho",        "gluPerspective", "gluLookAt",  "glLoadMatrixf",
                                   "glMultMatrixf",  "glFrustum",      "gluOrtho2D"};

// The kind of a call; a name of nullptr for calls that set nothing the
// next frame starts with.
Kind kindOf(const char* n, const std::vector<double>& a)
{
    for (const char* m : matrixCalls)
        if (is(n, m))
            return {"matrix", 1, (int)matrixMode, 0};
    for (const auto& k : kinds)
        if (is(n, k.name)) {
            // A switch is one kind whether turned on or off.
            const char* name = is(n, "glDisable") ? "glEnable" : is(n, "glColor3fv") ? "glColor3f" : k.name;
            return {name, k.args, k.args > 0 ? (int)a[0] : 0, k.args > 1 ? (int)a[1] : 0};
        }
    return {nullptr, 0, 0, 0};
}

void drop(const Kind& kind)
{
    size_t to = 0;
    for (size_t i = 0; i < kept.size(); i++) {
        if (kept[i].kind == kind)
            callDropped(kept[i].kept.id);
        else if (to++ != i)
            kept[to - 1] = std::move(kept[i]);
    }
    kept.resize(to);
}

void add(const glweb::Context& context, Call call, const Kind& kind)
{
    kept.push_back({{std::move(call), context.snapshot().modelview, nextId}, kind});
    callKept(nextId++);
}

}  // namespace

void keepCall(const glweb::Context& context, const Call& call)
{
    const char* name = call.name;
    const std::vector<double>& a = call.args;
    const Kind kind = kindOf(name, a);
    if (!kind.name)
        return;
    if (is(kind.name, "matrix")) {
        // A matrix is the run of calls since its glLoadIdentity, after the
        // glMatrixMode that chose it.
        const bool fresh = is(name, "glLoadIdentity");
        bool none = true;
        for (const Kept& k : kept)
            none = none && !(k.kind == kind);
        if (fresh)
            drop(kind);
        if (fresh || none)
            add(context, {"glMatrixMode", {(double)matrixMode}, inspect::redoOf(glMatrixMode), false, {}, Call::none, 0, 0, 0, 0}, kind);
    } else {
        drop(kind);
    }
    if (is(name, "glMatrixMode"))
        matrixMode = (GLenum)a[0];
    add(context, call, kind);
}

const std::vector<KeptCall>& startingCalls()
{
    calls.clear();
    for (const Kept& k : kept)
        calls.push_back(k.kept);
    return calls;
}

}  // namespace inspect
