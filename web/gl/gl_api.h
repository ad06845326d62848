// What every file of the GL layer's entry points shares: the one context,
// GL's error flag, and display lists' hold on the calls made while one is
// compiled (lists.cpp).
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "web/gl/gl_context.h"
#include "web/gl/gl_notes.h"

namespace glweb {

Context& gl();
// Records `error` unless one is already waiting for glGetError.
void raise(GLenum error);
// Between glBegin and glEnd, where most calls are GL_INVALID_OPERATION.
bool outsideBeginEnd();

// glClear's part for the accumulation buffer (accum_api.cpp).
void clearAccum();

// GL_PACK_ALIGNMENT, for glReadPixels (pixels_api.cpp): false for another name.
bool packStore(GLenum pname, GLint param);
// The six pack values, in the order of the context's unpack ones: for the client stack.
int* packValues();
// The bytes a pixel takes packed as `format` and `type`: 0 for ones GL
// does not pack here.
int packedSize(GLenum format, GLenum type);
// RGBA rows written as the program asked, at the pack alignment: from the
// frame (`frame`, luminance the sum of the colours) or from a texture.
void packPixels(const std::vector<uint8_t>& rgba, int width, int height, GLenum format, GLenum type, void* pixels,
                bool frame);

// Whether a display list is being compiled just now (and not called).
bool compiling();
// Keeps `call` in the list being compiled: true when it must not also be
// made now (GL_COMPILE rather than GL_COMPILE_AND_EXECUTE).
bool keep(std::function<void()> call);
// While one lives, the calls made are not kept: a kept call that is made
// of other calls (glEvalMesh) runs with one in compile-and-execute.
struct Unlisted {
    Unlisted();
    ~Unlisted();
};

// A call of two names and four values (glTexEnvfv, glTexGendv...) made
// again from its six numbers, for the inspector.
template <class T>
inspect::Redo fourValues(void (*call)(GLenum, GLenum, const T*))
{
    return [call](const double* a) {
        const T v[4] = {(T)a[2], (T)a[3], (T)a[4], (T)a[5]};
        call((GLenum)a[0], (GLenum)a[1], v);
    };
}

}  // namespace glweb

// The first line of an entry point that display lists keep: while one is
// compiled, the call (given again with its arguments, copied) goes into it.
#define LISTED(call)                                              \
    do {                                                          \
        if (glweb::compiling() && glweb::keep([=] { call; }))     \
            return;                                               \
    } while (0)

// The first line of an entry point that lists keep and the inspector notes,
// whose arguments are all numbers: ENTRY("glRotatef", glRotatef, (a, x, y, z)).
#define ENTRY(name, fn, args) \
    LISTED(fn args);          \
    NOTED(name, fn, args)
