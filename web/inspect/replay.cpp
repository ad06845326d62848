#include "web/inspect/replay.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "web/gl/gl_notes.h"

namespace inspect {

namespace {

// The calls as edited, by index: each one's name (glEnable and glDisable
// may trade) and arguments.
struct Edited {
    std::vector<const char*> names;
    std::vector<const std::vector<double>*> args;
    std::vector<bool> changed;

    Edited(const std::vector<Call>& calls, const CallEdits& edits)
        : names(calls.size()), args(calls.size()), changed(calls.size(), false)
    {
        for (size_t i = 0; i < calls.size(); i++) {
            names[i] = calls[i].name;
            args[i] = &calls[i].args;
        }
        for (const auto& [call, on] : edits.enable)
            if (call < calls.size()) {
                names[call] = on ? "glEnable" : "glDisable";
                changed[call] = true;
            }
        for (const auto& [call, a] : edits.args)
            if (call < calls.size()) {
                args[call] = &a;
                changed[call] = true;
            }
    }
};

bool is(const char* name, const char* entryPoint)
{
    return std::strcmp(name, entryPoint) == 0;
}

// Through the entry point again, which notes it; a call that is never made
// again (glFlush, which would send the frame to WebGL) is only noted.
void invoke(const Call& call, const char* name, const std::vector<double>& args)
{
    double a[24] = {};
    for (size_t i = 0; i < args.size() && i < 24; i++)
        a[i] = args[i];
    if (is(name, "glEnable") || is(name, "glDisable")) {
        (is(name, "glEnable") ? glEnable : glDisable)((GLenum)a[0]);
    } else if (call.redo && call.direct) {
        const size_t note = openCall(name, args, call.redo, true);
        keepData(note, call.data.data(), call.data.size());
        call.redo(a);
        closeCall(note);
    } else if (call.redo) {
        call.redo(a);
    } else if (recording) {
        closeCall(openCall(name, args, nullptr));
    }
}

// Runs `calls` again, edited: a call made inside another is made again
// itself, inside a note of the one it was made in, so that the record keeps
// their nesting while nothing reads the program's memory again; an edited
// call is made whole, with what it makes inside.
void runAgain(const glweb::Context& context, const Record& original, const Edited& edited,
              const std::vector<bool>& leftOut, size_t end)
{
    std::vector<std::pair<size_t, size_t>> open;  // an original call and its note, innermost last
    size_t step = 0;
    for (size_t i = 0; i < end;) {
        while (!open.empty() && i >= original.calls[open.back().first].end) {
            closeCall(open.back().second);
            open.pop_back();
        }
        while (step < original.steps.size() && original.steps[step].firstCall < i)
            step++;
        if (step < original.steps.size() && original.steps[step].firstCall == i && leftOut[step]) {
            noteLeftOut(context, original, step);
            i = original.steps[step].lastCall + 1;
            continue;
        }
        const Call& c = original.calls[i];
        const bool inside = c.end > i + 1;
        listCallMade(c.list, c.listPosition);  // none for a call no list made
        if (inside && !edited.changed[i]) {
            open.push_back({i, openCall(c.name, c.args, c.redo)});
            i++;
            continue;
        }
        invoke(c, edited.names[i], *edited.args[i]);
        i = std::max(c.end, i + 1);
    }
    while (!open.empty()) {
        closeCall(open.back().second);
        open.pop_back();
    }
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
            const std::vector<KeptCall>& starting, const Edits& edits, bool startAgain, size_t through)
{
    restoreState(context, frameStart);
    frameBegins();  // nothing run here is kept as the next frame's start
    if (!edits.starting.empty() || startAgain) {
        // The whole starting state again, edited: its matrices are runs
        // from an identity, the rest sets what it sets.
        std::vector<Call> calls;
        for (const KeptCall& k : starting)
            calls.push_back(k.call);
        const Edited edited(calls, edits.starting);
        for (size_t i = 0; i < starting.size(); i++) {
            const bool light = is(calls[i].name, "glLightfv") && (GLenum)(*edited.args[i])[1] == GL_POSITION;
            if (light) {  // taken under the modelview of its time
                context.matrixMode(GL_MODELVIEW);
                context.pushMatrix();
                context.loadMatrix(starting[i].modelview);
            }
            invoke(calls[i], edited.names[i], *edited.args[i]);
            if (light)
                context.popMatrix();
        }
    }
    std::vector<bool> leftOut(original.steps.size(), false);
    for (size_t step : edits.leftOut)
        if (step < original.steps.size())
            leftOut[step] = true;
    // A list left out takes its calls' steps with it.
    for (size_t step = 0; step < original.steps.size(); step++) {
        const Step& s = original.steps[step];
        if (!leftOut[step] || !s.list)
            continue;
        const size_t end = original.calls[s.firstCall].end;
        for (size_t k = step + 1; k < original.steps.size() && original.steps[k].firstCall < end; k++)
            leftOut[k] = true;
    }
    start(false);
    const size_t end = through < original.steps.size() ? original.steps[through].lastCall + 1 : original.calls.size();
    runAgain(context, original, Edited(original.calls, edits.frame), leftOut, end);
    finish(context);
    context.vertices.clear();
    context.commands.clear();
    context.shaderLit.clear();
    frameEnds();
}

}  // namespace inspect
