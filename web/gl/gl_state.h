// What glGet answers, gathered from the chapters that keep it.
#pragma once

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace glweb {

// The values of `pname`, as numbers: false for a name GL does not know.
bool getValues(GLenum pname, std::vector<double>& out);
// Display lists' part of it (lists.cpp).
bool listState(GLenum pname, std::vector<double>& out);
// The vertex arrays' and the client stack's (arrays.cpp).
bool arrayState(GLenum pname, std::vector<double>& out);
const size_t maxClientStackDepth = 16;
// How glReadPixels and glGetTexImage pack (pixels_api.cpp).
bool packState(GLenum pname, std::vector<double>& out);

}  // namespace glweb
