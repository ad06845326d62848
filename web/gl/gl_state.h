// What glGet answers, gathered from the chapters that keep it.
#pragma once

#include <GL/gl.h>

#include <vector>

namespace glweb {

// The values of `pname`, as numbers: false for a name GL does not know.
bool getValues(GLenum pname, std::vector<double>& out);
// Display lists' part of it (lists.cpp).
bool listState(GLenum pname, std::vector<double>& out);

}  // namespace glweb
