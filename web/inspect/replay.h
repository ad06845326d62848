// The recorded frame run again through the GL layer's own entry points,
// with a learner's edits: arguments changed, a glEnable turned into a
// glDisable or back, steps left out, and the state the frame starts with
// changed the same ways. The edited frame's record takes the place of the
// last one, step for step, so everything the inspector shows follows it.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "web/gl/gl_context.h"
#include "web/inspect/record.h"
#include "web/inspect/start_state.h"

namespace inspect {

struct CallEdits {
    std::vector<std::pair<size_t, std::vector<double>>> args;  // a call and its arguments
    std::vector<std::pair<size_t, bool>> enable;                // a call made glEnable (true) or glDisable
    bool empty() const { return args.empty() && enable.empty(); }
};

struct Edits {
    CallEdits frame;     // by index in Record::calls
    CallEdits starting;  // by index in the starting calls
    std::vector<size_t> leftOut;  // steps
};

// The context's state without its textures, which stay where they are.
glweb::Context stateOf(glweb::Context& context);
void restoreState(glweb::Context& context, const glweb::Context& state);

// Runs `original` again from `frameStart` on `context`, the one the GL entry
// points feed: lastRecord() is then the edited frame's. The starting calls
// run first when one of them is edited, or when `startAgain` asks (they
// changed since `frameStart`). The context is left as the edited frame
// leaves it, its frame taken and emptied; with `through`, as it stands once
// that step of the frame is done, the rest of the frame not made.
constexpr size_t wholeFrame = ~(size_t)0;
void replay(glweb::Context& context, const glweb::Context& frameStart, const Record& original,
            const std::vector<KeptCall>& starting, const Edits& edits, bool startAgain = false,
            size_t through = wholeFrame);

}  // namespace inspect
