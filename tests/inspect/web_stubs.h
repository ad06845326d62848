// What the host's stand-ins for WebGL and the page keep for the tests.
#pragma once

#include <cstddef>
#include <map>
#include <vector>

#include "web/gl/gl_context.h"

// The frame as the GL layer holds it when a step begins, for each step
// whose number a test puts in: the frame drawn up to the step before,
// without the inspector's help.
struct HeldFrame {
    std::vector<glweb::Vertex> vertices;
    std::vector<glweb::Command> commands;
};
extern std::map<size_t, HeldFrame> heldFrames;
