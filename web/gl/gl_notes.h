// The seam through which the page's frame inspector hears the program's GL
// calls: each entry point notes its call, with its arguments as the program
// passed them, once the context has carried it out. While a frame is
// recorded every call is noted, and the frame's flush ends the record;
// between frames, calls that set the state the next frame starts with
// (initialisation, reshape, keys) are kept. The inspector
// (web/inspect/record.cpp, web/inspect/start_state.cpp) stands on this, so
// the GL layer knows nothing of it; a page built without it notes nothing.
#pragma once

#include <initializer_list>

namespace glweb {
class Context;
}

namespace inspect {

#ifdef TARNVALE_NO_INSPECTOR
inline void note(const glweb::Context&, const char*, std::initializer_list<double> = {}) {}
inline void finish(const glweb::Context&) {}
inline void frameBegins() {}
inline void frameEnds() {}
#else
// Whether the entry points note every call; off, they pay one test each.
extern bool recording;
// No frame is being drawn: from one flush to the next frame's start.
extern bool betweenFrames;
inline void frameBegins() { betweenFrames = false; }
inline void frameEnds() { betweenFrames = true; }

void noteCall(const glweb::Context& context, const char* name, std::initializer_list<double> args);
void keepCall(const glweb::Context& context, const char* name, std::initializer_list<double> args);
// The frame is complete: keeps the triangles `context` is about to send and
// stops noting.
void finish(const glweb::Context& context);

inline void note(const glweb::Context& context, const char* name, std::initializer_list<double> args = {})
{
    if (recording)
        noteCall(context, name, args);
    else if (betweenFrames)
        keepCall(context, name, args);
}
#endif

}  // namespace inspect
