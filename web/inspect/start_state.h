// The state a frame starts with, as the calls that set it: of the calls made
// between frames (the initialisation's, each reshape's, the keys'), the last
// of each kind that sets a piece of state, in the order they were made. A
// matrix is kept as its whole run from the glLoadIdentity that began it.
// Texture images and their parameters are not among them: they stay in the
// context.
#pragma once

#include <cstddef>
#include <vector>

#include "glcore/matrix.h"
#include "web/inspect/record.h"

namespace inspect {

struct KeptCall {
    Call call;
    glcore::Mat4 modelview;  // in force when it was made: a light's position is taken under it
    size_t id;               // its call stack's, for the platform
};

const std::vector<KeptCall>& startingCalls();

// The platform takes the program's call stack as a call is kept, and lets
// it go when a later call takes its place; both do nothing on the host.
void callKept(size_t id);
void callDropped(size_t id);

}  // namespace inspect
