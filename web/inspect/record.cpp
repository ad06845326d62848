#include "web/inspect/record.h"

#include <cstring>
#include <utility>

namespace inspect {

bool recording = false;
bool betweenFrames = true;

namespace {

Record record;
bool inBegin = false;
bool takeStacks = true;
bool leavingOut = false;

bool is(const char* name, const char* entryPoint)
{
    return std::strcmp(name, entryPoint) == 0;
}

// The call just noted, into the frame's steps.
void noteStep(const glweb::Context& context, size_t index)
{
    const char* n = record.calls[index].name;
    const std::vector<double>& args = record.calls[index].args;
    if (record.steps.empty() && !is(n, "glClear"))
        return;  // the frame's steps start at its clear

    if (inBegin) {
        Step& s = record.steps.back();
        s.lastCall = index;
        if (is(n, "glVertex3f")) {
            const glweb::Snapshot now = context.snapshot();
            GivenVertex v{};
            const double* a = args.data();
            v.x = (float)a[0];
            v.y = (float)a[1];
            v.z = (float)a[2];
            v.s = now.texCoord[0];
            v.t = now.texCoord[1];
            std::memcpy(v.color, now.color, sizeof v.color);
            s.given.push_back(v);
        } else if (is(n, "glEnd")) {
            inBegin = false;
            if (!s.leftOut)
                s.landed = context.lastPrimitive();
            s.endVertex = context.vertices.size();
            s.endCommand = context.commands.size();
            s.drawState = context.stateFor(s.mode == GL_LINES || s.mode == GL_LINE_STRIP ? GL_LINES : GL_TRIANGLES);
            s.state = context.snapshot();
        }
        return;
    }
    if (is(n, "glFlush"))
        return;  // changes nothing of the state
    Step s{};
    s.firstCall = s.lastCall = index;
    s.primitive = is(n, "glBegin");
    s.leftOut = leavingOut;
    s.mode = s.primitive ? (GLenum)args[0] : 0;
    s.firstVertex = s.endVertex = context.vertices.size();
    s.endCommand = context.commands.size();
    s.state = context.snapshot();
    inBegin = s.primitive;
    record.steps.push_back(s);
    if (takeStacks)
        stepBegins(record.steps.size() - 1);
}

}  // namespace

void start(bool stacks)
{
    record = Record();
    inBegin = false;
    takeStacks = stacks;
    recording = true;
}

void noteLeftOut(const glweb::Context& context, const char* name, const std::vector<double>& args)
{
    leavingOut = true;
    record.calls.push_back({name, args});
    noteStep(context, record.calls.size() - 1);
    leavingOut = false;
}

const Record& lastRecord()
{
    return record;
}

Record takeRecord()
{
    return std::exchange(record, Record());
}

void noteCall(const glweb::Context& context, const char* name, std::initializer_list<double> args)
{
    record.calls.push_back({name, args});
    noteStep(context, record.calls.size() - 1);
}

void finish(const glweb::Context& context)
{
    if (!recording)
        return;
    recording = false;
    // Only up to the last glEnd: what follows changes nothing drawn.
    while (!record.steps.empty() && !record.steps.back().primitive)
        record.steps.pop_back();
    record.vertices = context.vertices;
    record.commands = context.commands;
}

void frameUpTo(const Record& r, size_t step, std::vector<glweb::Vertex>& vertices,
               std::vector<glweb::Command>& commands)
{
    const Step& s = r.steps.at(step);
    vertices.assign(r.vertices.begin(), r.vertices.begin() + (long)s.endVertex);
    commands.assign(r.commands.begin(), r.commands.begin() + (long)s.endCommand);
    if (!commands.empty() && commands.back().kind == glweb::Command::draw)
        commands.back().count = s.endVertex - commands.back().first;
}

}  // namespace inspect
