#include "web/inspect/replay.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <utility>

#include "web/gl/gl_notes.h"

namespace inspect {

namespace {

using Invoke = void (*)(const double* a);
#define F(i) (GLfloat) a[i]
#define E(i) (GLenum) a[i]

// Each entry point a recorded frame holds, called with its arguments.
const std::pair<const char*, Invoke> entryPoints[] = {
    {"glMatrixMode", [](const double* a) { glMatrixMode(E(0)); }},
    {"glLoadIdentity", [](const double*) { glLoadIdentity(); }},
    {"glPushMatrix", [](const double*) { glPushMatrix(); }},
    {"glPopMatrix", [](const double*) { glPopMatrix(); }},
    {"glTranslatef", [](const double* a) { glTranslatef(F(0), F(1), F(2)); }},
    {"glRotatef", [](const double* a) { glRotatef(F(0), F(1), F(2), F(3)); }},
    {"glScalef", [](const double* a) { glScalef(F(0), F(1), F(2)); }},
    {"glOrtho", [](const double* a) { glOrtho(a[0], a[1], a[2], a[3], a[4], a[5]); }},
    {"gluPerspective", [](const double* a) { gluPerspective(a[0], a[1], a[2], a[3]); }},
    {"gluLookAt", [](const double* a) { gluLookAt(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]); }},
    {"glViewport", [](const double* a) { glViewport((GLint)a[0], (GLint)a[1], (GLsizei)a[2], (GLsizei)a[3]); }},
    {"glBegin", [](const double* a) { glBegin(E(0)); }},
    {"glEnd", [](const double*) { glEnd(); }},
    {"glVertex3f", [](const double* a) { glVertex3f(F(0), F(1), F(2)); }},
    {"glTexCoord2f", [](const double* a) { glTexCoord2f(F(0), F(1)); }},
    {"glColor3f", [](const double* a) { glColor3f(F(0), F(1), F(2)); }},
    {"glColor3fv", [](const double* a) { const GLfloat v[3] = {F(0), F(1), F(2)}; glColor3fv(v); }},
    {"glFrontFace", [](const double* a) { glFrontFace(E(0)); }},
    {"glBindTexture", [](const double* a) { glBindTexture(E(0), (GLuint)a[1]); }},
    {"glTexParameteri", [](const double* a) { glTexParameteri(E(0), E(1), (GLint)a[2]); }},
    {"glPixelStorei", [](const double* a) { glPixelStorei(E(0), (GLint)a[1]); }},
    {"glTexEnvf", [](const double* a) { glTexEnvf(E(0), E(1), F(2)); }},
    {"glLightfv", [](const double* a) { const GLfloat v[4] = {F(2), F(3), F(4), F(5)}; glLightfv(E(0), E(1), v); }},
    {"glLightModelfv", [](const double* a) { const GLfloat v[4] = {F(1), F(2), F(3), F(4)}; glLightModelfv(E(0), v); }},
    {"glMaterialfv", [](const double* a) {
         const GLfloat v[4] = {F(2), E(1) == GL_SHININESS ? 0 : F(3), E(1) == GL_SHININESS ? 0 : F(4),
                               E(1) == GL_SHININESS ? 0 : F(5)};
         glMaterialfv(E(0), E(1), v);
     }},
    {"glColorMaterial", [](const double* a) { glColorMaterial(E(0), E(1)); }},
    {"glShadeModel", [](const double* a) { glShadeModel(E(0)); }},
    {"glEnable", [](const double* a) { glEnable(E(0)); }},
    {"glDisable", [](const double* a) { glDisable(E(0)); }},
    {"glClearColor", [](const double* a) { glClearColor(F(0), F(1), F(2), F(3)); }},
    {"glClear", [](const double* a) { glClear((GLbitfield)a[0]); }},
};
#undef F
#undef E

Invoke invokerOf(const char* name)
{
    for (const auto& [entry, invoke] : entryPoints)
        if (std::strcmp(entry, name) == 0)
            return invoke;
    return nullptr;
}

// The calls as edited, by index: each one's name (glEnable and glDisable
// may trade) and arguments.
struct Edited {
    std::vector<const char*> names;
    std::vector<const std::vector<double>*> args;

    Edited(const std::vector<Call>& calls, const CallEdits& edits) : names(calls.size()), args(calls.size())
    {
        for (size_t i = 0; i < calls.size(); i++) {
            names[i] = calls[i].name;
            args[i] = &calls[i].args;
        }
        for (const auto& [call, on] : edits.enable)
            if (call < calls.size())
                names[call] = on ? "glEnable" : "glDisable";
        for (const auto& [call, a] : edits.args)
            if (call < calls.size())
                args[call] = &a;
    }
};

// Through the entry point, which notes it; what has none here (glFlush,
// which would send the frame to WebGL) is only noted.
void invoke(const glweb::Context& context, const char* name, const std::vector<double>& args)
{
    Invoke f = invokerOf(name);
    if (!f) {
        if (recording)
            noteCall(context, name, {});
        return;
    }
    double a[9] = {};
    for (size_t i = 0; i < args.size() && i < 9; i++)
        a[i] = args[i];
    f(a);
}

}  // namespace

glweb::Context stateOf(glweb::Context& context)
{
    std::map<GLuint, glweb::Texture> textures;
    std::swap(textures, context.textures);
    glweb::Context state = context;
    std::swap(textures, context.textures);
    return state;
}

void restoreState(glweb::Context& context, const glweb::Context& state)
{
    std::map<GLuint, glweb::Texture> textures;
    std::swap(textures, context.textures);
    context = state;
    std::swap(textures, context.textures);
}

void replay(glweb::Context& context, const glweb::Context& frameStart, const Record& original,
            const std::vector<KeptCall>& starting, const Edits& edits, bool startAgain)
{
    restoreState(context, frameStart);
    frameBegins();  // nothing run here is kept as the next frame's start
    if (!edits.starting.empty() || startAgain) {
        // The whole starting state again, edited: its matrices are runs
        // from an identity, the rest sets what it sets.
        std::vector<Call> calls;
        for (const KeptCall& k : starting)
            calls.push_back(k.call);
        const Edited start(calls, edits.starting);
        for (size_t i = 0; i < starting.size(); i++) {
            const char* name = start.names[i];
            const std::vector<double>* args = start.args[i];
            const bool light = std::strcmp(name, "glLightfv") == 0 && (GLenum)(*args)[1] == GL_POSITION;
            if (light) {  // taken under the modelview of its time
                context.matrixMode(GL_MODELVIEW);
                context.pushMatrix();
                context.loadMatrix(starting[i].modelview);
            }
            invoke(context, name, *args);
            if (light)
                context.popMatrix();
        }
    }
    std::vector<bool> leftOut(original.calls.size(), false);
    for (size_t step : edits.leftOut)
        if (step < original.steps.size())
            for (size_t c = original.steps[step].firstCall; c <= original.steps[step].lastCall; c++)
                leftOut[c] = true;
    const Edited frame(original.calls, edits.frame);
    start(false);
    for (size_t i = 0; i < original.calls.size(); i++) {
        if (leftOut[i])
            noteLeftOut(context, frame.names[i], *frame.args[i]);
        else
            invoke(context, frame.names[i], *frame.args[i]);
    }
    finish(context);
    context.vertices.clear();
    context.commands.clear();
    frameEnds();
}

}  // namespace inspect
