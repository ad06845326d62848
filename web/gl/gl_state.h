// What glGet answers, gathered from the chapters that keep it.
#pragma once

#include <GL/gl.h>

#include <cmath>

#include <cstddef>
#include <vector>

namespace glweb {

// The values of `pname`, as numbers: false for a name GL does not know.
bool getValues(GLenum pname, std::vector<double>& out);
// A value as glGetIntegerv gives it: rounded, or with `scaled` (colours,
// normals, depths) mapped from [-1, 1] to the whole range of GLint.
GLint integerOf(double value, bool scaled);
// Whether glGetIntegerv scales `pname`'s values so.
bool scaledAsColour(GLenum pname);
// Display lists' part of it (lists.cpp).
bool listState(GLenum pname, std::vector<double>& out);
// The vertex arrays' and the client stack's (arrays.cpp).
bool arrayState(GLenum pname, std::vector<double>& out);
const size_t maxClientStackDepth = 16;
// How glReadPixels and glGetTexImage pack (pixels_api.cpp).
bool packState(GLenum pname, std::vector<double>& out);

}  // namespace glweb
