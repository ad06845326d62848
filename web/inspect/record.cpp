#include "web/inspect/record.h"

#include <cstring>
#include <utility>

#include "web/gl/gl_api.h"

namespace inspect {

bool recording = false;
bool betweenFrames = true;

namespace {

Record record;
std::vector<size_t> open;  // the calls running now, innermost last
bool inBegin = false;      // the program's own glBegin ... glEnd is open
bool takeStacks = true;
// Of the step being made: the primitives its calls began, the last one's mode.
int begins = 0;
GLenum lastMode = 0;
size_t lastCount = 0;  // the calls of the last frame noted
unsigned listMaking = 0;  // the list whose call is being made, and where
size_t listPositionMaking = 0;

bool is(const char* name, const char* entryPoint)
{
    return std::strcmp(name, entryPoint) == 0;
}

// A list's calls are the program's own as much as the glCallList is.
bool isList(const char* name)
{
    return is(name, "glCallList") || is(name, "glCallLists");
}

GLenum drawnAs(GLenum mode)
{
    return mode == GL_LINES || mode == GL_LINE_STRIP || mode == GL_LINE_LOOP ? GL_LINES : GL_TRIANGLES;
}

// The step the call just opened begins, unless it is made inside one.
void stepOpens(const glweb::Context& context, size_t index)
{
    const Call& c = record.calls[index];
    if (record.steps.empty() && !(c.level == 0 && is(c.name, "glClear")))
        return;  // the frame's steps start at its clear
    if (c.level > 0 || inBegin || is(c.name, "glFlush"))
        return;
    Step s{};
    s.firstCall = s.lastCall = index;
    s.primitive = is(c.name, "glBegin");
    s.list = isList(c.name);
    s.selecting = context.render.mode != GL_RENDER;
    s.mode = s.primitive && !c.args.empty() ? (GLenum)c.args[0] : 0;
    s.firstVertex = s.endVertex = context.vertices.size();
    s.endCommand = context.commands.size();
    s.state = context.snapshot();
    inBegin = s.primitive;
    begins = 0;
    record.steps.push_back(s);
    if (takeStacks)
        stepBegins(record.steps.size() - 1);
}

// The call just closed, into the step it belongs to: the step is done when
// its own call (or the glEnd of its glBegin) returns.
void stepCloses(const glweb::Context& context, size_t index)
{
    const Call& c = record.calls[index];
    if (record.steps.empty() || index < record.steps.back().firstCall || record.steps.back().list)
        return;
    Step& s = record.steps.back();
    s.lastCall = record.calls.size() - 1;
    if (is(c.name, "glBegin") && !c.args.empty()) {
        begins++;
        lastMode = (GLenum)c.args[0];
    }
    if ((is(c.name, "glVertex3f") || is(c.name, "glVertex4f")) && c.args.size() >= 3) {
        const glweb::Snapshot now = context.snapshot();
        GivenVertex v{(float)c.args[0], (float)c.args[1], (float)c.args[2], now.texCoord[0], now.texCoord[1], {}};
        std::memcpy(v.color, now.color, sizeof v.color);
        s.given.push_back(v);
    }
    const bool stepDone = inBegin ? c.level == 0 && is(c.name, "glEnd") : index == s.firstCall;
    if (!stepDone)
        return;
    inBegin = false;
    s.endVertex = context.vertices.size();
    s.endCommand = context.commands.size();
    s.state = context.snapshot();
    if (!s.primitive) {
        s.primitive = s.endVertex > s.firstVertex;
        s.mode = lastMode;
    }
    s.drawState = context.stateFor(drawnAs(s.mode));
    // One primitive's vertices are shown as given and as they landed;
    // a call that made many shows its state only.
    if (begins == 1 && s.primitive)
        s.landed = context.lastPrimitive();
    else
        s.given.clear();
}

}  // namespace

size_t openCall(const char* name, std::vector<double> args, Redo redo, bool direct)
{
    const size_t parent = open.empty() ? Call::none : open.back();
    if (!recording) {  // between frames: only the program's own calls are kept
        if (open.empty())
            keepCall(glweb::gl(), {name, std::move(args), std::move(redo), direct, {}, Call::none, 0, 0, 0, 0});
        open.push_back(Call::none);
        return Call::none - 1;
    }
    const int level = parent == Call::none || parent >= record.calls.size() ? 0
                      : record.calls[parent].level + (isList(record.calls[parent].name) ? 0 : 1);
    const size_t index = record.calls.size();
    const bool ofList = parent < record.calls.size() && isList(record.calls[parent].name);
    record.calls.push_back({name, std::move(args), std::move(redo), direct, {}, parent, index + 1, level,
                            ofList ? listMaking : 0, ofList ? listPositionMaking : 0});
    open.push_back(index);
    stepOpens(glweb::gl(), index);
    return index;
}

void closeCall(size_t note)
{
    if (!open.empty())
        open.pop_back();
    if (!recording || note >= record.calls.size())
        return;
    record.calls[note].end = record.calls.size();
    stepCloses(glweb::gl(), note);
}

void listCallMade(unsigned list, size_t position)
{
    listMaking = list;
    listPositionMaking = position;
}

void keepData(size_t note, const void* data, size_t bytes)
{
    if (recording && note < record.calls.size())
        record.calls[note].data.assign((const unsigned char*)data, (const unsigned char*)data + bytes);
}

Noted::Noted(const char* name, const double* args, size_t count, Invoke invoke, void (*fn)())
    : note_(openCall(name, std::vector<double>(args, args + count), Redo(invoke, fn)))
{
}

void start(bool stacks)
{
    // Room for as many calls as the last frame had, kept from the last
    // record where there was one: a frame's calls, moved each time their
    // vector grows, would cost the record as much as the frame.
    record.calls.clear();
    record.steps.clear();
    record.vertices.clear();
    record.commands.clear();
    record.calls.reserve(lastCount + lastCount / 8);
    open.clear();
    inBegin = false;
    takeStacks = stacks;
    recording = true;
}

void noteLeftOut(const glweb::Context& context, const Record& from, size_t step)
{
    const Step& original = from.steps.at(step);
    Step s = original;
    s.leftOut = true;
    s.firstCall = record.calls.size();
    for (size_t i = original.firstCall; i <= original.lastCall; i++) {
        Call c = from.calls[i];
        const size_t shift = s.firstCall - original.firstCall;
        c.parent = c.parent == Call::none || c.parent < original.firstCall ? c.parent : c.parent + shift;
        c.end += shift;
        record.calls.push_back(std::move(c));
    }
    s.lastCall = record.calls.size() - 1;
    s.firstVertex = s.endVertex = context.vertices.size();
    s.endCommand = context.commands.size();
    s.state = context.snapshot();
    s.landed.clear();
    record.steps.push_back(std::move(s));
}

const Record& lastRecord()
{
    return record;
}

Record takeRecord()
{
    return std::exchange(record, Record());
}

void putRecord(Record r)
{
    record = std::move(r);
}

void finish(const glweb::Context& context)
{
    if (!recording)
        return;
    recording = false;
    lastCount = record.calls.size();
    // Only up to the last step that draws: what follows changes nothing drawn.
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
