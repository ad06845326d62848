// One frame of the program, recorded call by call at the GL layer's entry
// points for the page's inspector: every call with its arguments as the
// program passed them, and the calls made inside it (a quadric's
// primitives, a vertex array's elements, a list's calls); the frame cut
// into steps (each glBegin ... glEnd one step, each other call of the
// program's another, the calls of a list steps of their own), the state in
// force after each step, and the frame's triangles as they went to WebGL,
// so that any prefix of the steps can be drawn again.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "web/gl/gl_context.h"
#include "web/gl/gl_notes.h"

namespace inspect {

struct Call {
    const char* name;  // the entry point's own, never freed
    std::vector<double> args;
    Redo redo;      // empty: noted, never made again
    bool direct;    // its redo does not note it
    std::vector<unsigned char> data;  // what a direct call was made with
    size_t parent;  // the call it was made inside, or `none`
    size_t end;     // one past the last call made inside it
    int level;      // calls it was made inside, a list's call not counted
    unsigned list;  // made by a display list: the list, or 0
    size_t listPosition;  // and where in it the call stands
    static constexpr size_t none = ~(size_t)0;
};

// A vertex as the program gave it: object coordinates with the texture
// coordinates and colour current at that moment.
struct GivenVertex {
    float x, y, z, s, t, color[3];
};

struct Step {
    size_t firstCall, lastCall;  // in Record::calls, both included
    bool primitive;              // it draws: glBegin ... glEnd, or a call that draws
    bool leftOut;                // its calls noted but not made
    bool list;                   // a glCallList, whose calls are the steps after it
    bool selecting;              // made in selection or feedback mode: draws nothing
    GLenum mode;                 // glBegin's mode, or the last primitive's of a call that draws
    std::vector<GivenVertex> given;
    std::vector<glweb::Vertex> landed;  // primitive: in clip space, in the program's order
    size_t firstVertex, endVertex;      // primitive: its triangles or lines in Record::vertices
    size_t endCommand;                  // the frame's commands once this step is done
    glweb::DrawState drawState;         // primitive: what WebGL drew it with
    glweb::Snapshot state;              // in force once this step is done
};

struct Record {
    std::vector<Call> calls;
    std::vector<Step> steps;  // from the first glClear to the last glEnd
    std::vector<glweb::Vertex> vertices;
    std::vector<glweb::Command> commands;
};

// Forgets the last record and notes from the next call on; with `stacks`,
// the platform takes the program's call stack as each step begins.
void start(bool stacks = true);
// Notes a step of `from` as left out of the frame: its calls noted, never made.
void noteLeftOut(const glweb::Context& context, const Record& from, size_t step);
const Record& lastRecord();
// Takes the last record away, leaving none; gives one back.
Record takeRecord();
void putRecord(Record r);

// The frame as drawn up to and including `step`: the frame's vertices and
// commands cut there, the last draw command cut at the step's end (it may go
// on into later steps that share its state).
void frameUpTo(const Record& record, size_t step, std::vector<glweb::Vertex>& vertices,
               std::vector<glweb::Command>& commands);

// Keeps a call made between frames that sets what the next frame starts
// with (start_state.cpp).
void keepCall(const glweb::Context& context, const Call& call);

// Called with the index of each new step as it begins, where the platform
// can take the program's call stack; does nothing on the host.
void stepBegins(size_t step);

}  // namespace inspect
